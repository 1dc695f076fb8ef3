#include "editors/MapGrid.h"

#include "editors/TCSpinButton.h"
#include "editors/UpDownEdit.h"
#include "params/ImageLayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace kordana {

namespace {

QColor toQColor(Rgb colour) {
    return {colour.r, colour.g, colour.b};
}

Rgb toRgb(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

void setMarked(QWidget* widget, QPalette::ColorRole role, bool marked) {
    if (widget == nullptr) {
        return;
    }
    const QColor wanted = marked ? toQColor(kLimeRgb) : QApplication::palette(widget).color(role);
    if (widget->palette().color(role) == wanted) {
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(role, wanted);
    widget->setPalette(palette);
}

const QColor kSelectionColour(0, 90, 220);

// A selected cell's background: its own background (the window's, or whatever colour the cell
// carries) blended 30 % of the way towards the selection blue, so the value and the cell's
// colour stay readable under the tint.
QColor selectionTint(const QColor& base) {
    return toQColor(blend(toRgb(kSelectionColour), toRgb(base), 0.3));
}

// The outline around the selected block: a frame drawn over the grid box in the gaps between
// the cells, transparent to the mouse.
class SelectionFrame : public QWidget {
public:
    static constexpr int kMargin = 3;
    explicit SelectionFrame(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(kSelectionColour, 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
};

constexpr int kBoxWidth = 984;
constexpr int kBoxHeight = 412;
constexpr int kColumnPitch = 62;
constexpr int kRowPitch = 30;
constexpr int kAllLeft = 211;
constexpr int kAllTop = 382;

const char* const kRowTexts[MapGrid::kRows] = {"0%",  "2%",  "5%",  "10%", "20%",
                                               "30%", "40%", "60%", "80%", "100%"};

QColor indicatorColour(bool same) {
    return same ? QColor(0, 255, 255) : QColor(255, 255, 0);
}

QFont pointFont(const QWidget* widget, int points) {
    QFont font = widget->font();
    font.setPointSize(points);
    return font;
}

} // namespace

MapGrid::MapGrid(QWidget* parent) : QScrollArea(parent) {
    setObjectName("ScrollBoxMap");
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    m_box = new QGroupBox();
    m_box->setObjectName("GroupBoxMap");
    m_box->setMinimumSize(kBoxWidth, kBoxHeight);
    buildLabels();
    buildFields();
    buildTools();
    m_selectionFrame = new SelectionFrame(m_box);
    setWidget(m_box);
}

void MapGrid::buildLabels() {
    auto* rpm = new QLabel("RPM", m_box);
    rpm->move(13, 16);
    auto* tps = new QLabel("TPS", m_box);
    tps->move(7, 37);
    for (int r = 0; r < kRows; ++r) {
        auto* label = new QLabel(kRowTexts[r], m_box);
        label->setAutoFillBackground(true);
        label->move(r <= 2 ? 16 : (r <= 8 ? 10 : 4), 56 + kRowPitch * r);
        label->adjustSize();
        m_rowLabels[idx(r)] = label;
    }
}

void MapGrid::buildFields() {
    // Creation order is the tab order: the breakpoint row, then the cells row by row.
    for (int c = 0; c < kCols; ++c) {
        auto* field = new UpDownEdit(m_box);
        field->move(44 + kColumnPitch * c, 21);
        field->setRange(300, 12500, 50);
        m_breakpoints[idx(c)] = field;
    }
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            auto* field = new UpDownEdit(m_box);
            field->move(44 + kColumnPitch * c, 53 + kRowPitch * r);
            field->setRange(0, 60, 1);
            m_cells[idx(r * kCols + c)] = field;
        }
    }
}

void MapGrid::buildTools() {
    for (int c = 0; c < kCols; ++c) {
        auto* button = new TCSpinButton(m_box);
        button->setGeometry(59 + kColumnPitch * c, 350, 17, 23);
        m_spinButtons[idx(c)] = button;
    }
    m_minus = new QPushButton("-", m_box);
    m_plus = new QPushButton("+", m_box);
    int left = 87;
    for (QPushButton* button : {m_minus, m_plus}) {
        button->setGeometry(left, 380, 20, 20);
        button->setFont(pointFont(button, 14));
        button->setFocusPolicy(Qt::ClickFocus);
        button->setAutoRepeat(true); // held down, the map tool steps again and again
        left += kColumnPitch;
    }
    m_all = new QCheckBox("All", m_box);
    m_all->setObjectName("CheckBoxAll_Map");
    m_all->setFocusPolicy(Qt::ClickFocus);
    m_all->move(kAllLeft, kAllTop);
    m_indicator = new QLabel("  1->2->3  ", m_box);
    m_indicator->setObjectName("LabelModeMap");
    m_indicator->setFont(pointFont(m_indicator, 14));
    m_indicator->setAutoFillBackground(true);
    m_indicator->move(kAllLeft + 104, kAllTop - 2);
    setModeIndicator(false, false);
}

std::vector<Field> MapGrid::fieldTable(int page) const {
    const auto p = static_cast<std::size_t>(page);
    std::vector<Field> fields;
    fields.reserve(kCols + kRows * kCols + 1);
    for (int c = 0; c < kCols; ++c) {
        fields.push_back(imageField(m_breakpoints[idx(c)], layout::mapRpm(p) + idx(c)));
    }
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            fields.push_back(imageField(cell(r, c), layout::mapCell(p, idx(r), idx(c))));
        }
    }
    return fields;
}

void MapGrid::setOutlinedCells(const std::vector<MapCellRef>& cells) {
    m_outlined = {};
    for (const MapCellRef& cell : cells) {
        if (cell.page < kMapPageCount && cell.row < idx(kRows) && cell.column < idx(kCols)) {
            m_outlined[cell.page][cell.row * idx(kCols) + cell.column] = true;
        }
    }
    applyOutlines();
}

void MapGrid::applyOutlines() {
    if (m_shownPage < 0 || idx(m_shownPage) >= kMapPageCount) {
        return;
    }
    const auto& outlined = m_outlined[idx(m_shownPage)];
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        m_cells[i]->setOutlined(outlined[i]);
    }
}

void MapGrid::showOnPage(QWidget* sheet, int page) {
    // A trail is drawn over one map's breakpoints; on another map it would point at cells
    // the engine never used.
    if (page != m_shownPage) {
        clearTrail();
    }
    m_shownPage = page;
    applyOutlines();
    if (parentWidget() == sheet) {
        return;
    }
    const bool wasHidden = isHidden();
    if (QWidget* old = parentWidget(); old != nullptr && old->layout() != nullptr) {
        old->layout()->removeWidget(this);
    }
    setParent(sheet);
    if (sheet->layout() != nullptr) {
        sheet->layout()->addWidget(this);
    } else {
        setGeometry(sheet->rect());
    }
    setVisible(!wasHidden);
}

int MapGrid::columnOf(const QObject* sender) const {
    for (int c = 0; c < kCols - 1; ++c) {
        if (m_spinButtons[idx(c)] == sender) {
            return c;
        }
    }
    return kCols - 1;
}

void MapGrid::setLocked(bool locked) {
    if (locked == m_locked) {
        return;
    }
    m_locked = locked;
    m_box->setUpdatesEnabled(false);
    m_box->setEnabled(!locked);
    for (UpDownEdit* field : m_breakpoints) {
        field->setArrowsVisible(!locked);
    }
    for (UpDownEdit* field : m_cells) {
        field->setArrowsVisible(!locked);
    }
    for (TCSpinButton* button : m_spinButtons) {
        button->setVisible(!locked);
    }
    m_minus->setVisible(!locked);
    m_plus->setVisible(!locked);
    m_all->setVisible(!locked);
    applySelection(); // the cells are narrower without their arrows: the outline follows
    m_box->setUpdatesEnabled(true);
}

void MapGrid::setModeIndicator(bool visible, bool same) {
    const int state = visible ? (same ? 2 : 1) : 0;
    if (state == m_indicatorState) {
        return;
    }
    m_indicatorState = state;
    m_indicator->setText(same ? "  1=2=3  " : "  1->2->3  ");
    QPalette palette = m_indicator->palette();
    palette.setColor(QPalette::Window, indicatorColour(same));
    palette.setColor(QPalette::WindowText, Qt::black);
    m_indicator->setPalette(palette);
    m_indicator->adjustSize();
    m_indicator->setVisible(visible);
}

void MapGrid::hideGrid() {
    // Hides nest (a page change inside a mode command); the outermost pair keeps the focus.
    if (m_hideDepth++ > 0) {
        return;
    }
    QWidget* focus = QApplication::focusWidget();
    m_focus = focus != nullptr && isAncestorOf(focus) ? focus : nullptr;
    hide();
}

void MapGrid::showGrid() {
    if (m_hideDepth == 0 || --m_hideDepth > 0) {
        return;
    }
    show();
    if (m_focus != nullptr && m_focus->isVisible() && m_focus->isEnabled()) {
        m_focus->setFocus(Qt::OtherFocusReason);
    }
    m_focus = nullptr;
}

void MapGrid::showMark(int row, int column, bool cellAndBreakpoint) {
    // The tick runs 18 times a second: only the fields whose mark changes are repainted.
    const Mark mark{row, column, cellAndBreakpoint};
    if (mark == m_mark && !m_markPaintedOver) {
        return;
    }
    auto at = [](auto& fields, int i) {
        return i >= 0 && i < static_cast<int>(fields.size()) ? fields[idx(i)] : nullptr;
    };
    if (m_markPaintedOver) {
        m_markPaintedOver = false;
        for (int r = 0; r < kRows; ++r) {
            setMarked(at(m_rowLabels, r), QPalette::Window, r == row);
        }
        for (int c = 0; c < kCols; ++c) {
            setMarked(at(m_breakpoints, c), QPalette::Base,
                      row >= 0 && c == column && cellAndBreakpoint);
        }
    } else if (m_mark.row >= 0) {
        setMarked(at(m_rowLabels, m_mark.row), QPalette::Window, false);
        setMarked(at(m_breakpoints, m_mark.column), QPalette::Base, false);
    }
    if (row >= 0) {
        setMarked(at(m_rowLabels, row), QPalette::Window, true);
        setMarked(at(m_breakpoints, column), QPalette::Base, cellAndBreakpoint);
    }
    // The cells whose colour may change: the cell left, the cell marked, and every cell of
    // the trail before and after this visit (each one grows older).
    std::vector<int> changed = trailCells();
    changed.push_back(markedCell());
    m_mark = mark;
    changed.push_back(markedCell());
    if (m_trailShown && markedCell() >= 0) {
        m_trail.visit({row, column});
        const std::vector<int> now = trailCells();
        changed.insert(changed.end(), now.begin(), now.end());
    }
    paintCells(changed);
}

void MapGrid::whitenRowLabels() {
    for (QLabel* label : m_rowLabels) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Qt::white);
        label->setPalette(palette);
    }
    m_markPaintedOver = true;
}

void MapGrid::showHeat(const ParameterImage& image) {
    // Without heat colours, before or now, no cell's colour depends on the values.
    if (!m_heatMap && !m_heatPainted) {
        return;
    }
    if (m_heatMap && m_shownPage >= 0 && idx(m_shownPage) < kMapPageCount) {
        const auto page = idx(m_shownPage);
        const HeatRange range = heatRange(image, page);
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                const int value = image[layout::mapCell(page, idx(r), idx(c))];
                m_heat[idx(r * kCols + c)] = heatColour(range.position(value));
            }
        }
    }
    for (int i = 0; i < kRows * kCols; ++i) {
        paintCell(i);
    }
    m_heatPainted = m_heatMap;
}

void MapGrid::setCursorTrail(bool on) {
    m_trailShown = on;
    if (!on) {
        clearTrail();
    }
}

void MapGrid::clearTrail() {
    const std::vector<int> cells = trailCells();
    m_trail.clear();
    paintCells(cells);
}

int MapGrid::markedCell() const {
    if (m_mark.row < 0 || !m_mark.cellAndBreakpoint || m_mark.row >= kRows || m_mark.column < 0 ||
        m_mark.column >= kCols) {
        return -1;
    }
    return m_mark.row * kCols + m_mark.column;
}

std::vector<int> MapGrid::trailCells() const {
    std::vector<int> cells;
    for (const CursorTrail::Cell& cell : m_trail.cells()) {
        cells.push_back(cell.row * kCols + cell.column);
    }
    return cells;
}

// The colour a cell has where neither the cursor nor its trail is: its value's colour on the
// heat map, else the field colour.
QColor MapGrid::cellBaseColour(int index) const {
    if (m_heatMap) {
        return toQColor(m_heat[idx(index)]);
    }
    return QApplication::palette(m_cells[idx(index)]).color(QPalette::Base);
}

// The cursor wins over everything; a selected cell takes the selection's tint over its own
// colour, and a trail mark is lime faded into that.
QColor MapGrid::cellColour(int index) const {
    if (index == markedCell()) {
        return toQColor(kLimeRgb);
    }
    QColor base = cellBaseColour(index);
    if (m_cellInBlock[idx(index)]) {
        base = selectionTint(base);
    }
    const int row = index / kCols;
    const int column = index % kCols;
    if (const auto age = m_trail.ageOf({row, column})) {
        return toQColor(blend(kLimeRgb, toRgb(base), CursorTrail::strength(*age)));
    }
    return base;
}

void MapGrid::paintCell(int index) {
    UpDownEdit* field = m_cells[idx(index)];
    const QPalette plain = QApplication::palette(field);
    const QColor background = cellColour(index);
    // On a coloured cell the figures take black or white, whichever reads better.
    const QColor text = background == plain.color(QPalette::Base)
                            ? plain.color(QPalette::Text)
                            : toQColor(textColourOn(toRgb(background)));
    const QPalette& now = field->palette();
    if (now.color(QPalette::Base) == background && now.color(QPalette::Text) == text) {
        return;
    }
    QPalette palette = now;
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    field->setPalette(palette);
}

void MapGrid::paintCells(const std::vector<int>& indices) {
    for (const int index : indices) {
        if (index >= 0 && index < kRows * kCols) {
            paintCell(index);
        }
    }
}

std::optional<mapblock::CellBlock> MapGrid::selection() const {
    if (!m_selected) {
        return std::nullopt;
    }
    return mapblock::spanning(idx(m_anchor.row), idx(m_anchor.column), idx(m_extent.row),
                              idx(m_extent.column));
}

void MapGrid::setSelection(const mapblock::CellBlock& block) {
    if (!block.valid()) {
        clearSelection();
        return;
    }
    m_selected = true;
    m_anchor = {static_cast<int>(block.top), static_cast<int>(block.left)};
    m_extent = {static_cast<int>(block.bottom), static_cast<int>(block.right)};
    applySelection();
}

void MapGrid::clearSelection() {
    m_selected = false;
    applySelection();
}

void MapGrid::applySelection() {
    std::array<bool, kRows * kCols> inBlock{};
    const std::optional<mapblock::CellBlock> block = selection();
    if (block) {
        for (std::size_t r = block->top; r <= block->bottom; ++r) {
            for (std::size_t c = block->left; c <= block->right; ++c) {
                inBlock[r * idx(kCols) + c] = true;
            }
        }
        const QRect first =
            cell(static_cast<int>(block->top), static_cast<int>(block->left))->geometry();
        const QRect last =
            cell(static_cast<int>(block->bottom), static_cast<int>(block->right))->geometry();
        const QPoint margin(SelectionFrame::kMargin, SelectionFrame::kMargin);
        m_selectionFrame->setGeometry(QRect(first.topLeft() - margin, last.bottomRight() + margin));
        m_selectionFrame->raise();
    }
    m_selectionFrame->setVisible(block.has_value());
    if (inBlock == m_cellInBlock) {
        return;
    }
    m_cellInBlock = inBlock;
    for (int i = 0; i < kRows * kCols; ++i) {
        paintCell(i);
    }
    emit selectionChanged();
}

void MapGrid::watchSelectionInput() {
    for (UpDownEdit* field : m_cells) {
        field->installEventFilter(this);
    }
}

int MapGrid::cellIndexOf(const QObject* object) const {
    const auto it = std::find(m_cells.begin(), m_cells.end(), object);
    return it == m_cells.end() ? -1 : static_cast<int>(it - m_cells.begin());
}

int MapGrid::focusedCell() const {
    return cellIndexOf(QApplication::focusWidget());
}

bool MapGrid::eventFilter(QObject* watched, QEvent* event) {
    const int cell = cellIndexOf(watched);
    return cell >= 0 ? selectionEvent(cell, event) : QScrollArea::eventFilter(watched, event);
}

// True when the event was the selection's: the cell never sees it.
bool MapGrid::selectionEvent(int cell, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton ||
            m_cells[idx(cell)]->isOnArrows(mouse->position().toPoint())) {
            return false;
        }
        if (!mouse->modifiers().testFlag(Qt::ShiftModifier)) {
            // A plain click starts afresh in the clicked cell.
            if (event->type() == QEvent::MouseButtonPress) {
                m_clickFocusCell = -1;
                clearSelection();
            }
            return false;
        }
        // Shift+click extends the block from the cell that had the focus, which keeps it; the
        // press, the release and a double click are the selection's alone, so the clicked cell
        // never commits.
        if (event->type() == QEvent::MouseButtonPress) {
            const int from = anchorForClickOn(cell);
            extendSelection(from, {cell / kCols, cell % kCols});
            if (from != cell) {
                m_cells[idx(from)]->setFocus(Qt::OtherFocusReason);
            }
        }
        return true;
    }
    case QEvent::FocusIn:
        m_previousFocusCell = m_focusCell;
        m_focusCell = cell;
        m_clickFocusCell =
            static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason ? cell : -1;
        return false;
    case QEvent::ShortcutOverride: {
        // With a block selected, copy and paste are the window's block commands; left
        // unaccepted, the override lets the window's shortcut take the key.
        const auto* key = static_cast<QKeyEvent*>(event);
        return m_selected &&
               (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste));
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (key->matches(QKeySequence::SelectAll)) {
            // The field selects its own text as well, so typing still replaces the value.
            setSelection({0, 0, idx(kRows - 1), idx(kCols - 1)});
            return false;
        }
        if (key->key() == Qt::Key_Escape && mods == Qt::NoModifier && m_selected) {
            clearSelection();
            return true;
        }
        if (mods != Qt::ShiftModifier) {
            return false;
        }
        int dr = 0;
        int dc = 0;
        switch (key->key()) {
        case Qt::Key_Up:
            dr = -1;
            break;
        case Qt::Key_Down:
            dr = 1;
            break;
        case Qt::Key_Left:
            dc = -1;
            break;
        case Qt::Key_Right:
            dc = 1;
            break;
        default:
            return false;
        }
        const CellPos from = m_selected && m_anchor == CellPos{cell / kCols, cell % kCols}
                                 ? m_extent
                                 : CellPos{cell / kCols, cell % kCols};
        extendSelection(cell, {std::clamp(from.row + dr, 0, kRows - 1),
                               std::clamp(from.column + dc, 0, kCols - 1)});
        return true;
    }
    default:
        return false;
    }
}

int MapGrid::anchorForClickOn(int cell) {
    // A press moves the focus to the clicked cell before the cell sees the press: then the
    // cell that had it before is where the block starts.
    const int focused = focusedCell();
    int from = focused;
    if (focused == cell && m_clickFocusCell == cell) {
        from = m_previousFocusCell;
    }
    m_clickFocusCell = -1;
    return from >= 0 ? from : cell;
}

void MapGrid::extendSelection(int fromCell, CellPos to) {
    // The block grows from the focused cell; when the focus has moved since the block was
    // made, a new block starts there.
    const CellPos from{fromCell / kCols, fromCell % kCols};
    if (!m_selected || m_anchor != from) {
        m_anchor = from;
    }
    m_extent = to;
    m_selected = true;
    applySelection();
}

} // namespace kordana

#include "editors/MapGrid.h"

#include "editors/FrozenHeaders.h"
#include "editors/MapSelection.h"
#include "editors/TCSpinButton.h"
#include "editors/UpDownEdit.h"
#include "params/ImageLayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace kordana {

namespace {

// Two rings around the operating cell, dark outside and light inside, so that one of them
// stands out on every colour the cell and its neighbours may have.
class CursorFrame final : public QWidget {
public:
    explicit CursorFrame(QWidget* parent) : QWidget(parent) {
        setObjectName("MapCursorFrame");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(20, 20, 20), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
        painter.setPen(QPen(QColor(255, 255, 255), 1));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
};

} // namespace

namespace {

constexpr int kBoxWidth = 984;
constexpr int kBoxHeight = 412;
constexpr int kColumnPitch = 62;
constexpr int kRowPitch = 30;
constexpr int kAllLeft = 211;
constexpr int kAllTop = 382;
// What stays in view while the grid scrolls: the breakpoint row above the first cell row,
// the throttle labels left of the first cell column.
constexpr int kHeaderHeight = 50;
constexpr int kLabelColumnWidth = 42;

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
    m_headers = std::make_unique<FrozenHeaders>(*this, *m_box, kHeaderHeight, kLabelColumnWidth);
    buildLabels();
    buildFields();
    buildTools();
    m_selection = new MapSelection(m_box, m_cells, this);
    m_layers = std::make_unique<MapGridLayers>(m_cells, m_breakpoints, m_rowLabels, *m_selection);
    connect(m_selection, &MapSelection::changed, this, [this] {
        m_layers->paintAll();
        emit selectionChanged();
    });
    m_overlay = new MapOverlay(m_box, m_cells);
    m_cursorFrame = new CursorFrame(m_box);
    setWidget(m_box);
    m_headers->follow();
    // A cell that takes the focus is scrolled into view below the frozen breakpoint row.
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this,
                           [this](QWidget*, QWidget* now) { keepInView(now); });
}

MapGrid::~MapGrid() {
    disconnect(m_focusWatch);
}

void MapGrid::keepInView(QWidget* focus) {
    for (QWidget* w = focus; w != nullptr && w != m_box; w = w->parentWidget()) {
        if (w->parentWidget() == m_box) {
            if (std::find(m_cells.begin(), m_cells.end(), w) != m_cells.end()) {
                ensureWidgetVisible(w, 8, kHeaderHeight + 4);
            }
            return;
        }
    }
}

void MapGrid::setCellNotes(std::vector<CellNote> notes) {
    m_overlay->setNotes(std::move(notes));
    placeCursorFrame();
}

void MapGrid::placeCursorFrame() {
    const bool colours = m_layers->heatMap() || m_layers->cursorTrailShown() ||
                         m_layers->anyOutlined(m_shownPage) || !m_overlay->notes().empty();
    if (!colours || m_markRow < 0 || m_markColumn < 0) {
        m_cursorFrame->hide();
        return;
    }
    const QRect cell = this->cell(m_markRow, m_markColumn)->geometry();
    m_cursorFrame->setGeometry(cell.adjusted(-3, -3, 3, 3));
    m_cursorFrame->show();
    m_cursorFrame->raise();
    m_cursorFrame->stackUnder(m_headers->lowestStrip()); // a cell scrolled under the header
}

const std::vector<CellNote>& MapGrid::cellNotes() const {
    return m_overlay->notes();
}

void MapGrid::buildLabels() {
    auto* rpm = new QLabel("RPM", m_box);
    rpm->move(13, 16);
    auto* tps = new QLabel("TPS", m_box);
    tps->move(7, 37);
    m_corner = new QLabel(m_box);
    m_corner->setObjectName("LabelMapUnit");
    m_corner->move(4, 2);
    m_corner->hide();
    m_headers->addToCorner(rpm);
    m_headers->addToCorner(tps);
    m_headers->addToCorner(m_corner);
    for (int r = 0; r < kRows; ++r) {
        auto* label = new QLabel(kRowTexts[r], m_box);
        label->setAutoFillBackground(true);
        label->move(r <= 2 ? 16 : (r <= 8 ? 10 : 4), 56 + kRowPitch * r);
        label->adjustSize();
        m_rowLabels[idx(r)] = label;
        m_headers->addToColumn(label);
    }
}

void MapGrid::setCornerText(const QString& text) {
    m_corner->setText(text.isEmpty() ? QString() : "[" + text + "]");
    m_corner->adjustSize();
    m_corner->setVisible(!text.isEmpty());
}

void MapGrid::buildFields() {
    // Creation order is the tab order: the breakpoint row, then the cells row by row.
    for (int c = 0; c < kCols; ++c) {
        auto* field = new UpDownEdit(m_box);
        field->move(44 + kColumnPitch * c, 21);
        field->setRange(300, 12500, 50);
        m_breakpoints[idx(c)] = field;
        m_headers->addToRow(field);
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
    m_layers->setOutlinedCells(cells, m_shownPage);
    placeCursorFrame();
}

void MapGrid::showOnPage(QWidget* sheet, int page) {
    // A trail is drawn over one map's breakpoints; on another map it would point at cells
    // the engine never used.
    if (page != m_shownPage) {
        clearTrail();
    }
    m_shownPage = page;
    m_layers->applyOutlines(page);
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
    m_selection->refresh(); // the cells are narrower without their arrows: the outline follows
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
    m_layers->showMark(row, column, cellAndBreakpoint);
    m_markRow = cellAndBreakpoint ? row : -1;
    m_markColumn = cellAndBreakpoint ? column : -1;
    placeCursorFrame();
}

void MapGrid::whitenRowLabels() {
    m_layers->whitenRowLabels();
}

void MapGrid::showHeat(const ParameterImage& image) {
    m_layers->showHeat(image, m_shownPage);
}

void MapGrid::setCursorTrail(bool on) {
    m_layers->setCursorTrail(on);
    placeCursorFrame();
}

void MapGrid::clearTrail() {
    m_layers->clearTrail();
}

std::optional<mapblock::CellBlock> MapGrid::selection() const {
    return m_selection->selection();
}

void MapGrid::setSelection(const mapblock::CellBlock& block) {
    m_selection->setSelection(block);
}

void MapGrid::clearSelection() {
    m_selection->clearSelection();
}

void MapGrid::watchSelectionInput() {
    m_selection->watchInput();
}

} // namespace kordana

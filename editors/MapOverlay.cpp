#include "editors/MapOverlay.h"

#include "editors/UpDownEdit.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace kordana {

MapOverlay::MapOverlay(QWidget* box, const mapgrid::CellFields& cells)
    : QWidget(box), m_cells(cells) {
    setObjectName("MapOverlay");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(box->rect());
    box->installEventFilter(this);
    hide();
}

void MapOverlay::setNotes(std::vector<CellNote> notes) {
    for (const CellNote& note : m_notes) {
        m_cells[mapgrid::idx(note.row * mapgrid::kCols + note.column)]->setToolTip(QString());
    }
    m_notes = std::move(notes);
    for (const CellNote& note : m_notes) {
        m_cells[mapgrid::idx(note.row * mapgrid::kCols + note.column)]->setToolTip(note.toolTip);
    }
    setVisible(!m_notes.empty());
    raise();
    update();
}

bool MapOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

void MapOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont small = font();
    small.setPointSizeF(std::max(5.0, small.pointSizeF() * 0.75));
    small.setBold(true);
    painter.setFont(small);
    for (const CellNote& note : m_notes) {
        const UpDownEdit* field = m_cells[mapgrid::idx(note.row * mapgrid::kCols + note.column)];
        // The edit part, left of the arrows: the text goes into its top right corner.
        const QRect cell(field->pos(), QSize(field->editWidth(), field->height()));
        if (note.hatched) {
            QColor hatch = note.colour.isValid() ? note.colour : QColor(Qt::darkGray);
            hatch.setAlpha(110);
            painter.fillRect(cell.adjusted(1, 1, -1, -1), QBrush(hatch, Qt::BDiagPattern));
        }
        if (!note.corner.isEmpty()) {
            painter.setPen(note.colour);
            painter.drawText(cell.adjusted(0, -1, -2, 0), Qt::AlignTop | Qt::AlignRight,
                             note.corner);
        }
    }
}

} // namespace kordana

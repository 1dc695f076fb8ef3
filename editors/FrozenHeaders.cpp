#include "editors/FrozenHeaders.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QWidget>

namespace kordana {

FrozenHeaders::FrozenHeaders(QScrollArea& area, QWidget& content, int rowHeight, int columnWidth)
    : m_area(area), m_content(content), m_rowHeight(rowHeight), m_columnWidth(columnWidth),
      m_rowStrip(makeStrip()), m_columnStrip(makeStrip()), m_cornerStrip(makeStrip()) {
    connect(area.verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { follow(); });
    connect(area.horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { follow(); });
}

QWidget* FrozenHeaders::makeStrip() {
    // Painted in the content's own background, so a frozen header looks as it does unscrolled.
    auto* strip = new QWidget(&m_content);
    strip->setObjectName("FrozenHeaderStrip");
    strip->setAutoFillBackground(true);
    strip->setBackgroundRole(m_content.backgroundRole());
    strip->hide();
    return strip;
}

void FrozenHeaders::addToRow(QWidget* widget) {
    m_row.push_back({widget, widget->pos()});
}

void FrozenHeaders::addToColumn(QWidget* widget) {
    m_column.push_back({widget, widget->pos()});
}

void FrozenHeaders::addToCorner(QWidget* widget) {
    m_corner.push_back({widget, widget->pos()});
}

void FrozenHeaders::follow() {
    const int down = m_area.verticalScrollBar()->value();
    const int across = m_area.horizontalScrollBar()->value();
    const QSize size = m_content.size();
    m_rowStrip->setGeometry(0, down, size.width(), m_rowHeight);
    m_rowStrip->setVisible(down > 0);
    m_columnStrip->setGeometry(across, 0, m_columnWidth, size.height());
    m_columnStrip->setVisible(across > 0);
    m_cornerStrip->setGeometry(across, down, m_columnWidth, m_rowHeight);
    m_cornerStrip->setVisible(down > 0 || across > 0);
    // Lowest first: the row over the cells, the column over the row, the corner over both.
    m_rowStrip->raise();
    for (const Placed& placed : m_row) {
        placed.widget->move(placed.home.x(), placed.home.y() + down);
        placed.widget->raise();
    }
    m_columnStrip->raise();
    for (const Placed& placed : m_column) {
        placed.widget->move(placed.home.x() + across, placed.home.y());
        placed.widget->raise();
    }
    m_cornerStrip->raise();
    for (const Placed& placed : m_corner) {
        placed.widget->move(placed.home.x() + across, placed.home.y() + down);
        placed.widget->raise();
    }
}

} // namespace kordana

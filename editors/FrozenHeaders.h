#pragma once

#include <QObject>
#include <QPoint>

#include <vector>

class QScrollArea;
class QWidget;

namespace kordana {

/// Keeps the header row and the label column of a grid that scrolls in view: as the view
/// scrolls down the row's widgets move down with it, as it scrolls right the column's move
/// right, each over an opaque strip that covers the cells passing beneath. At the scroll
/// origin every widget stands where it was placed and no strip shows.
class FrozenHeaders : public QObject {
public:
    /// `content` is the widget `area` scrolls; the row strip is `rowHeight` tall over the
    /// whole width, the column strip `columnWidth` wide over the whole height.
    FrozenHeaders(QScrollArea& area, QWidget& content, int rowHeight, int columnWidth);

    /// Widgets of the header row (they follow vertical scrolling), of the label column
    /// (horizontal scrolling), of the corner (both); each at its present place as home.
    void addToRow(QWidget* widget);
    void addToColumn(QWidget* widget);
    void addToCorner(QWidget* widget);

    /// Puts the strips and widgets where the scroll bars ask, and above the cells.
    void follow();

    /// The height the header row covers at the top of the view.
    int rowHeight() const { return m_rowHeight; }
    /// The lowest of the strips: what is to stay under the headers stacks under it.
    QWidget* lowestStrip() const { return m_rowStrip; }

private:
    struct Placed {
        QWidget* widget;
        QPoint home;
    };
    QWidget* makeStrip();

    QScrollArea& m_area;
    QWidget& m_content;
    int m_rowHeight;
    int m_columnWidth;
    QWidget* m_rowStrip;
    QWidget* m_columnStrip;
    QWidget* m_cornerStrip;
    std::vector<Placed> m_row;
    std::vector<Placed> m_column;
    std::vector<Placed> m_corner;
};

} // namespace kordana

#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace kordana {

class MapGrid;

/// The map grid's own keys: Ctrl+arrow keys commit as Enter does and move to the neighbouring
/// field (the breakpoint row above the first throttle row), Home and End commit and go to the
/// row's first and last field, Ctrl+Shift+Up and Ctrl+Shift+Down step the selected block (or
/// the field's cell) by one step of the map.
class MapKeys : public QObject {
    Q_OBJECT

public:
    struct Handlers {
        /// Harvest and commit tail, as Enter.
        std::function<void()> commit;
        /// One step up (+1) or down (-1) of the block, or of cell (`row`, `column`) without
        /// one; `row` -1 is the breakpoint row.
        std::function<void(int row, int column, int direction)> step;
    };

    MapKeys(MapGrid& grid, Handlers handlers, QObject* parent);
    /// Starts taking the keys in every field of the grid (after the fields' commit bindings).
    void watch();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Place {
        int row = 0; ///< -1: the breakpoint row
        int column = 0;
    };
    bool placeOf(const QObject* field, Place& place) const;
    QWidget* fieldAt(const Place& place) const;
    void moveTo(const Place& place);

    MapGrid& m_grid;
    Handlers m_handlers;
};

} // namespace kordana

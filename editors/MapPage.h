#pragma once

#include "editors/FieldPage.h"

namespace kordana {

class MapGrid;

/// One of the nine map pages (0..8). They share one MapGrid, which a refresh moves onto the
/// page's sheet; the page's All check box is a flag of the session, not an image byte.
class MapPage : public FieldPage {
public:
    MapPage(int index, QWidget* sheet, MapGrid& grid);

    void refresh(const EditSession& session) override;
    void harvest(EditSession& session) override;
    /// The cell, breakpoint and throttle row in use, lime.
    void markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live,
                            const MapMark& mapMark) override;
    /// ButtonMinusUni / ButtonPlusUni: with the page's All flag every cell, else the cell at the
    /// operating point while the engine turns; no harvest first.
    bool runBulkTool(EditSession& session, int direction, const BulkToolInput& input) override;

protected:
    /// The grid's controls hold the values of the page it was last refreshed for; they are
    /// never stored into another page's map.
    bool canHarvest() const override;

private:
    MapGrid& m_grid;
};

} // namespace kordana

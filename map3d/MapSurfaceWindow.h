#pragma once

#include "map3d/MapSurfaceData.h"
#include "monitor/OperatingPoint.h"
#include "params/ParameterImage.h"

#include <QPoint>
#include <QWidget>

class Q3DSurface;
class QLabel;
class QShowEvent;
class QSurface3DSeries;

namespace kordana {

/// View > View map in 3D (objectName FormMap3D): one map as a surface that the mouse rotates
/// (right button) and zooms (wheel), the operating point highlighted on it. Not modal; the
/// window feeds it after every refresh and every tick while it is shown. The graph is made on
/// the first showing; where no OpenGL context can be had (the offscreen platform, a display
/// without OpenGL) the window says so instead and still keeps the data.
class MapSurfaceWindow : public QWidget {
    Q_OBJECT

public:
    explicit MapSurfaceWindow(QWidget* parent);
    ~MapSurfaceWindow() override;

    /// Shows map page `page` (0..8) of `image`, named `name` ("Jet 1A").
    void showMap(const ParameterImage& image, std::size_t page, const QString& name);
    /// Highlights the cell (mark.row, mark.column) while `mark.cellMarked`, else no cell. A
    /// point the user picked gives way to it.
    void showMark(const MapMark& mark);

    /// What the surface shows.
    const MapSurfaceData& data() const { return m_data; }
    /// The surface series: one row per throttle row, one item per breakpoint.
    QSurface3DSeries* series() const { return m_series; }
    /// The graph, or null before the first showing and where OpenGL is missing.
    Q3DSurface* graph() const { return m_graph; }
    /// The highlighted cell as (row, column); (-1, -1) when none.
    QPoint markedCell() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createGraph();
    void applyData();
    void applyMark();

    QLabel* m_name = nullptr;
    QLabel* m_noGraph = nullptr;
    QSurface3DSeries* m_series = nullptr;
    Q3DSurface* m_graph = nullptr;
    bool m_graphTried = false;
    bool m_hasMap = false;
    MapSurfaceData m_data;
    QPoint m_mark;
};

} // namespace kordana

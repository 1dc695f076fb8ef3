#include "map3d/MapSurfaceWindow.h"

#include <Q3DCamera>
#include <Q3DScene>
#include <Q3DSurface>
#include <Q3DTheme>
#include <QLabel>
#include <QLinearGradient>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurface3DSeries>
#include <QSurfaceDataProxy>
#include <QVBoxLayout>
#include <QValue3DAxis>

namespace kordana {

namespace {

// The graph needs a current OpenGL context: the offscreen platform and a display without
// OpenGL give none, and the graph would fail without telling.
bool openGlAvailable() {
    QOpenGLContext context;
    if (!context.create()) {
        return false;
    }
    QOffscreenSurface surface;
    surface.create();
    const bool current = context.makeCurrent(&surface);
    if (current) {
        context.doneCurrent();
    }
    return current;
}

QValue3DAxis* makeAxis(const QString& title) {
    auto* axis = new QValue3DAxis;
    axis->setTitle(title);
    axis->setTitleVisible(true);
    axis->setLabelFormat("%d");
    axis->setAutoAdjustRange(false);
    return axis;
}

void setRange(QValue3DAxis* axis, const AxisRange& range) {
    axis->setRange(static_cast<float>(range.min), static_cast<float>(range.max));
}

// Value labels on whole ticks: as many segments as ticks, or fewer of several ticks each.
int valueSegments(const MapSurfaceData& data) {
    const int ticks = (data.valueRange.max - data.valueRange.min) / data.valueTick;
    for (int perSegment = 2; ticks > 10 && perSegment < ticks; ++perSegment) {
        if (ticks % perSegment == 0 && ticks / perSegment <= 10) {
            return ticks / perSegment;
        }
    }
    return ticks;
}

QPoint noCell() {
    return QSurface3DSeries::invalidSelectionPosition();
}

} // namespace

MapSurfaceWindow::MapSurfaceWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("FormMap3D");
    setWindowTitle("Map in 3D");
    auto* layout = new QVBoxLayout(this);
    m_name = new QLabel(this);
    m_name->setObjectName("LabelMap3DName");
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    layout->addWidget(m_name);
    m_noGraph = new QLabel("The 3D view needs OpenGL, which this display does not offer.", this);
    m_noGraph->setObjectName("LabelMap3DNoGraph");
    m_noGraph->setAlignment(Qt::AlignCenter);
    m_noGraph->setWordWrap(true);
    m_noGraph->hide();
    layout->addWidget(m_noGraph, 1);

    m_series = new QSurface3DSeries(this);
    m_series->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
    m_series->setDrawMode(QSurface3DSeries::DrawSurfaceAndWireframe);
    // The operating point in the lime of the map grid's cursor.
    m_series->setSingleHighlightColor(QColor(0, 255, 0));
    m_mark = noCell();
    resize(760, 580);
}

MapSurfaceWindow::~MapSurfaceWindow() {
    // The series is the window's: the graph, a child of its container, must not take it along.
    if (m_graph != nullptr) {
        m_graph->removeSeries(m_series);
    }
}

void MapSurfaceWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_graphTried) {
        m_graphTried = true;
        createGraph();
    }
}

void MapSurfaceWindow::createGraph() {
    if (!openGlAvailable()) {
        m_noGraph->show();
        return;
    }
    auto* graph = new Q3DSurface;
    if (!graph->hasContext()) {
        delete graph;
        m_noGraph->show();
        return;
    }
    m_graph = graph;
    m_graph->setAxisX(makeAxis("RPM"));
    m_graph->setAxisZ(makeAxis("TPS [%]"));
    m_graph->setAxisY(makeAxis(QString()));
    m_graph->addSeries(m_series);
    // The rpm axis spans thousands, the throttle axis a hundred: a square floor keeps both
    // readable.
    m_graph->setHorizontalAspectRatio(1.0);
    Q3DCamera* camera = m_graph->scene()->activeCamera();
    camera->setCameraPreset(Q3DCamera::CameraPresetIsometricRightHigh);
    camera->setZoomLevel(80.0f); // the whole floor and its labels in view
    QFont labels = m_graph->activeTheme()->font();
    labels.setPointSize(36);
    m_graph->activeTheme()->setFont(labels);
    QWidget* container = QWidget::createWindowContainer(m_graph, this);
    container->setObjectName("Map3DGraph");
    container->setMinimumSize(320, 240);
    static_cast<QVBoxLayout*>(layout())->addWidget(container, 1);
    applyData();
}

void MapSurfaceWindow::showMap(const ParameterImage& image, std::size_t page, const QString& name) {
    m_data = mapSurfaceData(image, page);
    m_hasMap = true;
    m_name->setText(name);
    applyData();
}

void MapSurfaceWindow::applyData() {
    auto* rows = new QSurfaceDataArray;
    rows->reserve(static_cast<qsizetype>(MapSurfaceData::kRows));
    for (std::size_t r = 0; r < MapSurfaceData::kRows; ++r) {
        auto* row = new QSurfaceDataRow(static_cast<qsizetype>(MapSurfaceData::kCols));
        for (std::size_t c = 0; c < MapSurfaceData::kCols; ++c) {
            (*row)[static_cast<qsizetype>(c)].setPosition(QVector3D(
                static_cast<float>(m_data.speeds[c]), static_cast<float>(m_data.values[r][c]),
                static_cast<float>(m_data.throttles[r])));
        }
        rows->append(row);
    }
    m_series->dataProxy()->resetArray(rows);
    // The heat colours of the map grid: the gradient runs along the value axis, so its stops
    // put the map's lowest..highest value where the axis shows them.
    QLinearGradient heat;
    for (const HeatStop& stop :
         heatStops(m_data.heat, m_data.valueRange.min, m_data.valueRange.max)) {
        heat.setColorAt(stop.at, QColor(stop.colour.r, stop.colour.g, stop.colour.b));
    }
    m_series->setBaseGradient(heat);
    const QString unit = m_data.injection ? QStringLiteral("\u00b5s") : QStringLiteral("\u00b0");
    m_series->setItemLabelFormat(QString("@xLabel rpm, @zLabel %: @yLabel %1").arg(unit));
    if (m_graph != nullptr && m_hasMap) {
        setRange(m_graph->axisX(), m_data.speedRange);
        setRange(m_graph->axisZ(), m_data.throttleRange);
        setRange(m_graph->axisY(), m_data.valueRange);
        m_graph->axisY()->setSegmentCount(valueSegments(m_data));
        m_graph->axisY()->setTitle(QString("[%1]").arg(unit));
    }
    // A new array may drop the highlighted point.
    applyMark();
}

void MapSurfaceWindow::showMark(const MapMark& mark) {
    m_mark = mark.cellMarked ? QPoint(mark.row, mark.column) : noCell();
    if (m_series->selectedPoint() != m_mark) {
        applyMark();
    }
}

void MapSurfaceWindow::applyMark() {
    m_series->setSelectedPoint(m_mark);
}

QPoint MapSurfaceWindow::markedCell() const {
    return m_series->selectedPoint();
}

} // namespace kordana

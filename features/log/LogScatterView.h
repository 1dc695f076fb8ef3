#pragma once

#include "analysis/LogScatter.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <vector>

namespace kordana {

/// A scatter of a log's rows: one channel across, one up, a third giving each point's colour
/// (dark blue for its lowest value to yellow for its highest, grey without a value), over a
/// grid of the map's breakpoints and throttle rows when those channels are shown, so the
/// picture reads as the map.
class LogScatterView : public QWidget {
    Q_OBJECT

public:
    explicit LogScatterView(QWidget* parent);

    /// Shows `data`; the axes span its values.
    void setData(analysis::ScatterData data);
    const analysis::ScatterData& data() const { return m_data; }
    /// Grid lines at these values across (vertical lines) and up (horizontal lines).
    void setGrid(std::vector<double> xLines, std::vector<double> yLines);
    const std::vector<double>& xLines() const { return m_xLines; }
    const std::vector<double>& yLines() const { return m_yLines; }

    /// The plotted range of each axis (the data's span with a small margin).
    analysis::Span xRange() const { return m_xRange; }
    analysis::Span yRange() const { return m_yRange; }
    /// Where in a picture of `size` the value pair (x, y) is drawn.
    QPointF positionOf(double x, double y, QSize size) const;
    /// The colour a point of colour value `value` is drawn in.
    QColor colourOf(float value) const;
    /// The scatter drawn into a picture of `size`.
    QImage picture(QSize size) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect plotArea(QSize size) const;
    void drawGrid(QImage& image, const QRect& area) const;
    void drawPoints(QImage& image, const QRect& area) const;
    void drawAxes(QImage& image, const QRect& area) const;

    analysis::ScatterData m_data;
    analysis::Span m_xRange, m_yRange;
    std::vector<double> m_xLines, m_yLines;
};

/// The round values between `low` and `high` at which about `count` ticks of an axis go.
std::vector<double> roundTicks(double low, double high, std::size_t count);

} // namespace kordana

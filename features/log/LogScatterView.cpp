#include "features/log/LogScatterView.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace kordana {

namespace {

// A ramp that stays readable on white and for colour-blind eyes: dark blue, teal, green,
// yellow.
constexpr std::array<std::array<int, 3>, 5> kRamp{
    {{68, 1, 84}, {59, 82, 139}, {33, 145, 140}, {94, 201, 98}, {253, 231, 37}}};
const QColor kNoColour(150, 150, 150);
const QColor kGridColour(190, 190, 200);

constexpr int kLeft = 52;
constexpr int kBottom = 26;
constexpr int kTop = 8;
constexpr int kRight = 10;

analysis::Span padded(analysis::Span span) {
    if (span.empty()) {
        return {0, 1};
    }
    const double margin = span.high > span.low ? (span.high - span.low) * 0.03 : 1.0;
    return {span.low - margin, span.high + margin};
}

} // namespace

std::vector<double> roundTicks(double low, double high, std::size_t count) {
    std::vector<double> ticks;
    if (!(high > low) || count == 0) {
        return ticks;
    }
    const double step = analysis::roundBinWidth(high - low, count);
    for (double k = std::ceil(low / step - 1e-9); k * step <= high + step * 1e-9; k += 1) {
        ticks.push_back(k * step);
    }
    return ticks;
}

LogScatterView::LogScatterView(QWidget* parent) : QWidget(parent) {
    setObjectName("ViewLogScatter");
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LogScatterView::setData(analysis::ScatterData data) {
    m_data = std::move(data);
    m_xRange = padded(m_data.xSpan);
    m_yRange = padded(m_data.ySpan);
    update();
}

void LogScatterView::setGrid(std::vector<double> xLines, std::vector<double> yLines) {
    m_xLines = std::move(xLines);
    m_yLines = std::move(yLines);
    update();
}

QRect LogScatterView::plotArea(QSize size) const {
    return QRect(kLeft, kTop, std::max(1, size.width() - kLeft - kRight),
                 std::max(1, size.height() - kTop - kBottom));
}

QPointF LogScatterView::positionOf(double x, double y, QSize size) const {
    const QRect area = plotArea(size);
    const double fx = (x - m_xRange.low) / (m_xRange.high - m_xRange.low);
    const double fy = (y - m_yRange.low) / (m_yRange.high - m_yRange.low);
    return {area.left() + fx * (area.width() - 1), area.bottom() - fy * (area.height() - 1)};
}

QColor LogScatterView::colourOf(float value) const {
    const analysis::Span& span = m_data.colourSpan;
    if (std::isnan(value) || span.empty()) {
        return kNoColour;
    }
    const double f = span.high > span.low ? (value - span.low) / (span.high - span.low) : 0.5;
    const double at = std::clamp(f, 0.0, 1.0) * (kRamp.size() - 1);
    const auto i = std::min(static_cast<std::size_t>(at), kRamp.size() - 2);
    const double t = at - static_cast<double>(i);
    auto mix = [&](std::size_t channel) {
        return static_cast<int>(
            std::lround(kRamp[i][channel] * (1 - t) + kRamp[i + 1][channel] * t));
    };
    return QColor(mix(0), mix(1), mix(2));
}

// Each point is a 3 x 3 square written straight into the picture: a hundred thousand points
// cost a few milliseconds, where a painter's shapes would cost a hundred times more.
void LogScatterView::drawPoints(QImage& image, const QRect& area) const {
    const int width = image.width();
    auto* pixels = reinterpret_cast<QRgb*>(image.bits());
    const double sx = (area.width() - 1) / (m_xRange.high - m_xRange.low);
    const double sy = (area.height() - 1) / (m_yRange.high - m_yRange.low);
    for (std::size_t i = 0; i < m_data.size(); ++i) {
        const int px =
            area.left() + static_cast<int>(std::lround((m_data.x[i] - m_xRange.low) * sx));
        const int py =
            area.bottom() - static_cast<int>(std::lround((m_data.y[i] - m_yRange.low) * sy));
        const QRgb colour = colourOf(m_data.colour[i]).rgb();
        for (int y = std::max(area.top(), py - 1); y <= std::min(area.bottom(), py + 1); ++y) {
            for (int x = std::max(area.left(), px - 1); x <= std::min(area.right(), px + 1); ++x) {
                pixels[y * width + x] = colour;
            }
        }
    }
}

// The map's breakpoints and throttle rows, under the points.
void LogScatterView::drawGrid(QImage& image, const QRect& area) const {
    QPainter p(&image);
    p.setPen(QPen(kGridColour, 1, Qt::DashLine));
    for (const double x : m_xLines) {
        const double px = positionOf(x, m_yRange.low, image.size()).x();
        if (px >= area.left() && px <= area.right()) {
            p.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
        }
    }
    for (const double y : m_yLines) {
        const double py = positionOf(m_xRange.low, y, image.size()).y();
        if (py >= area.top() && py <= area.bottom()) {
            p.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
        }
    }
}

void LogScatterView::drawAxes(QImage& image, const QRect& area) const {
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawRect(area.adjusted(0, 0, -1, -1));
    for (const double x : roundTicks(m_xRange.low, m_xRange.high, 8)) {
        const double px = positionOf(x, 0, image.size()).x();
        p.drawText(QRectF(px - 40, area.bottom() + 2, 80, kBottom - 2), Qt::AlignHCenter,
                   QString::number(x, 'g', 6));
    }
    for (const double y : roundTicks(m_yRange.low, m_yRange.high, 6)) {
        const double py = positionOf(0, y, image.size()).y();
        p.drawText(QRectF(0, py - 8, kLeft - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(y, 'g', 6));
    }
}

QImage LogScatterView::picture(QSize size) const {
    QImage image(size.expandedTo(QSize(kLeft + kRight + 2, kTop + kBottom + 2)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect area = plotArea(image.size());
    drawGrid(image, area);
    drawPoints(image, area);
    drawAxes(image, area);
    return image;
}

void LogScatterView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture(size()));
}

} // namespace kordana

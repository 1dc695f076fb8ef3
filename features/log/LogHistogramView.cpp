#include "features/log/LogHistogramView.h"

#include "features/log/LogScatterView.h"

#include <QPainter>

#include <algorithm>

namespace kordana {

namespace {

constexpr int kLeft = 52;
constexpr int kBottom = 26;
constexpr int kTop = 8;
constexpr int kRight = 10;
const QColor kBarColour(0, 114, 178);

std::uint32_t highest(const analysis::Histogram& histogram) {
    return histogram.counts.empty()
               ? 0
               : *std::max_element(histogram.counts.begin(), histogram.counts.end());
}

} // namespace

LogHistogramView::LogHistogramView(QWidget* parent) : QWidget(parent) {
    setObjectName("ViewLogHistogram");
    setMinimumSize(320, 200);
}

void LogHistogramView::setHistogram(analysis::Histogram histogram) {
    m_histogram = std::move(histogram);
    update();
}

QRect LogHistogramView::plotArea(QSize size) const {
    return QRect(kLeft, kTop, std::max(1, size.width() - kLeft - kRight),
                 std::max(1, size.height() - kTop - kBottom));
}

QRectF LogHistogramView::barOf(std::size_t bin, QSize size) const {
    const QRect area = plotArea(size);
    const std::size_t bins = m_histogram.counts.size();
    const std::uint32_t top = highest(m_histogram);
    if (bin >= bins || top == 0) {
        return {};
    }
    const double width = static_cast<double>(area.width()) / static_cast<double>(bins);
    const double height = area.height() * static_cast<double>(m_histogram.counts[bin]) / top;
    return {area.left() + width * static_cast<double>(bin), area.bottom() + 1 - height, width,
            height};
}

void LogHistogramView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QRect area = plotArea(size());
    const std::size_t bins = m_histogram.counts.size();
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(kBarColour);
    for (std::size_t b = 0; b < bins; ++b) {
        p.drawRect(barOf(b, size()));
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(area.adjusted(0, 0, -1, -1));
    if (bins == 0) {
        return;
    }
    // Edge labels at a round step of bins, so that they do not crowd.
    const double low = m_histogram.start;
    const double high = m_histogram.edge(bins);
    for (const double edge : roundTicks(low, high, 8)) {
        const double x = area.left() + (edge - low) / (high - low) * area.width();
        p.drawText(QRectF(x - 40, area.bottom() + 2, 80, kBottom - 2), Qt::AlignHCenter,
                   QString::number(edge, 'g', 6));
    }
    for (const double count : roundTicks(0, highest(m_histogram), 5)) {
        const double y = area.bottom() - count / highest(m_histogram) * area.height();
        p.drawText(QRectF(0, y - 8, kLeft - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(count, 'g', 8));
    }
}

} // namespace kordana

#pragma once

#include "analysis/LogRange.h"

#include <QWidget>

namespace kordana {

/// The histogram of one channel: a bar per bin, its count up, the bins' round edges across.
class LogHistogramView : public QWidget {
    Q_OBJECT

public:
    explicit LogHistogramView(QWidget* parent);

    void setHistogram(analysis::Histogram histogram);
    const analysis::Histogram& histogram() const { return m_histogram; }
    /// The bar of bin `bin` in a view of `size`.
    QRectF barOf(std::size_t bin, QSize size) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect plotArea(QSize size) const;

    analysis::Histogram m_histogram;
};

} // namespace kordana

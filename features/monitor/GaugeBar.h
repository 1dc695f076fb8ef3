#pragma once

#include <QProgressBar>

namespace kordana {

/// A flat gauge: a sunken white trough filled from the left in the palette's highlight colour
/// (the fore colour). It paints every pixel of its rectangle itself, so a new value repaints
/// the gauge alone and never the widgets behind it.
class GaugeBar : public QProgressBar {
    Q_OBJECT

public:
    /// A gauge with the range 0..100, no text, at 0.
    explicit GaugeBar(QWidget* parent = nullptr);

    /// Sets the value, clamped into the range (the base class ignores values outside it), and
    /// leaves the repaint to the next paint of the window instead of painting at once.
    void setClampedValue(int value);

    /// 160 x 12 pixels; a layout short of room may narrow it down to minimumSizeHint().
    QSize sizeHint() const override { return {160, 12}; }
    /// 80 x 12 pixels.
    QSize minimumSizeHint() const override { return {80, 12}; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kordana

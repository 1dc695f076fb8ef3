#pragma once

#include <QWidget>

class QPainter;
class QTimer;

namespace kordana {

/// A small two-arrow button: the upper half emits upClick, the lower half downClick. A click
/// fires on the mouse press and repeats while the button is held, as an up-down does.
class TCSpinButton : public QWidget {
    Q_OBJECT

public:
    /// Which half is held down.
    enum class Half { None, Up, Down };

    /// A spin button; it never takes the keyboard focus.
    explicit TCSpinButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;

    /// Paints a two-arrow look into `rect` of `widget` in its style and palette; each look is
    /// drawn once and then copied from the pixmap cache (grids hold many of them).
    static void paintArrows(QPainter& painter, const QWidget* widget, const QRect& rect,
                            Half pressed);
    /// The half of a two-arrow look of height `height` at vertical position `y`.
    static Half halfAt(int y, int height) { return y < height / 2 ? Half::Up : Half::Down; }

    /// Milliseconds before a held arrow repeats, and between repeats.
    static constexpr int kRepeatDelayMs = 400;
    static constexpr int kRepeatIntervalMs = 80;

signals:
    /// The upper arrow was pressed (or is still held).
    void upClick();
    /// The lower arrow was pressed (or is still held).
    void downClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fire();
    void stopRepeat();

    Half m_pressed = Half::None;
    QTimer* m_repeat = nullptr;
};

} // namespace kordana

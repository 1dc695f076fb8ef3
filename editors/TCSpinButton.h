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
    /// A spin button of the given size; it never takes the keyboard focus.
    explicit TCSpinButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;

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
    enum class Half { None, Up, Down };
    void drawLook(QPainter& painter) const;
    void fire();
    void stopRepeat();

    Half m_pressed = Half::None;
    QTimer* m_repeat = nullptr;
};

} // namespace kordana

#pragma once

#include "editors/TCSpinButton.h"

#include <QLineEdit>

class QTimer;

namespace kordana {

/// An edit field with its attached up-down, as one control. The up-down holds the
/// authoritative position: the edit shows it as a decimal integer, the arrows at its right
/// edge step it by the increment within minimum..maximum, and reading the position takes over
/// a number typed into the edit only if it is an integer inside the range. One widget per
/// field keeps grids of 165 fields cheap to show, move and paint.
class UpDownEdit : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int kEditWidth = 40;
    static constexpr int kArrowsWidth = 16;
    static constexpr int kHeight = 21;

    /// A field whose edit part is `editWidth` wide with the arrows at its right edge.
    explicit UpDownEdit(QWidget* parent = nullptr, int editWidth = kEditWidth);
    /// The width of the edit part, left of the arrows.
    int editWidth() const { return m_editWidth; }

    /// The edit part (for key and click bindings, colours and names): the field itself.
    QLineEdit* edit() { return this; }

    /// Sets minimum, maximum and increment; the position is clamped into the new range.
    void setRange(int minimum, int maximum, int increment);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int increment() const { return m_increment; }

    /// The position, after taking over the edit's text when it is an integer within range.
    int position();
    /// Sets the position clamped to the range and shows it in the edit.
    void setPosition(int value);

    /// Shows or hides the arrows (a locked page hides them, its values stay visible).
    void setArrowsVisible(bool visible);
    bool arrowsVisible() const { return m_arrowsVisible; }
    /// Draws a red border around the edit part (a value that differs from the unit's); the
    /// background, where the operating-point cursor shows, stays as it is.
    void setOutlined(bool outlined);
    bool outlined() const { return m_outlined; }
    /// Where the upper (`up`) or lower arrow is, in the field's coordinates.
    QRect arrowRect(bool up) const;
    /// True when `pos` (field coordinates) lies on the shown arrows.
    bool isOnArrows(const QPoint& pos) const;

signals:
    /// An arrow stepped the position (after the edit shows the new value).
    void upDownClicked();
    /// The mouse button was released after pressing an arrow.
    void arrowsReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void step();
    void stepBy(TCSpinButton::Half half);
    void stopRepeat();
    void showPosition();
    void fitFont();
    QRect arrowsRect() const;

    int m_editWidth = kEditWidth;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_increment = 1;
    int m_position = 0;
    bool m_arrowsVisible = true;
    bool m_outlined = false;
    TCSpinButton::Half m_pressed = TCSpinButton::Half::None;
    QTimer* m_repeat = nullptr;
};

} // namespace kordana

#pragma once

#include <QWidget>

class QLineEdit;

namespace kordana {

class TCSpinButton;

/// An edit field with its attached up-down, as one control. The up-down holds the
/// authoritative position: the edit shows it as a decimal integer, the arrows step it by the
/// increment within minimum..maximum, and reading the position takes over a number typed into
/// the edit only if it is an integer inside the range.
class UpDownEdit : public QWidget {
    Q_OBJECT

public:
    static constexpr int kEditWidth = 40;
    static constexpr int kArrowsWidth = 16;
    static constexpr int kHeight = 21;

    /// A field whose edit is `editWidth` wide with the arrows at its right edge.
    explicit UpDownEdit(QWidget* parent = nullptr, int editWidth = kEditWidth);

    /// The edit part (for key and click bindings, colours and names).
    QLineEdit* edit() const { return m_edit; }
    /// The up-down part.
    TCSpinButton* arrows() const { return m_arrows; }

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

    /// Moves the field so that its edit's left edge is at `x`.
    void place(int x, int y) { move(x, y); }

signals:
    /// An arrow stepped the position (after the edit shows the new value).
    void upDownClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(int direction);
    void showPosition();

    QLineEdit* m_edit = nullptr;
    TCSpinButton* m_arrows = nullptr;
    int m_editWidth = kEditWidth;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_increment = 1;
    int m_position = 0;
};

} // namespace kordana

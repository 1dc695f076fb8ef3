#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QWidget;

namespace kordana {

/// Steps that wait until a window is on the screen: `add` runs a step at once when the window
/// is shown already, and otherwise from the event loop after the window's next show event
/// (which comes before the window is on the screen).
class ShownSteps final : public QObject {
public:
    explicit ShownSteps(QWidget& window);

    void add(std::function<void()> step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::vector<std::function<void()>> m_steps;
};

} // namespace kordana

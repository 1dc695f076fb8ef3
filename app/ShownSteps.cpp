#include "app/ShownSteps.h"

#include <QEvent>
#include <QWidget>

#include <utility>

namespace kordana {

ShownSteps::ShownSteps(QWidget& window) : QObject(&window), m_window(window) {
    window.installEventFilter(this);
}

void ShownSteps::add(std::function<void()> step) {
    if (m_window.isVisible()) {
        step();
        return;
    }
    m_steps.push_back(std::move(step));
}

bool ShownSteps::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Show && !m_steps.empty()) {
        for (auto& step : std::exchange(m_steps, {})) {
            QMetaObject::invokeMethod(&m_window, std::move(step), Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kordana

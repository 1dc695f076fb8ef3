#include "app/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace kordana {

namespace {

bool frameInside(const SavedPlacement& saved, const QRect& area, const QMargins& frame) {
    const long long frameWidth = saved.width + frame.left() + frame.right();
    const long long frameHeight = saved.height + frame.top() + frame.bottom();
    return saved.width >= 1 && saved.height >= 1 && saved.left >= area.left() &&
           saved.top >= area.top() &&
           saved.left + frameWidth <= static_cast<long long>(area.left()) + area.width() &&
           saved.top + frameHeight <= static_cast<long long>(area.top()) + area.height();
}

int boundedSize(long long saved, int fallback, long long room) {
    const long long wanted = saved >= 1 ? saved : fallback;
    return static_cast<int>(std::clamp(wanted, 1LL, std::max(1LL, room)));
}

std::function<std::vector<QRect>()>& standInAreas() {
    static std::function<std::vector<QRect>()> areas;
    return areas;
}

// Fits the window where it stands, its frame counted; a place that fits is kept.
void fitWithFrame(QWidget& window) {
    if (window.windowState() != Qt::WindowNoState) {
        return; // maximised, full screen or minimised: the window system places it
    }
    placeWindow(window, {window.x(), window.y(), window.width(), window.height()}, window.size());
}

// Watches a window until it is first shown and then exposed, fitting it at each.
class FrameFit : public QObject {
public:
    explicit FrameFit(QWidget& window) : QObject(&window), m_window(window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Show) {
            m_window.removeEventFilter(this);
            fitWithFrame(m_window);
            if (QWindow* handle = m_window.windowHandle()) {
                handle->installEventFilter(this);
            } else {
                deleteLater();
            }
        } else if (watched == m_window.windowHandle() && event->type() == QEvent::Expose &&
                   m_window.windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            fitWithFrame(m_window);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& m_window;
};

} // namespace

QRect fitPlacement(const SavedPlacement& saved, std::span<const QRect> areas, const QMargins& frame,
                   const QSize& fallbackSize) {
    if (areas.empty()) {
        const int width = boundedSize(saved.width, fallbackSize.width(), QWIDGETSIZE_MAX);
        const int height = boundedSize(saved.height, fallbackSize.height(), QWIDGETSIZE_MAX);
        const auto coordinate = [](long long v) {
            return static_cast<int>(std::clamp(v, -1LL * QWIDGETSIZE_MAX, 1LL * QWIDGETSIZE_MAX));
        };
        return {coordinate(saved.left), coordinate(saved.top), width, height};
    }
    for (const QRect& area : areas) {
        if (frameInside(saved, area, frame)) {
            return {static_cast<int>(saved.left), static_cast<int>(saved.top),
                    static_cast<int>(saved.width), static_cast<int>(saved.height)};
        }
    }
    const QRect& area = areas.front();
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    const int width = boundedSize(saved.width, fallbackSize.width(), area.width() - frameWidth);
    const int height =
        boundedSize(saved.height, fallbackSize.height(), area.height() - frameHeight);
    // As at a first start: centred, dividing with truncation toward zero.
    return {area.x() + (area.width() - width - frameWidth) / 2,
            area.y() + (area.height() - height - frameHeight) / 2, width, height};
}

std::vector<QRect> availableAreas() {
    if (standInAreas()) {
        return standInAreas()();
    }
    std::vector<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        areas.push_back(primary->availableGeometry());
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) {
            areas.push_back(screen->availableGeometry());
        }
    }
    return areas;
}

void setAvailableAreas(std::function<std::vector<QRect>()> areas) {
    standInAreas() = std::move(areas);
}

void placeWindow(QWidget& window, const SavedPlacement& saved, const QSize& fallbackSize) {
    const std::vector<QRect> areas = availableAreas();
    const QRect frame = window.frameGeometry();
    const QRect inside = window.geometry();
    const QMargins margins(inside.left() - frame.left(), inside.top() - frame.top(),
                           frame.right() - inside.right(), frame.bottom() - inside.bottom());
    const QRect placed = fitPlacement(saved, areas, margins, fallbackSize);
    window.resize(placed.size());
    window.move(placed.topLeft());
}

void fitAgainWhenFramed(QWidget& window) {
    if (window.isVisible()) {
        fitWithFrame(window);
        return;
    }
    new FrameFit(window);
}

} // namespace kordana

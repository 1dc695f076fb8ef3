#pragma once

#include <QMargins>
#include <QRect>

#include <functional>
#include <span>
#include <vector>

class QWidget;

namespace kordana {

/// A window's place as the settings file keeps it: the frame's top-left corner and the size of
/// the inside. Wide integers, so that no sum of two saved values can overflow.
struct SavedPlacement {
    long long left = 0;
    long long top = 0;
    long long width = 0;
    long long height = 0;
};

/// Where a window with this saved place opens, given the screens' available areas (the first
/// is the primary screen) and the frame around the inside. A place whose frame lies wholly in
/// one of the areas is kept. Otherwise the window is centred on the primary area, at its saved
/// size but at most as large as the area allows (a size below 1 takes `fallbackSize`). Without
/// any area the size is only bounded by what a widget can be and the position kept.
QRect fitPlacement(const SavedPlacement& saved, std::span<const QRect> areas, const QMargins& frame,
                   const QSize& fallbackSize);

/// The available areas of the screens (without panels and docks), the primary screen's first.
std::vector<QRect> availableAreas();
/// Makes availableAreas() answer `areas` instead of the present screens (a test stands in for
/// a screen it does not have); an empty function gives the screens back.
void setAvailableAreas(std::function<std::vector<QRect>()> areas);

/// Moves and resizes `window` to fitPlacement() of `saved` on the available areas.
void placeWindow(QWidget& window, const SavedPlacement& saved, const QSize& fallbackSize);

/// Before a window is first shown the window system has not framed it, so placeWindow() counts
/// no frame. This fits `window` once more with its frame, so that the whole frame lies on one
/// available area: at its first show (where the frame is known as soon as the window exists)
/// and at its first exposure (where a window manager frames it after mapping). A window in
/// its normal state only; one already shown is fitted at once.
void fitAgainWhenFramed(QWidget& window);

} // namespace kordana

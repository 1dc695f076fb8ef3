#pragma once

#include "params/ParameterImage.h"

#include <cstddef>
#include <cstdint>

// How the maps of a triple follow their master: the ignition maps (pages 0..2) under MODE[0],
// the injection banks A (3..5) and B (6..8) under MODE[1]. Pure image arithmetic, no widgets.
namespace kordana::coupling {

inline constexpr std::uint8_t kSeparate = 0;
inline constexpr std::uint8_t kCoupled = 1;
inline constexpr std::uint8_t kSame = 2; ///< 1 = 2 = 3

inline constexpr int kIgnitionGroup = 0;
inline constexpr int kInjectionGroup = 1;

/// True for the nine map pages 0..8.
constexpr bool isMapPage(int page) {
    return page >= 0 && page < static_cast<int>(kMapPageCount);
}
/// The coupling group of a map page: 0 ignition (pages 0..2), 1 injection (3..8).
constexpr int groupOf(int page) {
    return page <= 2 ? kIgnitionGroup : kInjectionGroup;
}
/// The master page of a map page's triple: 0, 3 or 6.
constexpr int masterOf(int page) {
    return page / 3 * 3;
}
/// True for the master pages 0, 3 and 6.
constexpr bool isMaster(int page) {
    return isMapPage(page) && page % 3 == 0;
}

/// The stored mode byte of a group (MODE[group]); it may hold any byte after a file or a read.
std::uint8_t modeOf(const ParameterImage& image, int group);
/// The mode governing a page: MODE[0] for pages 0..2, MODE[1] for the others.
std::uint8_t modeForPage(const ParameterImage& image, int page);

/// The image index of the element matching master element `masterIndex` in sibling k (1 or 2).
/// Breakpoints are 15 bytes apart from map to map, cells 150.
std::size_t siblingIndex(std::size_t masterIndex, int k);

/// The harvest rule on a master page, after the master element `index` went from `before` to
/// `after`: Coupled moves each sibling by the same difference (clamped 0..255), 1 = 2 = 3 copies.
/// Does nothing on other pages or in Separate.
void applyHarvestRule(ParameterImage& image, int page, std::size_t index, std::uint8_t before,
                      std::uint8_t after);

/// Steps element `index` of the map on `page` by one stored unit (direction +1 or -1): down only
/// above 0, up only below 250. On a master page the step goes to the siblings in Coupled, and
/// the new value is copied to them in 1 = 2 = 3.
void stepElement(ParameterImage& image, int page, std::size_t index, int direction);

/// Steps the ten cells of column `column` (0..14) of the map on `page`, as stepElement does.
void stepColumn(ParameterImage& image, int page, std::size_t column, int direction);

/// Copies the master breakpoints of a group into their siblings (both banks for injection).
void copyBreakpoints(ParameterImage& image, int group);
/// Copies the master cells of a group into their siblings (both banks for injection).
void copyCells(ParameterImage& image, int group);

/// True on a sibling page whose group is Coupled: its values are shown but not edited.
bool isLocked(const ParameterImage& image, int page);
/// True for a sibling page whose tab is hidden because its group is 1 = 2 = 3.
bool isTabHidden(const ParameterImage& image, int page);
/// `page`, or its master when its tab is hidden.
int visiblePageFor(const ParameterImage& image, int page);

/// What the mode indicator on the map grid shows for a page.
struct Indicator {
    bool visible = false;
    bool same = false; ///< "  1=2=3  " on aqua; otherwise "  1->2->3  " on yellow
};
/// The indicator for `page`: shown when the governing mode is not Separate.
Indicator indicatorFor(const ParameterImage& image, int page);

} // namespace kordana::coupling

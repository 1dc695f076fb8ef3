#pragma once

#include <span>
#include <vector>

class QTabWidget;

namespace kordana {

/// A place of a menu: an item a feature adds, or (`separator`) a separator the frame makes.
struct MenuPlace {
    const char* name;
    bool separator = false;
};

/// A menu of the menu bar with its places in order; `exclusive` menus check one item at a time.
struct MenuPlaces {
    const char* name;
    const char* caption;
    bool exclusive;
    std::vector<MenuPlace> places;
};

/// The menu bar's menus in their given order, each with its places.
const std::vector<MenuPlaces>& menuPlaces();
/// The tool bar's places: glyph buttons, then text buttons.
std::span<const char* const> toolBarPlaces();
/// Adds the fourteen tab sheets of PageControl1 to `pages`, in page order, with their captions.
void addPageSheets(QTabWidget& pages);

} // namespace kordana

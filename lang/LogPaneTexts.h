#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kordana {

/// The texts of the log window's panes, channel list, live follow, comparison and markers in
/// one language. "%1" is filled by the caller.
struct LogPaneTexts {
    std::array<std::string_view, 8> groups;   ///< engine, fuel, ignition, knock, sensors,
                                              ///< corrections, flags, test values
    std::string_view search;                  ///< the channel list's search field, empty
    std::string_view moveToPane;              ///< "%1" the pane's number
    std::string_view newPane;                 ///< a pane of its own at the bottom
    std::string_view removeFromPlot;          ///< takes the channel off the plot
    std::string_view follow;                  ///< the toggle that keeps the newest rows in view
    std::string_view compare;                 ///< the button that opens a second log over the first
    std::string_view closeCompare;            ///< takes the second log away
    std::string_view alignStart;              ///< the second log's first row over the first's
    std::string_view alignMarker;             ///< "%1" the marker number both logs are aligned at
    std::string_view markers;                 ///< the caption above the marker list
    std::string_view marker;                  ///< "%1" the marker number, "%2" its time in s
    std::string_view alarm;                   ///< after a knock channel's caption: its alarm line
    std::array<std::string_view, 3> limiters; ///< start, ignition, injection limiter
    std::string_view defaultLayout;           ///< the button that brings the first-look panes back
};

/// The pane texts for a language index (0 English .. 3 Czech; above 3 reads as English).
LogPaneTexts logPaneTextsFor(std::uint8_t languageIndex);

} // namespace kordana

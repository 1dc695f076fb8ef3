#pragma once

#include <cstdint>
#include <string_view>

namespace kordana {

/// The texts of the log analysis (scatter, cell tables, histogram, range, markers) and of the
/// markers and the replay in the main window, in one language. "%1" and "%2" are filled by
/// the caller.
struct LogToolTexts {
    std::string_view markerSet;    ///< status bar: "%1" the marker's number
    std::string_view replayHint;   ///< tooltip of the replay indicator
    std::string_view title;        ///< the analysis window's title
    std::string_view scatter;      ///< tab
    std::string_view cells;        ///< tab
    std::string_view histogram;    ///< tab
    std::string_view range;        ///< tab
    std::string_view markers;      ///< tab
    std::string_view xChannel;     ///< scatter: the channel across
    std::string_view yChannel;     ///< scatter: the channel up
    std::string_view colour;       ///< scatter: the channel giving the colour
    std::string_view points;       ///< scatter: "%1" the points shown
    std::string_view map;          ///< cells: which map
    std::string_view channel;      ///< cells, histogram: which channel
    std::string_view figure;       ///< cells: which figure of a cell
    std::string_view count;        ///< figure: rows in the cell
    std::string_view seconds;      ///< figure: time in the cell
    std::string_view mean;         ///< figure
    std::string_view minimum;      ///< figure
    std::string_view maximum;      ///< figure
    std::string_view events;       ///< figure: rows with the flag set
    std::string_view hits;         ///< preset
    std::string_view meanLambda;   ///< preset
    std::string_view knockEvents;  ///< preset
    std::string_view showOnMap;    ///< cells: overlay on the map page
    std::string_view bins;         ///< histogram: how many bins
    std::string_view from;         ///< range: start, s
    std::string_view to;           ///< range: end, s
    std::string_view visibleRange; ///< range: take the plot's visible range
    std::string_view exportCsv;    ///< range: export button
    std::string_view exported;     ///< "%1" the file written
    std::string_view exportError;  ///< "%1" the file, "%2" the system's reason
    std::string_view values;       ///< range table: values in the range
    std::string_view rows;         ///< "%1" rows in the range
    std::string_view marker;       ///< markers list: the number
    std::string_view time;         ///< markers list: seconds since the start
    std::string_view timestamp;    ///< markers list: the row's timestamp
};

/// The log analysis texts for a language index (0 English .. 3 Czech; above 3 reads as
/// English).
LogToolTexts logToolTextsFor(std::uint8_t languageIndex);

} // namespace kordana

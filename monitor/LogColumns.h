#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// The groups the log window lists its columns in, in the order shown.
enum class LogGroup : std::uint8_t {
    Engine,
    Fuel,
    Ignition,
    Knock,
    Sensors,
    Corrections,
    Flags,
    TestValues,
};
inline constexpr std::size_t kLogGroupCount = 8;

/// What the log window knows of a column by its name.
struct LogColumnInfo {
    LogGroup group = LogGroup::Sensors;
    bool flag = false;           ///< 0 or 1: drawn as steps
    std::string_view caption;    ///< the monitor's caption, or the column name
    std::string_view unit;       ///< the name's last part ("rpm", "mv"); columns of one unit share
                                 ///< a value axis
    std::size_t colourIndex = 0; ///< into the plot palette, a function of the name alone
};

/// The plot palette's size: strong colours readable on white, in an order that keeps
/// neighbours apart for colour-blind eyes too.
inline constexpr std::size_t kLogPaletteSize = 7;
/// The palette as 0xRRGGBB.
inline constexpr std::array<std::uint32_t, kLogPaletteSize> kLogPalette{
    0x0072B2, 0xD55E00, 0x009E73, 0xCC79A7, 0xE69F00, 0x56B4E9, 0x000000};

LogColumnInfo logColumnInfo(std::string_view column);

/// True when `query` (any case) is empty or found in the column's name or caption.
bool columnMatches(std::string_view column, std::string_view query);

/// Which columns are drawn in which pane, top to bottom; a column stands in one pane at most.
struct LogLayout {
    std::vector<std::vector<std::string>> panes;

    /// The pane holding `column`, or nothing.
    std::optional<std::size_t> paneOf(std::string_view column) const;
    /// Puts `column` into pane `pane` (a pane past the last: a new pane at the bottom), out of
    /// the pane it stood in; panes left empty go.
    void moveTo(std::string_view column, std::size_t pane);
    /// Takes `column` off the plot; a pane left empty goes.
    void remove(std::string_view column);
    /// Plots `column` with the first pane holding a column of its group and unit (the other
    /// injectors, temperatures), else in a new pane.
    void add(std::string_view column);

    /// "a,b;c" (panes apart by ';', columns by ','), as the settings keep it.
    std::string text() const;
    static LogLayout parse(std::string_view text);
    bool operator==(const LogLayout&) const = default;
};

/// The first look at a run: speed and throttle; lambda; advance; knock 1..3.
LogLayout defaultLogLayout();

} // namespace kordana

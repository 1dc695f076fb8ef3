#pragma once

#include <array>
#include <cstddef>

namespace kordana {

class UpDownEdit;

/// The shape of the map grid that its parts share: 10 throttle rows of 15 cells, numbered
/// row by row.
namespace mapgrid {

inline constexpr int kRows = 10;
inline constexpr int kCols = 15;
inline constexpr int kCells = kRows * kCols;

using CellFields = std::array<UpDownEdit*, kCells>;
using CellFlags = std::array<bool, kCells>;

inline std::size_t idx(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace mapgrid
} // namespace kordana

#pragma once

#include "params/ParameterImage.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Block operations on a map: interpolation, smoothing, set / add / scale, copy and paste of a
// rectangle of cells. Pure image arithmetic in shown units (degrees, microseconds), no widgets.
//
// Rounding: every result is the exact value (a rational number) rounded to the nearest
// multiple of the map's step (1 degree, 50 us), halves upwards, then clamped to the map's range
// (0..60 degrees, 0..12500 us). So 18 .. 31 over five cells (18, 21.25, 24.5, 27.75, 31) gives
// 18, 21, 25, 28, 31 in either direction, and 110 % of 3450 us (3795) gives 3800 us.
namespace kordana::mapblock {

/// A rectangle of cells of one map: rows top..bottom (0..9), columns left..right (0..14), both
/// ends included.
struct CellBlock {
    std::size_t top = 0;
    std::size_t left = 0;
    std::size_t bottom = 0;
    std::size_t right = 0;

    std::size_t rows() const { return bottom - top + 1; }
    std::size_t columns() const { return right - left + 1; }
    /// True when the corners are in order and inside a 10 x 15 map.
    bool valid() const;
    friend bool operator==(const CellBlock&, const CellBlock&) = default;
};

/// The block with corner cells (`row1`, `column1`) and (`row2`, `column2`), in any order.
CellBlock spanning(std::size_t row1, std::size_t column1, std::size_t row2, std::size_t column2);

/// The shaping operations.
enum class Shape {
    Rows,     ///< each row between its first and last cell of the block
    Columns,  ///< each column between its top and bottom cell of the block
    Bilinear, ///< every cell from the four corners
    Smooth,   ///< every inner cell the average of its 3 x 3 neighbours; the block's edge kept
};

/// The operations of "Edit selection...", in shown units.
enum class EditKind {
    Set,   ///< every cell := value
    Add,   ///< every cell += value (a negative value subtracts)
    Scale, ///< every cell := cell x value / 100 (value in percent)
};
struct BlockEdit {
    EditKind kind = EditKind::Set;
    int value = 0;
};

/// How the cells of a map page are shown: the step and range of its parameter.
struct CellRange {
    int step = 1;
    int minimum = 0;
    int maximum = 0;
};
/// The cell range of map page `page` (0..8), from the parameter table.
CellRange cellRangeOf(int page);

/// Values of a block in shown units, row by row.
using ValueRows = std::vector<std::vector<int>>;

/// The nearest multiple of `step` to `numerator` / `denominator` (denominator > 0, step > 0),
/// halves upwards.
long long roundToStep(long long numerator, long long denominator, int step);

/// The block's values as the grid shows them (stored value converted, limited to the range).
ValueRows shownValues(const ParameterImage& image, int page, const CellBlock& block);

// The writers below change nothing for a page outside 0..8 or an invalid block. Each writes
// the block's cells of map page `page`; on a coupling master page (0, 3, 6) every written cell
// goes to the siblings as a harvested cell does: Coupled moves them by the same stored
// difference, 1 = 2 = 3 copies.
/// Shapes the block; a block too small for the shape (one cell wide for Rows) keeps its values.
void shape(ParameterImage& image, int page, const CellBlock& block, Shape shape);
/// Sets, offsets or scales every cell of the block.
void edit(ParameterImage& image, int page, const CellBlock& block, const BlockEdit& edit);
/// Writes `values` with their first value at (`row`, `column`); what runs over the map's edge
/// is left out.
void paste(ParameterImage& image, int page, std::size_t row, std::size_t column,
           const ValueRows& values);

/// The block's shown values as text: values separated by tabs, each row ending in a new line,
/// as a spreadsheet takes a block.
std::string copyText(const ParameterImage& image, int page, const CellBlock& block);
/// Reads pasted text for map page `page`: rows on lines, values separated by tabs, semicolons,
/// commas or spaces, each a decimal number (a fraction with '.' allowed, or with ',' in a line
/// split at tabs or semicolons) within the map's range, rounded to its step. None when anything
/// is not such a number, or nothing is there.
std::optional<ValueRows> parsePaste(std::string_view text, int page);

} // namespace kordana::mapblock

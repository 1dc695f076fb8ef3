#pragma once

#include "sheet/TuneSheet.h"

#include <vector>

namespace kordana {

/// Page geometry of the tune sheet, in millimetres: A4 portrait.
namespace sheetmm {
inline constexpr double kPageWidth = 210.0;
inline constexpr double kPageHeight = 297.0;
inline constexpr double kMarginSide = 15.0;
inline constexpr double kMarginTop = 12.0;
inline constexpr double kFooter = 14.0; ///< from the bottom edge to the end of the content
inline constexpr double kContentWidth = kPageWidth - 2 * kMarginSide;
inline constexpr double kContentBottom = kPageHeight - kFooter;
inline constexpr double kSheetTitle = 12.0; ///< the title line on the first page
inline constexpr double kHeading = 9.0;
inline constexpr double kTableTitle = 6.5;
inline constexpr double kRow = 5.2;
inline constexpr double kGap = 4.0;       ///< below every block
inline constexpr double kColumnGap = 6.0; ///< between two half-width tables
} // namespace sheetmm

/// Where one block stands on its page, in millimetres from the page's top left corner.
struct PlacedBlock {
    const SheetBlock* block = nullptr;
    double left = 0;
    double top = 0;
    double width = 0;
};

/// The blocks of one page.
struct SheetPage {
    std::vector<PlacedBlock> blocks;
};

/// Height of a block in millimetres; it depends only on its rows, never on its texts.
double blockHeight(const SheetBlock& block);

/// Distributes the blocks over pages: a block never splits; it goes to a new page when it is
/// marked so or does not fit; two half-width tables in a row stand side by side; a heading
/// never ends a page.
std::vector<SheetPage> layOutSheet(const TuneSheet& sheet);

} // namespace kordana

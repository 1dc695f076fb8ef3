#include "sheet/SheetLayout.h"

#include <algorithm>
#include <cstddef>

namespace kordana {

using namespace sheetmm;

double blockHeight(const SheetBlock& block) {
    if (block.kind == SheetBlock::Kind::Heading) {
        return kHeading;
    }
    const SheetTable& table = block.table;
    const double title = table.title.empty() ? 0.0 : kTableTitle;
    const double header = table.header.empty() ? 0.0 : kRow;
    return title + header + kRow * static_cast<double>(table.rows.size()) + kGap;
}

namespace {

bool isHalf(const SheetBlock& block) {
    return block.kind == SheetBlock::Kind::Table && block.table.halfWidth;
}

// The blocks that stand in one band across the page: one block, or two half-width tables.
struct Band {
    std::size_t first = 0;
    std::size_t count = 1;
    double height = 0;
};

Band bandAt(const std::vector<SheetBlock>& blocks, std::size_t i) {
    Band band{i, 1, blockHeight(blocks[i])};
    if (isHalf(blocks[i]) && i + 1 < blocks.size() && isHalf(blocks[i + 1]) &&
        !blocks[i + 1].newPage) {
        band.count = 2;
        band.height = std::max(band.height, blockHeight(blocks[i + 1]));
    }
    return band;
}

} // namespace

std::vector<SheetPage> layOutSheet(const TuneSheet& sheet) {
    const std::vector<SheetBlock>& blocks = sheet.blocks;
    std::vector<SheetPage> pages(1);
    double y = kMarginTop + kSheetTitle;
    for (std::size_t i = 0; i < blocks.size();) {
        const Band band = bandAt(blocks, i);
        double needed = band.height;
        // A heading keeps the band below it on its page.
        if (blocks[i].kind == SheetBlock::Kind::Heading && i + 1 < blocks.size()) {
            needed += bandAt(blocks, i + 1).height;
        }
        const bool pageHasContent = !pages.back().blocks.empty();
        if (pageHasContent && (blocks[i].newPage || y + needed > kContentBottom)) {
            pages.emplace_back();
            y = kMarginTop;
        }
        const double halfWidth = (kContentWidth - kColumnGap) / 2;
        for (std::size_t k = 0; k < band.count; ++k) {
            const SheetBlock& block = blocks[i + k];
            const double width = isHalf(block) ? halfWidth : kContentWidth;
            const double left = kMarginSide + static_cast<double>(k) * (halfWidth + kColumnGap);
            pages.back().blocks.push_back(PlacedBlock{&block, left, y, width});
        }
        y += band.height;
        i += band.count;
    }
    return pages;
}

} // namespace kordana

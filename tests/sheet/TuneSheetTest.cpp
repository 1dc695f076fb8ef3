#include "sheet/TuneSheet.h"

#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kordana {
namespace {

// The title block lists the unit's identification only when block 0 holds a header.
struct HeaderCase {
    const char* name;
    std::vector<std::uint8_t> header; // bytes from offset 0; the rest of block 0 stays 0
    std::vector<std::string> unitLines;
};

class TuneSheetTitleBlock : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(TuneSheetTitleBlock, ListsTheUnitWhenItsHeaderIsKnown) {
    ParameterImage image;
    for (std::size_t i = 0; i < GetParam().header.size(); ++i) {
        image[i] = GetParam().header[i];
    }
    image[layout::kBike] = 3;
    const TuneSheet sheet = buildTuneSheet(image, {"tuned.ign", "2026-12-08 10:00", 0});

    std::vector<std::string> lines;
    for (const SheetRow& row : sheet.blocks.front().table.rows) {
        lines.push_back(row.label + "=" + row.cells.front());
    }
    std::vector<std::string> expected{"File:=tuned.ign", "Date:=2026-12-08 10:00",
                                      "Motor and fuel=3 injectors fuel 98 oct."};
    expected.insert(expected.end(), GetParam().unitLines.begin(), GetParam().unitLines.end());
    EXPECT_EQ(lines, expected);
}

INSTANTIATE_TEST_SUITE_P(Headers, TuneSheetTitleBlock,
                         ::testing::Values(HeaderCase{"Zeros", {}, {}},
                                           HeaderCase{
                                               "Blanks", std::vector<std::uint8_t>(100, ' '), {}},
                                           // "ABC", 5, day 7, month code 39 (May), year 6, 09:05.
                                           HeaderCase{"Unit",
                                                      {'A', 'B', 'C', 5, 7, 39, 6, 9, 5},
                                                      {"Version of program in ignition=ABC05",
                                                       "Date of program in ignition= 7. 5.2006",
                                                       "Time of program in ignition=09:05"}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kordana

#include "params/ParameterDiff.h"

#include "params/DiffText.h"
#include "params/IgnReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kordana {
namespace {

// A map key line of 150 cells, all 0 except one.
std::string mapLine(const std::string& key, std::size_t cell, int value) {
    std::string line = "\n" + key;
    for (std::size_t i = 0; i < 150; ++i) {
        line += " " + std::to_string(i == cell ? value : 0);
    }
    return line + "\n";
}

DiffSide readOverZeros(const std::string& text) {
    const IgnReadResult read = IgnReader::read(text, ParameterImage{}, false);
    EXPECT_TRUE(read.applicable());
    return DiffSide{read.image, read.extMon};
}

std::vector<std::string> lines(const std::vector<ParameterDifference>& differences) {
    std::vector<std::string> out;
    for (const ParameterDifference& d : differences) {
        out.push_back(differenceLine(d, DiffNaming{}));
    }
    return out;
}

const std::string kRpmRows = "RPM_IGN_2 1000 2000 3000 4000 5000 6000 7000 8000 8500 9000 9500 "
                             "10000 10500 11000 11500\n";

// Two files that agree in POWER_OUT, DRUCK and the rest of RETARD and CHOKE.
const std::string kFileA =
    "VALMORIN_KEY 51\nBIKE 1\nLIMITER 9000 9000 9200\nPOWER_OUT 0 0 0 0 0 0 0 0 0\n"
    "NO_READING 1\nEXT_MON 0\nACT_LIM1 1\n" +
    kRpmRows + mapLine("IGN_2", 37, 12) +
    "RPM_JET_1A 1000 2000 3000 4000 5000 6000 7000 8000 8500 9000 9500 10000 10500 11000 11500"
    "\n" +
    mapLine("JET_1A", 16, 100) +
    "TPS 480 4470\nDRUCK 20 30 40 50 60 70 80 90 100 110 100 100 100 100 100 100 100 100 100 100\n"
    "RETARD 20 30 40 50 60 70 80 90 100 110\n 0 0 -2 -3 -3 -5 -6 -7 -8 -9\n"
    "CHOKE 2 5 10 20\n 150 140 130 120\nKNOCK_FREK 0 0 0 13 0 0 0 0 0 0 0 0 0 0 0\n";

const std::string kFileB =
    "VALMORIN_KEY 51\nBIKE 1\nLIMITER 9000 9500 9200\nPOWER_OUT 0 0 0 0 0 0 0 0 0\n"
    "NO_READING 2\nEXT_MON 1\nACT_LIM1 0\n" +
    kRpmRows + mapLine("IGN_2", 37, 14) +
    "RPM_JET_1A 1000 2100 3000 4000 5000 6000 7000 8000 8500 9000 9500 10000 10500 11000 11500"
    "\n" +
    mapLine("JET_1A", 16, 101) +
    "TPS 480 4900\nDRUCK 20 30 40 50 60 70 80 90 100 110 100 100 100 100 100 100 100 100 100 100\n"
    "RETARD -5 30 40 50 60 70 80 90 100 110\n 0 0 -4 -3 -3 -5 -6 -7 -8 -9\n"
    "CHOKE 2 5 10 20\n 100 140 130 125\nKNOCK_FREK 0 0 0 14 0 0 0 0 0 0 0 0 0 0 0\n";

TEST(ParameterDiff, TwoFilesListExactlyTheirDifferingElementsAsShown) {
    const std::vector<std::string> expected{
        "LIMITER[1]: 9000 -> 9500 rpm",
        "NO_READING: 1 -> 1 (stored 1 -> 2)",
        "EXT_MON: 0 -> 1",
        "ACT_LIM1: 1 -> 0",
        "IGN_2[37], 8000 rpm, 5 %: 12 -> 14 deg",
        "RPM_JET_1A[1]: 2000 -> 2100 rpm",
        "JET_1A[16], 2000/2100 rpm, 2 %: 5000 -> 5050 µs",
        "TPS[1]: 4470 -> 4900 mV",
        "RETARD[0]: 20 -> -5 °C",
        "RETARD[12]: -2 -> -4 deg",
        "CHOKE[4]: 150 -> 100 %",
        "CHOKE[7]: 120 -> 125 %",
        "KNOCK_FREK[3]: 2.07 -> 2.18 kHz",
    };
    const auto differences = diffParameterSets(readOverZeros(kFileA), readOverZeros(kFileB));
    EXPECT_EQ(lines(differences), expected);
    EXPECT_EQ(differingMapCells(differences), (std::vector<MapCellRef>{{1, 2, 7}, {3, 1, 1}}));
}

// A naming of the test's own: the limiters by number, the two maps by their page, the rest
// together.
DiffNaming testNaming() {
    DiffNaming naming;
    naming.caption = [](std::string_view key, std::size_t element) {
        return key == "LIMITER" ? "Limiter " + std::to_string(element + 1) : std::string();
    };
    naming.group = [](std::string_view key) {
        if (key == "IGN_2" || key == "RPM_IGN_2") {
            return std::string("Ign 2");
        }
        return key == "JET_1A" || key == "RPM_JET_1A" ? std::string("Jet 1A") : std::string("Rest");
    };
    return naming;
}

// The summary counts a map's cells apart from its breakpoints, and the largest change of a map
// is its cells'; flags whose shown values agree and list entries count but never are largest.
TEST(ParameterDiff, ReportBeginsWithASummaryPerGroupThenNamesByCaptionWithTheKey) {
    const std::vector<std::string> expected{
        "Rest: differing values 10, largest change 500 rpm (Limiter 2)",
        "Ign 2: differing cells 1, largest change 2 deg (8000 rpm, 5 %)",
        "Jet 1A: differing cells 1, differing values 1, largest change 50 µs (2000/2100 rpm, 2 %)",
        "",
        "Limiter 2: 9000 -> 9500 rpm [LIMITER[1]]",
        "NO_READING: 1 -> 1 (stored 1 -> 2)",
        "EXT_MON: 0 -> 1",
        "ACT_LIM1: 1 -> 0",
        "IGN_2[37], 8000 rpm, 5 %: 12 -> 14 deg",
        "RPM_JET_1A[1]: 2000 -> 2100 rpm",
        "JET_1A[16], 2000/2100 rpm, 2 %: 5000 -> 5050 µs",
        "TPS[1]: 4470 -> 4900 mV",
        "RETARD[0]: 20 -> -5 °C",
        "RETARD[12]: -2 -> -4 deg",
        "CHOKE[4]: 150 -> 100 %",
        "CHOKE[7]: 120 -> 125 %",
        "KNOCK_FREK[3]: 2.07 -> 2.18 kHz",
    };
    const auto differences = diffParameterSets(readOverZeros(kFileA), readOverZeros(kFileB));
    EXPECT_EQ(diffReport(differences, testNaming()), expected);
    EXPECT_TRUE(diffReport({}, testNaming()).empty());
}

TEST(ParameterDiff, SameFileHasNoDifferences) {
    EXPECT_TRUE(diffParameterSets(readOverZeros(kFileA), readOverZeros(kFileA)).empty());
}

// The header identifies the unit and is never compared; a side without the Extended Monitor
// state (the unit) does not compare it; unnamed bytes are listed by number.
TEST(ParameterDiff, HeaderIgnoredUnnamedBytesByNumberExtMonOnlyWithBothSides) {
    DiffSide file{ParameterImage{}, true};
    DiffSide unit{ParameterImage{}, std::nullopt};
    unit.image[10] = 50;
    unit.image[99] = 7;
    unit.image[126] = 5;
    unit.image[1999] = 1;
    EXPECT_EQ(lines(diffParameterSets(file, unit)),
              (std::vector<std::string>{"byte 126: 0 -> 5", "byte 1999: 0 -> 1"}));
}

} // namespace
} // namespace kordana

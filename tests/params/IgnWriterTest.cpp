#include "params/IgnWriter.h"

#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/IgnReader.h"
#include "params/ImageLayout.h"
#include "params/ParameterTable.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <sstream>
#include <string>

namespace kordana {
namespace {

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

const std::string kSpeeds = " 1000  2000  3000  4000  6000  6500  7000  7250  7500  7750  8000 "
                            " 8250  8500  8750  9000 ";
const std::string kIndent = "             ";

// Rows 1..8 of the maps are the calibration's own blend; every map cell is written as its
// stored byte, so those rows come straight from the image bytes, in the same column layout as
// the hand-written rows around them.
std::string mapLines(const ParameterImage& image, std::size_t page, const std::string& key,
                     const std::string& row0, const std::string& row9) {
    std::string out = "\n" + key + std::string(13 - key.size(), ' ') + row0 + "\n" + kIndent;
    for (std::size_t r = 1; r < 9; ++r) {
        for (std::size_t c = 0; c < 15; ++c) {
            const std::string v = std::to_string(image[layout::mapCells(page) + 15 * r + c]);
            out += std::string(5 - v.size(), ' ') + v + " ";
        }
        out += "\n" + kIndent;
    }
    return out + row9 + "\n" + kIndent;
}

std::string preset0File(const ParameterImage& image) {
    const std::string ign0 = "   18    13    20    30    31    30    30    32    36    34    36 "
                             "   35    34    40    34 ";
    const std::string ign9 = "   35    30    30    35    33    30    29    31    33    33    33 "
                             "   32    33    32    32 ";
    const std::string jet0 = "   69    79    83    86   111   134   140   145   145   147   145 "
                             "  145   149   144   153 ";
    const std::string jet9 = "  108   123   127   128   146   155   158   154   156   155   151 "
                             "  153   155   153   152 ";
    const std::string jetB0 = "    0     0     6     8    12    16    18    20    22    24    24 "
                              "   21    20    20    20 ";
    const std::string jetB9 = "    4     4     6     8    12    16    18    20    22    24    24 "
                              "   21    20    20    20 ";
    std::string f = "VALMORIN_KEY    51 \n"
                    "\nBIKE             0 "
                    "\nLIMITER       9000  9000  9200 "
                    "\nPOWER_OUT     9500  9600     0\n"
                    " 9500  9600     0\n"
                    " 9500  9600     0\n"
                    "\nNO_READING       0"
                    "\nRPM2             1"
                    "\nEXT_MON          1"
                    "\nMODE             1     1 "
                    "\nACT_LIM1        0"
                    "\nACT_RPM          0"
                    "\nACT_OIL          0"
                    "\n";
    const std::array<std::string, 9> keys = {"IGN_1",  "IGN_2",  "IGN_3",  "JET_1A", "JET_2A",
                                             "JET_3A", "JET_1B", "JET_2B", "JET_3B"};
    for (std::size_t page = 0; page < keys.size(); ++page) {
        const std::string& key = keys[page];
        f += "\nRPM_" + key + std::string(9 - key.size(), ' ') + kSpeeds;
        f += page < 3   ? mapLines(image, page, key, ign0, ign9)
             : page < 6 ? mapLines(image, page, key, jet0, jet9)
                        : mapLines(image, page, key, jetB0, jetB9);
    }
    for (const char* key : {"POSITION_A   ", "POSITION_B   "}) {
        f += "\n" + std::string(key) + kSpeeds + "\n" + kIndent + repeat("  360 ", 15) + "\n" +
             kIndent + "    1 ";
    }
    f += "\nTPS            480  4470 "
         "\nACCEL          300   700 "
         "\nSTART_JET       11 "
         "\nTEMP_WARNING    90 "
         "\nWATER_TEMP     113   107   102   103   100 "
         "\nAIR_TEMP       104   100   102   102   104 "
         "\nDRUCK           40    60    80   100   120   140   160   180   200   210 "
         "\n                38    60    80   100   120   140   160   180   200   210 "
         "\nRETARD          20    30    40    50    60    70    80    90   100   110 "
         "\n                 0     0    -2    -3    -3    -5    -6    -7    -8    -9 "
         "\nCHOKE            5    10    15    18 "
         "\n               250   150   130   110 "
         "\n"
         "\nSERVO_ENABLE     0"
         "\nSERVO_HYSTER   200 "
         "\nRPM_SERVO    " +
         kSpeeds +
         "\nVOLT_SERVO    2000  2100  2200  2300  2400  2500  2600  2700  2800  2900  3000  3100 "
         " 3200  3300  3400 "
         "\n"
         "\nRPM_KNOCK    " +
         repeat(" 6000  7000  8000  8250  8700 ", 3) + "\nKNOCK_FREK   " + repeat("   63 ", 15) +
         "\nLEVEL        " + repeat("   60 ", 15) + "\nTIME_CONST   " + repeat("   20 ", 15) +
         "\nSTART        " + repeat("   10 ", 15) + "\nEND          " + repeat("   60 ", 15) +
         "\nALARM         1400  1700  1580  1540  1500  1620  1860  1580  1540  1500  1400  1700 "
         " 1580  1540  1500 "
         "\n";
    return f;
}

ParameterImage preset0() {
    ParameterImage image;
    applyDefaultSet(image);
    return image;
}

TEST(IgnWriter, WritesPreset0ByteForByte) {
    const ParameterImage image = preset0();
    const std::string text = IgnWriter::write(image, true);
    const std::string expected = preset0File(image);
    ASSERT_EQ(text.size(), expected.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        ASSERT_EQ(text[i], expected[i]) << "at " << i << ": ..." << text.substr(i, 40);
    }
}

TEST(IgnWriter, BeginsAndEndsAsTheLayoutSays) {
    const std::string text = IgnWriter::write(preset0(), false);
    EXPECT_EQ(text.substr(0, 49), "VALMORIN_KEY    51 \n\nBIKE             0 \nLIMITER ");
    EXPECT_NE(text.find("\nEXT_MON          0\n"), std::string::npos);
    EXPECT_NE(text.find("\nACT_OIL          0\n\nRPM_IGN_1     1000  2000  3000  4000  6000 "),
              std::string::npos);
    EXPECT_NE(text.find("    32 \n             \nRPM_IGN_2     1000 "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 7), " 1500 \n");
}

TEST(IgnWriter, WritesInjectionCellsAsStoredBytes) {
    const std::string text = IgnWriter::write(preset0(), false);
    const std::string row = "\nJET_1A          69    79    83    86   111   134   140   145   145 "
                            "  147   145   145   149   144   153 \n             ";
    EXPECT_NE(text.find(row), std::string::npos);
    // Breakpoints of the same pages stay in rpm.
    EXPECT_NE(text.find("\nRPM_JET_1A    1000  2000  3000 "), std::string::npos);
}

TEST(IgnWriter, WritesFlagsAsZeroOrOne) {
    ParameterImage image = preset0();
    image[layout::kNoReading] = 7;
    image[layout::kActLim1] = 0;
    image[layout::kActRpm] = 200;
    image[layout::powerOut(5)] = 2;
    const std::string text = IgnWriter::write(image, false);
    EXPECT_NE(text.find("\nNO_READING       1\n"), std::string::npos);
    EXPECT_NE(text.find("\nACT_LIM1        1\n"), std::string::npos);
    EXPECT_NE(text.find("\nACT_RPM          0\n"), std::string::npos);
    EXPECT_NE(text.find("\n 9500  9600     1\n 9500"), std::string::npos);
}

TEST(IgnWriter, WritesSignedValuesAndEncodedThrottle) {
    ParameterImage image = preset0();
    storeShown(image, "RETARD", 10, -3);
    storeShown(image, "RETARD", 11, 7);
    storeShown(image, "START", 0, -60);
    image[layout::kTps + 1] = 0;
    const std::string text = IgnWriter::write(image, false);
    EXPECT_NE(text.find("\n                -3     7    -2"), std::string::npos);
    EXPECT_NE(text.find("\nSTART          -60    10 "), std::string::npos);
    EXPECT_NE(text.find("\nTPS            480  2500 \n"), std::string::npos);
}

TEST(IgnWriter, WritesToAStream) {
    std::ostringstream out;
    EXPECT_TRUE(IgnWriter::write(out, preset0(), true));
    EXPECT_EQ(out.str(), IgnWriter::write(preset0(), true));
    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    EXPECT_FALSE(IgnWriter::write(broken, preset0(), true));
}

ParameterImage randomImage(std::mt19937& rng) {
    std::uniform_int_distribution<int> byte(0, 255);
    ParameterImage image;
    for (auto& b : image.bytes) {
        b = static_cast<std::uint8_t>(byte(rng));
    }
    return image;
}

// What the file can carry of a byte: flags come back as 0 or 1.
int carried(const ParameterElement& e, std::uint8_t b) {
    return e.conversion != Conversion::Linear && b != 0 ? 1 : b;
}

TEST(IgnWriter, RoundTripsEveryParameter) {
    std::mt19937 rng(51);
    std::bernoulli_distribution coin;
    for (int n = 0; n < 400; ++n) {
        ParameterImage written = randomImage(rng);
        if (n % 2 == 0) {
            runConsistencyPass(written); // as Save does; odd rounds carry raw bytes
        }
        const bool extMon = coin(rng);
        const ParameterImage base = randomImage(rng);
        const std::string text = IgnWriter::write(written, extMon);
        const IgnReadResult result = IgnReader::read(text, base, !extMon);
        ASSERT_TRUE(result.applicable());
        EXPECT_EQ(result.extMon, extMon);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            const auto ref = ParameterTable::instance().findByIndex(i);
            if (!ref) {
                ASSERT_EQ(result.image[i], base[i]) << "unnamed byte " << i;
                continue;
            }
            const ParameterElement& e = ref->key->elements[ref->element];
            ASSERT_EQ(result.image[i], carried(e, written[i]))
                << elementName(*ref->key, ref->element) << " round " << n;
        }
        ASSERT_EQ(IgnWriter::write(result.image, result.extMon), text);
    }
}

} // namespace
} // namespace kordana

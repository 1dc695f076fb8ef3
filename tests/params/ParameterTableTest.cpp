#include "params/ParameterTable.h"

#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kordana {
namespace {

const ParameterTable& table() {
    return ParameterTable::instance();
}

// Bytes inside the parameter range that no parameter names.
bool isUnnamed(std::size_t i) {
    return i == 100 || i == 107 || i == 126 || i == 127 || i == 132 || (i >= 135 && i <= 139) ||
           i == 178 || i == 179 || (i >= 290 && i <= 299) || (i >= 435 && i <= 449) ||
           (i >= 1830 && i <= 1844) || (i >= 1860 && i <= 1874) || i >= 1935 || i < 101;
}

TEST(ParameterTable, KeysComeInFileOrderWithTheirCounts) {
    const std::vector<std::pair<std::string, std::size_t>> expected = {
        {"BIKE", 1},         {"LIMITER", 3},      {"POWER_OUT", 9},   {"NO_READING", 1},
        {"RPM2", 1},         {"EXT_MON", 1},      {"MODE", 2},        {"ACT_LIM1", 1},
        {"ACT_RPM", 1},      {"ACT_OIL", 1},      {"RPM_IGN_1", 15},  {"IGN_1", 150},
        {"RPM_IGN_2", 15},   {"IGN_2", 150},      {"RPM_IGN_3", 15},  {"IGN_3", 150},
        {"RPM_JET_1A", 15},  {"JET_1A", 150},     {"RPM_JET_2A", 15}, {"JET_2A", 150},
        {"RPM_JET_3A", 15},  {"JET_3A", 150},     {"RPM_JET_1B", 15}, {"JET_1B", 150},
        {"RPM_JET_2B", 15},  {"JET_2B", 150},     {"RPM_JET_3B", 15}, {"JET_3B", 150},
        {"POSITION_A", 31},  {"POSITION_B", 31},  {"TPS", 2},         {"ACCEL", 2},
        {"START_JET", 1},    {"TEMP_WARNING", 1}, {"WATER_TEMP", 5},  {"AIR_TEMP", 5},
        {"DRUCK", 20},       {"RETARD", 20},      {"CHOKE", 8},       {"SERVO_ENABLE", 1},
        {"SERVO_HYSTER", 1}, {"RPM_SERVO", 15},   {"VOLT_SERVO", 15}, {"RPM_KNOCK", 15},
        {"KNOCK_FREK", 15},  {"LEVEL", 15},       {"TIME_CONST", 15}, {"START", 15},
        {"END", 15},         {"ALARM", 15}};
    ASSERT_EQ(table().keys().size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(table().keys()[k].name, expected[k].first);
        EXPECT_EQ(table().keys()[k].count(), expected[k].second) << expected[k].first;
    }
}

TEST(ParameterTable, EveryNamedByteBelongsToExactlyOneElement) {
    std::vector<int> owners(kImageSize, 0);
    std::size_t withoutByte = 0;
    for (const auto& key : table().keys()) {
        for (const auto& element : key.elements) {
            if (!element.hasImageByte()) {
                ++withoutByte;
                EXPECT_EQ(key.name, "EXT_MON");
                continue;
            }
            ASSERT_LT(element.index, kImageSize);
            ++owners[element.index];
        }
    }
    EXPECT_EQ(withoutByte, 1u);
    for (std::size_t i = 0; i < kImageSize; ++i) {
        EXPECT_EQ(owners[i], isUnnamed(i) ? 0 : 1) << "byte " << i;
        const auto ref = table().findByIndex(i);
        EXPECT_EQ(ref.has_value(), !isUnnamed(i)) << "byte " << i;
        if (ref) {
            EXPECT_EQ(ref->key->elements[ref->element].index, i);
        }
    }
}

TEST(ParameterTable, PlacesElementsAtTheirImageIndices) {
    struct Case {
        const char* key;
        std::size_t element;
        std::size_t index;
    };
    const Case cases[] = {
        {"POWER_OUT", 0, 111},   {"POWER_OUT", 1, 114},    {"POWER_OUT", 2, 117},
        {"POWER_OUT", 4, 115},   {"POWER_OUT", 8, 119},    {"POSITION_A", 30, 133},
        {"POSITION_A", 15, 245}, {"POSITION_B", 29, 289},  {"RPM_JET_1B", 0, 390},
        {"JET_3B", 149, 1799},   {"IGN_2", 16, 616},       {"DRUCK", 10, 160},
        {"RETARD", 19, 199},     {"CHOKE", 4, 174},        {"ACT_RPM", 0, 109},
        {"ACT_LIM1", 0, 121},    {"SERVO_HYSTER", 0, 108}, {"ALARM", 14, 1934},
    };
    for (const auto& c : cases) {
        const ParameterElement* e = table().element(c.key, c.element);
        ASSERT_NE(e, nullptr) << c.key;
        EXPECT_EQ(e->index, c.index) << c.key << "[" << c.element << "]";
    }
    EXPECT_EQ(table().element("LIMITER", 3), nullptr);
    EXPECT_EQ(table().element("limiter", 0), nullptr);
    EXPECT_EQ(table().find("VALMORIN_KEY"), nullptr);
}

TEST(ParameterTable, ConvertsShownValuesBothWays) {
    struct Case {
        const char* key;
        std::size_t element;
        int shown;
        int stored;
        int shownBack;
    };
    const Case cases[] = {
        {"LIMITER", 0, 9025, 180, 9000},   // division truncates
        {"LIMITER", 2, 9200, 184, 9200},   //
        {"LIMITER", 1, 70000, 120, 6000},  // 1400 keeps its low eight bits
        {"TPS", 0, 480, 48, 480},          //
        {"TPS", 1, 4470, 197, 4470},       // v / 10 + 6
        {"TPS", 1, 2500, 0, 2500},         //
        {"TPS", 1, 5000, 250, 5000},       //
        {"TPS", 1, 2499, 255, 5050},       // 249 - 250 wraps
        {"RETARD", 0, -3, 97, -3},         //
        {"RETARD", 10, 7, 107, 7},         //
        {"START", 3, -60, 40, -60},        //
        {"END", 3, 80, 180, 80},           //
        {"CHOKE", 4, 250, 150, 250},       //
        {"CHOKE", 7, 110, 10, 110},        //
        {"CHOKE", 0, 15, 15, 15},          //
        {"CHOKE", 5, 99, 255, 355},        // -1 keeps its low eight bits
        {"ACT_LIM1", 0, 1, 0, 1},          // the byte holds the inverse
        {"ACT_LIM1", 0, 0, 1, 0},          //
        {"ACT_RPM", 0, 7, 0, 1},           // any non-zero value is "on"
        {"NO_READING", 0, 1, 1, 1},        //
        {"SERVO_ENABLE", 0, 2, 2, 1},      // flags are stored unchecked
        {"POWER_OUT", 2, 1, 1, 1},         //
        {"POWER_OUT", 3, 9500, 190, 9500}, //
        {"VOLT_SERVO", 0, 4999, 249, 4980},
        {"ALARM", 0, 1400, 70, 1400},      //
        {"SERVO_HYSTER", 0, 203, 40, 200}, //
        {"JET_1A", 7, 7525, 150, 7500},    //
        {"IGN_3", 149, 33, 33, 33},        //
        {"KNOCK_FREK", 0, 63, 63, 63},     //
        {"BIKE", 0, 2, 2, 2},
    };
    for (const auto& c : cases) {
        ParameterImage image;
        const ParameterElement* e = table().element(c.key, c.element);
        ASSERT_NE(e, nullptr) << c.key;
        EXPECT_TRUE(storeShown(image, c.key, c.element, c.shown));
        EXPECT_EQ(image[e->index], c.stored) << c.key << "[" << c.element << "] = " << c.shown;
        EXPECT_EQ(shownValue(image, c.key, c.element), c.shownBack) << c.key;
    }
}

TEST(ParameterTable, ShowsSpecialStoredBytes) {
    ParameterImage image;
    image[layout::kTps + 1] = 0;
    EXPECT_EQ(shownValue(image, "TPS", 1), 2500);
    image[layout::kTps + 1] = 240;
    EXPECT_EQ(shownValue(image, "TPS", 1), 4900);
    image[layout::kActRpm] = 1;
    image[layout::kActLim1] = 1;
    EXPECT_EQ(shownValue(image, "ACT_RPM", 0), 0);
    EXPECT_EQ(shownValue(image, "ACT_LIM1", 0), 0);
    image[layout::kNoReading] = 200;
    EXPECT_EQ(shownValue(image, "NO_READING", 0), 1);
    image[layout::kRetard + 10] = 0;
    EXPECT_EQ(shownValue(image, "RETARD", 10), -100);
}

TEST(ParameterTable, EveryStoredByteSurvivesShowAndStore) {
    for (const auto& key : table().keys()) {
        for (const auto& element : key.elements) {
            if (!element.hasImageByte()) {
                continue;
            }
            for (int b = 0; b < 256; ++b) {
                ParameterImage image;
                image[element.index] = static_cast<std::uint8_t>(b);
                storeShown(image, element, shownValue(image, element));
                const bool isFlag = element.conversion != Conversion::Linear;
                const int expected = isFlag && b != 0 ? 1 : b;
                ASSERT_EQ(image[element.index], expected) << key.name << " byte " << b;
            }
        }
    }
}

// What the parameter file writes for each key, typed from the file format's key table: runs of
// elements with their conversion, independent of the editors' scalings.
enum class Written { Byte, Flag, Inverted };
struct FileRun {
    std::size_t count;
    Written kind;
    int scale;
    int bias;
};
struct FileKey {
    std::string key;
    std::vector<FileRun> runs;
};

std::vector<FileKey> writtenAs() {
    const FileRun b{1, Written::Byte, 1, 0};
    const FileRun flag{1, Written::Flag, 1, 0};
    const FileRun inverted{1, Written::Inverted, 1, 0};
    auto times = [](std::size_t n, int scale, int bias = 0) {
        return FileRun{n, Written::Byte, scale, bias};
    };
    std::vector<FileKey> keys = {
        {"BIKE", {b}},
        {"LIMITER", {times(3, 50)}},
        {"POWER_OUT", {times(2, 50), flag, times(2, 50), flag, times(2, 50), flag}},
        {"NO_READING", {flag}},
        {"RPM2", {flag}},
        {"MODE", {times(2, 1)}},
        {"ACT_LIM1", {inverted}},
        {"ACT_RPM", {inverted}},
        {"ACT_OIL", {flag}},
        {"POSITION_A", {times(15, 50), times(15, 5), b}},
        {"POSITION_B", {times(15, 50), times(15, 5), b}},
        {"TPS", {times(1, 10), times(1, 10, 250)}},
        {"ACCEL", {times(1, 10), times(1, 50)}},
        {"START_JET", {b}},
        {"TEMP_WARNING", {b}},
        {"WATER_TEMP", {times(5, 1)}},
        {"AIR_TEMP", {times(5, 1)}},
        {"DRUCK", {times(20, 1)}},
        {"RETARD", {times(20, 1, -100)}},
        {"CHOKE", {times(4, 1), times(4, 1, 100)}},
        {"SERVO_ENABLE", {flag}},
        {"SERVO_HYSTER", {times(1, 5)}},
        {"RPM_SERVO", {times(15, 50)}},
        {"VOLT_SERVO", {times(15, 20)}},
        {"RPM_KNOCK", {times(15, 50)}},
        {"KNOCK_FREK", {times(15, 1)}},
        {"LEVEL", {times(15, 1)}},
        {"TIME_CONST", {times(15, 1)}},
        {"START", {times(15, 1, -100)}},
        {"END", {times(15, 1, -100)}},
        {"ALARM", {times(15, 20)}},
    };
    for (const char* map :
         {"IGN_1", "IGN_2", "IGN_3", "JET_1A", "JET_2A", "JET_3A", "JET_1B", "JET_2B", "JET_3B"}) {
        keys.push_back({std::string("RPM_") + map, {times(15, 50)}}); // breakpoints b x 50
        keys.push_back({map, {times(150, 1)}});                       // cells b
    }
    return keys;
}

TEST(ParameterTable, FileConversionOfEveryKeyIsTheFileFormats) {
    const auto keys = writtenAs();
    EXPECT_EQ(keys.size() + 1, table().keys().size()); // all but EXT_MON
    for (const FileKey& fk : keys) {
        const ParameterKey* key = table().find(fk.key);
        ASSERT_NE(key, nullptr) << fk.key;
        std::size_t e = 0;
        for (const FileRun& run : fk.runs) {
            for (std::size_t n = 0; n < run.count; ++n, ++e) {
                ASSERT_LT(e, key->count()) << fk.key;
                const ParameterElement& element = key->elements[e];
                for (int byte : {0, 1, 7, 200, 255}) {
                    ParameterImage image;
                    image[element.index] = static_cast<std::uint8_t>(byte);
                    const int want = run.kind == Written::Flag ? (byte != 0 ? 1 : 0)
                                     : run.kind == Written::Inverted
                                         ? (byte == 0 ? 1 : 0)
                                         : (byte + run.bias) * run.scale;
                    ASSERT_EQ(fileValue(image, element), want) << fk.key << "[" << e << "]";
                    ParameterImage read;
                    storeFileValue(read, element, want);
                    const int back = run.kind == Written::Byte ? byte : (byte != 0 ? 1 : 0);
                    ASSERT_EQ(read[element.index], back) << fk.key << "[" << e << "] " << byte;
                }
            }
        }
        EXPECT_EQ(e, key->count()) << fk.key;
    }
}

TEST(ParameterTable, InjectionCellsShowMicrosecondsButFileTheByte) {
    ParameterImage image;
    const ParameterElement* cell = table().element("JET_2B", 17);
    ASSERT_NE(cell, nullptr);
    image[cell->index] = 69;
    EXPECT_EQ(shownValue(image, *cell), 3450);
    EXPECT_EQ(fileValue(image, *cell), 69);
    EXPECT_TRUE(fileValueFitsByte(*cell, 255));
    EXPECT_FALSE(fileValueFitsByte(*cell, 3450));
}

TEST(ParameterTable, ExtMonHasNoImageByte) {
    ParameterImage image;
    const ParameterImage before = image;
    const ParameterElement* e = table().element("EXT_MON", 0);
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(e->hasImageByte());
    EXPECT_EQ(e->conversion, Conversion::Flag);
    EXPECT_FALSE(storeShown(image, "EXT_MON", 0, 1));
    storeShown(image, *e, 1);
    EXPECT_EQ(image, before);
    EXPECT_EQ(shownValue(image, "EXT_MON", 0), 0);
    EXPECT_FALSE(storeShown(image, "NO_SUCH_KEY", 0, 1));
    EXPECT_EQ(image, before);
}

TEST(ParameterTable, GivesEditingRangesAndSteps) {
    struct Case {
        const char* key;
        std::size_t element;
        int minShown;
        int maxShown;
        int step;
    };
    const Case cases[] = {
        {"LIMITER", 1, 900, 12500, 50},
        {"POWER_OUT", 7, 0, 12500, 50},
        {"POWER_OUT", 8, 0, 1, 1},
        {"SERVO_HYSTER", 0, 0, 1275, 5},
        {"TPS", 0, 300, 2500, 10},
        {"TPS", 1, 2500, 4900, 10},
        {"ACCEL", 0, 10, 2500, 10},
        {"ACCEL", 1, 0, 7500, 50},
        {"START_JET", 0, 0, 50, 1},
        {"TEMP_WARNING", 0, 0, 110, 1},
        {"MODE", 1, 0, 2, 1},
        {"POSITION_A", 30, 0, 2, 1},
        {"POSITION_B", 20, 0, 720, 5},
        {"WATER_TEMP", 4, 10, 250, 1},
        {"DRUCK", 0, 10, 241, 1},
        {"DRUCK", 9, 19, 250, 1},
        {"DRUCK", 10, 10, 250, 1},
        {"CHOKE", 3, 0, 250, 1},
        {"CHOKE", 4, 100, 350, 1},
        {"RETARD", 0, -10, 101, 1},
        {"RETARD", 9, -1, 110, 1},
        {"RETARD", 10, -20, 10, 1},
        {"RPM_SERVO", 0, 300, 12500, 50},
        {"VOLT_SERVO", 3, 20, 4980, 20},
        {"RPM_JET_2B", 14, 300, 12500, 50},
        {"IGN_1", 20, 0, 60, 1},
        {"JET_2A", 20, 0, 12500, 50},
        {"KNOCK_FREK", 2, 0, 63, 1},
        {"LEVEL", 2, 0, 63, 1},
        {"TIME_CONST", 2, 0, 31, 1},
        {"START", 0, -60, 79, 1},
        {"END", 0, -59, 80, 1},
        {"ALARM", 0, 500, 5000, 20},
        {"BIKE", 0, 0, 3, 1},
    };
    for (const auto& c : cases) {
        const ParameterElement* e = table().element(c.key, c.element);
        ASSERT_NE(e, nullptr) << c.key;
        EXPECT_EQ(e->minShown, c.minShown) << c.key << "[" << c.element << "]";
        EXPECT_EQ(e->maxShown, c.maxShown) << c.key << "[" << c.element << "]";
        EXPECT_EQ(e->step, c.step) << c.key << "[" << c.element << "]";
    }
    const ParameterElement* tps1 = table().element("TPS", 1);
    EXPECT_EQ(clampShown(*tps1, 6000), 4900);
    EXPECT_EQ(clampShown(*tps1, 100), 2500);
    EXPECT_EQ(clampShown(*tps1, 3000), 3000);
}

TEST(ParameterTable, SignedKeysAreRetardStartAndEnd) {
    std::set<std::string> signedKeys;
    for (const auto& key : table().keys()) {
        if (key.isSigned) {
            signedKeys.insert(std::string(key.name));
        }
    }
    EXPECT_EQ(signedKeys, (std::set<std::string>{"RETARD", "START", "END"}));
}

TEST(ParameterTable, NamesElements) {
    EXPECT_EQ(elementName(*table().find("LIMITER"), 1), "LIMITER[1]");
    EXPECT_EQ(elementName(*table().find("BIKE"), 0), "BIKE");
    EXPECT_EQ(elementNameAt(104), "LIMITER[1]");
    EXPECT_EQ(elementNameAt(450 + 150 + 17), "IGN_2[17]");
    EXPECT_EQ(elementNameAt(133), "POSITION_A[30]");
    EXPECT_EQ(elementNameAt(126), "");
    EXPECT_EQ(elementNameAt(5000), "");
}

} // namespace
} // namespace kordana

#include "params/ParameterDiff.h"

#include "params/ImageLayout.h"
#include "params/KnockLists.h"
#include "params/ParameterTable.h"

#include <array>
#include <span>

namespace kordana {

namespace {

using namespace layout;

// First and last image byte that may hold a parameter; 100 is unnamed but travels with them.
constexpr std::size_t kFirstParameterByte = 100;

// A unit by element: keys whose elements mix units give them by element range.
struct UnitRange {
    std::string_view key;
    std::size_t first;
    std::size_t last;
    std::string_view unit;
};

constexpr std::string_view kRpm = "rpm";
constexpr std::string_view kDegrees = "deg";
constexpr std::string_view kCelsius = "°C";
constexpr std::string_view kMicroseconds = "µs";
constexpr std::string_view kMillivolts = "mV";
constexpr std::string_view kPercent = "%";

constexpr std::array kUnits{
    UnitRange{"LIMITER", 0, 2, kRpm},
    UnitRange{"POWER_OUT", 0, 1, kRpm},
    UnitRange{"POWER_OUT", 3, 4, kRpm},
    UnitRange{"POWER_OUT", 6, 7, kRpm},
    UnitRange{"POSITION_A", 0, 14, kRpm},
    UnitRange{"POSITION_A", 15, 29, kDegrees},
    UnitRange{"POSITION_B", 0, 14, kRpm},
    UnitRange{"POSITION_B", 15, 29, kDegrees},
    UnitRange{"TPS", 0, 1, kMillivolts},
    UnitRange{"ACCEL", 0, 0, "%/s"},
    UnitRange{"ACCEL", 1, 1, kMicroseconds},
    UnitRange{"START_JET", 0, 0, "ms"},
    UnitRange{"TEMP_WARNING", 0, 0, kCelsius},
    UnitRange{"WATER_TEMP", 0, 4, kPercent},
    UnitRange{"AIR_TEMP", 0, 4, kPercent},
    UnitRange{"DRUCK", 0, 9, "kPa"},
    UnitRange{"DRUCK", 10, 19, kPercent},
    UnitRange{"RETARD", 0, 9, kCelsius},
    UnitRange{"RETARD", 10, 19, kDegrees},
    UnitRange{"CHOKE", 0, 3, "s"},
    UnitRange{"CHOKE", 4, 7, kPercent},
    UnitRange{"SERVO_HYSTER", 0, 0, kMillivolts},
    UnitRange{"RPM_SERVO", 0, 14, kRpm},
    UnitRange{"VOLT_SERVO", 0, 14, kMillivolts},
    UnitRange{"RPM_KNOCK", 0, 14, kRpm},
    UnitRange{"KNOCK_FREK", 0, 14, "kHz"},
    UnitRange{"TIME_CONST", 0, 14, kMicroseconds},
    UnitRange{"START", 0, 14, kDegrees},
    UnitRange{"END", 0, 14, kDegrees},
    UnitRange{"ALARM", 0, 14, kMillivolts},
};

bool isMapCell(std::size_t index) {
    return index >= kMap && index < mapCells(kMapPageCount);
}

bool isMapBreakpoint(std::size_t index) {
    return index >= kMapRpm && index < mapRpm(kMapPageCount);
}

std::string_view unitOf(const ParameterKey& key, std::size_t element) {
    const std::size_t index = key.elements[element].index;
    if (isMapCell(index)) {
        return (index - kMap) / (kMapRows * kMapCols) < 3 ? kDegrees : kMicroseconds;
    }
    if (isMapBreakpoint(index)) {
        return kRpm;
    }
    for (const UnitRange& range : kUnits) {
        if (range.key == key.name && element >= range.first && element <= range.last) {
            return range.unit;
        }
    }
    return {};
}

// The knock settings show the entry of their list; an index past the list shows as a number.
std::string shownText(const ParameterImage& image, const ParameterKey& key,
                      const ParameterElement& element) {
    const int value = shownValue(image, element);
    std::span<const std::string_view> list;
    if (key.name == "KNOCK_FREK") {
        list = kKnockFrequencies;
    } else if (key.name == "LEVEL") {
        list = kKnockGains;
    } else if (key.name == "TIME_CONST") {
        list = kKnockTimeConstants;
    }
    if (value >= 0 && static_cast<std::size_t>(value) < list.size()) {
        return std::string(list[static_cast<std::size_t>(value)]);
    }
    return std::to_string(value);
}

int breakpointRpm(const ParameterImage& image, std::size_t page, std::size_t column) {
    return static_cast<int>(image[mapRpm(page) + column]) * 50;
}

ParameterDifference namedDifference(const DiffSide& a, const DiffSide& b, const ParameterKey& key,
                                    std::size_t e) {
    const ParameterElement& element = key.elements[e];
    ParameterDifference d;
    d.name = elementName(key, e);
    d.key = key.name;
    d.element = e;
    d.imageIndex = element.index;
    d.shownA = shownText(a.image, key, element);
    d.shownB = shownText(b.image, key, element);
    d.unit = unitOf(key, e);
    if (d.shownA == d.shownB) {
        d.storedA = a.image[element.index];
        d.storedB = b.image[element.index];
    }
    if (isMapCell(element.index)) {
        const std::size_t page = (element.index - kMap) / (kMapRows * kMapCols);
        const std::size_t row = e / kMapCols;
        const std::size_t column = e % kMapCols;
        d.cell = MapCellPlace{page, row, column, breakpointRpm(a.image, page, column),
                              breakpointRpm(b.image, page, column)};
    }
    return d;
}

} // namespace

std::vector<ParameterDifference> diffParameterSets(const DiffSide& a, const DiffSide& b) {
    std::vector<ParameterDifference> differences;
    const ParameterTable& table = ParameterTable::instance();
    for (const ParameterKey& key : table.keys()) {
        for (std::size_t e = 0; e < key.count(); ++e) {
            const ParameterElement& element = key.elements[e];
            if (!element.hasImageByte()) {
                // EXT_MON: compared only where both sides carry it.
                if (a.extMon && b.extMon && *a.extMon != *b.extMon) {
                    differences.push_back(ParameterDifference{elementName(key, e),
                                                              key.name,
                                                              e,
                                                              kImageSize,
                                                              std::nullopt,
                                                              *a.extMon ? "1" : "0",
                                                              *b.extMon ? "1" : "0",
                                                              {},
                                                              std::nullopt,
                                                              std::nullopt});
                }
                continue;
            }
            if (a.image[element.index] != b.image[element.index]) {
                differences.push_back(namedDifference(a, b, key, e));
            }
        }
    }
    // Bytes no parameter names still reach the unit and fail a verify when they differ.
    for (std::size_t i = kFirstParameterByte; i < kImageSize; ++i) {
        if (a.image[i] != b.image[i] && !table.findByIndex(i)) {
            differences.push_back(ParameterDifference{"byte " + std::to_string(i),
                                                      {},
                                                      0,
                                                      i,
                                                      std::nullopt,
                                                      std::to_string(a.image[i]),
                                                      std::to_string(b.image[i]),
                                                      {},
                                                      std::nullopt,
                                                      std::nullopt});
        }
    }
    return differences;
}

std::vector<MapCellRef> differingMapCells(const std::vector<ParameterDifference>& differences) {
    std::vector<MapCellRef> cells;
    for (const ParameterDifference& d : differences) {
        if (d.cell) {
            cells.push_back(MapCellRef{d.cell->page, d.cell->row, d.cell->column});
        }
    }
    return cells;
}

} // namespace kordana

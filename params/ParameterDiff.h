#pragma once

#include "params/ParameterImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// One side of a comparison: a parameter image, and the Extended Monitor state when the side
/// has one (a parameter file does; the unit does not).
struct DiffSide {
    ParameterImage image;
    std::optional<bool> extMon;
};

/// Where a differing map cell lies: map page 0..8, row (throttle) and column (breakpoint).
struct MapCellPlace {
    std::size_t page = 0;
    std::size_t row = 0;
    std::size_t column = 0;
    int rpmA = 0; ///< the column's breakpoint in A, rpm
    int rpmB = 0; ///< the column's breakpoint in B, rpm
};

/// One parameter element that differs between two sides, with the values the user sees.
struct ParameterDifference {
    std::string name;                    ///< "LIMITER[1]", "IGN_2[37]"; "byte 126" when unnamed
    std::string_view key;                ///< "LIMITER"; empty for an unnamed byte
    std::size_t element = 0;             ///< the element's number within its key
    std::size_t imageIndex = 0;          ///< the element's image byte; kImageSize for `EXT_MON`
    std::optional<MapCellPlace> cell;    ///< set for the cells of the nine maps
    std::string shownA;                  ///< A's value as shown ("6000", "-7", "2.07")
    std::string shownB;                  ///< B's value as shown
    std::string_view unit;               ///< "rpm", "µs", "°C", ...; empty for counts and flags
    std::optional<std::uint8_t> storedA; ///< the bytes, set only when the shown values agree
    std::optional<std::uint8_t> storedB;
};

/// Every parameter whose stored byte differs between a and b: the named elements of bytes
/// 101..1934 in parameter-file order, `EXT_MON` when both sides have it, then the unnamed bytes
/// of 100..1999 in image order. The unit header (0..99) identifies the unit and is never
/// compared.
std::vector<ParameterDifference> diffParameterSets(const DiffSide& a, const DiffSide& b);

/// The map cells among differences, as (page, row, column).
struct MapCellRef {
    std::size_t page = 0;
    std::size_t row = 0;
    std::size_t column = 0;

    friend bool operator==(const MapCellRef&, const MapCellRef&) = default;
};
std::vector<MapCellRef> differingMapCells(const std::vector<ParameterDifference>& differences);

} // namespace kordana

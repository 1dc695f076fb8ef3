#pragma once

#include "params/ParameterImage.h"

#include <cstdint>
#include <span>
#include <string>

namespace kordana {

/// The unit's identification texts as shown on the misc page (UTF-8).
struct UnitHeaderTexts {
    std::string version; ///< up to 30 characters
    std::string date;    ///< 10 characters, e.g. " 7. 5.2006"
    std::string time;    ///< 5 characters, e.g. "09:05"

    friend bool operator==(const UnitHeaderTexts&, const UnitHeaderTexts&) = default;
};

/// Builds the version, date and time texts from the unit header (image block 0).
UnitHeaderTexts DecodeUnitHeader(std::span<const std::uint8_t, kBlockSize> header);

} // namespace kordana

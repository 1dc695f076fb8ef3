#pragma once

#include "params/ParameterFileLoader.h"
#include "params/ParameterImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kordana {

/// The image of a fresh start: the default set of preset 0, repaired.
ParameterImage freshImage();

/// The image New gives for a preset (0..3): `BIKE` = preset, its default set, repaired.
ParameterImage presetImage(std::uint8_t preset);

/// The terminal's line for a parameter file that could not be read, starting with
/// openFileError: "Open file error! tune.ign is not a regular file" and the like.
std::string loadFailureLine(const ParameterFileLoad& load, const std::string& path,
                            const std::string& openFileError);

/// One element that the consistency pass changed.
struct Repair {
    std::string name; ///< "LIMITER[1]"
    int before = 0;   ///< shown value before the pass
    int after = 0;    ///< shown value after it
    std::uint8_t storedBefore = 0;
    std::uint8_t storedAfter = 0;
};

/// Every parameter element whose byte differs between before and after, in file order.
std::vector<Repair> repairsBetween(const ParameterImage& before, const ParameterImage& after);

/// "LIMITER[1]: 12000 -> 9200", with the stored bytes added when the shown values agree.
std::string repairLine(const Repair& repair);

} // namespace kordana

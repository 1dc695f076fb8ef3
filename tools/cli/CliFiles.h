#pragma once

#include "params/ParameterImage.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace kordana {

/// The image of a fresh start: the default set of preset 0, repaired.
ParameterImage freshImage();

/// The image New gives for a preset (0..3): `BIKE` = preset, its default set, repaired.
ParameterImage presetImage(std::uint8_t preset);

/// How reading a parameter file ended.
enum class FileLoad { Applied, Unreadable, UnmatchedVersion };

/// A parameter file read over a base image as Open reads it (not yet repaired).
struct LoadedFile {
    FileLoad result = FileLoad::Unreadable;
    ParameterImage image; ///< the base with the file's values over it; the base when not applied
    bool extMon = false;  ///< the file's "Extended Monitor" state
    QString reason;       ///< why the file could not be read
};

/// Reads the parameter file at path over base (with "Extended Monitor" off).
LoadedFile loadParameterFile(const QString& path, const ParameterImage& base);

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

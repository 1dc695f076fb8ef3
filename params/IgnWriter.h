#pragma once

#include "params/ParameterImage.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace kordana {

/// The word that opens a parameter file, followed by the format version.
inline constexpr std::string_view kIgnMagicKey = "VALMORIN_KEY";
/// The only format version read and written (the unit's memory layout version).
inline constexpr unsigned kIgnVersion = 51;

/// Writes the parameter file (`*.ign`) text: every key of the parameter table in file order
/// with its fixed layout. It writes the image as it is; callers run the consistency pass first.
class IgnWriter {
public:
    /// The whole file text for `image` and the "Extended Monitor" state `extMon`.
    static std::string write(const ParameterImage& image, bool extMon);
    /// Writes the file text to `out`; returns false when the stream reports a failure.
    static bool write(std::ostream& out, const ParameterImage& image, bool extMon);
};

} // namespace kordana

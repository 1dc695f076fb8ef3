#pragma once

#include "params/ParameterImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kordana {

/// How the set on screen compares with the last file saved or opened; NotSaved while no file
/// has been saved or opened at all.
enum class FileStanding : std::uint8_t { Saved, Changed, NotSaved };
/// How the set on screen compares with the unit's set as last read, verified or programmed.
enum class UnitStanding : std::uint8_t { Same, Differs, Unknown };

/// Where the set stands: two remembered copies of the parameter bytes (100..1999), one as the
/// last file held them, one as the unit holds them, each possibly unknown, and the comparison
/// of the image with each. The unit header (0..99) is the unit's own and never compared.
class SetStanding {
public:
    static constexpr std::size_t kFirstByte = kBlockSize;
    static constexpr std::size_t kByteCount = kImageSize - kFirstByte;

    /// A file was saved from, or opened into, `image` with the Extended Monitor state `extMon`.
    void fileHolds(const ParameterImage& image, bool extMon);
    /// A file was opened that does not hold a whole set (keys missing or cut short), or the
    /// file last named cannot be read: no file is known to hold the set, yet the set is not
    /// "not saved" either, it differs from its file.
    void forgetFile() {
        m_file.reset();
        m_fileNamed = true;
    }
    /// The unit holds the parameter bytes of `image` (a read arrived, a verify or a programming
    /// run succeeded).
    void unitHolds(const ParameterImage& image);
    /// What the unit holds is no longer known (another port, a failed transfer, no answer).
    void forgetUnit() { m_unit.reset(); }

    /// Saved when a file is known and holds the parameter bytes and Extended Monitor state of
    /// `image` and `extMon`; NotSaved while no file was ever saved, opened or named; Changed
    /// otherwise.
    FileStanding file(const ParameterImage& image, bool extMon) const;
    /// Same or Differs against the unit's bytes; Unknown when they are not known.
    UnitStanding unit(const ParameterImage& image) const;

private:
    using Bytes = std::array<std::uint8_t, kByteCount>;
    static Bytes parameterBytes(const ParameterImage& image);
    static bool sameBytes(const Bytes& bytes, const ParameterImage& image);

    std::optional<Bytes> m_file;
    bool m_fileExtMon = false;
    bool m_fileNamed = false;
    std::optional<Bytes> m_unit;
};

} // namespace kordana

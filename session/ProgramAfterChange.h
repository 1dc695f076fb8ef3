#pragma once

#include "params/ParameterImage.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kordana {

/// Decides whether a commit starts a programming run ("Programming after change"): the first
/// check after the box was set always does, later checks only when a byte 100..1999 of the
/// image differs from the copy taken at the previous check. Holds no widgets.
class ProgramAfterChange {
public:
    static constexpr std::size_t kFirstByte = 100;
    static constexpr std::size_t kByteCount = kImageSize - kFirstByte;

    /// Runs one check with the box state `boxChecked`; true when a programming run should start.
    /// Updates the shadow copy while the box is checked.
    bool check(bool boxChecked, const ParameterImage& image);

    /// Whether the box was set at the previous check.
    bool previouslySet() const { return m_previouslySet; }

private:
    bool m_previouslySet = false;
    std::array<std::uint8_t, kByteCount> m_shadow{};
};

} // namespace kordana

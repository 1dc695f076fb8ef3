#include "session/ProgramAfterChange.h"

namespace kordana {

bool ProgramAfterChange::check(bool boxChecked, const ParameterImage& image) {
    if (!boxChecked) {
        m_previouslySet = false;
        return false;
    }
    bool changed = !m_previouslySet;
    m_previouslySet = true;
    // Every byte is compared and copied, so the shadow always matches the image afterwards.
    for (std::size_t i = 0; i < kByteCount; ++i) {
        const std::uint8_t now = image.bytes[kFirstByte + i];
        if (m_shadow[i] != now) {
            m_shadow[i] = now;
            changed = true;
        }
    }
    return changed;
}

} // namespace kordana

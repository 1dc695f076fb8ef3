#include "session/SetStanding.h"

#include <algorithm>

namespace kordana {

SetStanding::Bytes SetStanding::parameterBytes(const ParameterImage& image) {
    Bytes bytes{};
    std::copy(image.bytes.begin() + kFirstByte, image.bytes.end(), bytes.begin());
    return bytes;
}

bool SetStanding::sameBytes(const Bytes& bytes, const ParameterImage& image) {
    return std::equal(bytes.begin(), bytes.end(), image.bytes.begin() + kFirstByte);
}

void SetStanding::fileHolds(const ParameterImage& image, bool extMon) {
    m_file = parameterBytes(image);
    m_fileExtMon = extMon;
    m_fileNamed = true;
}

void SetStanding::unitHolds(const ParameterImage& image) {
    m_unit = parameterBytes(image);
}

FileStanding SetStanding::file(const ParameterImage& image, bool extMon) const {
    if (!m_fileNamed) {
        return FileStanding::NotSaved;
    }
    return m_file && m_fileExtMon == extMon && sameBytes(*m_file, image) ? FileStanding::Saved
                                                                         : FileStanding::Changed;
}

UnitStanding SetStanding::unit(const ParameterImage& image) const {
    if (!m_unit) {
        return UnitStanding::Unknown;
    }
    return sameBytes(*m_unit, image) ? UnitStanding::Same : UnitStanding::Differs;
}

} // namespace kordana

#pragma once

#include <QString>

#include <string_view>

namespace kordana {

/// The core's UTF-8 text as the window shows it.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace kordana

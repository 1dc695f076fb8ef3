#include "params/IgnWriter.h"

#include "params/ParameterTable.h"

#include <array>
#include <cstdio>
#include <ostream>

namespace kordana {

namespace {

constexpr std::string_view kIndent = "             "; // 13 spaces, under the key column
constexpr std::size_t kKeyWidth = 13;

// Where a key's values wrap onto further lines: after every `group` values a line break,
// indented or not; the break after the last group only where `breakAtEnd` says so.
struct KeyLayout {
    std::string_view key;
    std::size_t group;
    bool indent;
    bool breakAtEnd;
};

constexpr std::array<KeyLayout, 15> kLayouts = {{
    {"POWER_OUT", 3, false, true},
    {"IGN_1", 15, true, true},
    {"IGN_2", 15, true, true},
    {"IGN_3", 15, true, true},
    {"JET_1A", 15, true, true},
    {"JET_2A", 15, true, true},
    {"JET_3A", 15, true, true},
    {"JET_1B", 15, true, true},
    {"JET_2B", 15, true, true},
    {"JET_3B", 15, true, true},
    {"POSITION_A", 15, true, false},
    {"POSITION_B", 15, true, false},
    {"DRUCK", 10, true, false},
    {"RETARD", 10, true, false},
    {"CHOKE", 4, true, false},
}};

// Keys that start a new section of the file: an extra line break leaves an empty line above.
constexpr std::array<std::string_view, 3> kSectionStarts = {"RPM_IGN_1", "SERVO_ENABLE",
                                                            "RPM_KNOCK"};

KeyLayout layoutOf(std::string_view key) {
    for (const auto& layout : kLayouts) {
        if (layout.key == key) {
            return layout;
        }
    }
    return KeyLayout{key, 0, false, false};
}

bool startsSection(std::string_view key) {
    for (auto start : kSectionStarts) {
        if (start == key) {
            return true;
        }
    }
    return false;
}

// Every value is written right-aligned in five columns and followed by one space; unsigned
// values never go negative, so one signed format serves both kinds.
void appendNumber(std::string& out, int value) {
    std::array<char, 16> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%5d ", value);
    if (n > 0) {
        out.append(buffer.data(), static_cast<std::size_t>(n));
    }
}

void appendMagicLine(std::string& out) {
    out += kIgnMagicKey;
    out.append(15 - kIgnMagicKey.size(), ' ');
    std::array<char, 16> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%3u ", kIgnVersion);
    if (n > 0) {
        out.append(buffer.data(), static_cast<std::size_t>(n));
    }
    out += '\n';
}

void appendKeyName(std::string& out, std::string_view key) {
    out += '\n';
    out += key;
    // The format pads "ACT_LIM1" to 12 columns only; readers see words, so only the look differs.
    const std::size_t width = key == "ACT_LIM1" ? kKeyWidth - 1 : kKeyWidth;
    if (key.size() < width) {
        out.append(width - key.size(), ' ');
    }
}

void appendKey(std::string& out, const ParameterKey& key, const ParameterImage& image,
               bool extMon) {
    if (startsSection(key.name)) {
        out += '\n';
    }
    appendKeyName(out, key.name);
    const KeyLayout layout = layoutOf(key.name);
    for (std::size_t e = 0; e < key.count(); ++e) {
        const ParameterElement& element = key.elements[e];
        const int value = element.hasImageByte() ? fileValue(image, element) : (extMon ? 1 : 0);
        if (element.conversion == Conversion::Linear) {
            appendNumber(out, value);
        } else {
            out += value != 0 ? "    1" : "    0";
        }
        const std::size_t written = e + 1;
        if (layout.group != 0 && written % layout.group == 0 &&
            (written < key.count() || layout.breakAtEnd)) {
            out += '\n';
            if (layout.indent) {
                out += kIndent;
            }
        }
    }
}

} // namespace

std::string IgnWriter::write(const ParameterImage& image, bool extMon) {
    std::string out;
    out.reserve(12 * 1024);
    appendMagicLine(out);
    for (const auto& key : ParameterTable::instance().keys()) {
        appendKey(out, key, image, extMon);
    }
    out += '\n';
    return out;
}

bool IgnWriter::write(std::ostream& out, const ParameterImage& image, bool extMon) {
    const std::string text = write(image, extMon);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out);
}

} // namespace kordana

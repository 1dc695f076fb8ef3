#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kordana {

/// An INI document kept as its lines, so that saving preserves unknown sections, keys, comments
/// and the order of everything. Section and key names match case-insensitively, as the classic
/// private-profile functions do, and keys are kept exactly as written (no escaping of '>' etc.).
class IniFile {
public:
    IniFile() = default;
    /// Parses INI text (CR LF or LF line ends).
    static IniFile parse(const std::string& text);
    /// The document as text, LF line ends, ending with a line break.
    std::string text() const;

    /// The raw value of section/key, or nothing when the key is missing.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    /// The value as an integer; `current` when missing or not a whole integer.
    int readInteger(const std::string& section, const std::string& key, int current) const;
    /// The value as text; `fallback` when missing.
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;

    /// Sets section/key, updating the key in place or appending it (and the section) when new.
    /// A value with a line break (CR or LF) is refused: nothing changes and false is returned.
    bool write(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);

private:
    struct Line {
        std::string raw;     // the line as read, used for comments and unknown lines
        std::string section; // section this line belongs to (lower case)
        std::string key;     // key as written, empty for non-key lines
        std::string value;
        bool isHeader = false;
    };
    std::vector<Line> m_lines;

    static std::string lower(std::string s);
    int findKey(const std::string& section, const std::string& key) const;
};

} // namespace kordana

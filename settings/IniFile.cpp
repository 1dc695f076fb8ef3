#include "settings/IniFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace kordana {

namespace {

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

} // namespace

std::string IniFile::lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

IniFile IniFile::parse(const std::string& text) {
    IniFile ini;
    std::string section;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string raw = text.substr(pos, end - pos);
        pos = end + 1;
        // CR before the line end is part of the line end, however many there are, so a file
        // written back reads as the same lines again.
        while (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        Line line{raw, section, {}, {}, false};
        const std::string t = trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string::npos) {
            section = lower(trim(t.substr(1, t.find(']') - 1)));
            line.section = section;
            line.isHeader = true;
        } else if (!t.empty() && t.front() != ';' && t.front() != '#') {
            const auto eq = t.find('=');
            if (eq != std::string::npos && eq > 0) {
                line.key = trim(t.substr(0, eq));
                line.value = trim(t.substr(eq + 1));
            }
        }
        ini.m_lines.push_back(std::move(line));
    }
    return ini;
}

std::string IniFile::text() const {
    std::string out;
    for (const Line& line : m_lines) {
        out += line.raw;
        out += '\n';
    }
    return out;
}

int IniFile::findKey(const std::string& section, const std::string& key) const {
    const std::string s = lower(section);
    const std::string k = lower(key);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (!line.isHeader && !line.key.empty() && line.section == s && lower(line.key) == k) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<std::string> IniFile::value(const std::string& section,
                                          const std::string& key) const {
    const int i = findKey(section, key);
    if (i < 0) {
        return std::nullopt;
    }
    return m_lines[static_cast<std::size_t>(i)].value;
}

int IniFile::readInteger(const std::string& section, const std::string& key, int current) const {
    const auto v = value(section, key);
    if (!v || v->empty()) {
        return current;
    }
    int result = 0;
    const char* first = v->data();
    const char* last = v->data() + v->size();
    if (*first == '+') {
        ++first;
    }
    const auto [ptr, ec] = std::from_chars(first, last, result);
    if (ec != std::errc() || ptr != last) {
        return current;
    }
    return result;
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
    return value(section, key).value_or(fallback);
}

bool IniFile::write(const std::string& section, const std::string& key, const std::string& value) {
    // The format has no escape for a line break: the rest of such a value would be read back
    // as lines of its own (a section header, another key). Refusing it keeps the value the
    // key already has; a path with a line break in it is not worth remembering.
    if (value.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    const int i = findKey(section, key);
    if (i >= 0) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        line.value = value;
        line.raw = line.key + "=" + value;
        return true;
    }
    const std::string s = lower(section);
    // Append after the last line of the section, or start a new section at the end.
    int insertAt = -1;
    for (std::size_t j = 0; j < m_lines.size(); ++j) {
        if (m_lines[j].section == s && (m_lines[j].isHeader || !trim(m_lines[j].raw).empty())) {
            insertAt = static_cast<int>(j) + 1;
        }
    }
    Line line{key + "=" + value, s, key, value, false};
    if (insertAt < 0) {
        if (!m_lines.empty() && !trim(m_lines.back().raw).empty()) {
            m_lines.push_back(Line{"", m_lines.back().section, {}, {}, false});
        }
        m_lines.push_back(Line{"[" + section + "]", s, {}, {}, true});
        m_lines.push_back(std::move(line));
        return true;
    }
    m_lines.insert(m_lines.begin() + insertAt, std::move(line));
    return true;
}

void IniFile::writeInteger(const std::string& section, const std::string& key, int value) {
    write(section, key, std::to_string(value));
}

} // namespace kordana

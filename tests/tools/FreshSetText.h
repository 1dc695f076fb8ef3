#pragma once

#include "params/IgnWriter.h"
#include "tools/cli/CliFiles.h"

#include <string>
#include <utility>
#include <vector>

namespace kordana::clitest {

// The whole set of a fresh start (the defaults of preset 0) as a parameter file, with the first
// values of some keys replaced by the words given: {"LIMITER", "300 9000 9000"}. Every key is
// there, so the file holds a whole set.
inline std::string freshSetWith(const std::vector<std::pair<std::string, std::string>>& changes) {
    std::string text = IgnWriter::write(freshImage(), false);
    for (const auto& [key, values] : changes) {
        std::size_t at = text.find("\n" + key + " ");
        if (at == std::string::npos) {
            return {};
        }
        at += key.size() + 1;
        std::size_t from = 0;
        while (from < values.size()) {
            const std::size_t to = std::min(values.find(' ', from), values.size());
            const std::size_t start = text.find_first_not_of(" \n", at);
            const std::size_t end = text.find_first_of(" \n", start);
            text.replace(start, end - start, values.substr(from, to - from));
            at = start + (to - from);
            from = to + 1;
        }
    }
    return text;
}

// The whole set of a fresh start with the lines of `key` (its key line and indented rows) taken
// out.
inline std::string freshSetWithout(const std::string& key) {
    std::string text = IgnWriter::write(freshImage(), false);
    const std::size_t from = text.find("\n" + key + " ");
    std::size_t end = text.find('\n', from + 1);
    while (end < text.size() && text.compare(end, 14, "\n             ") == 0) {
        end = text.find('\n', end + 1);
    }
    return text.erase(from, end - from);
}

} // namespace kordana::clitest

#pragma once

// A scratch folder per test, removed with it, and the two workshop PCs of the sync tests.

#include "library/TuneLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace kordana::librarytest {

class Scratch {
public:
    Scratch() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kordana-library-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::filesystem::path path(const std::string& name) const { return m_root / name; }

private:
    std::filesystem::path m_root;
};

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Opens (making) the library at folder for who; fails the test when it cannot.
inline std::unique_ptr<TuneLibrary> openLibrary(const std::filesystem::path& folder,
                                                const LibraryIdentity& who) {
    auto opened = TuneLibrary::open(folder, who);
    EXPECT_TRUE(opened.ok()) << opened.error;
    return opened.ok() ? std::move(*opened.value) : nullptr;
}

/// An entry of `text` at `time`, of the unit `ident` (empty: no unit).
inline LibraryEntryInput entryOf(LibraryEvent event, const std::string& text, std::int64_t time,
                                 const std::string& ident = {}) {
    LibraryEntryInput input;
    input.event = event;
    input.text = text;
    input.time = time;
    if (!ident.empty()) {
        input.unit = LibraryUnit{ident, "7.5.2006 09:05", ident + " v1"};
    }
    return input;
}

} // namespace kordana::librarytest

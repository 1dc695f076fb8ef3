// Every kordana-cli test, in-process or as a child process, keeps its tune library in a folder
// of its own: program and read add entries to the library of $XDG_DATA_HOME, which must never
// be the user's.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class CliLibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kordana-cli-data-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_folder = pattern;
            ::setenv("XDG_DATA_HOME", m_folder.c_str(), 1);
        }
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

private:
    std::string m_folder;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new CliLibraryEnvironment);

} // namespace

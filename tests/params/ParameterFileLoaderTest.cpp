#include "params/ParameterFileLoader.h"

#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace kordana {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBikeTwo = "VALMORIN_KEY 51\nBIKE 2\n";

// A file of exactly `size` bytes: kBikeTwo padded with spaces (words are separated by white
// space, so the padding reads as nothing).
std::string padded(std::size_t size) {
    std::string text(kBikeTwo);
    text.resize(size, ' ');
    return text;
}

class ParameterFileLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        // A random part keeps concurrent runs of other builds apart.
        m_dir = fs::path(::testing::TempDir()) / ("kordana-loader-" + std::string(info->name()) +
                                                  "-" + std::to_string(std::random_device{}()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_current[layout::kBike] = 1;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    fs::path write(const std::string& name, const std::string& text) const {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // A refused load leaves the current values as they were.
    void expectUnchanged(const ParameterFileLoad& load) const {
        EXPECT_FALSE(load.read.applicable());
        EXPECT_EQ(load.read.image, m_current);
        EXPECT_TRUE(load.read.extMon);
    }

    fs::path m_dir;
    ParameterImage m_current;
};

TEST_F(ParameterFileLoaderTest, ReadsRegularFilesUpToOneMegabyte) {
    for (const std::size_t size : {std::string(kBikeTwo).size(), std::size_t{1024 * 1024}}) {
        SCOPED_TRACE(size);
        const ParameterFileLoad load =
            ParameterFileLoader::load(write("tune.ign", padded(size)), m_current, true);
        EXPECT_EQ(load.status, ParameterFileStatus::Read);
        EXPECT_TRUE(load.reason.empty());
        ASSERT_TRUE(load.read.applicable());
        EXPECT_EQ(load.read.image[layout::kBike], 2);
    }
}

TEST_F(ParameterFileLoaderTest, AFileOfAnotherVersionIsReadButDoesNotApply) {
    const ParameterFileLoad load =
        ParameterFileLoader::load(write("v52.ign", "VALMORIN_KEY 52\nBIKE 2\n"), m_current, true);
    EXPECT_EQ(load.status, ParameterFileStatus::Read);
    EXPECT_FALSE(load.read.versionMatched);
    expectUnchanged(load);
}

TEST_F(ParameterFileLoaderTest, RefusesWhatIsNotASmallRegularFile) {
    fs::create_directory(m_dir / "folder.ign");
    const struct {
        fs::path path;
        ParameterFileStatus status;
        const char* reason;
    } cases[] = {
        {m_dir / "missing.ign", ParameterFileStatus::CannotRead, "No such file or directory"},
        {m_dir / "folder.ign", ParameterFileStatus::NotRegularFile, ""},
        {"/dev/zero", ParameterFileStatus::NotRegularFile, ""},
        {"/dev/null", ParameterFileStatus::NotRegularFile, ""},
        {write("big.ign", padded(1024 * 1024 + 1)), ParameterFileStatus::TooLarge, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.string());
        const ParameterFileLoad load = ParameterFileLoader::load(c.path, m_current, true);
        EXPECT_EQ(load.status, c.status);
        EXPECT_EQ(load.reason, c.reason);
        expectUnchanged(load);
    }
}

} // namespace
} // namespace kordana

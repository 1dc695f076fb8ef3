// kordana-cli sheet: the tune sheet of a parameter file as a PDF, read back with the poppler
// tools (pdfinfo, pdftotext).

#include "CliTestProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::runCli;
using clitest::ScratchDir;
using clitest::writeText;

// Standard output of a shell command.
std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            out.append(buffer, n);
        }
        pclose(pipe);
    }
    return out;
}

// The PDF's text line by line, every run of blanks as one blank, empty lines dropped.
std::vector<std::string> pdfLines(const std::string& pdf) {
    std::vector<std::string> lines;
    std::istringstream in(commandOutput("pdftotext -layout '" + pdf + "' -"));
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string joined;
        for (std::string word; words >> word;) {
            joined += (joined.empty() ? "" : " ") + word;
        }
        if (!joined.empty()) {
            lines.push_back(joined);
        }
    }
    return lines;
}

int pdfPages(const std::string& pdf) {
    std::istringstream in(commandOutput("pdfinfo '" + pdf + "'"));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("Pages:", 0) == 0) {
            return std::stoi(line.substr(6));
        }
    }
    return -1;
}

// True when a line is `text`, or begins with it and goes on with the table beside it.
bool hasLine(const std::vector<std::string>& lines, const std::string& text) {
    return std::ranges::any_of(
        lines, [&](const std::string& line) { return (line + " ").starts_with(text + " "); });
}

std::string numbers(int first, int step, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += (i == 0 ? "" : " ") + std::to_string(first + step * i);
    }
    return text;
}

constexpr std::array<const char*, 9> kMaps{"IGN_1",  "IGN_2",  "IGN_3",  "JET_1A", "JET_2A",
                                           "JET_3A", "JET_1B", "JET_2B", "JET_3B"};
constexpr std::array<const char*, 9> kTitles{"Ign 1 [°]",   "Ign 2 [°]",   "Ign 3 [°]",
                                             "Jet 1A [us]", "Jet 2A [us]", "Jet 3A [us]",
                                             "Jet 1B [us]", "Jet 2B [us]", "Jet 3B [us]"};

// Over the default set of preset 0 (--partial fills what the file lacks): map p's breakpoints 1000
// + 50 p, 1500 + 50 p, ..., and the Jet 1A cells stored as 69 + 2 r + c (the file holds the byte;
// the sheet shows x 50 us).
std::string tunedFile() {
    std::string text = "VALMORIN_KEY 51\n";
    for (int p = 0; p < 9; ++p) {
        text += std::string("RPM_") + kMaps[static_cast<std::size_t>(p)] + " " +
                numbers(1000 + 50 * p, 500, 15) + "\n";
    }
    text += "JET_1A";
    for (int r = 0; r < 10; ++r) {
        text += " " + numbers(69 + 2 * r, 1, 15);
    }
    return text + "\n";
}

class CliSheet : public ::testing::Test {
protected:
    void SetUp() override {
        if (commandOutput("command -v pdftotext pdfinfo").empty()) {
            GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) are not installed";
        }
        writeText(m_dir.file("tuned.ign"), tunedFile());
    }
    CliRun sheet(std::vector<std::string> extra = {}) {
        std::vector<std::string> args{"sheet", m_dir.file("tuned.ign"), "--pdf", pdf(),
                                      "--partial"};
        args.insert(args.end(), extra.begin(), extra.end());
        return runCli(args, m_dir.path());
    }
    std::string pdf() const { return m_dir.file("tuned.pdf"); }

    ScratchDir m_dir;
};

TEST_F(CliSheet, HoldsEveryMapWithItsBreakpointsAndShownCells) {
    const CliRun run = sheet();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.lastLine(), "Tune sheet written: " + pdf() + " (5 pages)");
    // Page 1: title block and the ignition maps; 2: bank A; 3: bank B; 4: position, servo,
    // power outputs and the other values; 5: corrections and knock.
    EXPECT_EQ(pdfPages(pdf()), 5);

    const std::vector<std::string> lines = pdfLines(pdf());
    for (std::size_t p = 0; p < kMaps.size(); ++p) {
        const auto title = std::ranges::find(lines, kTitles[p]);
        ASSERT_NE(title, lines.end()) << kTitles[p];
        ASSERT_NE(title + 1, lines.end());
        EXPECT_EQ(*(title + 1), "TPS \\ RPM " + numbers(1000 + 50 * static_cast<int>(p), 500, 15))
            << kTitles[p];
    }
    const std::vector<std::string> expected{
        "File: tuned.ign",
        "Motor and fuel 6 injectors fuel 100+ oct.",
        // Jet 1A rows 0 % and 20 %: stored 69.. and 77.., shown x 50.
        "0% " + numbers(3450, 50, 15),
        "20% " + numbers(3850, 50, 15),
        // Ignition cells of preset 0 at full throttle, as stored.
        "100% 35 30 30 35 33 30 29 31 33 33 33 32 33 32 32",
        // Knock list texts of the default indices 63, 60, 20; cylinder 2's alarm levels.
        "Knock Fr. [kHz] 19.98 19.98 19.98 19.98 19.98",
        "Gain 0.129 0.129 0.129 0.129 0.129",
        "Time const. [us] 240 240 240 240 240",
        "Alarm level [mV] 1620 1860 1580 1540 1500",
        "Start limiter [rpm] 9000",
        "TPS 100 % 4470",
        "Tune sheet – tuned.ign Page 5 of 5",
    };
    for (const std::string& line : expected) {
        EXPECT_TRUE(hasLine(lines, line)) << line;
    }
}

TEST_F(CliSheet, WritesTheLanguageAskedFor) {
    ASSERT_EQ(sheet({"--language", "de"}).exitCode, 0);
    const std::vector<std::string> lines = pdfLines(pdf());
    EXPECT_TRUE(hasLine(lines, "Einstellblatt – tuned.ign Seite 1 von 5"));
    EXPECT_TRUE(hasLine(lines, "Motor und Brennstoff 6 Einspritzdüsen Benzin 100+ oct."));
    EXPECT_TRUE(hasLine(lines, "Startbegrenzer [rpm] 9000"));
}

TEST_F(CliSheet, UnwritablePlaceIsAnErrorAndLeavesNoFile) {
    const std::string missing = m_dir.file("no-such-folder/tuned.pdf");
    const CliRun run =
        runCli({"sheet", m_dir.file("tuned.ign"), "--partial", "--pdf", missing}, m_dir.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Tune sheet error! " + missing), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(missing));
}

} // namespace
} // namespace kordana

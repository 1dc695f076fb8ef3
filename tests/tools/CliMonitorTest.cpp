// kordana-cli monitor against the simulated unit: in-process on a simulated clock, and once
// end to end against kordana-unit-sim on a pty.

#include "CliInProcess.h"
#include "CliTestProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <regex>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::InProcessUnit;
using clitest::LoggedUnit;
using clitest::readText;
using clitest::runCli;
using clitest::ScratchDir;

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

bool isNumber(const std::string& text) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

// The CSV file as a list of rows, each a map from column name to text.
struct Csv {
    std::vector<std::string> header;
    std::vector<std::map<std::string, std::string>> rows;
    bool sameWidth = true;
};

Csv parseCsv(const std::string& text) {
    Csv csv;
    std::vector<std::string> lines = split(text, '\n');
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    if (lines.empty()) {
        return csv;
    }
    csv.header = split(lines[0], ',');
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto cells = split(lines[i], ',');
        csv.sameWidth = csv.sameWidth && cells.size() == csv.header.size();
        std::map<std::string, std::string> row;
        for (std::size_t c = 0; c < std::min(cells.size(), csv.header.size()); ++c) {
            row[csv.header[c]] = cells[c];
        }
        csv.rows.push_back(std::move(row));
    }
    return csv;
}

// The monitor command in-process; the unit is simulated on a simulated clock.
class CliMonitor : public ::testing::Test {
public:
    void startUnit(const std::vector<std::string>& args) {
        m_unit = std::make_unique<InProcessUnit>(args);
    }
    CliRun monitor(std::vector<std::string> args) {
        args.insert(args.begin(), {"monitor", "--port", clitest::kSimDevice});
        return clitest::runCliInProcess(args, *m_unit);
    }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    const InProcessUnit& unit() const { return *m_unit; }

    ScratchDir m_dir;
    std::unique_ptr<InProcessUnit> m_unit;
};

// The program itself against kordana-unit-sim on a pty, in real time.
class CliMonitorEndToEnd : public ::testing::Test {
public:
    void startUnit(std::vector<std::string> args) {
        ASSERT_TRUE(m_unit.start(std::move(args))) << m_unit.error();
    }
    CliRun monitor(std::vector<std::string> args) {
        args.insert(args.begin(), {"monitor", "--port", m_unit.devicePath()});
        return runCli(args, m_dir.path());
    }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    const LoggedUnit& unit() const { return m_unit; }

    ScratchDir m_dir;
    LoggedUnit m_unit{m_dir.file("unit.log")};
};

template <class Fixture>
void csvHasAHeaderAndOneRowPerFrame(Fixture& f) {
    f.startUnit({"--programmings", "12"});
    const std::string path = f.file("live.csv");
    const CliRun run = f.monitor({"--seconds", "2", "--csv", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const Csv csv = parseCsv(readText(path));
    ASSERT_FALSE(csv.header.empty());
    EXPECT_EQ(csv.header.front(), "timestamp");
    for (const char* column :
         {"engine_speed_rpm", "pressure_kpa", "throttle_pct", "lambda_mv", "coolant_c", "air_c",
          "supply_v", "inj_1a_us", "inj_3b_us", "advance_1_deg", "position_a_deg",
          "voltage_corr_us", "knock_3_mv", "programming_count", "unit_version", "test_8"}) {
        EXPECT_NE(std::ranges::find(csv.header, column), csv.header.end()) << column;
    }
    EXPECT_TRUE(csv.sameWidth);

    // One row per answered monitor request (the last answer may come after the end).
    const auto requests = f.unit().requests();
    const auto asked = static_cast<std::size_t>(std::ranges::count(requests, 0x30u));
    EXPECT_GE(asked, 5u);
    EXPECT_TRUE(csv.rows.size() == asked || csv.rows.size() + 1 == asked)
        << csv.rows.size() << " rows, " << asked << " requests";

    const std::regex iso(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)");
    std::string previous;
    for (const auto& row : csv.rows) {
        EXPECT_TRUE(std::regex_match(row.at("timestamp"), iso)) << row.at("timestamp");
        EXPECT_GE(row.at("timestamp"), previous);
        previous = row.at("timestamp");
        for (const auto& [name, value] : row) {
            if (name != "timestamp") {
                EXPECT_TRUE(isNumber(value)) << name << " = '" << value << "'";
            }
        }
        EXPECT_EQ(row.at("unit_version"), "51");
        EXPECT_EQ(row.at("programming_count"), "12");
        EXPECT_EQ(row.at("start_limiter").size(), 1u);
    }

    // The panel printed on standard output shows the same frames.
    std::vector<std::string> speeds;
    for (const auto& row : csv.rows) {
        speeds.push_back("RPM = " + row.at("engine_speed_rpm") + " ");
    }
    std::string lastRpmLine;
    for (const std::string& line : run.outLines()) {
        if (line.starts_with("RPM = ")) {
            lastRpmLine = line;
        }
    }
    ASSERT_FALSE(lastRpmLine.empty()) << run.out;
    EXPECT_TRUE(std::ranges::any_of(speeds, [&](const std::string& s) {
        return lastRpmLine.starts_with(s + " |");
    })) << lastRpmLine;
    EXPECT_NE(run.out.find("Number of Programing = 12"), std::string::npos);
}

TEST_F(CliMonitor, CsvHasAHeaderAndOneRowPerFrame) {
    csvHasAHeaderAndOneRowPerFrame(*this);
}

TEST_F(CliMonitorEndToEnd, CsvHasAHeaderAndOneRowPerFrame) {
    csvHasAHeaderAndOneRowPerFrame(*this);
}

TEST_F(CliMonitor, ExtendedTextsAndTheUnmatchedUnitLine) {
    startUnit({"--layout-version", "50"});
    const CliRun run = monitor({"--seconds", "1", "--extended"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Unmatched version of PC and Ignition programs!  PC-51, IGN-50"),
              std::string::npos)
        << run.out;
    EXPECT_TRUE(std::regex_search(run.out, std::regex(R"(TW= -?\d+ °C= \d+ mV)"))) << run.out;
}

TEST_F(CliMonitor, SilentUnitEndsWithNoConnection) {
    startUnit({"--silent"});
    const std::string path = file("none.csv");
    const CliRun run = monitor({"--seconds", "2", "--csv", path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("No connection with PC"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("RPM ="), std::string::npos);
    const Csv csv = parseCsv(readText(path));
    EXPECT_EQ(csv.header.front(), "timestamp");
    EXPECT_TRUE(csv.rows.empty());
}

} // namespace
} // namespace kordana

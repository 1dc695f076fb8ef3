// Monitor CSV rows and the reader of monitor logs: the window's own logs and the terminal's.
#include "monitor/MonitorLog.h"
#include "monitor/MonitorCsv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace kordana {
namespace {

// The terminal's header as users' scripts know it; a change here breaks their files.
const std::string kCliHeader =
    "timestamp,engine_speed_rpm,pressure_kpa,pressure_sensor_mv,saving_count,"
    "throttle_pct,throttle_sensor_error,throttle_sensor_mv,lambda_mv,coolant_c,"
    "coolant_sensor_mv,air_c,air_sensor_mv,supply_v,inj_1a_us,inj_1b_us,inj_2a_us,"
    "inj_2b_us,inj_3a_us,inj_3b_us,inj_duty_pct,advance_1_deg,advance_2_deg,"
    "advance_3_deg,position_a_deg,position_b_deg,servo_measured_mv,servo_desired_mv,"
    "coolant_corr_pct,air_corr_pct,pressure_corr_pct,start_corr_pct,voltage_corr_us,"
    "knock_1_mv,knock_2_mv,knock_3_mv,time_since_start_s,start_limiter,speed_flag_a,"
    "speed_flag_b,power_out_1,power_out_2,power_out_3,servo_in_order,data_error,"
    "tacho_input,oil_pressure_error,knock_alarm_1,knock_alarm_2,knock_alarm_3,"
    "coolant_warning,coolant_sensor_error,air_sensor_error,programming_count,"
    "unit_version,test_1,test_2,test_3,test_4,test_5,test_6,test_7,test_8";
const std::string kLogHeader = "timestamp,elapsed_s" + kCliHeader.substr(9);

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// A row under `header`: the given cells, every other one "0".
std::string row(const std::string& header, const std::map<std::string, std::string>& cells) {
    std::string text;
    for (const std::string& name : split(header)) {
        const auto it = cells.find(name);
        text += (text.empty() ? "" : ",") + (it != cells.end() ? it->second : std::string("0"));
    }
    return text + "\n";
}

TEST(MonitorCsv, HeadersAndARowInEngineeringUnits) {
    EXPECT_EQ(monitorCsvHeader(), kCliHeader);
    EXPECT_EQ(monitorLogHeader(), kLogHeader);

    MonitorFrame frame;
    frame.engineSpeed = 6000;
    frame.pressure = 1013;
    frame.pressureRaw = 400; // 1955 mV
    frame.throttleOpening = 30;
    frame.lambdaRaw = 143; // 698 mV
    frame.supplyRaw = 246; // 1202 mV x 11
    frame.coolantByte = 0; // sensor error: no temperature
    frame.airByte = 125;
    frame.injectionTime.fill(2000);
    frame.advance = {1250, 0, 5};
    frame.voltageCorrection = 990;
    frame.timeSinceStart = 123;
    const auto names = split(kLogHeader);
    const auto cells = split(monitorLogRow("T", 1234, frame));
    ASSERT_EQ(cells.size(), names.size());
    std::map<std::string, std::string> byName;
    for (std::size_t i = 0; i < names.size(); ++i) {
        byName[names[i]] = cells[i];
    }
    const std::map<std::string, std::string> expected{{"timestamp", "T"},
                                                      {"elapsed_s", "1.234"},
                                                      {"engine_speed_rpm", "6000"},
                                                      {"pressure_kpa", "101.3"},
                                                      {"pressure_sensor_mv", "1955"},
                                                      {"throttle_pct", "30"},
                                                      {"lambda_mv", "698"},
                                                      {"supply_v", "13.222"},
                                                      {"coolant_c", ""},
                                                      {"coolant_sensor_error", "1"},
                                                      {"air_c", "25"},
                                                      {"inj_duty_pct", "10"},
                                                      {"advance_1_deg", "12.50"},
                                                      {"advance_2_deg", "0.00"},
                                                      {"advance_3_deg", "0.05"},
                                                      {"voltage_corr_us", "-10"},
                                                      {"time_since_start_s", "12.3"},
                                                      {"inj_3b_us", "2000"}};
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(byName[name], value) << name;
    }
    EXPECT_EQ(monitorCsvRow("T", frame), "T" + monitorLogRow("", 1234, frame).substr(6));
}

struct Accepted {
    const char* name;
    std::string text;
    std::vector<double> elapsed;
};

TEST(MonitorLogReader, ReadsItsOwnLogsAndTerminalLogs) {
    const Accepted cases[] = {
        {"own log",
         kLogHeader + "\n" +
             row(kLogHeader, {{"timestamp", "2026-12-08T14:03:11.000Z"},
                              {"elapsed_s", "0.000"},
                              {"engine_speed_rpm", "1200"},
                              {"throttle_pct", "3"},
                              {"coolant_c", ""}}) +
             row(kLogHeader, {{"timestamp", "2026-12-08T14:03:11.330Z"},
                              {"elapsed_s", "0.330"},
                              {"engine_speed_rpm", "2500"},
                              {"throttle_pct", "40"},
                              {"coolant_c", "85"},
                              {"pressure_kpa", "101.3"},
                              {"time_since_start_s", "12.3"}}),
         {0.0, 0.33}},
        {"terminal log, CRLF",
         kCliHeader + "\r\n" +
             row(kCliHeader, {{"timestamp", "2026-12-08T14:03:11.000Z"},
                              {"engine_speed_rpm", "1200"},
                              {"throttle_pct", "3"},
                              {"coolant_c", ""}}) +
             row(kCliHeader, {{"timestamp", "2026-12-08T14:03:12.005Z"},
                              {"engine_speed_rpm", "2500"},
                              {"throttle_pct", "40"},
                              {"coolant_c", "85"},
                              {"pressure_kpa", "101.3"},
                              {"time_since_start_s", "12.3"}}),
         {0.0, 1.005}},
    };
    for (const Accepted& c : cases) {
        SCOPED_TRACE(c.name);
        const MonitorLogRead read = parseMonitorLog(c.text);
        ASSERT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
        const MonitorLog& log = *read.log;
        ASSERT_EQ(log.rowCount(), 2u);
        EXPECT_NEAR(log.elapsed[0], c.elapsed[0], 1e-6);
        EXPECT_NEAR(log.elapsed[1], c.elapsed[1], 1e-6);
        EXPECT_EQ(log.timestamp(1).substr(0, 10), "2026-12-08");
        EXPECT_EQ(log.values[*log.column("engine_speed_rpm")][1], 2500);
        EXPECT_TRUE(std::isnan(log.values[*log.column("coolant_c")][0]));
        EXPECT_FALSE(log.column("elapsed_s"));
        // The cursor's values: a failed coolant sensor counts as 80 degC, as on the monitor.
        const MonitorLiveValues first = liveValuesAt(log, 0);
        EXPECT_EQ(first.engineSpeed, 1200);
        EXPECT_EQ(first.throttleOpening, 3);
        EXPECT_EQ(first.coolantByte, 180);
        const MonitorLiveValues second = liveValuesAt(log, 1);
        EXPECT_EQ(second.coolantByte, 185);
        EXPECT_EQ(second.pressure, 1013);
        EXPECT_EQ(second.timeSinceStart, 123);
        EXPECT_EQ(log.rowAt(0.2), 0u);
        EXPECT_EQ(log.rowAt(c.elapsed[1]), 1u);
    }
}

TEST(MonitorLogReader, AnUnfinishedLastLineIsLeftOut) {
    const std::string complete =
        kLogHeader + "\n" + row(kLogHeader, {{"elapsed_s", "0.0"}, {"engine_speed_rpm", "900"}});
    const std::string lastRow = row(kLogHeader, {{"elapsed_s", "0.3"}});
    // Cut inside the last row: what a writer killed during its write leaves.
    const MonitorLogRead cut = parseMonitorLog(complete + lastRow.substr(0, 40));
    ASSERT_TRUE(cut.log);
    EXPECT_EQ(cut.log->rowCount(), 1u);
    EXPECT_TRUE(cut.log->lastRowDropped);
    EXPECT_EQ(cut.log->values[0].size(), 1u);
    // Complete but without its line end: kept.
    const MonitorLogRead whole = parseMonitorLog(complete + lastRow.substr(0, lastRow.size() - 1));
    ASSERT_TRUE(whole.log);
    EXPECT_EQ(whole.log->rowCount(), 2u);
    EXPECT_FALSE(whole.log->lastRowDropped);
}

struct Refused {
    const char* name;
    std::string text;
    MonitorLogProblem problem;
    const char* message; // English
};

TEST(MonitorLogReader, RefusesADamagedLogSayingWhereAndWhat) {
    const std::string good = row(kLogHeader, {{"elapsed_s", "1.0"}});
    const std::string cliGood = row(kCliHeader, {{"timestamp", "2026-12-08T14:03:11Z"}});
    const Refused cases[] = {
        {"empty", "", MonitorLogProblem::NoHeader,
         "line 1: the first line is not a monitor log header"},
        {"parameter file", "VALMORIN_KEY 51\n", MonitorLogProblem::NoHeader,
         "line 1: the first line is not a monitor log header"},
        {"no speed", "timestamp,throttle_pct\nx,1\n", MonitorLogProblem::MissingColumn,
         "line 1: the column engine_speed_rpm is missing"},
        {"short row", kLogHeader + "\n" + good + "x,2.0,1,2,3,4\n" + good,
         MonitorLogProblem::CellCount, "line 3: 6 values instead of 64"},
        {"letter in a number", kLogHeader + "\n" + row(kLogHeader, {{"engine_speed_rpm", "25x0"}}),
         MonitorLogProblem::BadNumber, "line 2: engine_speed_rpm is not a number: \"25x0\""},
        {"time goes back", kLogHeader + "\n" + good + row(kLogHeader, {{"elapsed_s", "0.5"}}),
         MonitorLogProblem::TimeBack, "line 3: the time goes back"},
        {"terminal log without a time",
         kCliHeader + "\n" + cliGood + row(kCliHeader, {{"timestamp", "yesterday"}}),
         MonitorLogProblem::BadTimestamp, "line 3: not a time: \"yesterday\""},
        {"header alone", kLogHeader + "\n", MonitorLogProblem::NoRows,
         "line 2: no rows under the header"},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.name);
        const MonitorLogRead read = parseMonitorLog(c.text);
        ASSERT_FALSE(read.log);
        EXPECT_EQ(read.error.problem, c.problem);
        EXPECT_EQ(monitorLogErrorText(read.error, 0), c.message);
    }
    const MonitorLogRead shortRow = parseMonitorLog(cases[3].text);
    EXPECT_EQ(monitorLogErrorText(shortRow.error, 1), "Zeile 3: 6 Werte statt 64");
    EXPECT_EQ(monitorLogErrorText(shortRow.error, 3), "řádek 3: 6 hodnot místo 64");

    const MonitorLogRead folder =
        readMonitorLogFile(std::filesystem::temp_directory_path().string());
    EXPECT_EQ(folder.error.problem, MonitorLogProblem::NotAFile);
}

TEST(MonitorLogReader, IsoTimes) {
    const struct {
        const char* text;
        std::optional<double> seconds;
    } cases[] = {
        {"2026-12-08T14:03:11Z", 1796738591.0},        {"2026-12-08T14:03:11.250Z", 1796738591.25},
        {"2026-12-08T15:03:11.5+01:00", 1796738591.5}, {"2000-02-29 23:59:59", 951868799.0},
        {"2026-13-01T00:00:00Z", std::nullopt},        {"2026-12-08T14:03", std::nullopt},
        {"2026-12-08T14:03:11+1", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto seconds = isoTimeSeconds(c.text);
        ASSERT_EQ(seconds.has_value(), c.seconds.has_value());
        if (seconds) {
            EXPECT_NEAR(*seconds, *c.seconds, 1e-6);
        }
    }
}

} // namespace
} // namespace kordana

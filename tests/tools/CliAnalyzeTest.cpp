// kordana-cli analyze: fixed logs against the default set of preset 0, its output, the set it
// writes, logs that add up, its options and its errors.

#include "CliInProcess.h"
#include "CliTestProcess.h"
#include "FreshSetText.h"

#include "params/ImageLayout.h"
#include "params/ParameterFileLoader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::InProcessUnit;
using clitest::ScratchDir;
using clitest::writeText;
using layout::mapCell;
using Lines = std::vector<std::string>;

constexpr std::string_view kHeader =
    "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,lambda_mv,coolant_c,air_c,"
    "time_since_start_s,knock_alarm_1\n";

// `rows` rows 330 ms apart at 3000 rpm and 30 % (cell (5, 2) of every map of preset 0), warm
// and long after the start; lambda 2900 mV (1.08 on a 0.5..1.5 wideband output); cylinder 1
// knocks in every row whose index `knocks` divides (0: never).
std::string holdLog(int rows, int knocks) {
    std::string text(kHeader);
    for (int i = 0; i < rows; ++i) {
        const bool knock = knocks != 0 && i % knocks == 0;
        text += "2026-01-01T10:00:00Z," + std::to_string(i * 330 / 1000) + "." +
                std::to_string(1000 + i * 330 % 1000).substr(1) + ",3000,30,2900,85,20,300.0," +
                (knock ? "1" : "0") + "\n";
    }
    return text;
}

class CliAnalyze : public ::testing::Test {
public:
    void SetUp() override { writeText(set(), clitest::freshSetWith({})); }
    CliRun cli(const std::vector<std::string>& args) {
        return clitest::runCliInProcess(args, m_unit);
    }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    std::string set() const { return m_dir.file("set.ign"); }
    std::string log(const std::string& name, const std::string& text) const {
        writeText(file(name), text);
        return file(name);
    }

    ScratchDir m_dir;
    InProcessUnit m_unit;
};

// Every row knocks on cylinder 1; row 0 has no frame before it, rows 0 and 1 none 400 ms
// before them. Preset 0 holds 25 degrees in the ignition cells (5, 2), 105 (5250 us) in the
// bank A cells and 6 in the bank B cells: 105 x 1.08 = 113.4 gives 113, 6 x 1.08 = 6.48 stays
// 6; nine events would be four steps of retard, three at most.
const Lines kHoldOutput{
    "Fuel: 10 samples, 8 used; 2 no earlier frame",
    "Knock: 10 samples, 9 used; 1 no earlier frame",
    "Ign 1: 1 cell",
    "  row 5 (30%) column 2 (3000 rpm): 25 ° -> 22 °, 9 samples",
    "Jet 1A: 1 cell",
    "  row 5 (30%) column 2 (3000 rpm): 5250 µs -> 5650 µs, 8 samples",
    "Jet 2A: 1 cell",
    "  row 5 (30%) column 2 (3000 rpm): 5250 µs -> 5650 µs, 8 samples",
    "Jet 3A: 1 cell",
    "  row 5 (30%) column 2 (3000 rpm): 5250 µs -> 5650 µs, 8 samples",
    "Ign 2: 1 cell clean (enough samples, no knock event)",
    "Ign 3: 1 cell clean (enough samples, no knock event)",
};

TEST_F(CliAnalyze, PrintsTheTallyAndTheProposedCellsAndWritesTheSet) {
    const std::string hold = log("hold.csv", holdLog(10, 1));
    const CliRun run = cli(
        {"analyze", "--set", set(), "--sensor", "wide:0.5,1.5", "--out", file("new.ign"), hold});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.outLines(), kHoldOutput);
    EXPECT_EQ(run.err, "");

    const ParameterFileLoad written =
        ParameterFileLoader::load(file("new.ign"), freshImage(), false);
    ASSERT_TRUE(written.fileRead() && written.read.complete());
    ParameterImage expected = freshImage();
    expected[mapCell(0, 5, 2)] = 22;
    for (std::size_t page = 3; page < 6; ++page) {
        expected[mapCell(page, 5, 2)] = 113;
    }
    for (std::size_t i = kBlockSize; i < kImageSize; ++i) {
        EXPECT_EQ(written.read.image[i], expected[i]) << i;
    }
}

TEST_F(CliAnalyze, SeveralLogsAddUp) {
    // Each log alone: 5 rows, 3 used, too few for --min-samples 6; together 6.
    const std::string first = log("first.csv", holdLog(5, 0));
    const std::string second = log("second.csv", holdLog(5, 0));
    const std::vector<std::string> alone{"analyze",         "--set", set(), "--sensor=wide:0.5,1.5",
                                         "--min-samples=6", first};
    EXPECT_EQ(cli(alone).lastLine(), "No change proposed.");
    std::vector<std::string> both = alone;
    both.push_back(second);
    const CliRun run = cli(both);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_GE(run.outLines().size(), 4u);
    EXPECT_EQ(run.outLines()[0], "Fuel: 10 samples, 6 used; 4 no earlier frame");
    EXPECT_EQ(run.outLines()[3],
              "  row 5 (30%) column 2 (3000 rpm): 5250 µs -> 5650 µs, 6 samples");
}

TEST_F(CliAnalyze, TheOptionsReachTheAnalysis) {
    const std::vector<std::string_view> args{"analyze",
                                             "--set",
                                             "s.ign",
                                             "--sensor",
                                             "wide:0.6,1.4",
                                             "--delay-ms",
                                             "250",
                                             "--min-samples",
                                             "3",
                                             "--authority",
                                             "7.5",
                                             "--target-row",
                                             "1,1,1,1,1,1,0.9,0.9,0.8,0.8",
                                             "--retard-step",
                                             "2",
                                             "--max-retard",
                                             "5",
                                             "--banks",
                                             "b",
                                             "--out",
                                             "o.ign",
                                             "a.csv",
                                             "b.csv"};
    const CliParseResult parsed = parseCliCommandLine(args);
    ASSERT_TRUE(parsed.options) << parsed.error;
    const CliAnalyzeOptions& a = parsed.options->analyze;
    EXPECT_EQ(a.set, "s.ign");
    EXPECT_EQ(a.logs, (std::vector<std::string>{"a.csv", "b.csv"}));
    EXPECT_EQ(parsed.options->out, "o.ign");
    const analysis::AnalysisSettings& s = a.settings;
    EXPECT_EQ(s.sensor, analysis::SensorModel::Wideband);
    EXPECT_EQ(s.lambdaAt0V, 0.6);
    EXPECT_EQ(s.lambdaAt5V, 1.4);
    EXPECT_EQ(s.delayMs, 250u);
    EXPECT_EQ(s.minSamples, 3u);
    EXPECT_EQ(s.authorityPct, 7.5);
    EXPECT_EQ(s.targetLambda, (std::array<double, 10>{1, 1, 1, 1, 1, 1, 0.9, 0.9, 0.8, 0.8}));
    EXPECT_EQ(s.retardStepDeg, 2u);
    EXPECT_EQ(s.maxRetardDeg, 5u);
    EXPECT_EQ(s.banks, analysis::Banks::B);

    // Narrowband (the default) takes the target row in millivolts.
    const std::vector<std::string_view> narrow{
        "analyze", "--set", "s.ign", "--target-row", "400,400,400,400,450,450,500,600,700,700",
        "a.csv"};
    const CliParseResult n = parseCliCommandLine(narrow);
    ASSERT_TRUE(n.options) << n.error;
    EXPECT_EQ(n.options->analyze.settings.sensor, analysis::SensorModel::Narrowband);
    EXPECT_EQ(n.options->analyze.settings.targetMv[7], 600);
}

TEST_F(CliAnalyze, UsageErrors) {
    const std::string hold = log("hold.csv", holdLog(3, 0));
    const std::vector<std::vector<std::string>> cases{
        {"analyze", hold},
        {"analyze", "--set", set()},
        {"analyze", "--set", set(), "--delay-ms", "2001", hold},
        {"analyze", "--set", set(), "--sensor", "wide:1,1", hold},
        {"analyze", "--set", set(), "--sensor", "wideband", hold},
        {"analyze", "--set", set(), "--banks", "c", hold},
        {"analyze", "--set", set(), "--authority", "0", hold},
        {"analyze", "--set", set(), "--min-samples", "0", hold},
        {"analyze", "--set", set(), "--target-row", "1,1,1", hold},
        {"analyze", "--set", set(), "--target-row", "1,1,1,1,1,1,1,1,1,1", hold},
        {"analyze", "--set", set(), "--partial", hold},
        {"analyze", "--set", set(), "--out", file("nofolder/x.ign"), hold},
        {"analyze", "--set", file("missing.ign"), hold},
        {"analyze", "--set", set(), file("missing.csv")},
    };
    for (const auto& args : cases) {
        std::string shown;
        for (const auto& a : args) {
            shown += a + " ";
        }
        const CliRun run = cli(args);
        EXPECT_EQ(run.exitCode, 2) << shown << run.err;
        EXPECT_TRUE(run.out.empty()) << shown << run.out;
        EXPECT_FALSE(run.err.empty()) << shown;
    }
}

TEST_F(CliAnalyze, ADamagedLogIsRefused) {
    const std::string bad =
        log("bad.csv", std::string(kHeader) + "2026-01-01T10:00:00Z,0.0,3000,x,2900,85,20,1,0\n");
    const CliRun run = cli({"analyze", "--set", set(), "--out", file("new.ign"), bad});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(run.err.starts_with("Open file error! " + bad + ": line 2")) << run.err;
    EXPECT_FALSE(std::filesystem::exists(file("new.ign")));
}

TEST_F(CliAnalyze, Help) {
    EXPECT_NE(cli({"--help"}).out.find("  analyze  --set FILE.ign LOG.csv..."), std::string::npos);
    const CliRun run = cli({"analyze", "--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: kordana-cli analyze --set FILE.ign")) << run.out;
    EXPECT_NE(run.out.find("Exit codes"), std::string::npos);
}

} // namespace
} // namespace kordana

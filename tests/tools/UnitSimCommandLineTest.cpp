#include "tools/unit-sim/lib/UnitSimCommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace kordana {
namespace {

UnitSimParseResult parse(std::vector<std::string_view> args) {
    return parseUnitSimCommandLine(args);
}

TEST(UnitSimCommandLine, EveryOptionReachesItsSetting) {
    const UnitSimParseResult r = parse({"--silent",
                                        "--drop",
                                        "10",
                                        "--corrupt=20",
                                        "--truncate",
                                        "30",
                                        "--delay",
                                        "250",
                                        "--bad-echo",
                                        "19",
                                        "--read-protect",
                                        "--layout-version",
                                        "50",
                                        "--byte102=7",
                                        "--seed",
                                        "99",
                                        "--saving-ms",
                                        "500",
                                        "--text",
                                        "Bench unit",
                                        "--programmings",
                                        "12",
                                        "--link",
                                        "/tmp/ttyKORDANA",
                                        "--exit-with-parent",
                                        "--ppid",
                                        "4242",
                                        "--verbose"});
    ASSERT_TRUE(r.options) << r.error;
    const UnitSimProgramOptions& o = *r.options;
    EXPECT_TRUE(o.unit.silent);
    EXPECT_EQ(o.unit.dropPercent, 10u);
    EXPECT_EQ(o.unit.corruptPercent, 20u);
    EXPECT_EQ(o.unit.truncatePercent, 30u);
    EXPECT_EQ(o.unit.delayMs, 250u);
    EXPECT_EQ(o.unit.badEchoBlock, 19);
    EXPECT_TRUE(o.unit.readProtect);
    EXPECT_EQ(o.unit.layoutVersion, 50);
    EXPECT_EQ(o.unit.programVersion, 50); // follows the layout version unless given
    EXPECT_EQ(o.unit.byte102, 7);
    EXPECT_EQ(o.unit.seed, 99u);
    EXPECT_EQ(o.unit.savingMs, 500u);
    EXPECT_EQ(o.unit.identity.text, "Bench unit");
    EXPECT_EQ(o.unit.identity.programmings, 12);
    EXPECT_EQ(o.linkPath, "/tmp/ttyKORDANA");
    EXPECT_TRUE(o.exitWithParent);
    EXPECT_EQ(o.watchPid, 4242);
    EXPECT_TRUE(o.verbose);
    EXPECT_FALSE(o.help);
}

TEST(UnitSimCommandLine, DefaultsGiveASoundUnit) {
    const UnitSimParseResult r = parse({});
    ASSERT_TRUE(r.options);
    EXPECT_FALSE(r.options->unit.silent);
    EXPECT_EQ(r.options->unit.layoutVersion, 51);
    EXPECT_EQ(r.options->unit.programVersion, 51);
    EXPECT_FALSE(r.options->unit.badEchoBlock);
    EXPECT_TRUE(r.options->linkPath.empty());

    const UnitSimParseResult separate =
        parse({"--layout-version", "50", "--program-version", "51"});
    ASSERT_TRUE(separate.options);
    EXPECT_EQ(separate.options->unit.programVersion, 51);
    EXPECT_TRUE(parse({"-h"}).options->help);
}

TEST(UnitSimCommandLine, BadArgumentsAreRefusedWithTheirName) {
    const std::vector<std::vector<std::string_view>> bad = {
        {"--drop", "101"},    {"--drop", "-1"},
        {"--drop"},           {"--corrupt", "x"},
        {"--bad-echo", "0"},  {"--bad-echo", "20"},
        {"--byte102", "256"}, {"--delay", "5s"},
        {"--ppid", "0"},      {"--link", ""},
        {"--frobnicate"},     {"--silent=1"},
        {"--seed", ""},       {"--layout-version", "1000"}};
    for (const auto& args : bad) {
        const UnitSimParseResult r = parse(args);
        EXPECT_FALSE(r.options) << args.front();
        EXPECT_NE(r.error.find(args.front().substr(0, args.front().find('='))), std::string::npos)
            << r.error;
    }
}

} // namespace
} // namespace kordana

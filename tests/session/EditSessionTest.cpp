#include "session/EditSession.h"

#include "params/IgnReader.h"
#include "params/ImageLayout.h"
#include "session/MapCoupling.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

// The session starts each test from the default set of preset 0: LIMITER 180, 180, 184,
// MODE 1 (coupled) for both groups, the breakpoint rows 20, 40, 60, 80, 120, 130, 140, 145,
// ..., 180, the ignition maps' first row 18, 13, 20, 30, ... and injection A's 69, 79, 83,
// 86, 111, 134, ..., 153, injection B's 0, 0, 6, 8, 12, ...; the expected values below
// follow from those by hand.
namespace kordana {
namespace {

using layout::mapCell;
using layout::mapRpm;
using Indices = std::vector<std::size_t>;

constexpr std::size_t kLim = layout::kLimiter;

Indices indices(const std::bitset<kImageSize>& bits) {
    Indices set;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (bits[i]) {
            set.push_back(i);
        }
    }
    return set;
}

Indices columnOf(std::initializer_list<std::size_t> pages, std::size_t column) {
    Indices set;
    for (std::size_t page : pages) {
        for (std::size_t row = 0; row < layout::kMapRows; ++row) {
            set.push_back(mapCell(page, row, column));
        }
    }
    return set;
}

ChangeSet harvest(EditSession& session, int page, std::initializer_list<ByteWrite> writes) {
    return session.applyHarvest(page, std::span<const ByteWrite>(writes.begin(), writes.size()));
}

class EditSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.newDefaultSet();
        session.setChangeListener([this](const ChangeSet& changes) { heard.push_back(changes); });
    }
    ChangeSet harvest(int page, std::initializer_list<ByteWrite> writes) {
        return kordana::harvest(session, page, writes);
    }
    std::uint8_t at(std::size_t index) const { return session.image()[index]; }

    EditSession session;
    std::vector<ChangeSet> heard;
};

TEST_F(EditSessionTest, NewGivesTheDefaultSetOfThePreset) {
    EXPECT_EQ(at(kLim), 180);
    EXPECT_EQ(at(kLim + 2), 184);
    EXPECT_EQ(at(layout::kMode), 1);
    EXPECT_EQ(at(layout::kMode + 1), 1);
    EXPECT_EQ(at(mapRpm(4) + 7), 145);

    harvest(6, {{mapCell(6, 0, 4), 9}});
    const ChangeSet preset = session.setPreset(2);
    EXPECT_EQ(indices(preset.bytes), Indices{layout::kBike});
    EXPECT_EQ(at(mapCell(6, 0, 4)), 9) << "the preset alone changes no map";
    EXPECT_FALSE(session.setPreset(4).any());
    EXPECT_EQ(at(layout::kBike), 2);

    const ChangeSet fresh = session.newDefaultSet();
    EXPECT_EQ(at(mapCell(6, 0, 4)), 0) << "three injectors: no B maps";
    EXPECT_EQ(at(layout::kMode + 1), 2);
    EXPECT_EQ(at(layout::kStartJet), 7);
    EXPECT_EQ(at(layout::kAccel + 1), 16);
    for (std::size_t i :
         {mapCell(6, 0, 4), layout::kMode + 1, layout::kStartJet, layout::kAccel + 1}) {
        EXPECT_TRUE(fresh.bytes[i]) << i;
    }
    for (std::size_t i : {kLim, kLim + 1, kLim + 2, layout::kBike, layout::kMode}) {
        EXPECT_FALSE(fresh.bytes[i]) << i;
    }
    EXPECT_TRUE(fresh.couplingMode());
}

TEST_F(EditSessionTest, HarvestStoresInOrderAndReportsEachChangedByte) {
    const ChangeSet changes =
        harvest(12, {{kLim, 100}, {kLim + 1, 120}, {kLim + 2, 130}, {kLim + 2, 140}, {2000, 7}});
    EXPECT_EQ(at(kLim), 100);
    EXPECT_EQ(at(kLim + 1), 120);
    EXPECT_EQ(at(kLim + 2), 140) << "the later write wins";
    EXPECT_EQ(indices(changes.bytes), (Indices{kLim, kLim + 1, kLim + 2}));
    EXPECT_TRUE(changes.repaired.none());
    EXPECT_FALSE(changes.couplingMode());
}

TEST_F(EditSessionTest, HarvestIsRepairedAndTheRepairReported) {
    const struct {
        std::vector<ByteWrite> writes;
        std::uint8_t limiter[3];
        Indices changed, repaired;
    } cases[] = {
        {{{kLim + 1, 80}}, {100, 100, 130}, {kLim + 1}, {kLim + 1}},
        {{{kLim, 125}}, {125, 125, 130}, {kLim, kLim + 1}, {kLim + 1}},
        {{{kLim, 5}}, {10, 120, 130}, {kLim}, {kLim}},
        {{{kLim + 2, 255}}, {100, 120, 250}, {kLim + 2}, {kLim + 2}},
        {{{kLim, 200}, {kLim + 1, 150}, {kLim + 2, 220}},
         {200, 200, 220},
         {kLim, kLim + 1, kLim + 2},
         {kLim + 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << int{c.limiter[0]} << " " << int{c.limiter[1]});
        harvest(12, {{kLim, 100}, {kLim + 1, 120}, {kLim + 2, 130}});
        const ChangeSet changes = session.applyHarvest(12, c.writes);
        EXPECT_EQ(at(kLim), c.limiter[0]);
        EXPECT_EQ(at(kLim + 1), c.limiter[1]);
        EXPECT_EQ(at(kLim + 2), c.limiter[2]);
        EXPECT_EQ(indices(changes.bytes), c.changed);
        EXPECT_EQ(indices(changes.repaired), c.repaired);
    }
}

TEST(EditSession, HarvestOnAMasterPageFollowsTheMode) {
    const std::size_t c0 = mapCell(0, 0, 3), c1 = mapCell(1, 0, 3), c2 = mapCell(2, 0, 3);
    const struct {
        std::uint8_t mode;
        std::uint8_t expect[3];
        Indices changed, repaired;
    } cases[] = {
        {coupling::kSeparate, {35, 30, 58}, {c0}, {}},
        {coupling::kCoupled, {35, 35, 60}, {c0, c1, c2}, {c2}}, // 58 + 5 capped at 60
        {coupling::kSame, {35, 35, 35}, {c0, c1, c2}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int{c.mode});
        EditSession session;
        session.newDefaultSet();
        session.setCouplingMode(coupling::kIgnitionGroup, c.mode);
        harvest(session, 2, {{c2, 58}}); // a sibling page: nothing follows
        const ChangeSet changes = harvest(session, 0, {{c0, 35}});
        EXPECT_EQ(session.image()[c0], c.expect[0]);
        EXPECT_EQ(session.image()[c1], c.expect[1]);
        EXPECT_EQ(session.image()[c2], c.expect[2]);
        EXPECT_EQ(indices(changes.bytes), c.changed);
        EXPECT_EQ(indices(changes.repaired), c.repaired);
    }
}

TEST_F(EditSessionTest, AllFlagsAndExtendedMonitorAreNotImageBytes) {
    const ChangeSet all = session.setAllFlag(4, true);
    EXPECT_EQ(session.allFlags()[4], 1);
    EXPECT_EQ(all.allFlags.to_ulong(), 1u << 4);
    EXPECT_TRUE(all.bytes.none());
    EXPECT_FALSE(session.setAllFlag(4, true).any());
    EXPECT_FALSE(session.setAllFlag(9, true).any()) << "not a map page";
    EXPECT_EQ(session.setAllFlag(4, false).allFlags.to_ulong(), 1u << 4);
    EXPECT_EQ(session.allFlags()[4], 0);

    const ChangeSet ext = session.setExtMon(true);
    EXPECT_TRUE(ext.extMon);
    EXPECT_TRUE(ext.bytes.none());
    EXPECT_TRUE(session.extMon());
    EXPECT_FALSE(session.setExtMon(true).any());
    EXPECT_EQ(heard.size(), 3u);
}

TEST_F(EditSessionTest, ColumnStepReachesTheCoupledSiblingsOnly) {
    const ChangeSet master = session.stepColumn(3, 14, +1);
    EXPECT_EQ(indices(master.bytes), columnOf({3, 4, 5}, 14));
    EXPECT_EQ(at(mapCell(3, 0, 14)), 154);
    EXPECT_EQ(at(mapCell(5, 0, 14)), 154);
    EXPECT_EQ(at(mapCell(4, 9, 14)), 153);
    EXPECT_TRUE(master.repaired.none());

    const ChangeSet sibling = session.stepColumn(4, 0, -1);
    EXPECT_EQ(indices(sibling.bytes), columnOf({4}, 0));
    EXPECT_EQ(at(mapCell(4, 0, 0)), 68);
    EXPECT_EQ(at(mapCell(3, 0, 0)), 69);
}

TEST_F(EditSessionTest, ColumnStepUndoneByThePassChangesNothing) {
    session.setCouplingMode(coupling::kIgnitionGroup, coupling::kSeparate);
    std::vector<ByteWrite> column;
    for (std::size_t row = 0; row < layout::kMapRows; ++row) {
        column.push_back({mapCell(1, row, 0), 60});
    }
    session.applyHarvest(1, column);
    heard.clear();
    const ChangeSet changes = session.stepColumn(1, 0, +1); // 61 is above the ignition cap
    EXPECT_TRUE(changes.bytes.none());
    EXPECT_EQ(indices(changes.repaired), columnOf({1}, 0));
    EXPECT_EQ(at(mapCell(1, 5, 0)), 60);
    EXPECT_TRUE(heard.empty());
}

TEST_F(EditSessionTest, CouplingModeCopiesWhatItsModeSays) {
    const std::size_t mode = layout::kMode + 1;
    const ChangeSet separate =
        session.setCouplingMode(coupling::kInjectionGroup, coupling::kSeparate);
    EXPECT_EQ(indices(separate.bytes), Indices{mode});
    EXPECT_TRUE(separate.couplingMode());

    harvest(3, {{mapCell(3, 0, 5), 77}}); // was 134
    harvest(6, {{mapCell(6, 0, 4), 88}}); // was 12
    harvest(4, {{mapRpm(4) + 7, 147}});   // was 145, between 140 and 150

    const ChangeSet coupled =
        session.setCouplingMode(coupling::kInjectionGroup, coupling::kCoupled);
    EXPECT_EQ(indices(coupled.bytes), (Indices{mode, mapRpm(4) + 7})) << "breakpoints only";
    EXPECT_EQ(at(mapRpm(4) + 7), 145);
    EXPECT_EQ(at(mapCell(4, 0, 5)), 134);

    const ChangeSet same = session.setCouplingMode(coupling::kInjectionGroup, coupling::kSame);
    EXPECT_EQ(indices(same.bytes), (Indices{mode, mapCell(4, 0, 5), mapCell(5, 0, 5),
                                            mapCell(7, 0, 4), mapCell(8, 0, 4)}));
    EXPECT_EQ(at(mapCell(5, 0, 5)), 77);
    EXPECT_EQ(at(mapCell(8, 0, 4)), 88);

    EXPECT_FALSE(session.setCouplingMode(coupling::kInjectionGroup, coupling::kSame).any());
    EXPECT_FALSE(session.setCouplingMode(2, coupling::kSeparate).any()) << "no such group";
}

TEST_F(EditSessionTest, FileReadIsTakenOverOnlyWhenApplicable) {
    IgnReadResult read;
    read.versionMatched = true;
    read.image = session.image();
    read.image[kLim + 2] = 190;
    read.image[kLim + 1] = 5; // raised back to LIMITER[0] = 180
    read.extMon = true;

    const ChangeSet changes = session.applyFileRead(read);
    EXPECT_EQ(at(kLim + 2), 190);
    EXPECT_EQ(at(kLim + 1), 180);
    EXPECT_EQ(indices(changes.bytes), Indices{kLim + 2});
    EXPECT_EQ(indices(changes.repaired), Indices{kLim + 1});
    EXPECT_TRUE(changes.extMon);
    EXPECT_TRUE(session.extMon());

    read.image[kLim + 2] = 200;
    read.extMon = false;
    read.ioError = true;
    EXPECT_FALSE(session.applyFileRead(read).any());
    read.ioError = false;
    read.versionMatched = false;
    EXPECT_FALSE(session.applyFileRead(read).any());
    EXPECT_EQ(at(kLim + 2), 190);
    EXPECT_TRUE(session.extMon());
}

TEST_F(EditSessionTest, UnitReadTakesTheBytesAfterTheHeader) {
    ParameterImage unit = session.image();
    for (std::size_t i = 0; i < kBlockSize; ++i) {
        unit.bytes[i] = 0xAA;
    }
    unit[100] = 7;
    unit[kLim] = 200; // raises both other limiters
    const ChangeSet changes = session.applyUnitRead(unit);
    EXPECT_EQ(at(0), 0);
    EXPECT_EQ(at(99), 0);
    EXPECT_EQ(at(100), 7);
    EXPECT_EQ(at(kLim + 2), 200);
    EXPECT_EQ(indices(changes.bytes), (Indices{100, kLim, kLim + 1, kLim + 2}));
    EXPECT_EQ(indices(changes.repaired), (Indices{kLim + 1, kLim + 2}));
}

TEST_F(EditSessionTest, RestoreTakesImageAndAllFlags) {
    ParameterImage cached = session.image();
    cached[kLim + 1] = 185;
    cached[1950] = 3; // an unnamed byte: kept as it is
    const AllFlags flags{1, 0, 0, 0, 1, 0, 0, 0, 0};
    const ChangeSet changes = session.restore(cached, flags);
    EXPECT_EQ(indices(changes.bytes), (Indices{kLim + 1, 1950}));
    EXPECT_EQ(changes.allFlags.to_ulong(), 0b10001u);
    EXPECT_TRUE(changes.repaired.none());
    EXPECT_EQ(session.allFlags(), flags);
}

TEST_F(EditSessionTest, WritesOfTheLinkAreReportedByTheNextPass) {
    session.imageForLink()[layout::kHeaderReadPermission] = 1;
    session.imageForLink()[kLim + 1] = 0;
    const ChangeSet changes = session.runConsistencyPass();
    EXPECT_EQ(indices(changes.bytes), Indices{layout::kHeaderReadPermission});
    EXPECT_EQ(indices(changes.repaired), Indices{kLim + 1});
    EXPECT_EQ(at(kLim + 1), 180);
    EXPECT_FALSE(session.runConsistencyPass().any());
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(EditSessionTest, ListenerHearsEachChangingCommandOnce) {
    EXPECT_FALSE(harvest(12, {{kLim, 180}}).any());
    const ChangeSet changed = harvest(12, {{kLim + 2, 186}});
    session.runConsistencyPass();
    session.stepColumn(9, 0, +1);                                          // not a map page
    session.setCouplingMode(coupling::kIgnitionGroup, coupling::kCoupled); // already
    session.applyFileRead(IgnReadResult{});
    session.setExtMon(true);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].bytes, changed.bytes);
    EXPECT_TRUE(heard[1].extMon);
}

// Only a user's commit may start a programming run, so every command names its kind; the
// listener hears the same cause the command returns.
TEST_F(EditSessionTest, EveryCommandReportsItsCause) {
    using C = ChangeCause;
    ParameterImage unit = session.image();
    unit[100] = 7;
    IgnReadResult read;
    read.versionMatched = true;
    read.image = session.image();
    read.image[kLim + 2] = 190;
    ParameterImage cached = session.image();
    cached[kLim + 1] = 185;
    const struct {
        const char* command;
        std::function<ChangeSet()> run;
        ChangeCause cause;
    } cases[] = {
        {"harvest",
         [&] {
             return harvest(12, {{kLim + 2, 186}});
         },
         C::UserEdit},
        {"All flag", [&] { return session.setAllFlag(0, true); }, C::UserEdit},
        {"Extended Monitor", [&] { return session.setExtMon(true); }, C::UserEdit},
        {"column step", [&] { return session.stepColumn(0, 0, +1); }, C::UserEdit},
        {"block paste", [&] { return session.pasteBlock(0, 0, 0, {{25}}); }, C::UserEdit},
        {"coupling mode",
         [&] { return session.setCouplingMode(coupling::kIgnitionGroup, coupling::kSeparate); },
         C::UserEdit},
        {"map tool", [&] { return session.stepMap(0, true, 0, 0, +1); }, C::Tool},
        {"curve tool", [&] { return session.stepCurve(bulk::Curve::Servo, true, 0, +1); }, C::Tool},
        {"TPS 0 %", [&] { return *session.calibrateTps0(1000); }, C::Tool},
        {"undo", [&] { return session.undo(); }, C::Undo},
        {"redo", [&] { return session.redo(); }, C::Undo},
        {"preset", [&] { return session.setPreset(1); }, C::File},
        {"New", [&] { return session.newDefaultSet(); }, C::File},
        {"Open", [&] { return session.applyFileRead(read); }, C::File},
        {"cache", [&] { return session.restore(cached, AllFlags{}); }, C::File},
        {"Read", [&] { return session.applyUnitRead(unit); }, C::UnitRead},
        {"link write",
         [&] {
             session.imageForLink()[layout::kHeaderReadPermission] = 1;
             return session.runConsistencyPass();
         },
         C::UnitRead},
    };
    for (const auto& c : cases) {
        heard.clear();
        const ChangeSet changes = c.run();
        ASSERT_TRUE(changes.any()) << c.command;
        EXPECT_EQ(changes.cause, c.cause) << c.command;
        ASSERT_EQ(heard.size(), 1u) << c.command;
        EXPECT_EQ(heard[0].cause, c.cause) << c.command;
    }
}

TEST_F(EditSessionTest, ProgrammingAfterChangeFollowsTheSessionImage) {
    EXPECT_FALSE(session.programmingAfterChangeDue(false));
    EXPECT_TRUE(session.programmingAfterChangeDue(true)) << "first check after setting";
    EXPECT_FALSE(session.programmingAfterChangeDue(true));
    harvest(12, {{kLim + 2, 186}});
    EXPECT_TRUE(session.programmingAfterChangeDue(true));
    session.setAllFlag(0, true);
    EXPECT_FALSE(session.programmingAfterChangeDue(true)) << "the All flags are not compared";
}

} // namespace
} // namespace kordana

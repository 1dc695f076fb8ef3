#include "session/EditSession.h"

#include "params/IgnReader.h"
#include "params/ImageLayout.h"
#include "session/MapCoupling.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

// The session starts each test from the default set of preset 0 (LIMITER 180, 180, 184, both
// coupling modes Coupled) with an empty history.
namespace kordana {
namespace {

using layout::mapCell;

constexpr std::size_t kLim = layout::kLimiter;

void harvest(EditSession& session, int page, std::initializer_list<ByteWrite> writes) {
    session.applyHarvest(page, std::span<const ByteWrite>(writes.begin(), writes.size()));
}

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.newDefaultSet();
        session.clearUndoHistory();
    }
    EditSession session;
};

struct CommandCase {
    const char* name;
    std::function<void(EditSession&)> prepare; // not part of the step
    std::function<void(EditSession&)> command;
};

const CommandCase kCommands[] = {
    {"harvest", nullptr,
     [](EditSession& s) {
         harvest(s, 12, {{kLim + 2, 190}});
     }},
    {"harvest on a coupled master", nullptr,
     [](EditSession& s) {
         harvest(s, 0, {{mapCell(0, 0, 0), 30}});
     }},
    {"column step", nullptr, [](EditSession& s) { s.stepColumn(3, 2, +1); }},
    {"map tool", nullptr, [](EditSession& s) { s.stepMap(0, true, 0, 0, +1); }},
    {"curve tool", nullptr, [](EditSession& s) { s.stepCurve(bulk::Curve::Servo, true, 0, -1); }},
    {"TPS 0 %", nullptr, [](EditSession& s) { s.calibrateTps0(1000); }},
    {"TPS 100 %", nullptr, [](EditSession& s) { s.calibrateTps100(3000); }},
    {"coupling mode 1 = 2 = 3", nullptr,
     [](EditSession& s) { s.setCouplingMode(coupling::kIgnitionGroup, coupling::kSame); }},
    {"preset", nullptr, [](EditSession& s) { s.setPreset(3); }},
    {"new", [](EditSession& s) { s.setPreset(3); }, [](EditSession& s) { s.newDefaultSet(); }},
    {"file read", nullptr,
     [](EditSession& s) {
         IgnReadResult read;
         read.versionMatched = true;
         read.image = s.image();
         read.image[kLim] = 150;
         read.image[mapCell(7, 9, 14)] = 99;
         read.extMon = true;
         s.applyFileRead(read);
     }},
    {"unit read", nullptr,
     [](EditSession& s) {
         ParameterImage unit = s.image();
         unit[kLim + 1] = 182;
         unit[1999] = 4;
         s.applyUnitRead(unit);
     }},
    {"restore", nullptr,
     [](EditSession& s) {
         ParameterImage earlier = s.image();
         earlier[layout::kStartJet] = 9;
         s.restore(earlier, AllFlags{});
     }},
    {"link read and pass", nullptr,
     [](EditSession& s) {
         s.imageForLink()[layout::kHeaderReadPermission] = 1;
         s.imageForLink()[kLim] = 170;
         s.imageForLink()[1500] = 3;
         s.runConsistencyPass();
     }},
};

TEST_F(UndoTest, EveryKindOfCommandIsOneStepUndoneAndRedoneByteForByte) {
    for (const CommandCase& c : kCommands) {
        SCOPED_TRACE(c.name);
        EditSession s;
        s.newDefaultSet();
        if (c.prepare) {
            c.prepare(s);
        }
        s.clearUndoHistory();
        const ParameterImage before = s.image();
        const bool extMonBefore = s.extMon();
        c.command(s);
        const ParameterImage after = s.image();
        const bool extMonAfter = s.extMon();
        ASSERT_NE(before.bytes, after.bytes);
        EXPECT_EQ(s.undoHistory().undoCount(), 1u);

        EXPECT_TRUE(s.undo().any());
        // The header the link brought stays: it is the connected unit's.
        ParameterImage expected = before;
        std::copy(after.bytes.begin(), after.bytes.begin() + kBlockSize, expected.bytes.begin());
        EXPECT_EQ(s.image().bytes, expected.bytes);
        EXPECT_EQ(s.extMon(), extMonBefore);
        EXPECT_FALSE(s.canUndo());

        EXPECT_TRUE(s.redo().any());
        EXPECT_EQ(s.image().bytes, after.bytes);
        EXPECT_EQ(s.extMon(), extMonAfter);
        EXPECT_FALSE(s.canRedo());
        EXPECT_TRUE(s.canUndo());
    }
}

TEST_F(UndoTest, StepsGoBackInOrderAndANewCommandDropsTheRedoSide) {
    harvest(session, 12, {{kLim + 2, 190}});
    harvest(session, 12, {{kLim + 2, 200}});
    harvest(session, 12, {{kLim + 2, 210}});
    session.undo();
    session.undo();
    EXPECT_EQ(session.image()[kLim + 2], 190);
    session.redo();
    EXPECT_EQ(session.image()[kLim + 2], 200);

    harvest(session, 12, {{kLim, 170}});
    EXPECT_FALSE(session.canRedo());
    EXPECT_FALSE(session.redo().any());
    session.undo();
    session.undo();
    session.undo();
    EXPECT_EQ(session.image()[kLim + 2], 184);
    EXPECT_EQ(session.image()[kLim], 180);
    EXPECT_FALSE(session.canUndo());
    EXPECT_FALSE(session.undo().any());
}

TEST_F(UndoTest, UndoAndRedoAreHeardButAreNoStepsThemselves) {
    std::vector<ChangeSet> heard;
    session.setChangeListener([&](const ChangeSet& changes) { heard.push_back(changes); });
    harvest(session, 12, {{kLim + 2, 190}});
    const ChangeSet undone = session.undo();
    EXPECT_TRUE(undone.bytes[kLim + 2]);
    EXPECT_EQ(undone.bytes.count(), 1u);
    session.redo();
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[1].bytes, undone.bytes);
    EXPECT_EQ(session.undoHistory().undoCount(), 1u);
}

TEST_F(UndoTest, HeaderWritesAndDisplayChoicesAreNoSteps) {
    // The unit's header arriving on its own (a programming run's block 0).
    session.imageForLink()[layout::kHeaderLayoutVersion] = 51;
    session.runConsistencyPass();
    session.setAllFlag(0, true);
    session.setExtMon(true);
    harvest(session, 12, {{kLim + 2, 184}});
    EXPECT_FALSE(session.canUndo());
}

TEST_F(UndoTest, AGroupOfCommandsIsOneStep) {
    {
        EditSession::StepGroup group(session);
        session.stepCurve(bulk::Curve::PositionA, true, 0, +1);
        session.stepCurve(bulk::Curve::PositionB, true, 0, +1);
        EXPECT_FALSE(session.canUndo()) << "nothing is kept while the group is open";
    }
    const ParameterImage stepped = session.image();
    session.undo();
    EXPECT_EQ(session.image()[layout::kPositionA + 15], stepped[layout::kPositionA + 15] - 1);
    EXPECT_EQ(session.image()[layout::kPositionB + 15], stepped[layout::kPositionB + 15] - 1);
    EXPECT_FALSE(session.canUndo());
}

TEST(UndoHistory, KeepsTheNewestStepsUpToItsCapacity) {
    UndoHistory history(2);
    ParameterImage image;
    for (std::uint8_t value = 1; value <= 3; ++value) {
        ParameterImage next = image;
        next[500] = value;
        history.record(UndoStep::between(image, false, next, false, 100));
        image = next;
    }
    bool extMon = false;
    history.takeUndo()->cross(image, extMon);
    history.takeUndo()->cross(image, extMon);
    EXPECT_EQ(image[500], 1);
    EXPECT_EQ(history.takeUndo(), nullptr);
    history.takeRedo()->cross(image, extMon);
    EXPECT_EQ(image[500], 2) << "the step from 1 to 2 is the oldest kept";
}

// 200 one-cell steps cost a few kilobytes, 200 whole new sets about one byte per changed byte
// each; no step keeps a copy of the image.
TEST_F(UndoTest, TwoHundredStepsStaySmall) {
    for (int i = 0; i < 200; ++i) {
        harvest(session, 12, {{kLim + 2, static_cast<std::uint8_t>(i % 2 == 0 ? 190 : 200)}});
    }
    const std::size_t oneByteSteps = session.undoHistory().memoryUsed();
    EXPECT_EQ(session.undoHistory().undoCount(), 200u);
    EXPECT_LT(oneByteSteps, 200u * 64u);

    session.clearUndoHistory();
    for (int i = 0; i < 200; ++i) {
        EditSession::StepGroup group(session);
        session.setPreset(i % 2 == 0 ? 3 : 0);
        session.newDefaultSet();
    }
    const std::size_t newSetSteps = session.undoHistory().memoryUsed();
    EXPECT_EQ(session.undoHistory().undoCount(), 200u);
    EXPECT_LT(newSetSteps, 200u * kImageSize);
    std::printf("200 one-byte steps: %zu bytes; 200 new-set steps: %zu bytes\n", oneByteSteps,
                newSetSteps);
}

} // namespace
} // namespace kordana

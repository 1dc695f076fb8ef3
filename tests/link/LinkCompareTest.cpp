// The compare read (the unit's set into the link's own image) and what a failed verify keeps.
#include "LinkFixture.h"

namespace kordana::test {
namespace {

using CompareTest = LinkFixture;

TEST_F(CompareTest, CompareReadsTwentyBlocksApartAndLeavesTheImage) {
    const ParameterImage before = image;
    link.startCompare();
    runToIdle();
    EXPECT_EQ(port.blockCommands(), commandRange(0x40, 0x53));
    EXPECT_EQ(image, before);
    EXPECT_EQ(events.imageChanges, 0);
    ASSERT_EQ(events.compared.size(), 1u);
    EXPECT_EQ(events.compared[0], unit.memory);
    EXPECT_EQ(events.shown.message, LinkMessage::Read);
    EXPECT_TRUE(events.shown.ok);
    EXPECT_EQ(events.shown.gauge, kGaugeMax);
}

struct CompareFault {
    const char* name;
    std::function<void(TestUnit&, ScriptedPort&)> fault;
    LinkMessage message;
    bool ok;
    int unmatched;
};

void PrintTo(const CompareFault& c, std::ostream* os) {
    *os << c.name;
}

class CompareFaults : public LinkFixture, public ::testing::WithParamInterface<CompareFault> {};

// A compare that did not get every block intact reports no set and changes nothing.
TEST_P(CompareFaults, EndWithoutASetAndWithTheImageUnchanged) {
    GetParam().fault(unit, port);
    const ParameterImage before = image;
    link.startCompare();
    runToIdle();
    tick(5);
    EXPECT_TRUE(events.compared.empty());
    EXPECT_EQ(image, before);
    EXPECT_EQ(events.imageChanges, 0);
    EXPECT_EQ(events.shown.message, GetParam().message);
    EXPECT_EQ(events.shown.ok, GetParam().ok);
    EXPECT_EQ(events.unmatched, GetParam().unmatched);
    EXPECT_FALSE(link.comparing());
}

INSTANTIATE_TEST_SUITE_P(
    Link, CompareFaults,
    ::testing::Values(CompareFault{"Block5AlwaysDamaged",
                                   [](TestUnit& u, ScriptedPort& p) {
                                       p.onWrite = [&u, &p](const Frame& request) {
                                           if (auto reply = u.answer(request)) {
                                               if (request[0] == 0x45) {
                                                   (*reply)[3] ^= 1;
                                               }
                                               p.queue(*reply);
                                           }
                                       };
                                   },
                                   LinkMessage::ReadError, false, 0},
                      CompareFault{"Block5AnsweredAsBlock6",
                                   [](TestUnit& u, ScriptedPort& p) {
                                       p.onWrite = [&u, &p](const Frame& request) {
                                           Frame asked = request;
                                           if (asked[0] == 0x45) {
                                               asked = makeFrame(0x46);
                                           }
                                           if (auto reply = u.answer(asked)) {
                                               p.queue(*reply);
                                           }
                                       };
                                   },
                                   LinkMessage::ReadError, false, 0},
                      CompareFault{"ReadProtected",
                                   [](TestUnit& u, ScriptedPort&) {
                                       u.memory[layout::kHeaderReadPermission] = 0;
                                   },
                                   LinkMessage::NoReading, false, 0},
                      CompareFault{"OtherLayoutVersion",
                                   [](TestUnit& u, ScriptedPort&) {
                                       u.memory[layout::kHeaderLayoutVersion] = 50;
                                   },
                                   LinkMessage::Read, false, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CompareTest, DamagedRepliesNeverReachTheComparedSet) {
    bool corrupted = false;
    port.onWrite = [this, &corrupted](const Frame& request) {
        if (auto reply = unit.answer(request)) {
            if (request[0] == 0x47 && !corrupted) {
                (*reply)[20] ^= 0x04;
                corrupted = true;
            }
            port.queue(*reply);
        }
    };
    link.startCompare();
    runToIdle();
    ASSERT_EQ(events.compared.size(), 1u);
    EXPECT_EQ(events.compared[0], unit.memory);
}

TEST_F(CompareTest, FailedVerifyKeepsWhatTheUnitSent) {
    unit.memory = image;
    unit.memory[710] = static_cast<std::uint8_t>(image[710] + 1);
    link.startVerify();
    runToIdle();
    EXPECT_EQ(events.shown.message, LinkMessage::VerifyError);
    ASSERT_EQ(events.verifyFailures.size(), 1u);
    ParameterImage expected = image;
    expected[710] = unit.memory[710];
    EXPECT_EQ(events.verifyFailures[0], expected);
}

} // namespace
} // namespace kordana::test

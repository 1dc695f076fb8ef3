// Whole Program, Verify and Read runs against a unit that answers at once, and the retry and
// failure timing against one that never answers.
#include "LinkFixture.h"

#include <algorithm>

namespace kordana::test {
namespace {

enum class Command { Program, Verify, Read };

void start(LinkProtocol& link, Command command) {
    switch (command) {
    case Command::Program:
        link.startProgram();
        break;
    case Command::Verify:
        link.startVerify();
        break;
    case Command::Read:
        link.startRead();
        break;
    }
}

std::vector<std::uint8_t> concat(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool zeroData(const Frame& f) {
    return std::all_of(f.begin() + 1, f.end() - 1, [](std::uint8_t b) { return b == 0; });
}

bool carriesBlock(const Frame& f, const ParameterImage& img) {
    const auto block = img.block(f[0] & 0x3Fu);
    return std::equal(block.begin(), block.end(), f.begin() + 1);
}

using TransferTest = LinkFixture;

TEST_F(TransferTest, ProgramSendsBlocks0To19ThenVerifies1To19WithImageData) {
    // The unit already holds our parameters except block 0, which stays the unit's own.
    unit.memory[layout::kRpm2] = static_cast<std::uint8_t>(image[layout::kRpm2] + 1);
    const ParameterImage before = image;
    link.startProgram();
    runToIdle();

    EXPECT_EQ(port.blockCommands(), concat(commandRange(0x00, 0x13), commandRange(0x41, 0x53)));
    for (const Frame& f : port.sent) {
        if (f[0] != kCmdMonitor) {
            EXPECT_TRUE(carriesBlock(f, f[0] == 0x00 ? before : image)) << int(f[0]);
            EXPECT_TRUE(frameIntact(f));
        }
    }
    EXPECT_TRUE(std::equal(unit.memory.bytes.begin() + 100, unit.memory.bytes.end(),
                           image.bytes.begin() + 100));
    EXPECT_TRUE(
        std::equal(image.bytes.begin(), image.bytes.begin() + 100, unit.memory.bytes.begin()))
        << "block 0 is the unit's header";
    EXPECT_EQ(events.headers.size(), 1u);
    EXPECT_EQ(events.imageChanges, 1);
}

TEST_F(TransferTest, ProgramStatusAndGaugeClimbTwiceAndEndProgrammedOk) {
    link.startProgram();
    runToIdle();
    // "Verify: OK" is replaced within the same tick: the idle step follows the reply handling.
    ASSERT_GE(events.lines.size(), 2u);
    EXPECT_EQ(events.lines[events.lines.size() - 2].message, LinkMessage::Verify);
    EXPECT_TRUE(events.lines[events.lines.size() - 2].ok);
    EXPECT_TRUE(link.programmed());
    EXPECT_EQ(events.shown.message, LinkMessage::ProgramDevice);
    EXPECT_TRUE(events.shown.ok);
    EXPECT_EQ(events.shown.colour, StatusColour::ButtonFace);
    EXPECT_TRUE(events.shown.statusVisible);
    EXPECT_TRUE(events.shown.gaugeVisible);

    std::vector<LinkMessage> messages;
    for (const LinkView& v : events.lines) {
        messages.push_back(v.message);
    }
    EXPECT_EQ(messages,
              (std::vector<LinkMessage>{LinkMessage::ProgramDevice, LinkMessage::Verify,
                                        LinkMessage::Verify, LinkMessage::ProgramDevice}));
    std::vector<int> climb;
    for (int g = 0; g <= kGaugeMax; ++g) {
        climb.push_back(g);
    }
    std::vector<int> expected = climb;
    expected.insert(expected.end(), climb.begin(), climb.end());
    EXPECT_EQ(events.gauges, expected);
}

TEST_F(TransferTest, VerifySendsBlocks1To19WithImageData) {
    unit.memory = image;
    link.startVerify();
    runToIdle();
    EXPECT_EQ(port.blockCommands(), commandRange(0x41, 0x53));
    for (const Frame& f : port.sent) {
        if (f[0] != kCmdMonitor) {
            EXPECT_TRUE(carriesBlock(f, image));
        }
    }
    EXPECT_EQ(events.shown.message, LinkMessage::Verify);
    EXPECT_TRUE(events.shown.ok);
    EXPECT_EQ(events.shown.gauge, kGaugeMax);
    EXPECT_FALSE(link.programmed());
}

TEST_F(TransferTest, ReadSendsZeroDataThenVerifiesWhatItRead) {
    link.startRead();
    EXPECT_EQ(events.shown.message, LinkMessage::Read);
    runToIdle();
    EXPECT_EQ(port.blockCommands(), concat(commandRange(0x40, 0x53), commandRange(0x41, 0x53)));
    // Requests of the read pass carry zeros, those of the verify pass the image.
    int readRequests = 0;
    for (const Frame& f : port.sent) {
        if (f[0] == kCmdMonitor) {
            continue;
        }
        if (readRequests < 20) {
            EXPECT_TRUE(zeroData(f)) << int(f[0]);
        } else {
            EXPECT_TRUE(carriesBlock(f, image)) << int(f[0]);
        }
        ++readRequests;
    }
    EXPECT_EQ(image, unit.memory);
    EXPECT_EQ(events.shown.message, LinkMessage::Verify);
    EXPECT_TRUE(events.shown.ok);
}

struct StartCase {
    Command command;
    std::uint8_t firstCommand;
    LinkMessage error;
};

class FirstSendAndRetries : public LinkFixture, public ::testing::WithParamInterface<StartCase> {};

TEST_P(FirstSendAndRetries, FirstRequestWithinFourTicksWhateverTheIdlePhase) {
    silenceUnit();
    for (int phase = 0; phase < 6; ++phase) {
        // The idle monitor cadence decides how soon the first send goes out.
        ASSERT_TRUE(tickUntil([&] { return link.waitTicks() == phase; }));
        start(link, GetParam().command);
        const std::size_t before = port.blockCommands().size();
        int waited = 0;
        while (port.blockCommands().size() == before && waited < 10) {
            tick();
            ++waited;
        }
        EXPECT_EQ(waited, std::max(1, 4 - phase)) << "phase " << phase;
        EXPECT_EQ(port.blockCommands().back(), GetParam().firstCommand);
        runToIdle();
    }
}

TEST_P(FirstSendAndRetries, FiveSendsFourTicksApartThenErrorInRed) {
    silenceUnit();
    start(link, GetParam().command);
    std::vector<int> sendTicks;
    while (link.mode() != LinkMode::Idle && ticks < 100) {
        const std::size_t before = port.blockCommands().size();
        tick();
        if (port.blockCommands().size() != before) {
            sendTicks.push_back(ticks);
        }
    }
    ASSERT_EQ(sendTicks.size(), 5u);
    for (std::size_t i = 1; i < sendTicks.size(); ++i) {
        EXPECT_EQ(sendTicks[i] - sendTicks[i - 1], 4);
    }
    EXPECT_EQ(ticks - sendTicks.back(), 4) << "fails on the fifth time-out";
    for (std::uint8_t c : port.blockCommands()) {
        EXPECT_EQ(c, GetParam().firstCommand);
    }
    EXPECT_EQ(events.shown.message, GetParam().error);
    EXPECT_FALSE(events.shown.ok);
    EXPECT_EQ(events.shown.colour, StatusColour::Red);
    EXPECT_TRUE(events.shown.statusVisible);
    EXPECT_EQ(link.statusHold(), LinkProtocol::kStatusHoldTicks - 1);
}

TEST_P(FirstSendAndRetries, RefusedWritesCountAsUnanswered) {
    port.refuseWrites = true;
    start(link, GetParam().command);
    tick(4 * 6);
    EXPECT_EQ(link.mode(), LinkMode::Idle);
    EXPECT_EQ(events.shown.message, GetParam().error);
    EXPECT_EQ(port.blockCommands().size(), 5u);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FirstSendAndRetries,
    ::testing::Values(StartCase{Command::Program, 0x00, LinkMessage::ProgramError},
                      StartCase{Command::Verify, 0x41, LinkMessage::VerifyError},
                      StartCase{Command::Read, 0x40, LinkMessage::ReadError}));

TEST_F(TransferTest, StatusHoldsFor200TicksThenHidesAndClearsProgrammed) {
    link.startProgram();
    runToIdle();
    const int done = ticks; // the tick that showed "Verify: OK"
    while (events.shown.statusVisible && ticks < done + 300) {
        tick();
        if (events.shown.statusVisible) {
            EXPECT_TRUE(link.programmed());
        }
    }
    EXPECT_EQ(ticks - done, LinkProtocol::kStatusHoldTicks - 1);
    EXPECT_FALSE(events.shown.gaugeVisible);
    EXPECT_FALSE(link.programmed());
}

TEST_F(TransferTest, ProgramWhoseVerifyFailsNeverReportsProgrammedOk) {
    // The unit stores every block but reads back another value in block 7.
    unit.alter = [](std::uint8_t reply, std::span<std::uint8_t, kFrameDataSize> data) {
        if (reply == 0xC7) {
            data[10] = static_cast<std::uint8_t>(data[10] + 1);
        }
    };
    link.startProgram();
    runToIdle();
    EXPECT_EQ(events.shown.message, LinkMessage::VerifyError);
    EXPECT_FALSE(link.programmed());
    for (int i = 0; i < 250; ++i) {
        tick();
        EXPECT_FALSE(events.shown.message == LinkMessage::ProgramDevice && events.shown.ok);
    }
}

TEST_F(TransferTest, FailedReadAfterProgrammingShowsReadErrorNotProgrammedOk) {
    link.startProgram();
    runToIdle();
    ASSERT_TRUE(link.programmed());
    silenceUnit();
    link.startRead();
    EXPECT_FALSE(link.programmed());
    runToIdle();
    tick(10);
    EXPECT_EQ(events.shown.message, LinkMessage::ReadError);
    EXPECT_FALSE(events.shown.ok);
}

TEST_F(TransferTest, CorruptedBlockReplyIsIgnoredAndTheRequestRepeated) {
    bool corrupted = false;
    port.onWrite = [this, &corrupted](const Frame& request) {
        if (auto reply = unit.answer(request)) {
            if (request[0] == 0x03 && !corrupted) {
                (*reply)[50] ^= 0x10;
                corrupted = true;
            }
            port.queue(*reply);
        }
    };
    link.startProgram();
    runToIdle();
    const auto commands = port.blockCommands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x03), 2);
    EXPECT_TRUE(events.shown.ok);
}

TEST_F(TransferTest, ReadDuringProgramRestartsAtBlock0) {
    link.startProgram();
    ASSERT_TRUE(tickUntil([&] { return link.blockCommand() >= 0x05; }));
    const std::size_t before = port.sent.size();
    link.startRead();
    EXPECT_EQ(link.mode(), LinkMode::Read);
    EXPECT_EQ(events.shown.gauge, 0);
    runToIdle();
    std::vector<std::uint8_t> after;
    for (std::size_t i = before; i < port.sent.size(); ++i) {
        if (port.sent[i][0] != kCmdMonitor) {
            after.push_back(port.sent[i][0]);
        }
    }
    // The echo of block 5 still in flight belongs to the abandoned run and is ignored.
    EXPECT_EQ(after, concat(commandRange(0x40, 0x53), commandRange(0x41, 0x53)));
    EXPECT_TRUE(events.shown.ok);
}

} // namespace
} // namespace kordana::test

#include "link/LinkProtocol.h"

#include "link/UnitHeader.h"
#include "params/ImageLayout.h"

#include <algorithm>

namespace kordana {

namespace {

constexpr std::uint8_t kBlockMask = 0x3F;
constexpr std::uint8_t kLastBlock = kBlockCount - 1;
constexpr std::uint8_t kFirstVerifyCommand = kCmdRead + 1;

} // namespace

LinkProtocol::LinkProtocol(ParameterImage& image, Port& port, LinkEvents& events)
    : m_image(image), m_port(&port), m_events(events), m_status(events) {
    m_runBlocks.fill(true);
}

void LinkProtocol::setPrinting(bool printing) {
    m_printing = printing;
    if (printing) {
        m_status.setNoConnection(false);
    } else {
        m_status.forget();
    }
}

void LinkProtocol::holdWindowStatus() {
    m_status.forget();
    m_status.setLineVisible(true);
    m_statusHold = kStatusHoldTicks;
}

void LinkProtocol::tick() {
    PollReceive();
    if (m_runActive && m_mode == LinkMode::Idle) {
        runEnded();
    }
    if (m_mode == LinkMode::Idle) {
        idleStep();
    } else {
        transferStep();
    }
    if (m_runActive && m_mode == LinkMode::Idle) {
        runEnded();
    }
    saveWatchStep();
    holdStep();
    connectionStep();
}

void LinkProtocol::startProgram() {
    startTransfer(LinkMode::Program, kCmdProgram, LinkMessage::ProgramDevice);
}

void LinkProtocol::startVerify() {
    startTransfer(LinkMode::Verify, kFirstVerifyCommand, LinkMessage::Verify);
}

void LinkProtocol::startRead() {
    startTransfer(LinkMode::Read, kCmdRead, LinkMessage::Read);
}

// On the link a compare read is a read; only where its blocks go differs.
void LinkProtocol::startCompare() {
    startTransfer(LinkMode::Read, kCmdRead, LinkMessage::Read);
    m_comparing = true;
}

// Wait ticks are left as they are, so the first request goes out within kReplyWaitTicks ticks.
void LinkProtocol::startTransfer(LinkMode mode, std::uint8_t command, LinkMessage message) {
    resetRunState();
    m_runKind = mode;
    m_mode = mode;
    m_blockCommand = command;
    m_attempts = 0;
    m_comparing = false;
    m_verifyReplies = runImage();
    m_status.setLine(message, false, StatusColour::ButtonFace);
    m_statusHold = kStatusHoldTicks;
    m_status.setLineVisible(true);
    m_status.setGauge(0);
    m_status.setGaugeVisible(true);
    m_programmed = false;
}

void LinkProtocol::transferStep() {
    if (m_runFast && m_attempts == 0) {
        fastFirstSend();
        return;
    }
    ++m_waitTicks;
    if (m_waitTicks < kReplyWaitTicks) {
        return;
    }
    m_waitTicks = 0;
    ++m_attempts;
    if (m_attempts > kMaxAttempts) {
        fail();
        return;
    }
    if (m_attempts > 1) {
        noteRetry();
    }
    SendBlockFrame();
}

void LinkProtocol::fail() {
    LinkMessage message = LinkMessage::ProgramError;
    if (m_mode == LinkMode::Verify) {
        message = LinkMessage::VerifyError;
        m_programmed = false;
    } else if (m_mode == LinkMode::Read) {
        message = LinkMessage::ReadError;
    }
    m_status.setLine(message, false, StatusColour::Red);
    m_statusHold = kStatusHoldTicks;
    const LinkMode failed = m_mode;
    m_mode = LinkMode::Idle;
    m_comparing = false;
    if (failed == LinkMode::Verify) {
        m_events.verifyFailed(m_verifyReplies);
    }
}

void LinkProtocol::idleStep() {
    if (fastMonitorActive()) {
        fastIdleStep();
    } else {
        ++m_waitTicks;
        if (m_waitTicks >= kMonitorInterval) {
            m_waitTicks = 0;
            SendMonitorRequest();
        }
    }
    if (m_savingCount > 0) {
        m_status.setLine(LinkMessage::Saving, false, StatusColour::ButtonFace);
        m_statusHold = kStatusHoldTicks;
        // Signed: a count above the empty mark must not wrap into a full gauge.
        const int done = static_cast<int>(kSavingEmpty) - static_cast<int>(m_savingCount);
        m_status.setGauge(kGaugeMax * done / static_cast<int>(kSavingEmpty));
    } else if (m_programmed) {
        m_status.setLineText(LinkMessage::ProgramDevice, true);
        m_status.setGauge(kGaugeMax);
    }
}

void LinkProtocol::holdStep() {
    // A transfer that needs many retries can outlast the hold; its status stays on screen
    // until it ends, so a late success or failure is never hidden.
    if (m_statusHold == 0 || m_mode != LinkMode::Idle) {
        return;
    }
    --m_statusHold;
    if (m_statusHold == 0) {
        m_status.setLineVisible(false);
        m_status.setGaugeVisible(false);
        m_programmed = false;
    }
}

void LinkProtocol::connectionStep() {
    if (m_noReplyTicks < kNoReplyLimit) {
        ++m_noReplyTicks;
        m_status.setNoConnection(false);
    } else {
        // A silent unit may be unplugged and another one plugged in.
        m_unitCopy.reset();
        m_status.setNoConnection(!m_printing);
    }
}

// Bytes go into a buffer of this call only: a nested tick (while a message box is open) or a
// short read can never hand an older reply on.
void LinkProtocol::PollReceive() {
    const std::size_t waiting = m_port->bytesWaiting();
    if (waiting < kFrameSize) {
        return;
    }
    std::array<std::uint8_t, kReceiveBufferSize> buffer{};
    const std::size_t wanted = std::min(waiting, buffer.size());
    const std::size_t got = m_port->read(std::span<std::uint8_t>(buffer.data(), wanted));
    if (got < kFrameSize) {
        return;
    }
    const std::span<const std::uint8_t, kFrameSize> reply(buffer.data(), kFrameSize);
    if (reply[0] == kReplyMonitor) {
        handleMonitorFrame(reply);
    } else {
        HandleBlockReply(reply);
    }
}

void LinkProtocol::handleMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame) {
    if (!frameIntact(frame)) {
        return;
    }
    m_noReplyTicks = 0;
    monitorFrameTaken();
    m_savingCount = static_cast<std::uint16_t>(frame[7] | (frame[8] << 8));
    m_events.monitorFrame(frame);
}

void LinkProtocol::SendBlockFrame() {
    const std::size_t n = m_blockCommand & kBlockMask;
    const Frame frame = m_mode == LinkMode::Read ? makeFrame(m_blockCommand)
                                                 : makeFrame(m_blockCommand, runImage().block(n));
    // A refused write is treated like a lost reply: the retry count covers it.
    (void)m_port->write(frame);
    m_waitTicks = 0;
}

void LinkProtocol::SendMonitorRequest() {
    (void)m_port->write(makeFrame(kCmdMonitor));
}

void LinkProtocol::HandleBlockReply(std::span<const std::uint8_t, kFrameSize> reply) {
    if (!frameIntact(reply)) {
        return;
    }
    if (reply[0] != replyCommand(m_blockCommand) || m_mode == LinkMode::Idle) {
        return;
    }
    m_noReplyTicks = 0;
    const std::size_t n = m_blockCommand & kBlockMask;
    const auto data = reply.subspan<1, kBlockSize>();
    switch (m_mode) {
    case LinkMode::Read:
        if (m_comparing) {
            handleCompareReply(n, data);
        } else {
            handleReadReply(n, data);
        }
        break;
    case LinkMode::Verify:
        handleVerifyReply(n, data);
        break;
    case LinkMode::Program:
        handleProgramReply(n, data);
        break;
    case LinkMode::Idle:
        break;
    }
}

void LinkProtocol::adoptHeader(std::span<const std::uint8_t, kBlockSize> data) {
    std::ranges::copy(data, m_image.block(0).begin());
    m_events.headerDecoded(DecodeUnitHeader(m_image.block(0)));
}

// The link is idle before any event is raised: a message box lets further ticks run.
void LinkProtocol::handleReadReply(std::size_t n, std::span<const std::uint8_t, kBlockSize> data) {
    if (n == 0) {
        adoptHeader(data);
        if (data[layout::kHeaderReadPermission] != 1) {
            m_status.setLine(LinkMessage::NoReading, false, StatusColour::Red);
            m_statusHold = kStatusHoldTicks;
            m_mode = LinkMode::Idle;
            m_events.imageChanged();
            return;
        }
        if (data[layout::kHeaderLayoutVersion] != layout::kLayoutVersion) {
            m_mode = LinkMode::Idle;
            m_events.imageChanged();
            m_events.unmatchedUnit();
            return;
        }
        advance();
        return;
    }
    std::ranges::copy(data, m_staging.block(n).begin());
    if (n < kLastBlock) {
        advance();
        return;
    }
    std::copy(m_staging.bytes.begin() + kBlockSize, m_staging.bytes.end(),
              m_image.bytes.begin() + kBlockSize);
    m_events.imageChanged();
    startVerifyPass();
}

// The unit's blocks stay apart from the image; neither the header nor the parameters are
// adopted, so the set being edited is exactly as before.
void LinkProtocol::handleCompareReply(std::size_t n,
                                      std::span<const std::uint8_t, kBlockSize> data) {
    std::ranges::copy(data, m_compared.block(n).begin());
    if (n == 0) {
        if (data[layout::kHeaderReadPermission] != 1) {
            m_status.setLine(LinkMessage::NoReading, false, StatusColour::Red);
            m_statusHold = kStatusHoldTicks;
            m_mode = LinkMode::Idle;
            m_comparing = false;
            return;
        }
        if (data[layout::kHeaderLayoutVersion] != layout::kLayoutVersion) {
            m_mode = LinkMode::Idle;
            m_comparing = false;
            m_events.unmatchedUnit();
            return;
        }
    }
    if (n < kLastBlock) {
        advance();
        return;
    }
    m_status.setGauge(kGaugeMax);
    m_status.setLine(LinkMessage::Read, true, StatusColour::ButtonFace);
    m_statusHold = kStatusHoldTicks;
    m_mode = LinkMode::Idle;
    m_comparing = false;
    m_events.compareRead(m_compared);
}

void LinkProtocol::handleVerifyReply(std::size_t n,
                                     std::span<const std::uint8_t, kBlockSize> data) {
    std::ranges::copy(data, m_verifyReplies.block(n).begin());
    const auto block = runImage().block(n);
    for (std::size_t k = 0; k < kBlockSize; ++k) {
        // The unit may keep its own value in the RPM2 byte.
        if (n * kBlockSize + k != layout::kRpm2 && block[k] != data[k]) {
            return;
        }
    }
    if (n < kLastBlock) {
        advance();
        return;
    }
    m_status.setGauge(kGaugeMax);
    m_status.setLine(LinkMessage::Verify, true, StatusColour::ButtonFace);
    m_statusHold = kStatusHoldTicks;
    m_mode = LinkMode::Idle;
    m_runVerified = true;
}

void LinkProtocol::handleProgramReply(std::size_t n,
                                      std::span<const std::uint8_t, kBlockSize> data) {
    if (n == 0) {
        adoptHeader(data);
        const bool matched = data[layout::kHeaderLayoutVersion] == layout::kLayoutVersion;
        if (!matched) {
            m_mode = LinkMode::Idle;
        }
        m_events.imageChanged();
        if (!matched) {
            m_events.unmatchedUnit();
            return;
        }
    } else if (!std::ranges::equal(runImage().block(n), data)) {
        return;
    }
    if (n < kLastBlock) {
        advance();
        return;
    }
    // A quick run counts as programmed only once the unit has saved it.
    m_programmed = !m_quickRun;
    startVerifyPass();
}

void LinkProtocol::advance() {
    const std::uint8_t next = nextRunCommand(m_blockCommand);
    // A quick run skips blocks: its gauge shows how far through the memory it is.
    const int pass = m_mode == LinkMode::Verify ? 1 : 0;
    m_status.setGauge(m_quickRun ? (next & kBlockMask) - pass : m_status.view().gauge + 1);
    m_blockCommand = next;
    m_attempts = 1;
    SendBlockFrame();
}

// The next block of the run: the following one, or in a quick run the next one it sends.
std::uint8_t LinkProtocol::nextRunCommand(std::uint8_t command) const {
    auto next = static_cast<std::uint8_t>(command + 1);
    while ((next & kBlockMask) < kLastBlock && !m_runBlocks[next & kBlockMask]) {
        ++next;
    }
    return next;
}

void LinkProtocol::startVerifyPass() {
    m_mode = LinkMode::Verify;
    m_blockCommand = m_runBlocks[1] ? kFirstVerifyCommand : nextRunCommand(kFirstVerifyCommand);
    m_attempts = 1;
    m_verifyReplies = runImage();
    SendBlockFrame();
    m_status.setLine(LinkMessage::Verify, false, StatusColour::ButtonFace);
    m_statusHold = kStatusHoldTicks;
    m_status.setLineVisible(true);
    m_status.setGauge(0);
}

void LinkProtocol::hideStatus() {
    m_status.setLineVisible(false);
    m_status.setGaugeVisible(false);
}

} // namespace kordana

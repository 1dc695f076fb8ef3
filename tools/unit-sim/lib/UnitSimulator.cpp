#include "tools/unit-sim/lib/UnitSimulator.h"

#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/ImageLayout.h"
#include "tools/unit-sim/lib/UnitMemory.h"
#include "tools/unit-sim/lib/UnitMonitor.h"

#include <algorithm>

namespace kordana {

namespace {

constexpr std::uint16_t kSavingStart = 1903;
constexpr std::size_t kBadEchoByte = 50; // data byte altered in a bad echo

std::span<const std::uint8_t, kFrameDataSize> dataOf(const Frame& frame) {
    return std::span<const std::uint8_t, kFrameDataSize>(frame.data() + 1, kFrameDataSize);
}

DriveProfile profileFor(const ProfileChoice& choice, const ParameterImage& memory) {
    if (choice.kind == ProfileChoice::Kind::Segments) {
        return DriveProfile(choice.segments);
    }
    if (choice.kind == ProfileChoice::Kind::Track) {
        return DriveProfile(trackSegments());
    }
    std::array<unsigned, 15> breakpoints{};
    for (std::size_t c = 0; c < breakpoints.size(); ++c) {
        breakpoints[c] = memory[layout::mapRpm(3) + c] * 50u;
    }
    unsigned revLimit = 0;
    for (const std::size_t at : {layout::kLimiter + 1, layout::kLimiter + 2}) {
        const unsigned rpm = memory[at] * 50u;
        if (rpm != 0 && (revLimit == 0 || rpm < revLimit)) {
            revLimit = rpm;
        }
    }
    return DriveProfile(dynoSegments(breakpoints, revLimit));
}

} // namespace

UnitSimulator::UnitSimulator(UnitSimOptions options)
    : m_options(std::move(options)), m_dice(m_options.seed),
      m_programmings(m_options.identity.programmings) {
    writeUnitHeader(m_memory, m_options.identity);
    writeUnitParameters(m_memory);
    if (m_options.engine) {
        // The engine is described against preset 0, so the unit starts with that set.
        m_memory[layout::kBike] = 0;
        applyDefaultSet(m_memory);
        runConsistencyPass(m_memory);
        m_engine.emplace(*m_options.engine, profileFor(m_options.profile, m_memory), m_options.seed,
                         m_memory);
    }
}

void UnitSimulator::receive(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return;
    }
    // Frames carry no start marker: a request that stops part-way would shift every later
    // frame, so a partial request that has been quiet for the gap time is thrown away.
    if (!m_incoming.empty() && m_clockMs - m_lastByteMs >= m_options.interByteGapMs) {
        m_stats.discardedBytes += m_incoming.size();
        m_incoming.clear();
    }
    m_lastByteMs = m_clockMs;
    for (std::uint8_t b : bytes) {
        m_incoming.push_back(b);
        if (m_incoming.size() == kFrameSize) {
            Frame request{};
            std::copy(m_incoming.begin(), m_incoming.end(), request.begin());
            m_incoming.clear();
            handleRequest(request);
        }
    }
    // A monitor request may have moved the clock; the bytes after it arrived with it.
    m_lastByteMs = m_clockMs;
}

void UnitSimulator::advance(std::uint32_t ms) {
    moveClock(ms);
    releaseDue();
}

void UnitSimulator::moveClock(std::uint64_t ms) {
    m_clockMs += ms;
    if (m_engine) {
        m_engine->advanceTo(m_clockMs, m_memory);
    }
}

std::vector<std::uint8_t> UnitSimulator::takeOutput() {
    std::vector<std::uint8_t> out;
    out.swap(m_output);
    return out;
}

void UnitSimulator::setOutputHandler(OutputHandler handler) {
    m_handler = std::move(handler);
    if (m_handler && !m_output.empty()) {
        std::vector<std::uint8_t> waiting = takeOutput();
        m_handler(waiting);
    }
}

std::optional<std::uint64_t> UnitSimulator::nextReleaseMs() const {
    if (m_pending.empty()) {
        return std::nullopt;
    }
    return m_pending.front().releaseMs;
}

std::array<std::uint8_t, kBlockSize> UnitSimulator::header() const {
    std::array<std::uint8_t, kBlockSize> block{};
    const auto stored = m_memory.block(0);
    std::copy(stored.begin(), stored.end(), block.begin());
    const bool readable = !m_options.readProtect && m_memory[layout::kNoReading] == 0;
    block[layout::kHeaderReadPermission] = readable ? 1 : 0;
    block[layout::kHeaderLayoutVersion] = m_options.layoutVersion;
    return block;
}

Frame UnitSimulator::monitorFrame() const {
    const UnitRunState state{m_clockMs, savingCount(), m_programmings, m_options.programVersion,
                             m_engine ? &m_engine->readings() : nullptr};
    return makeFrame(kReplyMonitor, composeMonitorData(m_memory, state));
}

std::uint16_t UnitSimulator::savingCount() const {
    if (!m_savingSinceMs) {
        return 0;
    }
    const std::uint64_t elapsed = m_clockMs - *m_savingSinceMs;
    if (m_options.savingMs == 0 || elapsed >= m_options.savingMs) {
        return 0;
    }
    const std::uint64_t saved = elapsed * kSavingStart / m_options.savingMs;
    return static_cast<std::uint16_t>(kSavingStart - saved);
}

void UnitSimulator::handleRequest(const Frame& request) {
    const std::uint8_t command = request[0];
    const std::size_t block = command & 0x3Fu;
    const bool known = command == kCmdMonitor ||
                       ((command & 0xC0u) == kCmdProgram && block < kBlockCount) ||
                       ((command & 0xC0u) == kCmdRead && block < kBlockCount);
    if (!known || !frameIntact(request)) {
        ++m_stats.rejected;
        if (m_observer) {
            m_observer(command, false);
        }
        return;
    }
    if (!heardInTime()) {
        if (m_observer) {
            m_observer(command, false);
        }
        return;
    }
    ++m_stats.requests;
    if (command == kCmdMonitor) {
        answerMonitor();
    } else if ((command & 0xC0u) == kCmdProgram) {
        answerProgram(block, request);
    } else {
        answerRead(block);
    }
    if (m_observer) {
        m_observer(command, !m_options.silent);
    }
}

void UnitSimulator::answerProgram(std::size_t block, const Frame& request) {
    if (m_options.silent) {
        return;
    }
    const std::uint8_t reply = replyCommand(static_cast<std::uint8_t>(block));
    if (block == 0) {
        // The unit keeps its own header; a programming run starts here.
        m_runOpen = true;
        m_runStored = 0;
        sendReply(makeFrame(reply, header()));
        return;
    }
    const auto data = dataOf(request);
    std::copy(data.begin(), data.end(), m_memory.block(block).begin());
    storedBlock(block);
    std::array<std::uint8_t, kBlockSize> echo{};
    const auto stored = m_memory.block(block);
    std::copy(stored.begin(), stored.end(), echo.begin());
    if (m_options.badEchoBlock && *m_options.badEchoBlock == block) {
        echo[kBadEchoByte] = static_cast<std::uint8_t>(echo[kBadEchoByte] ^ 0x01u);
    }
    sendReply(makeFrame(reply, echo));
}

void UnitSimulator::answerRead(std::size_t block) {
    if (m_options.silent) {
        return;
    }
    std::array<std::uint8_t, kBlockSize> data{};
    if (block == 0) {
        data = header();
    } else {
        const auto stored = m_memory.block(block);
        std::copy(stored.begin(), stored.end(), data.begin());
    }
    if (m_options.byte102 && block == layout::kRpm2 / kBlockSize) {
        data[layout::kRpm2 % kBlockSize] = *m_options.byte102;
    }
    sendReply(makeFrame(static_cast<std::uint8_t>(replyCommand(kCmdRead) + block), data));
}

void UnitSimulator::answerMonitor() {
    moveClock(m_options.monitorStepMs);
    if (m_options.silent) {
        releaseDue();
        return;
    }
    sendReply(monitorFrame());
}

void UnitSimulator::sendReply(const Frame& reply) {
    ++m_stats.replies;
    if (roll(m_options.dropPercent)) {
        ++m_stats.dropped;
        releaseDue();
        return;
    }
    std::vector<std::uint8_t> bytes(reply.begin(), reply.end());
    if (roll(m_options.corruptPercent)) {
        ++m_stats.corrupted;
        const std::size_t at = m_dice() % kFrameSize;
        bytes[at] = static_cast<std::uint8_t>(bytes[at] ^ (1u + m_dice() % 255u));
    }
    if (roll(m_options.truncatePercent)) {
        ++m_stats.truncated;
        bytes.resize(1 + m_dice() % (kFrameSize - 1));
    }
    const std::uint64_t release = m_clockMs + m_options.delayMs + m_options.replyMs;
    m_lastReplyMs = release;
    m_pending.push_back(PendingReply{release, std::move(bytes)});
    releaseDue();
}

bool UnitSimulator::roll(unsigned percent) {
    if (percent == 0) {
        return false;
    }
    return m_dice() % 100u < percent;
}

void UnitSimulator::releaseDue() {
    while (!m_pending.empty() && m_pending.front().releaseMs <= m_clockMs) {
        PendingReply reply = std::move(m_pending.front());
        m_pending.pop_front();
        emit(reply.bytes);
    }
}

void UnitSimulator::emit(std::span<const std::uint8_t> bytes) {
    if (m_handler) {
        m_handler(bytes);
        return;
    }
    m_output.insert(m_output.end(), bytes.begin(), bytes.end());
}

// A unit that needs a pause between its reply and the next request does not hear one that
// follows its reply sooner.
bool UnitSimulator::heardInTime() {
    if (m_options.minGapMs == 0 || !m_lastReplyMs) {
        return true;
    }
    if (m_clockMs >= *m_lastReplyMs + m_options.minGapMs) {
        return true;
    }
    ++m_stats.tooSoon;
    return false;
}

// A block stored: the run it belongs to may end here, and the unit may start saving.
void UnitSimulator::storedBlock(std::size_t block) {
    m_runStored |= 1u << block;
    constexpr std::uint32_t kAllParameterBlocks = ((1u << kBlockCount) - 1u) & ~1u;
    bool save = m_options.saveOn == UnitSaveRule::Any;
    if (block == kBlockCount - 1 && m_runOpen) {
        m_runOpen = false;
        const bool full = (m_runStored & kAllParameterBlocks) == kAllParameterBlocks;
        if (m_options.saveOn != UnitSaveRule::Full || full) {
            ++m_programmings;
            ++m_stats.programRuns;
            save = true;
        }
    }
    if (save) {
        ++m_stats.savings;
        m_savingSinceMs = m_clockMs;
    }
}

} // namespace kordana

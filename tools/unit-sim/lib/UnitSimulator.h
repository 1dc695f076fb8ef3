#pragma once

#include "link/Frame.h"
#include "params/ParameterImage.h"
#include "tools/unit-sim/lib/EngineModel.h"
#include "tools/unit-sim/lib/UnitSimOptions.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <span>
#include <vector>

namespace kordana {

/// Counters of what the simulated unit has seen and done, for tests and the program's log.
struct UnitSimStats {
    std::size_t requests = 0;       ///< intact requests taken in
    std::size_t rejected = 0;       ///< complete frames ignored (check byte, unknown command)
    std::size_t discardedBytes = 0; ///< bytes of partial requests dropped after a gap
    std::size_t replies = 0;        ///< replies composed (before faults)
    std::size_t dropped = 0;
    std::size_t corrupted = 0;
    std::size_t truncated = 0;
    std::size_t programRuns = 0; ///< programming runs completed (block 19 stored)
    std::size_t tooSoon = 0;     ///< requests not heard: they came within the minimum gap
    std::size_t savings = 0;     ///< savings started
};

/// The engine control unit on the far end of the link: a 2000-byte memory that answers
/// 102-byte requests as the real unit does, with optional faults. Bytes go in through
/// receive(); replies come out through takeOutput() or the output handler once the simulated
/// clock has reached their release time. The clock moves only by advance() and, when
/// monitorStepMs is set, by each monitor request; an engine, when there is one, moves with it.
class UnitSimulator {
public:
    using OutputHandler = std::function<void(std::span<const std::uint8_t>)>;
    /// Told of every complete frame taken in: its command byte and whether it was answered
    /// (false for damaged or unknown requests and for a silent unit).
    using RequestObserver = std::function<void(std::uint8_t command, bool answered)>;

    /// A unit with the identity and faults of options and a plausible parameter set.
    explicit UnitSimulator(UnitSimOptions options = {});

    /// Takes in bytes from the line; every complete intact request is answered.
    void receive(std::span<const std::uint8_t> bytes);
    /// Moves the simulated clock on by ms; releases delayed replies that are due.
    void advance(std::uint32_t ms);
    /// Milliseconds on the simulated clock since the unit was created.
    std::uint64_t clockMs() const { return m_clockMs; }

    /// Removes and returns every released reply byte not yet taken (empty with a handler).
    std::vector<std::uint8_t> takeOutput();
    /// Number of released reply bytes waiting to be taken.
    std::size_t outputWaiting() const { return m_output.size(); }
    /// Sends released bytes to handler instead of buffering them; an empty handler buffers.
    void setOutputHandler(OutputHandler handler);
    /// Calls observer for every complete frame taken in (for logging).
    void setRequestObserver(RequestObserver observer) { m_observer = std::move(observer); }
    /// Clock time at which the next delayed reply is released, if one is waiting.
    std::optional<std::uint64_t> nextReleaseMs() const;

    /// The unit's memory as stored (header bytes 9 and 10 as composed for replies).
    const ParameterImage& memory() const { return m_memory; }
    /// Writable memory, for tests that need a particular stored parameter set.
    ParameterImage& memory() { return m_memory; }
    /// Block 0 as the unit answers it: stored header with read permission and layout version.
    std::array<std::uint8_t, kBlockSize> header() const;
    /// The monitor frame the unit would send now.
    Frame monitorFrame() const;
    /// Saving count now: 1903 right after a programming run, falling to 0 over savingMs.
    std::uint16_t savingCount() const;
    /// Number of programming runs reported in the monitor frame.
    std::uint16_t programmingCount() const { return m_programmings; }
    /// What the unit has seen and done so far.
    const UnitSimStats& stats() const { return m_stats; }
    /// The engine behind the unit, when it was created with one.
    const EngineModel* engine() const { return m_engine ? &*m_engine : nullptr; }
    /// The options the unit was created with.
    const UnitSimOptions& options() const { return m_options; }

private:
    struct PendingReply {
        std::uint64_t releaseMs;
        std::vector<std::uint8_t> bytes;
    };

    void handleRequest(const Frame& request);
    void answerProgram(std::size_t block, const Frame& request);
    void answerRead(std::size_t block);
    void answerMonitor();
    void sendReply(const Frame& reply);
    bool roll(unsigned percent);
    void releaseDue();
    void moveClock(std::uint64_t ms);
    void emit(std::span<const std::uint8_t> bytes);
    bool heardInTime();
    void storedBlock(std::size_t block);

    UnitSimOptions m_options;
    ParameterImage m_memory;
    std::mt19937 m_dice;
    std::uint64_t m_clockMs = 0;
    std::uint64_t m_lastByteMs = 0;
    std::vector<std::uint8_t> m_incoming;
    std::deque<PendingReply> m_pending;
    std::vector<std::uint8_t> m_output;
    OutputHandler m_handler;
    RequestObserver m_observer;
    std::uint16_t m_programmings = 0;
    bool m_runOpen = false;
    std::uint32_t m_runStored = 0; // bit n: block n stored since the run's block 0
    std::optional<std::uint64_t> m_lastReplyMs;
    std::optional<std::uint64_t> m_savingSinceMs;
    UnitSimStats m_stats;
    std::optional<EngineModel> m_engine;
};

} // namespace kordana

#pragma once

#include "link/Frame.h"
#include "link/LinkEvents.h"
#include "link/LinkStatus.h"
#include "link/Port.h"
#include "params/ParameterImage.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace kordana {

/// What the link is doing; the values are the unit's own mode numbers.
enum class LinkMode : std::uint8_t { Idle = 0, Program = 1, Verify = 2, Read = 3 };

/// The conversation with the unit: Program, Verify and Read block by block, monitor requests
/// while idle, the status line, gauge and connection watch. Driven by tick() every 55 ms; it
/// owns no timer, thread or widget and never blocks.
class LinkProtocol {
public:
    static constexpr std::size_t kReceiveBufferSize = 15000;
    static constexpr std::uint8_t kReplyWaitTicks = 4;    ///< ticks between sends of one block
    static constexpr std::uint8_t kMaxAttempts = 5;       ///< sends of one block before failing
    static constexpr std::uint8_t kMonitorInterval = 6;   ///< idle ticks between monitor requests
    static constexpr std::uint8_t kStatusHoldTicks = 200; ///< ticks a status stays on screen
    static constexpr std::uint8_t kNoReplyLimit = 18;     ///< silent ticks before "no connection"
    static constexpr std::uint16_t kSavingEmpty = 1903;   ///< saving count of an empty gauge
    /// Fast runs in a row that needed retries before the fast link switches itself off.
    static constexpr int kRetriedRunsLimit = 3;
    /// Fast monitor time-outs that make the monitor fall back to the tick pace, unless
    /// kMonitorRecoveryFrames frames in a row came between them.
    static constexpr int kMonitorTimeoutsLimit = 2;
    static constexpr int kMonitorRecoveryFrames = 8;
    /// Ticks (about 1 s) within which a unit starts saving after a quick programming run.
    static constexpr int kSavingStartTicks = 18;

    /// Works on image (the one parameter image), talks through port, reports to events.
    LinkProtocol(ParameterImage& image, Port& port, LinkEvents& events);

    /// Talks through another port from now on (the user picked another COM port).
    void setPort(Port& port) { m_port = &port; }
    /// While printing the no-connection label stays hidden; set before and after printing.
    /// Printing changes the status line behind the link's back, so afterwards every element is
    /// reported again at its next setting.
    void setPrinting(bool printing);
    /// The window has put a text of its own on the status line (the print stamp, a print
    /// failure): the line is shown and held for kStatusHoldTicks ticks, then hidden as any
    /// status is; the link's next message replaces the text.
    void holdWindowStatus();

    /// One timer tick: take in a reply, send/repeat/give up the pending request (or a monitor
    /// request in idle), age the status line, watch the connection.
    void tick();

    /// Starts a programming run (blocks 0..19, then the verify pass). The caller has harvested
    /// and repaired the image already. Replaces any running transfer; sends on a later tick.
    void startProgram();
    /// Starts a verify of blocks 1..19 against the image. Replaces any running transfer.
    void startVerify();
    /// Starts reading the unit (block 0 at once, blocks 1..19 together at the end, then the
    /// verify pass). Replaces any running transfer.
    void startRead();
    /// Starts reading the unit's 20 blocks into a set of the link's own, with the checks of a
    /// read, leaving the parameter image alone; ends with "Read: OK" and compareRead().
    /// Replaces any running transfer.
    void startCompare();
    /// Hides the status line and the gauge now (the commands New and Open do), so that the
    /// next transfer shows them again.
    void hideStatus();

    /// Fast link: while idle a monitor request goes out as soon as the previous monitor frame
    /// was taken in, and in a run the next block request as soon as the previous reply was
    /// accepted (both through replyArrived()); time-outs and retries stay counted in ticks.
    /// Off (the default) keeps the tick pace exactly. A run takes the setting it started with.
    void setFastLink(bool on);
    bool fastLink() const { return m_fast; }
    /// Leaves the monitor of a fast link at the tick pace (on) or not (off), for a link with no
    /// live data to show; setFastLink() sets both.
    void setFastMonitor(bool on) { m_fastMonitor = on; }
    /// Quick programming: programAfterChange() sends block 0, the blocks that differ from the
    /// unit's confirmed copy and block 19, verifies those, and counts as done once the unit
    /// has saved; edits during a run or while the unit saves are programmed after it.
    void setQuickProgramming(bool on) { m_quick = on; }
    bool quickProgramming() const { return m_quick; }
    /// Bytes have arrived between ticks (the port's ready-read). On the fast link the reply is
    /// taken in now and the next request sent at once; otherwise nothing happens until the
    /// next tick.
    void replyArrived();
    /// The port was opened again: a monitor that fell back to the tick pace is fast again and
    /// the unit's copy of the set is forgotten (another unit may be on the line).
    void portOpened();
    /// Programming after a change with quick programming on: a quick run when the unit's copy
    /// is known, else a full run, both from the set as it stands now; while a run goes or the
    /// unit saves, one run once that is over.
    void programAfterChange();

    /// The set the unit was last confirmed to hold (a programming run or read that ended
    /// verified, a quick run the unit saved); empty when not known.
    const std::optional<ParameterImage>& unitCopy() const { return m_unitCopy; }
    void forgetUnitCopy() { m_unitCopy.reset(); }
    /// The running (or last) programming run sends only some blocks.
    bool quickRun() const { return m_quickRun; }
    /// Blocks the running run sends (all 20 but in a quick run).
    const std::array<bool, kBlockCount>& runBlocks() const { return m_runBlocks; }
    /// A programming after change waits for the running run or the unit's saving.
    bool programPending() const { return m_programPending; }
    /// After a programming run the link waits for the unit to start and end saving.
    bool awaitingSaving() const { return m_saveWatch != SaveWatch::None; }
    /// Monitor requests go out reply after reply (fast link on and not fallen back).
    bool fastMonitorActive() const { return m_fastMonitor && !m_fastMonitorHeld; }
    /// The running run goes reply after reply (started fast and no retry yet).
    bool runAtFastPace() const { return m_runFast && !m_runRetried; }
    /// Fast runs in a row that needed retries.
    int retriedFastRuns() const { return m_retriedRuns; }
    /// The set the running programming run sends: a copy taken at its start when the link
    /// started it (so later edits wait for the next run), else the image itself.
    const ParameterImage& runImage() const { return m_useRunImage ? m_runImage : m_image; }

    /// Takes in a waiting reply if at least one frame's worth of bytes is queued; called by tick().
    void PollReceive();
    /// Handles a reply to a block request (any first byte but 0xB0); called by PollReceive().
    void HandleBlockReply(std::span<const std::uint8_t, kFrameSize> reply);

    /// Idle, program, verify or read.
    LinkMode mode() const { return m_mode; }
    /// The running read is a compare read (startCompare()).
    bool comparing() const { return m_comparing; }
    /// What the running (or last) run was started as: a programming run stays Program through
    /// its verify pass, quick or full.
    LinkMode runKind() const { return m_runKind; }
    /// Command byte of the pending block request; the block number is its low six bits.
    std::uint8_t blockCommand() const { return m_blockCommand; }
    /// Ticks since the last block request (idle: since the last monitor request), 0..6.
    std::uint8_t waitTicks() const { return m_waitTicks; }
    /// Sends of the pending block so far.
    std::uint8_t attempts() const { return m_attempts; }
    /// Ticks left before the status line and gauge are hidden.
    std::uint8_t statusHold() const { return m_statusHold; }
    /// Ticks since the last accepted reply, 0..18.
    std::uint8_t noReplyTicks() const { return m_noReplyTicks; }
    /// All 20 blocks of a programming run were accepted (cleared when the status goes).
    bool programmed() const { return m_programmed; }
    /// The unit's saving count from the last monitor frame; 0 when not saving.
    std::uint16_t savingCount() const { return m_savingCount; }
    /// Status line, gauge and no-connection label as last reported.
    const LinkView& view() const { return m_status.view(); }

private:
    enum class SaveWatch : std::uint8_t { None, AwaitStart, Saving };

    void startTransfer(LinkMode mode, std::uint8_t command, LinkMessage message);
    void transferStep();
    void idleStep();
    void holdStep();
    void connectionStep();
    void fail();

    void SendBlockFrame();
    void SendMonitorRequest();
    void handleMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame);
    void handleReadReply(std::size_t n, std::span<const std::uint8_t, kBlockSize> data);
    void handleCompareReply(std::size_t n, std::span<const std::uint8_t, kBlockSize> data);
    void handleVerifyReply(std::size_t n, std::span<const std::uint8_t, kBlockSize> data);
    void handleProgramReply(std::size_t n, std::span<const std::uint8_t, kBlockSize> data);
    void adoptHeader(std::span<const std::uint8_t, kBlockSize> data);
    void advance();
    void startVerifyPass();
    std::uint8_t nextRunCommand(std::uint8_t command) const;

    // The fast link and quick programming (LinkFastPace.cpp).
    void resetRunState();
    void fastFirstSend();
    void fastIdleStep();
    void sendFastMonitorRequest();
    void monitorTimedOut();
    void monitorFrameTaken();
    void noteRetry();
    void afterReplies();
    void runEnded();
    void saveWatchStep();
    void savingObserved(bool saved);
    void startLinkProgram();

    ParameterImage& m_image;
    Port* m_port;
    LinkEvents& m_events;
    LinkStatus m_status;

    LinkMode m_mode = LinkMode::Idle;
    std::uint8_t m_blockCommand = 0;
    std::uint8_t m_waitTicks = 0;
    std::uint8_t m_attempts = 0;
    std::uint8_t m_statusHold = 0;
    std::uint8_t m_noReplyTicks = 0;
    bool m_programmed = false;
    std::uint16_t m_savingCount = 0;
    bool m_printing = false;

    // Blocks 1..19 of a read in progress; they reach the image together once block 19 is in.
    ParameterImage m_staging;
    // A compare read in progress, and the unit's 20 blocks it takes in.
    bool m_comparing = false;
    ParameterImage m_compared;
    // The blocks the unit sent in the running verify pass, over a copy of the image.
    ParameterImage m_verifyReplies;

    // Fast link.
    bool m_fast = false;
    bool m_fastMonitor = false;
    bool m_runFast = false;         // the running run started on the fast link
    bool m_runRetried = false;      // it needed a retry: the rest goes at the tick pace
    int m_retriedRuns = 0;          // fast runs in a row that needed retries
    bool m_fastMonitorHeld = false; // monitor replies timed out: tick pace until the port reopens
    bool m_monitorOutstanding = false;
    int m_monitorTimeouts = 0;      // fast monitor time-outs not yet made up for
    int m_monitorGood = 0;          // frames in a row since the last time-out
    std::uint8_t m_monitorWait = 0; // ticks since the outstanding monitor request
    unsigned m_monitorFrames = 0;   // intact monitor frames taken in
    // The running run: what it is, and whether its verify pass passed.
    bool m_runActive = false;
    LinkMode m_runKind = LinkMode::Idle;
    bool m_runVerified = false;
    // Quick programming.
    bool m_quick = false;
    bool m_quickRun = false;
    bool m_useRunImage = false;
    ParameterImage m_runImage;
    std::array<bool, kBlockCount> m_runBlocks{};
    std::optional<ParameterImage> m_unitCopy;
    bool m_programPending = false;
    SaveWatch m_saveWatch = SaveWatch::None;
    bool m_saveWatchQuick = false; // the run watched was a quick run: no saving means a full run
    int m_saveWatchTicks = 0;
    unsigned m_saveWatchFrames = 0; // monitor frames taken in when the watch began
};

} // namespace kordana

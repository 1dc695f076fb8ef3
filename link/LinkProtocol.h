#pragma once

#include "link/Frame.h"
#include "link/LinkEvents.h"
#include "link/LinkStatus.h"
#include "link/Port.h"
#include "params/ParameterImage.h"

#include <array>
#include <cstdint>
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

    /// Takes in a waiting reply if at least one frame's worth of bytes is queued; called by tick().
    void PollReceive();
    /// Handles a reply to a block request (any first byte but 0xB0); called by PollReceive().
    void HandleBlockReply(std::span<const std::uint8_t, kFrameSize> reply);

    /// Idle, program, verify or read.
    LinkMode mode() const { return m_mode; }
    /// The running read is a compare read (startCompare()).
    bool comparing() const { return m_comparing; }
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
};

} // namespace kordana

// The fast link (requests reply after reply instead of tick by tick) and quick programming
// (only the blocks that changed, confirmed by the unit's saving). Both are options: with them
// off the link keeps the tick pace of LinkProtocol.cpp exactly.
#include "link/LinkProtocol.h"

#include <algorithm>

namespace kordana {

namespace {

constexpr std::uint8_t kLastBlock = kBlockCount - 1;

} // namespace

void LinkProtocol::setFastLink(bool on) {
    m_fast = on;
    m_fastMonitor = on;
    m_monitorOutstanding = false;
    m_monitorWait = 0;
    m_monitorTimeouts = 0;
    m_monitorGood = 0;
    m_retriedRuns = 0;
}

void LinkProtocol::portOpened() {
    m_fastMonitorHeld = false;
    m_monitorOutstanding = false;
    m_monitorWait = 0;
    m_monitorTimeouts = 0;
    m_monitorGood = 0;
    m_unitCopy.reset();
}

void LinkProtocol::resetRunState() {
    m_runActive = true;
    m_runFast = m_fast;
    m_runRetried = false;
    m_runVerified = false;
    m_quickRun = false;
    m_useRunImage = false;
    m_runBlocks.fill(true);
    m_saveWatch = SaveWatch::None;
    m_programPending = false;
}

// The first request of a fast run goes out on the next tick; while a monitor reply is still
// on its way it waits for it (up to a reply time), so the two replies never meet on the line.
void LinkProtocol::fastFirstSend() {
    if (m_monitorOutstanding) {
        if (++m_monitorWait < kReplyWaitTicks) {
            return;
        }
        monitorTimedOut();
        m_monitorOutstanding = false;
    }
    m_attempts = 1;
    SendBlockFrame();
}

void LinkProtocol::fastIdleStep() {
    // The tick pace's phase goes on, so falling back keeps its rhythm.
    if (++m_waitTicks >= kMonitorInterval) {
        m_waitTicks = 0;
    }
    if (m_monitorOutstanding) {
        if (++m_monitorWait >= kReplyWaitTicks) {
            monitorTimedOut();
        }
        return;
    }
    sendFastMonitorRequest();
}

void LinkProtocol::sendFastMonitorRequest() {
    m_monitorOutstanding = true;
    m_monitorWait = 0;
    SendMonitorRequest();
}

void LinkProtocol::monitorFrameTaken() {
    m_monitorOutstanding = false;
    ++m_monitorFrames;
    if (++m_monitorGood >= kMonitorRecoveryFrames) {
        m_monitorTimeouts = 0;
    }
}

// One lost frame is a fault of the line; a unit that keeps missing requests sent reply after
// reply cannot keep up, and gets them at the tick pace until its port is opened again.
void LinkProtocol::monitorTimedOut() {
    m_monitorOutstanding = false;
    m_monitorGood = 0;
    if (++m_monitorTimeouts < kMonitorTimeoutsLimit || m_fastMonitorHeld) {
        return;
    }
    m_fastMonitorHeld = true;
    m_events.fastMonitorFellBack();
}

void LinkProtocol::noteRetry() {
    m_runRetried = true;
}

void LinkProtocol::replyArrived() {
    const bool taking = m_mode == LinkMode::Idle ? fastMonitorActive() : runAtFastPace();
    if (!taking) {
        return;
    }
    PollReceive();
    afterReplies();
}

// After a reply taken in between ticks: the next request goes out at once.
void LinkProtocol::afterReplies() {
    if (m_runActive && m_mode == LinkMode::Idle) {
        runEnded();
    }
    if (m_mode == LinkMode::Idle) {
        if (fastMonitorActive() && !m_monitorOutstanding) {
            sendFastMonitorRequest();
        }
    } else if (runAtFastPace() && m_attempts == 0 && !m_monitorOutstanding) {
        m_attempts = 1;
        SendBlockFrame();
    }
}

void LinkProtocol::runEnded() {
    m_runActive = false;
    if (m_runFast) {
        m_retriedRuns = m_runRetried ? m_retriedRuns + 1 : 0;
        if (m_retriedRuns >= kRetriedRunsLimit) {
            m_retriedRuns = 0;
            m_fast = false;
            m_fastMonitor = false;
            m_events.fastLinkSwitchedOff();
        }
    }
    if (m_runKind == LinkMode::Read && m_runVerified) {
        m_unitCopy = m_image;
    }
    if (m_runKind != LinkMode::Program) {
        return;
    }
    if (!m_runVerified) {
        m_unitCopy.reset(); // the unit may hold a mixture of two sets
        return;
    }
    // A quick run's copy is confirmed by the unit's saving; a full run's by its verify pass.
    if (!m_quickRun) {
        m_unitCopy = runImage();
    }
    if (m_quick) {
        m_saveWatch = SaveWatch::AwaitStart;
        m_saveWatchQuick = m_quickRun;
        m_saveWatchTicks = 0;
        m_saveWatchFrames = m_monitorFrames;
    }
}

// After a programming run with quick programming on: waits for the unit to start saving
// (within about 1 s, seen in a monitor frame that came after the run) and to end it; edits
// that came meanwhile go as one run once the wait is over.
void LinkProtocol::saveWatchStep() {
    if (m_mode != LinkMode::Idle) {
        return;
    }
    switch (m_saveWatch) {
    case SaveWatch::None:
        if (m_programPending) {
            startLinkProgram();
        }
        return;
    case SaveWatch::AwaitStart:
        if (m_monitorFrames != m_saveWatchFrames && m_savingCount > 0) {
            m_saveWatch = SaveWatch::Saving;
        } else if (++m_saveWatchTicks >= kSavingStartTicks) {
            savingObserved(false);
        }
        return;
    case SaveWatch::Saving:
        if (m_savingCount == 0) {
            savingObserved(true);
        } else if (m_noReplyTicks >= kNoReplyLimit) {
            savingObserved(false); // the unit went silent while saving
        }
        return;
    }
}

void LinkProtocol::savingObserved(bool saved) {
    m_saveWatch = SaveWatch::None;
    if (!m_saveWatchQuick) {
        return; // a full run was done with its verify pass; the wait only held edits back
    }
    if (saved) {
        m_unitCopy = m_runImage;
        m_programmed = true;
        return;
    }
    // What the unit keeps is not known: all blocks go again, from the set as it stands now.
    m_unitCopy.reset();
    startLinkProgram();
    m_events.noSavingReported();
}

void LinkProtocol::programAfterChange() {
    if (m_mode != LinkMode::Idle || m_saveWatch != SaveWatch::None) {
        m_programPending = true;
        return;
    }
    startLinkProgram();
}

// A programming run the link starts itself sends a copy of the set taken now, so an edit
// during the run cannot change a block between its send and its verify.
void LinkProtocol::startLinkProgram() {
    startTransfer(LinkMode::Program, kCmdProgram, LinkMessage::ProgramDevice);
    m_useRunImage = true;
    m_runImage = m_image;
    if (m_quick && m_unitCopy) {
        m_quickRun = true;
        for (std::size_t n = 1; n < kLastBlock; ++n) {
            m_runBlocks[n] = !std::ranges::equal(m_runImage.block(n), m_unitCopy->block(n));
        }
    }
    m_verifyReplies = m_runImage;
}

} // namespace kordana

#pragma once

#include "monitor/MonitorFrame.h"
#include "monitor/MonitorLiveValues.h"
#include "monitor/OperatingPoint.h"
#include "params/ParameterImage.h"
#include "session/ChangeSet.h"
#include "storage/SetHistory.h"

#include <QObject>

#include <cstdint>
#include <optional>

namespace kordana {

/// The one place where the window and its features hear of each other. The frame and the
/// features emit; features subscribe to what they need and never call one another. Every
/// signal is delivered at once (direct connections), in the order the features subscribed,
/// which is the order they were installed in.
class EventHub : public QObject {
    Q_OBJECT

public:
    explicit EventHub(QObject* parent = nullptr) : QObject(parent) {}

    /// The values the cursor shows: a replayed log row while one is shown, else the unit's.
    const MonitorLiveValues& liveValues() const { return m_replay ? *m_replay : m_unit; }
    /// The unit's own values from its last intact monitor frame.
    const MonitorLiveValues& unitValues() const { return m_unit; }
    /// True while a log row's values stand in for the unit's.
    bool replaying() const { return m_replay.has_value(); }

    /// An intact monitor frame: its values become the unit's and end a replay (no signal: the
    /// next tick marks them).
    void publishUnitValues(const MonitorLiveValues& live);
    /// A log row's values stand in for the unit's until an intact frame or endReplay().
    void publishReplay(const MonitorLiveValues& live);
    /// The unit's values again; emits replayMoved() when a replay was shown.
    void endReplay();

signals:
    /// A session command changed the set; `changes` is what the command returned.
    void setChanged(const ChangeSet& changes, ChangeCause cause);
    /// A command is about to replace the whole set; `before` is the set as it still stands.
    void aboutToReplaceSet(SetHistoryCause cause, const ParameterImage& before);
    /// The active page `index` was rewritten from the session (every refresh, every page change).
    void pageShown(int index);
    /// The cursor is being marked on the active page from `live` (every tick, a replayed row).
    /// `mapPage` is the active page when it is a map page (else -1) and `mapMark` its map
    /// cursor, computed once for everyone.
    void cursorMarked(const MonitorLiveValues& live, int mapPage, const MapMark& mapMark);
    /// A replayed row was shown or a replay ended: the cursor wants marking now.
    void replayMoved();
    /// An intact monitor frame, decoded once for everyone.
    void monitorFrameDecoded(const MonitorFrame& frame);
    /// The port was opened again and may lead to another unit now.
    void unitReplaced();
    /// The unit stopped answering (it may be unplugged and another one plugged in).
    void unitSilent();
    /// The window's texts are now in language `index`.
    void languageChanged(std::uint8_t index);
    /// One 55 ms tick of Timer1, after the link's step and the cursor.
    void tick();

    // The map page's colours (View menu).
    /// Heat map colours were switched on or off: map cells coloured by value, or not.
    void heatMapChosen(bool on);
    /// The cursor trail was switched on or off (off forgets the trail).
    void cursorTrailChosen(bool on);

private:
    MonitorLiveValues m_unit;
    std::optional<MonitorLiveValues> m_replay;
};

} // namespace kordana

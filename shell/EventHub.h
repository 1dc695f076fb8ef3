#pragma once

#include "link/UnitHeader.h"
#include "monitor/MonitorFrame.h"
#include "monitor/MonitorLiveValues.h"
#include "monitor/OperatingPoint.h"
#include "params/ParameterImage.h"
#include "session/ChangeSet.h"
#include "sheet/TuneSheet.h"
#include "storage/SetHistory.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

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
    /// The parameter file the set on screen came from (empty: none).
    const QString& setFile() const { return m_setFile; }
    /// Where the next Open or Save dialog starts: the parameter file last opened or saved.
    const QString& lastFilePath() const { return m_lastFilePath; }
    void setLastFilePath(const QString& path) { m_lastFilePath = path; }
    /// The set on screen now comes from `path` (empty: from no file); emits setFileNamed().
    void nameSetFile(const QString& path);
    /// True while the link runs a read, verify, programming run or compare.
    bool unitBusy() const { return m_unitBusy; }
    void setUnitBusy(bool busy) { m_unitBusy = busy; }

    /// An intact monitor frame: its values become the unit's (no signal: the next tick marks
    /// them). A replay keeps the cursor on the replayed row while frames keep coming.
    void publishUnitValues(const MonitorLiveValues& live);
    /// A log row's values stand in for the unit's until endReplay(); emits replayMoved(), and
    /// replayChanged(true) when no replay was shown before.
    void publishReplay(const MonitorLiveValues& live);
    /// The unit's values again; emits replayMoved() and replayChanged(false) when a replay was
    /// shown.
    void endReplay();

signals:
    /// A session command changed the set; `changes` is what the command returned.
    void setChanged(const ChangeSet& changes, ChangeCause cause);
    /// A command is about to replace the whole set; `before` is the set as it still stands.
    void aboutToReplaceSet(SetHistoryCause cause, const ParameterImage& before);
    /// The active page `index` is to be rewritten from the session (first step of a refresh).
    void refreshRequested(int index);
    /// The active page `index` is to be stored into the session (a harvest).
    void harvestRequested(int index);
    /// The active page `index` was rewritten from the session (every refresh, every page change).
    void pageShown(int index);
    /// A commit tail ended: the set may differ from what the unit was last programmed with.
    void committed();
    /// The set on screen now comes from `path` (empty: from no file).
    void setFileNamed(const QString& path);
    /// The cursor is being marked on the active page from `live` (every tick, a replayed row).
    /// `mapPage` is the active page when it is a map page (else -1) and `mapMark` its map
    /// cursor, computed once for everyone.
    void cursorMarked(const MonitorLiveValues& live, int mapPage, const MapMark& mapMark);
    /// A replayed row was shown or a replay ended: the cursor wants marking now.
    void replayMoved();
    /// A replay began (`on`) or ended: the cursor shows a log's row instead of the unit's.
    void replayChanged(bool on);
    /// An intact monitor frame, decoded once for everyone.
    void monitorFrameDecoded(const MonitorFrame& frame);
    /// The port was opened again and may lead to another unit now.
    void unitReplaced();
    /// The unit holds exactly `image` (a verify passed, a read or compare got every block).
    void unitHoldsSet(const ParameterImage& image);
    /// What the unit holds is not known any more.
    void unitSetUnknown();
    /// The unit's header was read: its identity, date and version.
    void unitHeaderDecoded(const UnitHeaderTexts& header);
    /// The unit stopped answering (it may be unplugged and another one plugged in).
    void unitSilent();
    /// The window's texts are now in language `index`.
    void languageChanged(std::uint8_t index);
    /// One 55 ms tick of Timer1; the cursor is marked after it.
    void tick();
    /// The window's own status message was shown: it is held and hidden like the link's.
    void statusHeld();
    /// The status line is to be hidden now (a new set replaces the one a message was about).
    void statusHideRequested();
    /// The print view was shown (`on`) or left.
    void printingChanged(bool on);
    /// A tune sheet is being made: a feature may add pages of its own to `blocks`.
    void tuneSheetBuilding(std::vector<SheetBlock>& blocks);

    // The map page's colours (View menu).
    /// Heat map colours were switched on or off: map cells coloured by value, or not.
    void heatMapChosen(bool on);
    /// The cursor trail was switched on or off (off forgets the trail).
    void cursorTrailChosen(bool on);

private:
    MonitorLiveValues m_unit;
    std::optional<MonitorLiveValues> m_replay;
    QString m_setFile;
    QString m_lastFilePath;
    bool m_unitBusy = false;
};

} // namespace kordana

#include "shell/EventHub.h"

namespace kordana {

void EventHub::publishUnitValues(const MonitorLiveValues& live) {
    m_unit = live;
}

void EventHub::publishReplay(const MonitorLiveValues& live) {
    const bool began = !m_replay;
    m_replay = live;
    emit replayMoved();
    if (began) {
        emit replayChanged(true);
    }
}

void EventHub::endReplay() {
    if (!m_replay) {
        return;
    }
    m_replay.reset();
    emit replayMoved();
    emit replayChanged(false);
}

void EventHub::nameSetFile(const QString& path) {
    m_setFile = path;
    emit setFileNamed(path);
}

} // namespace kordana

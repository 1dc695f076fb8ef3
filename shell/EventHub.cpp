#include "shell/EventHub.h"

namespace kordana {

void EventHub::publishUnitValues(const MonitorLiveValues& live) {
    m_unit = live;
    m_replay.reset();
}

void EventHub::publishReplay(const MonitorLiveValues& live) {
    m_replay = live;
    emit replayMoved();
}

void EventHub::endReplay() {
    m_replay.reset();
    emit replayMoved();
}

void EventHub::nameSetFile(const QString& path) {
    m_setFile = path;
    emit setFileNamed(path);
}

} // namespace kordana

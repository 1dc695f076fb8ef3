#include "link/LinkStatus.h"

#include <algorithm>

namespace kordana {

void LinkStatus::setLine(LinkMessage message, bool ok, StatusColour colour) {
    if (m_lineKnown && m_view.message == message && m_view.ok == ok && m_view.colour == colour) {
        return;
    }
    m_lineKnown = true;
    m_view.message = message;
    m_view.ok = ok;
    m_view.colour = colour;
    m_events.statusLine(message, ok, colour);
}

void LinkStatus::setLineText(LinkMessage message, bool ok) {
    setLine(message, ok, m_view.colour);
}

void LinkStatus::setLineVisible(bool visible) {
    if (m_lineVisibleKnown && m_view.statusVisible == visible) {
        return;
    }
    m_lineVisibleKnown = true;
    m_view.statusVisible = visible;
    m_events.statusVisible(visible);
}

void LinkStatus::setGauge(int progress) {
    progress = std::clamp(progress, 0, kGaugeMax);
    if (m_gaugeKnown && m_view.gauge == progress) {
        return;
    }
    m_gaugeKnown = true;
    m_view.gauge = progress;
    m_events.gaugeProgress(progress);
}

void LinkStatus::setGaugeVisible(bool visible) {
    if (m_gaugeVisibleKnown && m_view.gaugeVisible == visible) {
        return;
    }
    m_gaugeVisibleKnown = true;
    m_view.gaugeVisible = visible;
    m_events.gaugeVisible(visible);
}

void LinkStatus::setNoConnection(bool shown) {
    if (m_noConnectionKnown && m_view.noConnection == shown) {
        return;
    }
    m_noConnectionKnown = true;
    m_view.noConnection = shown;
    m_events.noConnection(shown);
}

void LinkStatus::forget() {
    m_lineKnown = false;
    m_lineVisibleKnown = false;
    m_gaugeKnown = false;
    m_gaugeVisibleKnown = false;
    m_noConnectionKnown = false;
}

} // namespace kordana

#pragma once

#include "link/LinkEvents.h"

namespace kordana {

/// The link's on-screen elements: keeps their state and tells LinkEvents when one changes.
class LinkStatus {
public:
    /// Reports through events; nothing is reported before the first setter call.
    explicit LinkStatus(LinkEvents& events) : m_events(events) {}

    /// Sets message, " OK" suffix and colour of the status line.
    void setLine(LinkMessage message, bool ok, StatusColour colour);
    /// Sets message and " OK" suffix, keeping the colour.
    void setLineText(LinkMessage message, bool ok);
    /// Shows or hides the status line.
    void setLineVisible(bool visible);
    /// Sets the gauge, clamped to 0..kGaugeMax.
    void setGauge(int progress);
    /// Shows or hides the gauge.
    void setGaugeVisible(bool visible);
    /// Shows or hides the no-connection label.
    void setNoConnection(bool shown);
    /// The window has changed the elements itself: the next setting of each is reported even
    /// when it matches what the link set last.
    void forget();
    /// The current state of every element.
    const LinkView& view() const { return m_view; }

private:
    LinkEvents& m_events;
    LinkView m_view;
    // The first setting of each element is always reported, so the screen need not start in a
    // state the link knows about.
    bool m_lineKnown = false;
    bool m_lineVisibleKnown = false;
    bool m_gaugeKnown = false;
    bool m_gaugeVisibleKnown = false;
    bool m_noConnectionKnown = false;
};

} // namespace kordana

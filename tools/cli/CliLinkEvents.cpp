#include "tools/cli/CliLinkEvents.h"

#include "link/LinkMessageText.h"
#include "params/ConsistencyPass.h"

namespace kordana {

CliLinkEvents::CliLinkEvents(CliConsole& console, ParameterImage& image, const MessageTexts& texts)
    : m_console(console), m_image(image), m_texts(texts) {}

std::string CliLinkEvents::statusText(LinkMessage message, bool ok) const {
    return linkMessageText(message, ok, m_texts);
}

// The colour is not printed: the failure texts say so themselves.
void CliLinkEvents::statusLine(LinkMessage message, bool ok, StatusColour /*colour*/) {
    m_console.status(statusText(message, ok));
}

void CliLinkEvents::statusVisible(bool /*visible*/) {}

void CliLinkEvents::gaugeProgress(int progress) {
    m_gauge = progress;
    if (m_gaugeVisible) {
        m_console.progress(progress, kGaugeMax);
    }
}

void CliLinkEvents::gaugeVisible(bool visible) {
    m_gaugeVisible = visible;
    if (visible) {
        m_console.progress(m_gauge, kGaugeMax);
    } else {
        m_console.endProgress();
    }
}

void CliLinkEvents::noConnection(bool shown) {
    if (m_onConnection) {
        m_onConnection(shown);
    }
}

void CliLinkEvents::unmatchedUnit() {
    m_unmatchedUnit = true;
}

void CliLinkEvents::imageChanged() {
    runConsistencyPass(m_image);
}

// The unit's identification is shown on a page of the window; the terminal has no such place.
void CliLinkEvents::headerDecoded(const UnitHeaderTexts& /*texts*/) {}

void CliLinkEvents::monitorFrame(std::span<const std::uint8_t, kFrameSize> frame) {
    if (m_onFrame) {
        m_onFrame(frame);
    }
}

void CliLinkEvents::compareRead(const ParameterImage& unitSet) {
    m_compared = unitSet;
}

void CliLinkEvents::fastLinkSwitchedOff() {
    if (m_onFallback) {
        m_onFallback(m_texts.TextFastLinkOff);
    }
}

void CliLinkEvents::fastMonitorFellBack() {
    if (m_onFallback) {
        m_onFallback(m_texts.TextFastMonitorOff);
    }
}

} // namespace kordana

#pragma once

#include "lang/MessageTexts.h"
#include "link/LinkEvents.h"
#include "params/ParameterImage.h"
#include "tools/cli/CliConsole.h"

#include <functional>
#include <optional>
#include <string>

namespace kordana {

/// What the link reports, turned into terminal output: each new status line text on standard
/// output, the gauge as a progress bar; the image is repaired whenever the link changes it.
class CliLinkEvents : public LinkEvents {
public:
    /// Called with every intact monitor frame.
    using FrameHandler = std::function<void(std::span<const std::uint8_t, kFrameSize>)>;
    /// Called when the no-connection label is shown or hidden.
    using ConnectionHandler = std::function<void(bool shown)>;

    /// Prints on console with texts; repairs image (the one the link works on).
    CliLinkEvents(CliConsole& console, ParameterImage& image, const MessageTexts& texts);

    /// The status line text for a message, " OK" appended when ok.
    std::string statusText(LinkMessage message, bool ok) const;

    void setFrameHandler(FrameHandler handler) { m_onFrame = std::move(handler); }
    void setConnectionHandler(ConnectionHandler handler) { m_onConnection = std::move(handler); }
    /// Called with the text of a fast-link fallback (the link went back to the tick pace).
    void setFallbackHandler(std::function<void(const std::string&)> handler) {
        m_onFallback = std::move(handler);
    }

    /// True once the unit reported a memory layout version other than ours.
    bool unmatchedUnit() const { return m_unmatchedUnit; }
    /// The unit's set from a finished compare read; empty until one finished.
    const std::optional<ParameterImage>& compared() const { return m_compared; }

    void statusLine(LinkMessage message, bool ok, StatusColour colour) override;
    void statusVisible(bool visible) override;
    void gaugeProgress(int progress) override;
    void gaugeVisible(bool visible) override;
    void noConnection(bool shown) override;
    void unmatchedUnit() override;
    void imageChanged() override;
    void headerDecoded(const UnitHeaderTexts& texts) override;
    void monitorFrame(std::span<const std::uint8_t, kFrameSize> frame) override;
    void compareRead(const ParameterImage& unitSet) override;
    void fastLinkSwitchedOff() override;
    void fastMonitorFellBack() override;

private:
    CliConsole& m_console;
    ParameterImage& m_image;
    const MessageTexts& m_texts;
    FrameHandler m_onFrame;
    ConnectionHandler m_onConnection;
    std::function<void(const std::string&)> m_onFallback;
    bool m_unmatchedUnit = false;
    bool m_gaugeVisible = false;
    int m_gauge = 0;
    std::optional<ParameterImage> m_compared;
};

} // namespace kordana

#pragma once

#include "link/LinkEvents.h"

#include <functional>
#include <string>
#include <vector>

namespace kordana::test {

/// Keeps what a shell would show, plus a history of the calls that matter to the tests.
class RecordingEvents : public LinkEvents {
public:
    LinkView shown;
    std::vector<LinkView> lines; // every status line call, as shown after it
    std::vector<int> gauges;     // every gauge call
    int imageChanges = 0;
    int unmatched = 0;
    std::vector<UnitHeaderTexts> headers;
    std::vector<Frame> monitorFrames;
    std::vector<ParameterImage> compared;       // every compareRead
    std::vector<ParameterImage> verifyFailures; // every verifyFailed
    int fastLinkOffs = 0;                       // fastLinkSwitchedOff
    int monitorFallbacks = 0;                   // fastMonitorFellBack
    int noSavings = 0;                          // noSavingReported
    std::function<void()> onImageChanged;
    std::function<void()> onUnmatched;

    void statusLine(LinkMessage message, bool ok, StatusColour colour) override {
        shown.message = message;
        shown.ok = ok;
        shown.colour = colour;
        lines.push_back(shown);
    }
    void statusVisible(bool visible) override { shown.statusVisible = visible; }
    void gaugeProgress(int progress) override {
        shown.gauge = progress;
        gauges.push_back(progress);
    }
    void gaugeVisible(bool visible) override { shown.gaugeVisible = visible; }
    void noConnection(bool isShown) override { shown.noConnection = isShown; }
    void unmatchedUnit() override {
        ++unmatched;
        if (onUnmatched) {
            onUnmatched();
        }
    }
    void imageChanged() override {
        ++imageChanges;
        if (onImageChanged) {
            onImageChanged();
        }
    }
    void headerDecoded(const UnitHeaderTexts& texts) override { headers.push_back(texts); }
    void monitorFrame(std::span<const std::uint8_t, kFrameSize> frame) override {
        Frame copy{};
        std::copy(frame.begin(), frame.end(), copy.begin());
        monitorFrames.push_back(copy);
    }
    void compareRead(const ParameterImage& unitSet) override { compared.push_back(unitSet); }
    void verifyFailed(const ParameterImage& unitSet) override { verifyFailures.push_back(unitSet); }
    void fastLinkSwitchedOff() override { ++fastLinkOffs; }
    void fastMonitorFellBack() override { ++monitorFallbacks; }
    void noSavingReported() override { ++noSavings; }
};

} // namespace kordana::test

// Monitor frames with any content (made intact, as the link passes only intact ones on): the
// decoder and encoder agree, and the monitor panel's model keeps every gauge within 0..100 and
// every text well-formed and short enough for its label, frame after frame.

#include "FuzzInput.h"
#include "Utf8.h"

#include "monitor/MonitorDisplay.h"
#include "monitor/MonitorFrame.h"

#include <cstdio>
#include <optional>

using namespace kordana;

namespace {

std::optional<MonitorFrame> nextFrame(fuzz::FuzzInput& input) {
    Frame bytes{};
    const auto taken = input.bytes(kFrameSize);
    if (taken.empty()) {
        return std::nullopt;
    }
    std::copy(taken.begin(), taken.end(), bytes.begin());
    bytes[0] = kReplyMonitor;
    bytes[kFrameSize - 1] =
        frameCheckByte(std::span<const std::uint8_t, kFrameSize - 1>(bytes.data(), kFrameSize - 1));
    const std::optional<MonitorFrame> frame = decodeMonitorFrame(bytes);
    KORDANA_FUZZ_REQUIRE(frame.has_value());
    KORDANA_FUZZ_REQUIRE(decodeMonitorFrame(encodeMonitorFrame(*frame)) == frame);
    return frame;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    MonitorDisplay display;
    while (!input.empty()) {
        const std::uint8_t flags = input.byte();
        MonitorOptions options;
        options.extended = (flags & 1u) != 0;
        options.testMode = (flags & 2u) != 0;
        options.servoEnabled = (flags & 4u) != 0;
        options.textUnmatchedUnit = "Unit program version does not match!";
        const std::optional<MonitorFrame> frame = nextFrame(input);
        if (!frame) {
            break;
        }
        display.update(*frame, options);
        for (const MonitorGauge& gauge : display.gauges()) {
            KORDANA_FUZZ_REQUIRE(gauge.progress >= 0 && gauge.progress <= 100);
        }
        for (const MonitorLabel& label : display.labels()) {
            const long length = fuzz::utf8Length(label.text);
            if (length < 0 || length > 48) {
                std::fprintf(stderr, "%.*s: \"%s\"\n", static_cast<int>(label.objectName.size()),
                             label.objectName.data(), label.text.c_str());
            }
            KORDANA_FUZZ_REQUIRE(length >= 0 && length <= 96);
        }
    }
    return 0;
}

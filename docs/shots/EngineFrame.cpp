#include "EngineFrame.h"

#include "monitor/MonitorCsv.h"
#include "monitor/MonitorFrame.h"
#include "tools/unit-sim/lib/EngineDescription.h"
#include "tools/unit-sim/lib/UnitSimulator.h"

#include <algorithm>
#include <cstdio>

namespace kordana {

Frame simulatedEngineFrame(std::uint32_t ms) {
    UnitSimOptions options;
    options.engine = builtInEngine();
    options.monitorStepMs = 0;
    UnitSimulator unit(options);
    unit.advance(ms);
    return unit.monitorFrame();
}

namespace {

// The recording's timestamps: UTC with milliseconds, from a fixed afternoon.
std::string timestampAt(unsigned ms) {
    const unsigned s = 14 * 3600 + 3 * 60 + 11 + ms / 1000;
    char text[40];
    std::snprintf(text, sizeof text, "2026-12-08T%02u:%02u:%02u.%03uZ", s / 3600, s / 60 % 60,
                  s % 60, ms % 1000);
    return text;
}

} // namespace

std::string simulatedTrackLog(unsigned seconds, unsigned stepMs,
                              std::initializer_list<unsigned> markerSeconds) {
    UnitSimOptions options;
    options.engine = builtInEngine();
    options.engine->runningS = 900; // warm: no post-start correction
    options.profile.kind = ProfileChoice::Kind::Track;
    options.monitorStepMs = 0;
    UnitSimulator unit(options);
    std::string log = markedLogHeader() + "\n";
    unsigned marker = 0;
    for (unsigned ms = 0; ms <= seconds * 1000; ms += stepMs) {
        const Frame frame = unit.monitorFrame();
        if (const auto decoded = decodeMonitorFrame(frame)) {
            const bool marked = std::find(markerSeconds.begin(), markerSeconds.end(), ms / 1000) !=
                                    markerSeconds.end() &&
                                ms % 1000 < stepMs;
            log += markedLogRow(timestampAt(ms), ms, *decoded, marked ? ++marker : 0) + "\n";
        }
        unit.advance(stepMs);
    }
    return log;
}

} // namespace kordana

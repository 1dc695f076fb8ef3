#pragma once

// The set and the samples the analysis tests are computed by hand against.
//
// Every map's breakpoints are 1000, 1500, ..., 8000 rpm (stored 20 + 10 c), so 3000 rpm is
// column 4 and 3300 rpm column 5 (R = 66 is nearer 70 than 60). Injection cells hold 100
// (5000 us), ignition cells 30 degrees. Both rev limiters are at 10000 rpm, the last CHOKE time
// is 20 s, each cylinder's knock points are 3000, 4000, ... 7000 rpm with alarm levels of
// 2000 mV (cylinder 2: 1800 mV at its first point).

#include "analysis/AnalysisSample.h"
#include "params/ImageLayout.h"
#include "params/ParameterImage.h"

#include <cstdint>
#include <vector>

namespace kordana::analysis::test {

inline ParameterImage testSet() {
    ParameterImage image;
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        for (std::size_t c = 0; c < layout::kMapCols; ++c) {
            image[layout::mapRpm(page) + c] = static_cast<std::uint8_t>(20 + 10 * c);
        }
        for (std::size_t i = 0; i < 150; ++i) {
            image[layout::mapCells(page) + i] = page < 3 ? 30 : 100;
        }
    }
    image[layout::kLimiter] = 60;
    image[layout::kLimiter + 1] = 200;
    image[layout::kLimiter + 2] = 200;
    image[layout::kChoke + 3] = 20;
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t k = 0; k < 5; ++k) {
            image[layout::kRpmKnock + 5 * c + k] = static_cast<std::uint8_t>(60 + 20 * k);
            image[layout::kAlarm + 5 * c + k] = 100;
        }
    }
    image[layout::kAlarm + 5] = 90;
    return image;
}

/// A warm, running engine well after its start: 80 degC coolant, 20 degC air, 60 s running.
inline AnalysisSample sample(double seconds, std::uint16_t rpm, std::uint8_t throttle,
                             std::uint16_t lambdaMv) {
    AnalysisSample s;
    s.seconds = seconds;
    s.live.engineSpeed = rpm;
    s.live.throttleOpening = throttle;
    s.live.lambdaMv = lambdaMv;
    s.live.coolantByte = 180;
    s.live.airByte = 120;
    s.live.timeSinceStart = 600;
    return s;
}

/// `count` samples 125 ms apart from `start` at one operating point and lambda voltage.
inline std::vector<AnalysisSample> hold(std::size_t count, std::uint16_t rpm, std::uint8_t throttle,
                                        std::uint16_t lambdaMv, double start = 0.0) {
    std::vector<AnalysisSample> samples;
    for (std::size_t i = 0; i < count; ++i) {
        samples.push_back(sample(start + 0.125 * static_cast<double>(i), rpm, throttle, lambdaMv));
    }
    return samples;
}

/// The wideband voltage of a lambda with the default 0.5 at 0 V .. 1.5 at 5 V: 5000 (l - 0.5).
constexpr std::uint16_t wideMv(double lambda) {
    return static_cast<std::uint16_t>(5000.0 * (lambda - 0.5) + 0.5);
}

} // namespace kordana::analysis::test

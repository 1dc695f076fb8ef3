#include "tools/unit-sim/lib/DriveProfile.h"

#include <algorithm>

namespace kordana {

namespace {

using Kind = ProfileSegment::Kind;

constexpr std::uint32_t kIdleMs = 60000;
constexpr std::uint32_t kMoveMs = 500;
constexpr std::uint32_t kHoldMs = 4500;
constexpr std::size_t kLightRows = 3; // rows 1..3 (2, 5, 10 %) reach only the lower speeds
constexpr std::size_t kLightLastColumn = 9;
constexpr unsigned kPullFromRpm = 3000;
constexpr unsigned kOverrunToRpm = 1500;

unsigned between(unsigned from, unsigned to, std::uint64_t done, std::uint64_t total) {
    if (total == 0) {
        return to;
    }
    const auto f = static_cast<std::int64_t>(from);
    const auto t = static_cast<std::int64_t>(to);
    const auto d = static_cast<std::int64_t>(done);
    const auto n = static_cast<std::int64_t>(total);
    return static_cast<unsigned>(f + (t - f) * d / n);
}

} // namespace

DriveProfile::DriveProfile(std::vector<ProfileSegment> segments) : m_segments(std::move(segments)) {
    for (const ProfileSegment& s : m_segments) {
        m_starts.push_back(m_periodMs);
        m_periodMs += s.ms;
    }
}

DrivePoint DriveProfile::at(std::uint64_t ms) const {
    if (m_segments.empty()) {
        return {};
    }
    const std::uint64_t t = m_periodMs == 0 ? 0 : ms % m_periodMs;
    const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), t);
    const auto index = static_cast<std::size_t>(next - m_starts.begin()) - 1;
    const ProfileSegment& s = m_segments[index];
    if (s.kind == Kind::Hold) {
        return {s.rpm, s.throttle};
    }
    const ProfileSegment& from = m_segments[index == 0 ? 0 : index - 1];
    const std::uint64_t done = t - m_starts[index];
    return {between(from.rpm, s.rpm, done, s.ms), between(from.throttle, s.throttle, done, s.ms)};
}

std::vector<ProfileSegment> dynoSegments(std::span<const unsigned, 15> breakpoints,
                                         unsigned revLimitRpm) {
    std::vector<ProfileSegment> s{{Kind::Hold, breakpoints[0], 0, kIdleMs}};
    std::size_t held = 0; // breakpoints below the rev limiter
    while (held < breakpoints.size() && (revLimitRpm == 0 || breakpoints[held] < revLimitRpm)) {
        ++held;
    }
    const unsigned top = breakpoints[held == 0 ? 0 : held - 1];
    for (std::size_t row = 1; row < kProfileThrottleRows.size(); ++row) {
        const std::size_t columns = row <= kLightRows ? std::min(held, kLightLastColumn + 1) : held;
        for (std::size_t i = 0; i < columns; ++i) {
            const std::size_t col = row % 2 == 1 ? i : columns - 1 - i;
            s.push_back({Kind::Ramp, breakpoints[col], kProfileThrottleRows[row], kMoveMs});
            s.push_back({Kind::Hold, breakpoints[col], kProfileThrottleRows[row], kHoldMs});
        }
    }
    const unsigned light = kProfileThrottleRows[kLightRows];
    s.push_back({Kind::Ramp, breakpoints[std::min(held, kLightLastColumn + 1) - 1], light, 1000});
    s.push_back({Kind::Ramp, top, light, 3000});
    s.push_back({Kind::Ramp, kPullFromRpm, 100, 1000});
    s.push_back({Kind::Ramp, top, 100, 8000});
    s.push_back({Kind::Ramp, top, 0, 300});
    s.push_back({Kind::Ramp, kOverrunToRpm, 0, 5000});
    s.push_back({Kind::Ramp, breakpoints[0], 0, 1000});
    return s;
}

std::vector<ProfileSegment> trackSegments() {
    std::vector<ProfileSegment> s{{Kind::Hold, 3500, 20, 3000}};
    // Start and the straight: pulls through the gears, each shift a short drop in speed.
    s.push_back({Kind::Ramp, 4500, 100, 500});
    for (const unsigned shiftTo : {6000u, 6500u, 6800u, 7000u}) {
        s.push_back({Kind::Ramp, 8500, 100, 3000});
        s.push_back({Kind::Ramp, shiftTo, 30, 300});
        s.push_back({Kind::Ramp, shiftTo, 100, 200});
    }
    s.push_back({Kind::Ramp, 8700, 100, 2500});
    // Braking for the first corner on a closed throttle, then the corner and its exit.
    s.push_back({Kind::Ramp, 8400, 0, 300});
    s.push_back({Kind::Ramp, 4000, 0, 4000});
    s.push_back({Kind::Hold, 4000, 20, 3000});
    s.push_back({Kind::Ramp, 6000, 60, 3000});
    s.push_back({Kind::Ramp, 8000, 100, 3000});
    s.push_back({Kind::Ramp, 7500, 0, 300});
    s.push_back({Kind::Ramp, 5000, 0, 2500});
    // A fast sweeping bend on part throttle.
    s.push_back({Kind::Hold, 5000, 30, 4000});
    s.push_back({Kind::Ramp, 6500, 40, 4000});
    s.push_back({Kind::Hold, 6500, 40, 3000});
    s.push_back({Kind::Ramp, 8250, 80, 3000});
    s.push_back({Kind::Ramp, 8000, 0, 300});
    s.push_back({Kind::Ramp, 3500, 0, 4000});
    // The hairpin and the run back to the line.
    s.push_back({Kind::Hold, 3500, 10, 4000});
    s.push_back({Kind::Ramp, 7000, 100, 4000});
    s.push_back({Kind::Ramp, 8500, 100, 2500});
    s.push_back({Kind::Ramp, 8000, 0, 300});
    s.push_back({Kind::Ramp, 3500, 20, 4000});
    return s;
}

} // namespace kordana

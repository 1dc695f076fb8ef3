#pragma once

#include "tools/unit-sim/lib/EngineDescription.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kordana {

/// Engine speed and throttle at one moment of a drive.
struct DrivePoint {
    unsigned rpm = 0;
    unsigned throttle = 0; ///< %

    friend bool operator==(const DrivePoint&, const DrivePoint&) = default;
};

/// A drive: segments one after another from the first segment's point, repeated from the start
/// once the last has run. A ramp moves in a straight line from where the previous segment ended
/// (the first segment's own point for the first) to its point.
class DriveProfile {
public:
    explicit DriveProfile(std::vector<ProfileSegment> segments);

    /// Where the drive is `ms` after it started.
    DrivePoint at(std::uint64_t ms) const;
    /// How long one run through all segments takes, ms.
    std::uint64_t periodMs() const { return m_periodMs; }
    const std::vector<ProfileSegment>& segments() const { return m_segments; }

private:
    std::vector<ProfileSegment> m_segments;
    std::vector<std::uint64_t> m_starts; ///< start time of each segment
    std::uint64_t m_periodMs = 0;
};

/// The throttle openings (%) of the ten map rows.
inline constexpr std::array<unsigned, 10> kProfileThrottleRows{0,  2,  5,  10, 20,
                                                               30, 40, 60, 80, 100};

/// The dyno drive over the 15 breakpoints (rpm) of the maps: a minute at idle (breakpoint 0,
/// throttle closed) while the coolant warms; holds of 4.5 s at every breakpoint below
/// `revLimitRpm` on every throttle row from 2 % (up to breakpoint 9 only for 2..10 %, where a
/// light load does not reach the top speeds), reached by 0.5 s ramps and taken row by row up
/// and down the speeds; then a slow light-throttle ramp over the top speeds, a full-throttle
/// pull from 3000 rpm to the last held breakpoint, and an overrun back to idle.
std::vector<ProfileSegment> dynoSegments(std::span<const unsigned, 15> breakpoints,
                                         unsigned revLimitRpm);
/// The track drive: a lap of pulls through five gears, braking on a closed throttle, and
/// part-throttle corners; about 70 s a lap.
std::vector<ProfileSegment> trackSegments();

} // namespace kordana

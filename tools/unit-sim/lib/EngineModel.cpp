#include "tools/unit-sim/lib/EngineModel.h"

#include "params/DefaultSet.h"
#include "params/ImageLayout.h"

#include <algorithm>
#include <cmath>

namespace kordana {

namespace {

constexpr double kAirOnlyLambda = 10.0; // no fuel at all
constexpr unsigned kFuelCutRpm = 1600;
constexpr unsigned kRunningRpm = 500;
// Temperature bytes (temperature + 100) from which the next coolant correction row applies.
constexpr std::array<unsigned, 5> kCoolantThresholds{105, 135, 165, 195, 225};

// The nearest of increasing points to a value; exactly half-way, the lower.
std::size_t nearestIndex(std::span<const unsigned> points, unsigned value) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (2 * value > points[i - 1] + points[i]) {
            best = i;
        }
    }
    return best;
}

// The coolant correction row of a temperature (5: past the last row, no correction).
std::size_t coolantRow(double coolantC) {
    const double byte = std::round(coolantC) + 100;
    return static_cast<std::size_t>(
        std::ranges::count_if(kCoolantThresholds, [byte](unsigned t) { return byte >= t; }));
}

double coolantShare(const ParameterImage& memory, double coolantC) {
    const std::size_t row = coolantRow(coolantC);
    return row < 5 ? memory[layout::kWaterTemp + row] / 100.0 : 1.0;
}

// A cold engine needs more fuel (some of it wets the cold walls): 0.5 % per degree below
// 60 degC.
double coldNeed(double coolantC) {
    return 1.0 + 0.005 * std::max(0.0, 60.0 - coolantC);
}

// A triangle wave between 0 and `high` with the given period: the knock sensor's ripple.
unsigned ripple(std::uint64_t ms, std::uint64_t periodMs, unsigned high) {
    const std::uint64_t half = periodMs / 2;
    const std::uint64_t phase = ms % periodMs;
    const std::uint64_t rising = phase < half ? phase : periodMs - phase;
    return static_cast<unsigned>(rising * high / half);
}

ParameterImage presetZero() {
    ParameterImage image;
    image[layout::kBike] = 0;
    applyDefaultSet(image);
    return image;
}

} // namespace

double widebandMillivolts(double lambda) {
    return std::clamp((lambda - 0.5) * 5000.0, 0.0, 5000.0);
}

double narrowbandMillivolts(double lambda) {
    return 100.0 + 800.0 / (1.0 + std::exp((lambda - 1.0) * 40.0));
}

LambdaSensorPath::LambdaSensorPath(unsigned delayMs, unsigned lagMs, double initial)
    : m_transit(delayMs / EngineModel::kStepMs, initial),
      m_keep(lagMs == 0 ? 0.0 : std::exp(-static_cast<double>(EngineModel::kStepMs) / lagMs)),
      m_output(initial) {}

double LambdaSensorPath::step(double lambdaAtCylinders) {
    double arriving = lambdaAtCylinders;
    if (!m_transit.empty()) {
        m_transit.push_back(lambdaAtCylinders);
        arriving = m_transit.front();
        m_transit.pop_front();
    }
    m_output = m_keep * m_output + (1.0 - m_keep) * arriving;
    return m_output;
}

EngineCell engineCell(const ParameterImage& memory, std::size_t page, unsigned rpm,
                      unsigned throttle) {
    // Speeds count in the breakpoints' unit of 50 rpm, truncated, as the cursor counts them.
    std::array<unsigned, 15> breakpoints{};
    for (std::size_t c = 0; c < breakpoints.size(); ++c) {
        breakpoints[c] = memory[layout::mapRpm(page) + c];
    }
    return {nearestIndex(kProfileThrottleRows, throttle), nearestIndex(breakpoints, rpm / 50u)};
}

EngineModel::EngineModel(EngineDescription engine, DriveProfile profile, std::uint32_t seed,
                         const ParameterImage& memory)
    : m_engine(std::move(engine)), m_profile(std::move(profile)), m_dice(seed),
      m_sensor(m_engine.delayMs, m_engine.lagMs, 1.0) {
    const ParameterImage preset = presetZero();
    // Preset 0 runs at the tuned lambda when warm: its cells with its warm coolant correction.
    const double warmShare = coolantShare(preset, m_engine.coolantWarmC);
    for (std::size_t n = 0; n < 3; ++n) {
        for (std::size_t cell = 0; cell < kEngineCells; ++cell) {
            const double delivered =
                preset[layout::mapCells(3 + n) + cell] + preset[layout::mapCells(6 + n) + cell];
            m_need[n][cell] = delivered * warmShare * m_engine.tunedLambda[cell / 15] *
                              (1.0 + m_engine.fuelError[cell]);
        }
    }
    for (std::size_t cell = 0; cell < kEngineCells; ++cell) {
        m_presetAdvance[cell] = preset[layout::mapCells(0) + cell];
    }
    const std::uint64_t since = m_engine.runningS * 1000ull;
    const double lambda = cylinderLambda(memory, m_profile.at(0), coolantAt(since), since);
    m_sensor = LambdaSensorPath(m_engine.delayMs, m_engine.lagMs, lambda);
    m_readings = readingsAt(0, memory, lambda);
}

double EngineModel::coolantAt(std::uint64_t sinceStartMs) const {
    const double t = static_cast<double>(sinceStartMs) / 1000.0;
    return m_engine.coolantWarmC -
           (m_engine.coolantWarmC - m_engine.coolantStartC) * std::exp(-t / m_engine.warmUpS);
}

double EngineModel::postStartShare(const ParameterImage& memory, std::uint64_t sinceStartMs,
                                   double coolantC) {
    // Five points: time 0 and CHOKE[0..2] with the corrections CHOKE[4..7] (stored as the
    // percent above 100), and CHOKE[3] with none; straight between them.
    std::array<double, 5> times{0};
    std::array<double, 5> shares{};
    for (std::size_t i = 0; i < 4; ++i) {
        times[i + 1] = memory[layout::kChoke + i];
        shares[i] = memory[layout::kChoke + 4 + i] / 100.0;
    }
    const double t = static_cast<double>(sinceStartMs) / 1000.0;
    double share = 0;
    for (std::size_t i = 0; i + 1 < times.size(); ++i) {
        if (t >= times[i] && t < times[i + 1]) {
            share = shares[i] +
                    (shares[i + 1] - shares[i]) * (t - times[i]) / (times[i + 1] - times[i]);
        }
    }
    // The amounts are those of -10 degC; from 80 degC on a third of them.
    const double warmth = std::clamp((coolantC + 10.0) / 90.0, 0.0, 1.0);
    return share * (1.0 - 2.0 / 3.0 * warmth);
}

bool EngineModel::fuelCut(DrivePoint point) {
    return point.throttle <= 1 && point.rpm >= kFuelCutRpm;
}

double EngineModel::cylinderLambda(const ParameterImage& memory, DrivePoint point, double coolantC,
                                   std::uint64_t sinceStartMs) const {
    if (fuelCut(point)) {
        return kAirOnlyLambda;
    }
    const double enrich =
        coolantShare(memory, coolantC) * (1.0 + postStartShare(memory, sinceStartMs, coolantC));
    double need = 0;
    double delivered = 0;
    for (std::size_t n = 0; n < 3; ++n) {
        const EngineCell a = engineCell(memory, 3 + n, point.rpm, point.throttle);
        const EngineCell b = engineCell(memory, 6 + n, point.rpm, point.throttle);
        need += m_need[n][a.index()];
        delivered += (memory[layout::mapCells(3 + n) + a.index()] +
                      memory[layout::mapCells(6 + n) + b.index()]) *
                     enrich;
    }
    if (delivered <= 0) {
        return kAirOnlyLambda;
    }
    return std::min(kAirOnlyLambda, need * coldNeed(coolantC) / delivered);
}

double EngineModel::steadyLambda(const ParameterImage& memory, DrivePoint point) const {
    return cylinderLambda(memory, point, m_engine.coolantWarmC, 86400000ull);
}

int EngineModel::knockLimitDeg(std::size_t cylinder, std::size_t cell) const {
    return m_presetAdvance[cell] + m_engine.knockOffsetDeg[cylinder][cell];
}

double EngineModel::noise() {
    // Two uniform draws make a triangular spread of at most the noise share either way.
    const double u = (static_cast<double>(m_dice()) + static_cast<double>(m_dice())) / 4294967296.0;
    return m_engine.noisePct / 100.0 * (u - 1.0);
}

EngineReadings EngineModel::readingsAt(std::uint64_t timeMs, const ParameterImage& memory,
                                       double lambda) {
    EngineReadings r;
    r.point = m_profile.at(timeMs);
    r.sinceStartMs = m_engine.runningS * 1000ull + timeMs;
    r.coolantC = coolantAt(r.sinceStartMs);
    const double read = lambda * (1.0 + noise());
    r.lambdaMv = static_cast<std::uint16_t>(
        std::lround(m_engine.sensor == EngineSensorKind::Wideband ? widebandMillivolts(read)
                                                                  : narrowbandMillivolts(read)));
    r.postStartTenths = static_cast<unsigned>(
        std::lround(1000.0 * postStartShare(memory, r.sinceStartMs, r.coolantC)));
    r.coolantPercent = static_cast<unsigned>(std::lround(100.0 * coolantShare(memory, r.coolantC)));
    const bool running = r.point.rpm >= kRunningRpm && !fuelCut(r.point);
    for (std::size_t c = 0; c < 3; ++c) {
        const EngineCell cell = engineCell(memory, c, r.point.rpm, r.point.throttle);
        const int advance = memory[layout::mapCells(c) + cell.index()];
        const int over = advance - knockLimitDeg(c, cell.index());
        unsigned alarmTop = 0;
        for (std::size_t k = 0; k < 5; ++k) {
            alarmTop = std::max<unsigned>(alarmTop, memory[layout::kAlarm + 5 * c + k] * 20u);
        }
        r.knockAlarm[c] = running && over > 0;
        const unsigned level = r.knockAlarm[c]
                                   ? alarmTop + 300u + 150u * static_cast<unsigned>(over)
                                   : 150u + r.point.rpm / 30u + ripple(timeMs + 700 * c, 1300, 40);
        r.knockMv[c] = static_cast<std::uint16_t>(std::min(level, 4900u));
    }
    return r;
}

void EngineModel::advanceTo(std::uint64_t clockMs, const ParameterImage& memory) {
    while (m_timeMs + kStepMs <= clockMs) {
        m_timeMs += kStepMs;
        const DrivePoint point = m_profile.at(m_timeMs);
        const std::uint64_t since = m_engine.runningS * 1000ull + m_timeMs;
        const double atCylinders = cylinderLambda(memory, point, coolantAt(since), since);
        m_readings = readingsAt(m_timeMs, memory, m_sensor.step(atCylinders));
    }
}

} // namespace kordana

#include "tools/unit-sim/lib/UnitMonitor.h"

#include "params/ImageLayout.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kordana {

namespace {

using Data = std::array<std::uint8_t, kFrameDataSize>;

constexpr std::array<unsigned, 10> kRowThrottle = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};

// A triangle wave between low and high with the given period.
unsigned triangle(std::uint64_t clockMs, std::uint64_t periodMs, unsigned low, unsigned high) {
    const std::uint64_t half = periodMs / 2;
    const std::uint64_t phase = clockMs % periodMs;
    const std::uint64_t rising = phase < half ? phase : periodMs - phase;
    return low + static_cast<unsigned>(rising * (high - low) / half);
}

// Converter reading of a voltage: 10 bits over 5 V.
unsigned rawFromMillivolts(unsigned mv) {
    return mv * 1023u / 5000u;
}

// Monitor frame byte `at` is data byte at - 1.
void put8(Data& data, std::size_t at, unsigned value) {
    data.at(at - 1) = static_cast<std::uint8_t>(std::min(value, 255u));
}

void put16(Data& data, std::size_t at, unsigned value) {
    const unsigned v = std::min(value, 65535u);
    data.at(at - 1) = static_cast<std::uint8_t>(v & 0xFFu);
    data.at(at) = static_cast<std::uint8_t>(v >> 8);
}

// Column of the breakpoint at or below rpm in a row of 15 breakpoints (50 rpm steps).
std::size_t columnAt(const ParameterImage& memory, std::size_t row, unsigned rpm) {
    std::size_t col = 0;
    for (std::size_t c = 0; c < layout::kMapCols; ++c) {
        if (rpm >= memory[row + c] * 50u) {
            col = c;
        }
    }
    return col;
}

std::size_t throttleRow(unsigned throttle) {
    std::size_t row = 0;
    for (std::size_t r = 0; r < kRowThrottle.size(); ++r) {
        if (throttle >= kRowThrottle[r]) {
            row = r;
        }
    }
    return row;
}

// The sweep reads the cell at or below the point; an engine the nearest cell.
unsigned mapValue(const ParameterImage& memory, std::size_t page, unsigned rpm, unsigned tps,
                  bool nearest) {
    if (nearest) {
        return memory[layout::mapCells(page) + engineCell(memory, page, rpm, tps).index()];
    }
    const std::size_t col = columnAt(memory, layout::mapRpm(page), rpm);
    return memory[layout::mapCell(page, throttleRow(tps), col)];
}

// Correction in 0.1 % above 100 % of a table entry; the unit reports no negative amounts.
unsigned correctionAbove100(std::uint8_t percent) {
    return percent > 100 ? (percent - 100u) * 10u : 0u;
}

void putMaps(Data& data, const ParameterImage& memory, unsigned rpm, unsigned tps, bool nearest) {
    constexpr std::array<std::size_t, 3> advanceAt = {71, 73, 75};
    for (std::size_t page = 0; page < 3; ++page) {
        put16(data, advanceAt[page], mapValue(memory, page, rpm, tps, nearest) * 100u);
    }
    // Pages 3..8 are JET_1A, 2A, 3A, 1B, 2B, 3B; the frame orders them 1A 1B 2A 2B .. 3A 3B.
    constexpr std::array<std::size_t, 6> injectionAt = {19, 23, 77, 21, 25, 79};
    for (std::size_t i = 0; i < 6; ++i) {
        put16(data, injectionAt[i], mapValue(memory, 3 + i, rpm, tps, nearest) * 50u);
    }
    const std::size_t colA = columnAt(memory, layout::kPositionA, rpm);
    const std::size_t colB = columnAt(memory, layout::kPositionB, rpm);
    put16(data, 81, memory[layout::kPositionA + 15 + colA] * 5u);
    put16(data, 83, memory[layout::kPositionB + 15 + colB] * 5u);
    if (memory[layout::kServoEnable] != 0) {
        const std::size_t col = columnAt(memory, layout::kRpmServo, rpm);
        const unsigned desired = rawFromMillivolts(memory[layout::kVoltServo + col] * 20u);
        put16(data, 29, desired);
        put16(data, 27, desired + 1);
    }
}

void putSensors(Data& data, const ParameterImage& memory, std::uint64_t clockMs, unsigned tps) {
    const unsigned tps0 = memory[layout::kTps] * 10u;
    const unsigned tps100 = (memory[layout::kTps + 1] + 250u) * 10u;
    const unsigned tpsMv = tps0 + (tps100 > tps0 ? (tps100 - tps0) * tps / 100u : 0u);
    const unsigned pressure = triangle(clockMs, 5000, 985, 1015); // 0.1 kPa
    put16(data, 3, rawFromMillivolts(pressure * 2));              // 2 V at 100 kPa
    put16(data, 5, pressure);
    put16(data, 9, rawFromMillivolts(tpsMv));
    put16(data, 11, rawFromMillivolts(triangle(clockMs, 2200, 400, 1000)));
    put16(data, 13, rawFromMillivolts(2000));       // coolant sensor at 80 degrees C
    put16(data, 15, rawFromMillivolts(3000));       // inlet air sensor at 25 degrees C
    put16(data, 17, rawFromMillivolts(13500 / 11)); // 13.5 V supply
    put8(data, 51, tps);
    put8(data, 53, 180);
    put8(data, 54, 125);
    put8(data, 70, memory[layout::kTempWarning] <= 80 ? 1 : 0);
}

void putCorrections(Data& data, const ParameterImage& memory, std::uint64_t clockMs) {
    put16(data, 85, correctionAbove100(memory[layout::kWaterTemp + 3]));
    put16(data, 87, correctionAbove100(memory[layout::kAirTemp + 1]));
    std::size_t k = 0;
    for (std::size_t i = 0; i < 10; ++i) {
        if (memory[layout::kDruck + i] <= 100) {
            k = i;
        }
    }
    put16(data, 89, correctionAbove100(memory[layout::kDruck + 10 + k]));
    const std::uint64_t seconds = clockMs / 1000;
    unsigned starting = 0;
    for (std::size_t i = 4; i-- > 0;) {
        if (seconds < memory[layout::kChoke + i]) {
            starting = memory[layout::kChoke + 4 + i] * 10u;
        }
    }
    put16(data, 91, starting);
    put16(data, 93, 1000); // no voltage correction at 13.5 V
}

void putStates(Data& data, const ParameterImage& memory, unsigned rpm, std::uint64_t clockMs) {
    put8(data, 56, rpm >= memory[layout::kLimiter + 1] * 50u ? 1 : 0);
    put8(data, 57, rpm >= memory[layout::kLimiter + 2] * 50u ? 1 : 0);
    for (std::size_t out = 0; out < 3; ++out) {
        const bool on = rpm >= memory[layout::powerOut(3 * out)] * 50u;
        const bool reverse = memory[layout::powerOut(3 * out + 2)] != 0;
        put8(data, 59 + out, on != reverse ? 1 : 0);
    }
    put8(data, 63, 1); // servo in order
    const unsigned knockBase = 150 + rpm / 30;
    for (std::size_t cyl = 0; cyl < 3; ++cyl) {
        put16(data, 95 + 2 * cyl, knockBase + triangle(clockMs + 700 * cyl, 1300, 0, 40));
    }
    put16(data, 49, static_cast<unsigned>(std::min<std::uint64_t>(clockMs / 100, 65535)));
}

// What an engine gives the inputs: lambda, coolant (sensor voltage falling 25 mV a degree from
// 4000 mV at 0 degC), time since start, the corrections it ran with, knock per cylinder.
void putEngine(Data& data, const EngineReadings& engine) {
    put16(data, 11, rawFromMillivolts(engine.lambdaMv));
    const int coolant = static_cast<int>(std::lround(engine.coolantC));
    put16(data, 13,
          rawFromMillivolts(static_cast<unsigned>(std::clamp(4000 - 25 * coolant, 0, 5000))));
    put8(data, 53, static_cast<unsigned>(std::clamp(coolant + 100, 1, 255)));
    put16(data, 49,
          static_cast<unsigned>(std::min<std::uint64_t>(engine.sinceStartMs / 100, 65535)));
    put16(data, 85, engine.coolantPercent > 100 ? (engine.coolantPercent - 100u) * 10u : 0u);
    put16(data, 91, engine.postStartTenths);
    for (std::size_t cyl = 0; cyl < 3; ++cyl) {
        put8(data, 67 + cyl, engine.knockAlarm[cyl] ? 1 : 0);
        put16(data, 95 + 2 * cyl, rawFromMillivolts(engine.knockMv[cyl]));
    }
}

} // namespace

std::uint16_t sweepRpm(std::uint64_t clockMs) {
    return static_cast<std::uint16_t>(triangle(clockMs, 40000, 800, 9000));
}

std::uint8_t sweepThrottle(std::uint64_t clockMs) {
    return static_cast<std::uint8_t>(triangle(clockMs, 14000, 0, 100));
}

std::array<std::uint8_t, kFrameDataSize> composeMonitorData(const ParameterImage& memory,
                                                            const UnitRunState& state) {
    Data data{};
    const unsigned rpm = state.engine ? state.engine->point.rpm : sweepRpm(state.clockMs);
    const unsigned tps = state.engine ? state.engine->point.throttle : sweepThrottle(state.clockMs);
    put16(data, 1, rpm);
    put16(data, 7, state.savingCount);
    put16(data, 31, state.programmings);
    put8(data, 62, state.programVersion);
    putSensors(data, memory, state.clockMs, tps);
    putMaps(data, memory, rpm, tps, state.engine != nullptr);
    putCorrections(data, memory, state.clockMs);
    putStates(data, memory, rpm, state.clockMs);
    if (state.engine) {
        putEngine(data, *state.engine);
    }
    return data;
}

} // namespace kordana

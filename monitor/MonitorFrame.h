#pragma once

#include "link/Frame.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace kordana {

/// Every field of the unit's live-data reply (command 0xB0), 16-bit values already assembled.
/// "Raw" fields are converter readings; rawToMillivolts() turns them into millivolts.
struct MonitorFrame {
    std::uint8_t command = kReplyMonitor;
    std::uint16_t engineSpeed = 0; ///< rpm
    std::uint16_t pressureRaw = 0; ///< pressure sensor reading
    std::uint16_t pressure = 0;    ///< 0.1 kPa
    std::uint16_t savingCount = 0; ///< 0 = the unit is not saving
    std::uint16_t throttleRaw = 0; ///< throttle sensor reading
    std::uint16_t lambdaRaw = 0;   ///< lambda sensor reading
    std::uint16_t coolantRaw = 0;  ///< coolant temperature sensor reading
    std::uint16_t airRaw = 0;      ///< inlet air temperature sensor reading
    std::uint16_t supplyRaw = 0;   ///< supply voltage input reading (supply = 11 x input)
    std::array<std::uint16_t, 6> injectionTime{}; ///< us, channels 1A, 1B, 2A, 2B, 3A, 3B
    std::uint16_t servoMeasuredRaw = 0;
    std::uint16_t servoDesiredRaw = 0;
    std::uint16_t programmingCount = 0;
    std::array<std::uint16_t, 8> testValue{};
    std::uint16_t timeSinceStart = 0;
    std::uint8_t throttleOpening = 0; ///< %, above 100 = sensor error
    std::uint8_t coolantByte = 0;     ///< temperature + 100 degC, 0 = sensor error
    std::uint8_t airByte = 0;         ///< temperature + 100 degC, 0 = sensor error
    std::uint8_t startLimiter = 0;    ///< non-zero = active
    std::uint8_t speedFlagA = 0;
    std::uint8_t speedFlagB = 0;
    std::array<std::uint8_t, 3> powerOut{}; ///< non-zero = switched
    std::uint8_t version = 0;               ///< unit program version
    std::uint8_t servoInOrder = 0;          ///< non-zero = in order
    std::uint8_t dataError = 0;             ///< non-zero = programmed-data error
    std::uint8_t tachoLambda = 0;           ///< non-zero = tacho input, 0 = lambda input
    std::uint8_t oilPressureError = 0;
    std::array<std::uint8_t, 3> knockAlarm{};
    std::uint8_t coolantWarning = 0;
    std::array<std::uint16_t, 3> advance{}; ///< 0.01 deg, 0 = base advance
    std::uint16_t positionA = 0;            ///< degrees
    std::uint16_t positionB = 0;            ///< degrees
    std::uint16_t coolantCorrection = 0;    ///< 0.1 %
    std::uint16_t airCorrection = 0;        ///< 0.1 %
    std::uint16_t pressureCorrection = 0;   ///< 0.1 %
    std::uint16_t startCorrection = 0;      ///< 0.1 %
    std::uint16_t voltageCorrection = 0;    ///< us + 1000
    std::array<std::uint16_t, 3> knockRaw{};

    friend bool operator==(const MonitorFrame&, const MonitorFrame&) = default;
};

/// Converter reading to millivolts (raw x 5000 / 1023, truncated); wide enough for any reading.
constexpr std::uint32_t rawToMillivolts(std::uint16_t raw) {
    return static_cast<std::uint32_t>(raw) * 5000u / 1023u;
}

/// Decodes a received monitor reply; nullopt when byte 0's upper nibble is not 0xB or the
/// frame is damaged (xor of all 102 bytes not 0xFF).
std::optional<MonitorFrame> decodeMonitorFrame(std::span<const std::uint8_t, kFrameSize> bytes);
/// How many frames decodeMonitorFrame() has been given in this process: a frame that reaches
/// every listener decoded once adds one, whoever listens.
std::uint64_t monitorFrameDecodeCount();

/// Lays a monitor frame out as the unit sends it, check byte included (simulator, tests).
Frame encodeMonitorFrame(const MonitorFrame& frame);

} // namespace kordana

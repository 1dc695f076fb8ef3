#include "monitor/MonitorFrame.h"

#include <atomic>

namespace kordana {

namespace {

std::atomic<std::uint64_t> g_decodeCount{0};

// Reads fields out of the frame bytes.
struct FrameReader {
    std::span<const std::uint8_t, kFrameSize> bytes;
    void u8(std::size_t at, std::uint8_t& field) const { field = bytes[at]; }
    void u16(std::size_t at, std::uint16_t& field) const {
        field = static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
    }
};

// Writes fields into the frame bytes.
struct FrameWriter {
    Frame& bytes;
    void u8(std::size_t at, const std::uint8_t& field) const { bytes[at] = field; }
    void u16(std::size_t at, const std::uint16_t& field) const {
        bytes[at] = static_cast<std::uint8_t>(field & 0xFFu);
        bytes[at + 1] = static_cast<std::uint8_t>(field >> 8);
    }
};

// The one description of where each field lives, walked by both the reader and the writer.
template <typename Io, typename Fields>
void walkLayout(const Io& io, Fields& f) {
    io.u8(0, f.command);
    io.u16(1, f.engineSpeed);
    io.u16(3, f.pressureRaw);
    io.u16(5, f.pressure);
    io.u16(7, f.savingCount);
    io.u16(9, f.throttleRaw);
    io.u16(11, f.lambdaRaw);
    io.u16(13, f.coolantRaw);
    io.u16(15, f.airRaw);
    io.u16(17, f.supplyRaw);
    for (std::size_t i = 0; i < 4; ++i) { // 1A, 1B, 2A, 2B
        io.u16(19 + 2 * i, f.injectionTime[i]);
    }
    io.u16(27, f.servoMeasuredRaw);
    io.u16(29, f.servoDesiredRaw);
    io.u16(31, f.programmingCount);
    for (std::size_t i = 0; i < f.testValue.size(); ++i) {
        io.u16(33 + 2 * i, f.testValue[i]);
    }
    io.u16(49, f.timeSinceStart);
    io.u8(51, f.throttleOpening);
    io.u8(53, f.coolantByte);
    io.u8(54, f.airByte);
    io.u8(55, f.startLimiter);
    io.u8(56, f.speedFlagA);
    io.u8(57, f.speedFlagB);
    for (std::size_t i = 0; i < 3; ++i) {
        io.u8(59 + i, f.powerOut[i]);
        io.u8(67 + i, f.knockAlarm[i]);
        io.u16(71 + 2 * i, f.advance[i]);
        io.u16(95 + 2 * i, f.knockRaw[i]);
    }
    io.u8(62, f.version);
    io.u8(63, f.servoInOrder);
    io.u8(64, f.dataError);
    io.u8(65, f.tachoLambda);
    io.u8(66, f.oilPressureError);
    io.u8(70, f.coolantWarning);
    io.u16(77, f.injectionTime[4]); // 3A
    io.u16(79, f.injectionTime[5]); // 3B
    io.u16(81, f.positionA);
    io.u16(83, f.positionB);
    io.u16(85, f.coolantCorrection);
    io.u16(87, f.airCorrection);
    io.u16(89, f.pressureCorrection);
    io.u16(91, f.startCorrection);
    io.u16(93, f.voltageCorrection);
}

} // namespace

std::optional<MonitorFrame> decodeMonitorFrame(std::span<const std::uint8_t, kFrameSize> bytes) {
    g_decodeCount.fetch_add(1, std::memory_order_relaxed);
    if ((bytes[0] >> 4) != (kReplyMonitor >> 4) || !frameIntact(bytes)) {
        return std::nullopt;
    }
    MonitorFrame frame;
    walkLayout(FrameReader{bytes}, frame);
    return frame;
}

std::uint64_t monitorFrameDecodeCount() {
    return g_decodeCount.load(std::memory_order_relaxed);
}

Frame encodeMonitorFrame(const MonitorFrame& frame) {
    Frame bytes{};
    walkLayout(FrameWriter{bytes}, frame);
    bytes[kFrameSize - 1] =
        frameCheckByte(std::span<const std::uint8_t, kFrameSize - 1>(bytes.data(), kFrameSize - 1));
    return bytes;
}

} // namespace kordana

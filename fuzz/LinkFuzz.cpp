// The link protocol against a unit whose replies arrive whole, damaged, replaced by arbitrary
// bytes, late or not at all, tick by tick as the input decides. Whatever arrives, the link
// reports success only with evidence on the line: "Verify OK" only when an intact verify reply
// equal to the set was received for every block 1..19, and a programming run only counts as
// done when an intact echo equal to the set came back for every block 1..19.

#include "FuzzInput.h"

#include "link/LinkEvents.h"
#include "link/LinkProtocol.h"
#include "link/Port.h"
#include "params/ImageLayout.h"
#include "tools/unit-sim/lib/UnitSimulator.h"

#include <algorithm>
#include <deque>
#include <vector>

using namespace kordana;

namespace {

constexpr std::size_t kBlocks = kImageSize / kBlockSize;

// The line between the link and the unit: what the link writes reaches the unit at once;
// what the unit answers waits until the input says how it arrives.
class Line final : public Port {
public:
    explicit Line(UnitSimulator& unit) : m_unit(unit) {}

    std::size_t bytesWaiting() override { return m_toLink.size(); }
    std::size_t read(std::span<std::uint8_t> buffer) override {
        const std::size_t n = std::min(buffer.size(), m_toLink.size());
        std::copy_n(m_toLink.begin(), n, buffer.begin());
        m_toLink.erase(m_toLink.begin(), m_toLink.begin() + static_cast<std::ptrdiff_t>(n));
        return n;
    }
    bool write(std::span<const std::uint8_t> bytes) override {
        m_unit.receive(bytes);
        return true;
    }

    void deliver(std::span<const std::uint8_t> bytes) {
        m_toLink.insert(m_toLink.end(), bytes.begin(), bytes.end());
        delivered.insert(delivered.end(), bytes.begin(), bytes.end());
    }

    /// Every byte handed to the link since the transfer started.
    std::vector<std::uint8_t> delivered;

private:
    UnitSimulator& m_unit;
    std::deque<std::uint8_t> m_toLink;
};

class Events final : public LinkEvents {
public:
    void statusLine(LinkMessage message, bool ok, StatusColour) override {
        if (message == LinkMessage::Verify && ok) {
            ++verifyOk;
        }
    }
    void statusVisible(bool) override {}
    void gaugeProgress(int progress) override {
        KORDANA_FUZZ_REQUIRE(progress >= 0 && progress <= kGaugeMax);
    }
    void gaugeVisible(bool) override {}
    void noConnection(bool) override {}
    void unmatchedUnit() override {}
    void imageChanged() override {}
    void headerDecoded(const UnitHeaderTexts&) override {}
    void monitorFrame(std::span<const std::uint8_t, kFrameSize> frame) override {
        KORDANA_FUZZ_REQUIRE(frame[0] == kReplyMonitor && frameIntact(frame));
    }

    int verifyOk = 0;
};

// True when an intact frame with `command` whose data equals block n of `image` (the verify
// ignores the RPM2 byte) appears anywhere in `bytes`, at any offset.
bool evidence(const std::vector<std::uint8_t>& bytes, std::uint8_t command,
              const ParameterImage& image, std::size_t n, bool ignoreRpm2) {
    if (bytes.size() < kFrameSize) {
        return false;
    }
    for (std::size_t at = 0; at + kFrameSize <= bytes.size(); ++at) {
        const std::span<const std::uint8_t, kFrameSize> frame(bytes.data() + at, kFrameSize);
        if (frame[0] != command || !frameIntact(frame)) {
            continue;
        }
        bool equal = true;
        for (std::size_t k = 0; k < kBlockSize && equal; ++k) {
            const std::size_t index = n * kBlockSize + k;
            equal = frame[1 + k] == image.bytes[index] || (ignoreRpm2 && index == layout::kRpm2);
        }
        if (equal) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    UnitSimOptions options;
    options.monitorStepMs = 0;
    UnitSimulator unit(options);
    ParameterImage image = unit.memory();
    const auto header = unit.header();
    std::copy(header.begin(), header.end(), image.bytes.begin());
    // A set of our own to program, differing from the unit's in one chosen byte.
    const std::uint8_t start = input.byte();
    const std::size_t changed = kBlockSize + (input.byte() * 7u) % (kImageSize - kBlockSize);
    image.bytes[changed] = static_cast<std::uint8_t>(image.bytes[changed] + 1 + start / 3);

    Line line(unit);
    Events events;
    LinkProtocol link(image, line, events);
    switch (start % 3) {
    case 0:
        link.startProgram();
        break;
    case 1:
        link.startVerify();
        break;
    default:
        link.startRead();
        break;
    }

    bool programmedSeen = false;
    int ticks = 0;
    while (!input.empty() && ticks < 600) {
        ++ticks;
        const std::uint8_t action = input.byte();
        unit.advance(55);
        std::vector<std::uint8_t> reply = unit.takeOutput();
        switch (action % 6) {
        case 0:
        case 1:
            line.deliver(reply);
            break;
        case 2: // one byte of the reply altered
            if (!reply.empty()) {
                reply[input.byte() % reply.size()] ^= static_cast<std::uint8_t>(input.byte() | 1u);
            }
            line.deliver(reply);
            break;
        case 3: // arbitrary bytes instead
            line.deliver(input.bytes(input.byte() % 110u));
            break;
        case 4: // cut short
            line.deliver(std::span(reply).first(std::min<std::size_t>(reply.size(), input.byte())));
            break;
        default: // lost
            break;
        }
        const int verifiedBefore = events.verifyOk;
        link.tick();
        KORDANA_FUZZ_REQUIRE(link.view().gauge >= 0 && link.view().gauge <= kGaugeMax);
        if (link.programmed() && !programmedSeen) {
            programmedSeen = true;
            for (std::size_t n = 1; n < kBlocks; ++n) {
                KORDANA_FUZZ_REQUIRE(evidence(
                    line.delivered, replyCommand(static_cast<std::uint8_t>(kCmdProgram + n)), image,
                    n, false));
            }
        }
        if (events.verifyOk > verifiedBefore) {
            for (std::size_t n = 1; n < kBlocks; ++n) {
                KORDANA_FUZZ_REQUIRE(evidence(line.delivered,
                                              replyCommand(static_cast<std::uint8_t>(kCmdRead + n)),
                                              image, n, true));
            }
        }
    }
    return 0;
}

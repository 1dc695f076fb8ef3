// The simulated unit's request parser on any byte stream, in any pieces, with the clock
// moving between them: a sound unit answers only intact requests, only with whole intact
// frames, at most one per request.

#include "FuzzInput.h"

#include "tools/unit-sim/lib/UnitSimulator.h"

#include <vector>

using namespace kordana;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    UnitSimOptions options;
    options.monitorStepMs = 0;
    options.savingMs = 50;
    UnitSimulator unit(options);
    std::vector<std::uint8_t> output;
    while (!input.empty()) {
        const std::uint8_t step = input.byte();
        const auto piece = input.bytes(step % 128u);
        unit.receive(piece);
        unit.advance(step / 8u);
        const std::vector<std::uint8_t> out = unit.takeOutput();
        output.insert(output.end(), out.begin(), out.end());
    }
    KORDANA_FUZZ_REQUIRE(output.size() % kFrameSize == 0);
    KORDANA_FUZZ_REQUIRE(output.size() / kFrameSize == unit.stats().replies);
    KORDANA_FUZZ_REQUIRE(unit.stats().replies <= unit.stats().requests);
    for (std::size_t at = 0; at < output.size(); at += kFrameSize) {
        KORDANA_FUZZ_REQUIRE(
            frameIntact(std::span<const std::uint8_t, kFrameSize>(output.data() + at, kFrameSize)));
    }
    return 0;
}

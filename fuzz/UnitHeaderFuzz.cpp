// The unit header decoder on any 100 bytes: the texts are well-formed UTF-8 of the lengths the
// misc page has room for.

#include "FuzzInput.h"
#include "Utf8.h"

#include "link/UnitHeader.h"

#include <array>
#include <cstring>

using namespace kordana;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, kBlockSize> header{};
    std::memcpy(header.data(), data, size < header.size() ? size : header.size());
    const UnitHeaderTexts texts = DecodeUnitHeader(header);
    const long version = fuzz::utf8Length(texts.version);
    KORDANA_FUZZ_REQUIRE(version >= 0 && version <= 30);
    KORDANA_FUZZ_REQUIRE(fuzz::utf8Length(texts.date) == 10);
    KORDANA_FUZZ_REQUIRE(fuzz::utf8Length(texts.time) == 5);
    return 0;
}

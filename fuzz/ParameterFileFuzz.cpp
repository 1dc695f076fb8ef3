// The parameter-file reader on arbitrary text. A read either applies (the magic key with the
// right version was found) or leaves the current set exactly as it was; reading in chunks of
// any size gives what reading the whole text gives; and a set that was read, written and read
// again comes back byte for byte (a saved file reproduces what the window held), flags that
// held a number other than 0 or 1 excepted: they come back as 1.

#include "FuzzInput.h"

#include "params/DefaultSet.h"
#include "params/IgnReader.h"
#include "params/IgnWriter.h"
#include "params/ParameterTable.h"
#include "params/WordReader.h"

#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

using namespace kordana;

namespace {

const ParameterImage& startingSet() {
    static const ParameterImage image = [] {
        ParameterImage made{};
        applyDefaultSet(made);
        return made;
    }();
    return image;
}

bool sameResult(const IgnReadResult& a, const IgnReadResult& b) {
    return a.versionMatched == b.versionMatched && a.ioError == b.ioError &&
           a.image.bytes == b.image.bytes && a.extMon == b.extMon &&
           a.overflows.size() == b.overflows.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t chunk = 1 + data[0] % 31;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const ParameterImage& current = startingSet();

    const IgnReadResult whole = IgnReader::read(text, current, false);
    if (!whole.applicable()) {
        KORDANA_FUZZ_REQUIRE(whole.image.bytes == current.bytes && !whole.extMon);
        KORDANA_FUZZ_REQUIRE(whole.overflows.empty());
        ParameterImage untouched = current;
        bool extMon = false;
        KORDANA_FUZZ_REQUIRE(!IgnReader::apply(whole, untouched, extMon));
        KORDANA_FUZZ_REQUIRE(untouched.bytes == current.bytes && !extMon);
    }

    std::istringstream stream{std::string(text)};
    WordReader words(stream, chunk);
    KORDANA_FUZZ_REQUIRE(sameResult(IgnReader::read(words, current, false), whole));

    if (whole.applicable()) {
        const std::string saved = IgnWriter::write(whole.image, whole.extMon);
        const IgnReadResult again = IgnReader::read(saved, whole.image, !whole.extMon);
        KORDANA_FUZZ_REQUIRE(again.applicable());
        // A flag byte holds whatever number the file gave; it is written as 0 or 1, so only a
        // flag that held another value may come back changed, and then as 1.
        for (std::size_t i = 0; i < kImageSize; ++i) {
            if (again.image.bytes[i] == whole.image.bytes[i]) {
                continue;
            }
            const std::optional<ElementRef> ref = ParameterTable::instance().findByIndex(i);
            const bool flag =
                ref && ref->key->elements[ref->element].conversion != Conversion::Linear;
            if (!flag || whole.image.bytes[i] <= 1 || again.image.bytes[i] != 1) {
                std::fprintf(stderr, "byte %zu: read %u, written and read again %u\n", i,
                             unsigned{whole.image.bytes[i]}, unsigned{again.image.bytes[i]});
                fuzz::propertyFailed("a set read, written and read again comes back");
            }
        }
        KORDANA_FUZZ_REQUIRE(again.extMon == whole.extMon);
    }
    return 0;
}

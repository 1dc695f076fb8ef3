#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>

namespace kordana::fuzz {

void propertyFailed(const char* what) {
    std::fprintf(stderr, "property does not hold: %s\n", what);
    std::abort();
}

} // namespace kordana::fuzz

#include "EngineFrame.h"

#include "tools/unit-sim/lib/EngineDescription.h"
#include "tools/unit-sim/lib/UnitSimulator.h"

namespace kordana {

Frame simulatedEngineFrame(std::uint32_t ms) {
    UnitSimOptions options;
    options.engine = builtInEngine();
    options.monitorStepMs = 0;
    UnitSimulator unit(options);
    unit.advance(ms);
    return unit.monitorFrame();
}

} // namespace kordana

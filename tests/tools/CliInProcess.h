#pragma once

// Runs kordana-cli commands in-process against a simulated unit on a simulated clock: the
// commands open their device through a line wired straight to a UnitSimulator, and every tick
// moves the unit's clock on by 55 ms, so nothing waits in real time.

#include "CliTestProcess.h"

// Before any Qt header: the simulator has a member named emit, which Qt defines as a macro.
#include "tools/unit-sim/lib/UnitSimCommandLine.h"
#include "tools/unit-sim/lib/UnitSimPort.h"
#include "tools/unit-sim/lib/UnitSimulator.h"

#include "link/LinkProtocol.h"
#include "tools/cli/CliCommandLine.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliConsole.h"
#include "tools/cli/CliLine.h"
#include "tools/cli/CliTickLoop.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kordana::clitest {

/// The device name under which the in-process commands reach the simulated unit.
inline const std::string kSimDevice = "sim-unit";

/// A simulated unit made from the unit-sim program's arguments, with its clock driven by the
/// command's ticks; it records the command byte of every request it takes in.
class InProcessUnit {
public:
    explicit InProcessUnit(const std::vector<std::string>& args = {}) : m_unit(optionsFrom(args)) {
        m_unit.setRequestObserver(
            [this](std::uint8_t command, bool) { m_requests.push_back(command); });
    }

    UnitSimulator& unit() { return m_unit; }
    /// The command bytes of every request taken in so far, in order.
    const std::vector<unsigned>& requests() const { return m_requests; }
    /// The requests other than monitor requests (0x30).
    std::vector<unsigned> blockRequests() const {
        std::vector<unsigned> blocks;
        for (unsigned c : m_requests) {
            if (c != 0x30) {
                blocks.push_back(c);
            }
        }
        return blocks;
    }

private:
    static UnitSimOptions optionsFrom(const std::vector<std::string>& args) {
        const std::vector<std::string_view> views(args.begin(), args.end());
        const UnitSimParseResult parsed = parseUnitSimCommandLine(views);
        UnitSimOptions options = parsed.options ? parsed.options->unit : UnitSimOptions{};
        options.monitorStepMs = 0; // the ticks drive the clock, as the real clock does
        return options;
    }

    UnitSimulator m_unit;
    std::vector<unsigned> m_requests;
};

/// A line to the simulated unit: each tick first moves the unit's clock on by one tick period.
class SimulatedLine : public CliLine {
public:
    /// No command runs longer than this many ticks (about 3 hours simulated); a guard only.
    static constexpr int kTickGuard = 200000;

    explicit SimulatedLine(UnitSimulator& unit) : m_unit(unit), m_port(unit) {}

    Port& port() override { return m_port; }
    bool usable() const override { return true; }
    std::string failure() const override { return {}; }
    int runTicks(LinkProtocol& link, const AfterTick& afterTick) override {
        for (int tick = 0; tick < kTickGuard; ++tick) {
            m_unit.advance(kCliTickMs);
            link.tick();
            // The fast link takes in one more reply between two ticks (an exchange takes about
            // 36 ms on the wire); on the tick pace this changes nothing.
            if (m_port.bytesWaiting() >= kFrameSize) {
                link.replyArrived();
            }
            if (const auto code = afterTick()) {
                return *code;
            }
        }
        return -1;
    }

private:
    UnitSimulator& m_unit;
    UnitSimPort m_port;
};

/// Opens kSimDevice as a line to unit; any other device cannot be opened.
inline CliLineOpener simulatedLineOpener(UnitSimulator& unit) {
    return [&unit](const QString& device, std::string& why) -> std::unique_ptr<CliLine> {
        if (device.toStdString() != kSimDevice) {
            why = "No such file or directory";
            return nullptr;
        }
        return std::make_unique<SimulatedLine>(unit);
    };
}

inline std::string drain(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text.append(buffer, n);
    }
    std::fclose(file);
    return text;
}

/// Runs the kordana-cli command line args in-process, its devices reaching unit.
inline CliRun runCliInProcess(const std::vector<std::string>& args, InProcessUnit& unit) {
    CliRun run;
    const std::vector<std::string_view> views(args.begin(), args.end());
    const CliParseResult parsed = parseCliCommandLine(views);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    if (out == nullptr || err == nullptr) {
        run.err = "no temporary file";
        return run;
    }
    {
        CliConsole console(out, err, false);
        run.exitCode = runCliCommandLine(parsed, console, simulatedLineOpener(unit.unit()));
    }
    std::fflush(out);
    std::fflush(err);
    run.out = drain(out);
    run.err = drain(err);
    return run;
}

} // namespace kordana::clitest

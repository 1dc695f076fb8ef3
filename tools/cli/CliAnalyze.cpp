#include "tools/cli/CliAnalyze.h"

#include "analysis/AnalysisText.h"
#include "lang/MessageTexts.h"
#include "monitor/MonitorLog.h"
#include "monitor/OperatingPoint.h"
#include "params/ConsistencyPass.h"
#include "params/ImageLayout.h"
#include "tools/cli/CliCommandLine.h"

#include <array>
#include <vector>

namespace kordana {

namespace {

using analysis::CellChange;
using analysis::Proposal;

constexpr std::array<std::string_view, kMapPageCount> kMapNames{
    "Ign 1", "Ign 2", "Ign 3", "Jet 1A", "Jet 2A", "Jet 3A", "Jet 1B", "Jet 2B", "Jet 3B"};

std::string shownCell(std::size_t page, std::uint8_t stored) {
    return page < analysis::kFirstJetPage ? std::to_string(stored) + " °"
                                          : std::to_string(stored * 50) + " µs";
}

// A log the system could not read is an I/O error; one it read and refused is damaged.
bool unreadable(MonitorLogProblem problem) {
    return problem == MonitorLogProblem::NotAFile || problem == MonitorLogProblem::TooLarge ||
           problem == MonitorLogProblem::Unreadable;
}

void printChanges(const ParameterImage& image, const Proposal& proposal, CliConsole& console) {
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        std::vector<const CellChange*> changes;
        for (const CellChange& change : proposal.changes) {
            if (change.page == page) {
                changes.push_back(&change);
            }
        }
        if (!changes.empty()) {
            console.line(std::string(kMapNames[page]) + ": " + std::to_string(changes.size()) +
                         (changes.size() == 1 ? " cell" : " cells"));
        }
        for (const CellChange* change : changes) {
            console.line(changeLine(image, *change));
        }
    }
    for (std::size_t page = 0; page < 3; ++page) {
        if (const std::size_t clean = proposal.clean[page].count(); clean > 0) {
            console.line(std::string(kMapNames[page]) + ": " + std::to_string(clean) +
                         (clean == 1 ? " cell" : " cells") +
                         " clean (enough samples, no knock event)");
        }
    }
    if (proposal.changes.empty()) {
        console.line("No change proposed.");
    }
}

} // namespace

std::string tallyLine(std::string_view kind, const analysis::Tally& tally) {
    return std::string(kind) + ": " + analysis::tallyText(tally);
}

std::string changeLine(const ParameterImage& image, const CellChange& change) {
    const unsigned rpm = image[layout::mapRpm(change.page) + change.column] * 50u;
    return "  row " + std::to_string(change.row) + " (" +
           std::to_string(kThrottleRows[change.row]) + "%) column " +
           std::to_string(change.column) + " (" + std::to_string(rpm) +
           " rpm): " + shownCell(change.page, change.before) + " -> " +
           shownCell(change.page, change.after) + ", " + std::to_string(change.samples) +
           (change.samples == 1 ? " sample" : " samples");
}

std::optional<ParameterImage> analyzeLogs(const CliAnalyzeOptions& options,
                                          const ParameterImage& image, CliConsole& console,
                                          int& exitCode) {
    analysis::Analyzer analyzer(image, options.settings);
    for (const std::string& path : options.logs) {
        const MonitorLogRead read = readMonitorLogFile(path);
        if (!read.log) {
            console.failure(messageTextsFor(0).TextOpenFileError + " " + path + ": " +
                            monitorLogErrorText(read.error, 0));
            exitCode = unreadable(read.error.problem) ? kExitUsage : kExitRefused;
            return std::nullopt;
        }
        const analysis::LogSamples samples(*read.log);
        for (std::size_t row = 0; row < samples.size(); ++row) {
            analyzer.add(samples.at(row));
        }
        analyzer.endRun();
    }
    const analysis::AnalysisResult& result = analyzer.result();
    console.line(tallyLine("Fuel", result.fuelTally));
    console.line(tallyLine("Knock", result.ignitionTally));
    const Proposal proposal = analysis::propose(image, result, options.settings);
    printChanges(image, proposal, console);
    ParameterImage proposed = analysis::applied(image, proposal);
    runConsistencyPass(proposed);
    return proposed;
}

} // namespace kordana

#include "tools/cli/CliCommands.h"

#include "lang/MessageTexts.h"
#include "lang/SheetTexts.h"
#include "params/ConsistencyPass.h"
#include "params/IgnWriter.h"
#include "params/ParameterDiff.h"
#include "params/ParameterTable.h"
#include "settings/AtomicFile.h"
#include "sheet/TuneSheet.h"
#include "sheet/TuneSheetPdf.h"
#include "tools/cli/CliAnalyze.h"
#include "tools/cli/CliDiffText.h"
#include "tools/cli/CliFiles.h"
#include "tools/cli/CliInterrupt.h"
#include "tools/cli/CliLibrary.h"
#include "tools/cli/CliMonitor.h"
#include "tools/cli/CliPort.h"
#include "tools/cli/CliTransfer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <filesystem>

namespace kordana {

namespace {

const MessageTexts& english() {
    static const MessageTexts texts = messageTextsFor(0);
    return texts;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

void reportOpenError(CliConsole& console, const std::string& path, const QString& reason) {
    console.failure(english().TextOpenFileError + " " + path + ": " + reason.toStdString());
}

// Refuses a path that can never be written before any work is done (a folder, or a file in a
// folder that does not exist); nothing on disk changes here.
bool saveTargetUsable(const std::string& path, CliConsole& console) {
    const QFileInfo target(qs(path));
    if (target.isDir()) {
        reportOpenError(console, path, QStringLiteral("is a folder"));
        return false;
    }
    if (!target.absoluteDir().exists()) {
        reportOpenError(console, path, QStringLiteral("the folder does not exist"));
        return false;
    }
    if (!QFileInfo(target.absolutePath()).isWritable()) {
        reportOpenError(console, path, QStringLiteral("the folder is not writable"));
        return false;
    }
    return true;
}

// Replaces the file at path with the parameter file of image, atomically: a write that fails
// in any step leaves the old file as it was and exits with 2.
int saveParameterFile(const std::string& path, const ParameterImage& image, bool extMon,
                      CliConsole& console) {
    QString reason;
    if (!writeFileAtomically(qs(path), IgnWriter::write(image, extMon), &reason)) {
        console.failure("Cannot write " + path + ": " + reason.toStdString() +
                        "; the file was not changed.");
        return kExitUsage;
    }
    return kExitSuccess;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

// One line for the keys a file does not name, one for the keys whose values stop short.
std::vector<std::string> lackingLines(const IgnReadResult& read) {
    std::vector<std::string> lines;
    if (!read.missingKeys.empty()) {
        lines.push_back("Missing keys (" + std::to_string(read.missingKeys.size()) + " of " +
                        std::to_string(ParameterTable::instance().keys().size()) +
                        "): " + joined(read.missingKeys));
    }
    if (!read.shortKeys.empty()) {
        lines.push_back("Values cut short, the rest took the number read last: " +
                        joined(read.shortKeys));
    }
    return lines;
}

// What a command does with a file that lacks keys or whose values stop short.
enum class Lacking {
    Refuse, ///< the file says no: the keys named, exit 1
    Fill,   ///< --partial: the base fills the rest, said on standard error
    Report, ///< check lists them itself
};

// The file at path applied over a fresh start's image, not yet repaired. A file that cannot be
// read is an I/O error for every command; a file of another version, or one that lacks keys
// where a whole set is needed, is the file saying no.
std::optional<IgnReadResult> fileOverFreshImage(const std::string& path, CliConsole& console,
                                                int& exitCode, Lacking lacking = Lacking::Refuse) {
    const ParameterFileLoad load = ParameterFileLoader::load(path, freshImage(), false);
    if (!load.fileRead()) {
        console.failure(loadFailureLine(load, path, english().TextOpenFileError));
        exitCode = kExitUsage;
        return std::nullopt;
    }
    if (!load.read.applicable()) {
        console.failure(english().TextUnmatchedFile);
        exitCode = kExitRefused;
        return std::nullopt;
    }
    if (load.read.complete() || lacking == Lacking::Report) {
        return load.read;
    }
    if (lacking == Lacking::Refuse) {
        console.failure(path + " does not hold a whole set; 'kordana-cli check' lists what it "
                               "lacks, --partial fills it from the default set of preset 0.");
    } else {
        console.failure("Note: " + path +
                        " does not hold a whole set; the default set of preset "
                        "0 fills what it lacks.");
    }
    for (const std::string& line : lackingLines(load.read)) {
        console.failure(line);
    }
    if (lacking == Lacking::Refuse) {
        exitCode = kExitRefused;
        return std::nullopt;
    }
    return load.read;
}

Lacking lackingFor(const CliOptions& o) {
    return o.partial ? Lacking::Fill : Lacking::Refuse;
}

// The image repaired by the consistency pass, with a note on standard error when it changed.
ParameterImage repairedWithNote(const ParameterImage& loaded, CliConsole& console) {
    ParameterImage image = loaded;
    runConsistencyPass(image);
    if (const auto repairs = repairsBetween(loaded, image); !repairs.empty()) {
        console.failure("Note: the consistency pass changed " + std::to_string(repairs.size()) +
                        " value(s) of the file; 'kordana-cli check' lists them.");
    }
    return image;
}

// The image that Program and Verify send: a fresh start's, the file applied, repaired.
std::optional<ParameterImage> imageFromFile(const std::string& path, CliConsole& console,
                                            int& exitCode, Lacking lacking) {
    const auto loaded = fileOverFreshImage(path, console, exitCode, lacking);
    if (!loaded) {
        return std::nullopt;
    }
    return repairedWithNote(loaded->image, console);
}

int runTransferWithFile(const CliOptions& o, TransferKind kind, CliConsole& console,
                        const CliLineOpener& opener) {
    int exitCode = kExitUsage;
    const auto loaded = fileOverFreshImage(o.file, console, exitCode, lackingFor(o));
    if (!loaded) {
        return exitCode;
    }
    ParameterImage image = repairedWithNote(loaded->image, console);
    CliTransfer transfer(console, english(), opener);
    transfer.setFastLink(o.fast);
    exitCode = transfer.run(kind, resolveDevice(qs(o.port)), image);
    // A programming run that ended verified holds the unit's header: the entry of its unit.
    if (kind == TransferKind::Program && exitCode == kExitSuccess && !o.noLibrary) {
        keepInLibrary(o.library, LibraryEvent::Programmed, image, loaded->extMon, o.file, console);
    }
    return exitCode;
}

int runRead(const CliOptions& o, CliConsole& console, const CliLineOpener& opener) {
    if (!saveTargetUsable(o.out, console)) {
        return kExitUsage;
    }
    ParameterImage image = freshImage();
    CliTransfer transfer(console, english(), opener);
    transfer.setFastLink(o.fast);
    int exitCode = transfer.run(TransferKind::Read, resolveDevice(qs(o.port)), image);
    if (exitCode != kExitSuccess) {
        return exitCode;
    }
    exitCode = saveParameterFile(o.out, image, false, console);
    if (exitCode == kExitSuccess && !o.noLibrary) {
        keepInLibrary(o.library, LibraryEvent::Read, image, false, o.out, console);
    }
    return exitCode;
}

int runMonitor(const CliOptions& o, CliConsole& console, const CliLineOpener& opener) {
    MonitorSettings settings;
    settings.device = resolveDevice(qs(o.port));
    settings.seconds = o.seconds;
    settings.csvPath = qs(o.csv);
    settings.extended = o.extended;
    settings.servo = o.servo;
    settings.fast = o.fast;
    CliMonitor monitor(console, english(), opener);
    return monitor.run(settings);
}

int runDefaults(const CliOptions& o, CliConsole& console) {
    if (!saveTargetUsable(o.out, console)) {
        return kExitUsage;
    }
    return saveParameterFile(o.out, presetImage(static_cast<std::uint8_t>(o.preset.value_or(0))),
                             false, console);
}

int runCheck(const CliOptions& o, CliConsole& console) {
    int exitCode = kExitUsage;
    const auto read = fileOverFreshImage(o.file, console, exitCode, Lacking::Report);
    if (!read) {
        return exitCode;
    }
    const IgnReadResult& loaded = *read;
    for (const std::string& line : lackingLines(loaded)) {
        console.line(line);
    }
    // A value too big for its byte keeps only its low eight bits: the sign of a file written
    // with another scaling (injection cells in microseconds, say).
    for (const FileValueOverflow& overflow : loaded.overflows) {
        console.line(overflow.element + " = " + std::to_string(overflow.value) +
                     " does not fit its byte; stored as " + std::to_string(overflow.stored));
    }
    if (!loaded.overflows.empty()) {
        console.line(std::to_string(loaded.overflows.size()) + " value(s) do not fit their byte.");
    }
    ParameterImage repaired = loaded.image;
    runConsistencyPass(repaired);
    const auto repairs = repairsBetween(loaded.image, repaired);
    for (const Repair& repair : repairs) {
        console.line(repairLine(repair));
    }
    console.line(repairs.empty() ? std::string("No value needs repair.")
                                 : std::to_string(repairs.size()) + " value(s) repaired.");
    return loaded.complete() ? kExitSuccess : kExitRefused;
}

// One set of a comparison: a file as Open and Program would hold it, or the unit's memory as it
// sends it. Status texts of the unit's read go to standard error, so standard output carries
// only the differences.
std::optional<DiffSide> loadSet(const CliSetSource& source, Lacking lacking, CliConsole& console,
                                const CliLineOpener& opener) {
    int exitCode = kExitUsage;
    if (!source.unit) {
        const auto loaded = fileOverFreshImage(source.where, console, exitCode, lacking);
        if (!loaded) {
            return std::nullopt;
        }
        return DiffSide{repairedWithNote(loaded->image, console), loaded->extMon};
    }
    CliConsole statusConsole = console.statusOnErrors();
    ParameterImage unit;
    CliTransfer transfer(statusConsole, english(), opener);
    if (transfer.run(TransferKind::Compare, resolveDevice(qs(source.where)), unit) !=
        kExitSuccess) {
        return std::nullopt;
    }
    return DiffSide{unit, std::nullopt};
}

int runDiff(const CliOptions& o, CliConsole& console, const CliLineOpener& opener) {
    if (o.sets.size() != 2) {
        return kExitUsage;
    }
    // Any set that cannot be compared is an error (exit 2), a refused file too: exit 1 says
    // that the sets differ.
    const auto a = loadSet(o.sets[0], lackingFor(o), console, opener);
    if (!a) {
        return kExitUsage;
    }
    const auto b = loadSet(o.sets[1], lackingFor(o), console, opener);
    if (!b) {
        return kExitUsage;
    }
    const auto differences = diffParameterSets(*a, *b);
    printDifferences(differences, console);
    return differences.empty() ? kExitSuccess : kExitRefused;
}

// The tune sheet of the image Program would send, in English unless asked otherwise.
int runSheet(const CliOptions& o, CliConsole& console) {
    int exitCode = kExitUsage;
    const auto image = imageFromFile(o.file, console, exitCode, lackingFor(o));
    if (!image) {
        return exitCode;
    }
    SheetSource source;
    source.fileName = std::filesystem::path(o.file).filename().string();
    source.date = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm").toStdString();
    source.languageIndex = o.language.value_or(0);
    const TuneSheetWrite written = writeTuneSheetPdf(buildTuneSheet(*image, source), qs(o.pdf));
    if (!written.ok) {
        console.failure(std::string(sheetTextsFor(0).writeError) + o.pdf + ": " +
                        written.error.toStdString());
        return kExitUsage;
    }
    console.line(std::string(sheetTextsFor(0).written) + o.pdf + " (" +
                 std::to_string(written.pages) + " pages)");
    return kExitSuccess;
}

// The proposals of the logs for the set they were driven with; the set with them on --out.
int runAnalyze(const CliOptions& o, CliConsole& console) {
    if (!o.out.empty() && !saveTargetUsable(o.out, console)) {
        return kExitUsage;
    }
    int exitCode = kExitUsage;
    const auto loaded = fileOverFreshImage(o.analyze.set, console, exitCode);
    if (!loaded) {
        return exitCode;
    }
    const ParameterImage image = repairedWithNote(loaded->image, console);
    const auto proposed = analyzeLogs(o.analyze, image, console, exitCode);
    if (!proposed) {
        return exitCode;
    }
    return o.out.empty() ? kExitSuccess
                         : saveParameterFile(o.out, *proposed, loaded->extMon, console);
}

} // namespace

int runCliCommand(const CliOptions& o, CliConsole& console, const CliLineOpener& opener) {
    switch (o.command) {
    case CliCommand::Program:
        installInterruptHandler();
        return runTransferWithFile(o, TransferKind::Program, console, opener);
    case CliCommand::Verify:
        installInterruptHandler();
        return runTransferWithFile(o, TransferKind::Verify, console, opener);
    case CliCommand::Read:
        installInterruptHandler();
        return runRead(o, console, opener);
    case CliCommand::Monitor:
        installInterruptHandler();
        return runMonitor(o, console, opener);
    case CliCommand::Defaults:
        return runDefaults(o, console);
    case CliCommand::Check:
        return runCheck(o, console);
    case CliCommand::Diff:
        installInterruptHandler();
        return runDiff(o, console, opener);
    case CliCommand::Sheet:
        return runSheet(o, console);
    case CliCommand::Analyze:
        return runAnalyze(o, console);
    case CliCommand::Library:
        return runLibraryCommand(o.libraryCommand, console);
    case CliCommand::None:
        break;
    }
    return kExitUsage;
}

int runCliCommandLine(const CliParseResult& parsed, CliConsole& console,
                      const CliLineOpener& opener) {
    if (!parsed.options) {
        const std::string command(commandName(parsed.command));
        console.failure("kordana-cli: " + parsed.error);
        console.failure("Try 'kordana-cli " + command + (command.empty() ? "" : " ") + "--help'.");
        return kExitUsage;
    }
    if (parsed.options->help) {
        std::string help = commandHelp(parsed.options->command);
        if (help.ends_with('\n')) {
            help.pop_back();
        }
        console.line(help);
        return kExitSuccess;
    }
    return runCliCommand(*parsed.options, console, opener);
}

} // namespace kordana

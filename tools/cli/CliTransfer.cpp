#include "tools/cli/CliTransfer.h"

#include "tools/cli/CliCommandLine.h"
#include "tools/cli/CliInterrupt.h"
#include "tools/cli/CliLinkEvents.h"

namespace kordana {

CliTransfer::CliTransfer(CliConsole& console, const MessageTexts& texts, CliLineOpener opener)
    : m_console(console), m_texts(texts), m_opener(std::move(opener)) {}

int CliTransfer::run(TransferKind kind, const QString& device, ParameterImage& image) {
    std::string why;
    const std::unique_ptr<CliLine> line = m_opener(device, why);
    if (!line) {
        m_console.failure(m_texts.TextComOpenError + " " + device.toStdString() + ": " + why);
        return kExitUsage;
    }
    CliLinkEvents events(m_console, image, m_texts);
    LinkProtocol link(image, line->port(), events);
    link.setFastLink(m_fast);
    link.setFastMonitor(false); // no live data to show: the command ends with the run
    events.setFallbackHandler([this](const std::string& what) { m_console.line(what); });
    switch (kind) {
    case TransferKind::Program:
        link.startProgram();
        break;
    case TransferKind::Verify:
        link.startVerify();
        break;
    case TransferKind::Read:
        link.startRead();
        break;
    case TransferKind::Compare:
        link.startCompare();
        break;
    }
    m_ticks = 0;
    m_settleTicks = 0;
    const int exitCode = line->runTicks(link, [&] {
        ++m_ticks;
        return afterTick(kind, link, events, *line);
    });
    m_console.endProgress();
    if (kind == TransferKind::Compare && exitCode == kExitSuccess) {
        if (!events.compared()) {
            return kExitRefused;
        }
        image = *events.compared();
    }
    return exitCode;
}

// Called after every tick; an exit code once the transfer is over.
std::optional<int> CliTransfer::afterTick(TransferKind kind, const LinkProtocol& link,
                                          const CliLinkEvents& events, const CliLine& line) {
    if (interruptRequested()) {
        m_console.failure("Interrupted: the transfer did not finish.");
        return kExitUsage;
    }
    if (events.unmatchedUnit()) {
        m_console.line(m_texts.TextUnmatchedUnit);
        return kExitRefused;
    }
    if (link.mode() != LinkMode::Idle) {
        if (m_ticks < kTickCap) {
            return std::nullopt;
        }
        m_console.failure("The transfer did not end within " + std::to_string(kTickCap) +
                          " ticks.");
        return kExitRefused;
    }
    const LinkView& view = link.view();
    if (!view.ok) {
        // The failure text is on the status line already; say why when the device went away.
        if (const std::string why = line.failure(); !line.usable() && !why.empty()) {
            m_console.failure(why);
        }
        return kExitRefused;
    }
    // A programming run shows "Program device: OK" from the tick after its verify pass.
    if (kind == TransferKind::Program && view.message != LinkMessage::ProgramDevice &&
        m_settleTicks++ < 1) {
        return std::nullopt;
    }
    return kExitSuccess;
}

} // namespace kordana

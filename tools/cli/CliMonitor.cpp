#include "tools/cli/CliMonitor.h"

#include "tools/cli/CliTickLoop.h"

#include "lang/CaptionTables.h"
#include "link/LinkProtocol.h"
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorFrame.h"
#include "params/ParameterImage.h"
#include "tools/cli/CliCommandLine.h"
#include "tools/cli/CliInterrupt.h"
#include "tools/cli/CliLinkEvents.h"
#include "tools/cli/MonitorPanelText.h"

#include <QDateTime>

namespace kordana {

namespace {

std::string noConnectionText() {
    const auto caption = captionForControl("LabelSpojeni", 0);
    return caption ? std::string(*caption) : std::string("No connection with PC");
}

} // namespace

CliMonitor::CliMonitor(CliConsole& console, const MessageTexts& texts, CliLineOpener opener)
    : m_console(console), m_texts(texts), m_opener(std::move(opener)) {}

int CliMonitor::run(const MonitorSettings& settings) {
    m_options.extended = settings.extended;
    m_options.servoEnabled = settings.servo;
    m_options.textUnmatchedUnit = m_texts.TextUnmatchedUnit;
    if (!settings.csvPath.isEmpty() && !openCsv(settings.csvPath)) {
        return kExitUsage;
    }
    std::string why;
    const std::unique_ptr<CliLine> line = m_opener(settings.device, why);
    if (!line) {
        m_console.failure(m_texts.TextComOpenError + " " + settings.device.toStdString() + ": " +
                          why);
        return kExitUsage;
    }
    // The link only idles here; the image is never sent.
    ParameterImage image;
    CliLinkEvents events(m_console, image, m_texts);
    events.setFrameHandler([this](auto bytes) { onFrame(bytes); });
    events.setConnectionHandler([this](bool shown) {
        if (shown) {
            m_console.line(noConnectionText());
        }
    });
    LinkProtocol link(image, line->port(), events);
    link.setFastLink(settings.fast);
    events.setFallbackHandler([this](const std::string& what) { m_console.line(what); });
    const int tickLimit =
        settings.seconds
            ? static_cast<int>((*settings.seconds * 1000 + kCliTickMs - 1) / kCliTickMs)
            : 0;
    int ticks = 0;
    const int exitCode =
        line->runTicks(link, [&] { return afterTick(++ticks, tickLimit, line->usable()); });
    m_console.endProgress();
    // A run shorter than one printing interval still shows the panel once.
    if (m_fresh && !m_printed) {
        printPanel();
    }
    m_csv.close();
    return exitCode;
}

std::optional<int> CliMonitor::afterTick(int ticks, int tickLimit, bool portOpen) {
    if (m_csvFailed) {
        m_console.failure("Cannot write " + m_csv.path().toStdString() + ": " +
                          m_csv.errorString().toStdString() + "; the recording stopped.");
        return kExitUsage;
    }
    if (!portOpen) {
        m_console.failure("The serial device is no longer available.");
        return kExitUsage;
    }
    if (ticks % kPrintTicks == 0 && m_fresh) {
        printPanel();
    }
    if (!interruptRequested() && (tickLimit == 0 || ticks < tickLimit)) {
        return std::nullopt;
    }
    if (m_frames == 0) {
        m_console.failure(noConnectionText() + ": no monitor frame arrived.");
        return kExitRefused;
    }
    return kExitSuccess;
}

void CliMonitor::onFrame(std::span<const std::uint8_t, kFrameSize> bytes) {
    const auto frame = decodeMonitorFrame(bytes);
    if (!frame) {
        return;
    }
    ++m_frames;
    m_fresh = true;
    m_display.update(*frame, m_options);
    if (!m_csv.isOpen()) {
        return;
    }
    const std::string timestamp =
        QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toStdString();
    if (!m_csv.append(monitorCsvRow(timestamp, *frame))) {
        m_csvFailed = true;
    }
}

void CliMonitor::printPanel() {
    m_fresh = false;
    m_printed = true;
    m_console.line("-- " + QDateTime::currentDateTime().toString("HH:mm:ss").toStdString() + " --");
    for (const std::string& line : monitorPanelLines(m_display)) {
        m_console.line(line);
    }
}

bool CliMonitor::openCsv(const QString& path) {
    if (!m_csv.openAt(path, monitorCsvHeader())) {
        m_console.failure(m_texts.TextOpenFileError + " " + path.toStdString() + ": " +
                          m_csv.errorString().toStdString());
        return false;
    }
    return true;
}

} // namespace kordana

#include "features/assistant/AssistantFeature.h"

#include "analysis/AnalysisSample.h"
#include "editors/MapGrid.h"
#include "features/assistant/AssistantNotes.h"
#include "features/assistant/AssistantSheet.h"
#include "features/assistant/AssistantTally.h"
#include "features/assistant/AssistantWindow.h"
#include "lang/AssistantTexts.h"
#include "monitor/MonitorLog.h"
#include "session/EditSession.h"
#include "settings/IniFile.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace kordana {

namespace {

// The assistant's settings, in this program's own section.
const char* const kSection = "KORDANA";

} // namespace

AssistantFeature::AssistantFeature()
    : m_clock([] {
          return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
              .count();
      }) {}

AssistantFeature::~AssistantFeature() = default;

void AssistantFeature::install(Shell& shell) {
    m_shell = &shell;
    QAction* item = shell.addMenuItem({"MenuTuningAssistant", "Tuning assistant..."});
    QObject::connect(item, &QAction::triggered, item, [this] { MenuTuningAssistantClick(); });
    m_window = new AssistantWindow(&shell.mainWindow());
    connectWindow();
    subscribe();
    reset();
}

void AssistantFeature::connectWindow() {
    AssistantWindow* w = m_window;
    QObject::connect(w, &AssistantWindow::settingsChanged, w, [this] {
        // Filters and cells follow the settings: the samples are judged again from the start.
        reset();
    });
    QObject::connect(w, &AssistantWindow::liveToggled, w, [this](bool) { update(); });
    QObject::connect(w, &AssistantWindow::addLogsClicked, w, [this] {
        const QString folder = m_logs.isEmpty() ? QString() : QFileInfo(m_logs.back()).path();
        const QString path = m_shell->desktop().logFileName(m_window, folder);
        if (!path.isEmpty()) {
            addLog(path);
        }
    });
    QObject::connect(w, &AssistantWindow::acceptAllClicked, w, [this] { acceptAll(); });
    QObject::connect(w, &AssistantWindow::acceptSelectionClicked, w, [this] { acceptSelection(); });
    QObject::connect(w, &AssistantWindow::lockClicked, w, [this] { lockSelection(); });
    QObject::connect(w, &AssistantWindow::unlockClicked, w, [this] { unlockSelection(); });
    QObject::connect(w, &AssistantWindow::resetClicked, w, [this] { reset(); });
}

void AssistantFeature::subscribe() {
    EventHub& hub = m_shell->hub();
    QObject* context = m_window;
    QObject::connect(&hub, &EventHub::monitorFrameDecoded, context,
                     [this](const MonitorFrame& frame) { addFrame(frame); });
    // Live frames are gathered as they come; the proposals and the map repaint once a tick.
    QObject::connect(&hub, &EventHub::tick, context, [this] {
        if (m_dirty) {
            update();
        }
    });
    QObject::connect(&hub, &EventHub::pageShown, context, [this] { showNotes(); });
    QObject::connect(&hub, &EventHub::setChanged, context, [this] { m_dirty = true; });
    QObject::connect(
        &hub, &EventHub::tuneSheetBuilding, context, [this](std::vector<SheetBlock>& blocks) {
            if (m_window->inTuneSheet()) {
                const auto page =
                    assistantSheetBlocks(m_shell->session().image(), m_analyzer->result(),
                                         m_proposal, m_shell->languageIndex());
                blocks.insert(blocks.end(), page.begin(), page.end());
            }
        });
}

void AssistantFeature::applyLanguage(std::uint8_t /*index*/) {
    // The tally and the cell notes are worded in the shell's language.
    if (m_analyzer) {
        update();
    }
}

void AssistantFeature::loadSettings(const IniFile& ini) {
    analysis::AnalysisSettings settings = m_window->settings();
    const auto read = [&ini](const char* key, int current) {
        return ini.readInteger(kSection, key, current);
    };
    settings.sensor = read("AssistSensor", 0) == 1 ? analysis::SensorModel::Wideband
                                                   : analysis::SensorModel::Narrowband;
    settings.lambdaAt0V =
        std::clamp(read("AssistLambda0", static_cast<int>(settings.lambdaAt0V * 100)), 30, 200) /
        100.0;
    settings.lambdaAt5V =
        std::clamp(read("AssistLambda5", static_cast<int>(settings.lambdaAt5V * 100)), 30, 200) /
        100.0;
    const auto bounded = [&read](const char* key, unsigned current, int low, int high) {
        return static_cast<unsigned>(std::clamp(read(key, static_cast<int>(current)), low, high));
    };
    settings.delayMs = bounded("AssistDelayMs", settings.delayMs, 0, 2000);
    settings.minSamples = bounded("AssistMinSamples", settings.minSamples, 1, 10000);
    settings.authorityPct = bounded("AssistAuthority", 15, 1, 50);
    settings.retardStepDeg = bounded("AssistRetardStep", settings.retardStepDeg, 1, 5);
    settings.maxRetardDeg = bounded("AssistMaxRetard", settings.maxRetardDeg, 1, 10);
    settings.banks = static_cast<analysis::Banks>(bounded("AssistBanks", 2, 0, 2));
    // Targets that do not read as ten of the sensor's keep the defaults.
    readTargets(QString::fromStdString(ini.readString(kSection, "AssistTargets", "")), settings);
    m_window->setSettings(settings);
    reset();
}

void AssistantFeature::saveSettings(IniFile& ini) const {
    const analysis::AnalysisSettings settings = m_window->settings();
    // A settings file gets the assistant's keys once they differ from the defaults, so the
    // file of someone who never tuned them stays as it was.
    if (settings == analysis::AnalysisSettings{} && !ini.value(kSection, "AssistSensor")) {
        return;
    }
    ini.writeInteger(kSection, "AssistSensor",
                     settings.sensor == analysis::SensorModel::Wideband ? 1 : 0);
    ini.writeInteger(kSection, "AssistLambda0",
                     static_cast<int>(std::lround(settings.lambdaAt0V * 100)));
    ini.writeInteger(kSection, "AssistLambda5",
                     static_cast<int>(std::lround(settings.lambdaAt5V * 100)));
    ini.write(kSection, "AssistTargets", targetsText(settings).toStdString());
    ini.writeInteger(kSection, "AssistDelayMs", static_cast<int>(settings.delayMs));
    ini.writeInteger(kSection, "AssistMinSamples", static_cast<int>(settings.minSamples));
    ini.writeInteger(kSection, "AssistAuthority",
                     static_cast<int>(std::lround(settings.authorityPct)));
    ini.writeInteger(kSection, "AssistRetardStep", static_cast<int>(settings.retardStepDeg));
    ini.writeInteger(kSection, "AssistMaxRetard", static_cast<int>(settings.maxRetardDeg));
    ini.writeInteger(kSection, "AssistBanks", static_cast<int>(settings.banks));
}

void AssistantFeature::MenuTuningAssistantClick() {
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    showNotes();
}

const analysis::AnalysisResult& AssistantFeature::result() const {
    return m_analyzer->result();
}

void AssistantFeature::reset() {
    m_analyzer =
        std::make_unique<analysis::Analyzer>(m_shell->session().image(), m_window->settings());
    m_logs.clear();
    m_window->showLogs(m_logs);
    m_passStart = m_clock();
    update();
}

void AssistantFeature::addFrame(const MonitorFrame& frame) {
    if (!m_window->live()) {
        return;
    }
    m_analyzer->add(analysis::sampleOf(m_clock() - m_passStart, frame));
    m_dirty = true;
}

bool AssistantFeature::addLog(const QString& path) {
    const MonitorLogRead read = readMonitorLogFile(QFile::encodeName(path).toStdString());
    if (!read.log) {
        const AssistantTexts texts = assistantTextsFor(m_shell->languageIndex());
        m_shell->showStatus(assistantText(texts.logNotRead).arg(QFileInfo(path).fileName()), true);
        return false;
    }
    const analysis::LogSamples samples(*read.log);
    m_analyzer->endRun();
    for (std::size_t row = 0; row < samples.size(); ++row) {
        m_analyzer->add(samples.at(row));
    }
    m_analyzer->endRun();
    m_logs.push_back(path);
    QStringList names;
    for (const QString& log : m_logs) {
        names << QFileInfo(log).fileName();
    }
    m_window->showLogs(names);
    update();
    return true;
}

void AssistantFeature::update() {
    m_dirty = false;
    const analysis::AnalysisResult& result = m_analyzer->result();
    m_proposal =
        analysis::propose(m_shell->session().image(), result, m_window->settings(), m_locks);
    m_window->showTally(
        tallyLabelText(result, m_proposal.changes.size(), m_shell->languageIndex()));
    showNotes();
}

void AssistantFeature::showNotes() {
    MapGrid& grid = m_shell->mapGrid();
    if (!m_window->isVisible()) {
        if (!grid.cellNotes().empty()) {
            grid.setCellNotes({});
        }
        return;
    }
    grid.setCellNotes(assistantNotes(m_shell->activePageIndex(), m_analyzer->result(), m_proposal,
                                     m_window->settings(), m_locks, m_shell->languageIndex()));
}

void AssistantFeature::acceptAll() {
    accept(false);
}

void AssistantFeature::acceptSelection() {
    accept(true);
}

void AssistantFeature::accept(bool selectionOnly) {
    const std::optional<mapblock::CellBlock> block =
        selectionOnly ? m_shell->mapGrid().selection() : std::nullopt;
    if ((selectionOnly && !block) || m_proposal.changes.empty()) {
        return;
    }
    const std::vector<MapCellWrite> writes = analysis::cellWrites(m_proposal);
    m_shell->session().applyCellProposal(writes, block);
    m_shell->CommitTail();
    reset();
    emit m_shell->hub().proposalsAccepted();
}

void AssistantFeature::lockSelection() {
    lock(true);
}

void AssistantFeature::unlockSelection() {
    lock(false);
}

void AssistantFeature::lock(bool on) {
    const int page = m_shell->activePageIndex();
    if (page < 0 || page >= static_cast<int>(kMapPageCount)) {
        return;
    }
    auto& locks = m_locks[static_cast<std::size_t>(page)];
    const std::optional<mapblock::CellBlock> block = m_shell->mapGrid().selection();
    if (!block) {
        if (!on) {
            locks.reset();
            update();
        }
        return;
    }
    for (std::size_t r = block->top; r <= block->bottom; ++r) {
        for (std::size_t c = block->left; c <= block->right; ++c) {
            locks[r * layout::kMapCols + c] = on;
        }
    }
    update();
}

} // namespace kordana

#include "app/TFormHlav.h"

#include "app/InstalledFeatures.h"
#include "app/PageScroll.h"
#include "app/ShownSteps.h"
#include "app/WindowPlacement.h"
#include "editors/MapGrid.h"
#include "lang/Language.h"
#include "params/ConsistencyPass.h"
#include "settings/AtomicFile.h"
#include "shell/StatusLine.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <utility>

// The window's pictures (icon, logo) live in this library's resources; a static library's
// resources are registered only when asked for by name.
static void initAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace kordana {

namespace {

constexpr int kDesignedWidth = 1033;
constexpr int kDesignedHeight = 866;
constexpr int kPageCount = 14;
const char* const kSectionForm = "FORM_HLAV";
const char* const kSectionIgnition = "IGNITION";

// Left and Top place the window's frame (as move() does), Width and Height its inside. A
// maximised, full-screen or minimised window is remembered by the place it returns to, so the
// next start opens it at that size and not as large as the screen. The normal geometry leaves
// the frame out; the frame's offset of the present state puts it back.
QRect geometryToSave(const QWidget& window) {
    constexpr Qt::WindowStates kNotNormal =
        Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized;
    if ((window.windowState() & kNotNormal) == 0) {
        return {window.pos(), window.size()};
    }
    return window.normalGeometry().translated(window.pos() - window.geometry().topLeft());
}

} // namespace

TFormHlav::TFormHlav(QStringList arguments, QString configDir,
                     std::unique_ptr<DesktopServices> desktop, QWidget* parent)
    : QMainWindow(parent), m_arguments(std::move(arguments)), m_configDir(std::move(configDir)),
      m_desktop(desktop ? std::move(desktop) : makeDesktopServices()), m_startFiles(m_configDir) {
    initAppResources();
    setObjectName("FormHlav");
    setWindowTitle("Programming of Kordana_Racing unit");
    setWindowIcon(QIcon(":/icons/kordana.png"));
    resize(kDesignedWidth, kDesignedHeight);
    QDir().mkpath(m_configDir);
    if (const auto text = m_startFiles.read(settingsPath())) {
        m_settings = IniFile::parse(*text);
    }
    buildMenus();
    auto* central = new QWidget(this);
    central->setObjectName("PanelClient");
    setCentralWidget(central);
    buildToolBar(central);
    buildPages();
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName("StatusBar1");
    setStatusBar(m_statusBar);

    connect(&m_hub, &EventHub::replayMoved, this, &TFormHlav::MarkOperatingPoint);
    // Every session command that changed something reaches the features once, with its cause.
    m_session.setChangeListener(
        [this](const ChangeSet& changes) { emit m_hub.setChanged(changes, changes.cause); });
    m_whenShown = new ShownSteps(*this);
    m_features = installedFeatures();
    for (const auto& feature : m_features) {
        feature->install(*this);
    }
    // The pages the features filled scroll when the window is smaller than they are; the map
    // grid scrolls on its own, its breakpoint row and throttle labels in view.
    putPagesInScrollAreas(*m_pageControl, static_cast<int>(kMapPageCount));
    m_timer = new QTimer(this);
    m_timer->setObjectName("Timer1");
    // The link's time-outs and the monitor rate are counted in 55 ms ticks; a coarse timer
    // may fire up to 5 % early and shortens them all.
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(55);
    connect(m_timer, &QTimer::timeout, this, &TFormHlav::Timer1Timer);
}

TFormHlav::~TFormHlav() = default;

QAction* TFormHlav::action(const char* objectName) const {
    return findChild<QAction*>(objectName);
}

void TFormHlav::FormCreate() {
    m_session.setPreset(0);
    m_session.newDefaultSet();
    CentreWindow();
    LoadSettings();
    if (!m_arguments.isEmpty()) {
        if (const auto index = languageFromArgument(m_arguments.front().toStdString())) {
            m_languageIndex = *index;
        }
    }
    ConsistencyPass();
    m_texts = messageTextsFor(m_languageIndex);
    PageRefresh();
    for (const auto& feature : m_features) {
        feature->open();
    }
    ApplyLanguage();
    PageRefresh();
    m_statusLine->setStatusVisible(false);
    m_statusLine->setGaugeVisible(false);
    // The defaults and the cache are where the user starts, not steps to undo.
    m_session.clearUndoHistory();
    for (const auto& feature : m_features) {
        feature->started();
    }
    // A damaged stored set is kept among the earlier sets, once the history has its folder.
    if (const auto damaged = m_startFiles.takeDamagedSet()) {
        emit m_hub.aboutToReplaceSet(SetHistoryCause::Damaged, *damaged);
    }
    if (const QString notes = m_startFiles.takeNotes(m_languageIndex); !notes.isEmpty()) {
        showStatus(notes, true);
    }
    m_timer->start();
}

void TFormHlav::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    event->accept();
}

void TFormHlav::FormClose() {
    m_timer->stop();
    for (const auto& feature : m_features) {
        feature->shutDown();
    }
    PageHarvest();
    ConsistencyPass();
    if (const auto failure = SaveSettings()) {
        for (const auto& feature : m_features) {
            feature->settingsNotWritten(failure->path, failure->reason);
        }
    }
}

void TFormHlav::MenuExitClick() {
    close();
}

void TFormHlav::ConsistencyPass() {
    m_session.runConsistencyPass();
    // The port index is the unit's, kept in range where it is chosen.
    std::uint8_t portIndex = 0;
    repairSettings(m_languageIndex, portIndex);
}

void TFormHlav::PageHarvest() {
    emit m_hub.harvestRequested(activePageIndex());
}

void TFormHlav::PageRefresh() {
    emit m_hub.refreshRequested(activePageIndex());
    // The refresh may have shown another page (a coupling mode hides the active one's tab).
    emit m_hub.pageShown(activePageIndex());
}

void TFormHlav::CommitTail() {
    ConsistencyPass();
    PageRefresh();
    emit m_hub.committed();
}

void TFormHlav::harvestShownPage() {
    PageHarvest();
    ConsistencyPass();
    PageRefresh();
}

void TFormHlav::Timer1Timer() {
    emit m_hub.tick();
    MarkOperatingPoint();
}

void TFormHlav::MarkOperatingPoint() {
    const int page = activePageIndex();
    const MonitorLiveValues& live = m_hub.liveValues();
    const auto at = static_cast<std::size_t>(page);
    // The map cursor once per tick, for the tools, the grid and every feature.
    const MapMark mark = mapMark(m_session.image(), at, live);
    emit m_hub.cursorMarked(live, at < kMapPageCount ? page : -1, mark);
}

void TFormHlav::ShowMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame) {
    // Decoded once here for the panel, the cursor and every feature that listens.
    const std::optional<MonitorFrame> decoded = decodeMonitorFrame(frame);
    if (!decoded) {
        return;
    }
    // The unit speaks again: the cursor follows the engine, no longer a log's row.
    m_hub.publishUnitValues(liveValuesOf(*decoded));
    emit m_hub.monitorFrameDecoded(*decoded);
}

void TFormHlav::takeOverSetFromFile(const IgnReadResult& read, const QString& fileName) {
    m_session.applyFileRead(read);
    // Hidden before the commit tail, so that a programming run it starts shows its progress.
    emit m_hub.statusHideRequested();
    CommitTail();
    m_hub.nameSetFile(fileName);
}

void TFormHlav::showStatus(const QString& text, bool red) {
    m_statusLine->showStatus(text, red);
    m_statusLine->setStatusVisible(true);
    // Held and then hidden like any status, and replaced by the link's next message.
    emit m_hub.statusHeld();
}

TFormHlav::Answer TFormHlav::ask(const std::string& text, Buttons buttons) {
    return m_desktop->messageBox(this, QString::fromStdString(text), buttons);
}

void TFormHlav::showMessage(const std::string& text) {
    ask(text, Buttons::Ok);
}

void TFormHlav::setLanguage(std::uint8_t index) {
    m_languageIndex = index;
    ApplyLanguage();
}

void TFormHlav::ApplyLanguage() {
    m_texts = messageTextsFor(m_languageIndex);
    for (const auto& feature : m_features) {
        feature->applyLanguage(m_languageIndex);
    }
    emit m_hub.languageChanged(m_languageIndex);
}

void TFormHlav::CentreWindow() {
    const std::vector<QRect> areas = availableAreas();
    if (areas.empty()) {
        return;
    }
    const QRect area = areas.front();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void TFormHlav::LoadSettings() {
    const IniFile& ini = m_settings;
    // The saved place is fitted to the screens before it is applied: a window off every screen
    // or larger than the screen would open where nobody sees it, and be saved there again.
    placeWindow(*this,
                {ini.readInteger(kSectionForm, "Left", x()),
                 ini.readInteger(kSectionForm, "Top", y()),
                 ini.readInteger(kSectionForm, "Width", width()),
                 ini.readInteger(kSectionForm, "Height", height())},
                {kDesignedWidth, kDesignedHeight});
    // Only a shown window has a frame: fitted once more then, the frame counted.
    fitAgainWhenFramed(*this);
    const int language = ini.readInteger(kSectionForm, "Language", m_languageIndex);
    m_languageIndex = static_cast<std::uint8_t>(language >= 0 && language <= 3 ? language : 0);
    int pageIndex = ini.readInteger(kSectionIgnition, "PageControl1->ActivePageIndex",
                                    m_pageControl->currentIndex());
    if (pageIndex < 0 || pageIndex >= kPageCount) {
        pageIndex = 0;
    }
    m_pageControl->setCurrentIndex(pageIndex);
    for (const auto& feature : m_features) {
        feature->loadSettings(ini);
    }
    m_startFiles.loadImageCache(m_session);
}

std::optional<FileWriteFailure> TFormHlav::SaveSettings() {
    IniFile& ini = m_settings;
    const QRect geometry = geometryToSave(*this);
    ini.writeInteger(kSectionForm, "Left", geometry.x());
    ini.writeInteger(kSectionForm, "Top", geometry.y());
    ini.writeInteger(kSectionForm, "Height", geometry.height());
    ini.writeInteger(kSectionForm, "Width", geometry.width());
    ini.writeInteger(kSectionForm, "Language", m_languageIndex);
    ini.writeInteger(kSectionIgnition, "PageControl1->ActivePageIndex",
                     m_pageControl->currentIndex());
    for (const auto& feature : m_features) {
        feature->saveSettings(ini);
    }
    // A failed write leaves the previous file intact; the stored set matters more, so its
    // failure is the one reported when both fail.
    QString reason;
    const bool settingsWritten = writeFileAtomically(settingsPath(), ini.text(), &reason);
    if (auto failure = m_startFiles.saveImageCache(m_session)) {
        return failure;
    }
    if (!settingsWritten) {
        return FileWriteFailure{settingsPath(), reason};
    }
    return std::nullopt;
}

void TFormHlav::whenWindowShown(std::function<void()> step) {
    m_whenShown->add(std::move(step));
}

bool TFormHlav::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // A control's hint shows in the status bar while the mouse is over it.
        if (m_statusBar != nullptr) {
            m_statusBar->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        }
        return true;
    }
    return QMainWindow::event(event);
}

void TFormHlav::showStatusBarText(const QString& text) {
    m_statusBar->showMessage(text);
}

void TFormHlav::addStatusBarWidget(QWidget* widget) {
    m_statusBar->addPermanentWidget(widget);
}

QString TFormHlav::pageCaption(int index) const {
    return m_pageControl->tabText(index);
}

int TFormHlav::activePageIndex() const {
    return std::max(0, m_pageControl->currentIndex());
}

} // namespace kordana

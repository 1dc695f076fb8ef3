#include "app/TFormHlav.h"

#include "app/AssignDeviceDialog.h"
#include "app/CompareWindow.h"
#include "app/InstalledFeatures.h"
#include "app/MonitorPanel.h"
#include "app/StatusLine.h"
#include "app/WindowPlacement.h"
#include "editors/MapGrid.h"
#include "editors/RuznePage.h"
#include "lang/Language.h"
#include "link/LinkEvents.h"
#include "link/LinkProtocol.h"
#include "link/serial/SerialPort.h"
#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/ImageLayout.h"
#include "settings/AtomicFile.h"
#include "settings/ImageCache.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

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
// Check boxes whose state the settings file keeps.
const char* const kPersistedBoxes[] = {"CheckBoxExtMonitor", "CheckBoxAll_Servo",
                                       "CheckBoxAll_PolohaA", "CheckBoxAll_PolohaB"};

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
      m_desktop(desktop ? std::move(desktop) : makeDesktopServices()) {
    initAppResources();
    setObjectName("FormHlav");
    setWindowTitle("Programming of Kordana_Racing unit");
    setWindowIcon(QIcon(":/icons/kordana.png"));
    resize(kDesignedWidth, kDesignedHeight);
    QDir().mkpath(m_configDir);
    if (const auto text = readStartFile(settingsPath())) {
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
    buildSetStateLabel();

    createLink();
    buildMapBlockCommands();
    m_compareWindow = new CompareWindow(this);
    m_assignDevice = new AssignDeviceDialog(this);
    connect(m_assignDevice, &AssignDeviceDialog::assigned, this, &TFormHlav::assignDevice);
    installFeatures();
    m_timer = new QTimer(this);
    m_timer->setObjectName("Timer1");
    // The link's time-outs and the monitor rate are counted in 55 ms ticks; a coarse timer
    // may fire up to 5 % early and shortens them all.
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(55);
    connect(m_timer, &QTimer::timeout, this, &TFormHlav::Timer1Timer);
}

QString TFormHlav::settingsPath() const {
    return m_configDir + "/Kordana_R_2006.ini";
}
QString TFormHlav::imageCachePath() const {
    return m_configDir + "/_Kordana_R_2006.ini";
}
QString TFormHlav::testMarkerPath() const {
    return m_configDir + "/test_brenik.txt";
}

QAction* TFormHlav::action(const char* objectName) const {
    return findChild<QAction*>(objectName);
}

void TFormHlav::installFeatures() {
    connect(&m_hub, &EventHub::replayMoved, this, &TFormHlav::MarkOperatingPoint);
    connect(&m_hub, &EventHub::heatMapChosen, this, [this](bool on) {
        m_mapGrid->setHeatMap(on);
        m_mapGrid->showHeat(m_session.image());
    });
    connect(&m_hub, &EventHub::cursorTrailChosen, m_mapGrid, &MapGrid::setCursorTrail);
    // Every session command that changed something reaches the features once, with its cause.
    m_session.setChangeListener(
        [this](const ChangeSet& changes) { emit m_hub.setChanged(changes, changes.cause); });
    m_features = installedFeatures();
    for (const auto& feature : m_features) {
        feature->install(*this);
    }
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

QString TFormHlav::setFilePath() const {
    return m_ruzne->fileName();
}

int TFormHlav::activePageIndex() const {
    return std::max(0, m_pageControl->currentIndex());
}

void TFormHlav::FormCreate() {
    // Run-time pages and the port menu are built by the constructor's page builders.
    buildPortMenu();
    m_comPortIndex = 1;
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
    SetLanguageTexts();
    PageRefresh();
    OpenComPort();
    ApplyLanguage();
    PageRefresh();
    m_statusLine->setStatusVisible(false);
    m_statusLine->setGaugeVisible(false);
    m_monitorPanel->label(MonitorLabelId::EeDataErr)->hide();
    m_testMode = ReadTestMode();
    for (int i = 1; i <= 8; ++i) {
        if (auto* label = findChild<QLabel*>(QString("LabelTest%1").arg(i))) {
            label->setVisible(m_testMode);
        }
    }
    ShowCouplingIndicators();
    // The defaults and the cache are where the user starts, not steps to undo.
    m_session.clearUndoHistory();
    rememberLastFile();
    ShowWhereSetStands();
    keepDamagedCacheInHistory();
    showStartNotes();
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
    CloseComPort();
    PageHarvest();
    ConsistencyPass();
    if (const auto failure = SaveSettings()) {
        offerSaveBeforeClose(*failure);
    }
}

void TFormHlav::MenuExitClick() {
    close();
}

void TFormHlav::ConsistencyPass() {
    m_session.runConsistencyPass();
    repairSettings(m_languageIndex, m_comPortIndex);
}

void TFormHlav::CommitTail() {
    ConsistencyPass();
    PageRefresh();
    ProgrammingAfterChangeCheck();
}

void TFormHlav::CentreWindow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
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

    const int com = ini.readInteger(kSectionForm, "ComPort", m_comPortIndex) - 1;
    m_comPortIndex = static_cast<std::uint8_t>(com >= 0 && com <= 19 ? com : 0);
    const int language = ini.readInteger(kSectionForm, "Language", m_languageIndex);
    m_languageIndex = static_cast<std::uint8_t>(language >= 0 && language <= 3 ? language : 0);
    setFileName(QString::fromStdString(ini.readString(kSectionForm, "File", "")));
    m_lastFilePath = QString::fromStdString(ini.readString(kSectionForm, "IniDir", ""));

    int pageIndex = ini.readInteger(kSectionIgnition, "PageControl1->ActivePageIndex",
                                    m_pageControl->currentIndex());
    if (pageIndex < 0 || pageIndex >= kPageCount) {
        pageIndex = 0;
    }
    m_pageControl->setCurrentIndex(pageIndex);

    for (const char* name : kPersistedBoxes) {
        if (auto* box = findChild<QCheckBox*>(name)) {
            const std::string key = std::string(name) + "->Checked";
            box->setChecked(ini.readInteger(kSectionIgnition, key, box->isChecked() ? 1 : 0) != 0);
        }
    }
    for (const auto& feature : m_features) {
        feature->loadSettings(ini);
    }
    LoadImageCache();
}

void TFormHlav::LoadImageCache() {
    if (const auto text = readStartFile(imageCachePath())) {
        // The cache is read over the defaults: what it does not hold keeps its default.
        ParameterImage image = m_session.image();
        AllFlags flags = m_session.allFlags();
        if (readImageCache(*text, image, flags).damaged) {
            keepDamagedCacheAside(*text);
        }
        m_session.restore(image, flags);
    }
}

std::optional<TFormHlav::FileWriteFailure> TFormHlav::SaveSettings() {
    IniFile& ini = m_settings;
    const QRect geometry = geometryToSave(*this);
    ini.writeInteger(kSectionForm, "Left", geometry.x());
    ini.writeInteger(kSectionForm, "Top", geometry.y());
    ini.writeInteger(kSectionForm, "Height", geometry.height());
    ini.writeInteger(kSectionForm, "Width", geometry.width());
    ini.writeInteger(kSectionForm, "ComPort", m_comPortIndex + 1);
    ini.writeInteger(kSectionForm, "Language", m_languageIndex);
    // A path with a line break is refused by the INI writer: the file keeps the path it had.
    ini.write(kSectionForm, "File", m_ruzne->fileName().toStdString());
    ini.write(kSectionForm, "IniDir", m_lastFilePath.toStdString());
    ini.writeInteger(kSectionIgnition, "PageControl1->ActivePageIndex",
                     m_pageControl->currentIndex());
    for (const char* name : kPersistedBoxes) {
        if (auto* box = findChild<QCheckBox*>(name)) {
            ini.writeInteger(kSectionIgnition, std::string(name) + "->Checked",
                             box->isChecked() ? 1 : 0);
        }
    }
    for (const auto& feature : m_features) {
        feature->saveSettings(ini);
    }
    // A failed write leaves the previous file intact; the stored set matters more, so its
    // failure is the one reported when both fail.
    QString reason;
    const bool settingsWritten = writeFileAtomically(settingsPath(), ini.text(), &reason);
    if (auto failure = SaveImageCache()) {
        return failure;
    }
    if (!settingsWritten) {
        return FileWriteFailure{settingsPath(), reason};
    }
    return std::nullopt;
}

std::optional<TFormHlav::FileWriteFailure> TFormHlav::SaveImageCache() {
    QString reason;
    if (!writeFileAtomically(imageCachePath(),
                             formatImageCache(m_session.image(), m_session.allFlags()), &reason)) {
        return FileWriteFailure{imageCachePath(), reason};
    }
    return std::nullopt;
}

bool TFormHlav::ReadTestMode() const {
    const RegularFileRead marker = readConfigFile(testMarkerPath());
    if (marker.status != RegularFileStatus::Read) {
        return false;
    }
    const QStringList words =
        QString::fromStdString(marker.text).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    return words.contains("TEST_ENABLE");
}

bool TFormHlav::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        HintChanged(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TFormHlav::HintChanged(const QString& longHint) {
    if (m_statusBar != nullptr) {
        m_statusBar->showMessage(longHint);
    }
}

} // namespace kordana

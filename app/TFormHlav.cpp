#include "app/TFormHlav.h"

#include "app/FormLinkEvents.h"
#include "lang/Language.h"
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
#include <QMessageBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace kordana {

namespace {

constexpr int kDesignedWidth = 1033;
constexpr int kDesignedHeight = 866;
constexpr int kPageCount = 14;
const char* const kSectionForm = "FORM_HLAV";
const char* const kSectionIgnition = "IGNITION";

TFormHlav::Answer realMessageBox(TFormHlav& form, const QString& text, TFormHlav::Buttons buttons) {
    if (buttons == TFormHlav::Buttons::Ok) {
        QMessageBox::information(&form, form.windowTitle(), text);
        return TFormHlav::Answer::Ok;
    }
    const auto answer = QMessageBox::question(
        &form, form.windowTitle(), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (answer) {
    case QMessageBox::Yes:
        return TFormHlav::Answer::Yes;
    case QMessageBox::No:
        return TFormHlav::Answer::No;
    default:
        return TFormHlav::Answer::Cancel;
    }
}

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

TFormHlav::TFormHlav(QStringList arguments, QString configDir, QWidget* parent)
    : QMainWindow(parent), messageBox(realMessageBox), m_arguments(std::move(arguments)),
      m_configDir(std::move(configDir)) {
    setObjectName("FormHlav");
    setWindowTitle("Programming of Kordana_Racing unit");
    setWindowIcon(QIcon(":/icons/kordana.png"));
    resize(kDesignedWidth, kDesignedHeight);
    QDir().mkpath(m_configDir);
    if (const auto text = readWholeFile(settingsPath())) {
        m_settings = IniFile::parse(*text);
    }
    buildMenus();
    auto* central = new QWidget(this);
    central->setObjectName("PanelClient");
    setCentralWidget(central);
    buildToolBar(central);
    createCommitBindings();
    buildPages();
    buildMapPages();
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    setStatusBar(StatusBar1);

    createLink();
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    // The link's time-outs and the monitor rate are counted in 55 ms ticks; a coarse timer
    // may fire up to 5 % early and shortens them all.
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(55);
    connect(Timer1, &QTimer::timeout, this, &TFormHlav::Timer1Timer);
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

QWidget* TFormHlav::page(const char* objectName) const {
    return PageControl1->findChild<QWidget*>(objectName);
}

QAction* TFormHlav::action(const char* objectName) const {
    return findChild<QAction*>(objectName);
}

int TFormHlav::activePageIndex() const {
    return std::max(0, PageControl1->currentIndex());
}

void TFormHlav::FormCreate() {
    // Run-time pages and the port menu are built by the constructor's page builders.
    buildPortMenu();
    ComPortIndex = 1;
    image[layout::kBike] = 0;
    applyDefaultSet(image);
    CentreWindow();
    LoadSettings();
    if (!m_arguments.isEmpty()) {
        if (const auto index = languageFromArgument(m_arguments.front().toStdString())) {
            LanguageIndex = *index;
        }
    }
    ConsistencyPass();
    SetLanguageTexts();
    PageRefresh();
    OpenComPort();
    ApplyLanguage();
    PageRefresh();
    LabelHlaseni->hide();
    CGauge->hide();
    LabelEeDataErr->hide();
    TestMode = ReadTestMode();
    for (int i = 1; i <= 8; ++i) {
        if (auto* label = findChild<QLabel*>(QString("LabelTest%1").arg(i))) {
            label->setVisible(TestMode);
        }
    }
    ShowCouplingIndicators();
    Timer1->start();
}

void TFormHlav::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    event->accept();
}

void TFormHlav::FormClose() {
    Timer1->stop();
    CloseComPort();
    PageHarvest();
    ConsistencyPass();
    SaveSettings();
}

void TFormHlav::MenuExitClick() {
    close();
}

void TFormHlav::ConsistencyPass() {
    runConsistencyPass(image);
    repairSettings(LanguageIndex, ComPortIndex);
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
    move(ini.readInteger(kSectionForm, "Left", x()), y());
    move(x(), ini.readInteger(kSectionForm, "Top", y()));
    resize(width(), ini.readInteger(kSectionForm, "Height", height()));
    resize(ini.readInteger(kSectionForm, "Width", width()), height());

    const int com = ini.readInteger(kSectionForm, "ComPort", ComPortIndex) - 1;
    ComPortIndex = static_cast<std::uint8_t>(com >= 0 && com <= 19 ? com : 0);
    const int language = ini.readInteger(kSectionForm, "Language", LanguageIndex);
    LanguageIndex = static_cast<std::uint8_t>(language >= 0 && language <= 3 ? language : 0);
    LabelFile2->setText(QString::fromStdString(ini.readString(kSectionForm, "File", "")));
    LastFilePath = QString::fromStdString(ini.readString(kSectionForm, "IniDir", ""));

    int pageIndex = ini.readInteger(kSectionIgnition, "PageControl1->ActivePageIndex",
                                    PageControl1->currentIndex());
    if (pageIndex < 0 || pageIndex >= kPageCount) {
        pageIndex = 0;
    }
    PageControl1->setCurrentIndex(pageIndex);

    for (const char* name : {"CheckBoxExtMonitor", "CheckBoxAll_Servo", "CheckBoxAll_PolohaA",
                             "CheckBoxAll_PolohaB"}) {
        if (auto* box = findChild<QCheckBox*>(name)) {
            const std::string key = std::string(name) + "->Checked";
            box->setChecked(ini.readInteger(kSectionIgnition, key, box->isChecked() ? 1 : 0) != 0);
        }
    }
    LoadImageCache();
}

void TFormHlav::LoadImageCache() {
    if (const auto text = readWholeFile(imageCachePath())) {
        parseImageCache(*text, image, allFlags);
    }
}

void TFormHlav::SaveSettings() {
    IniFile& ini = m_settings;
    const QRect geometry = geometryToSave(*this);
    ini.writeInteger(kSectionForm, "Left", geometry.x());
    ini.writeInteger(kSectionForm, "Top", geometry.y());
    ini.writeInteger(kSectionForm, "Height", geometry.height());
    ini.writeInteger(kSectionForm, "Width", geometry.width());
    ini.writeInteger(kSectionForm, "ComPort", ComPortIndex + 1);
    ini.writeInteger(kSectionForm, "Language", LanguageIndex);
    // A path with a line break is refused by the INI writer: the file keeps the path it had.
    ini.write(kSectionForm, "File", LabelFile2->text().toStdString());
    ini.write(kSectionForm, "IniDir", LastFilePath.toStdString());
    ini.writeInteger(kSectionIgnition, "PageControl1->ActivePageIndex",
                     PageControl1->currentIndex());
    for (const char* name : {"CheckBoxExtMonitor", "CheckBoxAll_Servo", "CheckBoxAll_PolohaA",
                             "CheckBoxAll_PolohaB"}) {
        if (auto* box = findChild<QCheckBox*>(name)) {
            ini.writeInteger(kSectionIgnition, std::string(name) + "->Checked",
                             box->isChecked() ? 1 : 0);
        }
    }
    // Shutdown stays silent about a failed write; the previous files stay intact.
    writeFileAtomically(settingsPath(), ini.text());
    SaveImageCache();
}

void TFormHlav::SaveImageCache() {
    writeFileAtomically(imageCachePath(), formatImageCache(image, allFlags));
}

bool TFormHlav::ReadTestMode() const {
    const auto text = readWholeFile(testMarkerPath());
    if (!text) {
        return false;
    }
    const QStringList words =
        QString::fromStdString(*text).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
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
    if (StatusBar1 != nullptr) {
        StatusBar1->showMessage(longHint);
    }
}

} // namespace kordana

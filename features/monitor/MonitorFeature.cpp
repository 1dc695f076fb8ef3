#include "features/monitor/MonitorFeature.h"

#include "features/monitor/MonitorPanel.h"
#include "params/ImageLayout.h"
#include "session/EditSession.h"
#include "settings/AtomicFile.h"
#include "settings/IniFile.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"
#include "shell/StatusLine.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace kordana {

namespace {

const char* const kSectionIgnition = "IGNITION";
const char* const kExtMonitorKey = "CheckBoxExtMonitor->Checked";
// Options of this program, in its own section; written once they were ever chosen.
const char* const kSectionKordana = "KORDANA";
const char* const kOneLineKey = "MonitorOneLine";
const char* const kDetachedKey = "MonitorDetached";

void writeOnceChosen(IniFile& settings, const char* key, bool on) {
    if (on || settings.value(kSectionKordana, key)) {
        settings.writeInteger(kSectionKordana, key, on ? 1 : 0);
    }
}

// The panel's own window: closing it puts the panel back below the pages.
class MonitorWindow final : public QWidget {
public:
    MonitorWindow(QWidget* parent, std::function<void()> closed)
        : QWidget(parent, Qt::Window), m_closed(std::move(closed)) {
        setObjectName("FormMonitor");
        setWindowTitle("Monitor");
        auto* fill = new QVBoxLayout(this);
        fill->setContentsMargins(4, 4, 4, 4);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        QWidget::closeEvent(event);
        m_closed();
    }

private:
    std::function<void()> m_closed;
};

} // namespace

void MonitorFeature::install(Shell& shell) {
    m_shell = &shell;
    auto* area = new QWidget(&shell.mainWindow());
    area->setObjectName("PanelMonitor");
    shell.addPanel(area);
    m_area = area;
    m_panel = new MonitorPanel(area);
    // Made at once, so its title is there for the language switch before it first shows.
    m_window = new MonitorWindow(&shell.mainWindow(), [this] { setDetached(false); });
    QObject::connect(m_panel->detachButton(), &QToolButton::toggled, m_panel,
                     [this](bool on) { setDetached(on); });
    EventHub& hub = shell.hub();
    // The Extended Monitor state travels with parameter files: the session keeps it, and a
    // file, an undo or a restore that changes it shows here.
    QObject::connect(m_panel->extMonitorBox(), &QCheckBox::toggled, m_panel,
                     [&shell](bool on) { shell.session().setExtMon(on); });
    QObject::connect(&hub, &EventHub::setChanged, m_panel, [this](const ChangeSet& changes) {
        if (changes.extMon) {
            m_panel->extMonitorBox()->setChecked(m_shell->session().extMon());
        }
    });
    QObject::connect(&hub, &EventHub::monitorFrameDecoded, m_panel,
                     [this](const MonitorFrame& frame) { paint(frame); });
}

void MonitorFeature::paint(const MonitorFrame& frame) {
    const EditSession& session = m_shell->session();
    MonitorOptions options;
    options.extended = session.extMon();
    options.testMode = m_testMode;
    // The servo labels follow the servo switch, as the servo group on its page does.
    options.servoEnabled = session.image()[layout::kServoEnable] != 0;
    options.textUnmatchedUnit = m_shell->texts().TextUnmatchedUnit;
    m_display.update(frame, options);
    m_panel->paint(m_display);
}

void MonitorFeature::loadSettings(const IniFile& settings) {
    QCheckBox* box = m_panel->extMonitorBox();
    box->setChecked(
        settings.readInteger(kSectionIgnition, kExtMonitorKey, box->isChecked() ? 1 : 0) != 0);
    m_panel->setOneLine(settings.readInteger(kSectionKordana, kOneLineKey, 0) != 0);
    m_wantDetached = settings.readInteger(kSectionKordana, kDetachedKey, 0) != 0;
}

void MonitorFeature::saveSettings(IniFile& settings) const {
    settings.writeInteger(kSectionIgnition, kExtMonitorKey,
                          m_panel->extMonitorBox()->isChecked() ? 1 : 0);
    writeOnceChosen(settings, kOneLineKey, m_panel->oneLine());
    writeOnceChosen(settings, kDetachedKey, m_panel->detachButton()->isChecked());
}

bool MonitorFeature::detached() const {
    return m_window != nullptr && m_window->isVisible();
}

void MonitorFeature::setDetached(bool on) {
    if (m_panel->detachButton()->isChecked() != on) {
        m_panel->detachButton()->setChecked(on); // comes back here through the toggle
        return;
    }
    if (on == detached()) {
        return;
    }
    QWidget* host = on ? m_window : m_area;
    if (QLayout* from = m_panel->parentWidget()->layout()) {
        from->removeWidget(m_panel);
    }
    host->layout()->addWidget(m_panel);
    m_panel->show();
    m_area->setVisible(!on);
    if (on) {
        m_window->adjustSize();
        m_window->show();
    } else {
        m_window->hide();
    }
}

void MonitorFeature::applyLanguage(std::uint8_t) {
    // While the unit is not connected the programming count is unknown. At start-up the
    // window is not shown yet; the no-connection label counts as shown when it will be with
    // the window.
    if (auto* label = m_shell->mainWindow().findChild<QLabel*>("LabelPocetProgramovani");
        label != nullptr && m_shell->statusLine().noConnectionShown()) {
        label->setText(QString::fromStdString(m_shell->texts().TextProgCount) + "---");
    }
}

void MonitorFeature::started() {
    // A window of its own opens with the main window, not before it.
    if (m_wantDetached) {
        m_shell->whenWindowShown([this] { setDetached(true); });
    }
    m_panel->label(MonitorLabelId::EeDataErr)->hide();
    m_testMode = ReadTestMode();
    for (int i = 1; i <= 8; ++i) {
        if (auto* label = m_shell->mainWindow().findChild<QLabel*>(QString("LabelTest%1").arg(i))) {
            label->setVisible(m_testMode);
        }
    }
}

bool MonitorFeature::ReadTestMode() const {
    const RegularFileRead marker = readConfigFile(m_shell->configPath("test_brenik.txt"));
    if (marker.status != RegularFileStatus::Read) {
        return false;
    }
    const QStringList words =
        QString::fromStdString(marker.text).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    return words.contains("TEST_ENABLE");
}

} // namespace kordana

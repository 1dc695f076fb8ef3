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
#include <QLabel>
#include <QRegularExpression>

namespace kordana {

namespace {
const char* const kSectionIgnition = "IGNITION";
const char* const kExtMonitorKey = "CheckBoxExtMonitor->Checked";
} // namespace

void MonitorFeature::install(Shell& shell) {
    m_shell = &shell;
    auto* area = new QWidget(&shell.mainWindow());
    area->setObjectName("PanelMonitor");
    shell.addPanel(area);
    m_panel = new MonitorPanel(area);
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
}

void MonitorFeature::saveSettings(IniFile& settings) const {
    settings.writeInteger(kSectionIgnition, kExtMonitorKey,
                          m_panel->extMonitorBox()->isChecked() ? 1 : 0);
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

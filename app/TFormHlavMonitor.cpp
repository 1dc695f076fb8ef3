// The live monitor: monitor replies painted on the monitor panel, live values kept.
#include "app/TFormHlav.h"

#include "app/MonitorPanel.h"
#include "params/ImageLayout.h"

#include <QCheckBox>
#include <QLayout>

namespace kordana {

void TFormHlav::buildMonitorPanel(QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setObjectName("PanelMonitor");
    parent->layout()->addWidget(area);
    m_monitorPanel = new MonitorPanel(area);
    // The Extended Monitor state travels with parameter files: the session keeps it.
    connect(m_monitorPanel->extMonitorBox(), &QCheckBox::toggled, this, [this](bool on) {
        m_session.setExtMon(on);
        ShowWhereSetStands();
    });
}

void TFormHlav::ShowMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame) {
    MonitorOptions options;
    options.extended = m_session.extMon();
    options.testMode = m_testMode;
    // The servo labels follow the servo switch, as the servo group on its page does.
    options.servoEnabled = m_session.image()[layout::kServoEnable] != 0;
    options.textUnmatchedUnit = m_texts.TextUnmatchedUnit;
    // Decoded once here for the panel, the cursor and every feature that listens.
    const std::optional<MonitorFrame> decoded = decodeMonitorFrame(frame);
    if (!decoded) {
        return;
    }
    m_monitorDisplay.update(*decoded, options);
    m_monitorPanel->paint(m_monitorDisplay);
    // The unit speaks again: the cursor follows the engine, no longer a log's row.
    m_hub.publishUnitValues(liveValuesOf(*decoded));
    emit m_hub.monitorFrameDecoded(*decoded);
}

} // namespace kordana

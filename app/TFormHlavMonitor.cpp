// The live monitor: monitor replies painted on the monitor panel, live values kept.
#include "app/TFormHlav.h"

#include "app/MonitorPanel.h"
#include "params/ImageLayout.h"

#include <QCheckBox>

namespace kordana {

void TFormHlav::buildMonitorPanel() {
    monitorPanel = new MonitorPanel(MonitorArea);
    CheckBoxExtMonitor = monitorPanel->extMonitorBox();
    LabelEeDataErr = monitorPanel->label(MonitorLabelId::EeDataErr);
    onMonitorFrame = [this](std::span<const std::uint8_t, kFrameSize> frame) {
        ShowMonitorFrame(frame);
    };
}

void TFormHlav::ShowMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame) {
    MonitorOptions options;
    options.extended = CheckBoxExtMonitor->isChecked();
    options.testMode = TestMode;
    // The servo labels follow the servo switch, as the servo group on its page does.
    options.servoEnabled = image[layout::kServoEnable] != 0;
    options.textUnmatchedUnit = texts.TextUnmatchedUnit;
    if (showMonitorFrame(frame, options, monitorDisplay, liveValues)) {
        monitorPanel->paint(monitorDisplay);
    }
}

} // namespace kordana

#pragma once

#include "monitor/MonitorDisplay.h"
#include "shell/Feature.h"

class QWidget;

namespace kordana {

class MonitorPanel;

/// The live monitor below the pages: each decoded monitor frame painted on the monitor panel
/// and its gauges, the Extended Monitor box (kept with the set), and the test row shown in
/// test mode. The panel shrinks to one line or moves into a window of its own on its toggles;
/// both choices are kept in the KORDANA section once made.
class MonitorFeature final : public Feature {
public:
    void install(Shell& shell) override;
    void loadSettings(const IniFile& settings) override;
    void saveSettings(IniFile& settings) const override;
    void applyLanguage(std::uint8_t index) override;
    void started() override;

    /// True when the test-mode marker file enables the test row of the monitor.
    bool testMode() const { return m_testMode; }
    MonitorPanel* panel() const { return m_panel; }

    /// Moves the panel into a window of its own (`on`), or back below the pages.
    void setDetached(bool on);
    bool detached() const;
    /// The panel's own window, hidden while the panel stands below the pages.
    QWidget* window() const { return m_window; }

private:
    void paint(const MonitorFrame& frame);
    bool ReadTestMode() const;

    Shell* m_shell = nullptr;
    MonitorPanel* m_panel = nullptr;
    QWidget* m_area = nullptr;
    QWidget* m_window = nullptr;
    bool m_wantDetached = false;
    MonitorDisplay m_display;
    bool m_testMode = false;
};

} // namespace kordana

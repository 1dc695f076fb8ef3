#pragma once

#include "shell/Feature.h"

class QAction;

namespace kordana {

/// The View menu's map colours: "Heat map colours" (cells coloured by value) and "Cursor
/// trail" (the cells the operating point visited fade behind it), kept in our own settings
/// section. The map page hears of them through the hub.
class ViewFeature final : public Feature {
public:
    void install(Shell& shell) override;
    void loadSettings(const IniFile& settings) override;
    void saveSettings(IniFile& settings) const override;

    /// View > Heat map colours: map cells coloured by value, or not.
    void MenuHeatMapClick();
    /// View > Cursor trail: the cells the operating point visited fade behind it, or not.
    void MenuCursorTrailClick();

private:
    Shell* m_shell = nullptr;
    QAction* m_heatMap = nullptr;
    QAction* m_cursorTrail = nullptr;
};

} // namespace kordana

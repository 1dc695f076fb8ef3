#pragma once

#include "monitor/MonitorDisplay.h"

#include <string>
#include <vector>

namespace kordana {

/// The monitor panel as lines of text, grouped as on the window: the texts of every visible
/// label, " | " between labels of one line, and the label colour in brackets where it is not
/// the normal one ("TW= 120 °C [red]"). Labels with a fixed caption (power outputs, data error)
/// show that caption.
std::vector<std::string> monitorPanelLines(const MonitorDisplay& display);

} // namespace kordana

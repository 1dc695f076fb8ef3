#pragma once

#include <cstdint>

namespace kordana {

class IniFile;
class Shell;

/// One module of the window: it owns its actions (under their given object names), widgets,
/// windows, settings keys and hub subscriptions. The window calls these in install order.
class Feature {
public:
    virtual ~Feature() = default;

    /// Creates the feature's actions, widgets and windows and subscribes to the hub; called
    /// once while the window is constructed. `shell` outlives the feature.
    virtual void install(Shell& shell) = 0;
    /// Reads the feature's own keys when the window loads its settings (FormCreate).
    virtual void loadSettings(const IniFile& /*settings*/) {}
    /// Writes the feature's own keys when the window saves its settings (FormClose).
    virtual void saveSettings(IniFile& /*settings*/) const {}
    /// After the language tables were applied to every control (language `index`).
    virtual void applyLanguage(std::uint8_t /*index*/) {}
    /// First step of FormClose, once the timer stopped and before the port closes.
    virtual void shutDown() {}
};

} // namespace kordana

#pragma once

#include <QString>

#include <cstdint>

namespace kordana {

class IniFile;
class Shell;

/// One module of the window: it owns its actions (under their given object names), widgets,
/// windows, settings keys and hub subscriptions. The window calls these in install order,
/// which is the order of the start-up and of the refresh.
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
    /// FormCreate, once the set is shown for the first time and before the language is
    /// applied: the port opens here.
    virtual void open() {}
    /// Applies language `index` to what the feature shows (the language tables first).
    virtual void applyLanguage(std::uint8_t /*index*/) {}
    /// The last step of FormCreate before the timer starts.
    virtual void started() {}
    /// First step of FormClose, once the timer stopped; the port closes here.
    virtual void shutDown() {}
    /// FormClose could not write `path` (settings or stored set) for `reason`: the set may be
    /// lost with it.
    virtual void settingsNotWritten(const QString& /*path*/, const QString& /*reason*/) {}
};

} // namespace kordana

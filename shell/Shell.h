#pragma once

#include "lang/MessageTexts.h"
#include "params/IgnReader.h"
#include "shell/DesktopServices.h"

#include <QString>

#include <cstdint>

class QAction;
class QWidget;

namespace kordana {

class EditSession;
class EventHub;

/// A menu item a feature adds: it goes to the place the menu skeleton keeps for `name`.
struct MenuItemSpec {
    const char* name;
    const char* caption;
    const char* shortcut = ""; // portable text ("Ctrl+R", "F3"), empty for none
    bool checkable = false;
};

/// What the window frame offers a feature. The frame names no feature; a feature reaches the
/// others only through the hub.
class Shell {
public:
    /// The main window: parent of a feature's windows and dialogs, root of every objectName.
    virtual QWidget& mainWindow() = 0;
    virtual EventHub& hub() = 0;
    /// The one editing session; every change of the set is one of its commands.
    virtual EditSession& session() = 0;
    virtual DesktopServices& desktop() = 0;
    virtual std::uint8_t languageIndex() const = 0;
    /// The current language's message texts.
    virtual const MessageTexts& texts() const = 0;
    /// Creates the item `item` in the place the menu skeleton keeps for it (application-wide
    /// shortcut). Null when the skeleton has no place of that name.
    virtual QAction* addMenuItem(const MenuItemSpec& item) = 0;
    /// Shows `text` in the status bar until the next hint.
    virtual void showStatusBarText(const QString& text) = 0;
    /// Adds `widget` to the right end of the status bar.
    virtual void addStatusBarWidget(QWidget* widget) = 0;
    /// The active page of PageControl1 (0..13).
    virtual int activePageIndex() const = 0;
    /// The shown caption of page `index` of PageControl1.
    virtual QString pageCaption(int index) const = 0;
    /// Where the next Open or Save dialog starts: the parameter file last opened or saved.
    virtual const QString& lastFilePath() const = 0;
    /// What the active page shows goes into the session (harvest, consistency pass, refresh),
    /// as before Save.
    virtual void harvestShownPage() = 0;
    /// Shows `text` on the status line (red for a failure), held and then hidden like the
    /// link's messages, and replaced by the link's next one.
    virtual void showStatus(const QString& text, bool red) = 0;
    /// The parameter file the set on screen came from (empty: none).
    virtual QString setFilePath() const = 0;
    /// Takes over a set read from a file (the Extended Monitor state with it), then runs the
    /// commit tail; `fileName` becomes the set's file (empty: none).
    virtual void takeOverSetFromFile(const IgnReadResult& read, const QString& fileName) = 0;
    /// Shows `text` in a message box over the window.
    virtual void showMessage(const std::string& text) = 0;

protected:
    ~Shell() = default;
};

} // namespace kordana

#pragma once

#include "lang/MessageTexts.h"
#include "link/Frame.h"
#include "params/IgnReader.h"
#include "shell/DesktopServices.h"
#include "shell/ToolBarGlyphs.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <span>
#include <string>

class QAbstractButton;
class QAction;
class QTabWidget;
class QWidget;

namespace kordana {

class EditSession;
class EventHub;
class IniFile;
class MapGrid;
class StatusLine;

/// A menu item a feature adds: it goes to the place the menu skeleton keeps for `name`.
struct MenuItemSpec {
    const char* name;
    const char* caption;
    const char* shortcut = ""; // portable text ("Ctrl+R", "F3"), empty for none
    bool checkable = false;
};

/// A button a feature adds to the tool bar, in the place the tool bar keeps for `name`.
struct ToolButtonSpec {
    const char* name;
    const char* caption = nullptr; // null: a glyph button showing `glyph`
    ToolBarGlyph glyph = ToolBarGlyph::New;
};

/// What the window frame offers a feature: its parts (menus, tool bar, pages, map grid,
/// status line, status bar), the session, the settings file and the steps every command ends
/// with. The frame names no feature; a feature reaches the others only through the hub.
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
    /// Makes `index` the language: every feature applies it, then the hub says so.
    virtual void setLanguage(std::uint8_t index) = 0;
    /// The settings file: read at start, written at close; each feature keeps its own keys.
    virtual IniFile& settings() = 0;
    /// The file `name` in the folder where the settings live.
    virtual QString configPath(const QString& name) const = 0;

    // --- the frame's parts ---------------------------------------------------------------------
    /// Creates the item `item` in the place the menu skeleton keeps for it (application-wide
    /// shortcut; checkable and one of a group in an exclusive menu). Null when the skeleton has
    /// no place of that name.
    virtual QAction* addMenuItem(const MenuItemSpec& item) = 0;
    /// Creates the tool bar button `button` in its place. Null when the bar has no such place.
    virtual QAbstractButton* addToolButton(const ToolButtonSpec& button) = 0;
    /// Adds `widget` to the tool bar's row, after the tool bar and before the status line.
    virtual void addToolBarRowWidget(QWidget* widget) = 0;
    /// Adds `widget` below the pages.
    virtual void addPanel(QWidget* widget) = 0;
    /// Shows `text` in the status bar until the next hint.
    virtual void showStatusBarText(const QString& text) = 0;
    /// Adds `widget` to the right end of the status bar.
    virtual void addStatusBarWidget(QWidget* widget) = 0;
    /// The status line beside the tool bar (message, gauge, no-connection label).
    virtual StatusLine& statusLine() = 0;
    /// PageControl1: the fourteen pages.
    virtual QTabWidget& pageControl() = 0;
    /// The one grid every map page shows.
    virtual MapGrid& mapGrid() = 0;
    /// The active page of PageControl1 (0..13).
    virtual int activePageIndex() const = 0;
    /// The shown caption of page `index` of PageControl1.
    virtual QString pageCaption(int index) const = 0;
    /// Where the next Open or Save dialog starts: the parameter file last opened or saved.
    virtual const QString& lastFilePath() const = 0;
    /// The parameter file the set on screen came from (empty: none).
    virtual QString setFilePath() const = 0;

    // --- the steps every command ends with -------------------------------------------------
    /// Stores the active page's controls into the session.
    virtual void PageHarvest() = 0;
    /// Rewrites the active page's controls from the session, then everything that shows it.
    virtual void PageRefresh() = 0;
    /// Repairs the image and the window's own settings.
    virtual void ConsistencyPass() = 0;
    /// Consistency pass, refresh, then the programming-after-change check.
    virtual void CommitTail() = 0;
    /// What the active page shows goes into the session (harvest, consistency pass, refresh),
    /// as before Save.
    virtual void harvestShownPage() = 0;
    /// One monitor reply from the unit: decoded once, its values published, told to everyone.
    virtual void ShowMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame) = 0;
    /// Takes over a set read from a file (the Extended Monitor state with it), then runs the
    /// commit tail; `fileName` becomes the set's file (empty: none).
    virtual void takeOverSetFromFile(const IgnReadResult& read, const QString& fileName) = 0;

    // --- messages ----------------------------------------------------------------------------
    /// Shows `text` on the status line (red for a failure), held and then hidden like the
    /// link's messages, and replaced by the link's next one.
    virtual void showStatus(const QString& text, bool red) = 0;
    /// Shows `text` in a message box over the window.
    virtual void showMessage(const std::string& text) = 0;
    /// Asks `text` in a message box with `buttons`.
    virtual DesktopServices::Answer ask(const std::string& text,
                                        DesktopServices::Buttons buttons) = 0;
    /// Runs `step` once the main window stands on the screen: at once when it is shown, else
    /// from the event loop after its first showing (a start-up message then appears over the
    /// window, not before it).
    virtual void whenWindowShown(std::function<void()> step) = 0;

protected:
    ~Shell() = default;
};

} // namespace kordana

#pragma once

#include "app/StartFiles.h"
#include "lang/MessageTexts.h"
#include "session/EditSession.h"
#include "settings/IniFile.h"
#include "shell/DesktopServices.h"
#include "shell/EventHub.h"
#include "shell/Feature.h"
#include "shell/MenuSkeleton.h"
#include "shell/Shell.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QHBoxLayout;
class QStatusBar;
class QVBoxLayout;
class QTabWidget;
class QTimer;

namespace kordana {

class ShownSteps;

/// The main window's frame: menus, tool bar, pages, map grid, status line and status bar, the
/// 55 ms Timer1, the settings file and the stored set. Everything else is a feature, installed
/// in the order of InstalledFeatures; the frame names none of them.
class TFormHlav : public QMainWindow, public Shell {
    Q_OBJECT

public:
    using Answer = DesktopServices::Answer;
    using Buttons = DesktopServices::Buttons;

    /// Builds the window and its features; `arguments` are the program's arguments without
    /// the program name; `configDir` is where settings and cache live; `desktop` (null: the
    /// real desktop) shows message boxes and file dialogs.
    TFormHlav(QStringList arguments, QString configDir,
              std::unique_ptr<DesktopServices> desktop = nullptr, QWidget* parent = nullptr);
    ~TFormHlav() override;

    /// The creation handler: run once after construction, before the window is shown.
    void FormCreate();
    /// One 55 ms tick: the features' step (the link first), then the cursor.
    void Timer1Timer();
    /// Marks where the engine runs on the active page (last step of every tick).
    void MarkOperatingPoint();

    /// The menu item called `objectName`, or null.
    QAction* action(const char* objectName) const;
    /// The installed feature of type `T`, or null.
    template <class T>
    T* feature() const {
        for (const auto& installed : m_features) {
            if (auto* found = dynamic_cast<T*>(installed.get())) {
                return found;
            }
        }
        return nullptr;
    }
    const EditSession& session() const { return m_session; }
    /// The unit's values from its last intact monitor frame.
    const MonitorLiveValues& liveValues() const { return m_hub.unitValues(); }
    void setLastFilePath(const QString& path) { m_hub.setLastFilePath(path); }

    // --- Shell ----------------------------------------------------------------------------------
    QWidget& mainWindow() override { return *this; }
    EventHub& hub() override { return m_hub; }
    EditSession& session() override { return m_session; }
    DesktopServices& desktop() override { return *m_desktop; }
    std::uint8_t languageIndex() const override { return m_languageIndex; }
    const MessageTexts& texts() const override { return m_texts; }
    void setLanguage(std::uint8_t index) override;
    IniFile& settings() override { return m_settings; }
    QString configPath(const QString& name) const override { return m_configDir + "/" + name; }
    QAction* addMenuItem(const MenuItemSpec& item) override { return m_menuSkeleton.add(item); }
    QAbstractButton* addToolButton(const ToolButtonSpec& button) override;
    void addToolBarRowWidget(QWidget* widget) override;
    void addPanel(QWidget* widget) override;
    void showStatusBarText(const QString& text) override;
    void addStatusBarWidget(QWidget* widget) override;
    StatusLine& statusLine() override { return *m_statusLine; }
    QTabWidget& pageControl() override { return *m_pageControl; }
    MapGrid& mapGrid() override { return *m_mapGrid; }
    int activePageIndex() const override;
    QString pageCaption(int index) const override;
    const QString& lastFilePath() const override { return m_hub.lastFilePath(); }
    QString setFilePath() const override { return m_hub.setFile(); }
    void PageHarvest() override;
    void PageRefresh() override;
    void ConsistencyPass() override;
    void CommitTail() override;
    void harvestShownPage() override;
    void ShowMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame) override;
    void takeOverSetFromFile(const IgnReadResult& read, const QString& fileName) override;
    void showStatus(const QString& text, bool red) override;
    void showMessage(const std::string& text) override;
    Answer ask(const std::string& text, Buttons buttons) override;
    void whenWindowShown(std::function<void()> step) override;

    QString settingsPath() const { return m_startFiles.settingsPath(); }
    QString imageCachePath() const { return m_startFiles.imageCachePath(); }

public slots:
    void MenuExitClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Construction (TFormHlavLayout.cpp).
    void buildMenus();
    void buildToolBar(QWidget* parent);
    void buildPages();
    // Start-up and shutdown (TFormHlav.cpp).
    void FormClose();
    void LoadSettings();
    std::optional<FileWriteFailure> SaveSettings();
    void ApplyLanguage();
    void CentreWindow();

    QStringList m_arguments;
    QString m_configDir;
    std::unique_ptr<DesktopServices> m_desktop;
    StartFiles m_startFiles;
    IniFile m_settings;
    bool m_closed = false;

    EditSession m_session;
    std::uint8_t m_languageIndex = 0;
    MessageTexts m_texts;

    EventHub m_hub;
    MenuSkeleton m_menuSkeleton;
    ToolBarSkeleton m_toolBar;
    std::vector<std::unique_ptr<Feature>> m_features;

    QTabWidget* m_pageControl = nullptr;
    MapGrid* m_mapGrid = nullptr;
    StatusLine* m_statusLine = nullptr;
    QHBoxLayout* m_toolBarRow = nullptr;
    QVBoxLayout* m_column = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QTimer* m_timer = nullptr;
    ShownSteps* m_whenShown = nullptr;
};

} // namespace kordana

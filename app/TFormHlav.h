#pragma once

#include "editors/PageDispatcher.h"
#include "lang/MessageTexts.h"
#include "link/Frame.h"
#include "link/LinkEvents.h"
#include "link/serial/PortWatch.h"
#include "link/serial/SerialDevices.h"
#include "monitor/MonitorDisplay.h"
#include "monitor/MonitorLiveValues.h"
#include "monitor/OperatingPoint.h"
#include "report/PrintView.h"
#include "session/EditSession.h"
#include "session/MapBlock.h"
#include "session/SetStanding.h"
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

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPixmap;
class QStatusBar;
class QTabWidget;
class QTimer;
class QWidget;

namespace kordana {

class AssignDeviceDialog;
class CommitBindings;
class EditSelectionDialog;
class CompareWindow;
class LinkEvents;
class LinkProtocol;
class MapGrid;
class MonitorPanel;
class PolohaPage;
class RuznePage;
class SerialPort;
class ServoPage;
class StatusLine;

/// The main window: composes the editor pages, the status line, the monitor panel, the port
/// and the link around one editing session, and keeps the settings. Handlers keep their given
/// names; each concern lives in its own TFormHlav*.cpp. All state is private.
class TFormHlav : public QMainWindow, public Shell {
    Q_OBJECT

public:
    using Answer = DesktopServices::Answer;
    using Buttons = DesktopServices::Buttons;

    /// Builds the window and its static controls; `arguments` are the program's arguments
    /// without the program name; `configDir` is where settings and cache live; `desktop`
    /// (null: the real desktop) shows message boxes and file dialogs.
    TFormHlav(QStringList arguments, QString configDir,
              std::unique_ptr<DesktopServices> desktop = nullptr, QWidget* parent = nullptr);
    ~TFormHlav() override;

    /// The creation handler: run once after construction, before the window is shown.
    void FormCreate();

    // --- what the window holds, for reading ---------------------------------------------------
    /// The parameter set being edited; every change goes through its commands.
    EditSession& session() override { return m_session; }
    const EditSession& session() const { return m_session; }
    std::uint8_t languageIndex() const override { return m_languageIndex; }
    std::uint8_t comPortIndex() const { return m_comPortIndex; }
    /// True when the test-mode marker file enables the test row of the monitor.
    bool testMode() const { return m_testMode; }
    /// The current language's message texts.
    const MessageTexts& texts() const override { return m_texts; }
    /// The parameter file last opened or saved.
    const QString& lastFilePath() const override { return m_lastFilePath; }
    /// Where the next Open or Save dialog starts (the settings' `IniDir`).
    void setLastFilePath(const QString& path) { m_lastFilePath = path; }
    /// How many programming runs the programming-after-change check has started.
    int programmingAfterChangeStarts() const { return m_programmingAfterChangeStarts; }
    /// The unit's values from its last intact monitor frame.
    const MonitorLiveValues& liveValues() const { return m_hub.unitValues(); }
    /// Where the engine runs on the active page's curves (the single-point tools read it).
    const OperatingPoint& operatingPoint() const { return m_operatingPoint; }
    LinkProtocol& link() { return *m_link; }
    /// The serial line the link talks through.
    SerialPort& serialPort() { return *m_port; }
    /// The active page index of PageControl1 (0..13).
    int activePageIndex() const override;

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

    // --- the frame as the features see it -------------------------------------------------------
    QWidget& mainWindow() override { return *this; }
    EventHub& hub() override { return m_hub; }
    DesktopServices& desktop() override { return *m_desktop; }
    QAction* addMenuItem(const MenuItemSpec& item) override { return m_menuSkeleton.add(item); }
    void showStatusBarText(const QString& text) override;
    void addStatusBarWidget(QWidget* widget) override;
    QString pageCaption(int index) const override;
    QString setFilePath() const override;
    void takeOverSetFromFile(const IgnReadResult& read, const QString& fileName) override;
    void showMessage(const std::string& text) override;
    void harvestShownPage() override;
    void showStatus(const QString& text, bool red) override;

    QString settingsPath() const;
    QString imageCachePath() const;
    QString testMarkerPath() const;

    // --- file commands after their dialogs ------------------------------------------------------
    /// Open after its dialog: loads `path`; when the file carries the right version and was
    /// read to its end, takes it over, hides the status line and runs the commit tail; shows
    /// the failure otherwise. A file that lacks keys is applied too (their bytes keep their
    /// values); the status line then names them and the set counts as changed. True when the
    /// file was applied.
    bool openParameterFile(const QString& path);
    /// Save after its dialog: harvest, consistency pass, refresh, then writes `path`
    /// atomically; on any failure shows "Open file error!" and changes neither the file nor
    /// the remembered path. True when the file was written.
    bool saveParameterFile(const QString& path);

    // --- operations shared by the handlers --------------------------------------------------
    /// Repairs the image and the language and port index.
    void ConsistencyPass();
    /// Stores the active page's controls into the session.
    void PageHarvest();
    /// Rewrites the active page's controls from the session, then the coupling indicators.
    void PageRefresh();
    /// Consistency pass, refresh, programming-after-change check.
    void CommitTail();
    /// Fills the message texts for the language and the programming-count label.
    void SetLanguageTexts();
    /// Applies the language to every caption, item list and hint, then the message texts.
    void ApplyLanguage();
    /// Tab visibility, mode check marks and indicator, fixed-page visibility rules.
    void ShowCouplingIndicators();
    void OpenComPort();
    void CloseComPort();
    /// Closes and opens the chosen port again after it may have come to lead to another unit
    /// (another number or another device): recording stops, the unit's copy of the set and the
    /// cursor trail are forgotten.
    void ReopenComPort();
    /// Starts a programming run when "Programming after change" is set and the image changed
    /// (or the box was set since the previous check).
    void ProgrammingAfterChangeCheck();
    /// Key press of every edit: Enter is swallowed, the focus moves on, then the active page
    /// is harvested and the commit tail runs. Returns true when the key was swallowed.
    bool FormKeyPress(QWidget* sender, int key);
    /// Handles one monitor reply (first byte 0xB0): when intact, updates the live values and
    /// paints the monitor panel; a damaged frame changes nothing.
    void ShowMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame);
    /// Marks where the engine runs on the active page (last step of every tick).
    void MarkOperatingPoint();
    /// Where the set stands against the last file and the unit, in `LabelSetState`, and
    /// whether Undo and Redo have a step; run after every command and link event.
    void ShowWhereSetStands();
    /// Greys the Edit menu's block commands unless a map page shows a selected block (Copy
    /// cells also on a locked page); run after every refresh and selection change.
    void ShowMapBlockCommands();
    /// The dialog of Edit > "Edit selection...", made with the window.
    EditSelectionDialog* editSelectionDialog() const { return m_editSelection; }
    /// The remembered file and unit sets the status bar compares with.
    const SetStanding& setStanding() const { return m_standing; }

    // --- serial devices ---------------------------------------------------------------------
    using SerialDeviceLister = std::function<std::vector<SerialDevice>()>;
    /// Where Com > Assign serial device... finds the devices present (default: the system's).
    void setSerialDeviceLister(SerialDeviceLister lister) { m_serialDevices = std::move(lister); }
    /// The dialog of Com > Assign serial device..., made with the window.
    AssignDeviceDialog* assignDeviceDialog() const { return m_assignDevice; }

public slots:
    void MenuNewClick();
    void MenuOpenClick();
    void MenuSaveClick();
    void SpeedButtonPrintClick();
    void MenuExitClick();
    void MenuCom1Click();
    void MenuReadClick();
    void MenuVerifyClick();
    void MenuProgramClick();
    /// Reads the unit's set apart from the set being edited and lists what differs.
    void MenuCompareClick();
    void Menu_Ign123NormalClick();
    void Menu_Ign123CoupledClick();
    void Menu_Ign123StejnyClick();
    void Menu_Jet123NormalClick();
    void Menu_Jet123CoupledClick();
    void Menu_Jet123StejnyClick();
    void MenuToolsMinusClick();
    void MenuToolsPlusClick();
    void MenuEnglishClick();
    void MenuGermanClick();
    void MenuCzechClick();
    void MenuFrenchClick();
    /// Edit > Undo (Ctrl+Z): the newest step goes back, then the commit tail.
    void MenuUndoClick();
    /// Edit > Redo (Ctrl+Y, Ctrl+Shift+Z): the newest undone step again, then the commit tail.
    void MenuRedoClick();
    /// Edit > Interpolate horizontally (Ctrl+Shift+H): each selected row between its first and
    /// last selected cell, then the commit tail. The block commands below act likewise on the
    /// map grid's selection and propagate from a master map as the bulk tools do.
    void MenuInterpolateRowsClick();
    /// Edit > Interpolate vertically (Ctrl+Shift+V): each selected column top to bottom.
    void MenuInterpolateColumnsClick();
    /// Edit > Interpolate from the corners (Ctrl+Shift+B): bilinear from the block's corners.
    void MenuInterpolateCornersClick();
    /// Edit > Smooth (Ctrl+Shift+S): each inner cell the 3 x 3 average, the block's edge kept.
    void MenuSmoothClick();
    /// Edit > "Edit selection..." (Ctrl+E): opens the dialog; its OK runs the edit.
    void MenuEditSelectionClick();
    /// Edit > Copy cells (Ctrl+C with a selection): the shown values as tab-separated rows.
    void MenuCopyCellsClick();
    /// Edit > Paste cells (Ctrl+V with a selection): the clipboard's numbers from the block's
    /// top-left cell; anything else refuses the whole paste with a status-line message.
    void MenuPasteCellsClick();
    /// The user chose preset `index` in ComboBoxBike: BIKE := index, then New.
    void ComboBoxBikeChange(int index);
    void Timer1Timer();
    void PageControl1Change(int index);
    /// Harvest of the active page, then the commit tail (edit clicks, static edits' exit).
    void EditExit();
    /// Harvest of the active page, then the commit tail (every up-down's click).
    void UpDownClick();
    /// Harvest, coupling indicators, commit tail (mouse release on the bound check boxes).
    void CheckBoxMouseUp();
    /// Column step down / up of the map grid's column spin button that sent it.
    void CSpinButtonDownClick_Uni();
    void CSpinButtonUpClick_Uni();
    /// File > Print to PDF...: the printout's picture as a one-page PDF file chosen in a dialog.
    void MenuPrintPdfClick();
    /// Com > Assign serial device...: lists the devices present; OK assigns one to a COM number.
    void MenuAssignDeviceClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    class LinkEventsAdapter;

    // Construction (TFormHlavLayout.cpp, TFormHlavEditors.cpp).
    void buildMenus();
    void buildToolBar(QWidget* parent);
    void buildPages();
    void buildMapGrid();
    void buildPortMenu();
    void buildMonitorPanel(QWidget* parent);
    // Start-up and shutdown (TFormHlav.cpp).
    void FormClose();
    void LoadSettings();
    /// A file the window could not write, and the system's reason.
    struct FileWriteFailure {
        QString path;
        QString reason;
    };
    std::optional<FileWriteFailure> SaveSettings();
    void LoadImageCache();
    std::optional<FileWriteFailure> SaveImageCache();
    // The settings file and the stored set read and kept (TFormHlavStore.cpp).
    std::optional<std::string> readStartFile(const QString& path);
    void keepDamagedCacheAside(const std::string& text);
    void keepDamagedCacheInHistory();
    void showStartNotes();
    void offerSaveBeforeClose(const FileWriteFailure& failure);
    void showFileError(const QString& reason);
    bool ReadTestMode() const;
    void CentreWindow();
    void HintChanged(const QString& longHint);
    // Language (TFormHlavLanguage.cpp).
    void selectLanguage(std::uint8_t index);
    // Link (TFormHlavLink.cpp).
    void createLink();
    void watchPort(); // says when the port is lost, and when it is back
    void StartProgramming();
    void HideStatusLine();
    QString comPortDevice() const;
    /// The device port COMn opens (the settings' PORTS mapping, else the default rule).
    QString comDevice(int comNumber) const;
    /// The 20 "Com n" items of the Com menu, in order.
    QList<QAction*> comPortItems() const;
    /// Each "Com n" item's status-bar hint names the device it opens.
    void ShowComPortHints();
    /// COM number `comNumber` opens `devicePath` from now on; kept in the settings' PORTS.
    void assignDevice(int comNumber, const QString& devicePath);
    /// Lists and outlines how the set being edited differs from `unitSet`: the whole unit after
    /// a compare read (`fromCompareRead`, "No differences" when equal), else what a failed
    /// verify received, shown only when it differs.
    void showComparison(const ParameterImage& unitSet, bool fromCompareRead);
    void clearComparison();
    // Editors and coupling.
    void selectPageQuietly(int index);
    void applyCouplingCommand(int group, std::uint8_t mode);
    void columnStep(const QObject* sender, int direction);
    // Bulk tools (TFormHlavEditors.cpp).
    void connectBulkTools(PolohaPage& poloha, ServoPage& servo);
    void runMenuTool(int direction);
    BulkToolInput toolInput();
    void showActiveMasterIfHidden();
    void refreshPage(int index);
    // Block commands on the map grid's selection (TFormHlavMapBlock.cpp).
    void buildMapBlockCommands();
    std::optional<mapblock::CellBlock> shownSelection() const;
    std::optional<mapblock::CellBlock> editableSelection() const;
    void shapeSelection(mapblock::Shape shape);
    // Commands.
    Answer ask(const std::string& text, Buttons buttons);
    void setFileName(const QString& path);
    // Undo and where the set stands (TFormHlavUndo.cpp).
    void buildSetStateLabel();
    void rememberLastFile();
    void crossUndoStep(const ChangeSet& changes);
    void unitStatus(LinkMessage message, bool ok, StatusColour colour);
    void newAfterQuestion(const ParameterImage& replaced);
    void takeOverFileRead(const IgnReadResult& read);
    void showIncompleteFile(const IgnReadResult& read);
    // Printout (TFormHlavPrint.cpp).
    void SetPrintView();
    void printWindow(const std::function<bool(const QPixmap&)>& output, const std::string& failure);
    void showPrintStamp();
    QString proposedPdfPath() const;
    // The features (TFormHlav.cpp).
    void installFeatures();

    QStringList m_arguments;
    QString m_configDir;
    std::unique_ptr<DesktopServices> m_desktop;
    IniFile m_settings;
    bool m_closed = false;
    // What start-up found wrong with its files, said once in the status line; and the set a
    // damaged stored set still held, kept among the earlier sets once a history folder is set.
    QStringList m_refusedStartFiles;
    QString m_damagedCacheKeptAs;
    std::optional<ParameterImage> m_damagedCacheSet;

    EditSession m_session;
    std::uint8_t m_languageIndex = 0;
    std::uint8_t m_comPortIndex = 1; // COM1 is index 0
    bool m_testMode = false;
    MessageTexts m_texts;
    QString m_lastFilePath;
    int m_programmingAfterChangeStarts = 0;

    EventHub m_hub;
    MenuSkeleton m_menuSkeleton;
    std::vector<std::unique_ptr<Feature>> m_features;

    MonitorDisplay m_monitorDisplay;
    OperatingPoint m_operatingPoint;

    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<LinkEvents> m_linkEvents; // a LinkEventsAdapter
    std::unique_ptr<LinkProtocol> m_link;
    std::unique_ptr<PortWatch> m_portWatch;

    PageDispatcher m_pages;
    CommitBindings* m_commitBindings = nullptr;
    MapGrid* m_mapGrid = nullptr;
    RuznePage* m_ruzne = nullptr;
    bool m_quietPageChange = false;

    QTabWidget* m_pageControl = nullptr;
    StatusLine* m_statusLine = nullptr;
    MonitorPanel* m_monitorPanel = nullptr;
    QCheckBox* m_progHned = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QTimer* m_timer = nullptr;
    QMenu* m_menuCom = nullptr;
    SetStanding m_standing;
    QLabel* m_setState = nullptr;
    EditSelectionDialog* m_editSelection = nullptr;
    CompareWindow* m_compareWindow = nullptr;

    AssignDeviceDialog* m_assignDevice = nullptr;
    SerialDeviceLister m_serialDevices = listSerialDevices;

    bool m_printing = false; // `Printing`: the print view is shown
    PrintView m_printView;
};

} // namespace kordana

#pragma once

#include "editors/PageDispatcher.h"
#include "lang/MessageTexts.h"
#include "link/Frame.h"
#include "link/MonitorDisplay.h"
#include "link/MonitorLiveValues.h"
#include "link/OperatingPoint.h"
#include "link/UnitHeader.h"
#include "params/ParameterImage.h"
#include "session/ProgramAfterChange.h"
#include "settings/IniFile.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTimer;
class QUrl;
class QToolButton;

namespace kordana {

class CommitBindings;
class FormLinkEvents;
class MapGrid;
class MonitorPanel;
class LinkProtocol;
class TFormAbout;
class SerialPort;
enum class LinkMessage : std::uint8_t;

/// The main window: owns the parameter image, the pages, the port, the link state and the
/// settings. Handlers keep their given names; each concern lives in its own TFormHlav*.cpp.
class TFormHlav : public QMainWindow {
    Q_OBJECT

public:
    /// Message box answers, independent of the widget toolkit's enum values.
    enum class Answer { Ok, Yes, No, Cancel };
    enum class Buttons { Ok, YesNoCancel };
    /// Shows a message box; tests replace it to answer without a modal loop.
    using MessageBoxFn = std::function<Answer(TFormHlav&, const QString& text, Buttons)>;

    /// Builds the window and its static controls; `arguments` are the program's arguments
    /// without the program name; `configDir` is where settings and cache live.
    TFormHlav(QStringList arguments, QString configDir, QWidget* parent = nullptr);
    ~TFormHlav() override;

    /// The creation handler: run once after construction, before the window is shown.
    void FormCreate();

    // --- state owned by the window --------------------------------------------------------
    ParameterImage image;
    AllFlags allFlags{};
    std::uint8_t LanguageIndex = 0;
    std::uint8_t ComPortIndex = 1; // COM1 is index 0
    bool TestMode = false;
    MessageTexts texts;   // the current language's message texts
    QString LastFilePath; // the parameter file last opened or saved
    MessageBoxFn messageBox;
    /// Shows a plain message box with `text` (through messageBox).
    void showMessage(const std::string& text);

    // --- file and help commands -------------------------------------------------------------
    /// Asks for a parameter file to open or save, starting at `startPath` (the remembered
    /// file); returns the chosen path, or empty text on cancel. Empty: the real file dialog.
    using FileDialogFn = std::function<QString(TFormHlav&, const QString& startPath)>;
    FileDialogFn openFileDialog;
    FileDialogFn saveFileDialog;
    /// Opens a document with the desktop's viewer; false when it cannot. Empty: the desktop
    /// services of the toolkit.
    std::function<bool(const QUrl&)> openDocument;
    /// The folder the help document lives in. Empty: the folder of the program's executable.
    QString programDir;
    /// Open after its dialog: reads `path` into a staging copy and, when the file carries the
    /// right version and was read to its end, takes it over, hides the status line and runs
    /// the commit tail; shows the failure otherwise. True when the file was applied.
    bool openParameterFile(const QString& path);
    /// Save after its dialog: harvest, consistency pass, refresh, then writes `path`
    /// atomically; on any failure shows "Open file error!" and changes neither the file nor
    /// the remembered path. True when the file was written.
    bool saveParameterFile(const QString& path);
    /// The about box, created on its first use.
    TFormAbout* FormAbout = nullptr;

    QString settingsPath() const;
    QString imageCachePath() const;
    QString testMarkerPath() const;
    const QString& configDir() const { return m_configDir; }
    IniFile& settings() { return m_settings; }

    /// The active page index of PageControl1 (0..13).
    int activePageIndex() const;
    /// First cell of the active map in the image: 450 + 150 x active page index.
    int activeMapOffset() const { return 450 + 150 * activePageIndex(); }

    // --- operations used across concerns -------------------------------------------------
    /// Clamps the image and repairs language and port index.
    void ConsistencyPass();
    /// Writes the active page's controls into the image.
    void PageHarvest();
    /// Rewrites the active page's controls from the image, then the coupling indicators.
    void PageRefresh();
    /// Consistency pass, refresh, programming-after-change check.
    void CommitTail();
    /// Fills the message texts for LanguageIndex and the programming-count label.
    void SetLanguageTexts();
    /// Applies LanguageIndex to every caption, item list and hint, then the message texts.
    void ApplyLanguage();
    /// Tab visibility, mode check marks and indicator, fixed-page visibility rules.
    void ShowCouplingIndicators();
    void OpenComPort();
    void CloseComPort();
    /// Starts a programming run as the Program command does after its own harvest and pass
    /// (used by the programming-after-change check).
    void StartProgramming();
    /// Hides the status line and the progress gauge (New, Open).
    void HideStatusLine();
    /// The device "COMn" of the current port index resolves to.
    QString comPortDevice() const;
    LinkProtocol& link() { return *m_link; }
    SerialPort& serialPort() { return *m_port; }
    /// The unit's identification texts, empty until its header arrives.
    UnitHeaderTexts unitHeader;
    void setUnitHeader(const UnitHeaderTexts& header);
    std::string linkMessageText(LinkMessage message) const;
    void setStatusColour(bool red);
    /// Receives every intact monitor frame (the live monitor).
    std::function<void(std::span<const std::uint8_t, kFrameSize>)> onMonitorFrame;
    /// Runs at the end of every timer tick (the operating-point cursor).
    std::function<void()> onTickEnd;

    // --- editors ---------------------------------------------------------------------------
    /// Harvest and refresh of each page by index; pages register their field tables here.
    PageDispatcher pages;
    /// Binds editing controls to the shared commit handlers; page builders use it.
    CommitBindings* commitBindings = nullptr;
    /// The grid shared by the nine map pages (fields, row labels; the cursor colours them).
    MapGrid* mapGrid = nullptr;
    /// "Programming after change": the previously-set flag and the shadow image bytes.
    ProgramAfterChange programAfterChange;
    /// How many programming runs the programming-after-change check has started.
    int programmingAfterChangeStarts = 0;
    /// Starts a programming run when "Programming after change" is set and the image changed
    /// (or the box was set since the previous check).
    void ProgrammingAfterChangeCheck();
    /// Key press of every edit: Enter is swallowed, the focus moves on, then the active page
    /// is harvested and the commit tail runs. Returns true when the key was swallowed.
    bool FormKeyPress(QWidget* sender, int key);
    /// Makes page `index` the active page without running PageControl1Change.
    void selectPageQuietly(int index);

    // --- live monitor ------------------------------------------------------------------------
    /// Handles one monitor reply (first byte 0xB0): when intact, updates the live values and
    /// paints the monitor panel; a damaged frame changes nothing.
    void ShowMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame);
    /// Texts, colours and gauge positions of the monitor panel from the last intact frame.
    MonitorDisplay monitorDisplay;
    /// The values of the last intact monitor frame (cursor, calibration, bulk tools, saving).
    MonitorLiveValues liveValues;
    /// Where the engine runs on the active page's curves; read by the single-point tools.
    OperatingPoint operatingPoint;
    /// Marks the map cell, breakpoint and throttle row in use (last step of every tick).
    void MarkOperatingPoint();
    /// The monitor panel inside MonitorArea (owned by it).
    MonitorPanel* monitorPanel = nullptr;

    // Widgets other concerns reach directly.
    QTabWidget* PageControl1 = nullptr;
    QLabel* LabelHlaseni = nullptr;
    QProgressBar* CGauge = nullptr;
    QLabel* LabelSpojeni = nullptr;
    QLabel* LabelEeDataErr = nullptr;
    QLabel* LabelFile1 = nullptr;
    QLabel* LabelFile2 = nullptr;
    QCheckBox* CheckBoxExtMonitor = nullptr;
    QCheckBox* CheckBoxProgHned = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    QWidget* MonitorArea = nullptr;
    QGroupBox* GroupBoxToolBar = nullptr;
    QComboBox* ComboBoxBike = nullptr;
    QLabel* LabelBike = nullptr;

    QWidget* page(const char* objectName) const;
    QAction* action(const char* objectName) const;

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
    void MenuContensClick();
    void MenuAboutClick();
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

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FormClose();
    void buildMenus();
    void buildToolBar(QWidget* parent);
    void buildMonitorPanel();
    void buildPages();
    void buildRuznePage(QWidget* page);
    void buildPortMenu();
    void LoadSettings();
    void SaveSettings();
    void LoadImageCache();
    void SaveImageCache();
    bool ReadTestMode() const;
    void CentreWindow();
    void HintChanged(const QString& longHint);
    void setCaption(const QString& name, const QString& text);
    void setItems(const QString& name, const QStringList& items);
    void setHint(const QString& name, const QString& hint);
    void selectLanguage(std::uint8_t index);

    QStringList m_arguments;
    QString m_configDir;
    IniFile m_settings;
    bool m_closed = false;
    QMenu* m_menuCom = nullptr;
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<FormLinkEvents> m_linkEvents;
    std::unique_ptr<LinkProtocol> m_link;
    void createLink();
    struct MapMarkShown {
        int row = -1;
        int column = -1;
        bool cellAndBreakpoint = false;
        friend bool operator==(const MapMarkShown&, const MapMarkShown&) = default;
    };
    MapMarkShown m_mapMarkShown;
    void showMapMark(const MapMarkShown& mark);
    /// Creates commitBindings; runs before the page builders, which bind their controls.
    void createCommitBindings();
    void buildMapPages();
    void applyCouplingCommand(int group, std::uint8_t mode);
    void columnStep(const QObject* sender, int direction);
    void showActiveMasterIfHidden();
    bool m_quietPageChange = false;
};

} // namespace kordana

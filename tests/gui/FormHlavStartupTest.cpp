#include "FormFixture.h"

#include "features/monitor/MonitorFeature.h"
#include "features/unit/UnitFeature.h"
#include "params/DefaultSet.h"
#include "params/ImageLayout.h"
#include "settings/ImageCache.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <csignal>
#include <sys/resource.h>

namespace kordana {
namespace {

using Startup = testing::FormFixture;

ParameterImage defaultImage() {
    ParameterImage image;
    applyDefaultSet(image);
    return image;
}

TEST_F(Startup, FirstRunWithoutFiles) {
    TFormHlav& form = createForm();
    EXPECT_EQ(form.size(), QSize(1033, 866));
    EXPECT_EQ(form.feature<UnitFeature>()->comPortIndex(), 0);
    EXPECT_EQ(form.languageIndex(), 0);
    EXPECT_EQ(form.activePageIndex(), 0);
    EXPECT_EQ(form.session().image(), defaultImage());
    EXPECT_FALSE(childNamed<QLabel>(form, "LabelHlaseni")->isVisibleTo(&form));
    EXPECT_FALSE(childNamed<QProgressBar>(form, "CGauge")->isVisibleTo(&form));
    EXPECT_FALSE(childNamed<QLabel>(form, "LabelEeDataErr")->isVisibleTo(&form));
    const auto* timer = form.findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 55);
    EXPECT_EQ(timer->timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(timer->isActive());
    const auto* pages = childNamed<QTabWidget>(form, "PageControl1");
    EXPECT_EQ(pages->count(), 14);
    EXPECT_EQ(pages->tabText(0), "Ign 1");
    EXPECT_EQ(pages->tabText(8), "Jet 3B");
    EXPECT_EQ(pages->widget(9)->objectName(), "TabSheet_Poloha");
    EXPECT_EQ(pages->widget(10)->objectName(), "TabSheet_Servo");
    EXPECT_EQ(pages->widget(12)->objectName(), "TabSheet_Ruzne");
    EXPECT_EQ(pages->widget(13)->objectName(), "TabSheet_Korekce");
    EXPECT_TRUE(form.action("MenuCom1")->isChecked());
}

TEST_F(Startup, SettingsRoundTripEveryKey) {
    {
        writeSettings("[PORTS]\nCOM1=" + noDevice() + "\nCOM5=" + noDevice() + "\n");
        TFormHlav& form = createForm();
        form.move(40, 30);
        form.resize(1000, 800);
        form.action("MenuCom5")->trigger();
        form.action("MenuFrench")->trigger();
        form.hub().nameSetFile("/tmp/tune.ign");
        form.setLastFilePath("/tmp/tune.ign");
        childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(12);
        childNamed<QCheckBox>(form, "CheckBoxExtMonitor")->setChecked(true);
        form.findChild<QCheckBox*>("CheckBoxAll_PolohaB")->setChecked(true);
        setImageByte(form, 1500, 77);
        form.session().setAllFlag(3, true);
        closeForm();
    }
    const std::string ini = readFile("Kordana_R_2006.ini");
    EXPECT_NE(ini.find("[FORM_HLAV]"), std::string::npos);
    EXPECT_NE(ini.find("ComPort=5\n"), std::string::npos);
    EXPECT_NE(ini.find("Language=2\n"), std::string::npos);
    EXPECT_NE(ini.find("File=/tmp/tune.ign\n"), std::string::npos);
    EXPECT_NE(ini.find("PageControl1->ActivePageIndex=12\n"), std::string::npos);
    EXPECT_NE(ini.find("CheckBoxExtMonitor->Checked=1\n"), std::string::npos);
    EXPECT_NE(ini.find("CheckBoxAll_PolohaB->Checked=1\n"), std::string::npos);
    EXPECT_NE(ini.find("CheckBoxAll_Servo->Checked=0\n"), std::string::npos);

    TFormHlav& form = createForm();
    EXPECT_EQ(form.size(), QSize(1000, 800));
    EXPECT_EQ(form.feature<UnitFeature>()->comPortIndex(), 4);
    EXPECT_EQ(form.languageIndex(), 2);
    EXPECT_EQ(childNamed<QLabel>(form, "LabelFile2")->text(), "/tmp/tune.ign");
    EXPECT_EQ(form.lastFilePath(), "/tmp/tune.ign");
    EXPECT_EQ(form.activePageIndex(), 12);
    EXPECT_TRUE(childNamed<QCheckBox>(form, "CheckBoxExtMonitor")->isChecked());
    EXPECT_TRUE(form.findChild<QCheckBox*>("CheckBoxAll_PolohaB")->isChecked());
    EXPECT_EQ(form.session().image()[1500], 77);
    EXPECT_EQ(form.session().allFlags()[3], 1);
    EXPECT_TRUE(form.action("MenuCom5")->isChecked());
}

TEST_F(Startup, OutOfRangeSettingsAreRepaired) {
    writeSettings("[FORM_HLAV]\nLanguage=7\nComPort=0\n[IGNITION]\n"
                  "PageControl1->ActivePageIndex=14\n");
    TFormHlav& form = createForm();
    EXPECT_EQ(form.languageIndex(), 0);
    EXPECT_EQ(form.feature<UnitFeature>()->comPortIndex(), 0);
    EXPECT_EQ(form.activePageIndex(), 0);
}

TEST_F(Startup, CommandLineLanguage) {
    writeSettings("[FORM_HLAV]\nLanguage=1\n");
    EXPECT_EQ(createForm({"FRENCH"}).languageIndex(), 2);
    closeForm();
    writeSettings("[FORM_HLAV]\nLanguage=1\n");
    EXPECT_EQ(createForm({"english"}).languageIndex(), 1);
    closeForm();
    writeSettings("[FORM_HLAV]\nLanguage=3\n");
    EXPECT_EQ(createForm({"DEUTSCH"}).languageIndex(), 1);
}

TEST_F(Startup, ProgrammingCountShowsNoCountInTheStartLanguage) {
    const struct {
        const char* language; // settings value
        QStringList arguments;
        QString expected;
    } rows[] = {
        {"0", {}, "Number of Programing= ---"},
        {"1", {}, "Programmierungsanzahl= ---"},
        {"0", {"DEUTSCH"}, "Programmierungsanzahl= ---"},
        {"3", {}, "Počet programování= ---"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected.toStdString());
        writeSettings("[PORTS]\nCOM1=" + noDevice() + "\n[FORM_HLAV]\nLanguage=" + row.language +
                      "\n");
        TFormHlav& form = createForm(row.arguments);
        EXPECT_TRUE(childNamed<QLabel>(form, "LabelSpojeni")->isVisibleTo(&form))
            << "no tick has run yet";
        EXPECT_EQ(form.findChild<QLabel*>("LabelPocetProgramovani")->text(), row.expected);
        closeForm();
    }
}

TEST_F(Startup, PathWithALineBreakKeepsTheRememberedPath) {
    writeSettings("[PORTS]\nCOM1=" + noDevice() +
                  "\n[FORM_HLAV]\nFile=/old/tune.ign\nIniDir=/old/dir.ign\n");
    TFormHlav& form = createForm();
    form.hub().nameSetFile("/new/a\nb.ign");
    form.setLastFilePath("/new/a\r\n[PORTS]\nCOM1=/dev/sda");
    form.action("MenuFrench")->trigger();
    closeForm();
    const std::string text = readFile("Kordana_R_2006.ini");
    EXPECT_EQ(text.find("/new/"), std::string::npos) << text;
    const IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.readString("FORM_HLAV", "File", ""), "/old/tune.ign");
    EXPECT_EQ(ini.readString("FORM_HLAV", "IniDir", ""), "/old/dir.ign");
    EXPECT_EQ(ini.readString("PORTS", "COM1", ""), noDevice());
    EXPECT_EQ(ini.readInteger("FORM_HLAV", "Language", -1), 2);
    EXPECT_EQ(ini.readInteger("IGNITION", "PageControl1->ActivePageIndex", -1), 0);
}

TEST_F(Startup, MaximisedWindowSavesItsNormalGeometry) {
    TFormHlav& form = createForm();
    form.move(40, 30);
    form.resize(1000, 820);
    form.setWindowState(Qt::WindowMaximized);
    QCoreApplication::processEvents();
    ASSERT_NE(form.size(), QSize(1000, 820)) << "the window is maximised";
    closeForm();
    const IniFile ini = IniFile::parse(readFile("Kordana_R_2006.ini"));
    EXPECT_EQ(ini.readInteger("FORM_HLAV", "Left", -1), 40);
    EXPECT_EQ(ini.readInteger("FORM_HLAV", "Top", -1), 30);
    EXPECT_EQ(ini.readInteger("FORM_HLAV", "Width", -1), 1000);
    EXPECT_EQ(ini.readInteger("FORM_HLAV", "Height", -1), 820);
}

// The tests' screen is 1280 x 1024, all of it available, and a window's frame is 2 pixels wide
// on every side (GuiTestMain). Left and Top place the frame, Width and Height the inside.
TEST_F(Startup, SavedGeometryIsFittedToTheScreenAndSavedAsShown) {
    const QRect screen(0, 0, 1280, 1024);
    const struct {
        const char* name;
        const char* keys;
        QPoint pos;
        QSize size;
    } cases[] = {
        {"absurd values: centred, the frame as large as the screen",
         "Left=2147483647\nTop=-2147483648\nWidth=2147483647\nHeight=2147483647\n",
         {0, 0},
         {1276, 1020}},
        {"a window that fits keeps its place",
         "Left=100\nTop=50\nWidth=1000\nHeight=800\n",
         {100, 50},
         {1000, 800}},
        {"the frame just fits", "Left=0\nTop=0\nWidth=1276\nHeight=1020\n", {0, 0}, {1276, 1020}},
        {"only the inside fits: centred, as large as the frame allows",
         "Left=0\nTop=0\nWidth=1280\nHeight=1024\n",
         {0, 0},
         {1276, 1020}},
        {"past the right edge: centred at its size",
         "Left=1000\nTop=50\nWidth=1000\nHeight=800\n",
         {140, 112},
         {1000, 800}},
        {"left of the screen: centred",
         "Left=-5\nTop=10\nWidth=1000\nHeight=800\n",
         {140, 112},
         {1000, 800}},
        {"taller than the screen: centred, the frame as tall as the screen",
         "Left=0\nTop=0\nWidth=1033\nHeight=1100\n",
         {121, 0},
         {1033, 1020}},
        {"no width: the designed width, centred",
         "Left=10\nTop=10\nWidth=0\nHeight=800\n",
         {123, 112},
         {1033, 800}},
        {"no keys: centred at the designed size", "", {123, 79}, {1033, 866}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeSettings("[PORTS]\nCOM1=" + noDevice() + "\n[FORM_HLAV]\n" + c.keys);
        TFormHlav& form = createForm();
        EXPECT_EQ(form.pos(), c.pos);
        EXPECT_EQ(form.size(), c.size);
        EXPECT_TRUE(screen.contains(form.frameGeometry())) << "the whole frame is on the screen";
        closeForm();
        const IniFile ini = IniFile::parse(readFile("Kordana_R_2006.ini"));
        EXPECT_EQ(ini.readInteger("FORM_HLAV", "Left", -1), c.pos.x());
        EXPECT_EQ(ini.readInteger("FORM_HLAV", "Top", -1), c.pos.y());
        EXPECT_EQ(ini.readInteger("FORM_HLAV", "Width", -1), c.size.width());
        EXPECT_EQ(ini.readInteger("FORM_HLAV", "Height", -1), c.size.height());
    }
}

// Where a window manager frames the window only after mapping it, the frame is known at the
// first exposure; the window is fitted again then. Here the window is pushed off the screen
// between its show and its first exposure.
TEST_F(Startup, WindowIsFittedAgainAtItsFirstExposure) {
    writeSettings("[PORTS]\nCOM1=" + noDevice() +
                  "\n[FORM_HLAV]\nLeft=100\nTop=50\nWidth=1000\n"
                  "Height=800\n");
    TFormHlav& form = createForm();
    ASSERT_FALSE(form.windowHandle()->isExposed()) << "the exposure is still queued";
    form.move(1200, 900);
    QCoreApplication::processEvents();
    ASSERT_TRUE(form.windowHandle()->isExposed());
    EXPECT_EQ(form.pos(), QPoint(138, 110)); // (1280 - 1004) / 2, (1024 - 804) / 2
    EXPECT_EQ(form.size(), QSize(1000, 800));
    form.move(1200, 900); // later moves are the user's
    QCoreApplication::processEvents();
    EXPECT_EQ(form.pos(), QPoint(1200, 900));
}

TEST_F(Startup, UnknownKeysSurviveASave) {
    writeSettings("; keep this comment\n[PORTS]\nCOM7=/dev/ttyUSB3\n[FORM_HLAV]\nMyKey=abc\n");
    createForm();
    closeForm();
    const std::string ini = readFile("Kordana_R_2006.ini");
    EXPECT_NE(ini.find("; keep this comment\n"), std::string::npos);
    EXPECT_NE(ini.find("COM7=/dev/ttyUSB3\n"), std::string::npos);
    EXPECT_NE(ini.find("MyKey=abc\n"), std::string::npos);
}

TEST_F(Startup, ShortCacheReplacesOnlyItsBytes) {
    QDir().mkpath(m_configDir);
    ASSERT_TRUE(writeFileAtomically(m_configDir + "/_Kordana_R_2006.ini", "1 2 3"));
    TFormHlav& form = createForm();
    EXPECT_EQ(form.session().image()[0], 1);
    EXPECT_EQ(form.session().image()[2], 3);
    EXPECT_EQ(form.session().image()[layout::kLimiter], defaultImage()[layout::kLimiter]);
}

TEST_F(Startup, CacheIsWrittenExactlyAndRepairedOnClose) {
    TFormHlav& form = createForm();
    setImageByte(form, layout::kLimiter, 5);        // the pass at shutdown raises it to 10
    setAllFlags(form, {0, 0, 0, 1, 0, 0, 0, 0, 1}); // page 0 is active: its flag is harvested
    const AllFlags flags = form.session().allFlags();
    ParameterImage expected = form.session().image();
    expected[layout::kLimiter] = 10;
    closeForm();
    EXPECT_EQ(readFile("_Kordana_R_2006.ini"), formatImageCache(expected, flags));
}

TEST_F(Startup, FailingCacheWriteLeavesTheOldCache) {
    createForm();
    closeForm();
    const std::string before = readFile("_Kordana_R_2006.ini");
    ASSERT_GT(before.size(), 10000u);

    TFormHlav& form = createForm();
    setImageByte(form, 1500, 99);
    // A file-size limit makes the cache write fail part-way, even for root.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto* previousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    closeForm();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(readFile("_Kordana_R_2006.ini"), before);
    // The small settings file was still written.
    EXPECT_NE(readFile("Kordana_R_2006.ini").find("[IGNITION]"), std::string::npos);
}

TEST_F(Startup, TestModeMarker) {
    QDir().mkpath(m_configDir);
    ASSERT_TRUE(writeFileAtomically(m_configDir + "/test_brenik.txt", "x\nTEST_ENABLE y"));
    EXPECT_TRUE(createForm().feature<MonitorFeature>()->testMode());
    closeForm();
    ASSERT_TRUE(writeFileAtomically(m_configDir + "/test_brenik.txt", "TEST_ENABLED"));
    EXPECT_FALSE(createForm().feature<MonitorFeature>()->testMode());
}

} // namespace
} // namespace kordana

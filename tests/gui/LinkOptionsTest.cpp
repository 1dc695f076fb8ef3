// Com > Fast link and Com > Quick programming: where they stand, what they keep in the settings
// file, and an F5 with quick programming against the simulated unit on a pseudo-terminal,
// which sends only the block the step changed.
#include "UnitWindowFixture.h"

#include "../tools/CliTestProcess.h"

#include "features/editing/EditingFeature.h"
#include "features/history/HistoryFeature.h"
#include "features/unit/UnitFeature.h"
#include "link/LinkProtocol.h"
#include "monitor/MonitorFrame.h"
#include "params/IgnReader.h"
#include "params/ImageLayout.h"
#include "settings/IniFile.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace kordana {
namespace {

class LinkOptions : public testing::UnitWindowFixture {
protected:
    /// A window whose COM1 is a simulated unit that logs every request it takes in.
    TFormHlav& startWithLoggedUnit(std::vector<std::string> simArgs) {
        EXPECT_TRUE(m_logged.start(std::move(simArgs))) << m_logged.error();
        writeSettings("[PORTS]\nCOM1=" + m_logged.devicePath() + "\n[FORM_HLAV]\nComPort=1\n");
        TFormHlav& form = createForm();
        childNamed<QTimer>(form, "Timer1")->stop();
        return form;
    }
    /// Ticks until the link is idle with no saving awaited and no run waiting.
    void settle(TFormHlav& form, int maxTicks = 600) {
        LinkProtocol& link = form.feature<UnitFeature>()->link();
        for (int i = 0; i < maxTicks; ++i) {
            form.Timer1Timer();
            if (link.mode() == LinkMode::Idle && !link.awaitingSaving() && !link.programPending()) {
                form.Timer1Timer(); // what the end of the wait shows comes on the next tick
                return;
            }
            awaitUnit(form);
        }
        ADD_FAILURE() << "link still busy";
    }

    clitest::ScratchDir m_logDir;
    clitest::LoggedUnit m_logged{m_logDir.file("unit.log")};
};

TEST_F(LinkOptions, BothItemsFollowTheAssignmentInTheComMenuAndAreOffAtFirst) {
    TFormHlav& form = createForm();
    const QList<QAction*> items = form.findChild<QMenu*>("MenuCom")->actions();
    const auto at = [&items](const char* name) {
        for (int i = 0; i < items.size(); ++i) {
            if (items[i]->objectName() == name) {
                return i;
            }
        }
        return -1;
    };
    ASSERT_GE(at("MenuAssignDevice"), 20);
    EXPECT_GT(at("MenuFastLink"), at("MenuAssignDevice"));
    EXPECT_EQ(at("MenuQuickProgramming"), at("MenuFastLink") + 1);
    for (const char* name : {"MenuFastLink", "MenuQuickProgramming"}) {
        EXPECT_TRUE(form.action(name)->isCheckable()) << name;
        EXPECT_FALSE(form.action(name)->isChecked()) << name;
    }
    EXPECT_FALSE(form.feature<UnitFeature>()->link().fastLink());
    EXPECT_FALSE(form.feature<UnitFeature>()->link().quickProgramming());
    form.action("MenuGerman")->trigger();
    EXPECT_EQ(form.action("MenuFastLink")->text(), "Schnelle Verbindung");
    EXPECT_EQ(form.action("MenuQuickProgramming")->text(), "Schnelles Programmieren");
    EXPECT_FALSE(form.action("MenuFastLink")->statusTip().isEmpty());
}

TEST_F(LinkOptions, ItemsArePersistedInTheProgramsOwnSection) {
    writeSettings("[PORTS]\nCOM1=" + noDevice() + "\n");
    createForm();
    closeForm();
    EXPECT_EQ(readFile("Kordana_R_2006.ini").find("FastLink"), std::string::npos)
        << "a file that never had the options keeps its bytes";

    TFormHlav& form = createForm();
    form.action("MenuFastLink")->trigger();
    form.action("MenuQuickProgramming")->trigger();
    EXPECT_TRUE(form.feature<UnitFeature>()->link().fastLink());
    EXPECT_TRUE(form.feature<UnitFeature>()->link().quickProgramming());
    closeForm();
    const IniFile ini = IniFile::parse(readFile("Kordana_R_2006.ini"));
    EXPECT_EQ(ini.value("KORDANA", "FastLink"), "1");
    EXPECT_EQ(ini.value("KORDANA", "QuickProgramming"), "1");

    TFormHlav& again = createForm();
    EXPECT_TRUE(again.action("MenuFastLink")->isChecked());
    EXPECT_TRUE(again.action("MenuQuickProgramming")->isChecked());
    EXPECT_TRUE(again.feature<UnitFeature>()->link().fastLink());
    again.action("MenuFastLink")->trigger();
    closeForm();
    EXPECT_EQ(IniFile::parse(readFile("Kordana_R_2006.ini")).value("KORDANA", "FastLink"), "0");
}

TEST_F(LinkOptions, QuickProgrammingAfterF5SendsOnlyTheChangedBlock) {
    TFormHlav& form = startWithLoggedUnit({"--saving-ms", "1000"});
    ASSERT_TRUE(messages.empty());
    HistoryFeature& history = *form.feature<HistoryFeature>();
    history.setLibraryFolder(m_dir.path() + "/library");
    childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(0);
    setImageByte(form, layout::kMode, 0);
    for (std::size_t c = 0; c < 15; ++c) {
        setImageByte(form, layout::mapRpm(0) + c, static_cast<std::uint8_t>(20 + 10 * c));
    }
    const std::size_t target = layout::mapCell(0, 4, 3); // 20 %, 2500 rpm
    setImageByte(form, target, 30);
    form.PageRefresh();
    form.action("MenuFastLink")->trigger();
    form.action("MenuQuickProgramming")->trigger();
    childNamed<QCheckBox>(form, "CheckBoxProgHned")->setChecked(true);

    // A full run first: from then on the unit's copy is known.
    form.action("MenuProgram")->trigger();
    settle(form);
    ASSERT_TRUE(form.feature<UnitFeature>()->link().unitCopy().has_value());
    const std::size_t before = m_logged.blockRequests().size();
    ASSERT_EQ(before, 39u);
    // Tick pace from here: frames are taken in on ticks only, so the hand-made operating point
    // below stays until F5.
    form.action("MenuFastLink")->trigger();

    MonitorFrame frame{};
    frame.command = 0xB0;
    frame.engineSpeed = 2500;
    frame.throttleOpening = 20;
    frame.coolantByte = 180;
    frame.airByte = 125;
    frame.version = 51;
    form.ShowMonitorFrame(encodeMonitorFrame(frame));
    form.MarkOperatingPoint();
    ASSERT_EQ(form.feature<EditingFeature>()->operatingPoint().mapColumn, 3);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F5);
    ASSERT_EQ(form.session().image()[target], 31);
    EXPECT_TRUE(form.feature<UnitFeature>()->link().quickRun());
    settle(form);

    const auto requests = m_logged.blockRequests();
    const auto block = static_cast<unsigned>(target / 100);
    EXPECT_EQ(std::vector<unsigned>(requests.begin() + static_cast<long>(before), requests.end()),
              (std::vector<unsigned>{0x00, block, 0x13, 0x40 + block, 0x53}));
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Program device: OK");
    // The full and the quick run are entries of the tune library, the quick one newest.
    const auto entries = history.library()->entries();
    ASSERT_TRUE(entries.ok() && entries.value->size() == 2u);
    for (const LibraryEntry& e : *entries.value) {
        EXPECT_EQ(e.event, LibraryEvent::Programmed);
    }
    const auto newest = history.library()->setText(entries.value->front());
    EXPECT_EQ(IgnReader::read(*newest.value, form.session().image(), false).image[target], 31);

    // Read back: the unit's memory holds the stepped value.
    setImageByte(form, target, 0);
    form.action("MenuRead")->trigger();
    settle(form);
    EXPECT_EQ(form.session().image()[target], 31);
}

} // namespace
} // namespace kordana

// The tuning assistant in the window: live frames gathered into proposals shown over the map,
// accepted as one undoable step, locked cells left alone, and its settings kept.
#include "MapFixture.h"

#include "editors/MapGrid.h"
#include "features/assistant/AssistantFeature.h"
#include "features/assistant/AssistantNotes.h"
#include "features/assistant/AssistantSheet.h"
#include "features/assistant/AssistantTally.h"
#include "features/assistant/AssistantWindow.h"
#include "features/history/HistoryFeature.h"
#include "monitor/MonitorFrame.h"
#include "params/IgnReader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>

namespace kordana {
namespace {

constexpr int kRow = 6;    // 40 % throttle
constexpr int kColumn = 4; // the frames run at this breakpoint's speed

class AssistantInWindow : public testing::MapFixture {
protected:
    // Every injection map has page 3's breakpoints and 100 (5000 us) in the cell the frames
    // run in, so each gets the same proposal.
    TFormHlav& openAssistant() {
        TFormHlav& f = openForm();
        for (int page = 3; page < 9; ++page) {
            for (int c = 0; c < 15; ++c) {
                storedBreakpoint(page, c) = static_cast<std::uint8_t>(storedBreakpoint(3, c));
            }
            storedCell(page, kRow, kColumn) = 100;
        }
        f.ConsistencyPass();
        f.session().clearUndoHistory();
        f.action("MenuTuningAssistant")->trigger();
        assistant().setClock([this] { return m_now; });
        click("ButtonAssistReset");
        childNamed<QCheckBox>(window(), "CheckBoxAssistLive")->setChecked(true);
        return f;
    }
    AssistantFeature& assistant() { return *form().feature<AssistantFeature>(); }
    QWidget& window() { return *childNamed<QWidget>(form(), "FormAssistant"); }
    void click(const char* button) {
        QTest::mouseClick(childNamed<QPushButton>(window(), button), Qt::LeftButton);
    }

    // Warm, steady frames at 40 % throttle whose lambda input reads 698 mV: rich against the
    // narrowband target of 450 mV. One frame every 0.1 s, a tick after each.
    void driveRich(int frames) {
        MonitorFrame frame{};
        frame.engineSpeed = static_cast<std::uint16_t>(storedBreakpoint(3, kColumn) * 50);
        frame.throttleOpening = 40;
        frame.lambdaRaw = 143;
        frame.coolantByte = 180;
        frame.airByte = 125;
        frame.timeSinceStart = 60000;
        frame.version = 51;
        for (int i = 0; i < frames; ++i) {
            form().ShowMonitorFrame(encodeMonitorFrame(frame));
            form().Timer1Timer();
            m_now += 0.1;
        }
    }
    const CellNote* noteAt(int row, int column) {
        for (const CellNote& note : grid().cellNotes()) {
            if (note.row == row && note.column == column) {
                return &note;
            }
        }
        return nullptr;
    }

    double m_now = 0;
};

TEST_F(AssistantInWindow, LiveFramesProposeOverTheMapAndAcceptAllIsOneUndoableStep) {
    TFormHlav& f = openAssistant();
    QMenu* tools = f.findChild<QMenu*>("MenuTools");
    EXPECT_EQ(tools->actions().back()->objectName(), "MenuTuningAssistant");
    EXPECT_TRUE(window().isVisible());

    driveRich(30);
    const QString tally = childNamed<QLabel>(window(), "LabelAssistTally")->text();
    EXPECT_TRUE(tally.startsWith("Fuel: 30 samples, ")) << tally.toStdString();

    f.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(3);
    const CellNote* note = noteAt(kRow, kColumn);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->corner, "-2 %"); // one narrowband step leaner
    EXPECT_EQ(note->colour, QColor(200, 0, 0));
    EXPECT_TRUE(note->toolTip.startsWith("Samples: ")) << note->toolTip.toStdString();

    // The tune sheet gets a page of the analysis.
    const QString sheet = m_dir.path() + "/sheet.pdf";
    desktop().pdfDialog = [&](const QString&) { return sheet; };
    f.action("MenuTuneSheet")->trigger();
    QProcess text;
    text.start("pdftotext", {"-layout", sheet, "-"});
    ASSERT_TRUE(text.waitForFinished());
    const QByteArray printed = text.readAllStandardOutput().simplified();
    EXPECT_TRUE(printed.contains("Tuning assistant"));
    EXPECT_TRUE(printed.contains("Jet 1A samples: proposal"));

    click("ButtonAssistAcceptAll");
    for (int page = 3; page < 9; ++page) {
        EXPECT_EQ(storedCell(page, kRow, kColumn), 98) << "page " << page; // 100 x 0.98
    }
    EXPECT_TRUE(assistant().proposal().changes.empty()) << "a new pass starts";
    f.action("MenuUndo")->trigger();
    for (int page = 3; page < 9; ++page) {
        EXPECT_EQ(storedCell(page, kRow, kColumn), 100) << "page " << page;
    }
}

TEST_F(AssistantInWindow, ALockedCellGetsNoProposalAndTheSelectionAloneIsAccepted) {
    TFormHlav& f = openAssistant();
    driveRich(30);
    f.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(3);
    grid().setSelection(mapblock::CellBlock{kRow, kColumn, kRow, kColumn});
    click("ButtonAssistLock");
    ASSERT_NE(noteAt(kRow, kColumn), nullptr);
    EXPECT_EQ(noteAt(kRow, kColumn)->corner, "L");

    // Accept selection: the block on every map, the locked Jet 1A cell left as it is.
    click("ButtonAssistAcceptSelection");
    EXPECT_EQ(storedCell(3, kRow, kColumn), 100);
    EXPECT_EQ(storedCell(4, kRow, kColumn), 98);

    driveRich(30);
    click("ButtonAssistUnlock");
    grid().clearSelection();
    click("ButtonAssistUnlock"); // no selection: the whole map
    EXPECT_EQ(noteAt(kRow, kColumn)->corner, "-2 %");
}

TEST_F(AssistantInWindow, ItsSettingsAreKeptAndTheOverlayGoesWithTheWindow) {
    openAssistant();
    childNamed<QComboBox>(window(), "ComboBoxAssistSensor")->setCurrentIndex(1);
    childNamed<QSpinBox>(window(), "EditAssistDelay")->setValue(650);
    childNamed<QSpinBox>(window(), "EditAssistMinSamples")->setValue(12);
    driveRich(30);
    window().close();
    form().PageRefresh();
    EXPECT_TRUE(grid().cellNotes().empty());
    closeForm();
    EXPECT_NE(readFile("Kordana_R_2006.ini").find("AssistDelayMs=650\n"), std::string::npos);

    createForm();
    const analysis::AnalysisSettings kept =
        form().feature<AssistantFeature>()->window()->settings();
    EXPECT_EQ(kept.sensor, analysis::SensorModel::Wideband);
    EXPECT_EQ(kept.delayMs, 650u);
    EXPECT_EQ(kept.minSamples, 12u);
}

TEST(AssistantNotes, ChangeTextsRoundToTheWholePerCentAndDegree) {
    const struct {
        int page;
        int before;
        int after;
        const char* text;
    } cases[] = {
        {3, 100, 98, "-2 %"}, {3, 100, 104, "+4 %"}, {8, 33, 35, "+6 %"}, // 2/33 = 6.06 %
        {0, 25, 22, "-3°"},   {2, 10, 10, "+0°"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(changeText(c.page, c.before, c.after), c.text) << c.page << " " << c.before;
    }
}

TEST(AssistantSheet, APageOfTalliesAndOneTableForEachMapWithSamples) {
    ParameterImage image{};
    for (std::size_t c = 0; c < 15; ++c) {
        image[layout::mapRpm(3) + c] = static_cast<std::uint8_t>(20 + 10 * c); // 1000 rpm up
    }
    analysis::AnalysisResult result;
    EXPECT_TRUE(assistantSheetBlocks(image, result, {}).empty()) << "no samples, no page";
    result.fuelTally.samples = 1840;
    result.fuelTally.used = 1203;
    result.fuelTally.rejected[static_cast<std::size_t>(analysis::Rejection::Cold)] = 210;
    result.fuel[0][6 * 15 + 4].samples = 12; // Jet 1A, 40 %, column 4
    result.fuel[0][0].samples = 3;
    analysis::Proposal proposal;
    proposal.changes.push_back({3, 6, 4, 100, 98, 12});

    const std::vector<SheetBlock> blocks = assistantSheetBlocks(image, result, proposal);
    ASSERT_EQ(blocks.size(), 3u); // heading, tallies, Jet 1A
    EXPECT_EQ(blocks[0].heading, "Tuning assistant");
    EXPECT_TRUE(blocks[0].newPage);
    EXPECT_EQ(blocks[1].table.rows[0].cells[0], "1,840 samples, 1,203 used; 210 cold");
    const SheetTable& jet = blocks[2].table;
    EXPECT_EQ(jet.title, "Jet 1A  samples: proposal");
    EXPECT_EQ(jet.header[1], "1000");
    EXPECT_EQ(jet.header[15], "8000");
    EXPECT_EQ(jet.rows[6].label, "40%");
    EXPECT_EQ(jet.rows[6].cells[4], "12: -2 %");
    EXPECT_EQ(jet.rows[0].cells[0], "3");
    EXPECT_EQ(jet.rows[0].cells[1], "");

    // The sheet's own words follow the language.
    const std::vector<SheetBlock> czech = assistantSheetBlocks(image, result, proposal, 3);
    ASSERT_EQ(czech.size(), 3u);
    EXPECT_EQ(czech[0].heading, "Asistent ladění");
    EXPECT_EQ(czech[1].table.title, "Vzorky");
    EXPECT_EQ(czech[1].table.rows[0].label, "Palivo");
    EXPECT_EQ(czech[1].table.rows[1].label, "Klepání");
}

// One hand-made tally in the four languages: the window's label, the sheet's row and title.
TEST(AssistantTally, TheTallyIsWordedInEachOfTheFourLanguages) {
    analysis::AnalysisResult result;
    result.fuelTally.samples = 1840;
    result.fuelTally.used = 1203;
    result.fuelTally.rejected[static_cast<std::size_t>(analysis::Rejection::Cold)] = 210;
    result.ignitionTally.samples = 12;
    result.ignitionTally.used = 12;
    result.fuel[0][0].samples = 3;
    const struct {
        std::uint8_t language;
        const char* label;
        const char* fuelRow;
        const char* mapTitle;
    } cases[] = {
        {0,
         "Fuel: 1,840 samples, 1,203 used; 210 cold\nKnock: 12 samples, 12 used\n"
         "6 cells proposed",
         "1,840 samples, 1,203 used; 210 cold", "Jet 1A  samples: proposal"},
        {1,
         "Kraftstoff: 1840 Messwerte, 1203 verwendet; 210 kalt\n"
         "Klopfen: 12 Messwerte, 12 verwendet\n6 Zellen mit Vorschlag",
         "1840 Messwerte, 1203 verwendet; 210 kalt", "Jet 1A  Messwerte: Vorschlag"},
        {2,
         "Carburant : 1840 échantillons, 1203 utilisés ; 210 à froid\n"
         "Cliquetis : 12 échantillons, 12 utilisés\n6 cellules proposées",
         "1840 échantillons, 1203 utilisés ; 210 à froid", "Jet 1A  échantillons : proposition"},
        {3,
         "Palivo – vzorků: 1840, použito: 1203; studený motor: 210\n"
         "Klepání – vzorků: 12, použito: 12\nnavržené buňky: 6",
         "vzorků: 1840, použito: 1203; studený motor: 210", "Jet 1A  vzorky: návrh"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tallyLabelText(result, 6, c.language).toStdString(), c.label) << int(c.language);
        const std::vector<SheetBlock> blocks =
            assistantSheetBlocks(ParameterImage{}, result, {}, c.language);
        ASSERT_EQ(blocks.size(), 3u) << int(c.language);
        EXPECT_EQ(blocks[1].table.rows[0].cells[0], c.fuelRow) << int(c.language);
        EXPECT_EQ(blocks[2].table.title, c.mapTitle) << int(c.language);
    }
}

TEST(AssistantNotes, TheTooltipFollowsTheLanguage) {
    analysis::AnalysisResult result;
    analysis::KnockCell& knock = result.ignition[0][0];
    knock.samples = 4;
    knock.events = 1;
    knock.peakMv = 900;
    knock.sumMv = 2000; // mean 500 mV
    const analysis::AnalysisSettings settings;
    const std::vector<CellNote> german = assistantNotes(0, result, {}, settings, {}, 1);
    ASSERT_EQ(german.size(), 1u);
    EXPECT_EQ(german[0].toolTip.toStdString(),
              "Messwerte: 4\nKlopfereignisse: 1\nKlopfspitze: 900 mV\nMittleres Klopfen: 500 mV");
    const std::vector<CellNote> english = assistantNotes(0, result, {}, settings, {});
    EXPECT_EQ(english[0].toolTip.toStdString(),
              "Samples: 4\nKnock events: 1\nPeak knock: 900 mV\nMean knock: 500 mV");
}

TEST_F(AssistantInWindow, TheTallyIsWordedAgainWhenTheLanguageChanges) {
    TFormHlav& f = openAssistant();
    driveRich(30);
    f.setLanguage(1);
    const QString tally = childNamed<QLabel>(window(), "LabelAssistTally")->text();
    EXPECT_TRUE(tally.startsWith("Kraftstoff: 30 Messwerte, ")) << tally.toStdString();
    f.setLanguage(0);
}

TEST_F(AssistantInWindow, AcceptedProposalsAreAnEntryOfTheTuneLibrary) {
    TFormHlav& f = openAssistant();
    HistoryFeature& history = *f.feature<HistoryFeature>();
    history.setLibraryFolder(m_dir.path() + "/library");
    driveRich(30);
    click("ButtonAssistAcceptAll");
    const auto entries = history.library()->entries();
    ASSERT_TRUE(entries.ok());
    ASSERT_EQ(entries.value->size(), 1u);
    EXPECT_EQ(entries.value->front().event, LibraryEvent::Assistant);
    const auto text = history.library()->setText(entries.value->front());
    const IgnReadResult read = IgnReader::read(*text.value, ParameterImage{}, false);
    EXPECT_EQ(read.image[layout::mapCell(3, kRow, kColumn)], 98) << "the accepted set";
}

} // namespace
} // namespace kordana

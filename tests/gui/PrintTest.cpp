// The printout: the print view and its restoration, the stamp, the printer and the PDF file.
#include "MapFixture.h"

#include "features/unit/UnitFeature.h"
#include "link/LinkProtocol.h"
#include "report/PrintPage.h"
#include "shell/StatusLine.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <map>
#include <set>

namespace kordana {
namespace {

// Every widget's own shown flag and, for an up-down field, whether its arrows show; the tabs.
struct ViewState {
    std::map<const QWidget*, std::pair<bool, bool>> widgets;
    std::vector<bool> tabs;
};

ViewState viewOf(const TFormHlav& form) {
    ViewState state;
    for (const QWidget* widget : form.findChildren<QWidget*>()) {
        // A closed list's popup, or a closed dialog, is no part of the window's view; their
        // scroll bars follow the layouts of windows nobody sees.
        const QWidget* window = widget->window();
        if (window->windowType() == Qt::Popup || (window != &form && window->isHidden())) {
            continue;
        }
        const auto* field = qobject_cast<const UpDownEdit*>(widget);
        state.widgets[widget] = {!widget->isHidden(), field == nullptr || field->arrowsVisible()};
    }
    const auto* pages = childNamed<QTabWidget>(form, "PageControl1");
    for (int i = 0; i < pages->count(); ++i) {
        state.tabs.push_back(pages->isTabVisible(i));
    }
    return state;
}

std::set<const QWidget*> hiddenBetween(const ViewState& before, const ViewState& during) {
    std::set<const QWidget*> hidden;
    for (const auto& [widget, shown] : before.widgets) {
        const auto& now = during.widgets.at(widget);
        if ((shown.first && !now.first) || (shown.second && !now.second)) {
            hidden.insert(widget);
        }
    }
    return hidden;
}

int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

class PrintTest : public testing::MapFixture {
protected:
    void SetUp() override {
        MapFixture::SetUp();
        pdfPath = m_dir.path() + "/printout.pdf";
    }

    /// The window with its timer stopped, so that only the ticks a test drives run.
    TFormHlav& openQuiet(std::uint8_t ignitionMode, std::uint8_t injectionMode) {
        TFormHlav& window = openForm(ignitionMode, injectionMode);
        childNamed<QTimer>(window, "Timer1")->stop();
        return window;
    }

    /// A printer that writes `pdfPath` and notes the window as it looks while printed.
    void printerRecordsView() {
        desktop().printer = [this]() -> std::unique_ptr<QPagedPaintDevice> {
            during = viewOf(form());
            return std::make_unique<QPdfWriter>(pdfPath);
        };
    }

    QLabel* statusLabel() { return childNamed<QLabel>(form(), "LabelHlaseni"); }

    /// The view before printing equals the view after it, the status line aside (it shows
    /// the stamp).
    /// The view once pending layouts have run (scroll bars follow the room their area gets).
    ViewState settledView() {
        QApplication::processEvents();
        return viewOf(form());
    }

    void expectSameView(ViewState before) {
        ViewState after = settledView();
        before.widgets.erase(statusLabel());
        after.widgets.erase(statusLabel());
        for (const auto& [widget, shown] : before.widgets) {
            EXPECT_EQ(after.widgets.at(widget), shown) << widget->objectName().toStdString();
        }
        EXPECT_EQ(before.tabs, after.tabs);
    }

    QString pdfPath;
    ViewState during;
};

// The widgets the print view takes away, as listed for the printout.
std::set<const QWidget*> listedWidgets(TFormHlav& form, MapGrid& grid) {
    std::set<const QWidget*> listed;
    for (const char* name : {"StatusBar1",          "GroupBoxToolBar",    "LabelSpojeni",
                             "ButtonMinus_PolohaA", "ButtonPlus_PolohaA", "CheckBoxAll_PolohaA",
                             "ButtonMinus_PolohaB", "ButtonPlus_PolohaB", "CheckBoxAll_PolohaB",
                             "EditServoHyster",     "ButtonMinus_Servo",  "ButtonPlus_Servo",
                             "CheckBoxAll_Servo",   "EditOmez1",          "EditOmez2",
                             "EditOmez3",           "EditPowerOut1a",     "EditPowerOut1b",
                             "EditPowerOut2a",      "EditPowerOut2b",     "EditPowerOut3a",
                             "EditPowerOut3b",      "EditStartJet",       "EditTps0",
                             "EditTps100",          "ButtonTps0",         "ButtonTps100",
                             "EditAkcelPrah",       "EditAkcelJet",       "CheckBoxExtMonitor",
                             "EditTempWarning",     "EditSyticCas1",      "EditSyticCas2",
                             "EditSyticCas3",       "EditSyticCas4",      "EditSyticKorekce0",
                             "EditSyticKorekce1",   "EditSyticKorekce2",  "EditSyticKorekce3",
                             "CGaugeRpm",           "CGaugeTps",          "CGaugeLambda",
                             "CGaugeVoda"}) {
        const auto* widget = childNamed<QWidget>(form, name);
        EXPECT_NE(widget, nullptr) << name;
        listed.insert(widget);
    }
    for (int c = 0; c < MapGrid::kCols; ++c) {
        listed.insert(grid.breakpoint(c));
        listed.insert(grid.columnSpinButton(c));
        for (int r = 0; r < MapGrid::kRows; ++r) {
            listed.insert(grid.cell(r, c));
        }
    }
    listed.insert(grid.minusButton());
    listed.insert(grid.plusButton());
    listed.insert(grid.allCheckBox());
    // Both rows of each run-time curve table.
    const std::pair<const char*, int> curves[] = {
        {"GroupBoxPolohaA", 30}, {"GroupBoxPolohaB", 30}, {"GroupBoxServo", 30},
        {"GroupBoxTlak", 20},    {"GroupBoxRetard", 20},  {"GroupBoxVodaVzduch", 10}};
    for (const auto& [group, count] : curves) {
        const auto fields = childNamed<QWidget>(form, group)->findChildren<UpDownEdit*>();
        EXPECT_EQ(fields.size(), count) << group;
        listed.insert(fields.begin(), fields.end());
    }
    return listed;
}

TEST_F(PrintTest, PrintViewHidesTheListedWidgetsAndOtherTabsThenRestoresTheView) {
    openQuiet(coupling::kSeparate, coupling::kSame);
    // Not connected: the no-connection label is up.
    for (int i = 0; i < 20; ++i) {
        form().Timer1Timer();
    }
    ASSERT_TRUE(childNamed<QLabel>(form(), "LabelSpojeni")->isVisibleTo(&form()));
    printerRecordsView();
    const ViewState before = settledView();

    form().action("MenuPrint")->trigger();

    ASSERT_FALSE(during.tabs.empty()) << "the printer was asked for";
    EXPECT_EQ(hiddenBetween(before, during), listedWidgets(form(), grid()));
    for (int p = 0; p < 14; ++p) {
        EXPECT_EQ(during.tabs[static_cast<std::size_t>(p)], p == 0) << p;
    }
    expectSameView(before);
    EXPECT_FALSE(viewOf(form()).tabs[4]) << "the coupling mode still hides Jet 2A";
    EXPECT_TRUE(childNamed<QLabel>(form(), "LabelSpojeni")->isVisibleTo(&form()));
    EXPECT_EQ(pdfPageCount(pdfPath), 1);
}

struct RestoreCase {
    const char* name;
    std::uint8_t ignitionMode;
    int page;
};

class PrintRestores : public PrintTest, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(PrintRestores, TheNormalViewAsItWas) {
    openQuiet(GetParam().ignitionMode, coupling::kSeparate);
    clickTab(GetParam().page);
    printerRecordsView();
    const ViewState before = settledView();
    form().action("MenuPrint")->trigger();
    for (int p = 0; p < 14; ++p) {
        EXPECT_EQ(during.tabs.at(static_cast<std::size_t>(p)), p == GetParam().page) << p;
    }
    expectSameView(before);
}

// A locked sibling page keeps its grid without arrows; the knock page and the Various page
// have widgets of their own in the view.
INSTANTIATE_TEST_SUITE_P(Pages, PrintRestores,
                         ::testing::Values(RestoreCase{"LockedSibling", coupling::kCoupled, 2},
                                           RestoreCase{"Knock", coupling::kSeparate, 11},
                                           RestoreCase{"Various", coupling::kSeparate, 12}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintTest, StampIsInTheLanguageOnWhiteAndHeldLikeAStatus) {
    openQuiet(coupling::kSeparate, coupling::kSeparate);
    form().action("MenuCzech")->trigger();
    printerRecordsView();
    form().action("MenuPrint")->trigger();
    EXPECT_TRUE(statusLabel()->text().startsWith(QString::fromUtf8("Datum a čas tisku:  ")))
        << statusLabel()->text().toStdString();
    EXPECT_TRUE(statusLabel()->isVisibleTo(&form()));
    EXPECT_EQ(statusLabel()->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(form().feature<UnitFeature>()->link().statusHold(), LinkProtocol::kStatusHoldTicks);
    EXPECT_EQ(grid().rowLabel(3)->palette().color(QPalette::Window), QColor(Qt::white));
}

TEST_F(PrintTest, PrintToPdfWritesOnePageWhereTheDialogSays) {
    openQuiet(coupling::kSeparate, coupling::kSeparate);
    form().setLastFilePath(m_dir.path() + "/motor.ign");
    QString proposed;
    desktop().pdfDialog = [&](const QString& start) {
        proposed = start;
        return pdfPath;
    };
    const ViewState before = settledView();
    form().action("MenuPrintPdf")->trigger();
    EXPECT_EQ(proposed, m_dir.path() + "/motor-Ign 1.pdf") << "the set's name and the page's";
    EXPECT_EQ(pdfPageCount(pdfPath), 1);
    expectSameView(before);
    EXPECT_TRUE(statusLabel()->text().startsWith("Date and time of printing:  "));
}

struct FailureCase {
    const char* name;
    const char* action;
    bool printer; // a printer that cannot print (else none at all)
    const char* message;
};

class PrintFails : public PrintTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(PrintFails, StatusLineSaysSoAndTheViewIsNormal) {
    openQuiet(coupling::kSeparate, coupling::kSeparate);
    const QString unwritable = m_dir.path() + "/no-such-folder/printout.pdf";
    if (GetParam().printer) {
        desktop().printer = [&] { return std::make_unique<QPdfWriter>(unwritable); };
    }
    desktop().pdfDialog = [&](const QString&) { return unwritable; };
    const ViewState before = settledView();
    form().action(GetParam().action)->trigger();
    // A file that could not be written is followed by the system's reason.
    EXPECT_TRUE(statusLabel()->text().startsWith(GetParam().message))
        << statusLabel()->text().toStdString();
    EXPECT_TRUE(statusLabel()->isVisibleTo(&form()));
    EXPECT_EQ(statusLabel()->palette().color(QPalette::Window), QColor(Qt::red));
    expectSameView(before);
    EXPECT_FALSE(QFile::exists(unwritable));
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, PrintFails,
    ::testing::Values(FailureCase{"NoPrinter", "MenuPrint", false, "No printer or print error!"},
                      FailureCase{"PrinterRefuses", "MenuPrint", true,
                                  "No printer or print error!"},
                      FailureCase{"PdfNotWritable", "MenuPrintPdf", false, "Open file error!"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FitCase {
    const char* name;
    QSize picture;
    QSize page;
    QRect placed;
};

class FitToPage : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitToPage, LargestProportionalSizeFromTheTopLeft) {
    EXPECT_EQ(fitToPage(GetParam().picture, GetParam().page), GetParam().placed);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FitToPage,
    ::testing::Values(
        // Portrait page: by height it would be 3750 wide, so the width sets the scale (x 2).
        FitCase{"ByWidth", {1000, 800}, {2000, 3000}, {0, 0, 2000, 1600}},
        // Landscape page: by height (x 2.5) it stays narrower than the page.
        FitCase{"ByHeight", {1000, 800}, {4000, 2000}, {0, 0, 2500, 2000}},
        // Exactly as wide by height: the width sets it, to the same size.
        FitCase{"ExactlyAsWide", {1000, 500}, {2000, 1000}, {0, 0, 2000, 1000}},
        // A small picture is enlarged; an empty one is not placed.
        FitCase{"Enlarged", {100, 100}, {500, 1000}, {0, 0, 500, 500}},
        FitCase{"Empty", {0, 0}, {500, 1000}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintStamp, ShortDateFourBlanksAndTheTimeWithoutItsZone) {
    const QDateTime when(QDate(2026, 12, 7), QTime(10, 38, 6));
    EXPECT_EQ(printStamp(QString::fromUtf8("Datum a čas tisku:  "), when,
                         QLocale(QLocale::Czech, QLocale::Czechia))
                  .toStdString(),
              "Datum a čas tisku:  07.12.26    10:38:06");
}

} // namespace
} // namespace kordana

// The log window's panes offscreen: the first look and its axes, a channel dropped into a new
// pane in its own colour, the channel search, a log growing on screen, a second run over the
// first, the set's alarm and limiter lines, markers and the panes kept in the settings.
#include "FormFixture.h"

#include "features/language/LanguageFeature.h"
#include "features/log/LogChannelList.h"
#include "features/log/LogFeature.h"
#include "features/log/LogPanes.h"
#include "features/log/LogWindow.h"
#include "monitor/MonitorCsv.h"
#include "params/ImageLayout.h"
#include "settings/IniFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>

#include <cmath>

namespace kordana {
namespace {

const std::string kHeader = "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,lambda_mv,"
                            "pressure_kpa,test_1,knock_2_mv,marker";

// A row of kHeader's columns at `elapsed` s.
std::string row(double elapsed, int rpm, int throttle, double pressure, int knock = 500,
                int marker = 0) {
    return "t," + QString::number(elapsed, 'f', 3).toStdString() + "," + std::to_string(rpm) + "," +
           std::to_string(throttle) + ",450," + QString::number(pressure).toStdString() + ",3000," +
           std::to_string(knock) + "," + std::to_string(marker) + "\n";
}

bool isRound(double step) {
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
    return std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
           std::abs(mantissa - 5) < 1e-9;
}

class LogPanesWindow : public testing::FormFixture {
protected:
    QString writeLog(const char* name, const std::string& text) {
        const QString path = m_dir.path() + "/" + name;
        EXPECT_TRUE(writeFileAtomically(path, text));
        return path;
    }
    static void append(const QString& path, const std::string& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    LogWindow& open(TFormHlav& f, const QString& path) {
        EXPECT_TRUE(f.feature<LogFeature>()->openMonitorLog(path));
        return *f.feature<LogFeature>()->logWindow();
    }
    // A run: 900 to 7000 rpm, throttle 0 to 100 %, pressure 20.2 to 40.4 kPa.
    std::string pull() {
        std::string text = kHeader + "\n";
        for (int r = 0; r <= 10; ++r) {
            text += row(0.5 * r, 900 + 610 * r, 10 * r, 20.2 + 2.02 * r);
        }
        return text;
    }
};

void expectRoundAxis(const AxisScale* scale, double low, double lowest, double highest) {
    ASSERT_NE(scale, nullptr);
    EXPECT_TRUE(isRound(scale->step)) << scale->step;
    EXPECT_DOUBLE_EQ(scale->low, low);
    EXPECT_LE(scale->low, lowest);
    EXPECT_GT(scale->low + scale->step, lowest);
    EXPECT_GE(scale->high, highest);
    EXPECT_LT(scale->high - scale->step, highest);
    for (const double tick : scale->ticks) {
        EXPECT_NEAR(std::remainder(tick, scale->step), 0, 1e-9) << tick;
    }
}

TEST_F(LogPanesWindow, TheFirstLookShowsFourPanesWithRoundAxesOfTheirOwn) {
    TFormHlav& f = createForm();
    LogWindow& window = open(f, writeLog("pull.csv", pull()));
    const LogPanes& panes = *window.panes();
    EXPECT_EQ(panes.paneCount(), 4u);
    EXPECT_EQ(window.paneLayout(), defaultLogLayout());
    expectRoundAxis(panes.scaleOf("engine_speed_rpm"), 0, 900, 7000);
    // Throttle shares the pane, not the axis.
    expectRoundAxis(panes.scaleOf("throttle_pct"), 0, 0, 100);
    EXPECT_DOUBLE_EQ(panes.scaleOf("throttle_pct")->high, 100);

    auto* list = childNamed<LogChannelList>(window, "ListLogChannels");
    list->itemOf("pressure_kpa")->setCheckState(0, Qt::Checked);
    list->itemOf("test_1")->setCheckState(0, Qt::Checked);
    EXPECT_EQ(panes.paneCount(), 6u);
    expectRoundAxis(panes.scaleOf("pressure_kpa"), 20, 20.2, 40.4);
    // The constant 3000 lies flat in the middle of its pane.
    const AxisScale* constant = panes.scaleOf("test_1");
    ASSERT_NE(constant, nullptr);
    EXPECT_DOUBLE_EQ((constant->low + constant->high) / 2, 3000);
    EXPECT_GT(constant->high, constant->low);
    for (const QPointF& p : panes.linePoints("test_1", LogPanes::Line::Values)) {
        EXPECT_EQ(p.y(), 3000);
    }
    EXPECT_EQ(panes.pointCount("test_1"), 11);
}

TEST_F(LogPanesWindow, AChannelDroppedBelowTheLastPaneGetsANewPaneInItsOwnColour) {
    TFormHlav& f = createForm();
    LogWindow& window = open(f, writeLog("pull.csv", pull()));
    window.resize(1000, 700);
    QApplication::processEvents();
    auto* panes = childNamed<LogPanes>(window, "ChartLog");
    const QColor colour = LogPanes::colourOf("knock_2_mv");
    EXPECT_EQ(colour, QColor(0x56, 0xB4, 0xE9));

    QMimeData data;
    data.setData(LogPanes::kColumnMime, "knock_2_mv");
    const QPointF below(panes->width() / 2.0, panes->height() - 4.0);
    // The toolkit hands a drop only to the widget that took the drag's entry.
    QDragEnterEvent enter(below.toPoint(), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panes, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(below, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panes, &drop);
    ASSERT_EQ(panes->paneCount(), 5u);
    EXPECT_EQ(window.paneLayout().panes[4], (std::vector<std::string>{"knock_2_mv"}));
    EXPECT_EQ(window.paneLayout().panes[3], (std::vector<std::string>{"knock_1_mv", "knock_3_mv"}));
    EXPECT_EQ(LogPanes::colourOf("knock_2_mv"), colour);
    EXPECT_EQ(childNamed<LogChannelList>(window, "ListLogChannels")
                  ->itemOf("knock_2_mv")
                  ->foreground(0)
                  .color(),
              colour);

    // Drawn in that colour in the new pane and nowhere else.
    const QImage image = panes->grab().toImage();
    std::vector<int> perPane(6, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                ++perPane[panes->paneAtY(y)];
            }
        }
    }
    EXPECT_GT(perPane[4], 50);
    EXPECT_EQ(perPane[0] + perPane[1] + perPane[2] + perPane[3], 0);
}

TEST_F(LogPanesWindow, TheSearchFieldFiltersEveryLoggedColumn) {
    TFormHlav& f = createForm();
    MonitorFrame frame;
    const std::string text =
        monitorLogHeader() + "\n" + monitorLogRow("2026-12-08T14:03:11.000Z", 0, frame) + "\n";
    LogWindow& window = open(f, writeLog("all.csv", text));
    auto* list = childNamed<LogChannelList>(window, "ListLogChannels");
    auto visible = [&] {
        std::vector<std::string> names;
        for (int g = 0; g < list->topLevelItemCount(); ++g) {
            const QTreeWidgetItem* group = list->topLevelItem(g);
            for (int i = 0; i < group->childCount(); ++i) {
                if (!group->isHidden() && !group->child(i)->isHidden()) {
                    names.push_back(LogChannelList::columnOf(group->child(i)));
                }
            }
        }
        return names;
    };
    EXPECT_EQ(visible().size(), 62u);
    EXPECT_EQ(list->topLevelItemCount(), 8);
    childNamed<QLineEdit>(window, "EditLogChannelSearch")->setText("KNOCK");
    EXPECT_EQ(visible(),
              (std::vector<std::string>{"knock_1_mv", "knock_2_mv", "knock_3_mv", "knock_alarm_1",
                                        "knock_alarm_2", "knock_alarm_3"}));
    childNamed<QLineEdit>(window, "EditLogChannelSearch")->setText("inj. time 2");
    EXPECT_EQ(visible(), (std::vector<std::string>{"inj_2a_us", "inj_2b_us"}));
}

TEST_F(LogPanesWindow, ALogBeingWrittenGrowsOnScreenAndFollowKeepsTheNewestInView) {
    TFormHlav& f = createForm();
    const QString path =
        writeLog("growing.csv", kHeader + "\n" + row(0, 900, 0, 30) + row(0.3, 950, 1, 30) +
                                    row(0.6, 1000, 2, 30) + "t,0.9,10");
    LogWindow& window = open(f, path);
    EXPECT_TRUE(window.following());
    EXPECT_EQ(window.log()->rowCount(), 3u);
    EXPECT_EQ(window.checkForNewRows(), 0u);
    append(path, "50,3,450,30,3000,500,0\n" + row(1.2, 1100, 4, 30));
    EXPECT_EQ(window.checkForNewRows(), 2u);
    EXPECT_EQ(window.log()->rowCount(), 5u);
    EXPECT_EQ(childNamed<QSlider>(window, "SliderLogTime")->maximum(), 4);
    // The span shown stays; its end is the newest row.
    EXPECT_DOUBLE_EQ(window.timeFrom(), 0.6);
    EXPECT_DOUBLE_EQ(window.timeTo(), 1.2);
    EXPECT_EQ(window.panes()->linePoints("engine_speed_rpm", LogPanes::Line::Values).back(),
              QPointF(1.2, 1100));

    window.setFollowing(false);
    append(path, row(1.5, 1150, 5, 30));
    EXPECT_EQ(window.checkForNewRows(), 1u);
    EXPECT_DOUBLE_EQ(window.timeTo(), 1.2);
    EXPECT_EQ(window.log()->rowCount(), 6u);
}

TEST_F(LogPanesWindow, ASecondRunLiesDashedOverTheFirstAtTheStartOrAtAMarker) {
    TFormHlav& f = createForm();
    LogWindow& window =
        open(f, writeLog("base.csv", kHeader + "\n" + row(0, 900, 0, 30) +
                                         row(0.5, 1000, 5, 30, 500, 1) + row(1.0, 1200, 9, 30) +
                                         row(1.5, 1500, 20, 30, 500, 2) + row(2.0, 1600, 20, 30)));
    const QString other =
        writeLog("other.csv", kHeader + "\n" + row(2.0, 800, 0, 30) + row(2.5, 950, 2, 30, 500, 2) +
                                  row(3.0, 990, 4, 30, 500, 3));
    ASSERT_TRUE(window.openCompareLog(other));
    EXPECT_DOUBLE_EQ(window.compareOffset(), -2.0);
    auto* align = childNamed<QComboBox>(window, "ComboLogAlign");
    ASSERT_EQ(align->count(), 2); // the start, and marker 2 which both runs hold
    EXPECT_EQ(align->itemText(1), "Aligned at marker 2");
    EXPECT_EQ(window.panes()->linePoints("engine_speed_rpm", LogPanes::Line::Compare),
              (std::vector<QPointF>{{0, 800}, {0.5, 950}, {1.0, 990}}));
    EXPECT_TRUE(window.setCompareAlignment(2u));
    EXPECT_DOUBLE_EQ(window.compareOffset(), 1.5 - 2.5);
    EXPECT_EQ(window.panes()->linePoints("engine_speed_rpm", LogPanes::Line::Compare),
              (std::vector<QPointF>{{1.0, 800}, {1.5, 950}, {2.0, 990}}));
    EXPECT_FALSE(window.setCompareAlignment(3u));
    EXPECT_DOUBLE_EQ(window.compareOffset(), -1.0);

    auto* markers = childNamed<QListWidget>(window, "ListLogMarkers");
    ASSERT_EQ(markers->count(), 2);
    EXPECT_EQ(markers->item(1)->text(), "Marker 2   1.5 s");
    window.jumpToMarker(1);
    EXPECT_EQ(window.cursorRow(), 3u);
    window.closeCompareLog();
    EXPECT_TRUE(window.panes()->linePoints("engine_speed_rpm", LogPanes::Line::Compare).empty());
}

TEST_F(LogPanesWindow, KnockAlarmAndRevLimiterLinesAreTheSets) {
    TFormHlav& f = createForm();
    // Cylinder 2: 6000, 7000, 8000, 8250, 8700 rpm at 1400, 1700, 1580, 1540, 1500 mV.
    const int rpm[] = {6000, 7000, 8000, 8250, 8700};
    const int alarm[] = {1400, 1700, 1580, 1540, 1500};
    for (std::size_t i = 0; i < 5; ++i) {
        setImageByte(f, layout::kRpmKnock + 5 + i, static_cast<std::uint8_t>(rpm[i] / 50));
        setImageByte(f, layout::kAlarm + 5 + i, static_cast<std::uint8_t>(alarm[i] / 20));
    }
    setImageByte(f, layout::kLimiter, 150);
    setImageByte(f, layout::kLimiter + 1, 180);
    setImageByte(f, layout::kLimiter + 2, 184);
    LogWindow& window = open(f, writeLog("knock.csv", kHeader + "\n" + row(0, 5000, 50, 30, 900) +
                                                          row(0.5, 6500, 80, 30, 1200) +
                                                          row(1.0, 8125, 100, 30, 1600)));
    EXPECT_EQ(window.panes()->linePoints("knock_2_mv", LogPanes::Line::Alarm),
              (std::vector<QPointF>{{0, 1400}, {0.5, 1550}, {1.0, 1560}}));
    EXPECT_EQ(window.panes()->limitersWith("engine_speed_rpm"),
              (std::vector<double>{7500, 9000, 9200}));
    // The axis holds the alarm curve too.
    EXPECT_GE(window.panes()->scaleOf("knock_2_mv")->high, 1700);
}

TEST_F(LogPanesWindow, AFlagIsDrawnAsSteps) {
    TFormHlav& f = createForm();
    const std::string header = "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,power_out_1";
    LogWindow& window = open(f, writeLog("flag.csv", header + "\nt,0,900,0,0\nt,1,900,0,1\n"
                                                              "t,2,900,0,1\nt,3,900,0,0\n"));
    window.setPaneLayout(LogLayout::parse("power_out_1"));
    window.resize(1000, 600);
    QApplication::processEvents();
    auto* panes = childNamed<LogPanes>(window, "ChartLog");
    const QImage image = panes->grab().toImage();
    const QColor colour = LogPanes::colourOf("power_out_1");
    // The lowest pixel of the line in a column: a step stays level from one row to the next.
    auto lowest = [&](double seconds) {
        const int x = static_cast<int>(panes->xOfTime(seconds));
        int y = -1;
        for (int row = 0; row < image.height(); ++row) {
            y = image.pixelColor(x, row) == colour ? row : y;
        }
        return y;
    };
    EXPECT_GT(lowest(0.2), 0);
    EXPECT_EQ(lowest(0.2), lowest(0.8));
    EXPECT_EQ(lowest(1.2), lowest(2.8));
    EXPECT_LT(lowest(1.5), lowest(0.5) - 100) << "the 1 stands well above the 0";
}

TEST_F(LogPanesWindow, TheWindowsOwnTextsFollowTheLanguage) {
    TFormHlav& f = createForm();
    LogWindow& window = open(f, writeLog("pull.csv", pull()));
    f.feature<LanguageFeature>()->MenuGermanClick();
    EXPECT_EQ(childNamed<QCheckBox>(window, "CheckLogFollow")->text(), "Mitlaufen");
    EXPECT_EQ(childNamed<QPushButton>(window, "ButtonLogCompare")->text(), "Vergleichen...");
    EXPECT_EQ(childNamed<QLineEdit>(window, "EditLogChannelSearch")->placeholderText(),
              "Kanäle suchen");
    auto* list = childNamed<LogChannelList>(window, "ListLogChannels");
    EXPECT_EQ(list->topLevelItem(2)->text(0), "Zündung");
    EXPECT_EQ(list->headerItem()->text(0), "Kanal");
    f.feature<LanguageFeature>()->MenuCzechClick();
    EXPECT_EQ(childNamed<QCheckBox>(window, "CheckLogFollow")->text(), "Sledovat");
    EXPECT_EQ(list->topLevelItem(7)->text(0), "Testovací hodnoty");
}

TEST_F(LogPanesWindow, ChangedPanesAreKeptInOurSectionAndTheFirstLookWritesNothing) {
    createForm();
    closeForm();
    EXPECT_FALSE(IniFile::parse(readFile("Kordana_R_2006.ini")).value("KORDANA", "LogPanes"));

    TFormHlav& f = createForm();
    f.feature<LogFeature>()->logWindow()->setPaneLayout(
        LogLayout::parse("lambda_mv;engine_speed_rpm,knock_1_mv"));
    closeForm();
    EXPECT_EQ(IniFile::parse(readFile("Kordana_R_2006.ini")).value("KORDANA", "LogPanes"),
              "lambda_mv;engine_speed_rpm,knock_1_mv");
    TFormHlav& again = createForm();
    EXPECT_EQ(again.feature<LogFeature>()->logWindow()->paneLayout().text(),
              "lambda_mv;engine_speed_rpm,knock_1_mv");
}

} // namespace
} // namespace kordana

// View > Heat map colours and View > Cursor trail on the map grid, and their settings keys.
#include "FormFixture.h"

#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "monitor/MonitorFrame.h"
#include "params/ImageLayout.h"
#include "settings/IniFile.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <tuple>

namespace kordana {
namespace {

// Colours as red, green, blue, which a failing check prints readably.
using Rgb3 = std::tuple<int, int, int>;

const Rgb3 kLime{0, 255, 0};
const Rgb3 kBlack{0, 0, 0};
const Rgb3 kWhite{255, 255, 255};
// Ends and middle of the heat scale.
const Rgb3 kLowest{40, 11, 85};
const Rgb3 kMiddle{200, 71, 81};
const Rgb3 kHighest{252, 210, 106};

Rgb3 rgb(const QColor& c) {
    return {c.red(), c.green(), c.blue()};
}

class ViewOptions : public testing::FormFixture {
protected:
    TFormHlav& form() {
        TFormHlav& f = createForm();
        childNamed<QTimer>(f, "Timer1")->stop();
        // Breakpoints 1000, 1500, 2000, ... rpm on "Ign 1"; the first row 0, 60, 30 degrees,
        // the rest 30.
        for (std::size_t c = 0; c < 15; ++c) {
            setImageByte(f, layout::mapRpm(0) + c, static_cast<std::uint8_t>(20 + 10 * c));
        }
        for (std::size_t i = 0; i < 150; ++i) {
            setImageByte(f, layout::mapCells(0) + i, 30);
        }
        setImageByte(f, layout::mapCell(0, 0, 0), 0);
        setImageByte(f, layout::mapCell(0, 0, 1), 60);
        setImageByte(f, layout::mapCell(0, 0, 2), 30);
        f.PageRefresh();
        return f;
    }
    void engineAt(TFormHlav& f, std::uint16_t rpm) {
        MonitorFrame frame{};
        frame.command = 0xB0;
        frame.engineSpeed = rpm;
        frame.throttleOpening = 0; // the first row
        frame.coolantByte = 180;
        frame.airByte = 125;
        frame.version = 51;
        f.ShowMonitorFrame(encodeMonitorFrame(frame));
        f.Timer1Timer();
    }
    static UpDownEdit* cell(TFormHlav& f, int r, int c) {
        return f.findChild<MapGrid*>()->cell(r, c);
    }
    static Rgb3 background(TFormHlav& f, int r, int c) {
        return rgb(cell(f, r, c)->palette().color(QPalette::Base));
    }
    static Rgb3 text(TFormHlav& f, int r, int c) {
        return rgb(cell(f, r, c)->palette().color(QPalette::Text));
    }
};

TEST_F(ViewOptions, HeatColoursFollowTheValuesAndTheCursorWins) {
    TFormHlav& f = form();
    const Rgb3 plain = rgb(QApplication::palette(cell(f, 0, 0)).color(QPalette::Base));
    EXPECT_EQ(background(f, 0, 1), plain);

    f.action("MenuHeatMap")->trigger();
    // Advance over the map's own lowest..highest, here 0..60 degrees.
    EXPECT_EQ(background(f, 0, 0), kLowest);
    EXPECT_EQ(text(f, 0, 0), kWhite);
    EXPECT_EQ(background(f, 0, 1), kHighest);
    EXPECT_EQ(text(f, 0, 1), kBlack);
    EXPECT_EQ(background(f, 0, 2), kMiddle);

    engineAt(f, 1500); // the 60-degree cell
    EXPECT_EQ(background(f, 0, 1), kLime);
    EXPECT_EQ(text(f, 0, 1), kBlack);
    EXPECT_EQ(background(f, 0, 0), kLowest);

    // An injection map spans its own lowest..highest: 10..70 stored puts 40 in the middle.
    for (std::size_t i = 0; i < 150; ++i) {
        setImageByte(f, layout::mapCells(3) + i, 40);
    }
    setImageByte(f, layout::mapCell(3, 5, 0), 10);
    setImageByte(f, layout::mapCell(3, 5, 1), 70);
    childNamed<QTabWidget>(f, "PageControl1")->setCurrentIndex(3);
    EXPECT_EQ(background(f, 5, 0), kLowest);
    EXPECT_EQ(background(f, 5, 1), kHighest);
    EXPECT_EQ(background(f, 0, 2), kMiddle);

    f.action("MenuHeatMap")->trigger();
    EXPECT_EQ(background(f, 5, 0), plain);
}

TEST_F(ViewOptions, TrailFadesBehindTheCursorAndClearsOnAnotherPage) {
    TFormHlav& f = form();
    f.action("MenuHeatMap")->trigger();
    f.action("MenuCursorTrail")->trigger();
    engineAt(f, 1000); // cell (0, 0), heat colour (40, 11, 85)
    engineAt(f, 1500); // cell (0, 1), heat colour (252, 210, 106)
    EXPECT_EQ(background(f, 0, 1), kLime);
    // One visit old: lime at 0.75 - 0.6 / 19 = 0.7184 over (40, 11, 85), rounded per channel.
    EXPECT_EQ(background(f, 0, 0), Rgb3(11, 186, 24));
    EXPECT_EQ(text(f, 0, 0), kBlack);

    engineAt(f, 1000); // back on the trail: the cursor wins
    EXPECT_EQ(background(f, 0, 0), kLime);
    EXPECT_EQ(background(f, 0, 1), Rgb3(71, 242, 30));

    engineAt(f, 0); // the engine stops: no cell is marked, the trail stays
    EXPECT_EQ(background(f, 0, 0), Rgb3(10, 194, 21)); // newest: 0.75 over (40, 11, 85)
    EXPECT_EQ(background(f, 0, 1), Rgb3(71, 242, 30));

    childNamed<QTabWidget>(f, "PageControl1")->setCurrentIndex(1);
    childNamed<QTabWidget>(f, "PageControl1")->setCurrentIndex(0);
    EXPECT_TRUE(f.findChild<MapGrid*>()->trail().cells().empty());
    EXPECT_EQ(background(f, 0, 1), kHighest);

    f.action("MenuCursorTrail")->trigger();
    engineAt(f, 1500);
    engineAt(f, 2000);
    EXPECT_EQ(background(f, 0, 1), kHighest);
}

TEST_F(ViewOptions, SettingsKeepTheOptionsInASectionOfTheirOwn) {
    writeSettings("; kept\n[PORTS]\nCOM1=" + noDevice() + "\nCOM2=" + noDevice() +
                  "\n[SOMEONE_ELSE]\nKey=value\n");
    createForm();
    closeForm();
    const std::string before = readFile("Kordana_R_2006.ini");
    const std::string offKeys = "\n[KORDANA]\nHeatMap=0\nCursorTrail=0\n";
    ASSERT_TRUE(before.ends_with(offKeys)) << before;
    const IniFile ini = IniFile::parse(before);
    EXPECT_FALSE(ini.value("FORM_HLAV", "HeatMap"));
    EXPECT_FALSE(ini.value("IGNITION", "HeatMap"));

    TFormHlav& f = createForm();
    EXPECT_FALSE(f.action("MenuHeatMap")->isChecked());
    f.action("MenuHeatMap")->trigger();
    f.action("MenuCursorTrail")->trigger();
    closeForm();
    // Everything else byte for byte as the run before wrote it.
    const std::string after = readFile("Kordana_R_2006.ini");
    EXPECT_EQ(after, before.substr(0, before.size() - offKeys.size()) +
                         "\n[KORDANA]\nHeatMap=1\nCursorTrail=1\n");

    TFormHlav& again = createForm();
    EXPECT_TRUE(again.action("MenuHeatMap")->isChecked());
    EXPECT_TRUE(again.action("MenuCursorTrail")->isChecked());
    EXPECT_TRUE(again.findChild<MapGrid*>()->heatMap());
    EXPECT_TRUE(again.findChild<MapGrid*>()->cursorTrailShown());
}

} // namespace
} // namespace kordana

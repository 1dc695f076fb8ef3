// One value, one colour: the map grid's heat colours, the 3D surface's gradient and the tune
// sheet's cells agree on a hand-written map.
#include "FormFixture.h"

#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "features/map3d/Map3DFeature.h"
#include "map3d/MapSurfaceWindow.h"
#include "params/ImageLayout.h"
#include "sheet/TuneSheet.h"

#include <QAction>
#include <QLinearGradient>
#include <QSurface3DSeries>
#include <QTimer>

#include <cmath>
#include <tuple>

namespace kordana {
namespace {

using Rgb3 = std::tuple<int, int, int>;

Rgb3 rgb(const QColor& c) {
    return {c.red(), c.green(), c.blue()};
}

Rgb3 rgb(Rgb c) {
    return {c.r, c.g, c.b};
}

// The colour a linear gradient gives at `at` (0..1): its stops interpolated per channel.
Rgb3 gradientAt(const QGradientStops& stops, double at) {
    for (qsizetype i = 1; i < stops.size(); ++i) {
        if (at <= stops[i].first) {
            const double span = stops[i].first - stops[i - 1].first;
            const double w = span > 0 ? (at - stops[i - 1].first) / span : 1.0;
            const QColor a = stops[i - 1].second;
            const QColor b = stops[i].second;
            auto mix = [w](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * w)); };
            return {mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue())};
        }
    }
    return rgb(stops.back().second);
}

using HeatColoursAgree = testing::FormFixture;

TEST_F(HeatColoursAgree, MapGridSurfaceAndSheetGiveAValueOneColour) {
    TFormHlav& f = createForm();
    childNamed<QTimer>(f, "Timer1")->stop();
    // "Ign 1" at 20 degrees throughout but for 10 and 50, its lowest and highest: the scale
    // spans 10..50, which is the 3D view's value axis too (whole 5-degree ticks).
    for (std::size_t i = 0; i < 150; ++i) {
        setImageByte(f, layout::mapCells(0) + i, 20);
    }
    const struct {
        int row;
        int column;
        std::uint8_t value;
        Rgb3 colour;
    } cells[] = {
        {2, 3, 10, {40, 11, 85}},     // the lowest: the bottom of the scale
        {9, 14, 50, {252, 210, 106}}, // the highest: its top
        {4, 6, 30, {200, 71, 81}},    // half-way: the middle sample
        {0, 0, 20, {123, 29, 111}},   // a quarter: the third sample
        {5, 5, 12, {54, 13, 97}},     // 0.05: 0.4 of the way from the first sample to the second
    };
    for (const auto& c : cells) {
        setImageByte(
            f,
            layout::mapCell(0, static_cast<std::size_t>(c.row), static_cast<std::size_t>(c.column)),
            c.value);
    }
    f.PageRefresh();
    f.action("MenuHeatMap")->trigger();
    f.action("MenuMap3D")->trigger();
    const MapSurfaceWindow& view = *f.feature<Map3DFeature>()->window();
    ASSERT_EQ(view.data().valueRange, (AxisRange{10, 50}));
    const QGradientStops stops = view.series()->baseGradient().stops();
    const TuneSheet sheet = buildTuneSheet(f.session().image(), {});
    const SheetTable& ign1 = sheet.blocks.at(1).table;
    ASSERT_EQ(ign1.title, "Ign 1  [°]");

    for (const auto& c : cells) {
        SCOPED_TRACE(::testing::Message() << "cell " << c.row << ", " << c.column);
        const UpDownEdit* field = f.findChild<MapGrid*>()->cell(c.row, c.column);
        EXPECT_EQ(rgb(field->palette().color(QPalette::Base)), c.colour) << "map grid";
        EXPECT_EQ(gradientAt(stops, (c.value - 10) / 40.0), c.colour) << "3D surface";
        const SheetRow& row = ign1.rows.at(static_cast<std::size_t>(c.row));
        ASSERT_EQ(row.fills.size(), 15u);
        EXPECT_EQ(row.cells.at(static_cast<std::size_t>(c.column)), std::to_string(c.value));
        EXPECT_EQ(rgb(row.fills.at(static_cast<std::size_t>(c.column))), c.colour) << "tune sheet";
    }
}

} // namespace
} // namespace kordana

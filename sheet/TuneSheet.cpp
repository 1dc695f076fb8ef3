#include "sheet/TuneSheet.h"

#include "lang/CaptionTables.h"
#include "lang/HintTables.h"
#include "lang/ItemListTables.h"
#include "lang/KnockLists.h"
#include "lang/SheetTexts.h"
#include "link/UnitHeader.h"
#include "monitor/OperatingPoint.h"
#include "params/ImageLayout.h"
#include "params/KnockLists.h"
#include "params/ParameterTable.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace kordana {

namespace {

constexpr std::size_t kCurvePoints = 15;
constexpr std::size_t kCylinders = 3;
constexpr std::size_t kKnockPointsPerCylinder = 5;

// The map pages as their tabs name them; the same in every language.
struct MapPageKeys {
    std::string_view caption;
    std::string_view rpmKey;
    std::string_view cellKey;
    std::string_view unit;
};
constexpr std::array<MapPageKeys, kMapPageCount> kMapPages{{
    {"Ign 1", "RPM_IGN_1", "IGN_1", "[°]"},
    {"Ign 2", "RPM_IGN_2", "IGN_2", "[°]"},
    {"Ign 3", "RPM_IGN_3", "IGN_3", "[°]"},
    {"Jet 1A", "RPM_JET_1A", "JET_1A", "[us]"},
    {"Jet 2A", "RPM_JET_2A", "JET_2A", "[us]"},
    {"Jet 3A", "RPM_JET_3A", "JET_3A", "[us]"},
    {"Jet 1B", "RPM_JET_1B", "JET_1B", "[us]"},
    {"Jet 2B", "RPM_JET_2B", "JET_2B", "[us]"},
    {"Jet 3B", "RPM_JET_3B", "JET_3B", "[us]"},
}};

// The injection A and B banks each begin a page, so a bank is read on one sheet of paper.
constexpr std::size_t kFirstBankA = 3;
constexpr std::size_t kFirstBankB = 6;

// Captions the window's form shows in every language.
constexpr std::string_view kCoupledItem = "1 = 2 = 3";
constexpr std::string_view kActRpmCaption = "Tacho/Lambda";
constexpr std::string_view kTpsCaption = "Throttle Sensor [mV]";
constexpr std::array<std::string_view, 2> kTpsButtons{"TPS 0 %", "TPS 100 %"};
constexpr std::array<std::string_view, 3> kPowerOutputHeads{"Level 1 [rpm]", "Level 2 [rpm]",
                                                            "Reverse"};
constexpr std::string_view kKnockCaption = "Knock";
constexpr std::array<std::string_view, 5> kCorrectionTemperatures{"-10", "20", "50", "80", "110"};

constexpr std::string_view kChecked = "\u2611";
constexpr std::string_view kUnchecked = "\u2610";
// A list index beyond its list: the page shows the list with nothing selected.
constexpr std::string_view kNoItem = "\u2013";

class SheetBuilder {
public:
    SheetBuilder(const ParameterImage& image, std::uint8_t language)
        : m_image(image), m_language(language) {}

    int shown(std::string_view key, std::size_t element) const {
        return shownValue(m_image, key, element);
    }
    std::string value(std::string_view key, std::size_t element) const {
        return std::to_string(shown(key, element));
    }
    std::string check(std::string_view key, std::size_t element) const {
        return std::string(shown(key, element) != 0 ? kChecked : kUnchecked);
    }
    // The caption of a localised control without its accelerator mark.
    std::string caption(std::string_view control) const {
        std::string text(captionForControl(control, m_language).value_or(control));
        std::erase(text, '&');
        return text;
    }
    std::string hint(std::string_view control) const {
        return std::string(hintForControl(control, m_language).value_or(control));
    }
    std::string item(std::string_view control, std::size_t index) const {
        const auto items = itemsForControl(control, m_language);
        return items && index < items->size() ? std::string((*items)[index]) : std::string(kNoItem);
    }
    // `count` shown values of `key` from element `first`.
    std::vector<std::string> values(std::string_view key, std::size_t first,
                                    std::size_t count) const {
        std::vector<std::string> cells;
        for (std::size_t i = 0; i < count; ++i) {
            cells.push_back(value(key, first + i));
        }
        return cells;
    }
    std::string couplingMode(std::size_t group) const {
        const std::uint8_t mode = m_image[layout::kMode + group];
        if (mode == 1) {
            return caption("Menu_Ign123Coupled");
        }
        return mode == 0 ? caption("Menu_Ign123Normal") : std::string(kCoupledItem);
    }
    std::string listItem(std::span<const std::string_view> items, std::size_t imageIndex) const {
        const std::size_t index = m_image[imageIndex];
        return std::string(index < items.size() ? items[index] : kNoItem);
    }

    const ParameterImage& image() const { return m_image; }
    std::uint8_t language() const { return m_language; }

private:
    const ParameterImage& m_image;
    std::uint8_t m_language;
};

SheetBlock heading(std::string text, bool newPage) {
    SheetBlock block;
    block.kind = SheetBlock::Kind::Heading;
    block.heading = std::move(text);
    block.newPage = newPage;
    return block;
}

SheetBlock tableBlock(SheetTable table, bool newPage = false) {
    SheetBlock block;
    block.table = std::move(table);
    block.newPage = newPage;
    return block;
}

SheetRow row(std::string label, std::vector<std::string> cells) {
    return SheetRow{std::move(label), std::move(cells), {}};
}

SheetTable titleBlock(const SheetBuilder& b, const SheetSource& source) {
    SheetTable table;
    table.halfWidth = true;
    const SheetTexts texts = sheetTextsFor(b.language());
    table.rows.push_back(row(b.caption("LabelFile1"),
                             {source.fileName.empty() ? std::string(kNoItem) : source.fileName}));
    table.rows.push_back(row(std::string(texts.date), {source.date}));
    table.rows.push_back(
        row(b.caption("LabelBike"), {b.item("ComboBoxBike", b.image()[layout::kBike])}));
    if (unitHeaderKnown(b.image())) {
        const UnitHeaderTexts unit = DecodeUnitHeader(b.image().block(0));
        table.rows.push_back(row(b.hint("LabelVerze1"), {unit.version}));
        table.rows.push_back(row(b.hint("LabelVerze2"), {unit.date}));
        table.rows.push_back(row(b.hint("LabelVerze3"), {unit.time}));
    }
    return table;
}

// A map as its page shows it: breakpoints over the columns, throttle rows down the side, each
// cell in the heat colour of its value over the map's lowest..highest, as on the map grid.
SheetTable mapTable(const SheetBuilder& b, std::size_t pageIndex) {
    const MapPageKeys& page = kMapPages[pageIndex];
    SheetTable table;
    table.title = std::string(page.caption) + "  " + std::string(page.unit);
    table.header.push_back("TPS \\ RPM");
    for (std::string& breakpoint : b.values(page.rpmKey, 0, layout::kMapCols)) {
        table.header.push_back(std::move(breakpoint));
    }
    const std::array<int, 150> colourBy = mapShownCells(b.image(), pageIndex);
    const HeatRange heat = heatRangeOf(colourBy);
    for (std::size_t r = 0; r < layout::kMapRows; ++r) {
        SheetRow line{std::to_string(kThrottleRows[r]) + "%", {}, {}};
        for (std::size_t c = 0; c < layout::kMapCols; ++c) {
            const std::size_t cell = r * layout::kMapCols + c;
            line.cells.push_back(std::to_string(b.shown(page.cellKey, cell)));
            // A map of one value throughout (the B maps of a three-injector set) stays white.
            if (heat.high > heat.low) {
                line.fills.push_back(heat.colour(colourBy[cell]));
            }
        }
        table.rows.push_back(std::move(line));
    }
    return table;
}

void addPositionAndServo(std::vector<SheetBlock>& blocks, const SheetBuilder& b) {
    blocks.push_back(heading(b.caption("TabSheet_Poloha"), true));
    const std::array<std::string_view, 3> groups[2] = {
        {"GroupBoxPolohaA", "POSITION_A", "RadioGroupPolohaA"},
        {"GroupBoxPolohaB", "POSITION_B", "RadioGroupPolohaB"}};
    for (const auto& [group, key, reference] : groups) {
        SheetTable table;
        table.title = b.caption(group);
        table.rows.push_back(row("rpm", b.values(key, 0, kCurvePoints)));
        table.rows.push_back(row("°", b.values(key, kCurvePoints, kCurvePoints)));
        table.rows.push_back(
            row(b.caption(reference),
                {b.item(reference, static_cast<std::size_t>(b.shown(key, 2 * kCurvePoints)))}));
        blocks.push_back(tableBlock(std::move(table)));
    }

    blocks.push_back(heading(b.caption("TabSheet_Servo"), false));
    SheetTable servo;
    servo.title = b.caption("GroupBoxServo");
    servo.rows.push_back(row(b.caption("CheckBoxServoEnable"), {b.check("SERVO_ENABLE", 0)}));
    servo.rows.push_back(row("rpm", b.values("RPM_SERVO", 0, kCurvePoints)));
    servo.rows.push_back(row("mV", b.values("VOLT_SERVO", 0, kCurvePoints)));
    servo.rows.push_back(row(b.caption("LabelServoHyster"), {b.value("SERVO_HYSTER", 0)}));
    blocks.push_back(tableBlock(std::move(servo)));

    SheetTable power;
    power.header = {""};
    power.header.insert(power.header.end(), kPowerOutputHeads.begin(), kPowerOutputHeads.end());
    for (std::size_t output = 0; output < 3; ++output) {
        const std::size_t e = 3 * output;
        power.rows.push_back(row(
            "Power Output " + std::to_string(output + 1),
            {b.value("POWER_OUT", e), b.value("POWER_OUT", e + 1), b.check("POWER_OUT", e + 2)}));
    }
    blocks.push_back(tableBlock(std::move(power)));
}

void addVarious(std::vector<SheetBlock>& blocks, const SheetBuilder& b) {
    blocks.push_back(heading(b.caption("TabSheet_Ruzne"), false));
    SheetTable other{b.caption("GroupBoxOther"), {}, {}, true};
    for (std::size_t i = 0; i < 3; ++i) {
        other.rows.push_back(
            row(b.caption("LabelOmez" + std::to_string(i + 1)), {b.value("LIMITER", i)}));
    }
    other.rows.push_back(row(b.caption("CheckBoxRpm2Krat"), {b.check("RPM2", 0)}));
    other.rows.push_back(row(b.caption("CheckBoxZakazCteni"), {b.check("NO_READING", 0)}));
    other.rows.push_back(row(b.caption("Menu_Ign123Mode"), {b.couplingMode(0)}));
    other.rows.push_back(row(b.caption("Menu_Jet123Mode"), {b.couplingMode(1)}));
    blocks.push_back(tableBlock(std::move(other)));

    SheetTable activation{b.caption("GroupBoxActivation"), {}, {}, true};
    activation.rows.push_back(row(std::string(kActRpmCaption), {b.check("ACT_RPM", 0)}));
    activation.rows.push_back(row(b.caption("CheckBoxAktTlakOleje"), {b.check("ACT_OIL", 0)}));
    activation.rows.push_back(row(b.caption("CheckBoxAktLimiter1"), {b.check("ACT_LIM1", 0)}));
    blocks.push_back(tableBlock(std::move(activation)));

    SheetTable tps{std::string(kTpsCaption), {}, {}, true};
    for (std::size_t i = 0; i < 2; ++i) {
        tps.rows.push_back(row(std::string(kTpsButtons[i]), {b.value("TPS", i)}));
    }
    blocks.push_back(tableBlock(std::move(tps)));

    SheetTable accel{b.caption("GroupBoxAkcel"), {}, {}, true};
    accel.rows.push_back(row(b.caption("LabelAkcelPrah"), {b.value("ACCEL", 0)}));
    accel.rows.push_back(row(b.caption("LabelAkcelJet"), {b.value("ACCEL", 1)}));
    blocks.push_back(tableBlock(std::move(accel)));

    SheetTable start{{}, {}, {}, true};
    start.rows.push_back(row(b.caption("GroupBoxStartJet"), {b.value("START_JET", 0) + " ms"}));
    start.rows.push_back(
        row(b.caption("GroupBoxTempWarning"), {b.value("TEMP_WARNING", 0) + " °C"}));
    blocks.push_back(tableBlock(std::move(start)));
}

void addCorrections(std::vector<SheetBlock>& blocks, const SheetBuilder& b) {
    blocks.push_back(heading(b.caption("TabSheet_Korekce"), true));
    const std::array<std::string_view, 4> curves[2] = {
        {"GroupBoxTlak", "LabelTlakTlak", "LabelTlakKor", "DRUCK"},
        {"GroupBoxRetard", "LabelRetardTemp", "LabelRetardRetard", "RETARD"}};
    for (const auto& [group, first, second, key] : curves) {
        SheetTable table;
        table.title = b.caption(group);
        table.rows.push_back(row(b.caption(first), b.values(key, 0, 10)));
        table.rows.push_back(row(b.caption(second), b.values(key, 10, 10)));
        blocks.push_back(tableBlock(std::move(table)));
    }

    SheetTable temperatures{b.caption("GroupBoxVodaVzduch"), {"[°C]"}, {}, true};
    temperatures.header.insert(temperatures.header.end(), kCorrectionTemperatures.begin(),
                               kCorrectionTemperatures.end());
    temperatures.rows.push_back(
        row(b.caption("LabelVoda2") + " [%]", b.values("WATER_TEMP", 0, 5)));
    temperatures.rows.push_back(
        row(b.caption("LabelVzduch2") + " [%]", b.values("AIR_TEMP", 0, 5)));
    blocks.push_back(tableBlock(std::move(temperatures)));

    // The post-start curve: time 0 with the first correction, the three time breakpoints with
    // the other three, and the last time with the fixed 100 %.
    SheetTable start{b.caption("GroupBoxSytic"), {}, {}, true};
    std::vector<std::string> times{"0"};
    std::vector<std::string> corrections;
    for (std::size_t i = 0; i < 4; ++i) {
        times.push_back(b.value("CHOKE", i));
        corrections.push_back(b.value("CHOKE", 4 + i));
    }
    corrections.emplace_back("100");
    start.rows.push_back(row(b.caption("LabelSyticCas"), std::move(times)));
    start.rows.push_back(row(b.caption("LabelSyticKorekce"), std::move(corrections)));
    blocks.push_back(tableBlock(std::move(start)));
}

void addKnock(std::vector<SheetBlock>& blocks, const SheetBuilder& b) {
    blocks.push_back(heading(std::string(kKnockCaption), false));
    const std::span<const std::string_view> captions = knockRowCaptions();
    for (std::size_t cylinder = 0; cylinder < kCylinders; ++cylinder) {
        SheetTable table;
        table.title = "Cylinder " + std::to_string(cylinder + 1);
        std::vector<SheetRow> rows(captions.size());
        for (std::size_t r = 0; r < captions.size(); ++r) {
            rows[r].label = captions[r];
        }
        for (std::size_t k = 0; k < kKnockPointsPerCylinder; ++k) {
            const std::size_t i = cylinder * kKnockPointsPerCylinder + k;
            rows[0].cells.push_back(b.value("RPM_KNOCK", i));
            rows[1].cells.push_back(b.listItem(kKnockFrequencies, layout::kKnockFrek + i));
            rows[2].cells.push_back(b.listItem(kKnockGains, layout::kLevel + i));
            rows[3].cells.push_back(b.listItem(kKnockTimeConstants, layout::kTimeConst + i));
            rows[4].cells.push_back(b.value("START", i));
            rows[5].cells.push_back(b.value("END", i));
            rows[6].cells.push_back(b.value("ALARM", i));
        }
        table.rows = std::move(rows);
        blocks.push_back(tableBlock(std::move(table)));
    }
}

} // namespace

bool unitHeaderKnown(const ParameterImage& image) {
    const auto header = image.block(0);
    return std::ranges::any_of(header, [](std::uint8_t byte) { return byte != 0 && byte != ' '; });
}

TuneSheet buildTuneSheet(const ParameterImage& image, const SheetSource& source) {
    const SheetBuilder b(image, safeLanguageIndex(source.languageIndex));
    const SheetTexts texts = sheetTextsFor(b.language());
    TuneSheet sheet;
    sheet.title = texts.title;
    sheet.pageFormat = texts.page;
    sheet.fileName = source.fileName;
    sheet.blocks.push_back(tableBlock(titleBlock(b, source)));
    for (std::size_t p = 0; p < kMapPageCount; ++p) {
        sheet.blocks.push_back(tableBlock(mapTable(b, p), p == kFirstBankA || p == kFirstBankB));
    }
    addPositionAndServo(sheet.blocks, b);
    addVarious(sheet.blocks, b);
    addCorrections(sheet.blocks, b);
    addKnock(sheet.blocks, b);
    return sheet;
}

} // namespace kordana

#include "lang/CaptionTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {
namespace {

constexpr std::uint8_t kEn = 0;
constexpr std::uint8_t kDe = 1;
constexpr std::uint8_t kFr = 2;
constexpr std::uint8_t kCz = 3;

template <typename Row>
void expectEachControlOnce(std::span<const Row> rows, const char* table) {
    std::set<std::string_view> seen;
    for (const Row& row : rows) {
        EXPECT_FALSE(row.controls.empty()) << table;
        for (std::string_view control : row.controls) {
            EXPECT_FALSE(control.empty()) << table;
            EXPECT_TRUE(seen.insert(control).second) << control << " twice in " << table;
        }
    }
}

TEST(CaptionTablesTest, EveryRowNamesControlsAndHasFourTexts) {
    ASSERT_EQ(captionTable().size(), 157u);
    ASSERT_EQ(hintTable().size(), 15u);
    for (const std::span<const TextRow> table : {captionTable(), hintTable()}) {
        for (const TextRow& row : table) {
            for (std::uint8_t language = 0; language < 4; ++language) {
                EXPECT_FALSE(textFor(row, language).empty()) << row.controls.front();
            }
        }
    }
    expectEachControlOnce(captionTable(), "captions");
    expectEachControlOnce(hintTable(), "hints");
    expectEachControlOnce(itemListTable(), "item lists");
    expectEachControlOnce(formHints(), "form hints");
}

TEST(CaptionTablesTest, ItemListsKeepTheirLengthInEveryLanguage) {
    ASSERT_EQ(itemListTable().size(), 8u);
    const std::size_t lengths[] = {4, 3, 3, 2, 5, 5, 2, 3};
    for (std::size_t i = 0; i < 8; ++i) {
        for (std::uint8_t language = 0; language < 4; ++language) {
            const auto items = itemsFor(itemListTable()[i], language);
            EXPECT_EQ(items.size(), lengths[i]);
            for (std::string_view item : items) {
                EXPECT_FALSE(item.empty());
            }
        }
    }
    EXPECT_EQ(itemListTable()[0].controls[0], "ComboBoxBike");
    const std::vector<std::string_view> radios(itemListTable()[1].controls.begin(),
                                               itemListTable()[1].controls.end());
    EXPECT_EQ(radios, (std::vector<std::string_view>{"RadioGroupPolohaA", "RadioGroupPolohaB"}));
}

struct TextCase {
    std::string_view control;
    std::uint8_t language;
    std::string_view expected;
};

TEST(CaptionTablesTest, CaptionsSpotChecks) {
    const TextCase cases[] = {
        {"FormHlav", kEn, "Programming of Kordana_Racing unit"},
        {"FormHlav", kDe, "Programmierung der Kordana_Racing Zündbox"},
        // Czech: the tabs that keep English or short names, and the unchanged mode menu.
        {"TabSheet_Poloha", kCz, "Poloha"},
        {"TabSheet_Servo", kCz, "Power Outputs - Servo"},
        {"TabSheet_Ruzne", kCz, "Různé"},
        {"TabSheet_Korekce", kCz, "Korekce"},
        {"Menu_Ign123Mode", kCz, "Ign 1-2-3"},
        {"Menu_Jet123Mode", kCz, "Jet 1-2-3"},
        {"Menu_Ign123Mode", kDe, "Zündung 1-2-3"},
        // French entries that are English on purpose.
        {"LabelBike", kFr, "Motor and Fuel"},
        {"LabelBike", kEn, "Motor and fuel"},
        {"TabSheet_Servo", kFr, "Power Outputs - Servo"},
        {"LabelEeDataErr", kFr, "Programmed data error!"},
        // French bytes shown as they are, not "corrected" to other accents.
        {"MenuCzech", kFr, "&Tch\xC4\x8Dque"},
        {"MenuSave", kFr, "&Mčmoriser"},
        {"CheckBoxProgHned", kFr, "Sovegarde aprčs modification"},
        // Double and trailing blanks belong to the texts.
        {"LabelOmez2", kFr, "Limitateur  par Allumage [RPM]"},
        {"GroupBoxVodaVzduch", kDe, "Temperatur "},
        // Shared rows and accelerators.
        {"ButtonRead", kCz, "Čí&st"},
        {"MenuRead", kCz, "Čí&st"},
        {"Menu_Jet123Coupled", kFr, "couplé"},
        {"CheckBoxAktLimiter1", kFr, "Limitateur départ [rpm]"},
        {"RadioGroupPolohaB", kCz, "Poloha zadána pro:"},
        {"CheckBoxAll_Map", kDe, "Alles"},
        {"CheckBoxAll_PolohaB", kCz, "Vše"},
        {"LabelSyticKorekce", kEn, "Corrections for -10°C [%]"},
        {"GroupBoxRetard", kFr, "Correction d´alumage relationelle de température d´air"},
        // The options and the command that carry their English names as given.
        {"MenuHeatMap", kEn, "Heat map colours"},
        {"MenuCursorTrail", kEn, "Cursor trail"},
        {"MenuAssignDevice", kEn, "Assign serial device..."},
        {"MenuFastLink", kEn, "Fast link"},
        {"MenuQuickProgramming", kCz, "Rychlé programování"},
        {"ButtonMonitorOneLine", kDe, "Eine Zeile"},
        {"ButtonMonitorDetach", kFr, "Fenêtre séparée"},
        {"FormMonitor", kCz, "Monitor"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(captionForControl(c.control, c.language), c.expected)
            << c.control << " in language " << unsigned{c.language};
    }
}

TEST(CaptionTablesTest, HintsSpotChecks) {
    const TextCase cases[] = {
        {"ButtonProgram", kEn, "Programing  set parametrs to ignition"},
        {"MenuProgram", kEn, "Programing  set parametrs to ignition"},
        {"ButtonVerify", kEn, "Compare set parametrs  with parametrs of ignition"},
        {"MenuVerify", kCz,
         "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování"},
        {"MenuCom", kCz, "Nastavení čísla serivého portu (Com) "},
        {"MenuCom", kEn, "Set number of com"},
        {"SpeedButton5", kFr, "Ouvrir fichier avec paramčtres"},
        {"MenuNew", kFr, "Reprogramation des paramčtres initial Dórigine"},
        {"MenuLanguage", kEn, "Language|Set English or German or French"},
        {"MenuLanguage", kDe, "Sprache"},
        {"LabelVerze3", kCz, "Čas zhotovení programu v zapalování"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(hintForControl(c.control, c.language), c.expected)
            << c.control << " in language " << unsigned{c.language};
    }
}

TEST(CaptionTablesTest, ItemListsSpotChecks) {
    using List = std::vector<std::string_view>;
    const auto list = [](std::string_view control, std::uint8_t language) {
        const auto items = itemsForControl(control, language);
        return items ? List(items->begin(), items->end()) : List{};
    };
    const List english{"6 injectors fuel 100+ oct.", "6 injectors fuel  98 oct.",
                       "3 injectors fuel 100+ oct.", "3 injectors fuel 98 oct."};
    EXPECT_EQ(list("ComboBoxBike", kEn), english);
    EXPECT_EQ(list("ComboBoxBike", kFr), english);
    EXPECT_EQ(list("ComboBoxBike", kDe),
              (List{"6 Einspritzdüsen Benzin 100+ oct.", "6 Einspritzdüsen Benzin  98 oct.",
                    "3 Einspritzdüsen Benzin 100+ oct.", "3 Einspritzdüsen Benzin 98 oct."}));
    EXPECT_EQ(list("ComboBoxBike", kCz),
              (List{"6 trysek benzin 100+ oct.", "6 trysek fuel  98 oct.",
                    "3 trysek fuel 100+ oct.", "3 trysek fuel 98 oct."}));
    EXPECT_EQ(list("RadioGroupPolohaA", kFr), (List{"Commencement", "centre", "Fin"}));
    EXPECT_EQ(list("RadioGroupPolohaB", kCz), (List{"Počátek", "Střed", "Konec"}));
    EXPECT_EQ(list("RadioGroupPolohaB", kEn), (List{"Beginning", "Centre", "End"}));
}

TEST(CaptionTablesTest, ControlsOutsideTheTablesAreNotLocalised) {
    for (std::string_view control : {"GroupBoxPowerOut1", "ButtonTps0", "CheckBoxExtMonitor",
                                     "Menu_Ign123Stejny", "MenuToolsMinus", "ButtonPlus_Servo"}) {
        EXPECT_FALSE(captionForControl(control, kDe)) << control;
        EXPECT_FALSE(hintForControl(control, kDe)) << control;
        EXPECT_FALSE(itemsForControl(control, kDe)) << control;
    }
    EXPECT_FALSE(hintForControl("MenuEnglish", kDe));
    EXPECT_FALSE(hintForControl("MenuHelp", kCz));
}

TEST(CaptionTablesTest, IndexAboveCzechReadsAsEnglish) {
    for (unsigned index : {4u, 9u, 255u}) {
        const auto language = static_cast<std::uint8_t>(index);
        for (const TextRow& row : captionTable()) {
            EXPECT_EQ(textFor(row, language), row.text[kEn]);
        }
        EXPECT_EQ(hintForControl("MenuExit", language), "End of program");
        EXPECT_EQ(itemsForControl("RadioGroupPolohaA", language)->front(), "Beginning");
    }
}

TEST(CaptionTablesTest, FormHintsAreReplacedExactlyWhereTheHintTableHasARow) {
    for (const FormHint& row : formHints()) {
        for (std::string_view control : row.controls) {
            EXPECT_EQ(row.replacedAtStartUp, hintForControl(control, kEn).has_value()) << control;
        }
    }
    // Every localised hint replaces a form hint, except the labels the form leaves without one.
    for (const HintRow& row : hintTable()) {
        for (std::string_view control : row.controls) {
            const bool formHasOne = formHintForControl(control).has_value();
            const bool label = control.starts_with("LabelVerze");
            const bool box = control == "CheckBoxProgHned" || control == "GroupBoxActivation";
            EXPECT_EQ(formHasOne, !label && !box) << control;
        }
    }
    EXPECT_EQ(formHintForControl("SpeedButtonPrint"), "Print|Print parametrs");
    EXPECT_EQ(formHintForControl("MenuCom"), "Com|Set number of com ");
    EXPECT_EQ(formHintForControl("MenuEnglish"), "|Set Englich menu");
    EXPECT_EQ(formHintForControl("MenuHelp"), "Not available jet");
    EXPECT_EQ(formHintForControl("ButtonMinus_Servo"), "Take off 20 mV");
    EXPECT_EQ(formHintForControl("ButtonPlus_PolohaA"), "Add 20 mV");
}

TEST(CaptionTablesTest, HintsSplitIntoTooltipAndStatusText) {
    struct SplitCase {
        std::string_view hint;
        std::string_view shortPart;
        std::string_view longPart;
    };
    const SplitCase cases[] = {
        {"New|Set default parametrs", "New", "Set default parametrs"},
        {"|Set Englich menu", "", "Set Englich menu"},
        {"Not available jet", "Not available jet", "Not available jet"},
        {"Language|Set English or German or French", "Language", "Set English or German or French"},
        {"Com|Set number of com ", "Com", "Set number of com "},
        {"a|b|c", "a", "b|c"},
        {"", "", ""},
    };
    for (const SplitCase& c : cases) {
        const HintParts parts = splitHint(c.hint);
        EXPECT_EQ(parts.shortPart, c.shortPart) << c.hint;
        EXPECT_EQ(parts.longPart, c.longPart) << c.hint;
    }
    // Apart from the English language item, localised hints are tooltip and status text alike.
    for (const HintRow& row : hintTable()) {
        for (std::uint8_t language = 0; language < 4; ++language) {
            const bool languageItem = row.controls.front() == "MenuLanguage" && language == kEn;
            EXPECT_EQ(textFor(row, language).find('|') != std::string_view::npos, languageItem)
                << row.controls.front() << " in language " << unsigned{language};
        }
    }
}

} // namespace
} // namespace kordana

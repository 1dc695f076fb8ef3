#include "lang/HintTables.h"

#include <algorithm>
#include <array>

namespace kordana {
namespace {

using namespace std::string_view_literals;

constexpr std::array kHintLabelVerze1{"LabelVerze1"sv};
constexpr std::array kHintLabelVerze2{"LabelVerze2"sv};
constexpr std::array kHintLabelVerze3{"LabelVerze3"sv};
constexpr std::array kHintSpeedButton5{"SpeedButton5"sv, "MenuOpen"sv};
constexpr std::array kHintSpeedButton6{"SpeedButton6"sv, "MenuNew"sv};
constexpr std::array kHintSpeedButton7{"SpeedButton7"sv, "MenuSave"sv};
constexpr std::array kHintSpeedButtonPrint{"SpeedButtonPrint"sv, "MenuPrint"sv};
constexpr std::array kHintButtonProgram{"ButtonProgram"sv, "MenuProgram"sv};
constexpr std::array kHintButtonVerify{"ButtonVerify"sv, "MenuVerify"sv};
constexpr std::array kHintButtonRead{"ButtonRead"sv, "MenuRead"sv};
constexpr std::array kHintMenuExit{"MenuExit"sv};
constexpr std::array kHintMenuLanguage{"MenuLanguage"sv};
constexpr std::array kHintCheckBoxProgHned{"CheckBoxProgHned"sv};
constexpr std::array kHintGroupBoxActivation{"GroupBoxActivation"sv};
constexpr std::array kHintMenuCom{"MenuCom"sv};

// Localised hints. Only MenuLanguage's English hint has a '|' part; every other one is its own
// tooltip and status-bar text.
constexpr std::array kHints{
    HintRow{kHintLabelVerze1,
            {"Version of program in ignition", "Version des Programms der Zündung",
             "Variantes de courbe d´avance", "Verze programu v zapalování"}},
    HintRow{kHintLabelVerze2,
            {"Date of program in ignition", "Datum des Programms der Zündung",
             "Date de programation de la courbe d´avance",
             "Datum zhotovení programu v zapalování"}},
    HintRow{kHintLabelVerze3,
            {"Time of program in ignition", "Programmierzeitpunkt der Zündung",
             "Temp de programation de la courbe d´avance", "Čas zhotovení programu v zapalování"}},
    HintRow{kHintSpeedButton5,
            {"Open file with parametrs", "Kenndatendatei öffnen", "Ouvrir fichier avec paramčtres",
             "Otevření souboru s parametry"}},
    HintRow{kHintSpeedButton6,
            {"Set default parametrs", "Neue Kenndatendaten erstellen",
             "Reprogramation des paramčtres initial Dórigine", "Nastavení výchozích parametrů"}},
    HintRow{kHintSpeedButton7,
            {"Save parametrs to file", "Kenndaten in Datei speichern", "Sauvegarder les paramčtres",
             "Uložení parametrů do souboru"}},
    HintRow{kHintSpeedButtonPrint,
            {"Print parametrs", "Druck der Kenndaten", "Imprimer paramčtres", "Tisk parametrů"}},
    HintRow{kHintButtonProgram,
            {"Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox",
             "Programer les paramčtres dans ECU",
             "Programování nastavených parametrů do zapalování"}},
    HintRow{
        kHintButtonVerify,
        {"Compare set parametrs  with parametrs of ignition",
         "Vergleich der Kenndaten mit Zündboxkenndaten", "Comparer les paramčtres de ECU",
         "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování"}},
    HintRow{kHintButtonRead,
            {"Reading parametrs from ignition", "Kenndaten aus Zündung lesen",
             "Lire paramčtres ECU", "Čtení parametrů ze zapalování"}},
    HintRow{kHintMenuExit,
            {"End of program", "Programm beenden", "Sortir du programme", "Ukončení programu"}},
    HintRow{kHintMenuLanguage,
            {"Language|Set English or German or French", "Sprache", "Sélection de la lange",
             "Nastavení jazyka na angličtinu, češtinu nebo němčinu"}},
    HintRow{kHintCheckBoxProgHned,
            {"Programing at once after change", "Programmmierung gleich nach der Änderung",
             "Programation instantanée des modifications", "Programování ihned po změně"}},
    HintRow{kHintGroupBoxActivation,
            {"Checked items means activation by closing to ground",
             "Gezeichnete Punkt bedeutet Aktivierung durch Schaltverbindung zu Grund",
             "Les points marqués sont activ avec le contacte de masse",
             "Zaškrtnutí znamená aktivaci připojením na zem"}},
    HintRow{kHintMenuCom,
            {"Set number of com", "Com-Anschluß festlegen", "installer nombre de com",
             "Nastavení čísla serivého portu (Com) "}},
};

constexpr std::array kFormMenuNew{"MenuNew"sv, "SpeedButton6"sv};
constexpr std::array kFormMenuOpen{"MenuOpen"sv, "SpeedButton5"sv};
constexpr std::array kFormMenuSave{"MenuSave"sv, "SpeedButton7"sv};
constexpr std::array kFormMenuPrint{"MenuPrint"sv, "SpeedButtonPrint"sv};
constexpr std::array kFormMenuExit{"MenuExit"sv};
constexpr std::array kFormMenuCom{"MenuCom"sv};
constexpr std::array kFormMenuRead{"MenuRead"sv, "ButtonRead"sv};
constexpr std::array kFormMenuVerify{"MenuVerify"sv, "ButtonVerify"sv};
constexpr std::array kFormMenuProgram{"MenuProgram"sv, "ButtonProgram"sv};
constexpr std::array kFormMenuLanguage{"MenuLanguage"sv};
constexpr std::array kFormMenuEnglish{"MenuEnglish"sv};
constexpr std::array kFormMenuHelp{"MenuHelp"sv};
constexpr std::array kFormButtonMinusPolohaA{"ButtonMinus_PolohaA"sv, "ButtonMinus_PolohaB"sv,
                                             "ButtonMinus_Servo"sv};
constexpr std::array kFormButtonPlusPolohaA{"ButtonPlus_PolohaA"sv, "ButtonPlus_PolohaB"sv,
                                            "ButtonPlus_Servo"sv};

// The form's English hints ("short|long"). All but the language item, the help menu and the
// plus and minus buttons are replaced by the localised hints when the language is applied at
// start-up, so their short parts only exist before that.
constexpr std::array kFormHints{
    FormHint{kFormMenuNew, "New|Set default parametrs", true},
    FormHint{kFormMenuOpen, "Open|Open file with parametrs", true},
    FormHint{kFormMenuSave, "Save|Save parametrs to file", true},
    FormHint{kFormMenuPrint, "Print|Print parametrs", true},
    FormHint{kFormMenuExit, "Exit|End of program", true},
    FormHint{kFormMenuCom, "Com|Set number of com ", true},
    FormHint{kFormMenuRead, "Read|Reading parametrs from ignition", true},
    FormHint{kFormMenuVerify, "Verify|Compare set parametrs  with parametrs of ignition", true},
    FormHint{kFormMenuProgram, "Programing|Programing  set parametrs to ignition", true},
    FormHint{kFormMenuLanguage, "Language|Set English or Czech", true},
    FormHint{kFormMenuEnglish, "|Set Englich menu", false},
    FormHint{kFormMenuHelp, "Not available jet", false},
    FormHint{kFormButtonMinusPolohaA, "Take off 20 mV", false},
    FormHint{kFormButtonPlusPolohaA, "Add 20 mV", false},
};

template <typename Row>
bool names(const Row& row, std::string_view control) {
    return std::ranges::find(row.controls, control) != row.controls.end();
}

} // namespace

std::span<const HintRow> hintTable() {
    return kHints;
}

std::optional<std::string_view> hintForControl(std::string_view control,
                                               std::uint8_t languageIndex) {
    for (const HintRow& row : kHints) {
        if (names(row, control)) {
            return textFor(row, languageIndex);
        }
    }
    return std::nullopt;
}

std::span<const FormHint> formHints() {
    return kFormHints;
}

std::optional<std::string_view> formHintForControl(std::string_view control) {
    for (const FormHint& row : kFormHints) {
        if (names(row, control)) {
            return row.hint;
        }
    }
    return std::nullopt;
}

} // namespace kordana

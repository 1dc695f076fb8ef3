#include "lang/ParameterCaptions.h"

#include "lang/CaptionTables.h"
#include "lang/Language.h"

#include <algorithm>
#include <array>

namespace kordana {
namespace {

using Texts = std::array<std::string_view, kLanguageCount>;

// A caption taken from a control's caption row, or a text of its own where the page's text is
// fixed in the form or no control shows the value.
struct Words {
    std::string_view control;
    Texts own{};
};

// Elements first..last of a key: the box (or field) that holds them, the label of their row
// within it, and the page they are on. A range of more than one element numbers them from 1.
struct CaptionSource {
    std::string_view key;
    std::size_t first;
    std::size_t last;
    Words box;
    Words label;
    Words group;
};

constexpr Words kVarious{"TabSheet_Ruzne"};
constexpr Words kCorrections{"TabSheet_Korekce"};
constexpr Words kPosition{"TabSheet_Poloha"};
constexpr Words kServo{"TabSheet_Servo"};
constexpr Words kKnock{{}, {"Knock", "Klopfen", "Cliquetis", "Klepání"}};
constexpr Words kMonitor{{}, {"Monitor", "Monitor", "Moniteur", "Monitor"}};
constexpr Words kNone{};

constexpr Words kRpmRow{{}, {"rpm", "Drehzahl", "régime", "otáčky"}};
constexpr Words kAngleRow{{}, {"angle", "Winkel", "angle", "úhel"}};
constexpr Words kKnockCylinder{{}, {"Knock", "Klopfen", "Cliquetis", "Klepání"}};

constexpr std::array kSources{
    CaptionSource{"BIKE", 0, 0, {"LabelBike"}, kNone, kVarious},
    CaptionSource{"LIMITER", 0, 0, {"LabelOmez1"}, kNone, kVarious},
    CaptionSource{"LIMITER", 1, 1, {"LabelOmez2"}, kNone, kVarious},
    CaptionSource{"LIMITER", 2, 2, {"LabelOmez3"}, kNone, kVarious},
    CaptionSource{
        "POWER_OUT",
        0,
        8,
        {{}, {"Power output", "Leistungsausgang", "Sortie de puissance", "Výkonový výstup"}},
        kNone,
        kServo},
    CaptionSource{"NO_READING", 0, 0, {"CheckBoxZakazCteni"}, kNone, kVarious},
    CaptionSource{"RPM2", 0, 0, {"CheckBoxRpm2Krat"}, kNone, kVarious},
    CaptionSource{
        "EXT_MON",
        0,
        0,
        {{}, {"Extended Monitor", "Erweiterter Monitor", "Moniteur étendu", "Rozšířený monitor"}},
        kNone,
        kMonitor},
    CaptionSource{"MODE", 0, 0, {"Menu_Ign123Mode"}, kNone, kVarious},
    CaptionSource{"MODE", 1, 1, {"Menu_Jet123Mode"}, kNone, kVarious},
    CaptionSource{"ACT_LIM1", 0, 0, {"GroupBoxActivation"}, {"LabelOmez1"}, kVarious},
    CaptionSource{"ACT_RPM",
                  0,
                  0,
                  {"GroupBoxActivation"},
                  {{}, {"Tacho/Lambda", "Tacho/Lambda", "Tacho/Lambda", "Tacho/Lambda"}},
                  kVarious},
    CaptionSource{"ACT_OIL", 0, 0, {"GroupBoxActivation"}, {"CheckBoxAktTlakOleje"}, kVarious},
    CaptionSource{"POSITION_A", 0, 14, {"GroupBoxPolohaA"}, kRpmRow, kPosition},
    CaptionSource{"POSITION_A", 15, 29, {"GroupBoxPolohaA"}, kAngleRow, kPosition},
    CaptionSource{"POSITION_A", 30, 30, {"GroupBoxPolohaA"}, {"RadioGroupPolohaA"}, kPosition},
    CaptionSource{"POSITION_B", 0, 14, {"GroupBoxPolohaB"}, kRpmRow, kPosition},
    CaptionSource{"POSITION_B", 15, 29, {"GroupBoxPolohaB"}, kAngleRow, kPosition},
    CaptionSource{"POSITION_B", 30, 30, {"GroupBoxPolohaB"}, {"RadioGroupPolohaB"}, kPosition},
    CaptionSource{"TPS", 0, 0, {{}, {"TPS 0 %", "TPS 0 %", "TPS 0 %", "TPS 0 %"}}, kNone, kVarious},
    CaptionSource{
        "TPS", 1, 1, {{}, {"TPS 100 %", "TPS 100 %", "TPS 100 %", "TPS 100 %"}}, kNone, kVarious},
    CaptionSource{"ACCEL", 0, 0, {"GroupBoxAkcel"}, {"LabelAkcelPrah"}, kVarious},
    CaptionSource{"ACCEL", 1, 1, {"GroupBoxAkcel"}, {"LabelAkcelJet"}, kVarious},
    CaptionSource{"START_JET", 0, 0, {"GroupBoxStartJet"}, kNone, kVarious},
    CaptionSource{"TEMP_WARNING", 0, 0, {"GroupBoxTempWarning"}, kNone, kVarious},
    CaptionSource{"WATER_TEMP", 0, 4, {"GroupBoxVodaVzduch"}, {"LabelVoda2"}, kVarious},
    CaptionSource{"AIR_TEMP", 0, 4, {"GroupBoxVodaVzduch"}, {"LabelVzduch2"}, kVarious},
    CaptionSource{"DRUCK", 0, 9, {"GroupBoxTlak"}, {"LabelTlakTlak"}, kCorrections},
    CaptionSource{"DRUCK", 10, 19, {"GroupBoxTlak"}, {"LabelTlakKor"}, kCorrections},
    CaptionSource{"RETARD", 0, 9, {"GroupBoxRetard"}, {"LabelRetardTemp"}, kCorrections},
    CaptionSource{"RETARD", 10, 19, {"GroupBoxRetard"}, {"LabelRetardRetard"}, kCorrections},
    CaptionSource{"CHOKE", 0, 3, {"GroupBoxSytic"}, {"LabelSyticCas"}, kCorrections},
    CaptionSource{"CHOKE", 4, 7, {"GroupBoxSytic"}, {"LabelSyticKorekce"}, kCorrections},
    CaptionSource{"SERVO_ENABLE", 0, 0, {"CheckBoxServoEnable"}, kNone, kServo},
    CaptionSource{"SERVO_HYSTER", 0, 0, {"LabelServoHyster"}, kNone, kServo},
    CaptionSource{"RPM_SERVO", 0, 14, {"GroupBoxServo"}, kRpmRow, kServo},
    CaptionSource{"VOLT_SERVO",
                  0,
                  14,
                  {"GroupBoxServo"},
                  {{}, {"voltage", "Spannung", "tension", "napětí"}},
                  kServo},
    CaptionSource{"RPM_KNOCK", 0, 14, kKnockCylinder, kRpmRow, kKnock},
    CaptionSource{"KNOCK_FREK",
                  0,
                  14,
                  kKnockCylinder,
                  {{}, {"frequency", "Frequenz", "fréquence", "frekvence"}},
                  kKnock},
    CaptionSource{
        "LEVEL", 0, 14, kKnockCylinder, {{}, {"gain", "Verstärkung", "gain", "zesílení"}}, kKnock},
    CaptionSource{
        "TIME_CONST",
        0,
        14,
        kKnockCylinder,
        {{}, {"time constant", "Zeitkonstante", "constante de temps", "časová konstanta"}},
        kKnock},
    CaptionSource{"START",
                  0,
                  14,
                  kKnockCylinder,
                  {{}, {"window start", "Fensteranfang", "début de fenêtre", "začátek okna"}},
                  kKnock},
    CaptionSource{"END",
                  0,
                  14,
                  kKnockCylinder,
                  {{}, {"window end", "Fensterende", "fin de fenêtre", "konec okna"}},
                  kKnock},
    CaptionSource{"ALARM",
                  0,
                  14,
                  kKnockCylinder,
                  {{}, {"alarm level", "Alarmschwelle", "seuil d'alarme", "práh alarmu"}},
                  kKnock},
};

// The map pages, named as their tabs are in every language.
constexpr std::array<std::array<std::string_view, 3>, 9> kMaps{{
    {"IGN_1", "RPM_IGN_1", "Ign 1"},
    {"IGN_2", "RPM_IGN_2", "Ign 2"},
    {"IGN_3", "RPM_IGN_3", "Ign 3"},
    {"JET_1A", "RPM_JET_1A", "Jet 1A"},
    {"JET_2A", "RPM_JET_2A", "Jet 2A"},
    {"JET_3A", "RPM_JET_3A", "Jet 3A"},
    {"JET_1B", "RPM_JET_1B", "Jet 1B"},
    {"JET_2B", "RPM_JET_2B", "Jet 2B"},
    {"JET_3B", "RPM_JET_3B", "Jet 3B"},
}};

constexpr std::array<DiffWords, kLanguageCount> kDiffWords{{
    {"differing cells", "differing values", "largest change", "rpm breakpoint", "Other bytes"},
    {"abweichende Zellen", "abweichende Werte", "größte Änderung", "Drehzahlstützstelle",
     "Weitere Bytes"},
    {"cellules différentes", "valeurs différentes", "plus grand écart", "point de régime",
     "Autres octets"},
    {"odlišné buňky", "odlišné hodnoty", "největší změna", "otáčkový bod", "Ostatní bajty"},
}};

// A page's caption as a name: no accelerator mark, no trailing colon or unit in brackets.
std::string plainCaption(std::string_view caption) {
    std::string text(caption);
    std::erase(text, '&');
    const std::size_t bracket = text.rfind('[');
    if (bracket != std::string::npos && text.back() == ']') {
        text.erase(bracket);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == ':')) {
        text.pop_back();
    }
    return text;
}

std::string wordsIn(const Words& words, std::uint8_t language) {
    if (words.control.empty()) {
        return std::string(words.own[safeLanguageIndex(language)]);
    }
    return plainCaption(captionForControl(words.control, language).value_or(words.control));
}

const CaptionSource* sourceOf(std::string_view key, std::size_t element) {
    const auto found = std::ranges::find_if(kSources, [&](const CaptionSource& s) {
        return s.key == key && element >= s.first && element <= s.last;
    });
    return found == kSources.end() ? nullptr : &*found;
}

} // namespace

std::string parameterCaption(std::string_view key, std::size_t element,
                             std::uint8_t languageIndex) {
    for (const auto& [cells, breakpoints, name] : kMaps) {
        if (key == breakpoints) {
            return std::string(name) + ", " + std::string(diffWordsFor(languageIndex).breakpoint) +
                   " " + std::to_string(element + 1);
        }
        if (key == cells) {
            return std::string(name);
        }
    }
    const CaptionSource* source = sourceOf(key, element);
    if (source == nullptr) {
        return {};
    }
    std::string text = wordsIn(source->box, languageIndex);
    if (!source->label.control.empty() || !source->label.own[0].empty()) {
        text += ", " + wordsIn(source->label, languageIndex);
    }
    if (source->last > source->first) {
        text += " " + std::to_string(element - source->first + 1);
    }
    return text;
}

std::string parameterGroup(std::string_view key, std::uint8_t languageIndex) {
    for (const auto& [cells, breakpoints, name] : kMaps) {
        if (key == cells || key == breakpoints) {
            return std::string(name);
        }
    }
    const CaptionSource* source = sourceOf(key, 0);
    return source == nullptr ? std::string(diffWordsFor(languageIndex).otherBytes)
                             : wordsIn(source->group, languageIndex);
}

DiffWords diffWordsFor(std::uint8_t languageIndex) {
    return kDiffWords[safeLanguageIndex(languageIndex)];
}

} // namespace kordana

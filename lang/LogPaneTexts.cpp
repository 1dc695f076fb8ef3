#include "lang/LogPaneTexts.h"

#include "lang/Language.h"

namespace kordana {
namespace {

// English, German, French, Czech.
constexpr std::array<LogPaneTexts, kLanguageCount> kLogPaneTexts{
    LogPaneTexts{
        {"Engine", "Fuel", "Ignition", "Knock", "Sensors", "Corrections", "Flags", "Test values"},
        "Search channels",
        "Move to pane %1",
        "New pane",
        "Remove from the plot",
        "Follow",
        "Compare...",
        "Close comparison",
        "Aligned at the start",
        "Aligned at marker %1",
        "Markers",
        "Marker %1   %2 s",
        "alarm",
        {"start limiter", "ignition limiter", "injection limiter"},
        "Default panes"},
    LogPaneTexts{{"Motor", "Kraftstoff", "Zündung", "Klopfen", "Sensoren", "Korrekturen", "Merker",
                  "Testwerte"},
                 "Kanäle suchen",
                 "In Feld %1 verschieben",
                 "Neues Feld",
                 "Aus dem Diagramm nehmen",
                 "Mitlaufen",
                 "Vergleichen...",
                 "Vergleich schließen",
                 "Am Anfang ausgerichtet",
                 "An Marke %1 ausgerichtet",
                 "Marken",
                 "Marke %1   %2 s",
                 "Alarm",
                 {"Startbegrenzer", "Zündbegrenzer", "Einspritzbegrenzer"},
                 "Standardfelder"},
    LogPaneTexts{{"Moteur", "Carburant", "Allumage", "Cliquetis", "Capteurs", "Corrections",
                  "Indicateurs", "Valeurs de test"},
                 "Chercher une voie",
                 "Déplacer dans le volet %1",
                 "Nouveau volet",
                 "Retirer du tracé",
                 "Suivre",
                 "Comparer...",
                 "Fermer la comparaison",
                 "Alignés au début",
                 "Alignés au repère %1",
                 "Repères",
                 "Repère %1   %2 s",
                 "alarme",
                 {"limiteur de démarrage", "limiteur d´allumage", "limiteur d´injection"},
                 "Volets par défaut"},
    LogPaneTexts{{"Motor", "Palivo", "Zapalování", "Klepání", "Snímače", "Korekce", "Příznaky",
                  "Testovací hodnoty"},
                 "Hledat kanály",
                 "Přesunout do panelu %1",
                 "Nový panel",
                 "Odebrat z grafu",
                 "Sledovat",
                 "Porovnat...",
                 "Zavřít porovnání",
                 "Zarovnáno na začátek",
                 "Zarovnáno na značku %1",
                 "Značky",
                 "Značka %1   %2 s",
                 "alarm",
                 {"omezovač startu", "omezovač zapalování", "omezovač vstřiku"},
                 "Výchozí panely"},
};

} // namespace

LogPaneTexts logPaneTextsFor(std::uint8_t languageIndex) {
    return kLogPaneTexts[safeLanguageIndex(languageIndex)];
}

} // namespace kordana

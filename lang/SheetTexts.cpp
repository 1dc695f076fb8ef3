#include "lang/SheetTexts.h"

#include "lang/Language.h"

#include <array>

namespace kordana {
namespace {

// English, German, French, Czech.
constexpr std::array<SheetTexts, kLanguageCount> kSheetTexts{
    SheetTexts{"Tune sheet", "Date:", "Page %1 of %2",
               "Tune sheet written: ", "Tune sheet error! "},
    SheetTexts{"Einstellblatt", "Datum:", "Seite %1 von %2",
               "Einstellblatt geschrieben: ", "Fehler beim Schreiben des Einstellblatts! "},
    SheetTexts{"Fiche de réglage", "Date:", "Page %1 sur %2",
               "Fiche de réglage écrite: ", "Erreur d´écriture de la fiche de réglage! "},
    SheetTexts{"List nastavení", "Datum:", "Strana %1 z %2",
               "List nastavení uložen: ", "Chyba při zápisu listu nastavení! "},
};

} // namespace

SheetTexts sheetTextsFor(std::uint8_t languageIndex) {
    return kSheetTexts[safeLanguageIndex(languageIndex)];
}

} // namespace kordana

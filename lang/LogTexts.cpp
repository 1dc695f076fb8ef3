#include "lang/LogTexts.h"

#include "lang/Language.h"

#include <array>

namespace kordana {
namespace {

// English, German, French, Czech.
constexpr std::array<LogTexts, kLanguageCount> kLogTexts{
    LogTexts{"Monitor log write error! ", "Cannot open the monitor log ",
             "line %1: ", "not a regular file", "larger than 256 MB", "the file cannot be read",
             "the first line is not a monitor log header", "the column %1 is missing",
             "%1 values instead of %2", "%1 is not a number: \"%2\"", "not a time: \"%1\"",
             "the time goes back", "no rows under the header", "%1 s   %2",
             "%1 rows of %2 values each: more than the %3 values a log can hold",
             "opening was cancelled", "Reading the monitor log...", "Cancel"},
    LogTexts{"Fehler beim Schreiben des Monitorprotokolls! ",
             "Monitorprotokoll kann nicht geöffnet werden ", "Zeile %1: ", "keine normale Datei",
             "größer als 256 MB", "die Datei kann nicht gelesen werden",
             "die erste Zeile ist kein Kopf eines Monitorprotokolls", "die Spalte %1 fehlt",
             "%1 Werte statt %2", "%1 ist keine Zahl: \"%2\"", "keine Zeit: \"%1\"",
             "die Zeit läuft rückwärts", "keine Zeilen unter dem Kopf", "%1 s   %2",
             "%1 Zeilen mit je %2 Werten: mehr als die %3 Werte, die ein Protokoll fassen kann",
             "Öffnen abgebrochen", "Monitorprotokoll wird gelesen...", "Abbrechen"},
    LogTexts{"Erreur d´écriture du journal du moniteur! ",
             "Impossible d´ouvrir le journal du moniteur ",
             "ligne %1: ", "pas un fichier ordinaire", "plus de 256 Mo", "le fichier est illisible",
             "le fichier ne commence pas par les colonnes d´un journal du moniteur",
             "la colonne %1 manque", "%1 valeurs au lieu de %2", "%1 n´est pas un nombre: \"%2\"",
             "pas une heure: \"%1\"", "le temps recule", "aucune ligne de valeurs", "%1 s   %2",
             "%1 lignes de %2 valeurs: plus que les %3 valeurs qu´un journal peut contenir",
             "ouverture annulée", "Lecture du journal du moniteur...", "Annuler"},
    LogTexts{"Chyba zápisu záznamu monitoru! ", "Záznam monitoru nelze otevřít ",
             "řádek %1: ", "není obyčejný soubor", "větší než 256 MB", "soubor nelze číst",
             "první řádek není hlavička záznamu monitoru", "chybí sloupec %1", "%1 hodnot místo %2",
             "%1 není číslo: \"%2\"", "není čas: \"%1\"", "čas jde zpět",
             "pod hlavičkou nejsou žádné řádky", "%1 s   %2",
             "%1 řádků po %2 hodnotách: více než %3 hodnot, které záznam pojme",
             "otevírání zrušeno", "Čtení záznamu monitoru...", "Zrušit"},
};

} // namespace

LogTexts logTextsFor(std::uint8_t languageIndex) {
    return kLogTexts[safeLanguageIndex(languageIndex)];
}

} // namespace kordana

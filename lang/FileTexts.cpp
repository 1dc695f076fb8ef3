#include "lang/FileTexts.h"

#include "lang/Language.h"

#include <array>

namespace kordana {

namespace {

constexpr std::array<FileTexts, kLanguageCount> kFileTexts{{
    {"Not read (not a regular file, or larger than 1 MB); the defaults are kept: ",
     "The stored set was damaged; defaults fill it from the damaged place on. The damaged file "
     "is kept as: ",
     "The set and the settings could not be kept for the next start: ",
     "Save the set to a parameter file before closing?", "Save", "Close without saving"},
    {"Nicht gelesen (keine normale Datei oder größer als 1 MB); die Standardwerte bleiben: ",
     "Der gespeicherte Satz war beschädigt; ab der beschädigten Stelle gelten Standardwerte. Die "
     "beschädigte Datei liegt unter: ",
     "Satz und Einstellungen konnten nicht für den nächsten Start gespeichert werden: ",
     "Den Satz vor dem Schließen in einer Parameterdatei speichern?", "Speichern",
     "Schließen ohne Speichern"},
    {"Non lu (pas un fichier ordinaire, ou plus de 1 Mo); les valeurs de base restent: ",
     "Le jeu mémorisé était endommagé; les valeurs de base le complètent à partir de l´endroit "
     "endommagé. Le fichier endommagé est gardé sous: ",
     "Le jeu et les réglages n´ont pas pu être gardés pour le prochain démarrage: ",
     "Enregistrer le jeu dans un fichier de paramètres avant de fermer?", "Enregistrer",
     "Fermer sans enregistrer"},
    {"Nenačteno (není to běžný soubor nebo je větší než 1 MB); zůstávají základní hodnoty: ",
     "Uložená sada byla poškozená; od poškozeného místa ji doplňují základní hodnoty. Poškozený "
     "soubor je uložen jako: ",
     "Sadu a nastavení nelze uložit pro příští spuštění: ",
     "Uložit sadu před zavřením do souboru parametrů?", "Uložit", "Zavřít bez uložení"},
}};

} // namespace

FileTexts fileTextsFor(std::uint8_t languageIndex) {
    return kFileTexts[safeLanguageIndex(languageIndex)];
}

} // namespace kordana

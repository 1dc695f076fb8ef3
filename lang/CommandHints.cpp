#include "lang/CommandHints.h"

#include <algorithm>
#include <array>

namespace kordana {
namespace {

using namespace std::string_view_literals;

constexpr std::array kMenuEdit{"MenuEdit"sv};
constexpr std::array kMenuUndo{"MenuUndo"sv};
constexpr std::array kMenuRedo{"MenuRedo"sv};
constexpr std::array kMenuInterpolateRows{"MenuInterpolateRows"sv};
constexpr std::array kMenuInterpolateColumns{"MenuInterpolateColumns"sv};
constexpr std::array kMenuInterpolateCorners{"MenuInterpolateCorners"sv};
constexpr std::array kMenuSmooth{"MenuSmooth"sv};
constexpr std::array kMenuEditSelection{"MenuEditSelection"sv};
constexpr std::array kMenuCopyCells{"MenuCopyCells"sv};
constexpr std::array kMenuPasteCells{"MenuPasteCells"sv};
constexpr std::array kMenuView{"MenuView"sv};
constexpr std::array kMenuHeatMap{"MenuHeatMap"sv};
constexpr std::array kMenuTuningAssistant{"MenuTuningAssistant"sv};
constexpr std::array kMenuCursorTrail{"MenuCursorTrail"sv};
constexpr std::array kMenuMap3D{"MenuMap3D"sv};
constexpr std::array kMenuLog{"MenuLog"sv};
constexpr std::array kMenuRecordLog{"MenuRecordLog"sv};
constexpr std::array kMenuOpenLog{"MenuOpenLog"sv};
constexpr std::array kMenuLogMarker{"MenuLogMarker"sv, "SpeedButtonMarker"sv};
constexpr std::array kMenuEarlierSets{"MenuEarlierSets"sv};
constexpr std::array kMenuCompare{"MenuCompare"sv};
constexpr std::array kMenuTuneSheet{"MenuTuneSheet"sv};
constexpr std::array kMenuPrintPdf{"MenuPrintPdf"sv};
constexpr std::array kMenuAssignDevice{"MenuAssignDevice"sv};
constexpr std::array kMenuFastLink{"MenuFastLink"sv};
constexpr std::array kMenuQuickProgramming{"MenuQuickProgramming"sv};

constexpr std::array kCommandHints{
    HintRow{kMenuEdit,
            {"Undo, redo and block commands of the map",
             "Rückgängig, Wiederholen und "
             "Blockbefehle des Kennfelds",
             "Annuler, rétablir et commandes de bloc de la cartographie",
             "Zpět, znovu a blokové příkazy mapy"}},
    HintRow{kMenuUndo,
            {"Undo the last change of parameters", "Letzte Änderung der Kenndaten rückgängig",
             "Annuler la dernière modification des paramètres",
             "Vrácení poslední změny parametrů"}},
    HintRow{kMenuRedo,
            {"Redo the change undone last", "Zuletzt rückgängig gemachte Änderung wiederholen",
             "Rétablir la dernière modification annulée", "Obnovení naposledy vrácené změny"}},
    HintRow{kMenuInterpolateRows,
            {"Fill the selected cells of each row in a straight line between its ends",
             "Ausgewählte Zellen jeder Zeile linear zwischen ihren Enden füllen",
             "Remplir les cellules sélectionnées de chaque ligne en ligne droite entre ses bouts",
             "Vyplnění vybraných buněk každého řádku lineárně mezi jeho konci"}},
    HintRow{kMenuInterpolateColumns,
            {"Fill the selected cells of each column in a straight line between its ends",
             "Ausgewählte Zellen jeder Spalte linear zwischen ihren Enden füllen",
             "Remplir les cellules sélectionnées de chaque colonne en ligne droite entre ses "
             "bouts",
             "Vyplnění vybraných buněk každého sloupce lineárně mezi jeho konci"}},
    HintRow{kMenuInterpolateCorners,
            {"Fill the selected cells from the four corners of the block",
             "Ausgewählte Zellen aus den vier Ecken des Blocks füllen",
             "Remplir les cellules sélectionnées depuis les quatre coins du bloc",
             "Vyplnění vybraných buněk ze čtyř rohů bloku"}},
    HintRow{kMenuSmooth,
            {"Smooth the selected cells with their neighbours",
             "Ausgewählte Zellen mit ihren Nachbarn glätten",
             "Lisser les cellules sélectionnées avec leurs voisines",
             "Vyhlazení vybraných buněk s jejich sousedy"}},
    HintRow{kMenuEditSelection,
            {"Set, add, subtract or scale the selected cells",
             "Ausgewählte Zellen setzen, addieren, subtrahieren oder skalieren",
             "Fixer, ajouter, soustraire ou multiplier les cellules sélectionnées",
             "Nastavení, přičtení, odečtení nebo násobení vybraných buněk"}},
    HintRow{kMenuCopyCells,
            {"Copy the selected cells as text for a spreadsheet",
             "Ausgewählte Zellen als Text für eine Tabellenkalkulation kopieren",
             "Copier les cellules sélectionnées en texte pour un tableur",
             "Kopírování vybraných buněk jako text pro tabulkový procesor"}},
    HintRow{kMenuPasteCells,
            {"Paste values from the clipboard into the map from the focused cell",
             "Werte aus der Zwischenablage ab der aktuellen Zelle ins Kennfeld einfügen",
             "Coller les valeurs du presse-papiers dans la cartographie depuis la cellule active",
             "Vložení hodnot ze schránky do mapy od aktivní buňky"}},
    HintRow{kMenuView,
            {"How the map is shown", "Darstellung des Kennfelds", "Affichage de la cartographie",
             "Způsob zobrazení mapy"}},
    HintRow{kMenuHeatMap,
            {"Colour the map cells by their value", "Kennfeldzellen nach ihrem Wert färben",
             "Colorer les cellules selon leur valeur", "Obarvení buněk mapy podle hodnoty"}},
    HintRow{kMenuCursorTrail,
            {"Show the cells the engine passed through lately",
             "Zuletzt vom Motor durchlaufene Zellen zeigen",
             "Montrer les cellules que le moteur a parcourues récemment",
             "Zobrazení buněk, kterými motor nedávno prošel"}},
    HintRow{
        kMenuTuningAssistant,
        {"Fuel and ignition corrections from the lambda and knock of logs or live data",
         "Kraftstoff- und Zündkorrekturen aus Lambda und Klopfen von Protokollen oder Livedaten",
         "Corrections d'essence et d'allumage d'après la lambda et le cliquetis des journaux "
         "ou du direct",
         "Korekce paliva a zapalování z lambdy a klepání záznamů nebo živých dat"}},
    HintRow{kMenuMap3D,
            {"Show the map as a surface in 3D", "Kennfeld als Fläche in 3D zeigen",
             "Montrer la cartographie en surface 3D", "Zobrazení mapy jako plochy ve 3D"}},
    HintRow{kMenuLog,
            {"Record and view monitor logs", "Monitorprotokolle aufzeichnen und ansehen",
             "Enregistrer et consulter les journaux du moniteur",
             "Nahrávání a prohlížení záznamů monitoru"}},
    HintRow{kMenuRecordLog,
            {"Start or stop recording the monitor values to a log file",
             "Aufzeichnung der Monitorwerte in eine Protokolldatei starten oder beenden",
             "Démarrer ou arrêter l´enregistrement des valeurs du moniteur dans un journal",
             "Spuštění nebo zastavení nahrávání hodnot monitoru do souboru"}},
    HintRow{kMenuLogMarker,
            {"Set a numbered marker in the log being recorded",
             "Nummerierte Marke in das laufende Protokoll setzen",
             "Poser un repère numéroté dans le journal en cours d'enregistrement",
             "Vložení číslované značky do nahrávaného záznamu"}},
    HintRow{kMenuOpenLog,
            {"Open a recorded monitor log", "Aufgezeichnetes Monitorprotokoll öffnen",
             "Ouvrir un journal du moniteur enregistré", "Otevření nahraného záznamu monitoru"}},
    HintRow{kMenuEarlierSets,
            {"Restore a set of parameters that was replaced earlier",
             "Früher ersetzten Kenndatensatz wiederherstellen",
             "Restaurer un jeu de paramètres remplacé auparavant",
             "Obnovení dříve nahrazené sady parametrů"}},
    HintRow{kMenuCompare,
            {"Compare the set parameters with the parameters of the ignition, value by value",
             "Kenndaten Wert für Wert mit den Kenndaten der Zündung vergleichen",
             "Comparer les paramètres valeur par valeur avec ceux de l´ECU",
             "Porovnání nastavených parametrů s parametry zapalování hodnotu po hodnotě"}},
    HintRow{kMenuTuneSheet,
            {"Write the parameters as a readable sheet to a PDF file",
             "Kenndaten als lesbares Blatt in eine PDF-Datei schreiben",
             "Écrire les paramètres en fiche lisible dans un fichier PDF",
             "Zápis parametrů jako čitelného listu do souboru PDF"}},
    HintRow{kMenuPrintPdf,
            {"Print parameters to a PDF file", "Kenndaten in eine PDF-Datei drucken",
             "Imprimer les paramètres dans un fichier PDF", "Tisk parametrů do souboru PDF"}},
    HintRow{kMenuAssignDevice,
            {"Assign a serial device to a com number", "Serielles Gerät einer Com-Nummer zuordnen",
             "Attribuer un périphérique série à un numéro de com",
             "Přiřazení sériového zařízení k číslu portu (Com)"}},
    HintRow{kMenuFastLink,
            {"Send each request as soon as the previous reply is in: live data 15 times a "
             "second and more, transfers at the line's pace",
             "Jede Anfrage sofort nach der vorigen Antwort senden: Live-Daten 15-mal pro "
             "Sekunde und öfter, Übertragungen im Takt der Leitung",
             "Envoyer chaque requête dès la réponse précédente reçue : données en direct 15 "
             "fois par seconde et plus, transferts au rythme de la ligne",
             "Posílat každý požadavek hned po předchozí odpovědi: živá data 15krát za sekundu "
             "i častěji, přenosy tempem linky"}},
    HintRow{kMenuQuickProgramming,
            {"Programming after change sends only the blocks that changed and waits for the "
             "unit to save them",
             "Programmieren nach Änderung sendet nur die geänderten Blöcke und wartet, bis die "
             "Zündung sie gespeichert hat",
             "La programmation après modification n'envoie que les blocs modifiés et attend "
             "que le boîtier les enregistre",
             "Programování po změně posílá jen změněné bloky a čeká, až je zapalování uloží"}},
};

} // namespace

std::span<const HintRow> commandHintTable() {
    return kCommandHints;
}

std::optional<std::string_view> commandHintForControl(std::string_view control,
                                                      std::uint8_t languageIndex) {
    for (const HintRow& row : kCommandHints) {
        if (std::ranges::find(row.controls, control) != row.controls.end()) {
            return textFor(row, languageIndex);
        }
    }
    return std::nullopt;
}

} // namespace kordana

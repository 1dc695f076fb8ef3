#include "lang/MessageTexts.h"

#include "lang/Language.h"

#include <array>

namespace kordana {
namespace {

struct MessageRow {
    std::string MessageTexts::*member;
    std::array<std::string_view, kLanguageCount> text;
};

// Filled in this order; the help-file error is built afterwards from the help file name.
constexpr std::array kMessageRows{
    MessageRow{&MessageTexts::TextHelpFile,
               {"Kordana_R_en.pdf", "Kordana_R_en.pdf", "Kordana_R_en.pdf", "Kordana_R_en.pdf"}},
    MessageRow{
        &MessageTexts::TextProgramError,
        {"Program error!", "Programmierfehler!", "Erreur de programmation!", "Chyba programování"}},
    MessageRow{&MessageTexts::TextVerifyError,
               {"Verify error!", "Vergleichsfehler", "Verifier erreur!", "Chyba verifikace!"}},
    MessageRow{&MessageTexts::TextReadError,
               {"Read error!", "Lesefehler", "Lire erreur!", "Chyba čtení!"}},
    MessageRow{&MessageTexts::TextProgramDevice,
               {"Program device:", "Programmieren:", "Programmer:", "Programování:"}},
    MessageRow{&MessageTexts::TextUnmatchedUnit,
               {"Unmatched version of PC and Ignition programs!",
                "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
                "Programme du boitier d´alumage non compatible avec programme PC!",
                "Neshodné verze proramu v PC a zapalování!"}},
    MessageRow{&MessageTexts::TextVerify, {"Verify:", "Vergleichen:", "Vérifier:", "Verifikace:"}},
    MessageRow{&MessageTexts::TextRead, {"Read:", "Lesen:", "Lire", "Čtení:"}},
    MessageRow{&MessageTexts::TextSaving, {"Saving:", "Speicherung:", "Mémorisation", "Ukládání:"}},
    MessageRow{&MessageTexts::TextProgCount,
               {"Number of Programing= ", "Programmierungsanzahl= ", "Nombre de programmations= ",
                "Počet programování= "}},
    MessageRow{&MessageTexts::TextComOpenError,
               {"Com opening error!", "Falscher COM-Anschlußes!", "Erreur connections PC!",
                "Chyba při otevírání portu Com!"}},
    MessageRow{&MessageTexts::TextOpenFileError,
               {"Open file error!", "Fehler beim öffnen der Datei!", "Erreur ouvertur fichier!",
                "Chyba při otevírání souboru!"}},
    MessageRow{&MessageTexts::TextDefaultQuery,
               {"Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?",
                "Voulez vous la programation de base?", "Chcete nastavit základní hodnoty?"}},
    MessageRow{&MessageTexts::TextUnmatchedFile,
               {"Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!",
                "Programme du fichier non compatible avec programme PC!",
                "Neshodná verze souboru *.ign!"}},
    MessageRow{&MessageTexts::TextNoReading,
               {"No reading!", "Lesen verboten!", "Pas axessible!", "Zákaz čtení!"}},
    MessageRow{&MessageTexts::TextPrintDate,
               {"Date and time of printing:  ", "Zeitpunkt des Ausdruckes   ",
                "Date et heur de l´imprimé:   ", "Datum a čas tisku:  "}},
    MessageRow{&MessageTexts::TextSetSaved, {"saved", "gespeichert", "enregistré", "uloženo"}},
    MessageRow{&MessageTexts::TextSetChanged, {"changed", "geändert", "modifié", "změněno"}},
    MessageRow{&MessageTexts::TextSetNotSaved,
               {"not saved", "nicht gespeichert", "non enregistré", "neuloženo"}},
    MessageRow{&MessageTexts::TextUnitSame,
               {"unit: same", "Zündung: gleich", "boîtier : identique", "zapalování: shodné"}},
    MessageRow{
        &MessageTexts::TextUnitDiffers,
        {"unit: differs", "Zündung: abweichend", "boîtier : différent", "zapalování: liší se"}},
    MessageRow{&MessageTexts::TextUnitUnknown,
               {"unit: unknown", "Zündung: unbekannt", "boîtier : inconnu", "zapalování: neznámé"}},
    MessageRow{&MessageTexts::TextCauseNew, {"New", "Neu", "Nouveau", "Nový"}},
    MessageRow{&MessageTexts::TextCauseOpen, {"Open", "Öffnen", "Ouvrir", "Otevření"}},
    MessageRow{&MessageTexts::TextCauseRead, {"Read", "Lesen", "Lecture", "Čtení"}},
    MessageRow{&MessageTexts::TextCauseRestore,
               {"Restore", "Wiederherstellen", "Restaurer", "Obnovení"}},
    MessageRow{&MessageTexts::TextCauseDamaged,
               {"Damaged stored set", "Beschädigter gespeicherter Satz", "Jeu mémorisé endommagé",
                "Poškozená uložená sada"}},
    MessageRow{&MessageTexts::TextHistoryWriteError,
               {"The replaced set could not be kept among the earlier sets!",
                "Der ersetzte Satz konnte nicht unter den früheren Sätzen abgelegt werden!",
                "Le jeu remplacé n´a pas pu être gardé parmi les jeux précédents!",
                "Nahrazenou sadu nelze uložit mezi dřívější sady!"}},
    MessageRow{&MessageTexts::TextPrintError,
               {"No printer or print error!", "Kein Drucker oder Druckfehler!",
                "Pas d´imprimante ou erreur d´impression!", "Chybí tiskárna nebo chyba tisku!"}},
    MessageRow{&MessageTexts::TextPasteRefused,
               {"Nothing pasted: every value must be a number within the map's range!",
                "Nichts eingefügt: jeder Wert muss eine Zahl im Bereich des Kennfelds sein!",
                "Rien collé: chaque valeur doit être un nombre dans la plage de la carte!",
                "Nic nevloženo: každá hodnota musí být číslo v rozsahu mapy!"}},
    MessageRow{&MessageTexts::TextNoReadingQuery,
               {"After the next programming the unit refuses to be read: keep your own copy of "
                "this set. Check it?",
                "Nach dem nächsten Programmieren lässt sich die Einheit nicht mehr auslesen: "
                "Bewahren Sie eine eigene Kopie dieses Satzes auf. Aktivieren?",
                "Après la prochaine programmation, le boîtier refusera d´être lu: gardez votre "
                "propre copie de ce jeu. Cocher?",
                "Po příštím programování jednotka odmítne čtení: uschovejte si vlastní kopii této "
                "sady. Zaškrtnout?"}},
    MessageRow{&MessageTexts::TextPortNotPresent,
               {"not present", "nicht vorhanden", "absent", "není připojeno"}},
    MessageRow{&MessageTexts::TextPortPermission,
               {"permission denied (add the user to the dialout group)",
                "keine Berechtigung (Benutzer zur Gruppe dialout hinzufügen)",
                "accès refusé (ajouter l´utilisateur au groupe dialout)",
                "přístup odepřen (přidejte uživatele do skupiny dialout)"}},
    MessageRow{&MessageTexts::TextPortBusy,
               {"in use by another program", "von einem anderen Programm belegt",
                "utilisé par un autre programme", "používá jiný program"}},
    MessageRow{&MessageTexts::TextLinkConnected,
               {"connected", "verbunden", "connecté", "připojeno"}},
    MessageRow{&MessageTexts::TextLinkNoAnswer,
               {"no answer", "keine Antwort", "pas de réponse", "bez odpovědi"}},
    MessageRow{&MessageTexts::TextLinkClosed, {"closed", "geschlossen", "fermé", "zavřeno"}},
    MessageRow{&MessageTexts::TextLinkNotOpen,
               {"port not open", "Anschluss nicht offen", "port non ouvert", "port neotevřen"}},
    MessageRow{&MessageTexts::TextProgrammings,
               {"programmings: ", "Programmierungen: ", "programmations: ", "programování: "}},
    MessageRow{&MessageTexts::TextComOpens, {"Opens ", "Öffnet ", "Ouvre ", "Otevře "}},
    MessageRow{
        &MessageTexts::TextPortLost,
        {"Com port lost!", "COM-Anschluss verloren!", "Port COM perdu!", "Port Com ztracen!"}},
    MessageRow{&MessageTexts::TextPortReconnected,
               {"Com port reconnected", "COM-Anschluss wieder verbunden", "Port COM reconnecté",
                "Port Com znovu připojen"}},
    MessageRow{&MessageTexts::TextFileIncomplete,
               {"The file held %1 of %2 keys; the other parameters kept their values: %3",
                "Die Datei enthielt %1 von %2 Schlüsseln; die übrigen Parameter behielten ihre "
                "Werte: %3",
                "Le fichier contenait %1 clés sur %2; les autres réglages ont gardé leur valeur: "
                "%3",
                "Soubor obsahoval %1 z %2 klíčů; ostatní parametry si ponechaly své hodnoty: %3"}},
    MessageRow{&MessageTexts::TextFileCutShort,
               {"Values cut short, the rest took the number read last: %1",
                "Werte abgebrochen, der Rest erhielt die zuletzt gelesene Zahl: %1",
                "Valeurs coupées, le reste a reçu le dernier nombre lu: %1",
                "Hodnoty neúplné, zbytek dostal naposledy přečtené číslo: %1"}},
    MessageRow{&MessageTexts::TextPartlyProgrammed,
               {"The unit may now hold a partly programmed set; program it again.",
                "Die Zündung kann jetzt einen teilweise programmierten Satz enthalten; bitte "
                "erneut programmieren.",
                "Le boîtier peut contenir un jeu partiellement programmé; programmez-le de "
                "nouveau.",
                "Zapalování může nyní obsahovat částečně naprogramovanou sadu; naprogramujte ho "
                "znovu."}},
    MessageRow{&MessageTexts::TextFastLinkOff,
               {"Fast link switched off: three runs in a row needed retries.",
                "Schnelle Verbindung ausgeschaltet: drei Übertragungen nacheinander brauchten "
                "Wiederholungen.",
                "Liaison rapide désactivée : trois transferts de suite ont dû répéter des blocs.",
                "Rychlé spojení vypnuto: tři přenosy po sobě potřebovaly opakování."}},
    MessageRow{&MessageTexts::TextFastMonitorOff,
               {"The unit does not keep up with the fast monitor: live data every 330 ms until "
                "the port is opened again.",
                "Die Zündung kommt dem schnellen Monitor nicht nach: Live-Daten alle 330 ms, bis "
                "der Anschluss neu geöffnet wird.",
                "Le boîtier ne suit pas le moniteur rapide : données en direct toutes les 330 ms "
                "jusqu'à la réouverture du port.",
                "Zapalování nestačí rychlému monitoru: živá data každých 330 ms až do dalšího "
                "otevření portu."}},
    MessageRow{&MessageTexts::TextNoSaving,
               {"The unit reported no saving: programming all blocks.",
                "Die Zündung meldete kein Speichern: alle Blöcke werden programmiert.",
                "Le boîtier n'a signalé aucun enregistrement : programmation de tous les blocs.",
                "Zapalování nehlásilo ukládání: programují se všechny bloky."}},
    MessageRow{&MessageTexts::TextReadRepaired,
               {"Read complete: %1 values held by the unit were outside their ranges and were "
                "repaired",
                "Lesen abgeschlossen: Werte der Zündung außerhalb ihres Bereichs wurden "
                "korrigiert (Anzahl: %1)",
                "Lecture terminée : des valeurs du boîtier hors de leur plage ont été corrigées "
                "(nombre : %1)",
                "Čtení dokončeno: hodnoty ze zapalování mimo svůj rozsah byly opraveny "
                "(počet: %1)"}},
    MessageRow{&MessageTexts::TextEventSaved, {"Saved", "Gespeichert", "Enregistré", "Uloženo"}},
    MessageRow{&MessageTexts::TextEventOpened, {"Opened", "Geöffnet", "Ouvert", "Otevřeno"}},
    MessageRow{&MessageTexts::TextEventRead,
               {"Read from the unit", "Aus der Zündung gelesen", "Lu du boîtier",
                "Přečteno ze zapalování"}},
    MessageRow{&MessageTexts::TextEventProgrammed,
               {"Programmed", "Programmiert", "Programmé", "Naprogramováno"}},
    MessageRow{&MessageTexts::TextEventReplaced, {"Replaced", "Ersetzt", "Remplacé", "Nahrazeno"}},
    MessageRow{&MessageTexts::TextEventRestored,
               {"Restored", "Wiederhergestellt", "Restauré", "Obnoveno"}},
    MessageRow{&MessageTexts::TextEventAssistant,
               {"Changed by the tuning assistant", "Vom Abstimmassistenten geändert",
                "Modifié par l'assistant de réglage", "Změněno asistentem ladění"}},
    MessageRow{&MessageTexts::TextAllUnits,
               {"All units", "Alle Zündungen", "Tous les boîtiers", "Všechna zapalování"}},
    MessageRow{&MessageTexts::TextAllEvents,
               {"All events", "Alle Ereignisse", "Tous les événements", "Všechny události"}},
    MessageRow{&MessageTexts::TextNoUnit,
               {"No unit", "Ohne Zündung", "Sans boîtier", "Bez zapalování"}},
    MessageRow{&MessageTexts::TextLibraryUnavailable,
               {"The tune library could not be opened; earlier sets are kept as before.",
                "Die Abstimmbibliothek konnte nicht geöffnet werden; frühere Sätze werden wie "
                "bisher aufbewahrt.",
                "La bibliothèque de réglages n'a pas pu être ouverte ; les jeux précédents sont "
                "conservés comme avant.",
                "Knihovnu ladění nelze otevřít; dřívější sady se uchovávají jako dosud."}},
    MessageRow{&MessageTexts::TextLibraryWriteError,
               {"The tune library could not keep the set!",
                "Die Abstimmbibliothek konnte den Satz nicht aufnehmen!",
                "La bibliothèque de réglages n'a pas pu conserver le jeu !",
                "Knihovna ladění nemohla sadu uložit!"}},
    MessageRow{&MessageTexts::TextLibraryStatus,
               {"Library: %1 not shared, last sync %2",
                "Bibliothek: %1 nicht geteilt, letzter Abgleich %2",
                "Bibliothèque : %1 non partagé(s), dernière synchronisation %2",
                "Knihovna: nesdíleno %1, poslední synchronizace %2"}},
    MessageRow{&MessageTexts::TextNeverSynced, {"never", "nie", "jamais", "nikdy"}},
    MessageRow{&MessageTexts::TextSyncRunning,
               {"Library: syncing...", "Bibliothek: Abgleich läuft...",
                "Bibliothèque : synchronisation...", "Knihovna: synchronizace..."}},
    MessageRow{&MessageTexts::TextSyncShared,
               {"Library shared: %1 sent, %2 received.",
                "Bibliothek geteilt: %1 gesendet, %2 empfangen.",
                "Bibliothèque partagée : %1 envoyé(s), %2 reçu(s).",
                "Knihovna sdílena: odesláno %1, přijato %2."}},
    MessageRow{&MessageTexts::TextSyncFailed,
               {"Library not shared (%1).", "Bibliothek nicht geteilt (%1).",
                "Bibliothèque non partagée (%1).", "Knihovna nesdílena (%1)."}},
    MessageRow{&MessageTexts::TextSyncNoRemote,
               {"no remote set", "kein entferntes Verzeichnis eingestellt",
                "aucun dépôt distant défini", "vzdálené úložiště není nastaveno"}},
    MessageRow{&MessageTexts::TextSyncOffline,
               {"the remote cannot be reached", "das entfernte Verzeichnis ist nicht erreichbar",
                "le dépôt distant est injoignable", "vzdálené úložiště je nedostupné"}},
    MessageRow{&MessageTexts::TextSyncRefused,
               {"the remote refused", "das entfernte Verzeichnis hat abgelehnt",
                "le dépôt distant a refusé", "vzdálené úložiště odmítlo"}},
    MessageRow{&MessageTexts::TextSyncConflict,
               {"the histories do not merge", "die Verläufe lassen sich nicht zusammenführen",
                "les historiques ne fusionnent pas", "historie nelze sloučit"}},
    MessageRow{&MessageTexts::TextSyncDamaged,
               {"the library is damaged", "die Bibliothek ist beschädigt",
                "la bibliothèque est endommagée", "knihovna je poškozená"}},
    MessageRow{&MessageTexts::TextDiffWithScreen,
               {"Entry -> set on screen", "Eintrag -> Satz auf dem Bildschirm",
                "Entrée -> jeu à l'écran", "Záznam -> sada na obrazovce"}},
    MessageRow{&MessageTexts::TextDiffOfTwo,
               {"Older entry -> newer entry", "Älterer Eintrag -> neuerer Eintrag",
                "Entrée ancienne -> entrée récente", "Starší záznam -> novější záznam"}},
    MessageRow{&MessageTexts::TextDiffNone,
               {"No differences", "Keine Unterschiede", "Aucune différence", "Žádné rozdíly"}},
    MessageRow{&MessageTexts::TextRemotePassword,
               {"A remote with a password is not kept: git's credential helper or the SSH agent "
                "gives it.",
                "Ein entferntes Verzeichnis mit Passwort wird nicht übernommen: das gibt der "
                "Anmeldehelfer von git oder der SSH-Agent.",
                "Un dépôt distant avec mot de passe n'est pas retenu : l'assistant "
                "d'identification de git ou l'agent SSH le fournit.",
                "Vzdálené úložiště s heslem se neukládá: heslo poskytne pomocník přihlášení gitu "
                "nebo SSH agent."}},
};

constexpr std::array<std::string_view, kLanguageCount> kHelpOpenErrorPrefix{
    "Error by opening file ", "Fehler beim öffnen der Datei ", "Erreur ŕ l´ouvertur du Fichier ",
    "Chyba při otevírání souboru "};
constexpr std::string_view kHelpOpenErrorSuffix = " !";

// `text` with each `marker` replaced by `value`.
std::string replaced(std::string text, std::string_view marker, const std::string& value) {
    for (std::size_t at = text.find(marker); at != std::string::npos;
         at = text.find(marker, at + value.size())) {
        text.replace(at, marker.size(), value);
    }
    return text;
}

std::string namesList(const std::vector<std::string>& names, std::size_t maxNames) {
    std::string list;
    for (std::size_t i = 0; i < names.size() && i < maxNames; ++i) {
        list += (i == 0 ? "" : ", ") + names[i];
    }
    return names.size() > maxNames ? list + ", ..." : list;
}

} // namespace

std::string incompleteFileText(const MessageTexts& texts, std::size_t held, std::size_t total,
                               const std::vector<std::string>& missing,
                               const std::vector<std::string>& cutShort, std::size_t maxNames) {
    std::string text;
    if (!missing.empty()) {
        text = replaced(replaced(replaced(texts.TextFileIncomplete, "%1", std::to_string(held)),
                                 "%2", std::to_string(total)),
                        "%3", namesList(missing, maxNames));
    }
    if (!cutShort.empty()) {
        text += (text.empty() ? "" : ". ") +
                replaced(texts.TextFileCutShort, "%1", namesList(cutShort, maxNames));
    }
    return text;
}

MessageTexts messageTextsFor(std::uint8_t languageIndex) {
    const std::uint8_t language = safeLanguageIndex(languageIndex);
    MessageTexts texts;
    for (const MessageRow& row : kMessageRows) {
        texts.*row.member = std::string(row.text[language]);
    }
    texts.TextHelpOpenError = std::string(kHelpOpenErrorPrefix[language]) + texts.TextHelpFile +
                              std::string(kHelpOpenErrorSuffix);
    return texts;
}

} // namespace kordana

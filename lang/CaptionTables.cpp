#include "lang/CaptionTables.h"

#include <algorithm>

namespace kordana {
namespace {

using namespace std::string_view_literals;

// The controls that receive each caption.
constexpr std::array kCapFormHlav{"FormHlav"sv};
constexpr std::array kCapLabelSpojeni{"LabelSpojeni"sv};
constexpr std::array kCapMenuFile{"MenuFile"sv};
constexpr std::array kCapMenuNew{"MenuNew"sv};
constexpr std::array kCapMenuOpen{"MenuOpen"sv};
constexpr std::array kCapMenuSave{"MenuSave"sv};
constexpr std::array kCapMenuPrint{"MenuPrint"sv};
constexpr std::array kCapMenuExit{"MenuExit"sv};
constexpr std::array kCapMenuCom{"MenuCom"sv};
constexpr std::array kCapMenuDevice{"MenuDevice"sv};
constexpr std::array kCapMenuRead{"MenuRead"sv, "ButtonRead"sv};
constexpr std::array kCapMenuVerify{"MenuVerify"sv, "ButtonVerify"sv};
constexpr std::array kCapMenuProgram{"MenuProgram"sv, "ButtonProgram"sv};
constexpr std::array kCapMenuIgn123Mode{"Menu_Ign123Mode"sv};
constexpr std::array kCapMenuIgn123Normal{"Menu_Ign123Normal"sv, "Menu_Jet123Normal"sv};
constexpr std::array kCapMenuIgn123Coupled{"Menu_Ign123Coupled"sv, "Menu_Jet123Coupled"sv};
constexpr std::array kCapMenuJet123Mode{"Menu_Jet123Mode"sv};
constexpr std::array kCapMenuTools{"MenuTools"sv};
constexpr std::array kCapMenuLanguage{"MenuLanguage"sv};
constexpr std::array kCapMenuEnglish{"MenuEnglish"sv};
constexpr std::array kCapMenuGerman{"MenuGerman"sv};
constexpr std::array kCapMenuFrench{"MenuFrench"sv};
constexpr std::array kCapMenuCzech{"MenuCzech"sv};
constexpr std::array kCapMenuHelp{"MenuHelp"sv};
constexpr std::array kCapMenuContens{"MenuContens"sv};
constexpr std::array kCapMenuAbout{"MenuAbout"sv};
constexpr std::array kCapLabelBike{"LabelBike"sv};
constexpr std::array kCapTabSheetPoloha{"TabSheet_Poloha"sv};
constexpr std::array kCapTabSheetServo{"TabSheet_Servo"sv};
constexpr std::array kCapGroupBoxServo{"GroupBoxServo"sv};
constexpr std::array kCapCheckBoxAllServo{"CheckBoxAll_Servo"sv, "CheckBoxAll_PolohaA"sv,
                                          "CheckBoxAll_PolohaB"sv, "CheckBoxAll_Map"sv};
constexpr std::array kCapCheckBoxProgHned{"CheckBoxProgHned"sv};
constexpr std::array kCapCheckBoxZakazCteni{"CheckBoxZakazCteni"sv};
constexpr std::array kCapGroupBoxOther{"GroupBoxOther"sv};
constexpr std::array kCapGroupBoxActivation{"GroupBoxActivation"sv};
constexpr std::array kCapLabelOmez1{"LabelOmez1"sv, "CheckBoxAktLimiter1"sv};
constexpr std::array kCapLabelOmez2{"LabelOmez2"sv};
constexpr std::array kCapLabelOmez3{"LabelOmez3"sv};
constexpr std::array kCapCheckBoxRpm2Krat{"CheckBoxRpm2Krat"sv};
constexpr std::array kCapLabelFile1{"LabelFile1"sv};
constexpr std::array kCapGroupBoxPolohaA{"GroupBoxPolohaA"sv};
constexpr std::array kCapGroupBoxPolohaB{"GroupBoxPolohaB"sv};
constexpr std::array kCapRadioGroupPolohaA{"RadioGroupPolohaA"sv, "RadioGroupPolohaB"sv};
constexpr std::array kCapGroupBoxAkcel{"GroupBoxAkcel"sv};
constexpr std::array kCapLabelAkcelPrah{"LabelAkcelPrah"sv};
constexpr std::array kCapLabelAkcelJet{"LabelAkcelJet"sv};
constexpr std::array kCapGroupBoxTempWarning{"GroupBoxTempWarning"sv};
constexpr std::array kCapGroupBoxVodaVzduch{"GroupBoxVodaVzduch"sv};
constexpr std::array kCapGroupBoxStartJet{"GroupBoxStartJet"sv};
constexpr std::array kCapLabelVoda2{"LabelVoda2"sv};
constexpr std::array kCapLabelVzduch2{"LabelVzduch2"sv};
constexpr std::array kCapCheckBoxServoEnable{"CheckBoxServoEnable"sv};
constexpr std::array kCapLabelServoHyster{"LabelServoHyster"sv};
constexpr std::array kCapTabSheetRuzne{"TabSheet_Ruzne"sv};
constexpr std::array kCapTabSheetKorekce{"TabSheet_Korekce"sv};
constexpr std::array kCapGroupBoxTlak{"GroupBoxTlak"sv};
constexpr std::array kCapLabelTlakTlak{"LabelTlakTlak"sv};
constexpr std::array kCapLabelTlakKor{"LabelTlakKor"sv};
constexpr std::array kCapCheckBoxAktTlakOleje{"CheckBoxAktTlakOleje"sv};
constexpr std::array kCapGroupBoxSytic{"GroupBoxSytic"sv};
constexpr std::array kCapLabelSyticCas{"LabelSyticCas"sv};
constexpr std::array kCapLabelSyticKorekce{"LabelSyticKorekce"sv};
constexpr std::array kCapGroupBoxRetard{"GroupBoxRetard"sv};
constexpr std::array kCapLabelRetardTemp{"LabelRetardTemp"sv};
constexpr std::array kCapLabelRetardRetard{"LabelRetardRetard"sv};
constexpr std::array kCapLabelEeDataErr{"LabelEeDataErr"sv};
constexpr std::array kCapMenuEdit{"MenuEdit"sv};
constexpr std::array kCapMenuUndo{"MenuUndo"sv};
constexpr std::array kCapMenuRedo{"MenuRedo"sv};
constexpr std::array kCapMenuEarlierSets{"MenuEarlierSets"sv};
constexpr std::array kCapFormEarlierSets{"FormEarlierSets"sv};
constexpr std::array kCapButtonRestore{"ButtonRestore"sv};
constexpr std::array kCapButtonCloseEarlierSets{"ButtonCloseEarlierSets"sv};
constexpr std::array kCapLabelTimelineUnit{"LabelTimelineUnit"sv};
constexpr std::array kCapLabelTimelineEvent{"LabelTimelineEvent"sv};
constexpr std::array kCapLabelTimelineFilter{"LabelTimelineFilter"sv};
constexpr std::array kCapLabelTimelineNote{"LabelTimelineNote"sv};
constexpr std::array kCapButtonTimelineNote{"ButtonTimelineNote"sv};
constexpr std::array kCapLabelLibraryRemote{"LabelLibraryRemote"sv};
constexpr std::array kCapButtonLibraryRemote{"ButtonLibraryRemote"sv};
constexpr std::array kCapButtonSyncNow{"ButtonSyncNow"sv};
constexpr std::array kCapMenuCompare{"MenuCompare"sv};
constexpr std::array kCapFormCompare{"FormCompare"sv};
constexpr std::array kCapLabelCompareSides{"LabelCompareSides"sv};
constexpr std::array kCapLabelCompareEqual{"LabelCompareEqual"sv};
constexpr std::array kCapLabelCompareVerify{"LabelCompareVerify"sv};
constexpr std::array kCapMenuTuneSheet{"MenuTuneSheet"sv};
constexpr std::array kCapMenuPrintPdf{"MenuPrintPdf"sv};
constexpr std::array kCapMenuView{"MenuView"sv};
constexpr std::array kCapMenuMap3D{"MenuMap3D"sv};
constexpr std::array kCapFormMap3D{"FormMap3D"sv};
constexpr std::array kCapLabelMap3DNoGraph{"LabelMap3DNoGraph"sv};
constexpr std::array kCapMenuInterpolateRows{"MenuInterpolateRows"sv};
constexpr std::array kCapMenuInterpolateColumns{"MenuInterpolateColumns"sv};
constexpr std::array kCapMenuInterpolateCorners{"MenuInterpolateCorners"sv};
constexpr std::array kCapMenuSmooth{"MenuSmooth"sv};
constexpr std::array kCapMenuEditSelection{"MenuEditSelection"sv};
constexpr std::array kCapMenuCopyCells{"MenuCopyCells"sv};
constexpr std::array kCapMenuPasteCells{"MenuPasteCells"sv};
constexpr std::array kCapFormEditSelection{"FormEditSelection"sv};
constexpr std::array kCapRadioSelectionSet{"RadioSelectionSet"sv};
constexpr std::array kCapRadioSelectionAdd{"RadioSelectionAdd"sv};
constexpr std::array kCapRadioSelectionSubtract{"RadioSelectionSubtract"sv};
constexpr std::array kCapRadioSelectionScale{"RadioSelectionScale"sv};
constexpr std::array kCapButtonSelectionOk{"ButtonSelectionOk"sv};
constexpr std::array kCapButtonSelectionCancel{"ButtonSelectionCancel"sv};
constexpr std::array kCapMenuLog{"MenuLog"sv};
constexpr std::array kCapMenuRecordLog{"MenuRecordLog"sv};
constexpr std::array kCapMenuOpenLog{"MenuOpenLog"sv};
constexpr std::array kCapFormLog{"FormLog"sv};
constexpr std::array kCapButtonLogWhole{"ButtonLogWhole"sv};
constexpr std::array kCapMenuLogMarker{"MenuLogMarker"sv};
constexpr std::array kCapLabelReplay{"LabelReplay"sv};
constexpr std::array kCapButtonLogAnalysis{"ButtonLogAnalysis"sv};
constexpr std::array kCapCheckBoxLogReplay{"CheckBoxLogReplay"sv};
constexpr std::array kCapMenuHeatMap{"MenuHeatMap"sv};
constexpr std::array kCapButtonMonitorOneLine{"ButtonMonitorOneLine"sv};
constexpr std::array kCapButtonMonitorDetach{"ButtonMonitorDetach"sv};
constexpr std::array kCapFormMonitor{"FormMonitor"sv};
constexpr std::array kCapMenuTuningAssistant{"MenuTuningAssistant"sv};
constexpr std::array kCapFormAssistant{"FormAssistant"sv};
constexpr std::array kCapGroupBoxAssistSource{"GroupBoxAssistSource"sv};
constexpr std::array kCapGroupBoxAssistSettings{"GroupBoxAssistSettings"sv};
constexpr std::array kCapCheckBoxAssistLive{"CheckBoxAssistLive"sv};
constexpr std::array kCapButtonAssistAddLogs{"ButtonAssistAddLogs"sv};
constexpr std::array kCapButtonAssistAcceptAll{"ButtonAssistAcceptAll"sv};
constexpr std::array kCapButtonAssistAcceptSelection{"ButtonAssistAcceptSelection"sv};
constexpr std::array kCapButtonAssistLock{"ButtonAssistLock"sv};
constexpr std::array kCapButtonAssistUnlock{"ButtonAssistUnlock"sv};
constexpr std::array kCapButtonAssistReset{"ButtonAssistReset"sv};
constexpr std::array kCapLabelAssistSensor{"LabelAssistSensor"sv};
constexpr std::array kCapLabelAssistLambda0{"LabelAssistLambda0"sv};
constexpr std::array kCapLabelAssistLambda5{"LabelAssistLambda5"sv};
constexpr std::array kCapLabelAssistTargets{"LabelAssistTargets"sv};
constexpr std::array kCapLabelAssistDelay{"LabelAssistDelay"sv};
constexpr std::array kCapLabelAssistMinSamples{"LabelAssistMinSamples"sv};
constexpr std::array kCapLabelAssistAuthority{"LabelAssistAuthority"sv};
constexpr std::array kCapLabelAssistRetardStep{"LabelAssistRetardStep"sv};
constexpr std::array kCapLabelAssistMaxRetard{"LabelAssistMaxRetard"sv};
constexpr std::array kCapLabelAssistBanks{"LabelAssistBanks"sv};
constexpr std::array kCapCheckBoxAssistSheet{"CheckBoxAssistSheet"sv};
constexpr std::array kCapMenuCursorTrail{"MenuCursorTrail"sv};
constexpr std::array kCapMenuAssignDevice{"MenuAssignDevice"sv};
constexpr std::array kCapMenuFastLink{"MenuFastLink"sv};
constexpr std::array kCapMenuQuickProgramming{"MenuQuickProgramming"sv};
constexpr std::array kCapFormAssignDevice{"FormAssignDevice"sv};
constexpr std::array kCapLabelAssignDevices{"LabelAssignDevices"sv};
constexpr std::array kCapLabelAssignCom{"LabelAssignCom"sv};
constexpr std::array kCapButtonAssignOk{"ButtonAssignOk"sv};
constexpr std::array kCapButtonAssignCancel{"ButtonAssignCancel"sv};
constexpr std::array kCapPanelMonEngine{"PanelMonEngineTitle"sv};
constexpr std::array kCapPanelMonOutputs{"PanelMonOutputsTitle"sv};
constexpr std::array kCapPanelMonSensors{"PanelMonSensorsTitle"sv};
constexpr std::array kCapPanelMonCorrections{"PanelMonCorrectionsTitle"sv};
constexpr std::array kCapPanelMonKnock{"PanelMonKnockTitle"sv};
constexpr std::array kCapButtonCompareTake{"ButtonCompareTake"sv};
constexpr std::array kCapButtonCompareClose{"ButtonCompareClose"sv};

// Captions: the window title, tab captions, menu items, buttons, labels, group and check boxes.
constexpr std::array kCaptions{
    CaptionRow{kCapFormHlav,
               {"Programming of Kordana_Racing unit", "Programmierung der Kordana_Racing Zündbox",
                "Programation de Kordana_Racing unité", "Programování jednotky Kordana_Racing"}},
    CaptionRow{kCapLabelSpojeni,
               {"No connection with PC", "Keine Verbindung zum PC", "Pas de connection acec pc",
                "Není spojení s PC"}},
    CaptionRow{kCapMenuFile, {"&File", "&Datei", "&Fichier", "&Soubor"}},
    CaptionRow{kCapMenuNew, {"&New", "&Neu", "&Nouveau", "&Nový"}},
    CaptionRow{kCapMenuOpen, {"&Open", "&Öffnen", "&Ouvrir", "&Otevřít"}},
    CaptionRow{kCapMenuSave, {"&Save", "&Speichern", "&Mčmoriser", "&Uložit"}},
    CaptionRow{kCapMenuPrint, {"&Print", "&Drucken", "&Imprimer", "&Tisk"}},
    CaptionRow{kCapMenuExit, {"E&xit", "&Beenden", "&Sortir", "&Konec"}},
    CaptionRow{kCapMenuCom, {"&Com", "&COM-Anschluß", "&Connection com", "&Port"}},
    CaptionRow{kCapMenuDevice, {"&Ignition", "&Zündung", "&Allumage", "&Zapalování"}},
    CaptionRow{kCapMenuRead, {"&Read", "&Lesen", "&Lire", "Čí&st"}},
    CaptionRow{kCapMenuVerify, {"&Verify", "&Vergleichen", "&Verifier", "&Verifikace"}},
    CaptionRow{kCapMenuProgram, {"&Program", "&Programmieren", "&Programer", "&Programovat"}},
    CaptionRow{kCapMenuIgn123Mode, {"Ign 1-2-3", "Zündung 1-2-3", "Allumage 1-2-3", "Ign 1-2-3"}},
    CaptionRow{kCapMenuIgn123Normal, {"Separate", "Getrennt", "Séparé", "Oddělený"}},
    CaptionRow{kCapMenuIgn123Coupled, {"Coupled", "Gekoppelt", "couplé", "Spřažený"}},
    CaptionRow{kCapMenuJet123Mode,
               {"Jet 1-2-3", "Einspritzung 1-2-3", "inject 1-2-3", "Jet 1-2-3"}},
    CaptionRow{kCapMenuTools, {"Tools", "Werkzeuge", "Outillage", "Pomůcky"}},
    CaptionRow{kCapMenuLanguage, {"&Language", "&Sprache", "&Langue", "&Jazyk"}},
    CaptionRow{kCapMenuEnglish, {"&English", "&Englisch", "&Englais", "&Anglicky"}},
    CaptionRow{kCapMenuGerman, {"&German", "&Deutsch", "&Allemand", "&Německy"}},
    CaptionRow{kCapMenuFrench, {"&French", "&Französisch", "&Francais", "Francouzky"}},
    CaptionRow{kCapMenuCzech, {"&Czech", "&Tschechisch", "&Tchčque", "Če&sky"}},
    CaptionRow{kCapMenuHelp, {"&Help", "&Hilfe", "&Aide", "Nápověda"}},
    CaptionRow{kCapMenuContens, {"&Contents...", "&Inhalt...", "&Contenu", "Obsah"}},
    CaptionRow{kCapMenuAbout, {"&About...", "&Über Programm...", "&Information", "&O programu..."}},
    CaptionRow{kCapLabelBike,
               {"Motor and fuel", "Motor und Brennstoff", "Motor and Fuel", "Motor a palivo"}},
    CaptionRow{kCapTabSheetPoloha, {"Position", "Lage", "Positon", "Poloha"}},
    CaptionRow{kCapTabSheetServo,
               {"Power Outputs - Servo", "Power Outputs - Servo", "Power Outputs - Servo",
                "Power Outputs - Servo"}},
    CaptionRow{kCapGroupBoxServo, {"Servo", "Servo", "Servo", "Servo"}},
    CaptionRow{kCapCheckBoxAllServo, {"All", "Alles", "Tout", "Vše"}},
    CaptionRow{kCapCheckBoxProgHned,
               {"Programming after change", "Programmierung nach Änderung",
                "Sovegarde aprčs modification", "Programování po změně"}},
    CaptionRow{kCapCheckBoxZakazCteni,
               {"No Reading", "Lesen Verboten", "Pas axessible", "Zákaz čtení"}},
    CaptionRow{kCapGroupBoxOther, {"Other", "Andere", "Autres", "Různé"}},
    CaptionRow{kCapGroupBoxActivation,
               {"Activation by Switch on", "Aktierung durch Schaltung", "Activer par contacte",
                "Aktivace sepnutím"}},
    CaptionRow{kCapLabelOmez1,
               {"Start limiter [rpm]", "Startbegrenzer [rpm]", "Limitateur départ [rpm]",
                "Startovací omezovač [rpm]"}},
    CaptionRow{kCapLabelOmez2,
               {"Ignition Limiter [rpm]", "Zündungsbegrenzer [rpm]",
                "Limitateur  par Allumage [RPM]", "Omezovač zážehem [rpm]"}},
    CaptionRow{kCapLabelOmez3,
               {"Injection Limiter [rpm]", "Einspritzbegrenzer [rpm]",
                "Limitateur (RPM) par Injection", "Omezovač vstřikem[rpm]"}},
    CaptionRow{kCapCheckBoxRpm2Krat,
               {"Tachometer 2x", "Drehzahl verdoppeln", "Comptour a 2 inpulcion", "Otáčkoměr 2x"}},
    CaptionRow{kCapLabelFile1, {"File:", "Datei:", "Fichier:", "Soubor:"}},
    CaptionRow{kCapGroupBoxPolohaA,
               {"Position of Injection A", "Einspritzlage A", "Position Injectiion A",
                "Poloha vstřiku A"}},
    CaptionRow{
        kCapGroupBoxPolohaB,
        {"Position of Injection B", "Einspritzlage B", "Position Injection B", "Poloha vstřiku B"}},
    CaptionRow{kCapRadioGroupPolohaA,
               {"Position of:", "Lage für:", "Position pour", "Poloha zadána pro:"}},
    CaptionRow{kCapGroupBoxAkcel,
               {"Acceleration Injection", "Beschleunigungsanreicherung",
                "Transition d´Accélération par injection", "Akcelerační přístřik"}},
    CaptionRow{kCapLabelAkcelPrah,
               {"Threshold [%/s]", "Schwelle [%/s]", "Valeur d´activation [%/s]", "Práh [%/s]"}},
    CaptionRow{kCapLabelAkcelJet, {"Size [us]", "Größe [us]", "Valeur", "Velikost [us]"}},
    CaptionRow{kCapGroupBoxTempWarning,
               {"Temperature Warning Light", "Temperatur Warnlampe", "Témoin haute Température",
                "Kontrolka přehřátí"}},
    CaptionRow{kCapGroupBoxVodaVzduch,
               {"Temperature Corrections", "Temperatur ", "Facteur corection Température",
                "Teplotní korekce"}},
    CaptionRow{kCapGroupBoxStartJet,
               {"Start Injection", "Start Einspritzung", "Commencement d´activation d´Injection",
                "Startovní přístřik"}},
    CaptionRow{kCapLabelVoda2, {"Coolant", "Kühlflüssigkeit", "Températur moteur", "Voda"}},
    CaptionRow{kCapLabelVzduch2, {"Inlet Air", "Ansaugluft", "Températur air", "Vzduch"}},
    CaptionRow{kCapCheckBoxServoEnable,
               {"Servo Enable", "Servo zulassen", "Servo Axessible", "Servo povoleno"}},
    CaptionRow{kCapLabelServoHyster,
               {"Servo Hysteresis [mV]", "Servo Hysteresis [mV]", "servo Hysteresis [mV]",
                "Hystereze [mV]"}},
    CaptionRow{kCapTabSheetRuzne, {"Various", "Verschiedene", "Divers", "Různé"}},
    CaptionRow{kCapTabSheetKorekce, {"Corrections", "Korrektionen", "Corrections", "Korekce"}},
    CaptionRow{
        kCapGroupBoxTlak,
        {"Pressure Correction", "Druck Korrektur", "Correction de surpression", "Tlaková korekce"}},
    CaptionRow{kCapLabelTlakTlak,
               {"Pressure [kPa]", "Druck [kPa]", "Pression [KPa]", "Tlak [kPa]"}},
    CaptionRow{kCapLabelTlakKor,
               {"Correction [%]", "Korrektur [%]", "correction [%]", "Korekce [%]"}},
    CaptionRow{kCapCheckBoxAktTlakOleje,
               {"Oil Pressure", "Öldruck", "Pression D´huile", "Tlak oleje"}},
    CaptionRow{kCapGroupBoxSytic,
               {"Starting Corrections", "Anlaßkorrektur",
                "correction d´injection moteur froid démarage", "Korekce po startu"}},
    CaptionRow{kCapLabelSyticCas, {"Time [s]", "Zeit [s]", "Temp [s]", "Čas [s]"}},
    CaptionRow{kCapLabelSyticKorekce,
               {"Corrections for -10°C [%]", "Korrektur für -10°C [%]", "correction pour -10°c [%]",
                "Korekce pro -10°C [%]"}},
    CaptionRow{kCapGroupBoxRetard,
               {"Temperature Correction of Advance", "Temperaturkorrektur der Vorzündung",
                "Correction d´alumage relationelle de température d´air",
                "Teplotní korekce předstihu"}},
    CaptionRow{kCapLabelRetardTemp,
               {"Temperature [°C]", "Temperatur [°C]", "Température [°C]", "Teplota [°C]"}},
    CaptionRow{kCapLabelRetardRetard,
               {"Correction of Advance[°]", "Vorzündungkorrektur[°]", "Correction d´allumage[°]",
                "Korekce predstihu [°]"}},
    CaptionRow{kCapLabelEeDataErr,
               {"Programmed data error!", "Abgelegte Daten Fehler!", "Programmed data error!",
                "Chyba naprogramovaných dat!"}},
    CaptionRow{kCapMenuEdit, {"&Edit", "&Bearbeiten", "&Édition", "Úp&ravy"}},
    CaptionRow{kCapMenuUndo, {"&Undo", "&Rückgängig", "&Annuler", "&Zpět"}},
    CaptionRow{kCapMenuRedo, {"&Redo", "&Wiederholen", "&Rétablir", "Z&novu"}},
    CaptionRow{
        kCapMenuEarlierSets,
        {"&Earlier sets...", "&Frühere Sätze...", "&Jeux précédents...", "&Dřívější sady..."}},
    CaptionRow{kCapFormEarlierSets,
               {"Earlier sets", "Frühere Sätze", "Jeux précédents", "Dřívější sady"}},
    CaptionRow{kCapButtonRestore, {"&Restore", "&Wiederherstellen", "&Restaurer", "&Obnovit"}},
    CaptionRow{kCapButtonCloseEarlierSets, {"Close", "Schließen", "Fermer", "Zavřít"}},
    CaptionRow{kCapLabelTimelineUnit, {"Unit:", "Zündung:", "Boîtier :", "Zapalování:"}},
    CaptionRow{kCapLabelTimelineEvent, {"Event:", "Ereignis:", "Événement :", "Událost:"}},
    CaptionRow{kCapLabelTimelineFilter, {"Text:", "Text:", "Texte :", "Text:"}},
    CaptionRow{kCapLabelTimelineNote, {"Note:", "Notiz:", "Note :", "Poznámka:"}},
    CaptionRow{kCapButtonTimelineNote,
               {"Save note", "Notiz speichern", "Enregistrer la note", "Uložit poznámku"}},
    CaptionRow{kCapLabelLibraryRemote,
               {"Remote:", "Entferntes Verzeichnis:", "Dépôt distant :", "Vzdálené úložiště:"}},
    CaptionRow{kCapButtonLibraryRemote,
               {"Set remote", "Verzeichnis einstellen", "Définir le dépôt", "Nastavit úložiště"}},
    CaptionRow{kCapButtonSyncNow,
               {"Sync now", "Jetzt abgleichen", "Synchroniser", "Synchronizovat nyní"}},
    CaptionRow{kCapMenuCompare,
               {"Co&mpare with unit", "&Unterschiede zum Gerät", "Co&mparer avec l´appareil",
                "P&orovnat s jednotkou"}},
    CaptionRow{kCapFormCompare,
               {"Compare with unit", "Unterschiede zum Gerät", "Comparaison avec l´appareil",
                "Porovnání s jednotkou"}},
    CaptionRow{kCapLabelCompareSides,
               {"Set being edited -> unit", "Bearbeiteter Satz -> Gerät",
                "Jeu en édition -> appareil", "Upravovaná sada -> jednotka"}},
    CaptionRow{kCapLabelCompareEqual,
               {"No differences", "Keine Unterschiede", "Aucune différence", "Žádné rozdíly"}},
    CaptionRow{kCapLabelCompareVerify,
               {"Only the blocks up to the first that differs were compared.",
                "Nur die Blöcke bis zum ersten abweichenden wurden verglichen.",
                "Seuls les blocs jusqu´au premier différent ont été comparés.",
                "Porovnány byly jen bloky po první odlišný."}},
    CaptionRow{kCapButtonCompareTake,
               {"Take the unit's values", "Werte der Zündung übernehmen",
                "Reprendre les valeurs du boîtier", "Převzít hodnoty ze zapalování"}},
    CaptionRow{kCapButtonCompareClose, {"Close", "Schließen", "Fermer", "Zavřít"}},
    // The monitor panel's group titles.
    CaptionRow{kCapPanelMonEngine, {"Engine", "Motor", "Moteur", "Motor"}},
    CaptionRow{kCapPanelMonOutputs,
               {"Ignition and injection", "Zündung und Einspritzung", "Allumage et injection",
                "Zapalování a vstřik"}},
    CaptionRow{kCapPanelMonSensors, {"Sensors", "Sensoren", "Capteurs", "Snímače"}},
    CaptionRow{kCapPanelMonCorrections, {"Corrections", "Korrekturen", "Corrections", "Korekce"}},
    CaptionRow{kCapPanelMonKnock,
               {"Knock, power outputs, servo", "Klopfen, Leistungsausgänge, Servo",
                "Cliquetis, sorties de puissance, servo", "Klepání, výkonové výstupy, servo"}},
    CaptionRow{kCapMenuTuneSheet,
               {"Export tune sheet...", "Einstellblatt exportieren...",
                "Exporter la fiche de réglage...", "Exportovat list nastavení..."}},
    CaptionRow{kCapMenuPrintPdf,
               {"Print to PDF...", "Als PDF drucken...", "Imprimer en PDF...", "Tisk do PDF..."}},
    CaptionRow{kCapMenuView, {"&View", "&Ansicht", "Affic&hage", "Zo&brazit"}},
    CaptionRow{kCapMenuMap3D,
               {"View map in 3D", "Kennfeld in 3D anzeigen", "Voir la cartographie en 3D",
                "Zobrazit mapu ve 3D"}},
    CaptionRow{kCapFormMap3D, {"Map in 3D", "Kennfeld in 3D", "Cartographie en 3D", "Mapa ve 3D"}},
    CaptionRow{kCapLabelMap3DNoGraph,
               {"The 3D view needs OpenGL, which this display does not offer.",
                "Die 3D-Ansicht braucht OpenGL, das diese Anzeige nicht bietet.",
                "La vue 3D demande OpenGL, que cet affichage ne fournit pas.",
                "3D zobrazení potřebuje OpenGL, které tento displej nenabízí."}},
    CaptionRow{kCapMenuInterpolateRows,
               {"Interpolate &horizontally", "&Horizontal interpolieren",
                "Interpoler &horizontalement", "Interpolovat &vodorovně"}},
    CaptionRow{kCapMenuInterpolateColumns,
               {"Interpolate &vertically", "&Vertikal interpolieren", "Interpoler &verticalement",
                "Interpolovat &svisle"}},
    CaptionRow{kCapMenuInterpolateCorners,
               {"Interpolate from the corners (&bilinear)",
                "Aus den Ecken interpolieren (&bilinear)",
                "Interpoler depuis les coins (&bilinéaire)", "Interpolovat z rohů (&bilineárně)"}},
    CaptionRow{kCapMenuSmooth, {"S&mooth", "&Glätten", "&Lisser", "Vy&hladit"}},
    CaptionRow{kCapMenuEditSelection,
               {"Edit selection...", "Auswahl bearbeiten...", "Modifier la sélection...",
                "Upravit výběr..."}},
    CaptionRow{kCapMenuCopyCells,
               {"&Copy cells", "Zellen &kopieren", "&Copier les cellules", "&Kopírovat buňky"}},
    CaptionRow{kCapMenuPasteCells,
               {"&Paste cells", "Zellen &einfügen", "C&oller les cellules", "V&ložit buňky"}},
    CaptionRow{kCapFormEditSelection,
               {"Edit selection", "Auswahl bearbeiten", "Modifier la sélection", "Upravit výběr"}},
    CaptionRow{kCapRadioSelectionSet, {"&Set to", "&Setzen auf", "&Fixer à", "&Nastavit na"}},
    CaptionRow{kCapRadioSelectionAdd, {"&Add", "&Addieren", "&Ajouter", "&Přičíst"}},
    CaptionRow{kCapRadioSelectionSubtract,
               {"S&ubtract", "S&ubtrahieren", "&Soustraire", "&Odečíst"}},
    CaptionRow{kCapRadioSelectionScale,
               {"S&cale by", "S&kalieren um", "&Multiplier par", "Ná&sobit"}},
    CaptionRow{kCapButtonSelectionOk, {"OK", "OK", "OK", "OK"}},
    CaptionRow{kCapButtonSelectionCancel, {"Cancel", "Abbrechen", "Annuler", "Zrušit"}},
    CaptionRow{kCapMenuLog, {"L&og", "&Protokoll", "&Journal", "Záz&nam"}},
    CaptionRow{kCapMenuRecordLog,
               {"&Record monitor log", "Monitorprotokoll &aufzeichnen",
                "&Enregistrer le journal du moniteur", "&Nahrávat záznam monitoru"}},
    CaptionRow{
        kCapMenuOpenLog,
        {"&Open log...", "Protokoll ö&ffnen...", "&Ouvrir un journal...", "&Otevřít záznam..."}},
    CaptionRow{kCapFormLog,
               {"Monitor log", "Monitorprotokoll", "Journal du moniteur", "Záznam monitoru"}},
    CaptionRow{kCapButtonLogWhole,
               {"Whole log", "Ganzes Protokoll", "Journal entier", "Celý záznam"}},
    CaptionRow{kCapMenuLogMarker,
               {"Set &marker", "&Marke setzen", "Poser un &repère", "Vložit &značku"}},
    CaptionRow{kCapLabelReplay, {"Replay", "Wiedergabe", "Relecture", "Přehrávání"}},
    CaptionRow{kCapButtonLogAnalysis, {"Analysis...", "Analyse...", "Analyse...", "Analýza..."}},
    CaptionRow{kCapCheckBoxLogReplay,
               {"Replay on the map", "Wiedergabe im Kennfeld", "Relecture sur la cartographie",
                "Přehrávat v mapě"}},
    CaptionRow{kCapMenuHeatMap,
               {"Heat map colours", "Kennfeld nach Wert färben", "Couleurs selon la valeur",
                "Barvy podle hodnot"}},
    CaptionRow{kCapMenuCursorTrail,
               {"Cursor trail", "Cursorspur", "Trace du curseur", "Stopa kurzoru"}},
    CaptionRow{kCapButtonMonitorOneLine, {"One line", "Eine Zeile", "Une ligne", "Jeden řádek"}},
    CaptionRow{kCapButtonMonitorDetach,
               {"Own window", "Eigenes Fenster", "Fenêtre séparée", "Samostatné okno"}},
    CaptionRow{kCapFormMonitor, {"Monitor", "Monitor", "Moniteur", "Monitor"}},
    CaptionRow{kCapMenuAssignDevice,
               {"Assign serial device...", "Serielles Gerät zuordnen...",
                "Attribuer un périphérique série...", "Přiřadit sériové zařízení..."}},
    CaptionRow{kCapMenuFastLink,
               {"Fast link", "Schnelle Verbindung", "Liaison rapide", "Rychlé spojení"}},
    CaptionRow{kCapMenuQuickProgramming,
               {"Quick programming", "Schnelles Programmieren", "Programmation rapide",
                "Rychlé programování"}},
    CaptionRow{kCapFormAssignDevice,
               {"Assign serial device", "Serielles Gerät zuordnen",
                "Attribuer un périphérique série", "Přiřadit sériové zařízení"}},
    CaptionRow{kCapLabelAssignDevices,
               {"Serial devices present:", "Vorhandene serielle Geräte:",
                "Périphériques série présents :", "Připojená sériová zařízení:"}},
    CaptionRow{kCapLabelAssignCom, {"COM number:", "COM-Nummer:", "Numéro COM :", "Číslo COM:"}},
    CaptionRow{kCapButtonAssignOk, {"OK", "OK", "OK", "OK"}},
    CaptionRow{kCapButtonAssignCancel, {"Cancel", "Abbrechen", "Annuler", "Zrušit"}},
    CaptionRow{kCapMenuTuningAssistant,
               {"Tuning assistant...", "Abstimmassistent...", "Assistant de réglage...",
                "Asistent ladění..."}},
    CaptionRow{kCapFormAssistant,
               {"Tuning assistant", "Abstimmassistent", "Assistant de réglage", "Asistent ladění"}},
    CaptionRow{kCapGroupBoxAssistSource, {"Samples", "Messwerte", "Échantillons", "Vzorky"}},
    CaptionRow{kCapGroupBoxAssistSettings, {"Settings", "Einstellungen", "Réglages", "Nastavení"}},
    CaptionRow{
        kCapCheckBoxAssistLive,
        {"Live from the unit", "Live von der Einheit", "En direct du boîtier", "Živě z jednotky"}},
    CaptionRow{kCapButtonAssistAddLogs,
               {"Add logs...", "Protokolle hinzufügen...", "Ajouter des journaux...",
                "Přidat záznamy..."}},
    CaptionRow{kCapButtonAssistAcceptAll,
               {"Accept all", "Alle übernehmen", "Tout accepter", "Přijmout vše"}},
    CaptionRow{
        kCapButtonAssistAcceptSelection,
        {"Accept selection", "Auswahl übernehmen", "Accepter la sélection", "Přijmout výběr"}},
    CaptionRow{kCapButtonAssistLock,
               {"Lock cells", "Zellen sperren", "Verrouiller les cellules", "Zamknout buňky"}},
    CaptionRow{kCapButtonAssistUnlock, {"Unlock", "Entsperren", "Déverrouiller", "Odemknout"}},
    CaptionRow{kCapButtonAssistReset, {"Reset", "Zurücksetzen", "Réinitialiser", "Vynulovat"}},
    CaptionRow{kCapLabelAssistSensor,
               {"Lambda sensor", "Lambdasonde", "Sonde lambda", "Lambda sonda"}},
    CaptionRow{kCapLabelAssistLambda0,
               {"Lambda at 0 V", "Lambda bei 0 V", "Lambda à 0 V", "Lambda při 0 V"}},
    CaptionRow{kCapLabelAssistLambda5,
               {"Lambda at 5 V", "Lambda bei 5 V", "Lambda à 5 V", "Lambda při 5 V"}},
    CaptionRow{kCapLabelAssistTargets,
               {"Targets (throttle rows)", "Sollwerte (Drosselzeilen)",
                "Cibles (lignes de papillon)", "Cíle (řádky škrticí klapky)"}},
    CaptionRow{kCapLabelAssistDelay,
               {"Transport delay", "Laufzeit", "Retard de transport", "Dopravní zpoždění"}},
    CaptionRow{kCapLabelAssistMinSamples,
               {"Samples a cell needs", "Messwerte je Zelle", "Échantillons par cellule",
                "Vzorků na buňku"}},
    CaptionRow{kCapLabelAssistAuthority,
               {"Largest fuel change", "Größte Kraftstoffänderung",
                "Plus grande correction d'essence", "Největší změna paliva"}},
    CaptionRow{kCapLabelAssistRetardStep,
               {"Retard step", "Spätverstellschritt", "Pas de retard", "Krok zpoždění"}},
    CaptionRow{
        kCapLabelAssistMaxRetard,
        {"Largest retard", "Größte Spätverstellung", "Plus grand retard", "Největší zpoždění"}},
    CaptionRow{kCapCheckBoxAssistSheet,
               {"Last analysis in the tune sheet", "Letzte Analyse ins Einstellblatt",
                "Dernière analyse dans la fiche de réglage",
                "Poslední analýza do listu nastavení"}},
    CaptionRow{kCapLabelAssistBanks,
               {"Fuel corrections to", "Kraftstoffkorrektur auf", "Corrections d'essence vers",
                "Korekce paliva do"}},
};

} // namespace

std::span<const CaptionRow> captionTable() {
    return kCaptions;
}

std::optional<std::string_view> captionForControl(std::string_view control,
                                                  std::uint8_t languageIndex) {
    for (const CaptionRow& row : kCaptions) {
        if (std::ranges::find(row.controls, control) != row.controls.end()) {
            return textFor(row, languageIndex);
        }
    }
    return std::nullopt;
}

} // namespace kordana

#include "lang/MessageTexts.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

namespace kordana {
namespace {

struct Member {
    const char* name;
    std::string MessageTexts::*member;
};

// Every member, for the structural checks; the texts themselves are not repeated here.
const Member kMembers[] = {
    {"TextHelpFile", &MessageTexts::TextHelpFile},
    {"TextProgramError", &MessageTexts::TextProgramError},
    {"TextVerifyError", &MessageTexts::TextVerifyError},
    {"TextReadError", &MessageTexts::TextReadError},
    {"TextProgramDevice", &MessageTexts::TextProgramDevice},
    {"TextUnmatchedUnit", &MessageTexts::TextUnmatchedUnit},
    {"TextVerify", &MessageTexts::TextVerify},
    {"TextRead", &MessageTexts::TextRead},
    {"TextSaving", &MessageTexts::TextSaving},
    {"TextProgCount", &MessageTexts::TextProgCount},
    {"TextComOpenError", &MessageTexts::TextComOpenError},
    {"TextOpenFileError", &MessageTexts::TextOpenFileError},
    {"TextDefaultQuery", &MessageTexts::TextDefaultQuery},
    {"TextUnmatchedFile", &MessageTexts::TextUnmatchedFile},
    {"TextNoReading", &MessageTexts::TextNoReading},
    {"TextPrintDate", &MessageTexts::TextPrintDate},
    {"TextHelpOpenError", &MessageTexts::TextHelpOpenError},
    {"TextSetSaved", &MessageTexts::TextSetSaved},
    {"TextSetChanged", &MessageTexts::TextSetChanged},
    {"TextSetNotSaved", &MessageTexts::TextSetNotSaved},
    {"TextUnitSame", &MessageTexts::TextUnitSame},
    {"TextUnitDiffers", &MessageTexts::TextUnitDiffers},
    {"TextUnitUnknown", &MessageTexts::TextUnitUnknown},
    {"TextCauseNew", &MessageTexts::TextCauseNew},
    {"TextCauseOpen", &MessageTexts::TextCauseOpen},
    {"TextCauseRead", &MessageTexts::TextCauseRead},
    {"TextCauseRestore", &MessageTexts::TextCauseRestore},
    {"TextCauseDamaged", &MessageTexts::TextCauseDamaged},
    {"TextHistoryWriteError", &MessageTexts::TextHistoryWriteError},
    {"TextPrintError", &MessageTexts::TextPrintError},
    {"TextPasteRefused", &MessageTexts::TextPasteRefused},
    {"TextNoReadingQuery", &MessageTexts::TextNoReadingQuery},
    {"TextPortNotPresent", &MessageTexts::TextPortNotPresent},
    {"TextPortPermission", &MessageTexts::TextPortPermission},
    {"TextPortBusy", &MessageTexts::TextPortBusy},
    {"TextLinkConnected", &MessageTexts::TextLinkConnected},
    {"TextLinkNoAnswer", &MessageTexts::TextLinkNoAnswer},
    {"TextLinkClosed", &MessageTexts::TextLinkClosed},
    {"TextLinkNotOpen", &MessageTexts::TextLinkNotOpen},
    {"TextProgrammings", &MessageTexts::TextProgrammings},
    {"TextComOpens", &MessageTexts::TextComOpens},
    {"TextPortLost", &MessageTexts::TextPortLost},
    {"TextPortReconnected", &MessageTexts::TextPortReconnected},
    {"TextFileIncomplete", &MessageTexts::TextFileIncomplete},
    {"TextFileCutShort", &MessageTexts::TextFileCutShort},
    {"TextPartlyProgrammed", &MessageTexts::TextPartlyProgrammed},
    {"TextFastLinkOff", &MessageTexts::TextFastLinkOff},
    {"TextFastMonitorOff", &MessageTexts::TextFastMonitorOff},
    {"TextNoSaving", &MessageTexts::TextNoSaving},
    {"TextReadRepaired", &MessageTexts::TextReadRepaired},
    {"TextEventSaved", &MessageTexts::TextEventSaved},
    {"TextEventOpened", &MessageTexts::TextEventOpened},
    {"TextEventRead", &MessageTexts::TextEventRead},
    {"TextEventProgrammed", &MessageTexts::TextEventProgrammed},
    {"TextEventReplaced", &MessageTexts::TextEventReplaced},
    {"TextEventRestored", &MessageTexts::TextEventRestored},
    {"TextEventAssistant", &MessageTexts::TextEventAssistant},
    {"TextAllUnits", &MessageTexts::TextAllUnits},
    {"TextAllEvents", &MessageTexts::TextAllEvents},
    {"TextNoUnit", &MessageTexts::TextNoUnit},
    {"TextLibraryUnavailable", &MessageTexts::TextLibraryUnavailable},
    {"TextLibraryWriteError", &MessageTexts::TextLibraryWriteError},
    {"TextLibraryStatus", &MessageTexts::TextLibraryStatus},
    {"TextNeverSynced", &MessageTexts::TextNeverSynced},
    {"TextSyncRunning", &MessageTexts::TextSyncRunning},
    {"TextSyncShared", &MessageTexts::TextSyncShared},
    {"TextSyncFailed", &MessageTexts::TextSyncFailed},
    {"TextSyncNoRemote", &MessageTexts::TextSyncNoRemote},
    {"TextSyncOffline", &MessageTexts::TextSyncOffline},
    {"TextSyncRefused", &MessageTexts::TextSyncRefused},
    {"TextSyncConflict", &MessageTexts::TextSyncConflict},
    {"TextSyncDamaged", &MessageTexts::TextSyncDamaged},
    {"TextDiffWithScreen", &MessageTexts::TextDiffWithScreen},
    {"TextDiffOfTwo", &MessageTexts::TextDiffOfTwo},
    {"TextDiffNone", &MessageTexts::TextDiffNone},
    {"TextRemotePassword", &MessageTexts::TextRemotePassword},
};
static_assert(sizeof(MessageTexts) == std::size(kMembers) * sizeof(std::string),
              "every message member needs a row here");

// A few texts typed from the message table, chosen for what tends to go wrong: accented and
// code-page characters, a missing colon, trailing blanks, a text built from two parts.
struct ExpectedMessage {
    const char* name;
    std::string MessageTexts::*member;
    std::array<const char*, 4> text; // English, German, French, Czech
};

const ExpectedMessage kHandPicked[] = {
    {"TextOpenFileError",
     &MessageTexts::TextOpenFileError,
     {"Open file error!", "Fehler beim öffnen der Datei!", "Erreur ouvertur fichier!",
      "Chyba při otevírání souboru!"}},
    {"TextUnmatchedFile",
     &MessageTexts::TextUnmatchedFile,
     {"Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!",
      "Programme du fichier non compatible avec programme PC!", "Neshodná verze souboru *.ign!"}},
    {"TextUnmatchedUnit",
     &MessageTexts::TextUnmatchedUnit,
     {"Unmatched version of PC and Ignition programs!",
      "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
      "Programme du boitier d´alumage non compatible avec programme PC!",
      "Neshodné verze proramu v PC a zapalování!"}},
    {"TextRead", &MessageTexts::TextRead, {"Read:", "Lesen:", "Lire", "Čtení:"}},
    {"TextPrintDate",
     &MessageTexts::TextPrintDate,
     {"Date and time of printing:  ", "Zeitpunkt des Ausdruckes   ",
      "Date et heur de l´imprimé:   ", "Datum a čas tisku:  "}},
    {"TextHelpOpenError",
     &MessageTexts::TextHelpOpenError,
     {"Error by opening file Kordana_R_en.pdf !", "Fehler beim öffnen der Datei Kordana_R_en.pdf !",
      "Erreur ŕ l´ouvertur du Fichier Kordana_R_en.pdf !",
      "Chyba při otevírání souboru Kordana_R_en.pdf !"}},
    {"TextUnitDiffers",
     &MessageTexts::TextUnitDiffers,
     {"unit: differs", "Zündung: abweichend", "boîtier : différent", "zapalování: liší se"}},
    {"TextPortLost",
     &MessageTexts::TextPortLost,
     {"Com port lost!", "COM-Anschluss verloren!", "Port COM perdu!", "Port Com ztracen!"}},
    {"TextPortReconnected",
     &MessageTexts::TextPortReconnected,
     {"Com port reconnected", "COM-Anschluss wieder verbunden", "Port COM reconnecté",
      "Port Com znovu připojen"}},
    {"TextNoSaving",
     &MessageTexts::TextNoSaving,
     {"The unit reported no saving: programming all blocks.",
      "Die Zündung meldete kein Speichern: alle Blöcke werden programmiert.",
      "Le boîtier n'a signalé aucun enregistrement : programmation de tous les blocs.",
      "Zapalování nehlásilo ukládání: programují se všechny bloky."}},
};

TEST(MessageTextsTest, HandPickedTextsInEveryLanguage) {
    for (std::uint8_t language = 0; language < 4; ++language) {
        const MessageTexts texts = messageTextsFor(language);
        for (const ExpectedMessage& e : kHandPicked) {
            EXPECT_EQ(texts.*e.member, e.text[language])
                << e.name << " in language " << unsigned{language};
        }
    }
}

TEST(MessageTextsTest, EveryLanguageFillsEveryMemberWithItsOwnText) {
    const MessageTexts english = messageTextsFor(0);
    for (std::uint8_t language = 0; language < 4; ++language) {
        SCOPED_TRACE(unsigned{language});
        const MessageTexts texts = messageTextsFor(language);
        std::set<std::string> seen;
        for (const Member& m : kMembers) {
            const std::string& text = texts.*m.member;
            EXPECT_FALSE(text.empty()) << m.name;
            EXPECT_TRUE(seen.insert(text).second) << m.name << " repeats another message";
            // Only the help file name is the same in every language.
            if (language != 0 && m.member != &MessageTexts::TextHelpFile) {
                EXPECT_NE(text, english.*m.member) << m.name << " is still English";
            }
        }
        EXPECT_EQ(texts.TextHelpFile, "Kordana_R_en.pdf");
        EXPECT_TRUE(texts.TextHelpOpenError.ends_with(" Kordana_R_en.pdf !"));
    }
}

TEST(MessageTextsTest, IncompleteFileNamesWhatWasMissingAndWhatWasCutShort) {
    const std::vector<std::string> missing{"IGN_2", "IGN_3", "JET_1A", "JET_2A"};
    const MessageTexts english = messageTextsFor(0);
    EXPECT_EQ(incompleteFileText(english, 12, 43, missing, {}, 2),
              "The file held 12 of 43 keys; the other parameters kept their values: IGN_2, IGN_3, "
              "...");
    EXPECT_EQ(incompleteFileText(english, 49, 50, {"IGN_2"}, {"ALARM", "END"}),
              "The file held 49 of 50 keys; the other parameters kept their values: IGN_2. Values "
              "cut short, the rest took the number read last: ALARM, END");
    EXPECT_EQ(incompleteFileText(english, 50, 50, {}, {"ALARM"}),
              "Values cut short, the rest took the number read last: ALARM");
    EXPECT_EQ(incompleteFileText(english, 50, 50, {}, {}), "");
    EXPECT_EQ(incompleteFileText(messageTextsFor(1), 0, 50, {"BIKE"}, {}),
              "Die Datei enthielt 0 von 50 Schlüsseln; die übrigen Parameter behielten ihre Werte: "
              "BIKE");
    EXPECT_EQ(
        incompleteFileText(messageTextsFor(2), 3, 50, {"BIKE"}, {}),
        "Le fichier contenait 3 clés sur 50; les autres réglages ont gardé leur valeur: BIKE");
    EXPECT_EQ(incompleteFileText(messageTextsFor(3), 3, 50, {"BIKE"}, {"END"}),
              "Soubor obsahoval 3 z 50 klíčů; ostatní parametry si ponechaly své hodnoty: BIKE. "
              "Hodnoty neúplné, zbytek dostal naposledy přečtené číslo: END");
}

TEST(MessageTextsTest, TrailingBlanksAreKept) {
    const std::array<std::size_t, 4> printDateBlanks{2, 3, 3, 2};
    for (std::uint8_t language = 0; language < 4; ++language) {
        const MessageTexts texts = messageTextsFor(language);
        const std::string& date = texts.TextPrintDate;
        const auto lastNonBlank = date.find_last_not_of(' ');
        ASSERT_NE(lastNonBlank, std::string::npos);
        EXPECT_EQ(date.size() - lastNonBlank - 1, printDateBlanks[language])
            << "language " << unsigned{language};
        ASSERT_GE(texts.TextProgCount.size(), 2u);
        EXPECT_EQ(texts.TextProgCount.back(), ' ');
        EXPECT_NE(texts.TextProgCount.at(texts.TextProgCount.size() - 2), ' ');
    }
}

TEST(MessageTextsTest, IndexAboveCzechReadsAsEnglish) {
    const MessageTexts english = messageTextsFor(0);
    for (unsigned index : {4u, 7u, 200u, 255u}) {
        const MessageTexts texts = messageTextsFor(static_cast<std::uint8_t>(index));
        for (const Member& m : kMembers) {
            EXPECT_EQ(texts.*m.member, english.*m.member) << m.name << " at index " << index;
        }
        EXPECT_EQ(texts.TextOpenFileError, "Open file error!") << index;
        EXPECT_EQ(texts.TextProgCount, "Number of Programing= ") << index;
        EXPECT_EQ(texts.TextHelpOpenError, "Error by opening file Kordana_R_en.pdf !") << index;
    }
}

} // namespace
} // namespace kordana

#include "lang/MessageTexts.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kordana {
namespace {

struct ExpectedMessage {
    const char* name;
    std::string MessageTexts::*member;
    std::array<std::string_view, 4> text; // English, German, French, Czech
};

const ExpectedMessage kExpected[] = {
    {"TextHelpFile",
     &MessageTexts::TextHelpFile,
     {"Kordana_R_en.pdf", "Kordana_R_en.pdf", "Kordana_R_en.pdf", "Kordana_R_en.pdf"}},
    {"TextProgramError",
     &MessageTexts::TextProgramError,
     {"Program error!", "Programmierfehler!", "Erreur de programmation!", "Chyba programování"}},
    {"TextVerifyError",
     &MessageTexts::TextVerifyError,
     {"Verify error!", "Vergleichsfehler", "Verifier erreur!", "Chyba verifikace!"}},
    {"TextReadError",
     &MessageTexts::TextReadError,
     {"Read error!", "Lesefehler", "Lire erreur!", "Chyba čtení!"}},
    {"TextProgramDevice",
     &MessageTexts::TextProgramDevice,
     {"Program device:", "Programmieren:", "Programmer:", "Programování:"}},
    {"TextUnmatchedUnit",
     &MessageTexts::TextUnmatchedUnit,
     {"Unmatched version of PC and Ignition programs!",
      "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
      "Programme du boitier d´alumage non compatible avec programme PC!",
      "Neshodné verze proramu v PC a zapalování!"}},
    {"TextVerify",
     &MessageTexts::TextVerify,
     {"Verify:", "Vergleichen:", "Vérifier:", "Verifikace:"}},
    {"TextRead", &MessageTexts::TextRead, {"Read:", "Lesen:", "Lire", "Čtení:"}},
    {"TextSaving",
     &MessageTexts::TextSaving,
     {"Saving:", "Speicherung:", "Mémorisation", "Ukládání:"}},
    {"TextProgCount",
     &MessageTexts::TextProgCount,
     {"Number of Programing= ", "Programmierungsanzahl= ", "Nombre de programmations= ",
      "Počet programování= "}},
    {"TextComOpenError",
     &MessageTexts::TextComOpenError,
     {"Com opening error!", "Falscher COM-Anschlußes!", "Erreur connections PC!",
      "Chyba při otevírání portu Com!"}},
    {"TextOpenFileError",
     &MessageTexts::TextOpenFileError,
     {"Open file error!", "Fehler beim öffnen der Datei!", "Erreur ouvertur fichier!",
      "Chyba při otevírání souboru!"}},
    {"TextDefaultQuery",
     &MessageTexts::TextDefaultQuery,
     {"Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?",
      "Voulez vous la programation de base?", "Chcete nastavit základní hodnoty?"}},
    {"TextUnmatchedFile",
     &MessageTexts::TextUnmatchedFile,
     {"Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!",
      "Programme du fichier non compatible avec programme PC!", "Neshodná verze souboru *.ign!"}},
    {"TextNoReading",
     &MessageTexts::TextNoReading,
     {"No reading!", "Lesen verboten!", "Pas axessible!", "Zákaz čtení!"}},
    {"TextPrintDate",
     &MessageTexts::TextPrintDate,
     {"Date and time of printing:  ", "Zeitpunkt des Ausdruckes   ",
      "Date et heur de l´imprimé:   ", "Datum a čas tisku:  "}},
    {"TextHelpOpenError",
     &MessageTexts::TextHelpOpenError,
     {"Error by opening file Kordana_R_en.pdf !", "Fehler beim öffnen der Datei Kordana_R_en.pdf !",
      "Erreur ŕ l´ouvertur du Fichier Kordana_R_en.pdf !",
      "Chyba při otevírání souboru Kordana_R_en.pdf !"}},
};

TEST(MessageTextsTest, EveryMemberHasItsExactTextInEveryLanguage) {
    static_assert(sizeof(MessageTexts) == std::size(kExpected) * sizeof(std::string),
                  "every message member needs a row here");
    for (std::uint8_t language = 0; language < 4; ++language) {
        const MessageTexts texts = messageTextsFor(language);
        for (const ExpectedMessage& e : kExpected) {
            EXPECT_EQ(texts.*e.member, e.text[language])
                << e.name << " in language " << unsigned{language};
        }
    }
}

TEST(MessageTextsTest, TableCoversEachMemberOnce) {
    for (std::size_t i = 0; i < std::size(kExpected); ++i) {
        for (std::size_t j = i + 1; j < std::size(kExpected); ++j) {
            EXPECT_NE(kExpected[i].member, kExpected[j].member) << kExpected[i].name;
        }
    }
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
        ASSERT_FALSE(texts.TextProgCount.empty());
        EXPECT_EQ(texts.TextProgCount.back(), ' ');
        EXPECT_NE(texts.TextProgCount.at(texts.TextProgCount.size() - 2), ' ');
    }
}

TEST(MessageTextsTest, HelpErrorJoinsPrefixFileNameAndMarkWithoutExtraBlanks) {
    const MessageTexts german = messageTextsFor(1);
    EXPECT_EQ(german.TextHelpOpenError,
              "Fehler beim öffnen der Datei " + german.TextHelpFile + " !");
    EXPECT_EQ(german.TextHelpOpenError, "Fehler beim öffnen der Datei Kordana_R_en.pdf !");
}

TEST(MessageTextsTest, IndexAboveCzechReadsAsEnglish) {
    const MessageTexts english = messageTextsFor(0);
    for (unsigned index : {4u, 7u, 200u, 255u}) {
        const MessageTexts texts = messageTextsFor(static_cast<std::uint8_t>(index));
        for (const ExpectedMessage& e : kExpected) {
            EXPECT_EQ(texts.*e.member, english.*e.member) << e.name << " at index " << index;
        }
    }
}

} // namespace
} // namespace kordana

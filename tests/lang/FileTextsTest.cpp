#include "lang/FileTexts.h"

#include <gtest/gtest.h>

#include <string_view>

namespace kordana {
namespace {

// Every text exists in four languages, each language its own; the texts a path follows end
// with ": ", and the two buttons differ.
TEST(FileTexts, FourLanguagesAndThePathsFollowAColon) {
    const std::string_view FileTexts::*const all[] = {
        &FileTexts::refused,       &FileTexts::cacheDamaged, &FileTexts::exitWriteError,
        &FileTexts::exitSaveQuery, &FileTexts::exitSave,     &FileTexts::exitDiscard};
    const FileTexts english = fileTextsFor(0);
    for (std::uint8_t language = 0; language < 4; ++language) {
        const FileTexts texts = fileTextsFor(language);
        for (const auto member : all) {
            EXPECT_FALSE((texts.*member).empty()) << int(language);
            if (language > 0) {
                EXPECT_NE(texts.*member, english.*member) << int(language);
            }
        }
        for (const auto member :
             {&FileTexts::refused, &FileTexts::cacheDamaged, &FileTexts::exitWriteError}) {
            EXPECT_TRUE((texts.*member).ends_with(": ")) << texts.*member;
        }
        EXPECT_NE(texts.exitSave, texts.exitDiscard);
    }
    EXPECT_EQ(fileTextsFor(7).exitSave, "Save");
    EXPECT_EQ(fileTextsFor(1).exitDiscard, "Schließen ohne Speichern");
    EXPECT_EQ(fileTextsFor(3).exitSave, "Uložit");
}

} // namespace
} // namespace kordana

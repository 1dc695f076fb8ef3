#pragma once

#include "shell/Feature.h"

namespace kordana {

/// The Language menu, and the language tables applied to every control of the window by its
/// objectName: captions, item lists and hints. Installed first, so every other feature applies
/// a language over the tables' texts.
class LanguageFeature final : public Feature {
public:
    void install(Shell& shell) override;
    void applyLanguage(std::uint8_t index) override;

    void MenuEnglishClick();
    void MenuGermanClick();
    void MenuCzechClick();
    void MenuFrenchClick();

private:
    void selectLanguage(std::uint8_t index);

    Shell* m_shell = nullptr;
};

} // namespace kordana

#pragma once

#include "shell/Feature.h"

#include <QString>

namespace kordana {

class Shell;
class TFormAbout;

/// Help > Contents... (the help document in the desktop's viewer) and Help > About....
class HelpFeature final : public Feature {
public:
    void install(Shell& shell) override;

    /// The about box, made at install.
    TFormAbout* aboutBox() const { return m_about; }
    /// Opens the help document of the current language, or says it cannot.
    void MenuContensClick();
    /// Shows the about box in the current language (modal).
    void MenuAboutClick();

private:
    QString helpDocumentPath() const;

    Shell* m_shell = nullptr;
    TFormAbout* m_about = nullptr;
};

} // namespace kordana

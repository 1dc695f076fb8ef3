#pragma once

#include "shell/Feature.h"

namespace kordana {

class Shell;

/// File > Export tune sheet...: the current parameter set as a multi-page PDF tune sheet.
class TuneSheetFeature final : public Feature {
public:
    void install(Shell& shell) override;

    /// Asks where, then writes the current set as a PDF tune sheet and reports the outcome in
    /// the status line.
    void MenuTuneSheetClick();

private:
    Shell* m_shell = nullptr;
};

} // namespace kordana

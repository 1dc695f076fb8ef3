#pragma once

#include "report/PrintView.h"
#include "shell/Feature.h"

#include <QString>

#include <functional>
#include <string>

class QPixmap;

namespace kordana {

/// File > Print (and the tool bar's print button) and File > Print to PDF...: the window in
/// its print view, as one page on the default printer or in a PDF file.
class PrintFeature final : public Feature {
public:
    void install(Shell& shell) override;

    void SpeedButtonPrintClick();
    /// File > Print to PDF...: the printout's picture as a one-page PDF file chosen in a dialog.
    void MenuPrintPdfClick();

private:
    void SetPrintView();
    void printWindow(const std::function<bool(const QPixmap&)>& output, const std::string& failure);
    void showPrintStamp();
    QString proposedPdfPath() const;

    Shell* m_shell = nullptr;
    bool m_printing = false; // `Printing`: the print view is shown
    PrintView m_printView;
};

} // namespace kordana

// The printout: a picture of the window in its print view, on the default printer or in a PDF
// file, with the date and time of printing in the status line.
#include "app/TFormHlav.h"

#include "app/StatusLine.h"
#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "link/LinkProtocol.h"
#include "report/PrintPage.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPushButton>
#include <QTabWidget>

namespace kordana {

namespace {

// What the print view hides, in the order it hides them. A named up-down field loses only
// its arrows; a curve group loses the arrows of all its fields (both rows). The map grid's
// controls have no names and come from the grid itself. The window has no logos and no colour
// bars of its own, so the window's part is the status bar, the tool bar and LabelSpojeni.
enum class PrintEntry { Control, CurveGroup, MapGrid };

const struct {
    PrintEntry kind;
    const char* name;
} kPrintView[] = {
    {PrintEntry::Control, "StatusBar1"},
    {PrintEntry::Control, "GroupBoxToolBar"},
    {PrintEntry::Control, "LabelSpojeni"},
    {PrintEntry::MapGrid, nullptr},
    {PrintEntry::CurveGroup, "GroupBoxPolohaA"},
    {PrintEntry::CurveGroup, "GroupBoxPolohaB"},
    {PrintEntry::CurveGroup, "GroupBoxServo"},
    {PrintEntry::CurveGroup, "GroupBoxTlak"},
    {PrintEntry::CurveGroup, "GroupBoxRetard"},
    {PrintEntry::CurveGroup, "GroupBoxVodaVzduch"},
    {PrintEntry::Control, "ButtonMinus_PolohaA"},
    {PrintEntry::Control, "ButtonPlus_PolohaA"},
    {PrintEntry::Control, "CheckBoxAll_PolohaA"},
    {PrintEntry::Control, "ButtonMinus_PolohaB"},
    {PrintEntry::Control, "ButtonPlus_PolohaB"},
    {PrintEntry::Control, "CheckBoxAll_PolohaB"},
    {PrintEntry::Control, "EditServoHyster"},
    {PrintEntry::Control, "ButtonMinus_Servo"},
    {PrintEntry::Control, "ButtonPlus_Servo"},
    {PrintEntry::Control, "CheckBoxAll_Servo"},
    {PrintEntry::Control, "EditOmez1"},
    {PrintEntry::Control, "EditOmez2"},
    {PrintEntry::Control, "EditOmez3"},
    {PrintEntry::Control, "EditPowerOut1a"},
    {PrintEntry::Control, "EditPowerOut1b"},
    {PrintEntry::Control, "EditPowerOut2a"},
    {PrintEntry::Control, "EditPowerOut2b"},
    {PrintEntry::Control, "EditPowerOut3a"},
    {PrintEntry::Control, "EditPowerOut3b"},
    {PrintEntry::Control, "EditStartJet"},
    {PrintEntry::Control, "EditTps0"},
    {PrintEntry::Control, "EditTps100"},
    {PrintEntry::Control, "ButtonTps0"},
    {PrintEntry::Control, "ButtonTps100"},
    {PrintEntry::Control, "EditAkcelPrah"},
    {PrintEntry::Control, "EditAkcelJet"},
    {PrintEntry::Control, "CheckBoxExtMonitor"},
    {PrintEntry::Control, "EditTempWarning"},
    {PrintEntry::Control, "EditSyticCas1"},
    {PrintEntry::Control, "EditSyticCas2"},
    {PrintEntry::Control, "EditSyticCas3"},
    {PrintEntry::Control, "EditSyticCas4"},
    {PrintEntry::Control, "EditSyticKorekce0"},
    {PrintEntry::Control, "EditSyticKorekce1"},
    {PrintEntry::Control, "EditSyticKorekce2"},
    {PrintEntry::Control, "EditSyticKorekce3"},
    {PrintEntry::Control, "CGaugeRpm"},
    {PrintEntry::Control, "CGaugeTps"},
    {PrintEntry::Control, "CGaugeLambda"},
    {PrintEntry::Control, "CGaugeVoda"},
};

// The row labels turn white in either view; the next operating-point mark colours them again.
void hideMapGrid(PrintView& view, MapGrid& grid) {
    for (int c = 0; c < MapGrid::kCols; ++c) {
        view.hide(grid.breakpoint(c));
    }
    grid.whitenRowLabels();
    for (int r = 0; r < MapGrid::kRows; ++r) {
        for (int c = 0; c < MapGrid::kCols; ++c) {
            view.hide(grid.cell(r, c));
        }
    }
    for (int c = 0; c < MapGrid::kCols; ++c) {
        view.hide(grid.columnSpinButton(c));
    }
    view.hide(grid.minusButton());
    view.hide(grid.plusButton());
    view.hide(grid.allCheckBox());
}

} // namespace

void TFormHlav::SpeedButtonPrintClick() {
    printWindow(
        [this](const QPixmap& picture) {
            const std::unique_ptr<QPagedPaintDevice> printer = m_desktop->defaultPrinter();
            return printer != nullptr && printOnePage(picture, *printer);
        },
        m_texts.TextPrintError);
}

void TFormHlav::MenuPrintPdfClick() {
    const QString path = m_desktop->pdfFileName(this, proposedPdfPath());
    if (path.isEmpty()) {
        return;
    }
    QString reason;
    printWindow(
        [this, &path, &reason](const QPixmap& picture) {
            return writePdfPage(picture, path, windowTitle(), &reason);
        },
        m_texts.TextOpenFileError);
    if (!reason.isEmpty()) {
        // The status line has said the error; the reason follows it.
        m_statusLine->showStatus(QString::fromStdString(m_texts.TextOpenFileError) + " " + reason,
                                 true);
    }
}

QString TFormHlav::proposedPdfPath() const {
    if (m_lastFilePath.isEmpty()) {
        return {};
    }
    const QFileInfo last(m_lastFilePath);
    return last.dir().filePath(last.completeBaseName() + ".pdf");
}

// Shows the print view, hands its picture to `output`, and returns to the normal view. When
// `output` fails (no printer, a file that cannot be written), the status line says `failure`.
void TFormHlav::printWindow(const std::function<bool(const QPixmap&)>& output,
                            const std::string& failure) {
    showPrintStamp();
    m_printView.whiteBackground(*this);
    m_statusLine->setGaugeVisible(false);
    m_printing = true;
    SetPrintView();

    const bool printed = output(clientAreaPicture(*this));

    m_printing = false;
    SetPrintView();
    m_link->setPrinting(false);
    // The coupling modes hide their tabs again and lock a slave page's grid.
    ShowCouplingIndicators();
    if (!printed) {
        m_statusLine->showStatus(QString::fromStdString(failure), true);
        m_link->holdWindowStatus();
    }
}

void TFormHlav::showPrintStamp() {
    m_statusLine->showStamp(printStamp(QString::fromStdString(m_texts.TextPrintDate),
                                       QDateTime::currentDateTime(), QLocale::system()));
    // The no-connection label is kept out of the picture and comes back with the normal view.
    m_printView.hide(findChild<QLabel*>("LabelSpojeni"));
    m_link->setPrinting(true);
    m_link->holdWindowStatus();
}

void TFormHlav::SetPrintView() {
    if (!m_printing) {
        m_printView.restore();
        m_mapGrid->whitenRowLabels();
        return;
    }
    for (const auto& entry : kPrintView) {
        switch (entry.kind) {
        case PrintEntry::Control:
            m_printView.hide(findChild<QWidget*>(entry.name));
            break;
        case PrintEntry::CurveGroup:
            if (const auto* group = findChild<QGroupBox*>(entry.name)) {
                for (UpDownEdit* field : group->findChildren<UpDownEdit*>()) {
                    m_printView.hide(field);
                }
            }
            break;
        case PrintEntry::MapGrid:
            hideMapGrid(m_printView, *m_mapGrid);
            break;
        }
    }
    m_printView.hideOtherTabs(*m_pageControl, activePageIndex());
}

} // namespace kordana

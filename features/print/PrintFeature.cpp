// The printout: a picture of the window in its print view, on the default printer or in a PDF
// file, with the date and time of printing in the status line.
#include "features/print/PrintFeature.h"

#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "report/PrintPage.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"
#include "shell/StatusLine.h"

#include <QAbstractButton>
#include <QAction>
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

void PrintFeature::install(Shell& shell) {
    m_shell = &shell;
    QAction* print = shell.addMenuItem({"MenuPrint", "&Print", "Ctrl+P"});
    QObject::connect(print, &QAction::triggered, print, [this] { SpeedButtonPrintClick(); });
    QAbstractButton* button =
        shell.addToolButton({"SpeedButtonPrint", nullptr, ToolBarGlyph::Print});
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [this] { SpeedButtonPrintClick(); });
    QAction* pdf = shell.addMenuItem({"MenuPrintPdf", "Print to PDF..."});
    QObject::connect(pdf, &QAction::triggered, pdf, [this] { MenuPrintPdfClick(); });
}

void PrintFeature::SpeedButtonPrintClick() {
    printWindow(
        [this](const QPixmap& picture) {
            const std::unique_ptr<QPagedPaintDevice> printer = m_shell->desktop().defaultPrinter();
            return printer != nullptr && printOnePage(picture, *printer);
        },
        m_shell->texts().TextPrintError);
}

void PrintFeature::MenuPrintPdfClick() {
    const QString path = m_shell->desktop().pdfFileName(&m_shell->mainWindow(), proposedPdfPath());
    if (path.isEmpty()) {
        return;
    }
    QString reason;
    printWindow(
        [this, &path, &reason](const QPixmap& picture) {
            return writePdfPage(picture, path, m_shell->mainWindow().windowTitle(), &reason);
        },
        m_shell->texts().TextOpenFileError);
    if (!reason.isEmpty()) {
        // The status line has said the error; the reason follows it.
        m_shell->statusLine().showStatus(
            QString::fromStdString(m_shell->texts().TextOpenFileError) + " " + reason, true);
    }
}

// The last parameter file's name with the printed page's caption ("tune-Jet 1A.pdf"), so
// prints of several pages and the tune sheet do not take each other's names.
QString PrintFeature::proposedPdfPath() const {
    const QString& lastFile = m_shell->lastFilePath();
    if (lastFile.isEmpty()) {
        return {};
    }
    const QFileInfo last(lastFile);
    QString page = m_shell->pageCaption(m_shell->activePageIndex());
    page.remove('&');
    return last.dir().filePath(last.completeBaseName() + "-" + page + ".pdf");
}

// Shows the print view, hands its picture to `output`, and returns to the normal view. When
// `output` fails (no printer, a file that cannot be written), the status line says `failure`.
void PrintFeature::printWindow(const std::function<bool(const QPixmap&)>& output,
                               const std::string& failure) {
    showPrintStamp();
    m_printView.whiteBackground(m_shell->mainWindow());
    m_shell->statusLine().setGaugeVisible(false);
    m_printing = true;
    SetPrintView();

    const bool printed = output(clientAreaPicture(m_shell->mainWindow()));

    m_printing = false;
    SetPrintView();
    // The link shows its messages again; the coupling modes hide their tabs again and lock a
    // slave page's grid.
    emit m_shell->hub().printingChanged(false);
    if (!printed) {
        m_shell->statusLine().showStatus(QString::fromStdString(failure), true);
        emit m_shell->hub().statusHeld();
    }
}

void PrintFeature::showPrintStamp() {
    m_shell->statusLine().showStamp(
        printStamp(QString::fromStdString(m_shell->texts().TextPrintDate),
                   QDateTime::currentDateTime(), QLocale::system()));
    // The no-connection label is kept out of the picture and comes back with the normal view.
    m_printView.hide(m_shell->mainWindow().findChild<QLabel*>("LabelSpojeni"));
    emit m_shell->hub().printingChanged(true);
}

void PrintFeature::SetPrintView() {
    if (!m_printing) {
        m_printView.restore();
        m_shell->mapGrid().whitenRowLabels();
        return;
    }
    for (const auto& entry : kPrintView) {
        switch (entry.kind) {
        case PrintEntry::Control:
            m_printView.hide(m_shell->mainWindow().findChild<QWidget*>(entry.name));
            break;
        case PrintEntry::CurveGroup:
            if (const auto* group = m_shell->mainWindow().findChild<QGroupBox*>(entry.name)) {
                for (UpDownEdit* field : group->findChildren<UpDownEdit*>()) {
                    m_printView.hide(field);
                }
            }
            break;
        case PrintEntry::MapGrid:
            hideMapGrid(m_printView, m_shell->mapGrid());
            break;
        }
    }
    m_printView.hideOtherTabs(m_shell->pageControl(), m_shell->activePageIndex());
}

} // namespace kordana

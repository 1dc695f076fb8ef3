// Every caption the language tables give a check box, radio button, push button or label of the
// main window fits that control in all four languages: nothing is clipped. The tool bar's row
// is measured at its fullest, with the status message, the gauge and the no-connection label
// shown beside the buttons.
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
#include <QTimer>

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

// A caption change re-lays out the control's box first and the window's row a round later.
void settleLayouts() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
    }
}

TEST_F(CaptionFit, EveryCaptionFitsItsControlInEveryLanguage) {
    TFormHlav& form = createForm();
    const QSize designed = form.size();
    // The ticks are driven here: after 19 without a unit the no-connection label shows.
    form.findChild<QTimer*>("Timer1")->stop();
    for (int tick = 0; tick < 19; ++tick) {
        form.Timer1Timer();
    }
    auto* pages = childNamed<QTabWidget>(form, "PageControl1");
    const char* const languages[] = {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"};
    // The captioned buttons and labels of the window itself (not of its dialogs).
    std::vector<std::pair<const CaptionRow*, QWidget*>> controls;
    for (const CaptionRow& row : captionTable()) {
        for (std::string_view name : row.controls) {
            const QString objectName =
                QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
            for (QWidget* control : form.findChildren<QWidget*>(objectName)) {
                if (control->window() == &form &&
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
        form.action("MenuProgram")->trigger(); // no unit: the status line shows and stays
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            settleLayouts();
            ASSERT_TRUE(childNamed<QWidget>(form, "LabelHlaseni")->isVisible());
            ASSERT_TRUE(childNamed<QWidget>(form, "LabelSpojeni")->isVisible());
            EXPECT_EQ(form.size(), designed) << "the captions do not widen the window";
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

// A message longer than the room the row leaves is cut short on screen; the window keeps its
// size and the label its whole text, which the tool tip shows.
TEST_F(CaptionFit, ALongStatusMessageNarrowsInsteadOfWideningTheWindow) {
    TFormHlav& form = createForm();
    const QSize designed = form.size();
    const QString message = QString("Cannot write /home/technician/tunes/").repeated(4);
    form.showStatus(message, true);
    childNamed<QWidget>(form, "LabelHlaseni")->show();
    settleLayouts();
    const auto* label = childNamed<QLabel>(form, "LabelHlaseni");
    EXPECT_EQ(form.size(), designed);
    EXPECT_LT(label->width(), QFontMetrics(label->font()).horizontalAdvance(message));
    EXPECT_EQ(label->text(), message);
    EXPECT_EQ(label->toolTip(), message);
}

} // namespace
} // namespace kordana

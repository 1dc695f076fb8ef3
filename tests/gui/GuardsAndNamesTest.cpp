// Guards and names: "No Reading" is checked only once confirmed, and the set's file shows
// beside where the set stands.
#include "CommandFixture.h"

#include "features/files/FilesFeature.h"
#include "params/ImageLayout.h"
#include "params/ParameterTable.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>

namespace kordana {
namespace {

using GuardsAndNames = testing::CommandFixture;

std::size_t noReadingByte() {
    return ParameterTable::instance().find("NO_READING")->elements[0].index;
}

TEST_F(GuardsAndNames, NoReadingIsCheckedOnlyWhenTheQuestionIsAnsweredYes) {
    TFormHlav& f = openCommandForm();
    childNamed<QTabWidget>(f, "PageControl1")->setCurrentIndex(12);
    auto* box = childNamed<QCheckBox>(f, "CheckBoxZakazCteni");
    const std::string question = "After the next programming the unit refuses to be read: keep "
                                 "your own copy of this set. Check it?";
    const struct {
        TFormHlav::Answer answer;
        bool checked;
    } answers[] = {{TFormHlav::Answer::No, false}, {TFormHlav::Answer::Yes, true}};
    for (const auto& a : answers) {
        messages.clear();
        nextAnswer = a.answer;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].toStdString(), question);
        EXPECT_EQ(box->isChecked(), a.checked);
        EXPECT_EQ(f.session().image()[noReadingByte()], a.checked ? 1 : 0);
    }
    messages.clear();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    EXPECT_TRUE(messages.empty()) << "clearing it asks nothing";
    EXPECT_EQ(f.session().image()[noReadingByte()], 0);
}

TEST_F(GuardsAndNames, TheSetsFileShowsInTheSetStateField) {
    TFormHlav& f = openCommandForm();
    auto* file = childNamed<QLabel>(f, "LabelSetFile");
    EXPECT_EQ(file->text(), "");
    ASSERT_TRUE(f.feature<FilesFeature>()->saveParameterFile(path("customer.ign")));
    EXPECT_EQ(file->text(), "customer.ign");
    EXPECT_EQ(file->toolTip(), QDir::toNativeSeparators(path("customer.ign")));
    nextAnswer = TFormHlav::Answer::Yes;
    f.action("MenuNew")->trigger();
    EXPECT_EQ(file->text(), "") << "New comes from no file";
}

} // namespace
} // namespace kordana

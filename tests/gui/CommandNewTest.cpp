#include "CommandFixture.h"

#include <QSignalSpy>

namespace kordana {
namespace {

using CommandNew = testing::CommandFixture;
using Answer = TFormHlav::Answer;

TEST_F(CommandNew, AnythingButYesChangesNothing) {
    TFormHlav& f = openCommandForm();
    storedCell(0, 2, 3) = 55;
    setImageByte(f, layout::kLimiter, 150);
    f.PageRefresh();
    f.hub().nameSetFile("/somewhere/tuned.ign");
    const ParameterImage before = f.session().image();

    for (Answer answer : {Answer::Cancel, Answer::No}) {
        messages.clear();
        nextAnswer = answer;
        press(Qt::Key_N, Qt::ControlModifier);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], "Do you want default setting?");
        EXPECT_EQ(f.session().image(), before);
        EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text(), "/somewhere/tuned.ign");
        EXPECT_EQ(text(cell(2, 3)), "55");
    }
}

TEST_F(CommandNew, YesWithPresetThreeShowsItsDefaultsAndForgetsTheFile) {
    TFormHlav& f = openCommandForm();
    f.hub().nameSetFile("/somewhere/tuned.ign");
    showPresetChoice();
    nextAnswer = Answer::Yes;
    choosePreset(3);

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(f.session().image()[layout::kBike], 3);
    EXPECT_EQ(childNamed<QComboBox>(f, "ComboBoxBike")->currentIndex(), 3);
    EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text(), "");
    const ParameterImage expected = defaultsFor(f.session().image(), 3);
    EXPECT_EQ(f.session().image(), expected);

    // The maps show preset 3: first row of its ignition table, three-injector B maps at 0.
    clickTab(0);
    const int row0[] = {16, 16, 15, 18, 22, 26, 26, 30, 22, 26, 32, 30, 28, 27, 27};
    for (int c = 0; c < 15; ++c) {
        EXPECT_EQ(text(cell(0, c)), QString::number(row0[c])) << "column " << c;
    }
    clickTab(6);
    EXPECT_EQ(text(cell(9, 14)), "0");
}

TEST_F(CommandNew, PresetAnsweredNoKeepsTheMapsAndALaterNewUsesIt) {
    TFormHlav& f = openCommandForm();
    storedCell(3, 0, 0) = 99;
    const ParameterImage before = f.session().image();
    showPresetChoice();
    EXPECT_EQ(childNamed<QComboBox>(f, "ComboBoxBike")->currentIndex(), 0);

    nextAnswer = Answer::No;
    choosePreset(2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(f.session().image()[layout::kBike], 2);
    EXPECT_EQ(childNamed<QComboBox>(f, "ComboBoxBike")->currentIndex(), 2);
    ParameterImage onlyBike = before;
    onlyBike[layout::kBike] = 2;
    EXPECT_EQ(f.session().image(), onlyBike) << "only BIKE changes";

    nextAnswer = Answer::Yes;
    press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(f.session().image(), defaultsFor(onlyBike, 2));
    EXPECT_EQ(f.session().image()[layout::kMode + 1], 2) << "three injectors: all equal";
}

TEST_F(CommandNew, RefreshAndLanguageChangeSelectThePresetWithoutAsking) {
    TFormHlav& f = openCommandForm();
    QComboBox* combo = showPresetChoice();
    setImageByte(f, layout::kBike, 1);
    f.PageRefresh();
    EXPECT_EQ(combo->currentIndex(), 1);

    f.action("MenuGerman")->trigger();
    EXPECT_EQ(combo->itemText(0), QString::fromUtf8("6 Einspritzdüsen Benzin 100+ oct."));
    EXPECT_EQ(combo->currentIndex(), 1) << "the refresh after the new list selects again";
    EXPECT_EQ(f.findChild<QLabel*>("LabelBike")->text(), "Motor und Brennstoff");

    // A file that sets another preset is shown, not asked about.
    setImageByte(f, layout::kBike, 3);
    writeText(path("three.ign"), IgnWriter::write(f.session().image(), false));
    setImageByte(f, layout::kBike, 1);
    chosenPath = path("three.ign");
    press(Qt::Key_F3);
    EXPECT_EQ(combo->currentIndex(), 3);
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();

    // A language change while another page is active: shown right once the page is.
    clickTab(0);
    f.action("MenuEnglish")->trigger();
    clickTab(12);
    EXPECT_EQ(combo->currentIndex(), 3);
    EXPECT_TRUE(messages.empty());
}

TEST_F(CommandNew, EnterInThePresetChoiceCommitsWithoutAsking) {
    TFormHlav& f = openCommandForm();
    QComboBox* combo = showPresetChoice();
    ASSERT_EQ(combo->currentIndex(), 0);
    setImageByte(f, layout::kBike, 2); // behind the list's back: the harvest stores 0 again
    // A byte this page does not show (its own controls would store their values again).
    setImageByte(f, layout::mapCell(0, 0, 0), 70); // the consistency pass lowers it to 60
    combo->setFocus();
    ASSERT_TRUE(combo->hasFocus());
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(f.session().image()[layout::kBike], 0);
    EXPECT_EQ(f.session().image()[layout::mapCell(0, 0, 0)], 60);
    EXPECT_FALSE(combo->hasFocus()) << "the focus moves on";
    EXPECT_TRUE(messages.empty()) << "no New question";
}

TEST_F(CommandNew, ToolBarButtonAsksTheSameQuestion) {
    TFormHlav& f = openCommandForm();
    setImageByte(f, layout::kBike, 1);
    nextAnswer = Answer::Yes;
    QTest::mouseClick(f.findChild<QWidget*>("SpeedButton6"), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Do you want default setting?");
    EXPECT_EQ(f.session().image(), defaultsFor(f.session().image(), 1));
}

} // namespace
} // namespace kordana

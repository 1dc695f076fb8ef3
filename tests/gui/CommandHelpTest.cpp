#include "CommandFixture.h"

#include "about/TFormAbout.h"
#include "features/help/HelpFeature.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTimer>

namespace kordana {
namespace {

using CommandHelp = testing::CommandFixture;

TEST_F(CommandHelp, MissingDocumentIsReported) {
    TFormHlav& f = openCommandForm();
    desktop().programDirectory = path("bin");
    press(Qt::Key_F1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Error by opening file Kordana_R_en.pdf !");
    EXPECT_TRUE(openedDocuments.empty()) << "a missing file is not handed to the desktop";

    f.action("MenuGerman")->trigger();
    press(Qt::Key_F1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], QString::fromUtf8("Fehler beim öffnen der Datei Kordana_R_en.pdf !"));
}

TEST_F(CommandHelp, DocumentInTheProgramFolderIsOpened) {
    openCommandForm();
    QDir().mkpath(path("bin"));
    writeText(path("bin/Kordana_R_en.pdf"), "%PDF-1.4\n");
    desktop().programDirectory = path("bin");
    press(Qt::Key_F1);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(openedDocuments.size(), 1u);
    EXPECT_EQ(openedDocuments[0], QUrl::fromLocalFile(path("bin/Kordana_R_en.pdf")));

    documentOpens = false; // no viewer
    press(Qt::Key_F1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Error by opening file Kordana_R_en.pdf !");
}

TEST_F(CommandHelp, BuiltDocumentLiesBesideTheProgram) {
    // The build puts the help document into the program's folder, where this test runs too.
    const QByteArray dir = qgetenv("KORDANA_BIN_DIR");
    const QString bin =
        dir.isEmpty() ? QCoreApplication::applicationDirPath() : QString::fromLocal8Bit(dir);
    const auto pdf = readWholeFile(bin + "/Kordana_R_en.pdf");
    ASSERT_TRUE(pdf.has_value());
    EXPECT_EQ(pdf->rfind("%PDF-", 0), 0u);
    EXPECT_GT(pdf->size(), 10000u);
}

// Every picture the manual's source names is in the document: one image each, taken from the
// window when the document was built.
TEST_F(CommandHelp, BuiltDocumentHoldsEveryPictureOfItsSource) {
    const QByteArray dir = qgetenv("KORDANA_BIN_DIR");
    const QString bin =
        dir.isEmpty() ? QCoreApplication::applicationDirPath() : QString::fromLocal8Bit(dir);
    const auto pdf = readWholeFile(bin + "/Kordana_R_en.pdf");
    const auto source = readWholeFile(QStringLiteral(QT_TESTCASE_SOURCEDIR) + "/../docs/manual.md");
    ASSERT_TRUE(pdf.has_value());
    ASSERT_TRUE(source.has_value());
    const auto count = [](const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + what.size())) {
            ++n;
        }
        return n;
    };
    EXPECT_GE(count(*source, "!["), 10u);
    EXPECT_EQ(count(*pdf, "/Subtype /Image"), count(*source, "!["));
    EXPECT_EQ(count(*source, "[[CONTENTS]]"), 1u);
}

TEST_F(CommandHelp, AboutBoxIsModalAndClosesOnOk) {
    TFormHlav& f = openCommandForm();
    bool seen = false;
    QTimer::singleShot(0, &f, [&] {
        auto* box = qobject_cast<TFormAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_TRUE(box->isModal());
        EXPECT_EQ(box->windowTitle(), "About Kordana_R");
        EXPECT_EQ(box->size(), QSize(662, 568));
        EXPECT_TRUE(QRegularExpression("^[A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4}$")
                        .match(box->LabelDate->text())
                        .hasMatch())
            << box->LabelDate->text().toStdString();
        EXPECT_TRUE(QRegularExpression("^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$")
                        .match(box->LabelTime->text())
                        .hasMatch())
            << box->LabelTime->text().toStdString();
        EXPECT_EQ(box->LabelExit->text(), "OK");
        QTest::mouseClick(box->LabelExit, Qt::LeftButton);
    });
    f.action("MenuAbout")->trigger(); // returns once the box is closed
    EXPECT_TRUE(seen);
    ASSERT_NE(f.feature<HelpFeature>()->aboutBox(), nullptr);
    EXPECT_FALSE(f.feature<HelpFeature>()->aboutBox()->isVisible());

    // The same box each time, where the user left it, titled in the language of the moment.
    TFormAbout* first = f.feature<HelpFeature>()->aboutBox();
    const QPoint centred = first->pos();
    first->move(centred + QPoint(40, 30));
    f.action("MenuGerman")->trigger();
    QString title;
    QPoint shownAt;
    QTimer::singleShot(0, &f, [&] {
        QWidget* box = QApplication::activeModalWidget();
        title = box->windowTitle();
        shownAt = box->pos();
        box->close();
    });
    f.feature<HelpFeature>()->MenuAboutClick();
    EXPECT_EQ(f.feature<HelpFeature>()->aboutBox(), first);
    EXPECT_EQ(title, QString::fromUtf8("Über Programm Kordana_R"));
    EXPECT_EQ(shownAt, centred + QPoint(40, 30));
    const QString titles[] = {"About Kordana_R", QString::fromUtf8("Über Programm Kordana_R"),
                              "Information Kordana_R", "O programu Kordana_R"};
    for (std::uint8_t language = 0; language < 4; ++language) {
        EXPECT_EQ(TFormAbout::titleFor(language), titles[language]);
    }
    EXPECT_EQ(first->LabelProgramVersion->text(), "Version 0.9.0");
    EXPECT_EQ(TFormAbout::versionFor(3), "Verze 0.9.0");
}

} // namespace
} // namespace kordana

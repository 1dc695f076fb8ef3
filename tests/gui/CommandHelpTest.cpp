#include "CommandFixture.h"

#include "about/TFormAbout.h"

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

TEST_F(CommandHelp, AboutBoxIsModalAndClosesOnOk) {
    TFormHlav& f = openCommandForm();
    bool seen = false;
    QTimer::singleShot(0, &f, [&] {
        auto* box = qobject_cast<TFormAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_TRUE(box->isModal());
        EXPECT_EQ(box->windowTitle(), "Kordana");
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
    ASSERT_NE(f.aboutBox(), nullptr);
    EXPECT_FALSE(f.aboutBox()->isVisible());

    // The same box each time.
    TFormAbout* first = f.aboutBox();
    QTimer::singleShot(0, &f, [] { QApplication::activeModalWidget()->close(); });
    f.MenuAboutClick();
    EXPECT_EQ(f.aboutBox(), first);
}

} // namespace
} // namespace kordana

// File > Export tune sheet: the current set as a PDF, the outcome on the status line.
#include "CommandFixture.h"
#include "features/files/FilesFeature.h"

#include <QAction>
#include <QFile>
#include <QProcess>

namespace kordana {
namespace {

using CommandTuneSheet = testing::CommandFixture;

QString statusText(const TFormHlav& f) {
    return childNamed<QLabel>(f, "LabelHlaseni")->text();
}

bool statusRed(const TFormHlav& f) {
    const QLabel* label = childNamed<QLabel>(f, "LabelHlaseni");
    return label->palette().color(QPalette::Window) == QColor(Qt::red);
}

TEST_F(CommandTuneSheet, WritesTheOpenedSetInTheWindowsLanguage) {
    TFormHlav& f = openCommandForm();
    writeText(path("tuned.ign"), IgnWriter::write(f.session().image(), false));
    ASSERT_TRUE(f.feature<FilesFeature>()->openParameterFile(path("tuned.ign")));
    f.action("MenuGerman")->trigger();
    EXPECT_EQ(f.action("MenuTuneSheet")->text(), "Einstellblatt exportieren...");
    QString start;
    desktop().pdfDialog = [&](const QString& proposed) {
        start = proposed;
        return path("sheet.pdf");
    };

    f.action("MenuTuneSheet")->trigger();
    EXPECT_EQ(start, path("tuned-sheet.pdf")) << "the dialog proposes the set's own name";
    EXPECT_EQ(statusText(f), "Einstellblatt geschrieben: " + path("sheet.pdf"));
    EXPECT_TRUE(childNamed<QLabel>(f, "LabelHlaseni")->isVisible());
    EXPECT_FALSE(statusRed(f));
    QProcess text;
    text.start("pdftotext", {"-layout", path("sheet.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished());
    EXPECT_TRUE(text.readAllStandardOutput().simplified().contains("Datei: tuned.ign"));
}

TEST_F(CommandTuneSheet, FailureIsShownInRedAndCancelWritesNothing) {
    TFormHlav& f = openCommandForm();
    desktop().pdfDialog = [](const QString&) { return QString(); };
    f.action("MenuTuneSheet")->trigger();
    EXPECT_FALSE(childNamed<QLabel>(f, "LabelHlaseni")->isVisible());

    const QString missing = path("no-such-folder/sheet.pdf");
    desktop().pdfDialog = [&](const QString&) { return missing; };
    f.action("MenuTuneSheet")->trigger();
    EXPECT_TRUE(statusText(f).startsWith("Tune sheet error! " + missing + ": "))
        << statusText(f).toStdString();
    EXPECT_TRUE(statusRed(f));
    EXPECT_FALSE(QFile::exists(missing));
}

} // namespace
} // namespace kordana

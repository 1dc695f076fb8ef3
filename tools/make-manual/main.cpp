// kordana-make-manual: turns the user manual's Markdown source into the PDF help document.
// Usage: kordana-make-manual SOURCE.md OUTPUT.pdf
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <cstdio>

namespace {

constexpr int kResolution = 300; // dots per inch of the PDF's page coordinates

/// Tables of the Markdown reader come without padding; give them air and thin rules.
void styleTables(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextTable* table = QTextCursor(block).currentTable();
        if (table == nullptr || table->firstCursorPosition().block() != block) {
            continue;
        }
        QTextTableFormat format = table->format();
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(0x90, 0x90, 0x90));
        table->setFormat(format);
    }
}

int fail(const char* what, const QString& path) {
    std::fprintf(stderr, "kordana-make-manual: %s: %s\n", what, qPrintable(path));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: kordana-make-manual SOURCE.md OUTPUT.pdf\n");
        return 2;
    }
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly)) {
        return fail("cannot read", args[1]);
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QTextDocument document;
    QFont font("DejaVu Sans");
    font.setPointSizeF(10.0);
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    document.setMetaInformation(QTextDocument::DocumentTitle, "Kordana — User Manual");
    styleTables(document);

    // Written beside the target first, so an interrupted build never leaves a broken document.
    const QString target = QFileInfo(args[2]).absoluteFilePath();
    QTemporaryFile scratch(target + ".XXXXXX");
    if (!scratch.open()) {
        return fail("cannot create", target);
    }
    {
        QPdfWriter writer(&scratch);
        writer.setResolution(kResolution);
        writer.setTitle("Kordana — User Manual");
        writer.setCreator("kordana-make-manual");
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter));
        document.print(&writer);
    }
    scratch.flush();
    if (scratch.size() == 0) {
        return fail("nothing written to", target);
    }
    QFile::remove(target);
    if (!scratch.rename(target)) {
        return fail("cannot write", target);
    }
    scratch.setAutoRemove(false);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
    return 0;
}

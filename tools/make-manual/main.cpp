// kordana-make-manual: turns the user manual's Markdown source into the PDF help document.
// Usage: kordana-make-manual SOURCE.md OUTPUT.pdf [PICTURES]
// A line "[[CONTENTS]]" becomes the table of contents: every chapter ("## ") with its page.
// Pictures ("![text](NAME.png)") are taken from the folder PICTURES and scaled to the text
// width; a picture the folder lacks fails the build.
#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextTable>

#include <algorithm>
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

constexpr auto kContentsMarker = "[[CONTENTS]]";
constexpr auto kContentsTitle = "Contents"; // the chapter that holds the table

struct Chapter {
    QString title;
    int page = 0;
};

/// The chapters ("## " headings) of a laid-out document with the page each begins on.
QList<Chapter> chaptersOf(QTextDocument& document) {
    QList<Chapter> chapters;
    document.pageCount(); // lays the document out
    const qreal pageHeight = document.pageSize().height();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 2 && block.text() != kContentsTitle) {
            const qreal top = document.documentLayout()->blockBoundingRect(block).top();
            chapters.push_back({block.text(), static_cast<int>(top / pageHeight) + 1});
        }
    }
    return chapters;
}

/// The source with its contents marker replaced by a table of the chapters and their pages.
QString withContents(QString markdown, const QList<Chapter>& chapters) {
    QString table = "| Chapter | Page |\n|---|---:|\n";
    for (const Chapter& chapter : chapters) {
        table += "| " + chapter.title + " | " +
                 (chapter.page > 0 ? QString::number(chapter.page) : QString("-")) + " |\n";
    }
    return markdown.replace(kContentsMarker, table);
}

/// The chapters as the source names them, before any layout.
QList<Chapter> chapterTitles(const QString& markdown) {
    QList<Chapter> chapters;
    static const QRegularExpression heading("^## (.+)$", QRegularExpression::MultilineOption);
    for (auto it = heading.globalMatch(markdown); it.hasNext();) {
        const QString title = it.next().captured(1).trimmed();
        if (title != kContentsTitle) {
            chapters.push_back({title, 0});
        }
    }
    return chapters;
}

/// Gives the document every picture its source names; false (with the name) when one is
/// missing from `folder`.
bool addPictures(QTextDocument& document, const QString& markdown, const QString& folder) {
    static const QRegularExpression picture(R"(!\[[^\]]*\]\(([^)]+)\))");
    for (auto it = picture.globalMatch(markdown); it.hasNext();) {
        const QString name = it.next().captured(1);
        const QImage image(QDir(folder).filePath(name));
        if (image.isNull()) {
            std::fprintf(stderr, "kordana-make-manual: no picture %s in %s\n", qPrintable(name),
                         qPrintable(folder));
            return false;
        }
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    return true;
}

/// Every picture at most as wide as the text, its proportions kept.
void fitPictures(QTextDocument& document) {
    const qreal width = document.pageSize().width() - 2 * document.documentMargin();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) {
                continue;
            }
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image =
                document.resource(QTextDocument::ImageResource, QUrl(format.name()))
                    .value<QImage>();
            if (image.isNull()) {
                continue;
            }
            const qreal scale = std::min(1.0, width / image.width());
            format.setWidth(image.width() * scale);
            format.setHeight(image.height() * scale);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

int fail(const char* what, const QString& path) {
    std::fprintf(stderr, "kordana-make-manual: %s: %s\n", what, qPrintable(path));
    return 1;
}

/// Prints `document` into the PDF `target`, written beside it first so that an interrupted
/// build never leaves a broken document.
int writePdf(QTextDocument& document, const QPageLayout& page, const QString& target) {
    QTemporaryFile scratch(target + ".XXXXXX");
    if (!scratch.open()) {
        return fail("cannot create", target);
    }
    {
        QPdfWriter writer(&scratch);
        writer.setResolution(kResolution);
        writer.setTitle("Kordana — User Manual");
        writer.setCreator("kordana-make-manual");
        writer.setPageLayout(page);
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

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 && args.size() != 4) {
        std::fprintf(stderr, "usage: kordana-make-manual SOURCE.md OUTPUT.pdf [PICTURES]\n");
        return 2;
    }
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly)) {
        return fail("cannot read", args[1]);
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 16, 18, 16),
                     QPageLayout::Millimeter);
    // The document is laid out in pages of the printed page's text area (at 96 dots per
    // inch, the document's unit), so the pages counted for the contents are the printed ones.
    const QSizeF pageSize = QSizeF(page.paintRectPixels(96).size());

    QTextDocument document;
    QFont font("DejaVu Sans");
    font.setPointSizeF(10.0);
    const QString pictures = args.size() == 4 ? args[3] : QString();
    const auto build = [&](const QString& text) {
        document.clear();
        document.setDefaultFont(font);
        document.setPageSize(pageSize);
        // Reading the text clears the document's resources: the pictures come after it.
        document.setMarkdown(text, QTextDocument::MarkdownDialectGitHub);
        if (!pictures.isEmpty() && !addPictures(document, text, pictures)) {
            return false;
        }
        styleTables(document);
        fitPictures(document);
        return true;
    };
    // First with the chapters but no pages, then again with the pages that layout gave.
    if (!build(withContents(markdown, chapterTitles(markdown))) ||
        !build(withContents(markdown, chaptersOf(document)))) {
        return 1;
    }
    document.setMetaInformation(QTextDocument::DocumentTitle, "Kordana — User Manual");

    return writePdf(document, page, QFileInfo(args[2]).absoluteFilePath());
}

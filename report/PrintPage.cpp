#include "report/PrintPage.h"

#include "settings/AtomicFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace kordana {

namespace {

// The locale's long time format without its time zone: the printout shows the clock time as
// the regional settings write it ("10:38:06", "10:38:06 AM"), not the zone's name.
QString longTimeFormat(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
        }
        if (quoted || c != u't') {
            kept += c;
        }
    }
    return kept.trimmed();
}

} // namespace

QRect fitToPage(QSize picture, QSize page) {
    if (picture.isEmpty() || page.isEmpty()) {
        return {};
    }
    double scale = static_cast<double>(page.height()) / picture.height();
    if (picture.width() * scale >= page.width()) {
        scale = static_cast<double>(page.width()) / picture.width();
    }
    return {0, 0, qRound(picture.width() * scale), qRound(picture.height() * scale)};
}

QPixmap clientAreaPicture(QWidget& window) {
    // Hidden widgets give up their room only when the layouts run; they run now, so the picture
    // shows the window as it is meant to look and not as it was last laid out.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QRect area = window.rect();
    if (auto* main = qobject_cast<QMainWindow*>(&window)) {
        if (const QWidget* menu = main->menuWidget(); menu != nullptr && !menu->isHidden()) {
            area.setTop(menu->geometry().bottom() + 1);
        }
    }
    return window.grab(area);
}

bool printOnePage(const QPixmap& picture, QPagedPaintDevice& device) {
    QPainter painter;
    if (picture.isNull() || !painter.begin(&device)) {
        return false;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(fitToPage(picture.size(), QSize(device.width(), device.height())), picture);
    return painter.end();
}

bool writePdfPage(const QPixmap& picture, const QString& path, const QString& title,
                  QString* reason) {
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        writer.setTitle(title);
        writer.setCreator(QCoreApplication::applicationName());
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        if (!printOnePage(picture, writer)) {
            return false;
        }
    }
    return writeFileAtomically(path, document.data().toStdString(), reason);
}

QString printStamp(const QString& prefix, const QDateTime& when, const QLocale& locale) {
    return prefix + locale.toString(when.date(), QLocale::ShortFormat) + QStringLiteral("    ") +
           locale.toString(when.time(), longTimeFormat(locale));
}

} // namespace kordana

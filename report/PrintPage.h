#pragma once

#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QDateTime;
class QLocale;
class QPagedPaintDevice;
class QWidget;

namespace kordana {

/// Where a picture of size `picture` is drawn on a printable area of size `page`: from its
/// top-left corner, proportions kept, as large as fits. The page height sets the scale unless
/// that makes the picture at least as wide as the page; then the page width sets it. An empty
/// size gives an empty rectangle.
QRect fitToPage(QSize picture, QSize page);

/// The picture of `window`'s client area as it looks now: the whole window below its menu bar.
/// Layouts waiting to run (after widgets were hidden) run first.
QPixmap clientAreaPicture(QWidget& window);

/// Prints `picture` as the only page of one job on `device`, placed by fitToPage on the
/// printable area. False when the device refused the job (no printer, file not writable).
bool printOnePage(const QPixmap& picture, QPagedPaintDevice& device);

/// Writes `picture` as a one-page PDF document (A4 landscape, 10 mm margins) titled `title`
/// to `path`, replacing a file there only once the whole document is written. False when the
/// file cannot be written; an existing file then stays as it was and `reason` (when given)
/// says why.
bool writePdfPage(const QPixmap& picture, const QString& path, const QString& title,
                  QString* reason = nullptr);

/// The print stamp: `prefix`, the date of `when` in `locale`'s short date format, four blanks
/// and the time in `locale`'s long time format without its time zone.
QString printStamp(const QString& prefix, const QDateTime& when, const QLocale& locale);

} // namespace kordana

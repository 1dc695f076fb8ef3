#pragma once

#include "sheet/TuneSheet.h"

#include <QString>

class QIODevice;

namespace kordana {

/// Draws `sheet` as an A4 portrait PDF into `device` (open for writing); returns the number of
/// pages. Needs a QGuiApplication for its fonts.
int renderTuneSheetPdf(const TuneSheet& sheet, QIODevice& device);

/// What writing a tune sheet file gave.
struct TuneSheetWrite {
    bool ok = false;
    int pages = 0;
    QString error; ///< why the file could not be written, when not ok
};

/// Writes `sheet` to the PDF file at `path`, replacing it atomically: a failed write leaves an
/// existing file as it was.
TuneSheetWrite writeTuneSheetPdf(const TuneSheet& sheet, const QString& path);

} // namespace kordana

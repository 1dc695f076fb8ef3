#include "sheet/TuneSheetPdf.h"

#include "settings/AtomicFile.h"

#include "sheet/SheetLayout.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstddef>

namespace kordana {

namespace {

using namespace sheetmm;

constexpr int kResolution = 600; // dots per inch of the PDF's coordinates
constexpr double kCellPadding = 1.2;
constexpr double kMinLabelWidth = 12.0;
constexpr double kGridLine = 0.15;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QFont sheetFont(double points, bool bold = false) {
    QFont font("DejaVu Sans");
    // Without ligatures, so that the PDF's text reads and searches as it is printed.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QColor toQColor(Rgb colour) {
    return {colour.r, colour.g, colour.b};
}

class SheetPainter {
public:
    SheetPainter(QPainter& painter, const TuneSheet& sheet) : m_painter(painter), m_sheet(sheet) {}

    void drawPage(const SheetPage& page, int number, int count) {
        if (number == 1) {
            drawSheetTitle();
        }
        for (const PlacedBlock& placed : page.blocks) {
            if (placed.block->kind == SheetBlock::Kind::Heading) {
                drawHeading(placed);
            } else {
                drawTable(placed);
            }
        }
        drawFooter(number, count);
    }

private:
    static double units(double mm) { return mm * kResolution / 25.4; }
    static QRectF rect(double left, double top, double width, double height) {
        return QRectF(units(left), units(top), units(width), units(height));
    }

    void text(const QRectF& area, int flags, const QString& text) {
        const QFontMetricsF metrics(m_painter.font(), m_painter.device());
        const double room = area.width() - 2 * units(kCellPadding);
        m_painter.drawText(area.adjusted(units(kCellPadding), 0, -units(kCellPadding), 0), flags,
                           metrics.elidedText(text, Qt::ElideRight, room));
    }

    void drawSheetTitle() {
        m_painter.setPen(Qt::black);
        m_painter.setFont(sheetFont(16, true));
        const QRectF line = rect(kMarginSide, kMarginTop, kContentWidth, kSheetTitle - 3);
        m_painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, qs(m_sheet.title));
        m_painter.setFont(sheetFont(11));
        m_painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, qs(m_sheet.fileName));
    }

    void drawHeading(const PlacedBlock& placed) {
        m_painter.setPen(Qt::black);
        m_painter.setFont(sheetFont(11, true));
        const QRectF area = rect(placed.left, placed.top, placed.width, kHeading - 1.5);
        m_painter.drawText(area, Qt::AlignLeft | Qt::AlignBottom, qs(placed.block->heading));
        m_painter.setPen(QPen(Qt::black, units(0.3)));
        m_painter.drawLine(area.bottomLeft() + QPointF(0, units(0.6)),
                           area.bottomRight() + QPointF(0, units(0.6)));
    }

    double labelWidth(const SheetTable& table, double width, std::size_t columns) {
        const QFontMetricsF metrics(sheetFont(8), m_painter.device());
        double widest = 0;
        for (const SheetRow& row : table.rows) {
            widest = std::max(widest, metrics.horizontalAdvance(qs(row.label)));
        }
        if (!table.header.empty()) {
            const QFontMetricsF bold(sheetFont(8, true), m_painter.device());
            widest = std::max(widest, bold.horizontalAdvance(qs(table.header.front())));
        }
        const double wanted = widest * 25.4 / kResolution + 2 * kCellPadding + 0.5;
        // A list of single values leaves the labels most of the width.
        const double most = width * (columns <= 1 ? 0.66 : 0.45);
        return std::clamp(wanted, kMinLabelWidth, most);
    }

    void cell(const QRectF& area, const QString& value, const QColor& fill, int flags,
              const QColor& figures = Qt::black) {
        m_painter.fillRect(area, fill);
        m_painter.setPen(QPen(QColor(150, 150, 150), units(kGridLine)));
        m_painter.drawRect(area);
        m_painter.setPen(figures);
        text(area, flags | Qt::AlignVCenter, value);
    }

    void drawTable(const PlacedBlock& placed) {
        const SheetTable& table = placed.block->table;
        double y = placed.top;
        if (!table.title.empty()) {
            m_painter.setPen(Qt::black);
            m_painter.setFont(sheetFont(9, true));
            m_painter.drawText(rect(placed.left, y, placed.width, kTableTitle - 1),
                               Qt::AlignLeft | Qt::AlignBottom, qs(table.title));
            y += kTableTitle;
        }
        std::size_t columns = table.header.empty() ? 0 : table.header.size() - 1;
        for (const SheetRow& row : table.rows) {
            columns = std::max(columns, row.cells.size());
        }
        const double labels = labelWidth(table, placed.width, columns);
        const double cellWidth =
            columns == 0 ? 0 : (placed.width - labels) / static_cast<double>(columns);
        const auto cellLeft = [&](std::size_t c) {
            return placed.left + labels + cellWidth * static_cast<double>(c);
        };
        const QColor headFill(228, 228, 228);
        if (!table.header.empty()) {
            m_painter.setFont(sheetFont(8, true));
            cell(rect(placed.left, y, labels, kRow), qs(table.header.front()), headFill,
                 Qt::AlignLeft);
            for (std::size_t c = 1; c < table.header.size(); ++c) {
                cell(rect(cellLeft(c - 1), y, cellWidth, kRow), qs(table.header[c]), headFill,
                     Qt::AlignHCenter);
            }
            y += kRow;
        }
        for (const SheetRow& row : table.rows) {
            m_painter.setFont(sheetFont(8));
            cell(rect(placed.left, y, labels, kRow), qs(row.label), QColor(244, 244, 244),
                 Qt::AlignLeft);
            drawRowCells(row, y, columns, cellWidth, cellLeft);
            y += kRow;
        }
    }

    template <typename CellLeft>
    void drawRowCells(const SheetRow& row, double y, std::size_t columns, double cellWidth,
                      const CellLeft& cellLeft) {
        if (row.cells.size() == 1 && columns > 1) {
            // A single value under a curve's columns spans them.
            cell(rect(cellLeft(0), y, cellWidth * static_cast<double>(columns), kRow),
                 qs(row.cells.front()), Qt::white, Qt::AlignLeft);
            return;
        }
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            // A coloured cell's figures in black or white, as on the map grid.
            const bool coloured = c < row.fills.size();
            const QColor fill = coloured ? toQColor(row.fills[c]) : QColor(Qt::white);
            const QColor figures =
                coloured ? toQColor(textColourOn(row.fills[c])) : QColor(Qt::black);
            cell(rect(cellLeft(c), y, cellWidth, kRow), qs(row.cells[c]), fill,
                 columns == 1 ? Qt::AlignLeft : Qt::AlignHCenter, figures);
        }
    }

    void drawFooter(int number, int count) {
        const double top = kPageHeight - kFooter + 4;
        m_painter.setPen(QPen(QColor(120, 120, 120), units(0.2)));
        m_painter.drawLine(QPointF(units(kMarginSide), units(top)),
                           QPointF(units(kMarginSide + kContentWidth), units(top)));
        m_painter.setFont(sheetFont(7.5));
        m_painter.setPen(QColor(60, 60, 60));
        const QRectF line = rect(kMarginSide, top + 0.8, kContentWidth, 5);
        QString left = qs(m_sheet.title);
        if (!m_sheet.fileName.empty()) {
            left += QString::fromUtf8(" \u2013 ") + qs(m_sheet.fileName);
        }
        m_painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, left);
        m_painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                           qs(m_sheet.pageFormat).arg(number).arg(count));
    }

    QPainter& m_painter;
    const TuneSheet& m_sheet;
};

} // namespace

int renderTuneSheetPdf(const TuneSheet& sheet, QIODevice& device) {
    const std::vector<SheetPage> pages = layOutSheet(sheet);
    QPdfWriter writer(&device);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer.setResolution(kResolution);
    writer.setTitle(qs(sheet.title + (sheet.fileName.empty() ? "" : " " + sheet.fileName)));
    writer.setCreator("Kordana");
    QPainter painter;
    if (!painter.begin(&writer)) {
        return 0;
    }
    SheetPainter draw(painter, sheet);
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            writer.newPage();
        }
        draw.drawPage(pages[static_cast<std::size_t>(i)], i + 1, count);
    }
    return painter.end() ? count : 0;
}

TuneSheetWrite writeTuneSheetPdf(const TuneSheet& sheet, const QString& path) {
    TuneSheetWrite result;
    // Drawn whole in memory first (a sheet is a few hundred kilobytes), then written by the
    // one atomic writer, which checks every step.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    result.pages = renderTuneSheetPdf(sheet, document);
    if (result.pages == 0) {
        result.error = "the PDF could not be drawn";
        return result;
    }
    if (!writeFileAtomically(path, document.data().toStdString(), &result.error)) {
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace kordana

// Tool-bar glyphs painted in code: the toolkit here has no SVG reader, and painting keeps the
// shapes crisp at every size. Each glyph is drawn on a 16 x 16 grid and scaled.
#include "shell/ToolBarGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace kordana {

namespace {

const QColor kOutline(0x30, 0x30, 0x38);

void paintSheet(QPainter& p, const QRectF& r, qreal fold) {
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(0xd8, 0xd8, 0xe0));
    p.drawPath(corner);
}

void paintNew(QPainter& p) {
    paintSheet(p, QRectF(3.5, 1.5, 10, 13), 3.5);
    // A small star: the sheet is a fresh one.
    QPainterPath star;
    const QPointF c(4.5, 4.5);
    for (int i = 0; i < 8; ++i) {
        const qreal radius = (i % 2 == 0) ? 4.0 : 1.4;
        const qreal angle = i * 3.14159265 / 4.0;
        const QPointF point(c.x() + radius * std::cos(angle), c.y() - radius * std::sin(angle));
        if (i == 0) {
            star.moveTo(point);
        } else {
            star.lineTo(point);
        }
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(0xb0, 0x80, 0x00), 0.6));
    p.setBrush(QColor(0xff, 0xd0, 0x20));
    p.drawPath(star);
}

void paintOpen(QPainter& p) {
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(5.5, 3.5);
    back.lineTo(7, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setBrush(QColor(0xd9, 0xa4, 0x30));
    p.drawPath(back);
    paintSheet(p, QRectF(4, 2, 7.5, 8), 2);
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(4, 7.5);
    front.lineTo(15, 7.5);
    front.lineTo(13.5, 13.5);
    front.closeSubpath();
    p.setBrush(QColor(0xf5, 0xc8, 0x50));
    p.drawPath(front);
}

void paintSave(QPainter& p) {
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    p.setBrush(QColor(0x2f, 0x5f, 0xb0));
    p.drawPath(body);
    p.setBrush(QColor(0xc8, 0xcc, 0xd4)); // shutter
    p.drawRect(QRectF(4.5, 1.5, 7, 4.5));
    p.setBrush(QColor(0x2f, 0x5f, 0xb0));
    p.drawRect(QRectF(9, 2.5, 1.5, 2.5));
    p.setBrush(Qt::white); // label
    p.drawRect(QRectF(3.5, 8.5, 9, 6));
    p.setPen(QPen(QColor(0x90, 0x98, 0xa8), 0.8));
    p.drawLine(QPointF(5, 10.5), QPointF(11, 10.5));
    p.drawLine(QPointF(5, 12.5), QPointF(11, 12.5));
}

void paintPrint(QPainter& p) {
    paintSheet(p, QRectF(4.5, 1.5, 7, 6), 0); // paper waiting at the top
    p.setBrush(QColor(0x9a, 0xa0, 0xaa));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.2, 1.2);
    p.setBrush(QColor(0x50, 0xc0, 0x50)); // power lamp
    p.drawEllipse(QRectF(11.6, 7.8, 1.6, 1.6));
    paintSheet(p, QRectF(4.5, 10.5, 7, 4), 0); // printed sheet at the front
    p.setPen(QPen(QColor(0x30, 0x30, 0x38), 0.7));
    p.drawLine(QPointF(5.8, 12), QPointF(10.2, 12));
    p.drawLine(QPointF(5.8, 13.4), QPointF(9, 13.4));
}

// A pole with a numbered flag: a marker set in the log being recorded.
void paintMarker(QPainter& p) {
    p.drawLine(QPointF(4.5, 1.5), QPointF(4.5, 14.5));
    QPainterPath flag;
    flag.moveTo(5, 2);
    flag.lineTo(13.5, 4.5);
    flag.lineTo(5, 7.5);
    flag.closeSubpath();
    p.setBrush(QColor(0xd0, 0x20, 0x20));
    p.drawPath(flag);
}

QPixmap paintGlyph(ToolBarGlyph glyph, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    switch (glyph) {
    case ToolBarGlyph::New:
        paintNew(p);
        break;
    case ToolBarGlyph::Open:
        paintOpen(p);
        break;
    case ToolBarGlyph::Save:
        paintSave(p);
        break;
    case ToolBarGlyph::Print:
        paintPrint(p);
        break;
    case ToolBarGlyph::Marker:
        paintMarker(p);
        break;
    }
    return pixmap;
}

} // namespace

QIcon toolBarGlyph(ToolBarGlyph glyph) {
    QIcon icon;
    for (int size : {16, 20, 24, 32, 48, 64}) {
        icon.addPixmap(paintGlyph(glyph, size));
    }
    return icon;
}

} // namespace kordana

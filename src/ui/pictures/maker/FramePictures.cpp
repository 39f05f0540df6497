#include <QPainterPath>

#include "Canvas.h"

namespace trevalon::pictures {
namespace {

// A flat strip with a light line along its top and a shade along its bottom.
QImage strip(int height, const QColor& fill) {
    QImage image = canvas(1024, height, fill);
    QPainter p(&image);
    p.setPen(fill.lighter(135));
    p.drawLine(0, 0, 1023, 0);
    p.setPen(palette::stripShade);
    p.drawLine(0, height - 1, 1023, height - 1);
    return image;
}

QPen markPen(double width = 1.6) {
    return QPen(palette::stripInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The 16 x 16 marks of the title strips, drawn on the strips' own colour.
QImage mark(const std::function<void(QPainter&)>& draw) {
    QImage image = canvas(16, 16, palette::strip);
    QPainter p(&image);
    prepare(p);
    p.setPen(markPen());
    p.setBrush(Qt::NoBrush);
    draw(p);
    return image;
}

void collapse(QPainter& p) {
    p.drawLine(QPointF(4, 10), QPointF(8, 6));
    p.drawLine(QPointF(8, 6), QPointF(12, 10));
}

void close(QPainter& p) {
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
}

void maximise(QPainter& p) {
    p.drawRect(QRectF(3.5, 3.5, 9, 9));
    p.drawLine(QPointF(3.5, 5), QPointF(12.5, 5));
}

void restore(QPainter& p) {
    p.setPen(markPen(1.3));
    p.drawRect(QRectF(3.5, 6.5, 7, 6));
    p.drawLine(QPointF(6, 3.5), QPointF(12.5, 3.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(12.5, 9));
}

void minimise(QPainter& p) {
    p.drawLine(QPointF(4, 11.5), QPointF(12, 11.5));
}

void help(QPainter& p) {
    p.setPen(markPen(1.3));
    p.drawEllipse(QPointF(8, 8), 6.2, 6.2);
    centredText(p, QRectF(0, 0, 16, 16), QStringLiteral("?"), sans(10, true), palette::stripInk);
}

void menu(QPainter& p) {
    for (double y : {5.0, 8.0, 11.0}) {
        p.drawLine(QPointF(4, y), QPointF(12, y));
    }
}

void bin(QPainter& p) {
    p.setPen(markPen(1.3));
    p.drawLine(QPointF(3.5, 4.5), QPointF(12.5, 4.5));
    p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 2.8));
    p.drawLine(QPointF(6.5, 2.8), QPointF(9.5, 2.8));
    p.drawLine(QPointF(9.5, 2.8), QPointF(9.5, 4.5));
    QPainterPath can;
    can.moveTo(4.8, 6);
    can.lineTo(5.6, 13.2);
    can.lineTo(10.4, 13.2);
    can.lineTo(11.2, 6);
    p.drawPath(can);
    p.drawLine(QPointF(8, 7.5), QPointF(8, 11.5));
}

QImage grip() {
    QImage image = canvas(16, 16, palette::strip);
    QPainter p(&image);
    prepare(p);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::violetSoft);
    for (int row = 0; row < 3; ++row) {
        for (int col = 2 - row; col < 3; ++col) {
            p.drawEllipse(QPointF(5 + 4 * col, 5 + 4 * row), 1.2, 1.2);
        }
    }
    return image;
}

}  // namespace

void addFramePictures(Recipes& r) {
    r["listwa"] = [] { return strip(20, palette::strip); };
    r["listwaglowna"] = [] { return strip(24, palette::strip); };
    r["pasekmenu"] = [] { return strip(22, palette::violetDark); };
    r["pasekstatus"] = [] { return strip(22, palette::strip); };
    r["ikozwin"] = [] { return mark(collapse); };
    r["ikozamknij"] = [] { return mark(close); };
    r["ikomaksymalizuj"] = [] { return mark(maximise); };
    r["ikoprzywroc"] = [] { return mark(restore); };
    r["ikominimalizuj"] = [] { return mark(minimise); };
    r["ikopomoc"] = [] { return mark(help); };
    r["ikomenu"] = [] { return mark(menu); };
    r["ikousun"] = [] { return mark(bin); };
    r["uchwyt"] = grip;
}

}  // namespace trevalon::pictures

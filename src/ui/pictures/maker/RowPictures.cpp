#include <QPolygonF>

#include "Canvas.h"

namespace trevalon::pictures {
namespace {

// Properties rows: the label on the left (written at x = 3 of the row), the value from
// x = 100; the editor and the list open over x = 96..238.
constexpr int ValueLeft = 95;

enum class RowKind { ReadOnly, Text, List };

QImage propertiesRow(RowKind kind) {
    QImage image = canvas(240, 23, palette::rowFill);
    QPainter p(&image);
    p.fillRect(QRect(ValueLeft, 0, 240 - ValueLeft, 22),
               kind == RowKind::ReadOnly ? QColor(236, 235, 246) : Qt::white);
    if (kind != RowKind::ReadOnly) {
        // An editable value is marked by an amber edge next to it.
        p.fillRect(QRect(ValueLeft, 2, 2, 19), palette::amber);
    }
    p.setPen(QColor(200, 197, 226));
    p.drawLine(0, 22, 239, 22);
    p.drawLine(ValueLeft - 1, 0, ValueLeft - 1, 21);
    if (kind == RowKind::List) {
        prepare(p);
        p.setPen(Qt::NoPen);
        p.setBrush(palette::violetSoft);
        p.drawPolygon(QPolygonF({QPointF(227, 9), QPointF(235, 9), QPointF(231, 14)}));
    }
    return image;
}

QImage propertiesHint(bool english) {
    QImage image = canvas(240, 23, palette::violetMid);
    QPainter p(&image);
    prepare(p);
    centredText(p, QRectF(0, 0, 240, 22),
                english ? QStringLiteral("Click a row to change it")
                        : QStringLiteral("Kliknij wiersz, aby go zmienić"),
                sans(11), palette::stripInk);
    p.setPen(palette::violetDeep);
    p.drawLine(0, 22, 239, 22);
    return image;
}

// Report rows: labels at x = 8 of the row, values at x = 148, both in the dark violet.
QImage reportHeader() {
    QImage image = canvas(250, 23, palette::lavender);
    QPainter p(&image);
    p.fillRect(QRect(0, 20, 250, 3), palette::violetSoft);
    return image;
}

QImage reportRow() {
    QImage image = canvas(250, 23, palette::paper);
    QPainter p(&image);
    p.fillRect(QRect(140, 0, 110, 22), Qt::white);
    p.setPen(QColor(222, 220, 238));
    p.drawLine(0, 22, 249, 22);
    p.drawLine(139, 0, 139, 21);
    return image;
}

QImage reportSummary() {
    QImage image = canvas(250, 45, palette::lavenderLight);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, 250, 2), palette::violetSoft);
    p.setPen(palette::lavender);
    p.drawLine(0, 44, 249, 44);
    return image;
}

}  // namespace

void addRowPictures(Recipes& r) {
    r["wlasnoscinonaktywne"] = [] { return propertiesRow(RowKind::ReadOnly); };
    r["wlasnosciaktywne"] = [] { return propertiesRow(RowKind::Text); };
    r["wlasnosciaktywnelista"] = [] { return propertiesRow(RowKind::List); };
    r["wlasnosciprzycisk"] = [] { return propertiesHint(false); };
    r["wlasnosciprzyciskang"] = [] { return propertiesHint(true); };
    r["opisnaglowek"] = reportHeader;
    r["opiswiersz"] = reportRow;
    r["opispodsumowanie"] = reportSummary;
}

}  // namespace trevalon::pictures

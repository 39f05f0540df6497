#include <QPolygon>

#include "Canvas.h"

namespace trevalon::pictures {
namespace {

// Cursors are drawn without anti-aliasing on pure magenta, which the store makes transparent;
// a blended edge would leave a pink fringe.
QImage cursorCanvas() {
    return canvas(32, 32, palette::magenta);
}

QImage frameCursor() {
    QImage image = cursorCanvas();
    QPainter p(&image);
    // The frame of the cell that will receive the block.
    p.setPen(QPen(Qt::white, 3));
    p.drawRect(QRect(13, 13, 16, 16));
    p.setPen(QPen(palette::violet, 1));
    p.drawRect(QRect(13, 13, 16, 16));
    p.fillRect(QRect(15, 15, 13, 13), QColor(255, 214, 140));
    // The pointer, its tip on the hot spot (1, 1).
    const QPolygon arrow({QPoint(1, 1), QPoint(1, 16), QPoint(5, 12), QPoint(8, 18), QPoint(10, 17),
                          QPoint(7, 11), QPoint(12, 11)});
    p.setPen(QPen(palette::ink, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
    return image;
}

QImage refusalCursor() {
    QImage image = cursorCanvas();
    QPainter p(&image);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 6));
    p.drawEllipse(QPoint(15, 15), 11, 11);
    p.drawLine(8, 22, 22, 8);
    p.setPen(QPen(QColor(210, 40, 50), 3));
    p.drawEllipse(QPoint(15, 15), 11, 11);
    p.drawLine(8, 22, 22, 8);
    return image;
}

}  // namespace

void addCursorPictures(Recipes& r) {
    r["ramkacur"] = frameCursor;
    r["nocur"] = refusalCursor;
}

}  // namespace trevalon::pictures

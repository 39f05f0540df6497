#include "Canvas.h"

#include <QDir>
#include <QFontDatabase>
#include <QPolygonF>
#include <cmath>

namespace trevalon::pictures {

QColor hueFill(int hue) {
    return QColor::fromHslF(hue / 360.0, 0.58, 0.56);
}

QColor hueEdge(int hue) {
    return QColor::fromHslF(hue / 360.0, 0.52, 0.33);
}

QColor hueTint(int hue) {
    return QColor::fromHslF(hue / 360.0, 0.70, 0.93);
}

QFont sans(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont serif(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QImage canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void arrowHead(QPainter& painter, QPointF tip, int dx, int dy, double length, double width,
               const QColor& colour) {
    // Perpendicular of the direction, for the two back corners.
    const QPointF along(dx, dy);
    const QPointF across(-dy, dx);
    const QPointF back = tip - along * length;
    QPolygonF head;
    head << tip << back + across * (width / 2) << back - across * (width / 2);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(head);
    painter.restore();
}

void slantedArrow(QPainter& painter, QPointF tail, QPointF tip, double penWidth, double length,
                  double width, const QColor& colour) {
    const QPointF along = (tip - tail) / std::hypot(tip.x() - tail.x(), tip.y() - tail.y());
    const QPointF across(-along.y(), along.x());
    const QPointF back = tip - along * length;
    painter.save();
    painter.setPen(QPen(colour, penWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(tail, back);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF({tip, back + across * (width / 2), back - across * (width / 2)}));
    painter.restore();
}

void centredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                 const QColor& colour) {
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

Recipes allRecipes() {
    Recipes recipes;
    addBoardPictures(recipes);
    addToolbarPictures(recipes);
    addFramePictures(recipes);
    addDialogPictures(recipes);
    addRowPictures(recipes);
    addSchemaPictures(recipes);
    addBackgroundPictures(recipes);
    addCursorPictures(recipes);
    return recipes;
}

// The pictures are drawn with DejaVu, which the set-up script installs; without it captions
// would come out in whatever font the machine has, so its absence must stop the build.
bool loadPictureFonts(const QString& folder, QString* failed) {
    for (const char* file :
         {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf"}) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(file));
        if (QFontDatabase::addApplicationFont(path) < 0) {
            if (failed) {
                *failed = path;
            }
            return false;
        }
    }
    return true;
}

}  // namespace trevalon::pictures

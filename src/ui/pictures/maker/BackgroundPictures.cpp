#include <QPainterPath>
#include <QPolygonF>

#include "BlockShapes.h"
#include "Canvas.h"
#include "model/KindCode.h"
#include "ui/pictures/PictureLayout.h"

namespace trevalon::pictures {
namespace {

// Light ground with the same dot grid as the main background, for resizable windows.
QImage lightTile() {
    QImage image = canvas(90, 90, palette::paper);
    QPainter p(&image);
    prepare(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 224, 240));
    for (int y = 0; y < 90; y += 15) {
        for (int x = 0; x < 90; x += 15) {
            p.drawEllipse(QPointF(x + 7.5, y + 7.5), 1.1, 1.1);
        }
    }
    return image;
}

// A companion dialog: its title strip, a light body and the band for its buttons, with a
// large, very faint sign of what the dialog is for in the lower right corner of the body,
// where it stays readable through anything laid over it.
QImage dialog(int width, int height, const QString& sign, const QFont& signFont) {
    QImage image = canvas(width, height, palette::body);
    QPainter p(&image);
    const int title = layout::DialogTitleHeight;
    QLinearGradient shade(0, title, 0, height);
    shade.setColorAt(0, palette::paper);
    shade.setColorAt(1, palette::body);
    p.fillRect(QRect(0, title, width, height - title), shade);
    p.fillRect(QRect(0, 0, width, title), palette::strip);
    p.setPen(palette::stripLight);
    p.drawLine(0, 0, width - 1, 0);
    p.setPen(palette::stripShade);
    p.drawLine(0, title - 1, width - 1, title - 1);
    const int band = height - layout::DialogButtonBandHeight;
    p.fillRect(QRect(0, band, width, height - band), palette::buttonBand);
    p.setPen(palette::lavender);
    p.drawLine(0, band, width - 1, band);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(signFont);
    p.setPen(QColor(232, 230, 244));
    p.drawText(QRect(0, title, width - 18, band - title - 4), Qt::AlignRight | Qt::AlignBottom,
               sign);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(palette::violet);
    p.drawRect(QRect(0, 0, width - 1, height - 1));
    return image;
}

// The about window: the name of the program over a small flowchart drawn from the tiles.
QImage vignette() {
    QImage image = canvas(440, 300, palette::violetDeep);
    QPainter p(&image);
    prepare(p);
    QLinearGradient sky(0, 0, 440, 300);
    sky.setColorAt(0, palette::violetMid);
    sky.setColorAt(1, palette::violetDeep);
    p.fillRect(QRect(0, 0, 440, 300), sky);
    // Faint dots, as on the desk.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 18));
    for (int y = 0; y < 300; y += 15) {
        for (int x = 0; x < 440; x += 15) {
            p.drawEllipse(QPointF(x + 7.5, y + 7.5), 1.1, 1.1);
        }
    }
    // A little algorithm, drawn from the board's own tiles, a little enlarged.
    const int column[] = {KindStart, KindReadWrite, KindAssign, KindMessage, KindEnd};
    p.save();
    p.translate(318, 16);
    p.scale(1.4, 1.4);
    for (int row = 0; row < 5; ++row) {
        p.save();
        p.translate(0, 39 * row);
        drawCell(p, false);
        drawBlock(p, column[row]);
        p.restore();
    }
    p.restore();
    p.setPen(palette::white);
    p.setFont(sans(46, true));
    p.drawText(QRectF(28, 70, 260, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Trevalon"));
    p.fillRect(QRectF(32, 134, 120, 4), palette::amber);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(palette::violet);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, 439, 299));
    return image;
}

}  // namespace

void addBackgroundPictures(Recipes& r) {
    r["tlojasne"] = lightTile;
    r["budujwyrazenie"] = [] {
        return dialog(560, 460, QStringLiteral("\u0192(x)"), serif(120, true));
    };
    r["budujkomentarz"] = [] { return dialog(460, 340, QStringLiteral("$a$"), sans(96, true)); };
    r["ustawienia"] = [] { return dialog(443, 500, QStringLiteral("\u2699"), sans(150)); };
    r["zdarzenia"] = [] { return dialog(560, 440, QStringLiteral("\u2261"), sans(150, true)); };
    r["winietka"] = vignette;
}

}  // namespace trevalon::pictures

#include <QPolygonF>

#include "BlockShapes.h"
#include "Canvas.h"
#include "model/KindCode.h"
#include "ui/pictures/PictureCatalogue.h"

namespace trevalon::pictures {
namespace {

enum class Face { Up, Over, Chosen };

// A square face: it must look right on any ground, so it has no rounded corners to blend.
void drawFace(QPainter& p, Face face) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (face) {
        case Face::Up:
            p.fillRect(QRect(0, 0, 44, 44), colours::lavenderLight);
            p.setPen(colours::violetSoft);
            p.drawRect(QRect(0, 0, 43, 43));
            p.setPen(Qt::white);
            p.drawLine(1, 1, 42, 1);
            break;
        case Face::Over:
            p.fillRect(QRect(0, 0, 44, 44), Qt::white);
            p.setPen(colours::amber);
            p.drawRect(QRect(0, 0, 43, 43));
            p.drawRect(QRect(1, 1, 41, 41));
            break;
        case Face::Chosen:
            p.fillRect(QRect(0, 0, 44, 44), QColor(204, 200, 234));
            p.setPen(colours::violet);
            p.drawRect(QRect(0, 0, 43, 43));
            p.setPen(colours::amber);
            p.drawRect(QRect(1, 1, 41, 41));
            p.setPen(QColor(176, 171, 214));
            p.drawLine(2, 2, 41, 2);
            break;
    }
    p.restore();
}

// The run buttons: a round badge with the sign of the command.
void drawCommand(QPainter& p, int tag) {
    prepare(p);
    const QColor badge = tag == PictureCatalogue::JetCancel     ? hueFill(356)
                         : tag == PictureCatalogue::JetNextStep ? hueFill(200)
                                                                : hueFill(140);
    p.setPen(QPen(tag == PictureCatalogue::JetCancel     ? hueEdge(356)
                  : tag == PictureCatalogue::JetNextStep ? hueEdge(200)
                                                         : hueEdge(140),
                  1.2));
    p.setBrush(badge);
    p.drawEllipse(QPointF(22, 22), 15, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    if (tag == PictureCatalogue::JetCancel) {
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16.5, 16.5), QPointF(27.5, 27.5));
        p.drawLine(QPointF(27.5, 16.5), QPointF(16.5, 27.5));
    } else if (tag == PictureCatalogue::JetNextStep) {
        // One step: play, then a bar.
        p.drawPolygon(QPolygonF({QPointF(16, 14.5), QPointF(16, 29.5), QPointF(26, 22)}));
        p.drawRect(QRectF(27, 14.5, 3.2, 15));
    } else {
        p.drawPolygon(QPolygonF({QPointF(17.5, 13.5), QPointF(17.5, 30.5), QPointF(31, 22)}));
    }
}

QImage button(int tag, Face face) {
    QImage image = canvas(44, 44, Qt::white);
    QPainter p(&image);
    drawFace(p, face);
    if (tag >= PictureCatalogue::JetCancel) {
        drawCommand(p, tag);
    } else {
        p.translate(2, 2);
        drawBlock(p, tag);
    }
    return image;
}

}  // namespace

void addToolbarPictures(Recipes& r) {
    for (int tag : PictureCatalogue::jetTags()) {
        const std::string name = "jet" + std::to_string(tag);
        r[name] = [tag] { return button(tag, Face::Up); };
        r[name + "over"] = [tag] { return button(tag, Face::Over); };
        r[name + "wyb"] = [tag] { return button(tag, Face::Chosen); };
    }
}

}  // namespace trevalon::pictures

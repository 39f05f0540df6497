#include <QPainterPath>
#include <QPolygonF>

#include "Canvas.h"
#include "ui/pictures/PictureLayout.h"

namespace trevalon::pictures {
namespace {

// A rounded button face on `ground`; the focused face is filled with the dark violet.
// `caption` may mark its keyboard letter with "&", which is drawn underlined.
QImage buttonFace(int width, int height, const QString& caption, bool active,
                  const QColor& ground) {
    QImage image = canvas(width, height, ground);
    QPainter p(&image);
    prepare(p);
    const QRectF face(0.5, 0.5, width - 1, height - 1);
    if (active) {
        p.setPen(QPen(palette::violetDeep, 1));
        p.setBrush(palette::violet);
        p.drawRoundedRect(face, 5, 5);
        p.setPen(QPen(palette::amber, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.adjusted(1.6, 1.6, -1.6, -1.6), 3.5, 3.5);
    } else {
        QLinearGradient shade(0, 0, 0, height);
        shade.setColorAt(0, Qt::white);
        shade.setColorAt(1, QColor(238, 237, 248));
        p.setPen(QPen(palette::violetSoft, 1));
        p.setBrush(shade);
        p.drawRoundedRect(face, 5, 5);
    }
    if (!caption.isEmpty()) {
        p.setFont(sans(12, true));
        p.setPen(active ? Qt::white : palette::violet);
        p.drawText(QRectF(0, 0, width, height - 1), Qt::AlignCenter | Qt::TextShowMnemonic,
                   caption);
    }
    return image;
}

// Small image buttons: the same face with a sign instead of words.
QImage signButton(int width, int height, bool active,
                  const std::function<void(QPainter&, const QColor&)>& sign) {
    QImage image = buttonFace(width, height, QString(), active, palette::body);
    QPainter p(&image);
    prepare(p);
    sign(p, active ? Qt::white : palette::violet);
    return image;
}

void dropDown(QPainter& p, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({QPointF(5, 8.5), QPointF(13, 8.5), QPointF(9, 13.5)}));
}

void insertSign(QPainter& p, const QColor& ink) {
    p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 10.5), QPointF(15, 10.5));
    arrowHead(p, QPointF(19.5, 10.5), 1, 0, 5, 7, ink);
    p.drawLine(QPointF(20.5, 5.5), QPointF(20.5, 15.5));
}

void folderSign(QPainter& p, const QColor&) {
    QPainterPath folder;
    folder.moveTo(5.5, 7.5);
    folder.lineTo(10.5, 7.5);
    folder.lineTo(12, 9);
    folder.lineTo(20.5, 9);
    folder.lineTo(20.5, 16.5);
    folder.lineTo(5.5, 16.5);
    folder.closeSubpath();
    p.setPen(QPen(hueEdge(38), 1));
    p.setBrush(hueFill(38));
    p.drawPath(folder);
}

// The message dialog: a title band, a round place for the icon that overlaps it, the text on
// the light body and a band for the buttons.
void paintWarning(QPainter& p) {
    p.fillRect(QRect(0, 0, 350, 150), palette::body);
    p.fillRect(QRect(0, 0, 350, 32), palette::strip);
    p.setPen(palette::stripLight);
    p.drawLine(0, 0, 349, 0);
    p.fillRect(QRect(0, layout::WarningButtonBand, 350, 150 - layout::WarningButtonBand),
               palette::buttonBand);
    p.setPen(palette::lavender);
    p.drawLine(0, layout::WarningButtonBand, 349, layout::WarningButtonBand);
    prepare(p);
    const QPointF centre = QRectF(layout::WarningIcon).center();
    p.setPen(QPen(palette::lavender, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 19.5, 19.5);
    const QRectF closeBox(layout::WarningClose);
    p.setPen(QPen(palette::stripInk, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(closeBox.topLeft() + QPointF(4.5, 4.5), closeBox.bottomRight() - QPointF(4, 4));
    p.drawLine(closeBox.topRight() + QPointF(-4, 4.5), closeBox.bottomLeft() + QPointF(4.5, -4));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(palette::violet);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, 349, 149));
}

// Icons are cut from the dialog's own background, so they sit on it without a seam.
QImage warningIcon(int icon) {
    QImage image = canvas(42, 43, Qt::white);
    QPainter p(&image);
    p.translate(-layout::WarningIcon.x(), -layout::WarningIcon.y());
    paintWarning(p);
    p.resetTransform();
    prepare(p);
    const QPointF c(21, 21.5);
    if (icon == 3) {
        QPainterPath sign;
        sign.moveTo(21, 6.5);
        sign.lineTo(36, 33.5);
        sign.lineTo(6, 33.5);
        sign.closeSubpath();
        p.setPen(QPen(hueEdge(38), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(palette::amber);
        p.drawPath(sign);
        centredText(p, QRectF(6, 13, 30, 21), QStringLiteral("!"), sans(17, true),
                    palette::violetDeep);
        return image;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(icon == 1 ? hueFill(214) : palette::violetMid);
    p.drawEllipse(c, 15.5, 15.5);
    if (icon == 1) {
        centredText(p, QRectF(5, 5, 32, 33), QStringLiteral("i"), serif(21, true), Qt::white);
    } else {
        centredText(p, QRectF(5, 5, 32, 33), QStringLiteral("?"), sans(20, true), Qt::white);
    }
    return image;
}

QImage titleStrip(int width, int height) {
    QImage image = canvas(width, height, palette::strip);
    QPainter p(&image);
    p.setPen(palette::stripLight);
    p.drawLine(0, 0, width - 1, 0);
    p.setPen(palette::stripShade);
    p.drawLine(0, height - 1, width - 1, height - 1);
    return image;
}

void well(QPainter& p, const QRectF& box, const QColor& border) {
    p.setPen(QPen(border, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

enum class ExecutionMode { Number, Date, Text };

// The body of the execution dialog: the text on top, the input below it, the buttons' band.
QImage executionBody(ExecutionMode mode) {
    QImage image = canvas(260, 180, palette::body);
    QPainter p(&image);
    p.fillRect(QRect(0, layout::ExecutionButtonBand, 260, 180 - layout::ExecutionButtonBand),
               palette::buttonBand);
    p.setPen(palette::lavender);
    p.drawLine(0, layout::ExecutionButtonBand, 259, layout::ExecutionButtonBand);
    prepare(p);
    const QRectF text = QRectF(layout::ExecutionText).adjusted(-6, -6, 6, 6);
    well(p, mode == ExecutionMode::Text ? text.adjusted(0, 0, 0, 50) : text, palette::lavender);
    if (mode == ExecutionMode::Number) {
        well(p, QRectF(layout::ExecutionValue).adjusted(-4, -3, 4, 3), palette::violetSoft);
    } else if (mode == ExecutionMode::Date) {
        for (const QRect& field :
             {layout::ExecutionYear, layout::ExecutionMonth, layout::ExecutionDay}) {
            well(p, QRectF(field).adjusted(-4, -3, 4, 3), palette::violetSoft);
        }
        // The separators the date is written with, between the fields.
        const double y = layout::ExecutionYear.center().y() + 0.5;
        for (double x : {(layout::ExecutionYear.right() + layout::ExecutionMonth.left()) / 2.0,
                         (layout::ExecutionMonth.right() + layout::ExecutionDay.left()) / 2.0}) {
            centredText(p, QRectF(x - 8, y - 10, 18, 20), QStringLiteral("/"), sans(15, true),
                        palette::violetMid);
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(palette::violet);
    p.drawLine(0, 0, 0, 179);
    p.drawLine(259, 0, 259, 179);
    p.drawLine(0, 179, 259, 179);
    return image;
}

struct ButtonWords {
    const char* name;
    const char* caption;
};

const ButtonWords kButtons[] = {
    {"buttak", "&Tak"},         {"butnie", "&Nie"},          {"butanuluj", "&Anuluj"},
    {"butzamknij", "&Zamknij"}, {"butwprowadz", "Wprowadź"}, {"butyes", "&Yes"},
    {"butno", "&No"},           {"butcancel", "&Cancel"},    {"butclose", "&Close"},
    {"butenter", "Enter"},
};

}  // namespace

void addDialogPictures(Recipes& r) {
    r["oknowarning"] = [] {
        QImage image = canvas(350, 150, Qt::white);
        QPainter p(&image);
        paintWarning(p);
        return image;
    };
    r["ikoinfo"] = [] { return warningIcon(1); };
    r["ikopytanie"] = [] { return warningIcon(2); };
    r["ikouwaga"] = [] { return warningIcon(3); };
    for (const ButtonWords& words : kButtons) {
        const QString caption = QString::fromUtf8(words.caption);
        r[words.name] = [caption] {
            return buttonFace(88, 26, caption, false, palette::buttonBand);
        };
        r[std::string(words.name) + "akt"] = [caption] {
            return buttonFace(88, 26, caption, true, palette::buttonBand);
        };
    }
    r["wykonajlistwa"] = [] { return titleStrip(260, 22); };
    r["wykonajliczba"] = [] { return executionBody(ExecutionMode::Number); };
    r["wykonajdata"] = [] { return executionBody(ExecutionMode::Date); };
    r["wykonakomentarz"] = [] { return executionBody(ExecutionMode::Text); };
    const struct {
        const char* name;
        int width;
    } plain[] = {{"przycisk", 120}, {"przyciskszeroki", 180}, {"klawisz", 32}};
    for (const auto& face : plain) {
        const int width = face.width;
        r[face.name] = [width] { return buttonFace(width, 26, {}, false, palette::body); };
        r[std::string(face.name) + "akt"] = [width] {
            return buttonFace(width, 26, {}, true, palette::body);
        };
    }
    for (bool active : {false, true}) {
        const std::string suffix = active ? "akt" : "";
        r["butlista" + suffix] = [active] { return signButton(18, 21, active, dropDown); };
        r["butwstaw" + suffix] = [active] { return signButton(26, 21, active, insertSign); };
        r["butfolder" + suffix] = [active] { return signButton(26, 22, active, folderSign); };
    }
}

}  // namespace trevalon::pictures

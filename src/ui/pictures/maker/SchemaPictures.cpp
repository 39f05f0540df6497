#include <QPainterPath>
#include <QPolygonF>

#include "Canvas.h"
#include "SchemaShapes.h"
#include "model/KindCode.h"
#include "ui/pictures/PictureLayout.h"

namespace trevalon::pictures {
namespace {

// Shapes of the flowchart page: 180 x 60 cells on white, the flow along the middle lines,
// shapes in light tints so that the black text written into them stays readable. No arrow
// heads on the flow lines: which way the flow runs depends on the drawing, so the page adds
// them.
constexpr double MidX = layout::SchemaMidX;
constexpr double MidY = layout::SchemaMidY;

QPen linePen() {
    return QPen(palette::ink, 1.6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

void down(QPainter& p, double from, double to) {
    p.setPen(linePen());
    p.drawLine(QPointF(MidX, from), QPointF(MidX, to));
}

void across(QPainter& p, double from, double to) {
    p.setPen(linePen());
    p.drawLine(QPointF(from, MidY), QPointF(to, MidY));
}

// The flow line above and below a block, up to its shape.
void through(QPainter& p, const layout::SchemaEdges& edges) {
    down(p, 0, edges.top);
    down(p, edges.bottom, 60);
}

void shape(QPainter& p, const QPainterPath& path, int hue) {
    p.setPen(QPen(palette::ink, 1.6));
    p.setBrush(hueTint(hue));
    p.drawPath(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath rounded(const QRectF& box, double radius) {
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

// The flow leaves a start block downward only; an end block's entry line is the page's, on
// whichever side the flow comes from.
void terminal(QPainter& p, bool start) {
    const layout::SchemaEdges& edges = start ? layout::SchemaStartEdges : layout::SchemaEndEdges;
    if (start) {
        down(p, edges.bottom, 60);
    }
    shape(p, rounded(QRectF(22, edges.top, 136, edges.bottom - edges.top), 16.5),
          start ? 140 : 356);
}

void variable(QPainter& p) {
    QPainterPath box;
    box.addRect(QRectF(14, 10, 152, 40));
    shape(p, box, 38);
    // The internal-storage mark: a second line along the top and the left edge.
    p.setPen(QPen(palette::ink, 1));
    p.drawLine(QPointF(14, 16), QPointF(166, 16));
    p.drawLine(QPointF(20, 10), QPointF(20, 50));
}

void inputOutput(QPainter& p) {
    const layout::SchemaEdges& e = layout::SchemaBoxEdges;
    through(p, e);
    shape(p, polygon({{22, e.top}, {177, e.top}, {158, e.bottom}, {3, e.bottom}}), 214);
}

// A read/write block's data arrow, as on its board tiles: into the shape from the upper left
// when it reads, out of it to the lower right when it writes.
void inputOutputWith(QPainter& p, bool writes) {
    inputOutput(p);
    if (writes) {
        slantedArrow(p, QPointF(160, 45), QPointF(172, 57), 1.6, 8, 8, hueEdge(214));
    } else {
        slantedArrow(p, QPointF(8, 3), QPointF(20, 15), 1.6, 8, 8, hueEdge(214));
    }
}

void process(QPainter& p, int hue, bool sideBars) {
    const layout::SchemaEdges& e = layout::SchemaBoxEdges;
    through(p, e);
    QPainterPath box;
    box.addRect(QRectF(4, e.top, 172, e.bottom - e.top));
    shape(p, box, hue);
    if (sideBars) {
        p.setPen(QPen(palette::ink, 1.2));
        p.drawLine(QPointF(12, e.top), QPointF(12, e.bottom));
        p.drawLine(QPointF(168, e.top), QPointF(168, e.bottom));
    }
}

void giveBack(QPainter& p) {
    const layout::SchemaEdges& e = layout::SchemaBoxEdges;
    through(p, e);
    shape(p,
          polygon(
              {{2, MidY}, {18, e.top}, {162, e.top}, {178, MidY}, {162, e.bottom}, {18, e.bottom}}),
          292);
}

void condition(QPainter& p) {
    const layout::SchemaEdges& e = layout::SchemaConditionEdges;
    down(p, 0, e.top);
    across(p, 0, 14);
    across(p, 166, 180);
    shape(p, polygon({{MidX, e.top}, {166, MidY}, {MidX, e.bottom}, {14, MidY}}), 48);
    // The flow leaves to the left when the condition holds, to the right when it does not.
    centredText(p, QRectF(0, 14, 16, 14), QStringLiteral("+"), sans(12, true), QColor(30, 130, 70));
    centredText(p, QRectF(164, 14, 16, 14), QStringLiteral("\u2212"), sans(12, true),
                QColor(190, 40, 50));
}

// As on the board tiles, only a junction's side branch has a fixed direction.
void connector(QPainter& p, int kind) {
    switch (kind) {
        case KindLineVertical:
            down(p, 0, 60);
            break;
        case KindLineHorizontal:
            across(p, 0, 180);
            break;
        case KindJoinRight:
        case KindJoinLeft: {
            const bool right = kind == KindJoinRight;
            down(p, 0, 60);
            across(p, right ? MidX + 8 : 0, right ? 180 : MidX - 8);
            arrowHead(p, QPointF(right ? MidX + 1 : MidX - 1, MidY), right ? -1 : 1, 0, 9, 8,
                      palette::ink);
            break;
        }
        default: {
            const bool top = kind == KindCornerTopRight || kind == KindCornerTopLeft;
            const bool rightSide = kind == KindCornerTopRight || kind == KindCornerBottomRight;
            QPainterPath bend;
            bend.moveTo(MidX, top ? 0 : 60);
            bend.lineTo(MidX, MidY);
            bend.lineTo(rightSide ? 180 : 0, MidY);
            p.setPen(linePen());
            p.setBrush(Qt::NoBrush);
            p.drawPath(bend);
            break;
        }
    }
}

using ShapeSource = std::function<void(QPainter&)>;

// The shapes by picture name; the JPEGs are made from these, and vector output draws them.
const std::map<QString, ShapeSource>& shapeSources() {
    static const std::map<QString, ShapeSource> sources = [] {
        std::map<QString, ShapeSource> s;
        s[QStringLiteral("kompbigstart")] = [](QPainter& p) { terminal(p, true); };
        s[QStringLiteral("kompbigend")] = [](QPainter& p) { terminal(p, false); };
        s[QStringLiteral("zmienna")] = variable;
        s[QStringLiteral("napisz")] = inputOutput;
        s[QStringLiteral("wczytaj")] = [](QPainter& p) { inputOutputWith(p, false); };
        s[QStringLiteral("wypisz")] = [](QPainter& p) { inputOutputWith(p, true); };
        s[QStringLiteral("doprocedury")] = [](QPainter& p) { process(p, 262, true); };
        s[QStringLiteral("zprocedury")] = giveBack;
        s[QStringLiteral("przypisz")] = [](QPainter& p) { process(p, 232, false); };
        s[QStringLiteral("warunek")] = condition;
        const struct {
            const char* name;
            int kind;
        } lines[] = {
            {"loncztopdown", KindLineVertical},      {"lonczleftright", KindLineHorizontal},
            {"lonczgrotright", KindJoinRight},       {"lonczgrotleft", KindJoinLeft},
            {"loncztopright", KindCornerTopRight},   {"lonczdownright", KindCornerBottomRight},
            {"lonczleftdown", KindCornerLeftBottom}, {"loncztopleft", KindCornerTopLeft}};
        for (const auto& line : lines) {
            const int kind = line.kind;
            s[QString::fromLatin1(line.name)] = [kind](QPainter& p) { connector(p, kind); };
        }
        return s;
    }();
    return sources;
}

}  // namespace

bool drawSchemaShape(QPainter& painter, const QString& name) {
    const auto found = shapeSources().find(name);
    if (found == shapeSources().end()) {
        return false;
    }
    painter.save();
    prepare(painter);
    painter.setPen(linePen());
    painter.setBrush(Qt::NoBrush);
    found->second(painter);
    painter.restore();
    return true;
}

void addSchemaPictures(Recipes& r) {
    for (const auto& [name, source] : shapeSources()) {
        const QString shape = name;
        r[shape.toStdString()] = [shape] {
            QImage image = canvas(180, 60, Qt::white);
            QPainter p(&image);
            drawSchemaShape(p, shape);
            return image;
        };
    }
}

}  // namespace trevalon::pictures

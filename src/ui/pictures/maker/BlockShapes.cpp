#include "BlockShapes.h"

#include <QPainterPath>
#include <QPolygonF>

#include "Canvas.h"
#include "model/KindCode.h"

namespace trevalon::pictures {
namespace {

constexpr double Mid = 20.0;  // the flow runs along x = 20 and y = 20 of a tile
constexpr double Line = 2.0;

// Hues of the kinds; fill and edge come from hueFill / hueEdge.
int hueOf(int kind) {
    switch (kind) {
        case KindStart:
            return 140;  // start: green
        case KindEnd:
            return 356;  // end: red
        case KindBranchStart:
        case KindBranchEnd:
            return 184;  // branch: teal
        case KindVariable:
            return 38;  // variable: amber
        case KindReadWrite:
            return 214;  // input/output: blue
        case KindCall:
            return 262;  // call: violet
        case KindReturn:
            return 292;  // return: purple
        case KindMessage:
            return 198;  // message: sky
        case KindQuestion:
            return 24;  // question: orange
        case KindRandom:
            return 330;  // random: pink
        case KindAssign:
            return 232;  // assignment: indigo
        case KindCompareVars:
            return 48;  // comparison of two variables: gold
        case KindArrayWrite:
            return 170;  // array write: sea green
        case KindArrayRead:
            return 150;  // array read: green
        case KindCompareFormula:
            return 80;  // comparison with a formula: lime
        default:
            return 0;
    }
}

QPen flowPen() {
    return QPen(flowColour(), Line, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

void vertical(QPainter& p, double from, double to) {
    p.setPen(flowPen());
    p.drawLine(QPointF(Mid, from), QPointF(Mid, to));
}

void horizontal(QPainter& p, double from, double to) {
    p.setPen(flowPen());
    p.drawLine(QPointF(from, Mid), QPointF(to, Mid));
}

// The stub from the top edge into a shape whose top is at `top`, ending in an arrow head.
void entry(QPainter& p, double top) {
    vertical(p, 0, top - 4);
    arrowHead(p, QPointF(Mid, top), 0, 1, 5, 6, flowColour());
}

void exitDown(QPainter& p, double bottom) {
    vertical(p, bottom, 40);
}

void fillShape(QPainter& p, const QPainterPath& shape, int kind) {
    p.setPen(QPen(hueEdge(hueOf(kind)), 1.2));
    p.setBrush(hueFill(hueOf(kind)));
    p.drawPath(shape);
}

void glyphText(QPainter& p, const QRectF& box, const QString& text, int size, bool useSerif) {
    centredText(p, box, text, useSerif ? serif(size, true) : sans(size, true), Qt::white);
}

QPen glyphPen(double width = 1.8) {
    return QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

void drawStart(QPainter& p, int kind) {
    exitDown(p, 27);
    QPainterPath pill;
    pill.addRoundedRect(QRectF(6.5, 10.5, 27, 17), 8.5, 8.5);
    fillShape(p, pill, kind);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(17, 14.5), QPointF(17, 23.5), QPointF(24.5, 19)}));
}

void drawEnd(QPainter& p, int kind) {
    entry(p, 13);
    QPainterPath pill;
    pill.addRoundedRect(QRectF(6.5, 13.5, 27, 17), 8.5, 8.5);
    fillShape(p, pill, kind);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(16.5, 18.5, 7, 7), 1, 1);
}

void drawBranchStart(QPainter& p, int kind) {
    exitDown(p, 25);
    QPainterPath circle;
    circle.addEllipse(QPointF(Mid, 15.5), 9.5, 9.5);
    fillShape(p, circle, kind);
    // An arrow leaving downwards: the flow comes in from elsewhere and goes on from here.
    p.setPen(glyphPen());
    p.drawLine(QPointF(Mid, 10.5), QPointF(Mid, 17));
    arrowHead(p, QPointF(Mid, 21.5), 0, 1, 5, 8, Qt::white);
}

void drawBranchEnd(QPainter& p, int kind) {
    entry(p, 15);
    QPainterPath circle;
    circle.addEllipse(QPointF(Mid, 24.5), 9.5, 9.5);
    fillShape(p, circle, kind);
    // A hooked arrow: the flow jumps to another place of the board.
    p.setPen(glyphPen());
    p.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(16, 29.5);
    hook.lineTo(16, 23.5);
    hook.quadTo(16, 21, 19, 21);
    hook.lineTo(21.5, 21);
    p.drawPath(hook);
    arrowHead(p, QPointF(26, 21), 1, 0, 5, 7, Qt::white);
}

void drawVariable(QPainter& p, int kind) {
    QPainterPath card;
    card.addRoundedRect(QRectF(8.5, 8.5, 23, 23), 3, 3);
    fillShape(p, card, kind);
    // A declaration is a named box: an "x" over a line that holds its value.
    glyphText(p, QRectF(8.5, 7, 23, 18), QStringLiteral("x"), 15, true);
    p.setPen(glyphPen(1.6));
    p.drawLine(QPointF(13, 26), QPointF(27, 26));
}

// The data comes in from the upper left onto the parallelogram's slanted edge and leaves it
// to the lower right: corners of the tile the flow never passes through. The arrows take the
// kind's edge colour, so that they do not read as the flow.
void drawReadWriteShape(QPainter& p, DataArrows arrows) {
    const int kind = KindReadWrite;
    entry(p, 11);
    exitDown(p, 29);
    fillShape(p, polygonPath({{13.5, 11.5}, {35.5, 11.5}, {26.5, 28.5}, {4.5, 28.5}}), kind);
    // Two lines of data, slanted with the shape.
    p.setPen(glyphPen(1.6));
    p.drawLine(QPointF(15, 16.5), QPointF(28, 16.5));
    p.drawLine(QPointF(12, 23.5), QPointF(25, 23.5));
    const QColor colour = hueEdge(hueOf(kind));
    if (arrows != DataArrows::Out) {
        slantedArrow(p, QPointF(4, 5), QPointF(12.4, 13.5), 1.6, 4.5, 6, colour);
    }
    if (arrows != DataArrows::In) {
        slantedArrow(p, QPointF(27.6, 26.5), QPointF(36, 35), 1.6, 4.5, 6, colour);
    }
}

void drawCall(QPainter& p, int kind) {
    entry(p, 11);
    exitDown(p, 29);
    QPainterPath box;
    box.addRect(QRectF(5.5, 11.5, 29, 17));
    fillShape(p, box, kind);
    p.setPen(QPen(hueEdge(hueOf(kind)), 1.2));
    p.drawLine(QPointF(9.5, 11.5), QPointF(9.5, 28.5));
    p.drawLine(QPointF(30.5, 11.5), QPointF(30.5, 28.5));
    p.setPen(glyphPen());
    p.drawLine(QPointF(13.5, 20), QPointF(22, 20));
    arrowHead(p, QPointF(27, 20), 1, 0, 5.5, 8, Qt::white);
}

void drawReturn(QPainter& p, int kind) {
    entry(p, 11);
    exitDown(p, 29);
    fillShape(p,
              polygonPath(
                  {{4.5, 20}, {10.5, 11.5}, {29.5, 11.5}, {35.5, 20}, {29.5, 28.5}, {10.5, 28.5}}),
              kind);
    p.setPen(glyphPen());
    p.setBrush(Qt::NoBrush);
    QPainterPath back;
    back.moveTo(25.5, 25);
    back.lineTo(25.5, 19);
    back.quadTo(25.5, 16, 22.5, 16);
    back.lineTo(18.5, 16);
    p.drawPath(back);
    arrowHead(p, QPointF(13.5, 16), -1, 0, 5, 7, Qt::white);
}

void drawMessage(QPainter& p, int kind) {
    entry(p, 10);
    exitDown(p, 29);
    // The document shape, its lower edge a wave.
    QPainterPath page;
    page.moveTo(6.5, 10.5);
    page.lineTo(33.5, 10.5);
    page.lineTo(33.5, 26.5);
    page.cubicTo(27, 22, 20, 31, 6.5, 26.5);
    page.closeSubpath();
    fillShape(p, page, kind);
    glyphText(p, QRectF(6.5, 8.5, 27, 18), QStringLiteral("!"), 14, false);
}

void drawQuestion(QPainter& p, int kind) {
    entry(p, 10);
    exitDown(p, 27);
    // A speech bubble with its tail to the lower left.
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(5.5, 10.5, 29, 17), 6, 6);
    bubble.addPolygon(QPolygonF({QPointF(9, 25), QPointF(7, 33), QPointF(16, 26)}));
    bubble.setFillRule(Qt::WindingFill);
    fillShape(p, bubble.simplified(), kind);
    glyphText(p, QRectF(5.5, 9.5, 29, 18), QStringLiteral("?"), 14, false);
}

void drawRandom(QPainter& p, int kind) {
    entry(p, 11);
    exitDown(p, 29);
    QPainterPath box;
    box.addRoundedRect(QRectF(5.5, 11.5, 29, 17), 3, 3);
    fillShape(p, box, kind);
    // A die showing three.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(13.5, 13.5, 13, 13), 2.5, 2.5);
    p.setBrush(hueEdge(hueOf(kind)));
    for (int i = 0; i < 3; ++i) {
        p.drawEllipse(QPointF(16.6 + 3.4 * i, 16.6 + 3.4 * i), 1.5, 1.5);
    }
}

void drawAssign(QPainter& p, int kind) {
    entry(p, 11);
    exitDown(p, 29);
    QPainterPath box;
    box.addRect(QRectF(4.5, 11.5, 31, 17));
    fillShape(p, box, kind);
    glyphText(p, QRectF(4.5, 11, 31, 17), QStringLiteral(":="), 12, false);
}

void drawCompare(QPainter& p, int kind, const QString& glyph) {
    entry(p, 5);
    horizontal(p, 0, 5);
    horizontal(p, 35, 40);
    fillShape(p, polygonPath({{Mid, 5}, {35, Mid}, {Mid, 35}, {5, Mid}}), kind);
    glyphText(p, QRectF(8, 12, 24, 16), glyph, 8, false);
    // The flow leaves to the left when the comparison holds, to the right when it does not.
    p.setPen(QPen(QColor(40, 150, 80), 1.4));
    p.drawLine(QPointF(2, 13.5), QPointF(7, 13.5));
    p.drawLine(QPointF(4.5, 11), QPointF(4.5, 16));
    p.setPen(QPen(QColor(200, 50, 60), 1.4));
    p.drawLine(QPointF(33, 13.5), QPointF(38, 13.5));
}

void drawArray(QPainter& p, int kind, bool write) {
    entry(p, 13);
    exitDown(p, 29);
    QPainterPath row;
    row.addRect(QRectF(4.5, 13.5, 31, 15));
    fillShape(p, row, kind);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(15.5, 15.5, 9, 11));
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(10, 16), QPointF(10, 26));
    p.drawLine(QPointF(30, 16), QPointF(30, 26));
    // The middle element receives a value, or gives one away.
    const QColor arrow = hueEdge(hueOf(kind));
    p.setPen(QPen(arrow, 1.6));
    if (write) {
        p.drawLine(QPointF(Mid, 16.5), QPointF(Mid, 21));
        arrowHead(p, QPointF(Mid, 25), 0, 1, 4, 6, arrow);
    } else {
        p.drawLine(QPointF(Mid, 21), QPointF(Mid, 25.5));
        arrowHead(p, QPointF(Mid, 17), 0, -1, 4, 6, arrow);
    }
}

// Connectors: lines through the middle of the sides they carry. Straight lines and corners
// carry the flow either way (a loop runs back up through them), so they get no arrow head;
// a junction's side branch only ever brings the flow in, and its arrow head says so.
void drawConnector(QPainter& p, int kind) {
    const QColor c = flowColour();
    switch (kind) {
        case KindLineVertical:
            vertical(p, 0, 40);
            break;
        case KindLineHorizontal:
            horizontal(p, 0, 40);
            break;
        case KindJoinRight:
        case KindJoinLeft: {
            const bool right = kind == KindJoinRight;
            vertical(p, 0, 40);
            horizontal(p, right ? 24 : 0, right ? 40 : 16);
            arrowHead(p, QPointF(right ? 21 : 19, Mid), right ? -1 : 1, 0, 7, 8, c);
            break;
        }
        case KindCornerTopRight:
        case KindCornerBottomRight:
        case KindCornerLeftBottom:
        case KindCornerTopLeft: {
            // A rounded bend reads better than a sharp one.
            const bool top = kind == KindCornerTopRight || kind == KindCornerTopLeft;
            const bool rightSide = kind == KindCornerTopRight || kind == KindCornerBottomRight;
            QPainterPath bend;
            bend.moveTo(Mid, top ? 0 : 40);
            bend.lineTo(Mid, top ? Mid - 6 : Mid + 6);
            bend.quadTo(Mid, Mid, rightSide ? Mid + 6 : Mid - 6, Mid);
            bend.lineTo(rightSide ? 40 : 0, Mid);
            p.setPen(flowPen());
            p.setBrush(Qt::NoBrush);
            p.drawPath(bend);
            break;
        }
        default:
            break;
    }
}

}  // namespace

QColor flowColour() {
    return palette::violet;
}

void drawCell(QPainter& painter, bool red) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, 40, 40), red ? QColor(252, 226, 229) : QColor(234, 235, 248));
    painter.setPen(red ? QColor(222, 120, 132) : QColor(184, 181, 218));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, 39, 39));
    // A faint mark on the middle, where the flow lines of neighbouring blocks meet.
    painter.setPen(red ? QColor(240, 190, 198) : QColor(210, 209, 234));
    painter.drawLine(18, 19, 21, 19);
    painter.drawLine(19, 18, 19, 21);
    painter.restore();
}

void drawReadWrite(QPainter& painter, DataArrows arrows) {
    painter.save();
    prepare(painter);
    drawReadWriteShape(painter, arrows);
    painter.restore();
}

void drawBlock(QPainter& painter, int kindCode) {
    painter.save();
    prepare(painter);
    switch (kindCode) {
        case KindStart:
            drawStart(painter, kindCode);
            break;
        case KindEnd:
            drawEnd(painter, kindCode);
            break;
        case KindBranchStart:
            drawBranchStart(painter, kindCode);
            break;
        case KindBranchEnd:
            drawBranchEnd(painter, kindCode);
            break;
        case KindVariable:
            drawVariable(painter, kindCode);
            break;
        case KindReadWrite:
            drawReadWriteShape(painter, DataArrows::Both);
            break;
        case KindCall:
            drawCall(painter, kindCode);
            break;
        case KindReturn:
            drawReturn(painter, kindCode);
            break;
        case KindMessage:
            drawMessage(painter, kindCode);
            break;
        case KindQuestion:
            drawQuestion(painter, kindCode);
            break;
        case KindRandom:
            drawRandom(painter, kindCode);
            break;
        case KindAssign:
            drawAssign(painter, kindCode);
            break;
        case KindCompareVars:
            drawCompare(painter, kindCode, QStringLiteral("x=y"));
            break;
        case KindArrayWrite:
            drawArray(painter, kindCode, true);
            break;
        case KindArrayRead:
            drawArray(painter, kindCode, false);
            break;
        case KindCompareFormula:
            drawCompare(painter, kindCode, QStringLiteral("x=\u0192"));
            break;
        default:
            drawConnector(painter, kindCode);
            break;
    }
    painter.restore();
}

}  // namespace trevalon::pictures

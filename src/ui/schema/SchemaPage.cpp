#include "ui/schema/SchemaPage.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "SchemaShapes.h"
#include "config/TextTable.h"
#include "exec/Executor.h"
#include "model/BlockCatalogue.h"
#include "model/Board.h"
#include "ui/pictures/PictureLayout.h"
#include "ui/pictures/PictureStore.h"
#include "ui/widgets/Palette.h"

namespace trevalon {
namespace {

constexpr int ReadMode = 0;

bool drawn(const Cell& cell, bool withVariables) {
    return cell.occupied && (withVariables || cell.kindCode != KindVariable);
}

bool isComparison(int kindCode) {
    return kindCode == KindCompareVars || kindCode == KindCompareFormula;
}

// A shape whose picture is missing is still recognisable as a block in its place.
void drawShape(QPainter& p, const QString& name, const QRect& box, PictureSource source) {
    if (source == PictureSource::Drawings) {
        p.save();
        p.translate(box.topLeft());
        const bool drawn = pictures::drawSchemaShape(p, name);
        p.restore();
        if (drawn) {
            return;
        }
    } else {
        const QImage shape = name.isEmpty() ? QImage() : PictureStore::shared().image(name);
        if (!shape.isNull()) {
            p.drawImage(box.topLeft(), shape);
            return;
        }
    }
    p.setPen(palette::violet);
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(10, 10, -11, -11));
}

void arrowHead(QPainter& p, QPointF tip, int dx, int dy) {
    constexpr double length = 7;
    constexpr double width = 7;
    const QPointF along(dx, dy);
    const QPointF across(-dy, dx);
    const QPointF back = tip - along * length;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(palette::ink);
    p.drawPolygon(QPolygonF{tip, back + across * (width / 2), back - across * (width / 2)});
    p.restore();
}

// Where a block's shape meets the vertical flow line; none for blocks the flow only leaves
// (starts, which always leave downward) or never enters (variables, connectors).
const layout::SchemaEdges* entryEdges(int kindCode) {
    switch (kindCode) {
        case KindEnd:
        case KindBranchEnd:
            return &layout::SchemaEndEdges;
        case KindCompareVars:
        case KindCompareFormula:
            return &layout::SchemaConditionEdges;
        case KindReadWrite:
        case KindCall:
        case KindReturn:
        case KindMessage:
        case KindQuestion:
        case KindRandom:
        case KindAssign:
        case KindArrayWrite:
        case KindArrayRead:
            return &layout::SchemaBoxEdges;
        default:
            return nullptr;
    }
}

bool isConnector(int kindCode) {
    return kindCode >= KindLineVertical && kindCode <= KindCornerTopLeft;
}

// A block gets its entry line and head on the side the flow comes in from. One the flow
// enters both from above and from below gets no head; one no walk reaches is read the way a
// flowchart is written, entered from above.
void drawEntry(QPainter& p, const QRect& box, const layout::SchemaEdges& edges,
               std::uint8_t arriving) {
    const std::uint8_t vertical = arriving & (SchemaFlow::Down | SchemaFlow::Up);
    const double x = box.left() + layout::SchemaMidX;
    const double top = box.top();
    const double bottom = box.top() + SchemaPage::ShapeHeight;
    p.setPen(QPen(palette::ink, 1.6, Qt::SolidLine, Qt::FlatCap));
    if (vertical != SchemaFlow::Up) {
        p.drawLine(QPointF(x, top), QPointF(x, top + edges.top));
    }
    if (vertical & SchemaFlow::Up) {
        p.drawLine(QPointF(x, top + edges.bottom), QPointF(x, bottom));
    }
    if (vertical == SchemaFlow::Up) {
        arrowHead(p, QPointF(x, top + edges.bottom), 0, -1);
    } else if (vertical != (SchemaFlow::Down | SchemaFlow::Up)) {
        arrowHead(p, QPointF(x, top + edges.top), 0, 1);
    }
}

// A connector shows which way the flow leaves it when that is one way only; otherwise it
// stays a plain line (a junction's side head is part of its picture: that one never changes).
void drawExit(QPainter& p, const QRect& box, std::uint8_t leaving) {
    const QPointF mid(box.left() + layout::SchemaMidX, box.top() + layout::SchemaMidY);
    switch (leaving) {
        case SchemaFlow::Down:
            arrowHead(p, mid + QPointF(0, 18), 0, 1);
            break;
        case SchemaFlow::Up:
            arrowHead(p, mid - QPointF(0, 18), 0, -1);
            break;
        case SchemaFlow::Right:
            arrowHead(p, mid + QPointF(60, 0), 1, 0);
            break;
        case SchemaFlow::Left:
            arrowHead(p, mid - QPointF(60, 0), -1, 0);
            break;
        default:
            break;
    }
}

// The block a connector's only way out leads into shows the direction with its own entry
// head; a second head one step before it says nothing more.
bool leadsIntoBlock(const Board& board, const SchemaFlow& flow, int column, int row) {
    const std::uint8_t leaving = flow.leaving(column, row);
    if (leaving != SchemaFlow::Down && leaving != SchemaFlow::Up) {
        return false;  // blocks are entered from above or below only
    }
    const int r = row + (leaving == SchemaFlow::Down ? 1 : -1);
    if (r < 1 || r > SchemaFlow::usedRows(board)) {
        return false;
    }
    const Cell& next = board.cell(column, r);
    return next.occupied && entryEdges(next.kindCode) != nullptr;
}

}  // namespace

SchemaArea SchemaPage::visibleArea(const Board& board, bool withVariables) {
    int first = 0, last = 0, top = 0, bottom = 0;
    SchemaArea area;
    for (int c = 1; c <= SchemaFlow::usedColumns(board); ++c) {
        for (int r = 1; r <= SchemaFlow::usedRows(board); ++r) {
            const Cell& cell = board.cell(c, r);
            if (cell.occupied && isComparison(cell.kindCode)) {
                ++area.conditions;
            }
            if (!drawn(cell, withVariables)) {
                continue;
            }
            first = first == 0 ? c : first;
            last = c;
            top = top == 0 ? r : std::min(top, r);
            bottom = std::max(bottom, r);
        }
    }
    if (first != 0) {
        area.left = first;
        area.top = top;
        area.width = last - first + 1;
        area.height = bottom - top + 1;
    }
    return area;
}

QSize SchemaPage::pageSize(const SchemaArea& area) {
    if (area.empty()) {
        return {};
    }
    return {area.width * ShapeWidth,
            area.height * ShapeHeight + area.conditions * ConditionPitch + BottomMargin};
}

QString SchemaPage::shapeName(int kindCode, int mode) {
    return BlockCatalogue::schemaShape(kindCode, mode);
}

QString SchemaPage::cut(const QString& text, int length) {
    return text.size() > length ? text.left(length) + QStringLiteral("...") : text;
}

QString SchemaPage::relation(int mode) {
    // A code no editor writes (a damaged file) is shown as such rather than as a valid one.
    const QString relation = BlockCatalogue::comparisonOperator(mode);
    return relation.isEmpty() ? QStringLiteral("?") : relation;
}

QString SchemaPage::elementText(const Cell& cell, const TextTable& texts, int condition) {
    const QString assign = QStringLiteral(":=");
    switch (cell.kindCode) {
        case KindStart:
            return texts.text(texts::SchemaStart);
        case KindEnd:
            return texts.text(texts::SchemaStop);
        case KindBranchStart:
        case KindBranchEnd:
            return cut(cell.name, 20);
        case KindVariable:
            return cell.name;
        case KindReadWrite:
            return texts.text(cell.mode == ReadMode ? texts::SchemaRead : texts::SchemaWrite) +
                   QLatin1Char('(') + cut(cell.variable(), 15) + QLatin1Char(')');
        case KindCall:
        case KindReturn:
            return cut(cell.link(), 20);
        case KindMessage:
        case KindQuestion:
            return texts.text(texts::SchemaWrite) + QStringLiteral("(\"") + cut(cell.prompt(), 18) +
                   QStringLiteral("\")");
        case KindRandom:
            return cut(cell.variable() + assign + texts.text(texts::SchemaRandom) +
                           QLatin1Char('(') + cell.range(),
                       25) +
                   QLatin1Char(')');
        case KindAssign:
            return cut(cell.variable() + assign + cell.formula(), 25);
        case KindCompareVars:
        case KindCompareFormula:
            return texts.text(texts::SchemaCondition) + QString::number(condition);
        case KindArrayWrite:
            return cell.variable() + QLatin1Char('[') + cell.arrayIndex() + QStringLiteral("]") +
                   assign + cell.arrayOther();
        case KindArrayRead:
            return cell.arrayOther() + assign + cell.variable() + QLatin1Char('[') +
                   cell.arrayIndex() + QLatin1Char(']');
        default:
            return {};
    }
}

QString SchemaPage::conditionLine(const Cell& cell, const TextTable& texts, int condition) {
    return elementText(cell, texts, condition) + QStringLiteral(": ") + cell.variable() +
           relation(cell.comparison()) + cell.comparedWith();
}

SchemaPicture SchemaPage::draw(const Board& board, const TextTable& texts, bool withVariables,
                               const QFont& font) {
    const SchemaArea area = visibleArea(board, withVariables);
    if (area.empty()) {
        return {area, {}, {}, {}};
    }
    QImage page(pageSize(area), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    SchemaPicture picture = paint(p, board, texts, withVariables, font, PictureSource::Tiles);
    picture.page = page;
    return picture;
}

SchemaPicture SchemaPage::paint(QPainter& p, const Board& board, const TextTable& texts,
                                bool withVariables, const QFont& font, PictureSource source) {
    SchemaPicture picture;
    picture.area = visibleArea(board, withVariables);
    const SchemaArea& area = picture.area;
    if (area.empty()) {
        return picture;
    }
    QFont pageFont = font;
    pageFont.setPixelSize(QFontInfo(font).pixelSize());
    p.save();
    p.setFont(pageFont);
    const QFontMetrics metrics(pageFont);
    const SchemaFlow flow = SchemaFlow::trace(board);
    int condition = 0;
    for (int c = 1; c <= SchemaFlow::usedColumns(board); ++c) {
        for (int r = 1; r <= SchemaFlow::usedRows(board); ++r) {
            const Cell& cell = board.cell(c, r);
            if (!drawn(cell, withVariables)) {
                continue;
            }
            if (isComparison(cell.kindCode)) {
                ++condition;
                picture.conditions.append(conditionLine(cell, texts, condition));
            }
            const QRect box((c - area.left) * ShapeWidth, (r - area.top) * ShapeHeight, ShapeWidth,
                            ShapeHeight);
            drawShape(p, shapeName(cell.kindCode, cell.mode), box, source);
            if (const layout::SchemaEdges* edges = entryEdges(cell.kindCode)) {
                drawEntry(p, box, *edges, flow.arriving(c, r));
            } else if (isConnector(cell.kindCode) && !leadsIntoBlock(board, flow, c, r)) {
                drawExit(p, box, flow.leaving(c, r));
            }
            const QString text = elementText(cell, texts, condition);
            p.setPen(Qt::black);
            p.drawText(box, Qt::AlignCenter | Qt::TextDontClip, text);
            picture.elements.push_back(
                {c, r, text, QSize(metrics.horizontalAdvance(text), metrics.height())});
        }
    }
    p.setPen(Qt::black);
    for (int i = 0; i < picture.conditions.size(); ++i) {
        const int y = area.height * ShapeHeight + ConditionPitch * i + ConditionTop;
        p.drawText(QPoint(ConditionLeft, y + metrics.ascent()), picture.conditions[i]);
    }
    p.restore();
    return picture;
}

}  // namespace trevalon

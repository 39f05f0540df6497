#include "ui/SchemaPage.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Board.h"
#include "ui/pictures/PictureStore.h"

namespace trevalon {
namespace {

enum TextNumber {
    TextStart = 801,
    TextStop = 802,
    TextRead = 803,
    TextWrite = 804,
    TextRandom = 805,
    TextCondition = 806,
};

constexpr int ReadMode = 0;

bool drawn(const Cell& cell, bool withVariables) {
    return cell.occupied && (withVariables || cell.kindCode != KindVariable);
}

bool isComparison(int kindCode) {
    return kindCode == KindCompareVars || kindCode == KindCompareFormula;
}

int usedColumns(const Board& board) {
    return std::clamp(board.columns, 0, kGridSize);
}

int usedRows(const Board& board) {
    return std::clamp(board.rows, 0, kGridSize);
}

// A shape whose picture is missing is still recognisable as a block in its place.
void drawShape(QPainter& p, const QString& name, const QRect& box) {
    const QImage shape = name.isEmpty() ? QImage() : PictureStore::shared().image(name);
    if (!shape.isNull()) {
        p.drawImage(box.topLeft(), shape);
        return;
    }
    p.setPen(QColor(72, 68, 112));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(10, 10, -11, -11));
}

}  // namespace

SchemaArea SchemaPage::visibleArea(const Board& board, bool withVariables) {
    int first = 0, last = 0, top = 0, bottom = 0;
    SchemaArea area;
    for (int c = 1; c <= usedColumns(board); ++c) {
        for (int r = 1; r <= usedRows(board); ++r) {
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

QString SchemaPage::shapeName(int kindCode) {
    switch (kindCode) {
        case KindStart:
        case KindBranchStart:
            return QStringLiteral("kompbigstart");
        case KindEnd:
        case KindBranchEnd:
            return QStringLiteral("kompbigend");
        case KindVariable:
            return QStringLiteral("zmienna");
        case KindReadWrite:
        case KindMessage:
        case KindQuestion:
            return QStringLiteral("napisz");
        case KindCall:
            return QStringLiteral("doprocedury");
        case KindReturn:
            return QStringLiteral("zprocedury");
        case KindRandom:
        case KindAssign:
        case KindArrayWrite:
        case KindArrayRead:
            return QStringLiteral("przypisz");
        case KindCompareVars:
        case KindCompareFormula:
            return QStringLiteral("warunek");
        case KindLineVertical:
            return QStringLiteral("loncztopdown");
        case KindLineHorizontal:
            return QStringLiteral("lonczleftright");
        case KindJoinRight:
            return QStringLiteral("lonczgrotright");
        case KindJoinLeft:
            return QStringLiteral("lonczgrotleft");
        case KindCornerTopRight:
            return QStringLiteral("loncztopright");
        case KindCornerBottomRight:
            return QStringLiteral("lonczdownright");
        case KindCornerLeftBottom:
            return QStringLiteral("lonczleftdown");
        case KindCornerTopLeft:
            return QStringLiteral("loncztopleft");
        default:
            return {};
    }
}

QString SchemaPage::cut(const QString& text, int length) {
    return text.size() > length ? text.left(length) + QStringLiteral("...") : text;
}

QString SchemaPage::relation(int mode) {
    static const char* const relations[] = {"=", ">", "<", ">=", "<=", "<>"};
    // A code no editor writes (a damaged file) is shown as such rather than as a valid one.
    return mode >= 0 && mode < 6 ? QString::fromLatin1(relations[mode]) : QStringLiteral("?");
}

QString SchemaPage::elementText(const Cell& cell, const TextTable& texts, int condition) {
    const QString assign = QStringLiteral(":=");
    switch (cell.kindCode) {
        case KindStart:
            return texts.text(TextStart);
        case KindEnd:
            return texts.text(TextStop);
        case KindBranchStart:
        case KindBranchEnd:
            return cut(cell.name, 20);
        case KindVariable:
            return cell.name;
        case KindReadWrite:
            return texts.text(cell.mode == ReadMode ? TextRead : TextWrite) + QLatin1Char('(') +
                   cut(cell.text2, 15) + QLatin1Char(')');
        case KindCall:
        case KindReturn:
            return cut(cell.text2, 20);
        case KindMessage:
        case KindQuestion:
            return texts.text(TextWrite) + QStringLiteral("(\"") + cut(cell.text4, 18) +
                   QStringLiteral("\")");
        case KindRandom:
            return cut(cell.text2 + assign + texts.text(TextRandom) + QLatin1Char('(') + cell.text4,
                       25) +
                   QLatin1Char(')');
        case KindAssign:
            return cut(cell.text2 + assign + cell.text4, 25);
        case KindCompareVars:
        case KindCompareFormula:
            return texts.text(TextCondition) + QString::number(condition);
        case KindArrayWrite:
            return cell.text2 + QLatin1Char('[') + cell.text3 + QStringLiteral("]") + assign +
                   cell.text4;
        case KindArrayRead:
            return cell.text4 + assign + cell.text2 + QLatin1Char('[') + cell.text3 +
                   QLatin1Char(']');
        default:
            return {};
    }
}

QString SchemaPage::conditionLine(const Cell& cell, const TextTable& texts, int condition) {
    const QString& right = cell.kindCode == KindCompareVars ? cell.text3 : cell.text4;
    return elementText(cell, texts, condition) + QStringLiteral(": ") + cell.text2 +
           relation(cell.mode) + right;
}

SchemaPicture SchemaPage::draw(const Board& board, const TextTable& texts, bool withVariables,
                               const QFont& font) {
    SchemaPicture picture;
    picture.area = visibleArea(board, withVariables);
    const SchemaArea& area = picture.area;
    if (area.empty()) {
        return picture;
    }
    picture.page = QImage(pageSize(area), QImage::Format_RGB32);
    picture.page.fill(Qt::white);
    QPainter p(&picture.page);
    p.setFont(font);
    const QFontMetrics metrics(font);
    int condition = 0;
    for (int c = 1; c <= usedColumns(board); ++c) {
        for (int r = 1; r <= usedRows(board); ++r) {
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
            drawShape(p, shapeName(cell.kindCode), box);
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
    return picture;
}

}  // namespace trevalon

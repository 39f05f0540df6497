// Descriptions of blocks: the status line, the check report and tool tips all show them.
#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

namespace trevalon {
namespace {

const QString Q = QStringLiteral("\"");

bool isSet(const QString& field) {
    return field != Project::Unset;
}

// "(linked to text2)" or "not linked" for branch blocks.
QString branchLink(const Cell& c, const TextTable& t) {
    if (c.text2 != t.text(330)) {
        return t.text(328) + c.text2 + Q;
    }
    return t.text(329);
}

// The variable a read/write, question or random block is tied to, or the "not yet tied" words.
QString linkedVariable(const Cell& c, const TextTable& t, int linkedText) {
    return isSet(c.text2) ? t.text(linkedText) + c.text2 + Q : t.text(334);
}

QString describeAssignment(const Cell& c, const TextTable& t) {
    QString s = t.text(345) + c.name + Q;
    if (!isSet(c.text2)) {
        return s + t.text(334);
    }
    s += t.text(346) + c.text2 + t.text(347);
    return isSet(c.text4) ? s + c.text4 + Q : s + t.text(348);
}

QString describeComparison(const Cell& c, const TextTable& t) {
    QString s = t.text(349) + c.name + Q;
    const bool withFormula = c.kindCode == KindCompareFormula;
    if (!isSet(c.text2)) {
        return s + t.text(withFormula ? 356 : 353);
    }
    s += t.text(350) + c.text2 + Q;
    const QString& other = withFormula ? c.text4 : c.text3;
    if (isSet(other)) {
        return s + t.text(withFormula ? 354 : 351) + other + Q;
    }
    return s + t.text(withFormula ? 355 : 352);
}

QString describeArray(const Cell& c, const TextTable& t, int heading) {
    return t.text(heading) + c.name + Q + t.text(358) + c.text2 + t.text(359) + c.text3 +
           t.text(360) + c.text4 + Q;
}

}  // namespace

QString Project::describeVariable(int n, int column, int row, const TextTable& t) const {
    const Cell& c = cell(n, column, row);
    return t.text(320) + t.text(c.scope == 0 ? 318 : 319) + QStringLiteral(" ") + Q + c.name +
           t.text(321) + t.text(BlockCatalogue::typeListText(c.mode)) + t.text(322) + c.text4 + Q +
           QStringLiteral(" ");
}

QString Project::describeBlock(int n, int column, int row, const TextTable& t) const {
    const Cell& c = cell(n, column, row);
    const bool procedureBoard = board(n).kind == BoardProcedure;
    switch (c.kindCode) {
        case KindStart:
            return t.text(323) + c.name + (procedureBoard ? t.text(324) + c.name + Q : Q);
        case KindEnd:
            return t.text(325) + c.name + (procedureBoard ? t.text(326) + c.name + Q : Q);
        case KindBranchStart:
            return t.text(327) + c.name + Q + branchLink(c, t);
        case KindBranchEnd:
            return t.text(331) + c.name + Q + branchLink(c, t);
        case KindReadWrite:
            return t.text(332) + c.name + Q + linkedVariable(c, t, c.mode == 1 ? 335 : 333);
        case KindCall:
            return t.text(336) + c.name + Q +
                   (isSet(c.text2) ? t.text(337) + c.text2 + Q : t.text(329));
        case KindReturn:
            return t.text(338) + c.name + Q +
                   (isSet(c.text2) ? t.text(328) + c.text2 + Q : t.text(329));
        case KindMessage:
            return t.text(339) + c.name + Q +
                   (isSet(c.text4) ? t.text(340) + c.text4 + Q : t.text(341));
        case KindQuestion:
            return t.text(342) + c.name + Q + linkedVariable(c, t, 343);
        case KindRandom:
            return t.text(344) + c.name + Q + linkedVariable(c, t, 343);
        case KindAssign:
            return describeAssignment(c, t);
        case KindCompareVars:
        case KindCompareFormula:
            return describeComparison(c, t);
        case KindArrayWrite:
            return describeArray(c, t, 357);
        case KindArrayRead:
            return describeArray(c, t, 361);
        default:
            if (c.group == 4) {
                return t.text(362) + c.name + Q;
            }
            return {};
    }
}

QString Project::describeCell(int n, int column, int row, const TextTable& t) const {
    const Cell& c = cell(n, column, row);
    if (!c.occupied) {
        return {};
    }
    return c.isVariable ? describeVariable(n, column, row, t) : describeBlock(n, column, row, t);
}

}  // namespace trevalon

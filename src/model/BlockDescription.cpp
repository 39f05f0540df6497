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

// "(linked to the other end)" or "not linked" for branch blocks.
QString branchLink(const Cell& c, const TextTable& t) {
    if (c.link() != t.text(texts::TipNoBlock)) {
        return t.text(texts::TipLinkedTo) + c.link() + Q;
    }
    return t.text(texts::TipNotLinked);
}

// The variable a read/write, question or random block is tied to, or the "not yet tied" words.
QString linkedVariable(const Cell& c, const TextTable& t, int linkedText) {
    return isSet(c.variable()) ? t.text(linkedText) + c.variable() + Q
                               : t.text(texts::TipNoVariableYet);
}

QString describeAssignment(const Cell& c, const TextTable& t) {
    QString s = t.text(texts::TipAssignment) + c.name + Q;
    if (!isSet(c.variable())) {
        return s + t.text(texts::TipNoVariableYet);
    }
    s += t.text(texts::TipOfVariable) + c.variable() + t.text(texts::TipAssignsFormula);
    return isSet(c.formula()) ? s + c.formula() + Q : s + t.text(texts::TipFormulaNotSet);
}

QString describeComparison(const Cell& c, const TextTable& t) {
    QString s = t.text(texts::TipComparison) + c.name + Q;
    const bool withFormula = c.kindCode == KindCompareFormula;
    if (!isSet(c.variable())) {
        return s + t.text(withFormula ? texts::TipComparedNotSet : texts::TipVariablesNotSet);
    }
    s += t.text(texts::TipComparesVariable) + c.variable() + Q;
    const QString& other = c.comparedWith();
    if (isSet(other)) {
        return s + t.text(withFormula ? texts::TipAndFormula : texts::TipAndVariable) + other + Q;
    }
    return s + t.text(withFormula ? texts::TipAndFormulaNotSet : texts::TipAndVariableNotSet);
}

QString describeArray(const Cell& c, const TextTable& t, int heading) {
    return t.text(heading) + c.name + Q + t.text(texts::TipArray) + c.variable() +
           t.text(texts::TipIndex) + c.arrayIndex() + t.text(texts::TipValue) + c.arrayOther() + Q;
}

}  // namespace

QString Project::describeVariable(int n, int column, int row, const TextTable& t) const {
    const Cell& c = cell(n, column, row);
    return t.text(texts::TipVariable) + t.text(c.scope == 0 ? texts::TipLocal : texts::TipGlobal) +
           QStringLiteral(" ") + Q + c.name + t.text(texts::TipOfType) +
           t.text(BlockCatalogue::typeListText(c.variableType())) +
           t.text(texts::TipWithStartValue) + c.startValue() + Q + QStringLiteral(" ");
}

QString Project::describeBlock(int n, int column, int row, const TextTable& t) const {
    const Cell& c = cell(n, column, row);
    const bool procedureBoard = board(n).kind == BoardProcedure;
    switch (c.kindCode) {
        case KindStart:
            return t.text(texts::TipStartBlock) + c.name +
                   (procedureBoard ? t.text(texts::TipStartsProcedure) + c.name + Q : Q);
        case KindEnd:
            return t.text(texts::TipEndBlock) + c.name +
                   (procedureBoard ? t.text(texts::TipEndsProcedure) + c.name + Q : Q);
        case KindBranchStart:
            return t.text(texts::TipBranchStart) + c.name + Q + branchLink(c, t);
        case KindBranchEnd:
            return t.text(texts::TipBranchEnd) + c.name + Q + branchLink(c, t);
        case KindReadWrite:
            return t.text(texts::TipReadWrite) + c.name + Q +
                   linkedVariable(c, t,
                                  c.writes() ? texts::TipWritesVariable : texts::TipReadsVariable);
        case KindCall:
            return t.text(texts::TipCall) + c.name + Q +
                   (isSet(c.link()) ? t.text(texts::TipLinkedToBoard) + c.link() + Q
                                    : t.text(texts::TipNotLinked));
        case KindReturn:
            return t.text(texts::TipReturn) + c.name + Q +
                   (isSet(c.link()) ? t.text(texts::TipLinkedTo) + c.link() + Q
                                    : t.text(texts::TipNotLinked));
        case KindMessage:
            return t.text(texts::TipMessage) + c.name + Q +
                   (isSet(c.prompt()) ? t.text(texts::TipMessageText) + c.prompt() + Q
                                      : t.text(texts::TipNotFilled));
        case KindQuestion:
            return t.text(texts::TipQuestion) + c.name + Q +
                   linkedVariable(c, t, texts::TipLinkedToVariable);
        case KindRandom:
            return t.text(texts::TipRandom) + c.name + Q +
                   linkedVariable(c, t, texts::TipLinkedToVariable);
        case KindAssign:
            return describeAssignment(c, t);
        case KindCompareVars:
        case KindCompareFormula:
            return describeComparison(c, t);
        case KindArrayWrite:
            return describeArray(c, t, texts::TipArrayWrite);
        case KindArrayRead:
            return describeArray(c, t, texts::TipArrayRead);
        default:
            if (c.group == 4) {
                return t.text(texts::TipConnector) + c.name + Q;
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

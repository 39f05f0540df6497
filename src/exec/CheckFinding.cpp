#include "exec/CheckFinding.h"

#include "config/TextIds.h"
#include "config/TextTable.h"

namespace trevalon {
namespace {

struct ReasonRow {
    CheckReason reason;
    const char* code;
    int text;
};

constexpr ReasonRow kReasons[] = {
    {CheckReason::BoardEmpty, "board-empty", texts::CheckReasonBoardEmpty},
    {CheckReason::NoStart, "no-start", texts::CheckReasonNoStart},
    {CheckReason::NoEnd, "no-end", texts::CheckReasonNoEnd},
    {CheckReason::FragmentHasStartOrEnd, "fragment-start-end", texts::CheckReasonFragmentStartEnd},
    {CheckReason::FragmentWithoutBranches, "fragment-branches", texts::CheckReasonFragmentBranches},
    {CheckReason::FieldNotSet, "field-not-set", texts::CheckReasonFieldNotSet},
    {CheckReason::NameNotFound, "name-not-found", texts::CheckReasonNameNotFound},
    {CheckReason::NoProcedureBoard, "no-procedure-board", texts::CheckReasonNoProcedureBoard},
    {CheckReason::TypesDisagree, "types-disagree", texts::CheckReasonTypesDisagree},
    {CheckReason::ResultDoesNotFit, "result-does-not-fit", texts::CheckReasonResultDoesNotFit},
    {CheckReason::FormulaFails, "formula-fails", texts::CheckReasonFormulaFails},
    {CheckReason::NothingAbove, "nothing-above", texts::CheckReasonNothingAbove},
    {CheckReason::NothingBelow, "nothing-below", texts::CheckReasonNothingBelow},
    {CheckReason::NothingLeft, "nothing-left", texts::CheckReasonNothingLeft},
    {CheckReason::NothingRight, "nothing-right", texts::CheckReasonNothingRight},
    {CheckReason::CallAndReturnApart, "call-return-apart", texts::CheckReasonCallReturnApart},
};

const ReasonRow& rowOf(CheckReason reason) {
    for (const ReasonRow& row : kReasons) {
        if (row.reason == reason) {
            return row;
        }
    }
    return kReasons[0];
}

// Puts args[k - 1] in place of every %k in one pass, so that a pupil's "%2" inside a formula
// or a name stays as typed (QString::arg, called once per word, would fill it in).
QString filled(const QString& pattern, const QStringList& args) {
    QString text;
    text.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'%' && i + 1 < pattern.size() && pattern.at(i + 1).isDigit()) {
            const int k = pattern.at(i + 1).digitValue();
            if (k >= 1 && k <= args.size()) {
                text += args.at(k - 1);
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

}  // namespace

QString checkReasonCode(CheckReason reason) {
    return QLatin1String(rowOf(reason).code);
}

QString checkFindingText(const CheckFinding& finding, const TextTable& texts) {
    QStringList args;
    if (finding.atCell()) {
        args << finding.block;
    }
    if (finding.field != 0) {
        args << texts.text(finding.field);
    }
    args << finding.details;
    return filled(texts.text(rowOf(finding.reason).text), args);
}

QString checkFindingLine(const CheckFinding& finding, const TextTable& texts) {
    const QString sentence = checkFindingText(finding, texts);
    if (!finding.atCell()) {
        return filled(texts.text(texts::CheckReasonOnBoard),
                      {QString::number(finding.board), sentence});
    }
    return filled(texts.text(texts::CheckReasonAtCell),
                  {QString::number(finding.board), QString::number(finding.column),
                   QString::number(finding.row), sentence});
}

}  // namespace trevalon

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
    {CheckReason::DuplicateName, "duplicate-name", texts::CheckReasonDuplicateName},
};

const ReasonRow& rowOf(CheckReason reason) {
    for (const ReasonRow& row : kReasons) {
        if (row.reason == reason) {
            return row;
        }
    }
    return kReasons[0];
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
    return TextTable::fill(texts.text(rowOf(finding.reason).text), args);
}

QString checkFindingLine(const CheckFinding& finding, const TextTable& texts) {
    const QString sentence = checkFindingText(finding, texts);
    if (!finding.atCell()) {
        return TextTable::fill(texts.text(texts::CheckReasonOnBoard),
                               {QString::number(finding.board), sentence});
    }
    return TextTable::fill(texts.text(texts::CheckReasonAtCell),
                           {QString::number(finding.board), QString::number(finding.column),
                            QString::number(finding.row), sentence});
}

}  // namespace trevalon

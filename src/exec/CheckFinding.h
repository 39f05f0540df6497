#pragma once

#include <QString>
#include <QStringList>

namespace trevalon {

class TextTable;

// Why a stage of the check failed. The first group concerns the board as a whole; every other
// reason belongs to one cell.
enum class CheckReason {
    // start and end blocks
    BoardEmpty,
    NoStart,
    NoEnd,
    FragmentHasStartOrEnd,
    FragmentWithoutBranches,
    // block properties
    FieldNotSet,
    NameNotFound,
    NoProcedureBoard,
    // variables
    TypesDisagree,
    ResultDoesNotFit,
    // formulas
    FormulaFails,
    // connections
    NothingAbove,
    NothingBelow,
    NothingLeft,
    NothingRight,
    CallAndReturnApart,
    // hints, which fail no stage
    DuplicateName,
};

// One reason found by the check, with where it lies and what the pupil is told. `column` and
// `row` are 0 for a reason of the whole board. The words that fill the reason's sentence are
// kept rather than the sentence, so that it can be told again in another language.
struct CheckFinding {
    int stage = 0;  // 0..4, as the report's stage rows
    int board = 1;
    int column = 0;
    int row = 0;
    CheckReason reason = CheckReason::BoardEmpty;
    QString block;        // the block's name; empty for a reason of the board
    int field = 0;        // the text naming the field concerned; 0 for none
    QStringList details;  // the rest of the sentence's words, in order

    bool atCell() const { return column > 0 && row > 0; }
};

// The reason's stable code for machines ("no-start", "field-not-set", ...).
QString checkReasonCode(CheckReason reason);
// The finding's sentence in the table's language ("Blok Przypisz4: ...").
QString checkFindingText(const CheckFinding& finding, const TextTable& texts);
// The sentence with its place in front: "Plansza 1, kolumna 3, wiersz 5: ..." or
// "Plansza 1: ..." for a reason of the board.
QString checkFindingLine(const CheckFinding& finding, const TextTable& texts);

}  // namespace trevalon

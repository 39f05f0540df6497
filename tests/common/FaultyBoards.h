#pragma once

#include <QString>
#include <functional>
#include <span>

#include "FlowBuilder.h"
#include "exec/CheckFinding.h"

namespace trevalon::test {

// One flowchart per reason the check can give, each with the one fault it is named after and
// where the check must find it. The command-line tests read them as files from
// tests/data/check/<name>.skb, written from this table by the check_data tool.
struct FaultyBoard {
    const char* name;
    CheckReason reason;
    int stage;
    int board;
    int column;  // 0 for a reason of the whole board
    int row;
    std::function<void(FlowBuilder&, Project&)> build;
};

namespace faulty {

// Start over End on board 1: a board that passes.
inline void startAndEnd(FlowBuilder& f, int board = 1) {
    f.put(board, 2, 1, KindStart);
    f.put(board, 2, 2, KindEnd);
}

inline void startMessageEnd(FlowBuilder& f) {
    f.put(1, 2, 1, KindStart);
    f.message(1, 2, 2, QStringLiteral("Hej"));
    f.put(1, 2, 3, KindEnd);
}

inline void secondBoard(Project& project, int kind) {
    project.boardCount = 2;
    project.board(2).kind = kind;
}

}  // namespace faulty

inline std::span<const FaultyBoard> faultyBoards() {
    using namespace faulty;
    static const FaultyBoard boards[] = {
        {"board-empty", CheckReason::BoardEmpty, 0, 1, 0, 0, [](FlowBuilder&, Project&) {}},
        {"no-start", CheckReason::NoStart, 0, 1, 0, 0,
         [](FlowBuilder& f, Project&) {
             f.message(1, 2, 2, QStringLiteral("Hej"));
             f.put(1, 2, 3, KindEnd);
         }},
        {"no-end", CheckReason::NoEnd, 0, 1, 0, 0,
         [](FlowBuilder& f, Project&) {
             f.put(1, 2, 1, KindStart);
             f.message(1, 2, 2, QStringLiteral("Hej"));
         }},
        {"fragment-start-end", CheckReason::FragmentHasStartOrEnd, 0, 2, 0, 0,
         [](FlowBuilder& f, Project& p) {
             startAndEnd(f);
             secondBoard(p, BoardFragment);
             f.put(2, 2, 1, KindStart);
         }},
        {"fragment-branches", CheckReason::FragmentWithoutBranches, 0, 2, 0, 0,
         [](FlowBuilder& f, Project& p) {
             startAndEnd(f);
             secondBoard(p, BoardFragment);
             f.message(2, 2, 2, QStringLiteral("Hej"));
         }},
        {"field-not-set", CheckReason::FieldNotSet, 1, 1, 2, 2,
         [](FlowBuilder& f, Project&) {
             f.put(1, 2, 1, KindStart);
             f.put(1, 2, 2, KindMessage);
             f.put(1, 2, 3, KindEnd);
         }},
        {"name-not-found", CheckReason::NameNotFound, 1, 1, 2, 2,
         [](FlowBuilder& f, Project&) {
             f.put(1, 2, 1, KindStart);
             f.write(1, 2, 2, QStringLiteral("wynik"), QStringLiteral("Wynik:"));
             f.put(1, 2, 3, KindEnd);
         }},
        {"no-procedure-board", CheckReason::NoProcedureBoard, 1, 1, 2, 2,
         [](FlowBuilder& f, Project&) {
             f.put(1, 2, 1, KindStart);
             f.put(1, 2, 2, KindCall);
             f.put(1, 2, 3, KindReturn);
             f.put(1, 2, 4, KindEnd);
         }},
        {"types-disagree", CheckReason::TypesDisagree, 2, 1, 2, 2,
         [](FlowBuilder& f, Project&) {
             f.put(1, 2, 1, KindStart);
             f.compareVariables(1, 2, 2, QStringLiteral("a"), 0, QStringLiteral("s"));
             f.put(1, 2, 3, KindEnd);
             f.variable(1, 6, 1, QStringLiteral("a"), TypeInteger, QStringLiteral("3"));
             f.variable(1, 6, 2, QStringLiteral("s"), TypeText, QStringLiteral("\"ala\""));
         }},
        {"result-does-not-fit", CheckReason::ResultDoesNotFit, 2, 1, 2, 2,
         [](FlowBuilder& f, Project&) {
             f.put(1, 2, 1, KindStart);
             f.assign(1, 2, 2, QStringLiteral("n"), QStringLiteral("\"abc\""));
             f.put(1, 2, 3, KindEnd);
             f.variable(1, 6, 1, QStringLiteral("n"), TypeInteger, QStringLiteral("3"));
         }},
        {"formula-fails", CheckReason::FormulaFails, 2, 1, 2, 2,
         [](FlowBuilder& f, Project&) {
             f.put(1, 2, 1, KindStart);
             f.assign(1, 2, 2, QStringLiteral("n"), QStringLiteral("n +"));
             f.put(1, 2, 3, KindEnd);
             f.variable(1, 6, 1, QStringLiteral("n"), TypeInteger, QStringLiteral("3"));
         }},
        {"nothing-above", CheckReason::NothingAbove, 4, 1, 4, 3,
         [](FlowBuilder& f, Project&) {
             startMessageEnd(f);
             f.put(1, 4, 3, KindLineVertical);
         }},
        {"nothing-below", CheckReason::NothingBelow, 4, 1, 4, 1,
         [](FlowBuilder& f, Project&) {
             startMessageEnd(f);
             f.put(1, 4, 1, KindStart);
         }},
        {"nothing-left", CheckReason::NothingLeft, 4, 1, 5, 2,
         [](FlowBuilder& f, Project&) {
             startMessageEnd(f);
             f.put(1, 5, 1, KindStart);
             f.put(1, 5, 2, KindCornerTopLeft);
         }},
        {"nothing-right", CheckReason::NothingRight, 4, 1, 5, 2,
         [](FlowBuilder& f, Project&) {
             startMessageEnd(f);
             f.put(1, 5, 1, KindStart);
             f.put(1, 5, 2, KindCornerTopRight);
         }},
        {"call-return-apart", CheckReason::CallAndReturnApart, 4, 1, 2, 2,
         [](FlowBuilder& f, Project& p) {
             secondBoard(p, BoardProcedure);
             f.put(1, 2, 1, KindStart);
             f.put(1, 2, 2, KindCall);
             f.message(1, 2, 3, QStringLiteral("Hej"));
             f.put(1, 2, 4, KindEnd);
         }},
    };
    return boards;
}

}  // namespace trevalon::test

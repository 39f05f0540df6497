#pragma once

#include "model/BlockCatalogue.h"
#include "model/Project.h"

// Small flowcharts built through the model, for tests that run or draw a whole project.
namespace flowcharts {

inline trevalon::Cell& put(trevalon::Project& project, int kind, int column, int row,
                           int board = 1) {
    project.placeBlock(board, column, row, kind / 10, kind % 10);
    if (kind == trevalon::KindVariable) {
        ++project.board(board).variableCount;
    }
    return project.cell(board, column, row);
}

inline void variable(trevalon::Project& project, const QString& name, int column, int row,
                     int type = trevalon::TypeInteger, const QString& start = QStringLiteral("0")) {
    trevalon::Cell& cell = put(project, trevalon::KindVariable, column, row);
    cell.name = name;
    cell.mode = type;
    cell.text4 = start;
}

inline void assignment(trevalon::Project& project, int column, int row, const QString& target,
                       const QString& formula) {
    trevalon::Cell& cell = put(project, trevalon::KindAssign, column, row);
    cell.text2 = target;
    cell.text4 = formula;
}

// Reads n, multiplies s = n * (n - 1) * ... * 2 in a loop on the left, writes s.
inline void factorial(trevalon::Project& project) {
    using namespace trevalon;
    put(project, KindStart, 3, 1);
    Cell& read = put(project, KindReadWrite, 3, 2);
    read.mode = 0;
    read.text2 = QStringLiteral("n");
    read.text4 = QStringLiteral("Podaj n:");
    assignment(project, 3, 3, QStringLiteral("s"), QStringLiteral("1"));
    put(project, KindJoinLeft, 3, 4);
    Cell& compare = put(project, KindCompareFormula, 3, 5);
    compare.mode = 1;  // ">"
    compare.text2 = QStringLiteral("n");
    compare.text4 = QStringLiteral("1");
    put(project, KindCornerBottomRight, 2, 5);
    assignment(project, 2, 6, QStringLiteral("s"), QStringLiteral("s*n"));
    assignment(project, 2, 7, QStringLiteral("n"), QStringLiteral("n-1"));
    put(project, KindCornerTopLeft, 2, 8);
    put(project, KindCornerTopRight, 1, 8);
    put(project, KindLineVertical, 1, 7);
    put(project, KindLineVertical, 1, 6);
    put(project, KindLineVertical, 1, 5);
    put(project, KindCornerBottomRight, 1, 4);
    put(project, KindLineHorizontal, 2, 4);
    put(project, KindCornerLeftBottom, 4, 5);
    Cell& write = put(project, KindReadWrite, 4, 6);
    write.mode = 1;
    write.text2 = QStringLiteral("s");
    write.text4 = QStringLiteral("n! =");
    put(project, KindEnd, 4, 7);
    variable(project, QStringLiteral("n"), 6, 1);
    variable(project, QStringLiteral("s"), 7, 1);
}

// A loop of corners that never reaches the End block, which only a branch start leads to.
inline void endlessLoop(trevalon::Project& project) {
    using namespace trevalon;
    put(project, KindStart, 1, 1);
    put(project, KindJoinRight, 1, 2);
    put(project, KindCornerTopRight, 1, 3);
    put(project, KindCornerTopLeft, 2, 3);
    put(project, KindCornerLeftBottom, 2, 2);
    Cell& branch = put(project, KindBranchStart, 4, 1);
    put(project, KindEnd, 4, 2);
    branch.text2 = QStringLiteral("End");
    variable(project, QStringLiteral("x"), 6, 6);
}

}  // namespace flowcharts

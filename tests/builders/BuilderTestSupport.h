#pragma once

#include <QString>

#include "model/Project.h"

namespace buildertest {

// Declares a variable block at (column, row) of board n.
inline void declare(trevalon::Project& project, int n, int column, int row, const QString& name,
                    int type, int scope = 0, const QString& start = QStringLiteral("0")) {
    project.placeBlock(n, column, row, 1, 5);
    trevalon::Cell& cell = project.cell(n, column, row);
    cell.name = name;
    cell.mode = type;
    cell.scope = scope;
    cell.text4 = start;
    ++project.board(n).variableCount;
}

}  // namespace buildertest

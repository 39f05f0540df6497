#pragma once

#include <QString>
#include <vector>

namespace trevalon {

class Project;

struct VisibleVariable {
    QString name;
    int type = 0;  // 1..7
    friend bool operator==(const VisibleVariable&, const VisibleVariable&) = default;
};

// The variables a formula on board `board` may use: those declared on that board and the
// global ones of every board, board by board, row by row, column by column over each board's
// cells in use. There is no limit beyond the boards' own.
std::vector<VisibleVariable> visibleVariables(const Project& project, int board);

// The type of the first variable named `name` without regard to letter case (boards, then
// columns, then rows), as the board check and the Calculator see names; -1 when there is none.
int declaredVariableType(const Project& project, const QString& name);

}  // namespace trevalon

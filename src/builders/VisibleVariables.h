#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace trevalon {

class Project;
class TextTable;

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

// The type of the first of `variables` named `name`, compared as `declaredVariableType`
// compares; -1 when there is none.
int variableTypeIn(const std::vector<VisibleVariable>& variables, const QString& name);

// The variable list of the builders: the names, or "Brak" alone when there is no variable.
QStringList variableListItems(const std::vector<VisibleVariable>& variables,
                              const TextTable& texts);

}  // namespace trevalon

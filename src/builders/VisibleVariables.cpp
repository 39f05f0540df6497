#include "builders/VisibleVariables.h"

#include <algorithm>

#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

namespace trevalon {
namespace {

// Variable names compare without regard to letter case, as the Calculator compares them.
bool sameVariableName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

std::vector<VisibleVariable> visibleVariables(const Project& project, int board) {
    std::vector<VisibleVariable> found;
    const int boards = std::clamp(project.boardCount, 0, kMaxBoards);
    for (int n = 1; n <= boards; ++n) {
        const Board& current = project.board(n);
        const int rows = std::clamp(current.rows, 0, kGridSize);
        const int columns = std::clamp(current.columns, 0, kGridSize);
        for (int row = 1; row <= rows; ++row) {
            for (int column = 1; column <= columns; ++column) {
                const Cell& cell = current.cell(column, row);
                if (cell.kindCode == KindVariable && (n == board || cell.scope == 1)) {
                    found.push_back({cell.name, cell.mode});
                }
            }
        }
    }
    return found;
}

int declaredVariableType(const Project& project, const QString& name) {
    const int boards = std::clamp(project.boardCount, 0, kMaxBoards);
    for (int n = 1; n <= boards; ++n) {
        int type = -1;
        const bool found = project.board(n).anyUsedCell([&](const Cell& cell, int, int) {
            type = cell.mode;
            return cell.kindCode == KindVariable && sameVariableName(cell.name, name);
        });
        if (found) {
            return type;
        }
    }
    return -1;
}

int variableTypeIn(const std::vector<VisibleVariable>& variables, const QString& name) {
    for (const VisibleVariable& v : variables) {
        if (sameVariableName(v.name, name)) {
            return v.type;
        }
    }
    return -1;
}

QStringList variableListItems(const std::vector<VisibleVariable>& variables,
                              const TextTable& texts) {
    if (variables.empty()) {
        return {texts.text(texts::Unset)};
    }
    QStringList names;
    for (const VisibleVariable& variable : variables) {
        names.append(variable.name);
    }
    return names;
}

}  // namespace trevalon

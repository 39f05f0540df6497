#include "builders/VisibleVariables.h"

#include <algorithm>

#include "model/BlockCatalogue.h"
#include "model/Project.h"

namespace trevalon {

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
            return cell.kindCode == KindVariable &&
                   cell.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (found) {
            return type;
        }
    }
    return -1;
}

}  // namespace trevalon

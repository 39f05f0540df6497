#include "exec/VariableLookup.h"

#include "model/BlockCatalogue.h"

namespace trevalon {

int variableTypeOf(const Project& project, const QString& name) {
    const int exact = project.variableType(name);
    if (exact >= 0) {
        return exact;
    }
    return variableTypeIgnoringCase(project, name);
}

int variableTypeIgnoringCase(const Project& project, const QString& name) {
    for (int n = 1; n <= project.boardCount; ++n) {
        const Board& board = project.board(n);
        for (int c = 1; c <= board.columns; ++c) {
            for (int r = 1; r <= board.rows; ++r) {
                const Cell& cell = board.cell(c, r);
                if (cell.kindCode == KindVariable &&
                    cell.name.compare(name, Qt::CaseInsensitive) == 0) {
                    return cell.mode;
                }
            }
        }
    }
    return -1;
}

}  // namespace trevalon

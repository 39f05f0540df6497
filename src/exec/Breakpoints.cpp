#include "exec/Breakpoints.h"

namespace trevalon {

bool Breakpoints::toggle(const CellRef& at) {
    if (!valid(at)) {
        return false;
    }
    const bool on = !m_cells.test(slot(at));
    m_cells.set(slot(at), on);
    return on;
}

bool Breakpoints::set(const CellRef& at, bool on) {
    if (!valid(at)) {
        return false;
    }
    m_cells.set(slot(at), on);
    return true;
}

QList<CellRef> Breakpoints::all() const {
    QList<CellRef> cells;
    for (int board = 1; board <= kMaxBoards; ++board) {
        for (int column = 1; column <= kGridSize; ++column) {
            for (int row = 1; row <= kGridSize; ++row) {
                if (m_cells.test(slot({board, column, row}))) {
                    cells.append({board, column, row});
                }
            }
        }
    }
    return cells;
}

}  // namespace trevalon

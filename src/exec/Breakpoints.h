#pragma once

#include <QList>
#include <bitset>

#include "model/Project.h"

namespace trevalon {

// The cells on which a run pauses before it performs their block, for the open project during
// this session only: they are not part of the project file. A breakpoint is a place, not a
// block: moving or deleting a block leaves it where it was, and a breakpoint on an empty cell
// never pauses anything (a run never reaches an empty cell).
class Breakpoints {
public:
    // Places outside boards 1..3 or cells 1..15 are refused: nothing changes and the answer is
    // false. toggle() answers whether the cell has a breakpoint now, set() whether it was valid.
    bool toggle(const CellRef& at);
    bool set(const CellRef& at, bool on);
    bool has(const CellRef& at) const { return valid(at) && m_cells.test(slot(at)); }
    // The executor asks on every move; a slot number as Executor counts them.
    bool hasSlot(std::size_t slot) const { return m_cells.test(slot); }
    bool isEmpty() const { return m_cells.none(); }
    int count() const { return static_cast<int>(m_cells.count()); }
    // Every breakpoint, board by board, column by column, row by row.
    QList<CellRef> all() const;
    // A new or opened project starts without breakpoints.
    void clear() { m_cells.reset(); }

    static constexpr std::size_t kSlots = kMaxBoards * kGridSize * kGridSize;
    // (board - 1, column - 1, row - 1) as one number below kSlots.
    static std::size_t slot(const CellRef& at) {
        return static_cast<std::size_t>(((at.board - 1) * kGridSize + (at.column - 1)) * kGridSize +
                                        (at.row - 1));
    }
    static bool valid(const CellRef& at) {
        return at.board >= 1 && at.board <= kMaxBoards && at.column >= 1 &&
               at.column <= kGridSize && at.row >= 1 && at.row <= kGridSize;
    }

private:
    std::bitset<kSlots> m_cells;
};

}  // namespace trevalon

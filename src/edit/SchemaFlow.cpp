#include "edit/SchemaFlow.h"

#include <algorithm>
#include <vector>

#include "exec/Executor.h"
#include "model/BlockCatalogue.h"
#include "model/Board.h"

namespace trevalon {

int SchemaFlow::usedColumns(const Board& board) {
    return std::clamp(board.columns, 0, kGridSize);
}

int SchemaFlow::usedRows(const Board& board) {
    return std::clamp(board.rows, 0, kGridSize);
}

SchemaFlow SchemaFlow::trace(const Board& board) {
    SchemaFlow flow;
    const int columns = SchemaFlow::usedColumns(board);
    const int rows = SchemaFlow::usedRows(board);
    struct Walk {
        int column;
        int row;
        Executor::Heading heading;  // the flow leaves (column, row) this way
    };
    std::vector<Walk> pending;
    auto leave = [&](int c, int r, Executor::Heading heading) {
        flow.m_leaving[static_cast<std::size_t>(c * 16 + r)] |= std::uint8_t(1u << heading);
        pending.push_back({c, r, heading});
    };
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            const Cell& cell = board.cell(c, r);
            if (cell.occupied && (cell.kindCode == KindStart || cell.kindCode == KindBranchStart)) {
                leave(c, r, Executor::Down);
            }
        }
    }
    std::array<bool, 16 * 16 * 4> seen{};
    // A call leaves the board; the run comes back at a return block, where the end of the
    // procedure points, and goes on in the direction the board had at the call.
    std::uint8_t callHeadings = 0;
    std::uint8_t resumed = 0;
    const auto resumeAtReturns = [&] {
        const std::uint8_t fresh = callHeadings & ~resumed;
        resumed |= fresh;
        for (int c = 1; c <= columns; ++c) {
            for (int r = 1; r <= rows; ++r) {
                const Cell& cell = board.cell(c, r);
                for (int h = Executor::Down;
                     h <= Executor::Right && cell.occupied && cell.kindCode == KindReturn; ++h) {
                    if (fresh & (1u << h)) {
                        leave(c, r, static_cast<Executor::Heading>(h));
                    }
                }
            }
        }
    };
    while (!pending.empty() || (callHeadings & ~resumed) != 0) {
        if (pending.empty()) {
            resumeAtReturns();
            continue;
        }
        const Walk walk = pending.back();
        pending.pop_back();
        const int c = walk.column + (walk.heading == Executor::Left    ? -1
                                     : walk.heading == Executor::Right ? 1
                                                                       : 0);
        const int r = walk.row + (walk.heading == Executor::Up     ? -1
                                  : walk.heading == Executor::Down ? 1
                                                                   : 0);
        if (c < 1 || c > columns || r < 1 || r > rows || !board.cell(c, r).occupied) {
            continue;
        }
        const std::size_t cellAt = static_cast<std::size_t>(c * 16 + r);
        if (seen[cellAt * 4 + walk.heading]) {
            continue;
        }
        seen[cellAt * 4 + walk.heading] = true;
        flow.m_arriving[cellAt] |= std::uint8_t(1u << walk.heading);
        const Cell& cell = board.cell(c, r);
        switch (cell.kindCode) {
            case KindEnd:
            case KindBranchEnd:
                break;  // the run jumps elsewhere
            case KindCall:
                callHeadings |= std::uint8_t(1u << walk.heading);
                break;
            case KindStart:
            case KindBranchStart:
                leave(c, r, Executor::Down);
                break;
            case KindCompareVars:
            case KindCompareFormula:
                leave(c, r, Executor::Left);
                leave(c, r, Executor::Right);
                break;
            default:
                leave(c, r, Executor::turn(cell.kindCode, cell.mode, walk.heading));
                break;
        }
    }
    return flow;
}

}  // namespace trevalon

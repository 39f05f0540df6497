#include "edit/SchemaFlow.h"

#include <vector>

#include "exec/Executor.h"
#include "model/BlockCatalogue.h"
#include "model/Board.h"

namespace trevalon {

// One tracing of a board: the walks still to follow, the (cell, heading) pairs already
// followed, and the headings at the calls met, to be resumed at the return blocks.
class SchemaFlow::Tracer {
public:
    Tracer(const Board& board, SchemaFlow& flow)
        : m_board(board), m_flow(flow), m_columns(board.usedColumns()), m_rows(board.usedRows()) {}

    // Every start and branch start sends the flow down.
    void startAtStarts() {
        forEachBlock([this](const Cell& cell, int c, int r) {
            if (cell.kindCode == KindStart || cell.kindCode == KindBranchStart) {
                leave(c, r, Executor::Down);
            }
        });
    }

    // Follows the walks until none is left and every call heading has been resumed.
    void run() {
        while (!m_pending.empty() || unresumedCalls() != 0) {
            if (m_pending.empty()) {
                resumeAtReturns();
                continue;
            }
            const Walk walk = m_pending.back();
            m_pending.pop_back();
            follow(walk);
        }
    }

private:
    struct Walk {
        int column;
        int row;
        Executor::Heading heading;  // the flow leaves (column, row) this way
    };

    static std::uint8_t bit(Executor::Heading heading) { return std::uint8_t(1u << heading); }
    static std::size_t cellAt(int c, int r) { return static_cast<std::size_t>(c * 16 + r); }

    template <typename Visit>
    void forEachBlock(Visit visit) const {
        m_board.forEachUsedCell([&](const Cell& cell, int c, int r) {
            if (cell.occupied) {
                visit(cell, c, r);
            }
        });
    }

    void leave(int c, int r, Executor::Heading heading) {
        m_flow.m_leaving[cellAt(c, r)] |= bit(heading);
        m_pending.push_back({c, r, heading});
    }

    std::uint8_t unresumedCalls() const { return m_callHeadings & ~m_resumed; }

    // A call leaves the board; the run comes back at a return block, where the end of the
    // procedure points, and goes on in the direction the board had at the call.
    void resumeAtReturns() {
        const std::uint8_t fresh = unresumedCalls();
        m_resumed |= fresh;
        forEachBlock([&](const Cell& cell, int c, int r) {
            for (int h = Executor::Down; h <= Executor::Right && cell.kindCode == KindReturn; ++h) {
                if (fresh & (1u << h)) {
                    leave(c, r, static_cast<Executor::Heading>(h));
                }
            }
        });
    }

    // Enters the neighbour the walk points at, once per heading, and leaves it as a run would.
    void follow(const Walk& walk) {
        const int c = walk.column + (walk.heading == Executor::Left    ? -1
                                     : walk.heading == Executor::Right ? 1
                                                                       : 0);
        const int r = walk.row + (walk.heading == Executor::Up     ? -1
                                  : walk.heading == Executor::Down ? 1
                                                                   : 0);
        if (c < 1 || c > m_columns || r < 1 || r > m_rows || !m_board.cell(c, r).occupied) {
            return;
        }
        bool& seen = m_seen[cellAt(c, r) * 4 + walk.heading];
        if (seen) {
            return;
        }
        seen = true;
        m_flow.m_arriving[cellAt(c, r)] |= bit(walk.heading);
        passOn(m_board.cell(c, r), c, r, walk.heading);
    }

    void passOn(const Cell& cell, int c, int r, Executor::Heading arriving) {
        switch (cell.kindCode) {
            case KindEnd:
            case KindBranchEnd:
                break;  // the run jumps elsewhere
            case KindCall:
                m_callHeadings |= bit(arriving);
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
                leave(c, r, Executor::turn(cell.kindCode, cell.mode, arriving));
                break;
        }
    }

    const Board& m_board;
    SchemaFlow& m_flow;
    const int m_columns;
    const int m_rows;
    std::vector<Walk> m_pending;
    std::array<bool, 16 * 16 * 4> m_seen{};
    std::uint8_t m_callHeadings = 0;
    std::uint8_t m_resumed = 0;
};

int SchemaFlow::usedColumns(const Board& board) {
    return board.usedColumns();
}

int SchemaFlow::usedRows(const Board& board) {
    return board.usedRows();
}

SchemaFlow SchemaFlow::trace(const Board& board) {
    SchemaFlow flow;
    Tracer tracer(board, flow);
    tracer.startAtStarts();
    tracer.run();
    return flow;
}

}  // namespace trevalon

#include "codegen/FlowGraph.h"

#include <algorithm>
#include <functional>

#include "config/TextIds.h"
#include "exec/Executor.h"
#include "model/Cell.h"
#include "model/KindCode.h"

namespace trevalon::codegen {
namespace {

constexpr int kSlots = kMaxBoards * kGridSize * kGridSize;

int slotOf(const CellRef& at) {
    return ((at.board - 1) * kGridSize + (at.column - 1)) * kGridSize + (at.row - 1);
}

bool isConnector(int kind) {
    return kind >= KindLineVertical && kind <= KindCornerTopLeft;
}

}  // namespace

bool FlowGraph::fail(const Status& reason) {
    if (m_error.ok()) {
        m_error = reason;
    }
    return false;
}

Status FlowGraph::build(const Project& project) {
    m_project = &project;
    m_nodes.clear();
    m_headings.clear();
    m_keys.assign(static_cast<std::size_t>(kSlots * 4), -1);
    m_routines.clear();
    m_pending.clear();
    m_error = Status();
    if (routineEntry(1) < 0 && !m_error.ok()) {
        return m_error;
    }
    while (!m_pending.empty() && m_error.ok()) {
        const int node = m_pending.back();
        m_pending.pop_back();
        expand(node, m_headings[static_cast<std::size_t>(node)]);
    }
    if (m_error.ok()) {
        checkCalls();
    }
    return m_error;
}

// The routine of `board`, made on first use; answers its index, or -1 without a Start.
int FlowGraph::routineEntry(int board) {
    for (std::size_t i = 0; i < m_routines.size(); ++i) {
        if (m_routines[i].board == board) {
            return static_cast<int>(i);
        }
    }
    const std::optional<CellRef> start = m_project->findKind(KindStart, board);
    if (!start || start->board != board) {
        fail(Status::error(texts::CodegenNoStart, {QString::number(board)}));
        return -1;
    }
    m_routines.push_back(Routine{board, -1});
    const int index = static_cast<int>(m_routines.size()) - 1;
    const int entry = follow(*start, Down);
    m_routines[static_cast<std::size_t>(index)].entry = entry;
    return index;
}

int FlowGraph::nodeAt(const CellRef& cell, int heading) {
    const int kind = m_project->cell(cell).kindCode;
    FlowNode node;
    node.cell = cell;
    switch (kind) {
        case KindEnd:
            node.kind = cell.board == 1 ? FlowNode::Halt : FlowNode::Return;
            heading = 0;  // where an End leads does not depend on how it was reached
            break;
        case KindCompareVars:
        case KindCompareFormula:
            node.kind = FlowNode::Condition;
            break;
        case KindCall:
            node.kind = FlowNode::Call;
            break;
        default:
            node.kind = FlowNode::Action;
            break;
    }
    const std::size_t key = static_cast<std::size_t>(slotOf(cell) * 4 + heading);
    if (m_keys[key] >= 0) {
        return m_keys[key];
    }
    const int index = static_cast<int>(m_nodes.size());
    m_keys[key] = index;
    m_nodes.push_back(node);
    m_headings.push_back(heading);
    if (node.kind != FlowNode::Halt && node.kind != FlowNode::Return) {
        m_pending.push_back(index);
    }
    return index;
}

// The next block the flow performs after leaving `from` in `heading`: lines, joins, corners,
// variable and return blocks are passed, Start and branch-start blocks turn it down, and a
// branch end jumps as the executor jumps.
int FlowGraph::follow(CellRef from, int heading) {
    CellRef at = from;
    for (int guard = 0; guard <= kSlots * 4; ++guard) {
        const Board& board = m_project->board(at.board);
        CellRef next = at;
        next.column += heading == Left ? -1 : heading == Right ? 1 : 0;
        next.row += heading == Up ? -1 : heading == Down ? 1 : 0;
        if (next.column < 1 || next.column > std::min(board.columns, kGridSize) || next.row < 1 ||
            next.row > std::min(board.rows, kGridSize) ||
            !board.cell(next.column, next.row).occupied) {
            FlowNode abort;
            abort.kind = FlowNode::Abort;
            abort.cell = at;
            m_nodes.push_back(abort);
            m_headings.push_back(heading);
            return static_cast<int>(m_nodes.size()) - 1;
        }
        at = next;
        const Cell& cell = m_project->cell(at);
        if (isConnector(cell.kindCode)) {
            heading =
                Executor::turn(cell.kindCode, cell.mode, static_cast<Executor::Heading>(heading));
            continue;
        }
        switch (cell.kindCode) {
            case KindStart:
            case KindBranchStart:
                heading = Down;
                continue;
            case KindVariable:
            case KindReturn:
                continue;
            case KindBranchEnd: {
                const std::optional<CellRef> target = m_project->findBlockByName(cell.link(), 1);
                if (!target) {
                    fail(Status::error(texts::CodegenBranchEndNowhere, {cell.name}));
                    return -1;
                }
                const int kind = m_project->cell(*target).kindCode;
                if (target->board != at.board && kind != KindBranchStart) {
                    fail(Status::error(texts::CodegenBranchEndOtherBoard, {cell.name}));
                    return -1;
                }
                at = *target;
                heading = Down;
                continue;
            }
            default:
                return nodeAt(at, heading);
        }
    }
    fail(Status::error(texts::CodegenConnectorCircle));
    return -1;
}

void FlowGraph::expand(int index, int heading) {
    const FlowNode node = m_nodes[static_cast<std::size_t>(index)];
    int next[2] = {-1, -1};
    int callee = 0;
    if (node.kind == FlowNode::Action) {
        next[0] = follow(node.cell, heading);
    } else if (node.kind == FlowNode::Condition) {
        next[0] = follow(node.cell, Left);
        next[1] = follow(node.cell, Right);
    } else if (node.kind == FlowNode::Call) {
        const Cell& cell = m_project->cell(node.cell);
        callee = m_project->findBoardByName(cell.link());
        if (callee < 1 || callee > m_project->boardCount || routineEntry(callee) < 0) {
            fail(Status::error(texts::CodegenCallNoBoard, {cell.name}));
            return;
        }
        const std::optional<CellRef> end = m_project->findKind(KindEnd, callee);
        if (end && end->board == callee) {
            const std::optional<CellRef> back =
                m_project->findBlockByName(m_project->cell(*end).link(), 1);
            if (!back || back->board != node.cell.board) {
                fail(Status::error(texts::CodegenReturnNowhere, {QString::number(callee)}));
                return;
            }
            // The calling board keeps its direction while the procedure runs.
            next[0] = follow(*back, heading);
        }
    }
    FlowNode& stored = m_nodes[static_cast<std::size_t>(index)];
    stored.next[0] = next[0];
    stored.next[1] = next[1];
    stored.callee = callee;
}

// Procedures become functions with a call stack, which the executor does not have: that is
// the same only while no procedure reaches itself again and each returns on its own board.
bool FlowGraph::checkCalls() {
    const std::size_t count = m_routines.size();
    std::vector<std::vector<int>> callees(count);
    for (std::size_t r = 0; r < count; ++r) {
        std::vector<bool> seen(m_nodes.size(), false);
        std::vector<int> stack{m_routines[r].entry};
        while (!stack.empty()) {
            const int n = stack.back();
            stack.pop_back();
            if (n < 0 || seen[static_cast<std::size_t>(n)]) {
                continue;
            }
            seen[static_cast<std::size_t>(n)] = true;
            const FlowNode& node = m_nodes[static_cast<std::size_t>(n)];
            if (node.kind == FlowNode::Return &&
                (r == 0 || node.cell.board != m_routines[r].board)) {
                return fail(Status::error(texts::CodegenEndWithoutCall,
                                          {QString::number(node.cell.board)}));
            }
            if (node.kind == FlowNode::Call) {
                callees[r].push_back(node.callee);
            }
            stack.push_back(node.next[0]);
            stack.push_back(node.next[1]);
        }
    }
    // A call chain that comes back to a board it started from.
    std::function<bool(int, std::vector<int>&)> cycles = [&](int board, std::vector<int>& path) {
        for (int b : path) {
            if (b == board) {
                return true;
            }
        }
        path.push_back(board);
        for (std::size_t r = 0; r < count; ++r) {
            if (m_routines[r].board == board) {
                for (int callee : callees[r]) {
                    if (cycles(callee, path)) {
                        return true;
                    }
                }
            }
        }
        path.pop_back();
        return false;
    };
    std::vector<int> path;
    if (cycles(1, path)) {
        return fail(Status::error(texts::CodegenRecursiveCall));
    }
    return true;
}

}  // namespace trevalon::codegen

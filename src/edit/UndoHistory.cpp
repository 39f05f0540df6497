#include "edit/UndoHistory.h"

#include <algorithm>

#include "config/TextIds.h"
#include "config/TextTable.h"

namespace trevalon {

namespace {

// About what a board costs to keep: the structure and the characters of its texts.
std::size_t boardBytes(const Board& board) {
    std::size_t bytes = sizeof(Board) + static_cast<std::size_t>(board.name.size()) * 2;
    board.forEachCell([&bytes](const Cell& cell, int, int) {
        bytes += static_cast<std::size_t>(cell.textLength()) * 2;
    });
    return bytes;
}

// The cells of one board that differ, at most two of them remembered.
struct CellDifferences {
    int count = 0;
    int filled = 0;                              // empty before, a block after
    int emptied = 0;                             // a block before, empty after
    const Cell* first[2] = {nullptr, nullptr};   // before
    const Cell* second[2] = {nullptr, nullptr};  // after
};

CellDifferences cellDifferences(const Board& before, const Board& after) {
    CellDifferences d;
    for (int c = 1; c <= kGridSize; ++c) {
        for (int r = 1; r <= kGridSize; ++r) {
            if (!before.cell(c, r).sameContent(after.cell(c, r))) {
                d.filled += before.cell(c, r).occupied ? 0 : 1;
                d.emptied += after.cell(c, r).occupied ? 0 : 1;
                if (d.count < 2) {
                    d.first[d.count] = &before.cell(c, r);
                    d.second[d.count] = &after.cell(c, r);
                }
                ++d.count;
            }
        }
    }
    return d;
}

bool sameBoardSettings(const Board& a, const Board& b) {
    return a.kind == b.kind && a.name == b.name && a.rows == b.rows && a.columns == b.columns;
}

ProjectChange changeOnBoard(const Board& before, const Board& after) {
    const CellDifferences d = cellDifferences(before, after);
    if (d.count == 0) {
        return {ProjectChange::BoardSettings, after.name};
    }
    if (!sameBoardSettings(before, after)) {
        return {ProjectChange::Several, QString()};
    }
    if (d.count == 1) {
        const Cell& was = *d.first[0];
        const Cell& is = *d.second[0];
        if (!was.occupied) {
            return {ProjectChange::Place, is.name};
        }
        if (!is.occupied) {
            return {ProjectChange::Delete, was.name};
        }
        return {ProjectChange::Properties, is.name};
    }
    if (d.count == 2) {
        // A move empties one cell and fills another with the same block.
        for (int i = 0; i < 2; ++i) {
            const Cell& emptied = *d.first[i];
            const Cell& filled = *d.second[1 - i];
            if (emptied.occupied && !d.second[i]->occupied && filled.occupied &&
                !d.first[1 - i]->occupied && emptied.name == filled.name) {
                return {ProjectChange::Move, filled.name};
            }
        }
    }
    if (after.blockCount == 0 && before.blockCount > 0) {
        return {ProjectChange::ClearBoard, after.name};
    }
    // Pasting fills cells and cutting empties them, nothing else.
    if (d.filled == d.count) {
        return {ProjectChange::AddBlocks, QString(), d.count};
    }
    if (d.emptied == d.count) {
        return {ProjectChange::DeleteBlocks, QString(), d.count};
    }
    return {ProjectChange::Several, QString()};
}

}  // namespace

bool sameBoardContent(const Board& a, const Board& b) {
    if (!sameBoardSettings(a, b) || a.blockCount != b.blockCount ||
        a.variableCount != b.variableCount || a.number != b.number) {
        return false;
    }
    return cellDifferences(a, b).count == 0;
}

QString ProjectChange::describe(const TextTable& texts) const {
    switch (kind) {
        case Place:
            return texts.text(texts::ChangePlaceBlock).arg(name);
        case Delete:
            return texts.text(texts::ChangeDeleteBlock).arg(name);
        case Move:
            return texts.text(texts::ChangeMoveBlock).arg(name);
        case Properties:
            return texts.text(texts::ChangeBlockProperties).arg(name);
        case ClearBoard:
            return texts.text(texts::ChangeClearBoard).arg(name);
        case AddBoard:
            return texts.text(texts::ChangeAddBoard).arg(name);
        case DeleteBoard:
            return texts.text(texts::ChangeDeleteBoard).arg(name);
        case BoardSettings:
            return texts.text(texts::ChangeBoardSettings).arg(name);
        case AddBlocks:
            return texts.text(texts::ChangeAddBlocks).arg(count);
        case DeleteBlocks:
            return texts.text(texts::ChangeDeleteBlocks).arg(count);
        case Several:
            return texts.text(texts::ChangeSeveral);
        case None:
            break;
    }
    return {};
}

UndoHistory::UndoHistory(std::size_t byteBudget) : m_byteBudget(byteBudget) {}

void UndoHistory::reset(const Project& project, bool saved) {
    m_states.clear();
    m_bytes = 0;
    m_states.push_back(capture(project, nullptr));
    m_current = 0;
    m_saved = saved ? 0 : kNoState;
    ++m_revision;
}

UndoHistory::State UndoHistory::capture(const Project& project, const State* before) {
    State state;
    state.boardCount = project.boardCount;
    state.activeBoard = project.activeBoard;
    for (int n = 1; n <= kMaxBoards; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const Board& board = project.board(n);
        if (before && before->boards[i] && sameBoardContent(*before->boards[i], board)) {
            state.boards[i] = before->boards[i];
            continue;
        }
        auto copy = std::make_shared<Board>(board);
        copy->clearMarks();
        copy->changed = false;
        m_bytes += boardBytes(*copy);
        state.boards[i] = std::move(copy);
    }
    return state;
}

bool UndoHistory::record(const Project& project) {
    if (m_states.empty()) {
        reset(project, false);
        return false;
    }
    const State& current = m_states[m_current];
    bool same = current.boardCount == project.boardCount;
    for (int n = 1; same && n <= kMaxBoards; ++n) {
        same = sameBoardContent(*current.boards[static_cast<std::size_t>(n - 1)], project.board(n));
    }
    if (same) {
        return false;
    }
    // A change after an undo forgets the states that could have been redone.
    m_states.resize(m_current + 1);
    if (m_saved != kNoState && m_saved > m_current) {
        m_saved = kNoState;
    }
    State next = capture(project, &m_states[m_current]);
    next.change = changeBetween(m_states[m_current], project);
    m_states.push_back(std::move(next));
    m_current = m_states.size() - 1;
    while (m_bytes > m_byteBudget && m_current > 0) {
        forgetOldest();
    }
    ++m_revision;
    return true;
}

ProjectChange UndoHistory::changeBetween(const State& before, const Project& after) {
    if (after.boardCount > before.boardCount) {
        return {ProjectChange::AddBoard, after.board(after.boardCount).name};
    }
    if (after.boardCount < before.boardCount) {
        // The boards after the deleted one moved down; the first that differs is the one gone.
        for (int n = 1; n <= before.boardCount; ++n) {
            const Board& was = *before.boards[static_cast<std::size_t>(n - 1)];
            if (n > after.boardCount || !sameBoardContent(was, after.board(n))) {
                return {ProjectChange::DeleteBoard, was.name};
            }
        }
    }
    ProjectChange found;
    for (int n = 1; n <= kMaxBoards; ++n) {
        const Board& was = *before.boards[static_cast<std::size_t>(n - 1)];
        if (sameBoardContent(was, after.board(n))) {
            continue;
        }
        if (found.kind != ProjectChange::None) {
            return {ProjectChange::Several, QString()};
        }
        found = changeOnBoard(was, after.board(n));
    }
    return found;
}

void UndoHistory::forgetOldest() {
    // Boards that only the oldest state holds are released with it.
    for (const auto& board : m_states.front().boards) {
        if (board && board.use_count() == 1) {
            m_bytes -= std::min(m_bytes, boardBytes(*board));
        }
    }
    m_states.erase(m_states.begin());
    --m_current;
    if (m_saved != kNoState) {
        m_saved = m_saved == 0 ? kNoState : m_saved - 1;
    }
}

void UndoHistory::markSaved() {
    m_saved = m_current;
}

void UndoHistory::adopt(const Project& project) {
    if (m_states.empty()) {
        reset(project, false);
        return;
    }
    const ProjectChange change = m_states[m_current].change;
    const State* before = m_current > 0 ? &m_states[m_current - 1] : nullptr;
    m_states[m_current] = capture(project, before);
    m_states[m_current].change = change;
}

ProjectChange UndoHistory::undoChange() const {
    return canUndo() ? m_states[m_current].change : ProjectChange{};
}

ProjectChange UndoHistory::redoChange() const {
    return canRedo() ? m_states[m_current + 1].change : ProjectChange{};
}

bool UndoHistory::undo(Project& project) {
    if (!canUndo()) {
        return false;
    }
    --m_current;
    restore(m_states[m_current], project);
    ++m_revision;
    return true;
}

bool UndoHistory::redo(Project& project) {
    if (!canRedo()) {
        return false;
    }
    ++m_current;
    restore(m_states[m_current], project);
    ++m_revision;
    return true;
}

void UndoHistory::restore(const State& state, Project& project) const {
    for (int n = 1; n <= kMaxBoards; ++n) {
        Board& board = project.board(n);
        const int left = board.left;
        const int top = board.top;
        board = *state.boards[static_cast<std::size_t>(n - 1)];
        board.left = left;
        board.top = top;
        board.changed = false;
    }
    project.boardCount = state.boardCount;
    project.activeBoard = std::clamp(state.activeBoard, 1, state.boardCount);
    if (m_current != m_saved) {
        project.board(project.activeBoard).changed = true;
    }
}

}  // namespace trevalon

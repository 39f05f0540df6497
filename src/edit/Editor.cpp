#include "edit/Editor.h"

#include "config/MessageSink.h"
#include "config/TextTable.h"
#include "edit/BoardGeometry.h"
#include "edit/EditorView.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

namespace trevalon {
Editor::Editor(Project& project, const TextTable& texts, MessageSink& sink, EditorView& view)
    : m_project(project), m_texts(texts), m_sink(sink), m_view(view) {}

void Editor::reset() {
    clearSelection();
    m_pasteAt = {};
    m_placing = false;
    m_moving = false;
    m_currentBoard = 0;
    m_currentColumn = 0;
    m_currentRow = 0;
    m_propertiesKind = PropertiesBoard;
    for (FrameMap& frames : m_frames) {
        frames.clear();
    }
    m_view.modesChanged();
}

void Editor::setRunning(bool running) {
    m_running = running;
    if (running) {
        clearSelection();
        m_placing = false;
        m_moving = false;
        m_view.modesChanged();
    }
}

int Editor::activeBoard() const {
    return m_project.activeBoard;
}

void Editor::chooseBlock(int tag) {
    if (m_running || !BlockCatalogue::isKind(tag)) {
        return;
    }
    m_placing = true;
    m_group = tag / 10;
    m_index = tag % 10;
    m_view.modesChanged();
}

void Editor::cancelPlacing() {
    leavePlacing();
}

void Editor::leavePlacing() {
    if (m_placing) {
        m_placing = false;
        m_view.modesChanged();
    }
}

void Editor::leaveMoving() {
    m_moving = false;
    m_view.modesChanged();
}

// The current cell belongs to the board it was chosen on: after another board became active,
// Delete and "Przesuń klocek" must not act on the same column and row of that other board.
bool Editor::validCurrent() const {
    return m_currentBoard == m_project.activeBoard &&
           Board::validPosition(m_currentColumn, m_currentRow);
}

void Editor::setMark(int n, int column, int row, FrameColour colour) {
    m_project.cell(n, column, row).marked = true;
    framesOf(n).set(column, row, colour);
    m_view.boardChanged(n);
}

void Editor::eraseMark(int n, int column, int row) {
    m_project.cell(n, column, row).marked = false;
    framesOf(n).set(column, row, FrameNone);
    m_view.boardChanged(n);
}

bool Editor::mouseDown(int n, const QPoint& imagePos, Click click) {
    if (m_running) {
        return false;
    }
    if (m_view.propertiesEditing()) {
        m_view.finishPropertiesEdit();
    }
    if (m_moving && n != m_moveBoard) {
        refuseMoveAcrossBoards();
        return false;
    }
    if (m_runMarkShown) {
        showRunMark(0, 0, 0);  // a recorded step of a run that has ended
    }
    const int active = m_project.activeBoard;
    if (validCurrent() && active >= 1 && active <= kMaxBoards &&
        m_project.cell(active, m_currentColumn, m_currentRow).marked) {
        eraseMark(active, m_currentColumn, m_currentRow);
    }
    if (n != m_project.activeBoard) {
        activateBoard(n);
    }
    const QPoint cell = geometry::hitCell(imagePos);
    m_selecting = false;
    if (m_moving) {
        clearSelection();
        dropMove(cell.x(), cell.y());
    } else if (m_placing) {
        clearSelection();
        placeOrLeave(n, cell.x(), cell.y(), click);
    } else {
        pressOnCell(n, cell, click);
    }
    return click == Click::Right;
}

// A right click inside the chosen rectangle keeps it, so that its popup menu copies it all.
void Editor::pressOnCell(int n, const QPoint& cell, Click click) {
    if (click != Click::CtrlLeft && !(click == Click::Right && selection(n).contains(cell))) {
        clearSelection();
    }
    if (click == Click::Left || click == Click::Right || click == Click::CtrlLeft) {
        m_pasteAt = {n, cell.x(), cell.y()};
    }
    if (click == Click::Left) {
        selectCell(cell.x(), cell.y());
    } else if (click == Click::Right) {
        markCell(cell.x(), cell.y());
    } else if (click == Click::ShiftLeft) {
        beginMove(cell.x(), cell.y());
    } else if (click == Click::CtrlLeft) {
        clearSelection();
        clearMarks(n);
        m_selecting = true;
        m_selectionStart = cell;
        setSelection(n, QRect(cell, cell));
    } else {
        m_view.focusMainWindow();
    }
}

void Editor::placeOrLeave(int n, int column, int row, Click click) {
    if (click != Click::Left && click != Click::ShiftLeft) {
        leavePlacing();
        return;
    }
    const bool placed = placeChosenBlock(n, column, row);
    if (click == Click::Left) {
        leavePlacing();
        m_view.raiseBoard(n, true);
    }
    if (placed) {
        eraseMark(n, column, row);
    }
}

void Editor::refuseMoveAcrossBoards() {
    m_sink.showMessage(MessageSink::Close, MessageSink::Information,
                       m_texts.text(texts::CannotMoveAcrossBoards));
    leaveMoving();
    const int source = m_moveBoard;
    m_project.activeBoard = source;
    selectWithFrame(m_moveColumn, m_moveRow, FrameSelected);
    m_view.showProperties(m_propertiesKind);
    m_view.raiseBoard(source, true);
}

bool Editor::placeChosenBlock(int n, int column, int row) {
    Board& board = m_project.board(n);
    const auto refuse = [this](int text) {
        m_sink.showMessage(MessageSink::Close, MessageSink::Information, m_texts.text(text));
        return false;
    };
    if (board.blockCount >= kMaxBlocksPerBoard) {
        return refuse(texts::BlockLimitReached);
    }
    if (board.cell(column, row).occupied) {
        return refuse(texts::CellOccupied);
    }
    board.changed = true;
    const int kind = chosenKind();
    if (kind == KindVariable) {
        if (board.variableCount >= kMaxVariablesPerBoard) {
            return refuse(texts::VariableLimitReached);
        }
    } else if (kind == KindStart && m_project.boardHasKind(n, KindStart)) {
        return refuse(texts::StartAlreadyPlaced);
    } else if (kind == KindEnd && m_project.boardHasKind(n, KindEnd)) {
        return refuse(texts::EndAlreadyPlaced);
    }
    m_project.placeBlock(n, column, row, m_group, m_index);
    if (kind == KindVariable) {
        ++board.variableCount;
    }
    framesOf(n).set(column, row, FrameNone);
    m_view.boardChanged(n);
    if (kind == KindArrayWrite) {
        m_view.placedArrayBlock(n, column, row);
    }
    return true;
}

void Editor::selectWithFrame(int column, int row, FrameColour colour) {
    const int n = m_project.activeBoard;
    const Cell& cell = m_project.cell(n, column, row);
    if (cell.occupied) {
        m_currentBoard = n;
        m_currentColumn = column;
        m_currentRow = row;
        m_propertiesKind = cell.isVariable ? PropertiesVariable : cell.kindCode;
        setMark(n, column, row, colour);
    } else {
        m_propertiesKind = PropertiesBoard;
        clearMarks(n);
    }
}

void Editor::selectCell(int column, int row) {
    selectWithFrame(column, row, FrameSelected);
    m_view.showProperties(m_propertiesKind);
    m_view.raiseBoard(m_project.activeBoard, true);
}

void Editor::showFinding(int n, int column, int row) {
    if (m_running || n < 1 || n > m_project.boardCount) {
        return;
    }
    activateBoard(n);
    if (column > 0 && row > 0 && m_project.isOccupied(n, column, row)) {
        selectWithFrame(column, row, FrameFaulty);
        m_view.showProperties(m_propertiesKind);
    }
    m_view.raiseBoard(n, true);
}

void Editor::markCell(int column, int row) {
    const int n = m_project.activeBoard;
    if (!m_project.isOccupied(n, column, row)) {
        return;
    }
    m_currentBoard = n;
    m_currentColumn = column;
    m_currentRow = row;
    setMark(n, column, row, FrameSelected);
}

void Editor::beginMove(int column, int row) {
    const int n = m_project.activeBoard;
    if (m_running || !m_project.isOccupied(n, column, row)) {
        return;
    }
    selectWithFrame(column, row, FrameMoving);
    m_view.showProperties(m_propertiesKind);
    m_moveBoard = n;
    m_moveColumn = column;
    m_moveRow = row;
    m_moving = true;
    m_placing = false;
    m_view.modesChanged();
}

void Editor::dropMove(int column, int row) {
    leaveMoving();
    const int n = m_moveBoard;
    if (const Status moved = m_project.moveBlock(n, m_moveColumn, m_moveRow, column, row);
        !moved.ok()) {
        m_sink.showStatus(moved, m_texts);
        return;
    }
    framesOf(n).set(m_moveColumn, m_moveRow, FrameNone);
    m_project.activeBoard = n;
    selectCell(column, row);
}

void Editor::deleteCurrentBlock() {
    if (!m_running && m_selectionBoard == m_project.activeBoard && !m_selection.isEmpty()) {
        if (!m_view.warnBeforeDelete() ||
            m_sink.showMessage(MessageSink::YesNoCancel, MessageSink::Information,
                               m_texts.text(texts::AskDeleteBlock)) == MessageSink::ResultYes) {
            deleteArea(m_selectionBoard, m_selection);
        }
        return;
    }
    const int n = m_project.activeBoard;
    if (m_running || n < 1 || n > m_project.boardCount || !validCurrent() ||
        !m_project.cell(n, m_currentColumn, m_currentRow).marked) {
        return;
    }
    if (m_view.warnBeforeDelete() &&
        m_sink.showMessage(MessageSink::YesNoCancel, MessageSink::Information,
                           m_texts.text(texts::AskDeleteBlock)) != MessageSink::ResultYes) {
        return;
    }
    if (m_project.isOccupied(n, m_currentColumn, m_currentRow)) {
        m_project.deleteBlock(n, m_currentColumn, m_currentRow);
        framesOf(n).set(m_currentColumn, m_currentRow, FrameNone);
        m_view.boardChanged(n);
    }
    m_propertiesKind = PropertiesBoard;
    m_view.showProperties(PropertiesBoard);
}

void Editor::clearBoard() {
    const int n = m_project.activeBoard;
    if (m_running || n < 1 || n > m_project.boardCount || m_project.board(n).blockCount < 1) {
        return;
    }
    if (m_sink.showMessage(MessageSink::YesNoCancel, MessageSink::Information,
                           m_texts.text(texts::AskClearBoard)) != MessageSink::ResultYes) {
        return;
    }
    m_project.resetBoard(n);
    m_project.board(n).blockCount = 0;
    m_project.board(n).variableCount = 0;
    framesOf(n).clear();
    m_view.showBoardWindow(n);
    m_view.hideReport();
    m_propertiesKind = PropertiesBoard;
    m_view.showProperties(PropertiesBoard);
}

// The board windows stay clickable during a run (their title strips, the delete label), while
// the executor walks the boards: none of them may change under it.
void Editor::deleteOwnBoard(int n) {
    if (m_running) {
        return;
    }
    if (n == 1) {
        m_sink.showMessage(MessageSink::Close, MessageSink::Information,
                           m_texts.text(texts::FirstBoardNotRemovable));
        return;
    }
    if (n <= m_project.boardCount && n != m_project.activeBoard) {
        activateBoard(n);
    }
    deleteBoard();
}

void Editor::copyBoardInto(int from, int to) {
    Board& target = m_project.board(to);
    target = m_project.board(from);
    target.number = to;
    target.forEachCell([to](Cell& cell, int, int) { cell.board = to; });
    target.changed = true;
    m_frames[static_cast<std::size_t>(to - 1)] = frames(from);
}

void Editor::deleteBoard() {
    const int count = m_project.boardCount;
    if (m_running || count < 2) {
        return;
    }
    if (m_sink.showMessage(MessageSink::YesNoCancel, MessageSink::Information,
                           m_texts.text(texts::AskDeleteBoard)) != MessageSink::ResultYes) {
        return;
    }
    const int removed = count;
    const bool shifted = count == 3 && m_project.activeBoard != 3;
    if (shifted) {
        copyBoardInto(3, 2);
    }
    m_view.boardDeleted(shifted ? 2 : removed, shifted);
    m_view.hideBoardWindow(removed);
    m_project.resetBoard(removed);
    m_project.board(removed).blockCount = 0;
    framesOf(removed).clear();
    m_project.boardCount = count - 1;
    if (count == 3) {
        m_view.showBoardWindow(2);
    }
    // Board 2 would stay active even when it was the one removed; a board that is
    // no longer shown would then receive the board commands, so board 1 takes over instead.
    m_project.activeBoard = std::min(2, m_project.boardCount);
    m_view.titlesChanged();
    m_propertiesKind = PropertiesBoard;
    m_view.showProperties(PropertiesBoard);
    m_view.hideReport();
}

bool Editor::newBoard() {
    if (m_running || m_project.boardCount >= kMaxBoards) {
        return false;
    }
    clearMarks(m_project.activeBoard);
    m_project.addBoard();
    const int n = m_project.activeBoard;
    framesOf(n).clear();
    m_view.showBoardWindow(n);
    m_view.titlesChanged();
    m_propertiesKind = PropertiesBoard;
    m_view.showProperties(PropertiesBoard);
    return true;
}

void Editor::activateBoard(int n) {
    if (n < 1 || n > kMaxBoards) {
        return;
    }
    m_project.activeBoard = n;
    m_view.titlesChanged();
    m_view.raiseBoard(n, false);
}

void Editor::clearMarks(int n) {
    if (n < 1 || n > kMaxBoards) {
        return;
    }
    m_project.board(n).clearMarks();
    framesOf(n).clear();
    m_view.boardChanged(n);
}

void Editor::showCheckMarks(int n) {
    FrameMap& frames = framesOf(n);
    m_project.board(n).forEachCell([&frames](const Cell& cell, int c, int r) {
        frames.set(c, r, cell.marked ? FrameFaulty : FrameNone);
    });
    m_view.boardChanged(n);
}

void Editor::showCheckMarksOnEveryBoard() {
    for (int n = 1; n <= m_project.boardCount; ++n) {
        showCheckMarks(n);
    }
}

void Editor::showRunMark(int n, int column, int row) {
    for (int b = 1; b <= kMaxBoards; ++b) {
        framesOf(b).clear();
        m_view.boardChanged(b);
    }
    m_runMarkShown = n >= 1 && n <= kMaxBoards && Board::validPosition(column, row);
    if (m_runMarkShown) {
        framesOf(n).set(column, row, FrameRunning);
        m_view.boardChanged(n);
    }
}

Editor::PopupState Editor::popupState() const {
    PopupState state;
    const int n = m_project.activeBoard;
    if (n < 1 || n > m_project.boardCount) {
        return state;
    }
    const bool hasBlocks = m_project.board(n).blockCount >= 1;
    const bool hasMark = m_project.findMarkedCell(n).has_value();
    state.deleteBoard = n != 1;
    state.clearBoard = hasBlocks;
    state.checkBoard = hasBlocks;
    state.deleteBlock = hasMark || !selection(n).isEmpty();
    state.moveBlock = hasMark;
    state.copyBlocks = copyArea().has_value();
    return state;
}

QString Editor::statusText(int n, const QPoint& imagePos) const {
    const QPoint cell = geometry::hitCell(imagePos);
    if (!m_project.isOccupied(n, cell.x(), cell.y())) {
        return m_project.board(n).name;
    }
    return m_project.describeCell(n, cell.x(), cell.y(), m_texts);
}

void Editor::resetHistory(bool saved) {
    m_history.reset(m_project, saved);
}

void Editor::recordChange() {
    if (!m_running) {
        m_history.record(m_project);
    }
}

bool Editor::undo() {
    const Sizes before = boardSizes();
    if (m_running || !m_history.undo(m_project)) {
        return false;
    }
    showRestored(before);
    return true;
}

bool Editor::redo() {
    const Sizes before = boardSizes();
    if (m_running || !m_history.redo(m_project)) {
        return false;
    }
    showRestored(before);
    return true;
}

Editor::Sizes Editor::boardSizes() const {
    Sizes sizes;
    sizes.boardCount = m_project.boardCount;
    for (int n = 1; n <= kMaxBoards; ++n) {
        const Board& board = m_project.board(n);
        sizes.columnsRows[static_cast<std::size_t>(n - 1)] = {board.columns, board.rows};
    }
    return sizes;
}

// A restored state brings its own boards: windows of boards gone are hidden, those of boards
// back are shown, those whose columns or rows changed are sized again (a window left at the
// old size would hide the columns added or show ones that are gone), and nothing stays
// selected, placed or moved.
void Editor::showRestored(const Sizes& before) {
    const int boardsBefore = before.boardCount;
    clearSelection();
    leavePlacing();
    leaveMoving();
    m_currentBoard = 0;
    m_currentColumn = 0;
    m_currentRow = 0;
    for (int n = 1; n <= kMaxBoards; ++n) {
        framesOf(n).clear();
        if (n > m_project.boardCount) {
            m_view.hideBoardWindow(n);
        } else if (n > boardsBefore ||
                   before.columnsRows[static_cast<std::size_t>(n - 1)] !=
                       std::pair(m_project.board(n).columns, m_project.board(n).rows)) {
            m_view.showBoardWindow(n);
        } else {
            m_view.boardChanged(n);
        }
    }
    m_view.titlesChanged();
    m_propertiesKind = PropertiesBoard;
    m_view.showProperties(PropertiesBoard);
}

}  // namespace trevalon

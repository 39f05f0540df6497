// The board editor's copy, cut and paste, and the rectangle of cells they work on.

#include "config/MessageSink.h"
#include "config/TextTable.h"
#include "edit/BlockPaste.h"
#include "edit/BoardGeometry.h"
#include "edit/Editor.h"
#include "edit/EditorView.h"
#include "model/KindCode.h"
#include "model/Project.h"

namespace trevalon {

void Editor::clearSelection() {
    const int n = m_selectionBoard;
    m_selectionBoard = 0;
    m_selection = QRect();
    if (n >= 1 && n <= kMaxBoards) {
        m_view.boardChanged(n);
    }
}

void Editor::setSelection(int n, const QRect& cells) {
    const Board& board = m_project.board(n);
    m_selectionBoard = n;
    m_selection = cells.normalized() & QRect(1, 1, board.usedColumns(), board.usedRows());
    m_view.boardChanged(n);
}

void Editor::dragSelection(int n, const QPoint& imagePos) {
    if (!m_selecting || n != m_selectionBoard || m_running) {
        return;
    }
    const QRect stretched = QRect(m_selectionStart, geometry::hitCell(imagePos)).normalized();
    if (stretched != m_selection) {
        setSelection(n, stretched);
    }
}

std::optional<std::pair<int, QRect>> Editor::copyArea() const {
    const int n = m_selectionBoard;
    if (n >= 1 && n <= m_project.boardCount && !m_selection.isEmpty()) {
        const Board& board = m_project.board(n);
        const bool anyBlock = board.anyUsedCell([this](const Cell& cell, int c, int r) {
            return cell.occupied && m_selection.contains(c, r);
        });
        return anyBlock ? std::optional(std::pair(n, m_selection)) : std::nullopt;
    }
    if (validCurrent() && m_project.cell(m_currentBoard, m_currentColumn, m_currentRow).marked &&
        m_project.isOccupied(m_currentBoard, m_currentColumn, m_currentRow)) {
        return std::pair(m_currentBoard, QRect(m_currentColumn, m_currentRow, 1, 1));
    }
    return std::nullopt;
}

std::optional<BlockFragment> Editor::copyBlocks() {
    if (m_running) {
        return std::nullopt;
    }
    const auto area = copyArea();
    if (!area) {
        m_sink.showMessage(MessageSink::Close, MessageSink::Information,
                           m_texts.text(texts::NothingToCopy));
        return std::nullopt;
    }
    return BlockFragment::take(m_project.board(area->first), area->second);
}

// While the properties window edits a block, the board stays as it is: the edit is written
// into its cell when it ends.
bool Editor::refuseWhileEditing() const {
    if (m_view.propertiesEditing()) {
        m_sink.showMessage(MessageSink::Close, MessageSink::Information,
                           m_texts.text(texts::FinishEditingProperties));
        return true;
    }
    return false;
}

std::optional<BlockFragment> Editor::cutBlocks() {
    if (refuseWhileEditing()) {
        return std::nullopt;
    }
    std::optional<BlockFragment> fragment = copyBlocks();
    if (fragment) {
        const auto area = copyArea();
        deleteArea(area->first, area->second);
    }
    return fragment;
}

void Editor::deleteArea(int n, const QRect& cells) {
    for (int c = cells.left(); c <= cells.right(); ++c) {
        for (int r = cells.top(); r <= cells.bottom(); ++r) {
            m_project.deleteBlock(n, c, r);
            framesOf(n).set(c, r, FrameNone);
        }
    }
    clearSelection();
    m_currentBoard = 0;
    m_view.boardChanged(n);
    m_propertiesKind = PropertiesBoard;
    m_view.showProperties(PropertiesBoard);
}

bool Editor::refusePaste(const QString& text) const {
    m_sink.showMessage(MessageSink::Close, MessageSink::Information, text);
    return false;
}

bool Editor::pasteBlocks(const BlockFragment& fragment) {
    const int n = m_pasteAt.board;
    if (m_running || refuseWhileEditing()) {
        return false;
    }
    if (n < 1 || n > m_project.boardCount) {
        return refusePaste(m_texts.text(texts::PasteWhere));
    }
    const BlockPaste::Verdict verdict =
        BlockPaste::check(m_project, n, m_pasteAt.column, m_pasteAt.row, fragment);
    switch (verdict.reason) {
        case BlockPaste::Fits:
            break;
        case BlockPaste::Empty:
            return refusePaste(m_texts.text(texts::NothingToPaste));
        case BlockPaste::OutsideBoard:
            return refusePaste(m_texts.text(texts::PasteOutsideBoard)
                                   .arg(fragment.columns())
                                   .arg(fragment.rows()));
        case BlockPaste::Occupied:
            return refusePaste(
                m_texts.text(texts::PasteOccupied).arg(verdict.column).arg(verdict.row));
        case BlockPaste::BlockLimit:
            return refusePaste(m_texts.text(texts::BlockLimitReached));
        case BlockPaste::VariableLimit:
            return refusePaste(m_texts.text(texts::PasteVariableLimit)
                                   .arg(fragment.variableCount())
                                   .arg(kMaxVariablesPerBoard - m_project.board(n).variableCount));
        case BlockPaste::SecondStart:
            return refusePaste(m_texts.text(texts::StartAlreadyPlaced));
        case BlockPaste::SecondEnd:
            return refusePaste(m_texts.text(texts::EndAlreadyPlaced));
    }
    const QRect pasted = BlockPaste::paste(m_project, n, m_pasteAt.column, m_pasteAt.row, fragment);
    if (n != m_project.activeBoard) {
        activateBoard(n);
    }
    clearMarks(n);
    m_currentBoard = 0;
    setSelection(n, pasted);
    for (const Cell& cell : fragment.cells()) {
        if (cell.kindCode == KindArrayWrite) {
            m_view.placedArrayBlock(n, pasted.left() + cell.column - 1,
                                    pasted.top() + cell.row - 1);
        }
    }
    m_propertiesKind = PropertiesBoard;
    m_view.showProperties(PropertiesBoard);
    m_view.raiseBoard(n, true);
    return true;
}

}  // namespace trevalon

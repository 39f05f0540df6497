#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <optional>
#include <utility>

#include "edit/BlockFragment.h"
#include "edit/FrameMap.h"
#include "edit/PropertiesKind.h"
#include "edit/UndoHistory.h"

namespace trevalon {

class EditorView;
class MessageSink;
class Project;
class TextTable;

// The board editor: what a click on a board does, placing with its limits, selecting,
// marking, moving, deleting, clearing and adding boards. It changes the project in place and
// tells the windows what to redraw through EditorView; it keeps the marks' frame colours,
// which the model does not hold.
class Editor {
public:
    enum class Click { Left, ShiftLeft, CtrlLeft, Right, Other };

    struct PopupState {
        bool moveBlock = false;
        bool deleteBlock = false;
        bool copyBlocks = false;
        bool clearBoard = false;
        bool checkBoard = false;
        bool deleteBoard = false;
    };

    // All references must outlive the editor.
    Editor(Project& project, const TextTable& texts, MessageSink& sink, EditorView& view);

    // No placing or move mode, no current cell, no marks drawn.
    void reset();

    bool running() const { return m_running; }
    void setRunning(bool running);

    // Toolbar: choose a block kind (its tag) to place, or give the choice up.
    void chooseBlock(int tag);
    void cancelPlacing();
    bool placing() const { return m_placing; }
    int chosenKind() const { return m_placing ? 10 * m_group + m_index : 0; }

    bool moving() const { return m_moving; }
    int moveBoard() const { return m_moveBoard; }

    // A mouse press on board n's image at `imagePos`. Answers whether the board's popup menu
    // should open.
    bool mouseDown(int n, const QPoint& imagePos, Click click);

    // Places the chosen block on board n; false (with a message) when a limit refuses it.
    bool placeChosenBlock(int n, int column, int row);
    void selectCell(int column, int row);
    // A reason of the check chosen in the report: board n becomes active and comes to the
    // front, and the cell (none when column or row is 0) becomes the current block, framed red
    // as a faulty cell, with its properties shown. Nothing while a run goes on.
    void showFinding(int n, int column, int row);
    void markCell(int column, int row);
    void beginMove(int column, int row);
    void dropMove(int column, int row);
    // Deletes the selected block, or the blocks of the chosen rectangle.
    void deleteCurrentBlock();
    void clearBoard();
    void deleteBoard();
    // Deletes the board of a window's own delete label: that board, whichever is active.
    void deleteOwnBoard(int n);
    // False without a message when three boards are in use.
    bool newBoard();
    void activateBoard(int n);
    void clearMarks(int n);
    // After a check marked faulty cells: their frames turn red, every other frame goes.
    void showCheckMarks(int n);
    // The same on every board of the project, after a check of the whole project.
    void showCheckMarksOnEveryBoard();
    // The current block of a run, drawn with the selection frame (step mode).
    void showRunMark(int n, int column, int row);

    // Undo and redo. The history starts anew with each new or opened project; a change is
    // recorded once it has settled (the window calls recordChange after the event that made
    // it). Nothing is undone or redone while a run goes on.
    void resetHistory(bool saved);
    void markSaved() { m_history.markSaved(); }
    void recordChange();
    // After a run: what it wrote into the blocks becomes part of the current state.
    void adoptRunResult() { m_history.adopt(m_project); }
    bool undo();
    bool redo();
    const UndoHistory& history() const { return m_history; }

    // Copy, cut and paste. Dragging with Ctrl held chooses a rectangle of cells on one board
    // (a press with Ctrl starts it, moves with the button held stretch it); without one, the
    // selected block is what copy takes. Paste puts the blocks with their top-left corner at
    // the cell clicked last, on whichever board that is. Each answers nothing, or false, after
    // telling the pupil why.
    void dragSelection(int n, const QPoint& imagePos);
    // The chosen rectangle on board n (columns as x, rows as y); empty when there is none.
    QRect selection(int n) const { return n == m_selectionBoard ? m_selection : QRect(); }
    std::optional<BlockFragment> copyBlocks();
    std::optional<BlockFragment> cutBlocks();
    bool pasteBlocks(const BlockFragment& fragment);

    PopupState popupState() const;
    // What the status line shows over `imagePos` of board n.
    QString statusText(int n, const QPoint& imagePos) const;

    int activeBoard() const;
    int currentBoard() const { return m_currentBoard; }
    int currentColumn() const { return m_currentColumn; }
    int currentRow() const { return m_currentRow; }
    int propertiesKind() const { return m_propertiesKind; }
    const FrameMap& frames(int n) const { return m_frames[static_cast<std::size_t>(n - 1)]; }

private:
    FrameMap& framesOf(int n) { return m_frames[static_cast<std::size_t>(n - 1)]; }
    bool validCurrent() const;
    void setMark(int n, int column, int row, FrameColour colour);
    void eraseMark(int n, int column, int row);
    void selectWithFrame(int column, int row, FrameColour colour);
    void leavePlacing();
    void leaveMoving();
    void refuseMoveAcrossBoards();
    void placeOrLeave(int n, int column, int row, Click click);
    void copyBoardInto(int from, int to);
    // The boards in use and each board's columns and rows, as they stood before an undo/redo.
    struct Sizes {
        int boardCount = 1;
        std::array<std::pair<int, int>, kMaxBoards> columnsRows{};
    };
    Sizes boardSizes() const;
    void showRestored(const Sizes& before);
    void pressOnCell(int n, const QPoint& cell, Click click);
    void clearSelection();
    void setSelection(int n, const QRect& cells);
    // The board and cells copy takes: the chosen rectangle, or else the selected block.
    std::optional<std::pair<int, QRect>> copyArea() const;
    void deleteArea(int n, const QRect& cells);
    bool refusePaste(const QString& text) const;
    bool refuseWhileEditing() const;

    Project& m_project;
    const TextTable& m_texts;
    MessageSink& m_sink;
    EditorView& m_view;

    std::array<FrameMap, 3> m_frames{};
    int m_currentBoard = 0;
    int m_currentColumn = 0;
    int m_currentRow = 0;
    int m_propertiesKind = PropertiesBoard;
    bool m_placing = false;
    int m_group = 0;
    int m_index = 0;
    bool m_moving = false;
    int m_moveBoard = 0;
    int m_moveColumn = 0;
    int m_moveRow = 0;
    bool m_running = false;
    bool m_runMarkShown = false;
    int m_selectionBoard = 0;
    QRect m_selection;
    QPoint m_selectionStart;
    bool m_selecting = false;
    CellRef m_pasteAt;
    UndoHistory m_history;
};

}  // namespace trevalon

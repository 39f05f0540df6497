// The board editor's rules without a window: what a click does, the limits of placing,
// moving, deleting and the boards, and what the windows are told to redraw.
#include <gtest/gtest.h>

#include <QPoint>
#include <memory>

#include "Recorders.h"
#include "config/TextTable.h"
#include "edit/BoardGeometry.h"
#include "edit/Editor.h"
#include "edit/EditorView.h"
#include "edit/PropertiesKind.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

using namespace trevalon;
using Click = Editor::Click;

namespace {

// Remembers what the editor asked of the windows.
class FakeView : public EditorView {
public:
    QList<int> changedBoards;
    QList<int> shownBoards;
    QList<int> hiddenBoards;
    QList<int> raisedBoards;
    QList<int> propertiesShown;
    int modeChanges = 0;
    int titleChanges = 0;
    int reportsHidden = 0;
    bool editing = false;
    int editsFinished = 0;
    bool warn = true;

    void boardChanged(int n) override { changedBoards << n; }
    void showBoardWindow(int n) override { shownBoards << n; }
    void hideBoardWindow(int n) override { hiddenBoards << n; }
    void boardDeleted(int, bool) override {}
    void raiseBoard(int n, bool) override { raisedBoards << n; }
    void titlesChanged() override { ++titleChanges; }
    void modesChanged() override { ++modeChanges; }
    void focusMainWindow() override {}
    void showProperties(int kind) override { propertiesShown << kind; }
    bool propertiesEditing() const override { return editing; }
    void finishPropertiesEdit() override {
        editing = false;
        ++editsFinished;
    }
    void hideReport() override { ++reportsHidden; }
    bool warnBeforeDelete() const override { return warn; }
    void copyBoardPicture(int) override {}
    void placedArrayBlock(int, int, int) override {}
};

// The middle of a cell's square, where a pupil clicks.
QPoint at(int column, int row) {
    return geometry::cellRect(column, row).center();
}

struct EditorFixture : ::testing::Test {
    TextTable texts;
    test::RecordingSink sink;
    FakeView view;
    std::unique_ptr<Project> project = std::make_unique<Project>();
    Editor editor{*project, texts, sink, view};

    void place(int kind, int column, int row, int n = 1) {
        editor.chooseBlock(kind);
        editor.mouseDown(n, at(column, row), Click::Left);
    }
};

}  // namespace

TEST_F(EditorFixture, PlacingRefusesWhatABoardCannotHold) {
    const struct {
        int kind;
        int column;
        int row;
        int refusal;  // text shown, 0 when the block is placed
    } steps[] = {
        {KindStart, 2, 2, 0}, {KindStart, 3, 3, 291},  {KindEnd, 2, 7, 0},
        {KindEnd, 4, 4, 292}, {KindAssign, 2, 2, 293}, {KindVariable, 9, 1, 0},
    };
    for (const auto& step : steps) {
        sink.messages.clear();
        place(step.kind, step.column, step.row);
        EXPECT_EQ(project->kindAt(1, step.column, step.row) == step.kind, step.refusal == 0)
            << step.kind;
        EXPECT_EQ(sink.messages,
                  step.refusal ? QStringList{texts.text(step.refusal)} : QStringList{})
            << step.kind;
        EXPECT_FALSE(editor.placing()) << "a left click ends placing";
    }
    EXPECT_EQ(project->board(1).variableCount, 1);
    for (int r = 2; r <= kMaxVariablesPerBoard; ++r) {
        place(KindVariable, 9, r);
    }
    sink.messages.clear();
    place(KindVariable, 10, 1);
    EXPECT_EQ(sink.messages, QStringList{texts.text(texts::VariableLimitReached)});
    EXPECT_FALSE(project->isOccupied(1, 10, 1));
}

TEST_F(EditorFixture, ShiftClickKeepsPlacingAndAnyOtherClickGivesItUp) {
    editor.chooseBlock(KindLineVertical);
    editor.mouseDown(1, at(1, 1), Click::ShiftLeft);
    editor.mouseDown(1, at(1, 2), Click::ShiftLeft);
    EXPECT_TRUE(editor.placing());
    EXPECT_TRUE(project->isOccupied(1, 1, 1));
    EXPECT_TRUE(project->isOccupied(1, 1, 2));
    EXPECT_TRUE(editor.mouseDown(1, at(1, 3), Click::Right)) << "the popup menu opens";
    EXPECT_FALSE(editor.placing());
    EXPECT_FALSE(project->isOccupied(1, 1, 3));
    // Nothing is chosen from a tag that is no block kind, nor during a run.
    editor.chooseBlock(19);
    EXPECT_FALSE(editor.placing());
    editor.setRunning(true);
    editor.chooseBlock(KindAssign);
    EXPECT_FALSE(editor.placing());
}

TEST_F(EditorFixture, ClicksSelectMarkAndShowTheBlocksProperties) {
    place(KindAssign, 3, 4);
    place(KindVariable, 5, 5);
    view.propertiesShown.clear();
    editor.mouseDown(1, at(3, 4), Click::Left);
    EXPECT_EQ(editor.currentColumn(), 3);
    EXPECT_EQ(editor.currentRow(), 4);
    EXPECT_TRUE(project->cell(1, 3, 4).marked);
    EXPECT_EQ(editor.frames(1).at(3, 4), FrameSelected);
    editor.mouseDown(1, at(5, 5), Click::Left);
    EXPECT_FALSE(project->cell(1, 3, 4).marked) << "the earlier mark goes";
    editor.mouseDown(1, at(8, 8), Click::Left);
    EXPECT_EQ(view.propertiesShown, (QList<int>{KindAssign, PropertiesVariable, PropertiesBoard}));
    EXPECT_EQ(editor.frames(1).at(5, 5), FrameNone) << "an empty cell clears the marks";
    // While a properties row is being edited, a click ends the edit (storing it) and then
    // selects as any click does, without a message.
    view.editing = true;
    editor.mouseDown(1, at(3, 4), Click::Left);
    EXPECT_EQ(view.editsFinished, 1);
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_TRUE(project->cell(1, 3, 4).marked);
}

TEST_F(EditorFixture, FarColumnsAreHitALittleRightOfWhereTheyAreDrawn) {
    // Squares are drawn at a 39-pixel pitch and hit at 40: the left edge of column 15 is
    // still column 14 to the mouse.
    const QPoint leftEdge = geometry::cellRect(15, 1).topLeft() + QPoint(1, 5);
    EXPECT_EQ(geometry::hitCell(leftEdge), QPoint(14, 1));
    EXPECT_EQ(geometry::hitCell(QPoint(-5, 900)), QPoint(1, kGridSize));
}

TEST_F(EditorFixture, AMoveStaysOnItsBoard) {
    place(KindAssign, 2, 2);
    ASSERT_TRUE(editor.newBoard());
    editor.activateBoard(1);
    editor.mouseDown(1, at(2, 2), Click::ShiftLeft);
    ASSERT_TRUE(editor.moving());
    EXPECT_EQ(editor.frames(1).at(2, 2), FrameMoving);
    editor.mouseDown(2, at(4, 4), Click::Left);
    EXPECT_EQ(sink.messages, QStringList{texts.text(texts::CannotMoveAcrossBoards)});
    EXPECT_FALSE(editor.moving());
    EXPECT_EQ(project->activeBoard, 1);
    EXPECT_TRUE(project->isOccupied(1, 2, 2));
    editor.mouseDown(1, at(2, 2), Click::ShiftLeft);
    editor.mouseDown(1, at(6, 7), Click::Left);
    EXPECT_FALSE(project->isOccupied(1, 2, 2));
    EXPECT_EQ(project->kindAt(1, 6, 7), KindAssign);
    EXPECT_EQ(editor.frames(1).at(6, 7), FrameSelected);
}

TEST_F(EditorFixture, DeletingABlockAsksFirstWhenTheSettingSaysSo) {
    place(KindAssign, 2, 2);
    editor.mouseDown(1, at(2, 2), Click::Left);
    sink.answer = MessageSink::ResultNo;
    editor.deleteCurrentBlock();
    EXPECT_EQ(sink.messages, QStringList{texts.text(texts::AskDeleteBlock)});
    EXPECT_TRUE(project->isOccupied(1, 2, 2));
    sink.answer = MessageSink::ResultYes;
    editor.deleteCurrentBlock();
    EXPECT_FALSE(project->isOccupied(1, 2, 2));
    EXPECT_EQ(view.propertiesShown.last(), PropertiesBoard);
    // Without the warning nothing is asked; a cell chosen on another board is not current.
    place(KindAssign, 3, 3);
    editor.mouseDown(1, at(3, 3), Click::Left);
    ASSERT_TRUE(editor.newBoard());
    view.warn = false;
    sink.messages.clear();
    editor.deleteCurrentBlock();
    EXPECT_TRUE(project->isOccupied(1, 3, 3));
    // Adding the board took the mark away: the block must be chosen again.
    editor.activateBoard(1);
    editor.deleteCurrentBlock();
    EXPECT_TRUE(project->isOccupied(1, 3, 3));
    editor.mouseDown(1, at(3, 3), Click::Left);
    editor.deleteCurrentBlock();
    EXPECT_FALSE(project->isOccupied(1, 3, 3));
    EXPECT_TRUE(sink.messages.isEmpty());
}

TEST_F(EditorFixture, DeletingABoardKeepsTheOthersInOrder) {
    sink.answer = MessageSink::ResultYes;
    editor.deleteOwnBoard(1);
    EXPECT_EQ(sink.messages, QStringList{texts.text(texts::FirstBoardNotRemovable)});
    ASSERT_TRUE(editor.newBoard());
    ASSERT_TRUE(editor.newBoard());
    EXPECT_FALSE(editor.newBoard()) << "three boards at most";
    place(KindAssign, 4, 4, 3);
    project->board(3).name = QStringLiteral("Trzecia");
    editor.deleteOwnBoard(2);
    // The third board takes the second's place and number.
    EXPECT_EQ(project->boardCount, 2);
    EXPECT_EQ(project->board(2).name, QStringLiteral("Trzecia"));
    EXPECT_EQ(project->board(2).number, 2);
    EXPECT_EQ(project->cell(2, 4, 4).board, 2);
    EXPECT_EQ(project->kindAt(2, 4, 4), KindAssign);
    EXPECT_FALSE(project->isOccupied(3, 4, 4));
    EXPECT_EQ(view.hiddenBoards, QList<int>{3});
    EXPECT_EQ(project->activeBoard, 2);
    // Clearing asks too, and a refusal keeps the blocks.
    sink.answer = MessageSink::ResultNo;
    editor.clearBoard();
    EXPECT_TRUE(project->isOccupied(2, 4, 4));
    sink.answer = MessageSink::ResultYes;
    editor.clearBoard();
    EXPECT_FALSE(project->isOccupied(2, 4, 4));
    EXPECT_EQ(project->board(2).blockCount, 0);
}

// A board's size comes back with undo and redo, and its window is sized again each time: a
// window kept at 10 columns for an 8-column board (or the other way) shows what is gone or
// hides what is there. A step that leaves the size alone only redraws.
TEST_F(EditorFixture, UndoAndRedoOfABoardsSizeResizeItsWindow) {
    ASSERT_TRUE(editor.newBoard());
    editor.resetHistory(true);
    project->board(2).columns = 10;
    editor.recordChange();
    EXPECT_EQ(editor.history().undoChange().kind, ProjectChange::BoardSettings);
    place(KindAssign, 9, 2, 2);
    editor.recordChange();

    view.shownBoards.clear();
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(view.shownBoards.isEmpty()) << "the placement changed no size";
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(project->board(2).columns, 8);
    EXPECT_EQ(view.shownBoards, QList<int>{2});
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(project->board(2).columns, 10);
    EXPECT_EQ(view.shownBoards, QList<int>({2, 2}));
    EXPECT_FALSE(project->isOccupied(2, 9, 2));
}

TEST_F(EditorFixture, NothingChangesDuringARun) {
    place(KindAssign, 2, 2);
    ASSERT_TRUE(editor.newBoard());
    editor.activateBoard(1);
    editor.mouseDown(1, at(2, 2), Click::Left);
    editor.setRunning(true);
    sink.answer = MessageSink::ResultYes;
    EXPECT_FALSE(editor.mouseDown(1, at(2, 2), Click::Right));
    editor.deleteCurrentBlock();
    editor.clearBoard();
    editor.deleteOwnBoard(2);
    EXPECT_FALSE(editor.newBoard());
    EXPECT_TRUE(project->isOccupied(1, 2, 2));
    EXPECT_EQ(project->boardCount, 2);
    EXPECT_TRUE(sink.messages.isEmpty());
}

TEST_F(EditorFixture, StatusLineNamesTheBlockOrTheBoard) {
    project->board(1).name = QStringLiteral("Główna");
    place(KindAssign, 2, 2);
    EXPECT_EQ(editor.statusText(1, at(7, 7)), QStringLiteral("Główna"));
    EXPECT_EQ(editor.statusText(1, at(2, 2)), project->describeCell(1, 2, 2, texts));
    EXPECT_FALSE(editor.statusText(1, at(2, 2)).isEmpty());
}

TEST_F(EditorFixture, AReasonChosenInTheReportShowsItsCellOnItsBoard) {
    project->boardCount = 2;
    place(KindAssign, 3, 4, 2);
    project->activeBoard = 1;
    editor.showFinding(2, 3, 4);
    EXPECT_EQ(project->activeBoard, 2);
    EXPECT_EQ(view.raisedBoards.last(), 2);
    EXPECT_EQ(editor.frames(2).at(3, 4), FrameFaulty);
    EXPECT_EQ(editor.currentBoard(), 2);
    EXPECT_EQ(editor.currentColumn(), 3);
    EXPECT_EQ(editor.currentRow(), 4);
    EXPECT_EQ(view.propertiesShown.last(), int(KindAssign));
    // A reason of the whole board only brings the board forward; a board that is gone, nothing.
    editor.showFinding(1, 0, 0);
    EXPECT_EQ(project->activeBoard, 1);
    EXPECT_EQ(view.raisedBoards.last(), 1);
    editor.showFinding(3, 1, 1);
    EXPECT_EQ(project->activeBoard, 1);
}

// Dragging with Ctrl chooses a rectangle; copy takes its blocks, paste puts them at the cell
// clicked last (refusing a place where they do not fit), cut and Delete empty it.
TEST_F(EditorFixture, CtrlDragChoosesBlocksToCopyCutAndPaste) {
    view.warn = false;
    sink.clear();
    EXPECT_FALSE(editor.copyBlocks().has_value());
    EXPECT_EQ(sink.messages, QStringList{texts.text(texts::NothingToCopy)});
    place(KindAssign, 2, 2);
    place(KindAssign, 3, 3);
    editor.mouseDown(1, at(1, 1), Click::CtrlLeft);
    editor.dragSelection(1, at(3, 4));
    EXPECT_EQ(editor.selection(1), QRect(1, 1, 3, 4));
    EXPECT_TRUE(editor.popupState().copyBlocks);
    const auto fragment = editor.copyBlocks();
    ASSERT_TRUE(fragment.has_value());
    EXPECT_EQ(fragment->cells().size(), 2U);

    sink.clear();
    editor.mouseDown(1, at(2, 2), Click::Left);
    EXPECT_TRUE(editor.selection(1).isEmpty()) << "a plain click gives the rectangle up";
    EXPECT_FALSE(editor.pasteBlocks(*fragment));
    EXPECT_EQ(sink.messages, QStringList{texts.text(texts::PasteOccupied).arg(2).arg(2)});

    ASSERT_TRUE(editor.newBoard());
    editor.mouseDown(2, at(5, 5), Click::Left);
    view.editing = true;
    sink.clear();
    EXPECT_FALSE(editor.pasteBlocks(*fragment));
    EXPECT_EQ(sink.messages, QStringList{texts.text(texts::FinishEditingProperties)});
    view.editing = false;
    ASSERT_TRUE(editor.pasteBlocks(*fragment));
    EXPECT_TRUE(project->isOccupied(2, 5, 5));
    EXPECT_TRUE(project->isOccupied(2, 6, 6));
    EXPECT_EQ(editor.selection(2), QRect(5, 5, 2, 2)) << "what was pasted stays chosen";

    const auto cut = editor.cutBlocks();
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(project->board(2).blockCount, 0);
    editor.mouseDown(1, at(1, 1), Click::CtrlLeft);
    editor.dragSelection(1, at(2, 2));
    editor.deleteCurrentBlock();
    EXPECT_FALSE(project->isOccupied(1, 2, 2));
    EXPECT_TRUE(project->isOccupied(1, 3, 3)) << "outside the rectangle";
}

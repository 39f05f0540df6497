#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include "AppFixture.h"
#include "Flowcharts.h"
#include "config/SettingsStore.h"
#include "edit/BoardGeometry.h"
#include "model/BlockCatalogue.h"
#include "ui/main/MainMenus.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"

using namespace trevalon;

namespace {

class BoardEditing : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        newProject();
    }

    // A text of the table as the message dialog shows it (both line ends break the line).
    QString text(int number) {
        return app->workspace().texts().text(number).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }

    QAction* popupItem(int n, const char* name) {
        board(n)->updatePopupState();
        return board(n)->popupMenu()->findChild<QAction*>(QLatin1String(name));
    }

    void addBoard() { main().commands().execute(Command::NewBoard); }

    // The mouse passing over a cell of board n, no button held.
    void hover(int n, int column, int row) {
        QWidget* image = board(n)->image();
        const QPoint at = cellCentre(column, row);
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(image->mapToGlobal(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(image, &move);
    }
};

}  // namespace

TEST_F(BoardEditing, EveryKindIsPlacedFromItsButton) {
    int i = 0;
    for (const KindInfo& kind : BlockCatalogue::kinds()) {
        const int column = i % 8 + 1;
        const int row = i / 8 + 1;
        place(kind.code, column, row);
        EXPECT_EQ(project().kindAt(1, column, row), kind.code);
        EXPECT_EQ(project().cell(1, column, row).column, column);
        EXPECT_EQ(project().cell(1, column, row).row, row);
        // A plain click places once and gives the button back.
        EXPECT_FALSE(editor().placing()) << kind.code;
        EXPECT_FALSE(main().toolbar().button(kind.code)->chosen());
        ++i;
    }
    EXPECT_EQ(project().board(1).blockCount, i);
    EXPECT_EQ(project().board(1).variableCount, 1);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(BoardEditing, ChoosingAButtonShowsItChosenAndChangesTheCursors) {
    selectTabOf(KindAssign);
    pressButton(KindAssign);
    EXPECT_TRUE(editor().placing());
    EXPECT_EQ(editor().chosenKind(), KindAssign);
    EXPECT_TRUE(main().toolbar().button(KindAssign)->chosen());
    EXPECT_NE(board(1)->image()->cursor().shape(), Qt::ArrowCursor);
    pressButton(MainToolbar::TagCancel);
    EXPECT_FALSE(editor().placing());
    EXPECT_FALSE(main().toolbar().button(KindAssign)->chosen());
    EXPECT_EQ(board(1)->image()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(BoardEditing, AnOccupiedCellIsReportedBeforeASecondStart) {
    place(KindStart, 1, 1);
    answerMessage(Qt::Key_Z);
    place(KindStart, 1, 1);
    answerMessage(Qt::Key_Z);
    place(KindStart, 2, 1);
    place(KindEnd, 3, 1);
    answerMessage(Qt::Key_Z);
    place(KindEnd, 4, 1);
    EXPECT_EQ(messages, QStringList({text(texts::CellOccupied), text(texts::StartAlreadyPlaced),
                                     text(texts::EndAlreadyPlaced)}));
    EXPECT_EQ(project().board(1).blockCount, 2);
    EXPECT_FALSE(project().isOccupied(1, 2, 1));
    EXPECT_FALSE(project().isOccupied(1, 4, 1));
}

TEST_F(BoardEditing, TheNinthVariableIsRefusedUntilOneIsDeleted) {
    app->settings().values().warnBeforeDelete = false;
    for (int c = 1; c <= 8; ++c) {
        place(KindVariable, c, 1);
    }
    answerMessage(Qt::Key_Z);
    place(KindVariable, 1, 2);
    EXPECT_EQ(messages, QStringList({text(texts::VariableLimitReached)}));
    EXPECT_FALSE(project().isOccupied(1, 1, 2));
    EXPECT_EQ(project().board(1).variableCount, 8);

    clickCell(1, 4, 1);
    QTest::keyClick(board(1), Qt::Key_Delete);
    EXPECT_EQ(project().board(1).variableCount, 7);
    place(KindVariable, 1, 2);
    EXPECT_TRUE(project().isOccupied(1, 1, 2));
    EXPECT_EQ(project().board(1).variableCount, 8);
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(BoardEditing, AFullBoardIsReportedBeforeAnythingElse) {
    Board& b = project().board(1);
    b.columns = 15;
    b.rows = 15;
    for (int i = 0; i < kMaxBlocksPerBoard; ++i) {
        project().placeBlock(1, i % 15 + 1, i / 15 + 1, 4, 1);
    }
    main().showBoardWindow(1);
    ASSERT_EQ(b.blockCount, 219);
    answerMessage(Qt::Key_Z);
    place(KindStart, 1, 1);  // occupied, but the limit comes first
    answerMessage(Qt::Key_Z);
    place(KindLineVertical, 15, 15);  // empty
    EXPECT_EQ(messages,
              QStringList({text(texts::BlockLimitReached), text(texts::BlockLimitReached)}));
    EXPECT_EQ(b.blockCount, 219);
    EXPECT_FALSE(project().isOccupied(1, 15, 15));
}

TEST_F(BoardEditing, ShiftClicksKeepPlacingUntilAPlainClick) {
    selectTabOf(KindLineHorizontal);
    pressButton(KindLineHorizontal);
    for (int c = 1; c <= 3; ++c) {
        clickCell(1, c, 2, Qt::LeftButton, Qt::ShiftModifier);
        EXPECT_TRUE(editor().placing());
        EXPECT_TRUE(main().toolbar().button(KindLineHorizontal)->chosen());
    }
    clickCell(1, 4, 2);
    EXPECT_FALSE(editor().placing());
    clickCell(1, 5, 2);
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(project().kindAt(1, c, 2), KindLineHorizontal) << c;
    }
    EXPECT_FALSE(project().isOccupied(1, 5, 2));
}

TEST_F(BoardEditing, ChangingTheTabOrRightClickingGivesUpTheChoice) {
    selectTabOf(KindStart);
    pressButton(KindStart);
    selectTabOf(KindAssign);
    EXPECT_FALSE(editor().placing());
    clickCell(1, 1, 1);
    EXPECT_FALSE(project().isOccupied(1, 1, 1));

    pressButton(KindAssign);
    clickCell(1, 1, 1, Qt::RightButton);
    EXPECT_FALSE(editor().placing());
    EXPECT_FALSE(project().isOccupied(1, 1, 1));
}

TEST_F(BoardEditing, ClicksFollowFortyPixelSquaresWhileSquaresAreDrawnThirtyNineApart) {
    project().board(1).columns = 15;
    main().showBoardWindow(1);
    ASSERT_EQ(board(1)->size(), geometry::boardWindowSize(15, 8));
    selectTabOf(KindStart);
    pressButton(KindStart);
    QTest::mouseClick(board(1)->image(), Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(555, 20));
    EXPECT_TRUE(project().isOccupied(1, 14, 1));
    pressButton(KindEnd);
    QTest::mouseClick(board(1)->image(), Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(565, 20));
    EXPECT_TRUE(project().isOccupied(1, 15, 1));

    // Column 15's square runs from pixel 550 to 589: its selection frame is drawn there.
    QTest::mouseClick(board(1)->image(), Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(570, 20));
    const QImage picture = board(1)->image()->picture();
    const QRgb yellow = qRgb(255, 255, 0);
    EXPECT_EQ(picture.pixel(550, 20), yellow);
    EXPECT_EQ(picture.pixel(589, 20), yellow);
    EXPECT_EQ(picture.pixel(570, 4), yellow);
    EXPECT_EQ(picture.pixel(570, 43), yellow);
    EXPECT_NE(picture.pixel(549, 20), yellow);
}

TEST_F(BoardEditing, SelectingMarksOneBlockAndAnEmptyCellClearsTheMarks) {
    place(KindAssign, 2, 2);
    place(KindVariable, 3, 3);
    clickCell(1, 2, 2);
    EXPECT_TRUE(project().cell(1, 2, 2).marked);
    EXPECT_EQ(editor().frames(1).at(2, 2), FrameSelected);
    EXPECT_EQ(editor().propertiesKind(), KindAssign);
    clickCell(1, 3, 3);
    EXPECT_FALSE(project().cell(1, 2, 2).marked);
    EXPECT_EQ(editor().frames(1).at(2, 2), FrameNone);
    EXPECT_EQ(editor().propertiesKind(), PropertiesVariable);
    clickCell(1, 6, 6);
    EXPECT_FALSE(project().findMarkedCell(1).has_value());
    EXPECT_EQ(editor().propertiesKind(), PropertiesBoard);
}

TEST_F(BoardEditing, ARightClickMarksAndOpensThePopupWithItsRules) {
    place(KindAssign, 2, 2);
    clickCell(1, 6, 6);
    clickCell(1, 2, 2, Qt::RightButton);
    EXPECT_TRUE(project().cell(1, 2, 2).marked);
    EXPECT_EQ(editor().propertiesKind(), PropertiesBoard);  // properties not shown
    EXPECT_TRUE(board(1)->popupMenu()->isVisible());
    EXPECT_TRUE(popupItem(1, "PMUsunKlocek")->isEnabled());
    EXPECT_TRUE(popupItem(1, "PMPrzesunKlocek")->isEnabled());
    EXPECT_TRUE(popupItem(1, "PMWyczyscPlansze")->isEnabled());
    EXPECT_TRUE(popupItem(1, "PMSprawdzPlansze")->isEnabled());
    EXPECT_FALSE(popupItem(1, "PMUsunPlansze")->isEnabled());
    board(1)->popupMenu()->close();

    addBoard();
    clickCell(2, 1, 1, Qt::RightButton);
    EXPECT_EQ(project().activeBoard, 2);
    EXPECT_TRUE(popupItem(2, "PMUsunPlansze")->isEnabled());
    EXPECT_FALSE(popupItem(2, "PMWyczyscPlansze")->isEnabled());
    EXPECT_FALSE(popupItem(2, "PMUsunKlocek")->isEnabled());
    EXPECT_FALSE(popupItem(2, "PMPrzesunKlocek")->isEnabled());
    // Only boards 2 and 3 show the Delete key beside "Usuń klocek".
    EXPECT_TRUE(popupItem(2, "PMUsunKlocek")->text().endsWith(QStringLiteral("\tDelete")));
    EXPECT_FALSE(popupItem(1, "PMUsunKlocek")->text().contains(QLatin1Char('\t')));
}

TEST_F(BoardEditing, MovingABlockTakesAllItsFields) {
    place(KindReadWrite, 1, 1);
    Cell& source = project().cell(1, 1, 1);
    source.mode = 1;
    source.text4 = QStringLiteral("Wynik:");
    source.extra1 = 3;
    const QString name = source.name;
    clickCell(1, 1, 1, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(editor().moving());
    EXPECT_EQ(editor().frames(1).at(1, 1), FrameMoving);
    EXPECT_EQ(main().cursor().shape(), Qt::BitmapCursor);
    clickCell(1, 3, 4);
    EXPECT_FALSE(editor().moving());
    EXPECT_FALSE(project().isOccupied(1, 1, 1));
    const Cell& target = project().cell(1, 3, 4);
    EXPECT_EQ(target.kindCode, KindReadWrite);
    EXPECT_EQ(target.name, name);
    EXPECT_EQ(target.mode, 1);
    EXPECT_EQ(target.text4, QStringLiteral("Wynik:"));
    EXPECT_EQ(target.extra1, 3);
    EXPECT_EQ(target.column, 3);
    EXPECT_EQ(target.row, 4);
    EXPECT_EQ(editor().frames(1).at(3, 4), FrameSelected);
    EXPECT_EQ(editor().frames(1).at(1, 1), FrameNone);
    EXPECT_EQ(project().board(1).blockCount, 1);
}

TEST_F(BoardEditing, AMoveOntoAnOccupiedCellLeavesBothBlocks) {
    place(KindAssign, 1, 1);
    place(KindMessage, 2, 1);
    answerMessage(Qt::Key_Z);
    clickCell(1, 1, 1, Qt::LeftButton, Qt::ShiftModifier);
    clickCell(1, 2, 1);
    EXPECT_EQ(messages, QStringList({text(texts::MoveTargetOccupied)}));
    EXPECT_EQ(project().kindAt(1, 1, 1), KindAssign);
    EXPECT_EQ(project().kindAt(1, 2, 1), KindMessage);
    EXPECT_FALSE(editor().moving());
}

TEST_F(BoardEditing, AMoveToAnotherBoardIsRefusedAndTheBlockStaysSelected) {
    place(KindAssign, 1, 1);
    addBoard();
    clickCell(1, 1, 1, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(board(2)->image()->cursor().shape(), Qt::ForbiddenCursor);
    answerMessage(Qt::Key_Z);
    clickCell(2, 2, 2);
    EXPECT_EQ(messages, QStringList({text(texts::CannotMoveAcrossBoards)}));
    EXPECT_FALSE(editor().moving());
    EXPECT_EQ(project().activeBoard, 1);
    EXPECT_EQ(project().kindAt(1, 1, 1), KindAssign);
    EXPECT_FALSE(project().isOccupied(2, 2, 2));
    EXPECT_EQ(editor().frames(1).at(1, 1), FrameSelected);
    EXPECT_EQ(board(2)->image()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(BoardEditing, DeleteAsksFirstWhenTheSettingSaysSo) {
    place(KindAssign, 1, 1);
    clickCell(1, 1, 1);
    answerMessage(Qt::Key_N);
    QTest::keyClick(board(1), Qt::Key_Delete);
    EXPECT_TRUE(project().isOccupied(1, 1, 1));
    answerMessage(Qt::Key_T);
    QTest::keyClick(board(1), Qt::Key_Delete);
    EXPECT_FALSE(project().isOccupied(1, 1, 1));
    EXPECT_EQ(messages, QStringList({text(texts::AskDeleteBlock), text(texts::AskDeleteBlock)}));
    EXPECT_EQ(project().board(1).blockCount, 0);
    EXPECT_EQ(editor().propertiesKind(), PropertiesBoard);
}

TEST_F(BoardEditing, WithoutTheWarningDeleteRemovesAtOnce) {
    app->settings().values().warnBeforeDelete = false;
    place(KindAssign, 1, 1);
    clickCell(1, 1, 1);
    QTest::keyClick(&main(), Qt::Key_Delete);
    EXPECT_FALSE(project().isOccupied(1, 1, 1));
    EXPECT_TRUE(messages.isEmpty());
    // Without a marked current block, Delete does nothing.
    place(KindAssign, 2, 2);
    QTest::keyClick(&main(), Qt::Key_Delete);
    EXPECT_TRUE(project().isOccupied(1, 2, 2));
}

// The current block is the one chosen on the active board: a marked cell at the same place on
// another board (a faulty cell after a check) is not deleted when that board becomes active.
TEST_F(BoardEditing, DeleteActsOnlyOnTheBoardWhereTheBlockWasChosen) {
    app->settings().values().warnBeforeDelete = false;
    place(KindAssign, 2, 2);
    addBoard();
    place(KindMessage, 2, 2, 2);
    clickCell(1, 2, 2);
    project().cell(2, 2, 2).marked = true;
    QTest::mousePress(board(2)->titleLabel(), Qt::LeftButton);
    QTest::mouseRelease(board(2)->titleLabel(), Qt::LeftButton);
    ASSERT_EQ(project().activeBoard, 2);
    QTest::keyClick(board(2), Qt::Key_Delete);
    EXPECT_TRUE(project().isOccupied(2, 2, 2));
    EXPECT_TRUE(project().isOccupied(1, 2, 2));
    board(2)->popupMenu()->findChild<QAction*>(QStringLiteral("PMPrzesunKlocek"))->trigger();
    EXPECT_FALSE(editor().moving());
}

TEST_F(BoardEditing, ClearingAsksAndResetsTheWholeBoard) {
    Board& b = project().board(1);
    b.name = QStringLiteral("Moja");
    b.columns = 10;
    place(KindAssign, 1, 1);
    place(KindVariable, 9, 2);
    answerMessage(Qt::Key_N);
    popupItem(1, "PMWyczyscPlansze")->trigger();
    EXPECT_EQ(b.blockCount, 2);
    answerMessage(Qt::Key_T);
    popupItem(1, "PMWyczyscPlansze")->trigger();
    EXPECT_EQ(messages, QStringList({text(texts::AskClearBoard), text(texts::AskClearBoard)}));
    EXPECT_EQ(b.blockCount, 0);
    EXPECT_EQ(b.variableCount, 0);
    EXPECT_EQ(b.name, QStringLiteral("Plansza nr 1"));
    EXPECT_EQ(b.columns, 8);
    EXPECT_FALSE(project().isOccupied(1, 1, 1));
    EXPECT_FALSE(project().isOccupied(1, 9, 2));
    EXPECT_EQ(board(1)->size(), geometry::boardWindowSize(8, 8));
}

TEST_F(BoardEditing, DeletingBoardTwoOfThreeMovesBoardThreeIntoItsPlace) {
    addBoard();
    addBoard();
    ASSERT_EQ(project().boardCount, 3);
    place(KindAssign, 1, 1, 2);
    Board& third = project().board(3);
    third.name = QStringLiteral("Trzecia");
    third.columns = 10;
    third.rows = 9;
    main().showBoardWindow(3);
    place(KindMessage, 9, 9, 3);
    board(3)->setZoom(150);

    clickCell(2, 5, 5);  // board 2 becomes active
    answerMessage(Qt::Key_T);
    popupItem(2, "PMUsunPlansze")->trigger();
    EXPECT_EQ(messages, QStringList({text(texts::AskDeleteBoard)}));
    EXPECT_EQ(project().boardCount, 2);
    const Board& second = project().board(2);
    EXPECT_EQ(second.name, QStringLiteral("Trzecia"));
    EXPECT_EQ(second.columns, 10);
    EXPECT_EQ(second.rows, 9);
    EXPECT_EQ(second.number, 2);
    EXPECT_FALSE(project().isOccupied(2, 1, 1));
    EXPECT_EQ(project().kindAt(2, 9, 9), KindMessage);
    EXPECT_EQ(project().cell(2, 9, 9).board, 2);
    EXPECT_EQ(second.blockCount, 1);
    EXPECT_EQ(project().board(3).blockCount, 0);
    EXPECT_FALSE(project().isOccupied(3, 9, 9));
    EXPECT_FALSE(board(3)->isVisible());
    EXPECT_EQ(board(2)->zoom(), 150) << "the zoom follows its board";
    EXPECT_EQ(board(3)->zoom(), 100);
    board(2)->setZoom(100);
    EXPECT_EQ(board(2)->size(), geometry::boardWindowSize(10, 9));
    EXPECT_EQ(project().activeBoard, 2);
}

TEST_F(BoardEditing, ABoardsDeleteLabelRemovesThatBoard) {
    addBoard();
    addBoard();
    place(KindMessage, 1, 1, 3);
    clickCell(1, 1, 1);  // board 1 active
    answerMessage(Qt::Key_T);
    QTest::mouseClick(board(3)->deleteLabel(), Qt::LeftButton);
    EXPECT_EQ(project().boardCount, 2);
    EXPECT_FALSE(project().isOccupied(2, 1, 1));  // board 2 kept its own (empty) cells
    EXPECT_EQ(project().board(2).name, QStringLiteral("Plansza nr 2"));
    EXPECT_FALSE(board(3)->isVisible());
    EXPECT_EQ(board(1)->deleteLabel(), nullptr);

    // With two boards left, board 1 becomes active when board 2 goes.
    answerMessage(Qt::Key_T);
    QTest::mouseClick(board(2)->deleteLabel(), Qt::LeftButton);
    EXPECT_EQ(project().boardCount, 1);
    EXPECT_EQ(project().activeBoard, 1);
}

TEST_F(BoardEditing, NewBoardsStopAtThreeAndTakeTheFocus) {
    addBoard();
    EXPECT_EQ(project().activeBoard, 2);
    EXPECT_TRUE(board(2)->isVisible());
    EXPECT_TRUE(board(2)->titleActive());
    EXPECT_FALSE(board(1)->titleActive());
    EXPECT_EQ(board(2)->pos() - main().pos(), QPoint(140, 122));
    addBoard();
    addBoard();
    EXPECT_EQ(project().boardCount, 3);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(BoardEditing, TheStatusLineDescribesWhatIsUnderTheMouse) {
    place(KindVariable, 2, 1);
    place(KindAssign, 3, 1);
    hover(1, 5, 5);
    EXPECT_EQ(main().statusText(), QStringLiteral("Plansza nr 1"));
    hover(1, 2, 1);
    EXPECT_EQ(main().statusText(),
              QStringLiteral("Zmienna lokalna \"Zm0\" typu: \"l. całkowita\" o wartości "
                             "początkowej \"0\" "));
    hover(1, 3, 1);
    EXPECT_EQ(main().statusText(),
              QStringLiteral("Klocek operacji przypisania o nazwie \"Przypisanie2\" - nie "
                             "powiązany jeszcze ze zmienną"));
}

TEST_F(BoardEditing, TheBoardPictureGoesToTheClipboard) {
    place(KindStart, 1, 1);
    popupItem(1, "PMKopiujPlansze")->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), geometry::boardImageSize(8, 8));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
              board(1)->image()->picture().convertToFormat(QImage::Format_RGB32));
}

TEST_F(BoardEditing, TheTitleStripCollapsesAndDraggingStoresTheOffset) {
    const int full = board(1)->height();
    QTest::mouseClick(board(1)->collapseLabel(), Qt::LeftButton);
    EXPECT_EQ(board(1)->height(), 20);
    QTest::mouseClick(board(1)->collapseLabel(), Qt::LeftButton);
    EXPECT_EQ(board(1)->height(), full);

    DragLabel* title = board(1)->titleLabel();
    const QPoint start = title->rect().center();
    QTest::mousePress(title, Qt::LeftButton, Qt::KeyboardModifiers(), start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(30, 15)),
                     QPointF(title->mapToGlobal(start + QPoint(30, 15))), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(title, &move);
    QTest::mouseRelease(title, Qt::LeftButton, Qt::KeyboardModifiers(), start + QPoint(30, 15));
    EXPECT_EQ(project().board(1).left, 120 + 30);
    EXPECT_EQ(project().board(1).top, 102 + 15);
    EXPECT_EQ(board(1)->pos() - main().pos(), QPoint(150, 117));
}

// Ctrl+Z takes back a placement and Ctrl+Y (or Ctrl+Shift+Z) makes it again; the File menu
// names what each would do, and undo is refused while a run goes on.
TEST_F(BoardEditing, UndoAndRedoTakeBackAPlacementAndNameIt) {
    place(KindAssign, 2, 3);
    QApplication::processEvents();  // the change is recorded once its event is over
    const QString name = project().cell(1, 2, 3).name;
    main().menus().updateState();
    QAction* undo = main().menus().action(Command::Undo);
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Cofnij: postawienie bloku %1\tCtrl+Z").arg(name));
    EXPECT_FALSE(main().menus().action(Command::Redo)->isEnabled());

    QTest::keyClick(&main(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(project().isOccupied(1, 2, 3));
    EXPECT_FALSE(project().projectChanged());
    QTest::keyClick(board(1), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(project().isOccupied(1, 2, 3));
    EXPECT_EQ(project().cell(1, 2, 3).name, name);
    QTest::keyClick(&main(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&main(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(project().isOccupied(1, 2, 3));
    EXPECT_TRUE(project().projectChanged());
}

// Ctrl and a drag choose blocks; Ctrl+C puts them on the clipboard in our own type and as a
// picture; a click on another board and Ctrl+V put them there as one change to undo.
TEST_F(BoardEditing, CtrlDragCopiesBlocksThatPasteOnAnotherBoard) {
    place(KindAssign, 1, 1);
    place(KindMessage, 2, 2);
    QWidget* image = board(1)->image();
    QTest::mousePress(image, Qt::LeftButton, Qt::ControlModifier, cellCentre(1, 1));
    const QPoint corner = cellCentre(3, 3);
    QMouseEvent drag(QEvent::MouseMove, QPointF(corner), QPointF(image->mapToGlobal(corner)),
                     Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(image, &drag);
    QTest::mouseRelease(image, Qt::LeftButton, Qt::ControlModifier, corner);
    EXPECT_EQ(editor().selection(1), QRect(1, 1, 3, 3));
    QTest::keyClick(board(1), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->hasFormat(QLatin1String(BlockFragment::MimeType)));
    EXPECT_TRUE(copied->hasImage());

    addBoard();
    QApplication::processEvents();
    QTest::mouseClick(board(2)->image(), Qt::LeftButton, Qt::NoModifier, cellCentre(4, 5));
    EXPECT_TRUE(popupItem(2, "PMWklej")->isEnabled());
    QTest::keyClick(board(2), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(project().kindAt(2, 4, 5), KindAssign);
    EXPECT_EQ(project().kindAt(2, 5, 6), KindMessage);
    QApplication::processEvents();
    main().menus().updateState();
    EXPECT_EQ(main().menus().action(Command::Undo)->text(),
              QStringLiteral("Cofnij: dodanie bloków (2)\tCtrl+Z"));
    EXPECT_TRUE(messages.isEmpty());
}

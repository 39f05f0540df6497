#include <QApplication>
#include <QMenu>
#include <QWheelEvent>

#include "AppFixture.h"
#include "ImageSharpness.h"
#include "edit/BoardGeometry.h"
#include "model/BlockCatalogue.h"
#include "ui/board/BoardPicture.h"
#include "ui/board/ZoomSteps.h"
#include "ui/main/MainMenus.h"
#include "ui/run/RunController.h"
#include "ui/widgets/DragLabel.h"

using namespace trevalon;

namespace {

TEST(ZoomSteps, StepsStopAtTheEndsAndZeroGoesBackToActualSize) {
    struct Row {
        int from;
        int direction;
        int expected;
    };
    const Row rows[] = {{100, 1, 110},  {100, -1, 90}, {90, -1, 75},  {67, -1, 50},
                        {50, -1, 50},   {250, 1, 300}, {300, 1, 300}, {120, 1, 125},
                        {120, -1, 110}, {300, 0, 100}, {50, 0, 100}};
    for (const Row& row : rows) {
        EXPECT_EQ(zoom::step(row.from, row.direction), row.expected)
            << row.from << " " << row.direction;
    }
}

class BoardZoom : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        newProject();
    }

    QImage plainRender() {
        return BoardPicture::render(project().board(1), editor().frames(1), editor().selection(1));
    }

    // The centre of a cell where the mouse reaches it at the board's zoom.
    QPoint zoomedCentre(int column, int row) {
        return cellCentre(column, row) * board(1)->zoom() / 100;
    }

    void clickZoomed(int column, int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::mouseClick(board(1)->image(), Qt::LeftButton, mods, zoomedCentre(column, row));
    }

    void ctrlWheel(int notches) {
        QWidget* image = board(1)->image();
        const QPointF at(30, 30);
        QWheelEvent wheel(at, image->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(image, &wheel);
    }
};

}  // namespace

// A pupil zooms a board with Ctrl and the wheel and with Ctrl++, places and moves blocks with
// the mouse there, and sees a picture drawn for the size rather than a stretched one.
TEST_F(BoardZoom, AZoomedBoardIsSharpAndTheMouseHitsItsCells) {
    flow().put(1, 1, 1, KindStart);
    flow().assign(1, 2, 2, QStringLiteral("x"), QStringLiteral("1"));
    flow().compare(1, 2, 3, QStringLiteral("x"), 1, QStringLiteral("0"));
    flow().read(1, 3, 3, QStringLiteral("x"), QStringLiteral("x?"));
    flow().put(1, 4, 4, KindEnd);
    board(1)->redraw();
    // At 100 % the board looks as it always did: the embedded pictures, pixel for pixel.
    EXPECT_EQ(board(1)->image()->picture(), plainRender());
    const QImage plain = board(1)->image()->grab().toImage();
    const QSize window = board(1)->size();

    ctrlWheel(2);  // 110 %, 125 %
    EXPECT_EQ(board(1)->zoom(), 125);
    for (int i = 0; i < 3; ++i) {  // 150, 175, 200 %
        QTest::keyClick(board(1), Qt::Key_Plus, Qt::ControlModifier);
    }
    ASSERT_EQ(board(1)->zoom(), 200);
    EXPECT_TRUE(board(1)->titleLabel()->text().contains(QStringLiteral("200")));
    EXPECT_EQ(board(1)->image()->size(), plain.size() * 2);
    EXPECT_GT(board(1)->width(), window.width());

    // Sharpness: mean absolute Laplacian of the grey levels. Measured on this board (offscreen,
    // pixel ratio 1): the 200 % grab 8.30, the 100 % grab stretched twice with smooth scaling
    // 3.90, a ratio of 2.1; a stretched bitmap would stay near 1, so 1.5 leaves room for
    // small changes to the pictures.
    const QImage zoomed = board(1)->image()->grab().toImage();
    const QImage stretched =
        plain.scaled(plain.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double sharp = test::meanAbsLaplacian(zoomed);
    const double blurred = test::meanAbsLaplacian(stretched);
    EXPECT_GT(sharp, 1.5 * blurred) << sharp << " vs " << blurred;

    // Placing, choosing and moving hit the cells under the mouse at 200 %.
    selectTabOf(KindAssign);
    pressButton(KindAssign);
    clickZoomed(6, 2);
    EXPECT_EQ(project().kindAt(1, 6, 2), KindAssign);
    clickZoomed(3, 3);
    EXPECT_EQ(editor().frames(1).at(3, 3), FrameSelected);
    clickZoomed(3, 3, Qt::ShiftModifier);
    ASSERT_TRUE(editor().moving());
    clickZoomed(7, 5);
    EXPECT_FALSE(editor().moving());
    EXPECT_FALSE(project().isOccupied(1, 3, 3));
    EXPECT_EQ(project().kindAt(1, 7, 5), KindReadWrite);
    // Hovering describes the block under the mouse; a right click marks it for the popup.
    const QPoint over = zoomedCentre(6, 2);
    QMouseEvent move(QEvent::MouseMove, QPointF(over),
                     QPointF(board(1)->image()->mapToGlobal(over)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(board(1)->image(), &move);
    EXPECT_TRUE(main().statusText().contains(project().cell(1, 6, 2).name))
        << main().statusText().toStdString();
    QTest::mouseClick(board(1)->image(), Qt::RightButton, Qt::NoModifier, zoomedCentre(7, 5));
    EXPECT_EQ(QPoint(editor().currentColumn(), editor().currentRow()), QPoint(7, 5));
    board(1)->popupMenu()->close();

    // Back at 100 % with Ctrl+0: the same window and today's picture again.
    QTest::keyClick(board(1), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(board(1)->zoom(), 100);
    EXPECT_EQ(board(1)->size(), window);
    EXPECT_EQ(board(1)->image()->picture(), plainRender());

    // The menu's item zooms the active board; the zoom outlasts closing and showing its window,
    // and the next project starts at 100 %.
    main().menus().updateState();
    main().menus().action(Command::ZoomIn)->trigger();
    main().hideBoardWindow(1);
    main().commands().execute(Command::ShowBoards);
    EXPECT_EQ(board(1)->zoom(), 110);
    EXPECT_EQ(board(1)->image()->width(), (plain.width() * 110 + 99) / 100);
    project().clearChanged();
    main().state().unsavedNew = false;
    newProject();
    EXPECT_EQ(board(1)->zoom(), 100);
}

// A board window moved to a screen of another pixel ratio makes its picture again for that
// screen when it is painted next.
TEST_F(BoardZoom, APictureMadeForAnotherScreenIsMadeAgain) {
    flow().put(1, 1, 1, KindStart);
    main().showBoardWindow(1);
    QImage other = board(1)->image()->picture();
    other.setDevicePixelRatio(board(1)->devicePixelRatioF() * 2);
    board(1)->image()->setPicture(other);
    board(1)->image()->grab();
    EXPECT_EQ(board(1)->image()->picture().devicePixelRatio(), board(1)->devicePixelRatioF());
    EXPECT_EQ(board(1)->image()->picture(), plainRender());
}

// Stepping through a flowchart on a zoomed board that its window cannot show whole keeps the
// current block in sight.
TEST_F(BoardZoom, StepsKeepTheCurrentBlockInSight) {
    flow().resize(1, 4, 14);
    flow().put(1, 1, 1, KindStart);
    for (int row = 2; row <= 13; ++row) {
        flow().assign(1, 1, row, QStringLiteral("x"), QString::number(row));
    }
    flow().put(1, 1, 14, KindEnd);
    flow().variable(1, 3, 1, QStringLiteral("x"), TypeInteger, QStringLiteral("0"));
    main().showBoardWindow(1);
    board(1)->setZoom(300);
    const auto inSight = [&](int row) {
        const QPoint centre = board(1)->image()->mapTo(board(1), zoomedCentre(1, row));
        return board(1)->rect().contains(centre);
    };
    ASSERT_FALSE(inSight(13)) << "the window shows the whole board";

    QTest::keyClick(&main(), Qt::Key_F12);
    ASSERT_TRUE(main().runner().running());
    for (int row = 2; row <= 13; ++row) {
        QTest::keyClick(&main(), Qt::Key_F7);
        ASSERT_EQ(editor().frames(1).at(1, row), FrameRunning) << row;
        EXPECT_TRUE(inSight(row)) << row;
    }
    answerMessage(Qt::Key_Z);
    main().commands().execute(Command::Abort);
    EXPECT_FALSE(main().runner().running());
}

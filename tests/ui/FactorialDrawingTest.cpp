// A pupil's whole task, done with the mouse and the keyboard only: from an empty program, a new
// project from the File menu, the factorial flowchart drawn from the toolbar, every block
// filled in through the properties window and its builders, and a run with F9 that asks for n
// and shows n!.
#include <QMenu>
#include <QPlainTextEdit>

#include "PropertiesFixture.h"
#include "exec/Executor.h"
#include "model/BlockCatalogue.h"
#include "ui/builders/TFBudujKomentarz.h"
#include "ui/builders/TFBudujWyrazenie.h"
#include "ui/main/MainMenus.h"
#include "ui/run/RunController.h"
#include "ui/run/TFWykonanie.h"
#include "ui/widgets/TJetButton.h"

using namespace trevalon;

namespace {

class FactorialByHand : public PropertiesFixture {
protected:
    // No project yet: the pupil starts from the empty program.
    void SetUp() override { AppFixture::SetUp(); }

    void newProjectFromTheMenu() {
        QTest::keyClick(&main(), Qt::Key_P, Qt::AltModifier);
        QMenu* file = main().menus().menu(MainMenus::File);
        QTRY_VERIFY(file->isVisible());
        QAction* item = main().menus().action(Command::NewProject);
        QTest::mouseClick(file, Qt::LeftButton, Qt::NoModifier,
                          file->actionGeometry(item).center());
    }

    // Places a block from the toolbar and opens its properties with a click.
    void put(int kind, int column, int row) {
        place(kind, column, row);
        select(column, row);
        ASSERT_EQ(props()->properties().kind(), kind == KindVariable ? 1 : kind);
    }

    void assignment(int column, int row, const QString& variable, const QString& formula) {
        put(KindAssign, column, row);
        chooseRow(3, variable);
        typeRow(4, formula);
    }

    // Double-clicks a row that has a builder; `inBuilder` works in the builder's window.
    void buildRow(int r, QWidget* builder, std::function<void()> inBuilder) {
        driver.when(builder, std::move(inBuilder));
        QTest::mouseDClick(props()->picture(), Qt::LeftButton, Qt::NoModifier,
                           QPoint(40, 23 * (r - 1) + 12));
        EXPECT_EQ(driver.pending(), 0);
    }

    static void clickButton(QWidget* window, const char* name) {
        auto* button = window->findChild<TJetButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Picks `item` from a builder's list through its arrow button and the drop-down.
    static void pickFromList(QWidget* window, const char* arrow, QComboBox* list,
                             const QString& item) {
        clickButton(window, arrow);
        QTRY_VERIFY(list->view()->isVisible());
        QAbstractItemView* view = list->view();
        const QRect cell = view->visualRect(view->model()->index(list->findText(item), 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTRY_VERIFY(!view->isVisible());
        ASSERT_EQ(list->currentText(), item);
    }

    const Cell& cell(int column, int row) { return project().cell(1, column, row); }
};

TEST_F(FactorialByHand, DrawFillInAndRun) {
    newProjectFromTheMenu();
    ASSERT_TRUE(main().state().projectOpen);
    ASSERT_TRUE(board(1)->isVisible());
    ASSERT_TRUE(props()->isVisible());

    // The board needs a ninth row for the End block.
    select(5, 5);
    chooseRow(3, QStringLiteral("9"));
    typeRow(1, QStringLiteral("Silnia"));

    // Variables n, f and i, integers starting from 0.
    const QString names[] = {QStringLiteral("n"), QStringLiteral("f"), QStringLiteral("i")};
    for (int k = 0; k < 3; ++k) {
        put(KindVariable, 6, k + 1);
        typeRow(2, names[k]);
    }

    put(KindStart, 2, 1);
    put(KindReadWrite, 2, 2);
    typeRow(3, QStringLiteral("Podaj n:"));
    chooseRow(4, QStringLiteral("n"));
    assignment(2, 3, QStringLiteral("f"), QStringLiteral("1"));
    assignment(2, 4, QStringLiteral("i"), QStringLiteral("0"));
    put(KindJoinLeft, 2, 5);
    assignment(2, 6, QStringLiteral("i"), QStringLiteral("i + 1"));

    // While i <= n the flow turns left into the loop.
    put(KindCompareFormula, 2, 7);
    chooseRow(3, QStringLiteral("i"));
    typeRow(4, QStringLiteral("n"));
    chooseRow(5, QStringLiteral("<="));
    put(KindCornerTopRight, 1, 7);

    // f := f * i, composed in the expression builder.
    put(KindAssign, 1, 6);
    chooseRow(3, QStringLiteral("f"));
    TFBudujWyrazenie* expression = app->expressionBuilder();
    buildRow(4, expression, [&] {
        QTest::keyClicks(expression->expressionEdit(), QStringLiteral("f * i"));
        QTest::mouseClick(expression->enterButton(), Qt::LeftButton);
    });
    put(KindCornerBottomRight, 1, 5);

    // After the loop: down the right-hand side to the result and the end.
    put(KindCornerLeftBottom, 3, 7);
    put(KindReadWrite, 3, 8);
    chooseRow(4, QStringLiteral("f"));
    chooseRow(5, QStringLiteral("Pisz"));
    TFBudujKomentarz* comment = app->commentBuilder();
    buildRow(3, comment, [&] {
        QTest::keyClick(comment->textEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(comment->textEdit(), Qt::Key_Delete);
        pickFromList(comment, "ButStrzlkaListy", comment->variableList(), QStringLiteral("n"));
        clickButton(comment, "ButInsertVar");
        QTest::keyClicks(comment->textEdit(), QStringLiteral("! ="));
        clickButton(comment, "ButWprowadz");
    });
    put(KindEnd, 3, 9);
    select(5, 9);

    // What the pupil filled in is what the model holds.
    EXPECT_EQ(project().board(1).rows, 9);
    EXPECT_EQ(project().board(1).name, QStringLiteral("Silnia"));
    EXPECT_EQ(cell(6, 2).name, QStringLiteral("f"));
    EXPECT_EQ(cell(2, 2).text4, QStringLiteral("Podaj n:"));
    EXPECT_EQ(cell(2, 6).text4, QStringLiteral("i + 1"));
    EXPECT_EQ(cell(2, 7).mode, 4);
    EXPECT_EQ(cell(1, 6).text4, QStringLiteral("f * i"));
    EXPECT_EQ(cell(3, 8).text4, QStringLiteral("$7n$! ="));
    EXPECT_EQ(cell(3, 8).mode, 1);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();

    // F9 runs it: n is asked for, n! is shown.
    TFWykonanie* dialog = app->execution();
    driver.when(dialog, [&] {
        QTRY_VERIFY(dialog->valueInput()->hasFocus());
        QTest::keyClicks(dialog->valueInput(), QStringLiteral("5"));
        QTest::keyClick(dialog->valueInput(), Qt::Key_Return);
    });
    QString result;
    driver.when(dialog, [&] {
        result = dialog->bodyText();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::keyClick(&main(), Qt::Key_F9);
    QTRY_VERIFY_WITH_TIMEOUT(!main().runner().running(), 10000);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(app->workspace().executor().lastEnd(), RunEnd::Finished);
    EXPECT_EQ(result, QStringLiteral("5! = 120"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
}

}  // namespace

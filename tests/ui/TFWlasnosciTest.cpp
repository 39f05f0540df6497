// The properties window driven with the mouse and the keyboard: every kind's fields edited
// through its rows, the validation messages, the builders opened by a double click.
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "PropertiesFixture.h"
#include "model/BlockCatalogue.h"
#include "ui/builders/TFBudujKomentarz.h"
#include "ui/main/MainCommands.h"
#include "ui/main/MainMenus.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/TJetButton.h"

using namespace trevalon;

namespace {

class PropertiesWindow : public PropertiesFixture {
protected:
    // Declares a variable with the toolbar and names it through the properties window.
    void declare(int column, int row, const QString& name, const QString& type = QString()) {
        place(KindVariable, column, row);
        select(column, row);
        typeRow(2, name);
        if (!type.isEmpty()) {
            chooseRow(3, type);
        }
    }
    const Cell& cell(int column, int row, int n = 1) { return project().cell(n, column, row); }
};

TEST_F(PropertiesWindow, BoardRowsResizeAndRenameTheBoard) {
    EXPECT_EQ(layout(), QStringLiteral("12200"));
    EXPECT_EQ(props()->height(), 23 * 6);
    // Beside the board, never over its cells.
    EXPECT_FALSE(props()->frameGeometry().intersects(board(1)->frameGeometry()));
    project().board(1).changed = false;
    chooseRow(2, QStringLiteral("12"));
    chooseRow(3, QStringLiteral("10"));
    EXPECT_EQ(project().board(1).columns, 12);
    EXPECT_EQ(project().board(1).rows, 10);
    EXPECT_TRUE(project().board(1).changed);
    EXPECT_EQ(board(1)->size(), QSize(12 * 39 + 9, 10 * 39 + 29));
    typeRow(1, QStringLiteral("Silnia"));
    EXPECT_EQ(project().board(1).name, QStringLiteral("Silnia"));
    EXPECT_EQ(board(1)->titleLabel()->text(), QStringLiteral("  Silnia"));
    EXPECT_EQ(value(1), QStringLiteral("Silnia"));
    // The main board's status cannot be changed.
    clickRow(4);
    EXPECT_FALSE(props()->isEditing());
}

// A size chosen in the properties window is a step of its own: the Edit menu names it at
// once, Ctrl+Z takes back only what came after it, and its window follows the size both ways.
TEST_F(PropertiesWindow, ABoardsSizeIsItsOwnUndoStepAndItsWindowFollows) {
    main().commands().execute(Command::NewBoard);
    ASSERT_EQ(project().activeBoard, 2);
    const QSize eight = board(2)->size();
    chooseRow(2, QStringLiteral("10"));
    QApplication::processEvents();  // the change is recorded once its event is over
    main().menus().updateState();
    EXPECT_EQ(main().menus().action(Command::Undo)->text(),
              QStringLiteral("Cofnij: zmiana planszy Plansza nr 2\tCtrl+Z"));
    const QSize ten = board(2)->size();
    ASSERT_EQ(ten.width(), eight.width() + 2 * 39);

    main().commands().execute(Command::Undo);
    EXPECT_EQ(project().board(2).columns, 8);
    EXPECT_EQ(project().boardCount, 2) << "the new board is an earlier step";
    EXPECT_EQ(board(2)->size(), eight);
    main().commands().execute(Command::Redo);
    EXPECT_EQ(project().board(2).columns, 10);
    EXPECT_EQ(board(2)->size(), ten);
    main().menus().updateState();
    EXPECT_FALSE(main().menus().action(Command::Redo)->isEnabled());
}

// A refused value brings the stored one back and says why under the rows, not in a message box.
TEST_F(PropertiesWindow, BoardNameRefusalsKeepTheStoredName) {
    main().commands().execute(Command::NewBoard);
    ASSERT_EQ(project().activeBoard, 2);
    ASSERT_EQ(layout(), QStringLiteral("12220"));
    QStringList reasons;
    typeRow(1, QStringLiteral("plansza NR 1"));
    reasons << props()->hint()->text();
    EXPECT_TRUE(props()->hint()->isVisible());
    EXPECT_GE(props()->height(), props()->hint()->geometry().bottom() + 1);
    typeRow(1, QString());
    reasons << props()->hint()->text();
    EXPECT_EQ(reasons, (QStringList{QStringLiteral("Jest już taka nazwa planszy. Wybierz inną."),
                                    QStringLiteral("Wpisz poprawnie nazwę planszy.")}));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(project().board(2).name, QStringLiteral("Plansza nr 2"));
    EXPECT_EQ(value(1), QStringLiteral("Plansza nr 2"));
    chooseRow(4, QStringLiteral("Procedura"));
    EXPECT_EQ(project().board(2).kind, int(BoardProcedure));
    // A Start block on a procedure board names its caller.
    place(KindStart, 1, 1, 2);
    select(1, 1, 2);
    EXPECT_EQ(layout(), QStringLiteral("0020"));
    EXPECT_EQ(props()->properties().label(3), QStringLiteral("Wywołujący"));
}

TEST_F(PropertiesWindow, VariableFieldsAndTypedCharacters) {
    place(KindVariable, 1, 1);
    select(1, 1);
    EXPECT_EQ(layout(), QStringLiteral("012210"));
    // Names take letters, digits and the underscore only.
    typeRow(2, QStringLiteral("cena ż-1_a"));
    EXPECT_EQ(cell(1, 1).name, QStringLiteral("cena1_a"));
    chooseRow(3, QStringLiteral("Rzeczywista"));
    EXPECT_EQ(cell(1, 1).mode, int(TypeReal));
    typeRow(5, QStringLiteral("-3,25x"));
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("-3.25"));
    chooseRow(4, QStringLiteral("Globalna"));
    EXPECT_EQ(cell(1, 1).scope, 1);
    chooseRow(3, QStringLiteral("Tablica"));
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("\"*\""));
    EXPECT_EQ(layout(), QStringLiteral("012200"));
    clickRow(5);
    EXPECT_FALSE(props()->isEditing());
    chooseRow(3, QStringLiteral("Logiczna"));
    chooseRow(5, QStringLiteral("Prawda"));
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("1"));
    EXPECT_EQ(value(5), QStringLiteral("Prawda"));
    chooseRow(3, QStringLiteral("Znak"));
    typeRow(5, QStringLiteral("xy"));
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("x"));
}

TEST_F(PropertiesWindow, DateStartValueIsRefusedWithItsReasonAndKept) {
    place(KindVariable, 2, 2);
    select(2, 2);
    chooseRow(3, QStringLiteral("Data"));
    const QString today = cell(2, 2).text4;
    EXPECT_EQ(today.size(), 12);
    typeRow(5, QStringLiteral("\"2024/04/31\""));
    EXPECT_EQ(cell(2, 2).text4, today);
    EXPECT_EQ(value(5), today);
    EXPECT_EQ(props()->hint()->text(), app->workspace().texts().text(texts::DateStartValueRefused));
    // Letters never reach the field.
    typeRow(5, QStringLiteral("\"2012a/07/13\""));
    EXPECT_EQ(cell(2, 2).text4, QStringLiteral("\"2012/07/13\""));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PropertiesWindow, ValidationMessagesKeepTheStoredName) {
    declare(1, 1, QStringLiteral("suma"));
    main().commands().execute(Command::NewBoard);
    ASSERT_EQ(project().boardCount, 2);
    place(KindVariable, 1, 1, 2);
    place(KindAssign, 2, 1, 2);
    select(1, 1, 2);
    const QString first = cell(1, 1, 2).name;
    QStringList reasons;
    const auto refused = [&](const QString& typed) {
        typeRow(2, typed);
        reasons << props()->hint()->text();
        EXPECT_EQ(cell(1, 1, 2).name, first);
        EXPECT_EQ(value(2), first);
    };
    refused(QStringLiteral("SUMA"));
    refused(QStringLiteral("Brak"));
    refused(cell(2, 1, 2).name);
    refused(QString());
    const QString taken = QStringLiteral("Jest już taka nazwa klocka. Wybierz inną.");
    EXPECT_EQ(reasons,
              (QStringList{taken, QStringLiteral("Brak nie może być nazwą zmiennej czy klocka."),
                           taken, QStringLiteral("Wpisz poprawnie nazwę klocka.")}));
    EXPECT_TRUE(messages.isEmpty());
    // A block on the other board may carry the name of a block here.
    place(KindMessage, 3, 3, 2);
    select(3, 3, 2);
    typeRow(2, QStringLiteral("suma2"));
    EXPECT_EQ(cell(3, 3, 2).name, QStringLiteral("suma2"));
}

TEST_F(PropertiesWindow, BlockFieldsThroughTheirRows) {
    declare(6, 1, QStringLiteral("x"), QStringLiteral("Rzeczywista"));
    declare(6, 2, QStringLiteral("k"));
    declare(6, 3, QStringLiteral("t"), QStringLiteral("Tablica"));

    place(KindAssign, 1, 1);
    select(1, 1);
    EXPECT_EQ(layout(), QStringLiteral("01210"));
    chooseRow(3, QStringLiteral("x"));
    typeRow(4, QStringLiteral("2,5*x < 1"));
    EXPECT_EQ(cell(1, 1).text2, QStringLiteral("x"));
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("2.5*x  1"));

    place(KindReadWrite, 1, 2);
    select(1, 2);
    typeRow(3, QStringLiteral("Wynik: $2x$ <"));
    chooseRow(4, QStringLiteral("x"));
    chooseRow(5, QStringLiteral("Pisz"));
    EXPECT_EQ(layout(), QStringLiteral("0112220"));
    chooseRow(6, QStringLiteral("3 cyfry"));
    EXPECT_EQ(cell(1, 2).text4, QStringLiteral("Wynik: $2x$ <"));
    EXPECT_EQ(cell(1, 2).mode, 1);
    EXPECT_EQ(cell(1, 2).extra1, 3);
    chooseRow(5, QStringLiteral("Czytaj"));
    EXPECT_EQ(cell(1, 2).extra1, 7);
    EXPECT_EQ(value(6), QStringLiteral("nie dotyczy"));

    place(KindCompareVars, 2, 1);
    select(2, 1);
    chooseRow(3, QStringLiteral("k"));
    chooseRow(4, QStringLiteral("x"));
    chooseRow(5, QStringLiteral(">="));
    EXPECT_EQ(cell(2, 1).text3, QStringLiteral("x"));
    EXPECT_EQ(cell(2, 1).mode, 3);

    place(KindArrayWrite, 2, 2);
    select(2, 2);
    chooseRow(3, QStringLiteral("t"));
    chooseRow(4, QStringLiteral("k"));
    chooseRow(5, QStringLiteral("k"));
    EXPECT_EQ(cell(2, 2).text2, QStringLiteral("t"));
    EXPECT_EQ(cell(2, 2).text4, QStringLiteral("k"));

    place(KindRandom, 2, 3);
    select(2, 3);
    chooseRow(3, QStringLiteral("k"));
    typeRow(4, QStringLiteral("123456"));
    EXPECT_EQ(cell(2, 3).text4, QStringLiteral("1234"));

    place(KindJoinLeft, 3, 1);
    select(3, 1);
    chooseRow(3, QStringLiteral("W górę"));
    EXPECT_EQ(cell(3, 1).mode, 1);
    typeRow(2, QStringLiteral("Zlacze"));
    EXPECT_EQ(cell(3, 1).name, QStringLiteral("Zlacze"));
}

// A value over twenty characters is drawn as its first twenty and "..".
TEST_F(PropertiesWindow, LongValueIsShownCut) {
    place(KindMessage, 1, 1);
    select(1, 1);
    typeRow(3, QStringLiteral("abcdefghijklmnopqrstu"));
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("abcdefghijklmnopqrstu"));
    const QImage cut = props()->picture()->picture();
    EXPECT_EQ(cut.size(), QSize(244, 23 * 4 + 3));
    typeRow(3, QStringLiteral("abcdefghijklmnopqrst.."));
    EXPECT_EQ(props()->picture()->picture(), cut);
    typeRow(3, QStringLiteral("abcdefghijklmnopqrst"));
    EXPECT_NE(props()->picture()->picture(), cut);
}

// A click on a board ends the open edit the way a click elsewhere in a form does: the value is
// stored (or, refused, the stored one comes back with the reason) and the click selects.
TEST_F(PropertiesWindow, BoardClickCommitsTheOpenEdit) {
    place(KindMessage, 1, 1);
    place(KindMessage, 2, 1);
    select(1, 1);
    clickRow(3);
    ASSERT_TRUE(props()->isEditing());
    EXPECT_TRUE(main().propertiesEditing());
    typeKeys(props()->textEditor(), QStringLiteral("Hej"));
    select(4, 4);
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("Hej"));
    EXPECT_FALSE(props()->isEditing());
    EXPECT_EQ(props()->properties().kind(), PropertiesBoard);
    EXPECT_TRUE(messages.isEmpty());
    // The name of the other block is taken.
    select(1, 1);
    const QString name = cell(1, 1).name;
    clickRow(2);
    typeKeys(props()->textEditor(), cell(2, 1).name);
    select(2, 1);
    EXPECT_EQ(cell(1, 1).name, name);
    EXPECT_EQ(props()->properties().column(), 2);
    EXPECT_EQ(props()->hint()->text(), QStringLiteral("Jest już taka nazwa klocka. Wybierz inną."));
    EXPECT_TRUE(messages.isEmpty());
}

// A click on a text row selects its whole value: typing replaces it, never adds to it.
TEST_F(PropertiesWindow, ClickedRowTypesOverItsValue) {
    place(KindVariable, 1, 1);
    select(1, 1);
    typeRow(2, QStringLiteral("Zm1"));
    clickRow(2);
    EXPECT_EQ(props()->textEditor()->selectedText(), QStringLiteral("Zm1"));
    typeKeys(props()->textEditor(), QStringLiteral("s"));
    finishEdit();
    EXPECT_EQ(cell(1, 1).name, QStringLiteral("s"));
    // A character start value holds one character: typing over it is not refused.
    chooseRow(3, QStringLiteral("Znak"));
    typeRow(5, QStringLiteral("a"));
    clickRow(5);
    typeKeys(props()->textEditor(), QStringLiteral("b"));
    finishEdit();
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("b"));
}

TEST_F(PropertiesWindow, EscapeCancelsAndEnterCommits) {
    place(KindMessage, 1, 1);
    select(1, 1);
    typeRow(3, QStringLiteral("stary"));
    clickRow(3);
    typeKeys(props()->textEditor(), QStringLiteral("nowy"));
    QTest::keyClick(props()->textEditor(), Qt::Key_Escape);
    EXPECT_FALSE(props()->isEditing());
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("stary"));
    EXPECT_EQ(value(3), QStringLiteral("stary"));
    clickRow(3);
    typeKeys(props()->textEditor(), QStringLiteral("nowy"));
    QTest::keyClick(props()->textEditor(), Qt::Key_Return);
    EXPECT_FALSE(props()->isEditing());
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("nowy"));
    // A list: Escape keeps the stored choice, Enter takes the one shown.
    declare(6, 1, QStringLiteral("x"));
    select(6, 1);
    clickRow(3);
    QComboBox* list = props()->list();
    QTRY_VERIFY(list->view()->isVisible());
    list->hidePopup();
    list->setCurrentIndex(list->findText(QStringLiteral("Rzeczywista")));
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(props()->isEditing());
    EXPECT_EQ(cell(6, 1).mode, int(TypeInteger));
    clickRow(3);
    QTRY_VERIFY(list->view()->isVisible());
    list->hidePopup();
    list->setCurrentIndex(list->findText(QStringLiteral("Rzeczywista")));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(props()->isEditing());
    EXPECT_EQ(cell(6, 1).mode, int(TypeReal));
}

// Keys a formula refuses stay refused, but the pupil reads why beside the field, in the
// program's language, until the next key the field takes.
TEST_F(PropertiesWindow, RefusedKeysSayWhy) {
    place(KindAssign, 1, 1);
    select(1, 1);
    clickRow(4);
    PropertyEdit* edit = props()->textEditor();
    typeKeys(edit, QStringLiteral("x>"));
    EXPECT_EQ(edit->text(), QStringLiteral("x"));
    EXPECT_TRUE(props()->hint()->isVisible());
    EXPECT_TRUE(props()->hint()->text().startsWith(QStringLiteral("„>” wstawisz z listy operacji")))
        << props()->hint()->text().toStdString();
    typeKeys(edit, QStringLiteral("ż"));
    EXPECT_EQ(props()->hint()->text(),
              QStringLiteral("Nazwy i formuły piszemy bez polskich liter."));
    typeKeys(edit, QStringLiteral("1"));
    EXPECT_FALSE(props()->hint()->isVisible());
    EXPECT_EQ(edit->text(), QStringLiteral("x1"));
    finishEdit();
    main().setLanguage(QStringLiteral("ang"));
    clickRow(4);
    typeKeys(props()->textEditor(), QStringLiteral("="));
    EXPECT_TRUE(props()->hint()->text().startsWith(
        QStringLiteral("Insert “=” from the list of operations")));
    QTest::keyClick(props()->textEditor(), Qt::Key_Escape);
    EXPECT_FALSE(props()->hint()->isVisible());
    main().setLanguage(QStringLiteral("pl"));
}

// The drop-down opens below its field, whichever item is current, so that the list does not
// jump under the mouse; Alt+Down opens it again, typed digits choose.
TEST_F(PropertiesWindow, ListsOpenBelowTheirFieldAndTakeKeys) {
    chooseRow(3, QStringLiteral("12"));
    clickRow(3);
    QComboBox* list = props()->list();
    QTRY_VERIFY(list->view()->isVisible());
    const QRect popup = list->view()->window()->geometry();
    EXPECT_GE(popup.top(), list->mapToGlobal(QPoint(0, list->height())).y());
    EXPECT_EQ(popup.left(), list->mapToGlobal(QPoint(0, 0)).x());
    list->hidePopup();
    QTRY_VERIFY(!list->view()->isVisible());
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(list->view()->isVisible());
    list->hidePopup();
    QTest::keyClicks(list, QStringLiteral("14"));
    EXPECT_TRUE(list->view()->isVisible());
    EXPECT_EQ(project().board(1).rows, 12) << "typing only searches";
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_FALSE(props()->isEditing());
    EXPECT_EQ(project().board(1).rows, 14);
}

TEST_F(PropertiesWindow, DoubleClickOpensTheExpressionBuilder) {
    declare(6, 1, QStringLiteral("n"));
    place(KindAssign, 1, 1);
    select(1, 1);
    chooseRow(3, QStringLiteral("n"));
    std::optional<FormulaRequest> asked;
    props()->openExpressionBuilder = [&](const FormulaRequest& request) {
        asked = request;
        return std::optional<QString>(QStringLiteral("n * 2"));
    };
    QTest::mouseDClick(props()->picture(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 23 * 3 + 12));
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->formula, QString());
    EXPECT_EQ(asked->target, QStringLiteral("n"));
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("n * 2"));
    EXPECT_FALSE(props()->isEditing());
    // From the editor too, starting from the stored formula; a cancel changes nothing.
    clickRow(4);
    asked.reset();
    props()->openExpressionBuilder = [&](const FormulaRequest& request) {
        asked = request;
        return std::optional<QString>();
    };
    QTest::mouseDClick(props()->textEditor(), Qt::LeftButton);
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->formula, QStringLiteral("n * 2"));
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("n * 2"));
    // Rows without a builder ignore double clicks.
    asked.reset();
    QTest::mouseDClick(props()->picture(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 23 * 2 + 12));
    EXPECT_FALSE(asked.has_value());
}

TEST_F(PropertiesWindow, DoubleClickComposesACommentInTheBuilder) {
    declare(6, 1, QStringLiteral("wynik"), QStringLiteral("Rzeczywista"));
    declare(6, 2, QStringLiteral("imie"), QStringLiteral("Tekst"));
    place(KindMessage, 1, 1);
    select(1, 1);
    TFBudujKomentarz* builder = app->commentBuilder();
    QString preview;
    QPoint shownAt;
    driver.when(builder, [&] {
        shownAt = builder->pos();
        QLineEdit* text = builder->textEdit();
        QTest::keyClicks(text, QStringLiteral("Wynik: "));
        auto* insertVariable = builder->findChild<TJetButton*>(QStringLiteral("ButInsertVar"));
        QTest::mouseClick(insertVariable, Qt::LeftButton);
        auto* insertBreak = builder->findChild<TJetButton*>(QStringLiteral("ButInsertEndWiersz"));
        QTest::mouseClick(insertBreak, Qt::LeftButton);
        builder->variableList()->setCurrentIndex(1);
        QTest::mouseClick(insertVariable, Qt::LeftButton);
        QTest::mouseClick(builder->findChild<TJetButton*>(QStringLiteral("ButPodglond")),
                          Qt::LeftButton);
        preview = builder->previewText();
        QTest::mouseClick(builder->findChild<TJetButton*>(QStringLiteral("ButWprowadz")),
                          Qt::LeftButton);
    });
    props()->move(main().pos() + QPoint(15, 95));  // where the builder has room on the screen
    QTest::mouseDClick(props()->picture(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 23 * 2 + 12));
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(shownAt, props()->pos() + QPoint(15, 15));
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("Wynik: $1wynik$&$7imie$"));
    EXPECT_EQ(preview, QStringLiteral("Wynik: 12,4\n\rTekscik"));
    // Cancelled, the builder leaves the text alone.
    driver.when(builder, [&] {
        QTest::keyClicks(builder->textEdit(), QStringLiteral("xyz"));
        QTest::mouseClick(builder->findChild<TJetButton*>(QStringLiteral("ButAnuluj")),
                          Qt::LeftButton);
    });
    QTest::mouseDClick(props()->picture(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 23 * 2 + 12));
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("Wynik: $1wynik$&$7imie$"));
}

TEST_F(PropertiesWindow, KeysCollapseAndClose) {
    place(KindMessage, 1, 1);
    select(1, 1);
    clickRow(3);
    // F11 in the window hides it (storing the open edit); F11 elsewhere shows it again.
    QTest::keyClicks(props()->textEditor(), QStringLiteral("Hej"));
    QTest::keyClick(props()->textEditor(), Qt::Key_F11);
    EXPECT_FALSE(props()->isVisible());
    EXPECT_EQ(cell(1, 1).text4, QStringLiteral("Hej"));
    QTest::keyClick(board(1), Qt::Key_F11);
    EXPECT_TRUE(props()->isVisible());
    auto* collapse = props()->findChild<ClickLabel*>(QStringLiteral("LZminMale"));
    QTest::mouseClick(collapse, Qt::LeftButton);
    EXPECT_TRUE(props()->collapsed());
    EXPECT_EQ(props()->height(), 20);
    // Showing another kind expands it.
    select(5, 5);
    EXPECT_FALSE(props()->collapsed());
    EXPECT_EQ(props()->height(), 23 * 6);
    QTest::mouseClick(props()->findChild<ClickLabel*>(QStringLiteral("LCloseWlasnosci")),
                      Qt::LeftButton);
    EXPECT_FALSE(props()->isVisible());
}

TEST_F(PropertiesWindow, ClicksAreIgnoredWhileRunning) {
    place(KindMessage, 1, 1);
    select(1, 1);
    editor().setRunning(true);
    clickRow(3);
    EXPECT_FALSE(props()->isEditing());
    editor().setRunning(false);
    clickRow(3);
    EXPECT_TRUE(props()->isEditing());
    finishEdit();
}

TEST_F(PropertiesWindow, LanguageSwitchRedrawsTheRows) {
    place(KindJoinRight, 1, 1);
    select(1, 1);
    EXPECT_EQ(props()->properties().label(3), QStringLiteral("Idź do"));
    main().setLanguage(QStringLiteral("ang"));
    EXPECT_EQ(props()->properties().label(3), QStringLiteral("Go to"));
    EXPECT_EQ(value(3), QStringLiteral("Down"));
    main().setLanguage(QStringLiteral("pl"));
}

}  // namespace

// The companions hold on to the main window's editor: they go before it when the program
// ends, even with a row open and typed into (a sanitizer build sees any late call).
TEST_F(PropertiesWindow, TheProgramEndsWithARowStillBeingEdited) {
    place(KindMessage, 1, 1);
    select(1, 1);
    clickRow(3);
    ASSERT_TRUE(props()->isEditing());
    typeKeys(props()->textEditor(), QStringLiteral("abc"));
    const QPointer<QWidget> properties = props();
    const QPointer<QWidget> board1 = board(1);
    project().clearChanged();
    main().state().unsavedNew = false;
    app.reset();
    EXPECT_TRUE(properties.isNull());
    EXPECT_TRUE(board1.isNull());
    app = std::make_unique<TrevalonApp>();  // for the fixture's own ending
}

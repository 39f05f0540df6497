#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <functional>
#include <optional>

#include "AppFixture.h"
#include "Flowcharts.h"
#include "config/SettingsStore.h"
#include "ui/builders/TFBudujWyrazenie.h"
#include "ui/properties/PropertyWidgets.h"
#include "ui/properties/TFWlasnosci.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"

using namespace trevalon;

namespace {

// The expression builder opened the way the properties window opens it, driven with the mouse
// and the keyboard while it is modal.
class ExpressionBuilderWindow : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        newProject();
        flow().variable(1, 5, 1, QStringLiteral("x"), TypeReal);
        flow().variable(1, 6, 1, QStringLiteral("k"), TypeInteger);
        flow().variable(1, 7, 1, QStringLiteral("b"), TypeLogical);
    }

    TFBudujWyrazenie* builder() { return app->expressionBuilder(); }
    QPlainTextEdit* edit() { return builder()->expressionEdit(); }
    QString text() { return edit()->toPlainText(); }
    int caret() { return edit()->textCursor().position(); }

    // Opens the builder on `formula` of an assignment to `target`; `inside` runs while it is
    // open and must close it (or leave it to `finish`, "Wprowadź" by default).
    std::optional<QString> compose(const QString& target, const QString& formula,
                                   const std::function<void()>& inside, bool enter = true) {
        driver.when(builder(), [this, inside, enter] {
            inside();
            if (builder()->isVisible()) {
                QTest::mouseClick(enter ? builder()->enterButton() : builder()->cancelButton(),
                                  Qt::LeftButton);
            }
        });
        const std::optional<QString> result =
            builder()->compose(1, target, formula, main().pos() + QPoint(15, 20));
        EXPECT_EQ(driver.pending(), 0);
        return result;
    }

    // Clicks into the formula just before character `position`.
    void clickAt(int position) {
        QTextCursor cursor(edit()->document());
        cursor.setPosition(position);
        const QRect at = edit()->cursorRect(cursor);
        QTest::mouseClick(edit()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(at.left() + 1, at.center().y()));
    }

    // Opens the list with its arrow button and clicks entry `entry`.
    void choose(BuilderList which, int entry) {
        QTest::mouseClick(builder()->dropButton(which), Qt::LeftButton);
        QComboBox* list = builder()->list(which);
        QAbstractItemView* view = list->view();
        ASSERT_TRUE(view->isVisible());
        const QModelIndex index = list->model()->index(entry, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(index).center());
        EXPECT_EQ(list->currentIndex(), entry);
    }

    void insert(BuilderList which, int entry) {
        choose(which, entry);
        QTest::mouseClick(builder()->insertButton(which), Qt::LeftButton);
    }

    void pressKey(int i) { QTest::mouseClick(builder()->keypadButton(i), Qt::LeftButton); }

    // "Sprawdź wyrażenie" while the builder is open; the message it shows is answered and kept.
    void checkAndRemember() {
        // The message dialog opens from the builder's own modal loop, after this step.
        QTimer::singleShot(0, builder(),
                           [this] { QTest::mouseClick(builder()->checkButton(), Qt::LeftButton); });
    }
};

}  // namespace

TEST(ExpressionBuilderWindowPlacement, OpensALittleRightOfAndBelowTheProperties) {
    EXPECT_EQ(TFBudujWyrazenie::openingPoint(QPoint(100, 50)), QPoint(115, 65));
}

TEST_F(ExpressionBuilderWindow, TypingKeepsOnlyWhatAFormulaMayHold) {
    const auto result = compose(QStringLiteral("x"), QString(), [this] {
        EXPECT_EQ(builder()->focusWidget(), edit());
        QTest::keyClicks(edit(), QStringLiteral("a,5<=>^|;:[]"));
        QTest::sendKeyEvent(QTest::Click, edit(), Qt::Key_A, QStringLiteral("ą"), Qt::NoModifier);
        EXPECT_EQ(text(), QStringLiteral("a.5"));
        QTest::keyClick(edit(), Qt::Key_Return);
        QTest::keyClick(edit(), Qt::Key_Backspace);
        QTest::keyClicks(edit(), QStringLiteral("(b + 2)*\"t\""));
        EXPECT_EQ(text(), QStringLiteral("a.(b + 2)*\"t\""));
    });
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, QStringLiteral("a.(b + 2)*\"t\""));
}

TEST_F(ExpressionBuilderWindow, PastingIsFilteredLikeTyping) {
    QGuiApplication::clipboard()->setText(QStringLiteral("k<3,5\n+ł"));
    compose(QStringLiteral("x"), QString(), [this] {
        QTest::keyClick(edit(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(text(), QStringLiteral("k3.5+"));
    });
}

TEST_F(ExpressionBuilderWindow, KeypadInsertsWhereTheTextWasClicked) {
    const auto result = compose(QStringLiteral("x"), QStringLiteral("abc"), [this] {
        // Opened with the caret at the start.
        pressKey(1);
        EXPECT_EQ(text(), QStringLiteral("1abc"));
        clickAt(2);
        pressKey(7);
        EXPECT_EQ(text(), QStringLiteral("1a7bc"));
        pressKey(7);
        EXPECT_EQ(text(), QStringLiteral("1a77bc"));
        EXPECT_EQ(caret(), 4);
        // "," puts the decimal point; parentheses and minus as they are.
        pressKey(13);
        pressKey(10);
        pressKey(12);
        pressKey(11);
        EXPECT_EQ(text(), QStringLiteral("1a77.(-)bc"));
        EXPECT_EQ(builder()->focusWidget(), edit());
    });
    EXPECT_EQ(result, QStringLiteral("1a77.(-)bc"));
}

TEST_F(ExpressionBuilderWindow, ListsInsertTheirTemplatesWithTheCaretInPlace) {
    compose(QStringLiteral("x"), QString(), [this] {
        insert(BuilderList::MathFunctions, 0);
        EXPECT_EQ(text(), QStringLiteral("Sqrt()"));
        EXPECT_EQ(caret(), 5);
        pressKey(2);
        EXPECT_EQ(text(), QStringLiteral("Sqrt(2)"));
        QTest::keyClick(edit(), Qt::Key_End);
        insert(BuilderList::Operations, 5);  // " div "
        EXPECT_EQ(text(), QStringLiteral("Sqrt(2) div "));
        EXPECT_EQ(caret(), 12);
        const int p = caret();
        insert(BuilderList::TextFunctions, 5);  // Copy(s,x,[y])
        EXPECT_EQ(text(), QStringLiteral("Sqrt(2) div Copy(,,)"));
        EXPECT_EQ(caret(), p + 5);
        insert(BuilderList::Variables, 1);
        EXPECT_EQ(text(), QStringLiteral("Sqrt(2) div Copy(k,,)"));
        EXPECT_EQ(caret(), p + 6);
        insert(BuilderList::Dates, 8);  // _NOW
        insert(BuilderList::Constants, 0);
        insert(BuilderList::Operations, 10);  // >=
        EXPECT_EQ(text(), QStringLiteral("Sqrt(2) div Copy(k_NOWPi>=,,)"));
        EXPECT_EQ(caret(), p + 6 + 4 + 2 + 2);
        EXPECT_EQ(builder()->focusWidget(), edit());
    });
}

TEST_F(ExpressionBuilderWindow, ATemplateReplacesTheSelection) {
    compose(QStringLiteral("x"), QStringLiteral("a+b"), [this] {
        QTest::keyClick(edit(), Qt::Key_End);
        QTest::keyClick(edit(), Qt::Key_Left, Qt::ShiftModifier);
        insert(BuilderList::Constants, 3);
        EXPECT_EQ(text(), QStringLiteral("a+RadToDeg"));
    });
}

TEST_F(ExpressionBuilderWindow, VariablesListShowsWhatTheBoardSees) {
    compose(QStringLiteral("x"), QString(), [this] {
        QComboBox* list = builder()->list(BuilderList::Variables);
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->itemText(0), QStringLiteral("x"));
        EXPECT_EQ(list->itemText(2), QStringLiteral("b"));
        EXPECT_EQ(builder()->list(BuilderList::Operations)->count(), 12);
        EXPECT_EQ(builder()->list(BuilderList::MathFunctions)->count(), 15);
        EXPECT_EQ(builder()->list(BuilderList::TextFunctions)->count(), 11);
        EXPECT_EQ(builder()->list(BuilderList::Constants)->count(), 4);
        EXPECT_EQ(builder()->list(BuilderList::Dates)->count(), 10);
    });
    newProject();
    flow().assign(1, 1, 1, QStringLiteral("Brak"), QStringLiteral("Brak"));
    const auto result = compose(QStringLiteral("Brak"), QString(), [this] {
        QComboBox* list = builder()->list(BuilderList::Variables);
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->itemText(0), QStringLiteral("Brak"));
        QTest::mouseClick(builder()->insertButton(BuilderList::Variables), Qt::LeftButton);
    });
    EXPECT_EQ(result, QStringLiteral("Brak"));
}

TEST_F(ExpressionBuilderWindow, CancelAndEscapeHandBackNothing) {
    EXPECT_FALSE(compose(
                     QStringLiteral("x"), QStringLiteral("1"),
                     [this] { QTest::keyClicks(edit(), QStringLiteral("23")); }, false)
                     .has_value());
    EXPECT_FALSE(compose(QStringLiteral("x"), QStringLiteral("1"), [this] {
                     QTest::keyClick(edit(), Qt::Key_Escape);
                 }).has_value());
    EXPECT_FALSE(compose(QStringLiteral("x"), QStringLiteral("1"), [this] {
                     QTest::mouseClick(
                         builder()->findChild<ClickLabel*>(QStringLiteral("LZamknij")),
                         Qt::LeftButton);
                 }).has_value());
}

TEST_F(ExpressionBuilderWindow, CheckReportsEveryOutcomeInTheMessageDialog) {
    struct Case {
        QString target;
        QString formula;
        QString message;
    };
    const QString testing = QStringLiteral("Badanie formuły. \n");
    const std::vector<Case> cases = {
        {QStringLiteral("x"), QStringLiteral("1/3"),
         QStringLiteral("Badanie formuły. \nFormuła wydaje się być poprawna.")},
        {QStringLiteral("k"), QStringLiteral("1/3"),
         testing + QStringLiteral("Niezgodność typów zmiennej k oraz wartości wyrażenia 1/3")},
        {QStringLiteral("b"), QStringLiteral("1"),
         QStringLiteral("Badanie formuły. \nFormuła wydaje się być poprawna.")},
        {QStringLiteral("x"), QStringLiteral("zz+1"),
         testing + QStringLiteral("Nieznana zmienna: ")},
        {QStringLiteral("Brak"), QStringLiteral("1"),
         QStringLiteral("Wróć do okna właściwości klocka i wybierz zmienną po lewej stronie "
                        "formuły przypisania.")},
        {QStringLiteral("x"), QString(), QStringLiteral("Wpisz wyrażenie.")},
    };
    for (const Case& c : cases) {
        messages.clear();
        driver.when(builder(), [this] { checkAndRemember(); });
        answerMessage(Qt::Key_Return);
        driver.when(builder(), [this] {
            EXPECT_EQ(builder()->focusWidget(), edit());
            QTest::mouseClick(builder()->cancelButton(), Qt::LeftButton);
        });
        builder()->compose(1, c.target, c.formula, main().pos());
        EXPECT_EQ(driver.pending(), 0);
        ASSERT_EQ(messages.size(), 1) << c.formula.toStdString();
        EXPECT_TRUE(messages.first().startsWith(c.message)) << messages.first().toStdString();
    }
}

TEST_F(ExpressionBuilderWindow, StatusLineFollowsTheFormulaAndTheEntries) {
    compose(QStringLiteral("x"), QStringLiteral("1"), [this] {
        insert(BuilderList::Operations, 0);
        EXPECT_EQ(main().statusText(), QStringLiteral("x := +1"));
        QMouseEvent move(QEvent::MouseMove, QPointF(400, 300),
                         builder()->mapToGlobal(QPointF(400, 300)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(builder(), &move);
        EXPECT_EQ(main().statusText(), QString());
        // Pointing at a list's arrow shows its entry's single-line help.
        choose(BuilderList::Operations, 7);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(builder()->dropButton(BuilderList::Operations), &enter);
        EXPECT_EQ(main().statusText(), QStringLiteral("x = y - porównanie dwóch liczb  x i y."));
        choose(BuilderList::MathFunctions, 4);
        QApplication::sendEvent(builder()->dropButton(BuilderList::MathFunctions), &enter);
        EXPECT_EQ(main().statusText(),
                  QStringLiteral("Ln(x) - logarytm naturalny liczby x. x jest liczbą rzeczywistą "
                                 "dodatnią."));
    });
    compose(QStringLiteral("Brak"), QString(), [this] {
        insert(BuilderList::Constants, 1);
        EXPECT_TRUE(main().statusText().startsWith(QStringLiteral("Wróć do okna")));
    });
}

TEST_F(ExpressionBuilderWindow, HintsShowTheMultiLineHelpWhenTheSettingIsOn) {
    app->settings().values().showHints = true;
    compose(QStringLiteral("x"), QString(), [this] {
        QComboBox* dates = builder()->list(BuilderList::Dates);
        EXPECT_TRUE(dates->toolTip().startsWith(QStringLiteral("Year(s)")));
        choose(BuilderList::Dates, 9);
        EXPECT_EQ(dates->toolTip(), QStringLiteral("_DATE - zwraca bieżącą datę.\nWynik: data."));
        EXPECT_EQ(builder()->focusWidget(), edit());
    });
    app->settings().values().showHints = false;
    compose(QStringLiteral("x"), QString(), [this] {
        choose(BuilderList::Dates, 9);
        EXPECT_TRUE(builder()->list(BuilderList::Dates)->toolTip().isEmpty());
    });
}

TEST_F(ExpressionBuilderWindow, CollapsesToItsTitleStripAndBack) {
    compose(QStringLiteral("x"), QString(), [this] {
        QTest::mouseClick(builder()->collapseLabel(), Qt::LeftButton);
        EXPECT_EQ(builder()->height(), 20);
        QTest::mouseClick(builder()->collapseLabel(), Qt::LeftButton);
        EXPECT_EQ(builder()->height(), TFBudujWyrazenie::Height);
        QTest::mouseClick(builder()->collapseLabel(), Qt::LeftButton);
    });
    // Opening again shows it whole.
    compose(QStringLiteral("x"), QString(), [this] {
        EXPECT_EQ(builder()->height(), TFBudujWyrazenie::Height);
        EXPECT_FALSE(builder()->logic().collapsed());
    });
}

TEST_F(ExpressionBuilderWindow, OpensBesideThePropertiesWindowInTheCurrentLanguage) {
    main().setLanguage(QStringLiteral("ang"));
    const QPoint properties = main().pos() + QPoint(15, 20);
    compose(QStringLiteral("x"), QStringLiteral("k"), [this, properties] {
        EXPECT_EQ(builder()->pos(), properties + QPoint(15, 15));
        EXPECT_EQ(builder()->titleLabel()->text(), QStringLiteral("  Build the expression"));
        EXPECT_EQ(builder()->checkButton()->caption(), QStringLiteral("Check expression"));
        EXPECT_EQ(text(), QStringLiteral("k"));
        EXPECT_EQ(caret(), 0);
    });
}

TEST_F(ExpressionBuilderWindow, OpensAtItsSizeAndDrawsItsOpenListsWhite) {
    QImage shot;
    QImage list;
    compose(QStringLiteral("x"), QStringLiteral("Sqrt(k*k + 2) / 3"), [this, &shot, &list] {
        shot = builder()->grab().toImage();
        QTest::mouseClick(builder()->dropButton(BuilderList::TextFunctions), Qt::LeftButton);
        list = builder()->list(BuilderList::TextFunctions)->view()->window()->grab().toImage();
        builder()->list(BuilderList::TextFunctions)->hidePopup();
    });
    ASSERT_EQ(shot.size(), QSize(TFBudujWyrazenie::Width, TFBudujWyrazenie::Height));
    // The open list is drawn by the window: white entries, dark blue text.
    ASSERT_FALSE(list.isNull());
    EXPECT_EQ(list.pixelColor(list.width() - 8, list.height() / 2), QColor(Qt::white));
}

TEST_F(ExpressionBuilderWindow, ComposesTheFormulaOfTheBlockFromThePropertiesWindow) {
    flow().assign(1, 1, 1, QStringLiteral("k"), QStringLiteral("k+1"));
    main().showBoardWindow(1);
    clickCell(1, 1, 1);
    TFWlasnosci* properties = app->properties();
    ASSERT_TRUE(properties->isVisible());
    properties->move(main().pos() + QPoint(15, 95));  // where the builder has room on the screen
    driver.when(builder(), [this, properties] {
        EXPECT_EQ(builder()->pos(), properties->pos() + QPoint(15, 15));
        EXPECT_EQ(text(), QStringLiteral("k+1"));
        QTest::keyClick(edit(), Qt::Key_End);
        insert(BuilderList::Operations, 2);
        pressKey(2);
        QTest::mouseClick(builder()->enterButton(), Qt::LeftButton);
    });
    // The formula row of an assignment is its fourth.
    QTest::mouseDClick(properties->picture(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(40, TFWlasnosci::RowPitch * 3 + 12));
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(project().cell(1, 1, 1).text4, QStringLiteral("k+1*2"));
    // "Anuluj" leaves the block as it was.
    driver.when(builder(), [this] {
        QTest::keyClicks(edit(), QStringLiteral("99"));
        QTest::mouseClick(builder()->cancelButton(), Qt::LeftButton);
    });
    QTest::mouseDClick(properties->picture(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(40, TFWlasnosci::RowPitch * 3 + 12));
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(project().cell(1, 1, 1).text4, QStringLiteral("k+1*2"));
}

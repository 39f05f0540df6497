#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextBlock>

#include "AppFixture.h"
#include "Flowcharts.h"
#include "exec/Executor.h"
#include "exec/TraceTable.h"
#include "exec/Workspace.h"
#include "ui/main/MainMenus.h"
#include "ui/run/RunController.h"
#include "ui/run/TFOpisy.h"
#include "ui/run/TFTesty.h"
#include "ui/run/TFWykonanie.h"
#include "ui/widgets/ClickLabel.h"

using namespace trevalon;

namespace {

class Running : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        newProject();
    }

    QString text(int number) {
        return app->workspace().texts().text(number).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }

    TFWykonanie* dialog() { return app->execution(); }
    RunController& runner() { return main().runner(); }

    // Types `value` into the dialog's input once it has the focus, and enters it.
    void enterValue(const QString& value) {
        driver.when(dialog(), [this, value] {
            EXPECT_TRUE(QTest::qWaitFor([this] { return dialog()->valueInput()->hasFocus(); }));
            QTest::keyClicks(dialog()->valueInput(), value);
            QTest::keyClick(dialog()->valueInput(), Qt::Key_Return);
        });
    }

    void closeDialog(QString* shown = nullptr) {
        driver.when(dialog(), [this, shown] {
            if (shown) {
                *shown = dialog()->bodyText();
            }
            QTest::keyClick(dialog(), Qt::Key_Return);
        });
    }

    QString reportValue(const QString& name) {
        for (const ReportRow& row : app->report()->rows()) {
            if (row.shape == ReportRow::Row && row.label == name) {
                return row.value;
            }
        }
        return QStringLiteral("(none)");
    }

    void waitForTheEnd() { QTRY_VERIFY_WITH_TIMEOUT(!runner().running(), 10000); }
};

}  // namespace

TEST_F(Running, AFactorialRunsToTheEndThroughTheExecutionDialog) {
    flowcharts::factorial(project());
    main().showBoardWindow(1);
    enterValue(QStringLiteral("5"));
    QString result;
    closeDialog(&result);
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(result, QStringLiteral("n! = 120"));
    EXPECT_EQ(app->workspace().executor().lastEnd(), RunEnd::Finished);
    EXPECT_TRUE(app->report()->isVisible());
    EXPECT_EQ(app->report()->reportKind(), TFOpisy::KindVariables);
    EXPECT_EQ(reportValue(QStringLiteral("s")), QStringLiteral("120"));
    EXPECT_EQ(reportValue(QStringLiteral("n")), QStringLiteral("1"));
    EXPECT_TRUE(main().toolbar().runButtonVisible());
    EXPECT_TRUE(main().toolbar().stepButtonVisible());
    EXPECT_FALSE(editor().running());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Running, TheReadDialogTakesOnlyWhatTheTypeAllows) {
    flowcharts::factorial(project());
    QString typed;
    driver.when(dialog(), [&] {
        EXPECT_TRUE(QTest::qWaitFor([this] { return dialog()->valueInput()->hasFocus(); }));
        EXPECT_EQ(dialog()->backgroundName(), QStringLiteral("wykonajliczba"));
        EXPECT_FALSE(dialog()->enterButton()->isHidden());
        EXPECT_TRUE(dialog()->yesButton()->isHidden());
        QTest::keyClicks(dialog()->valueInput(), QStringLiteral("a1,2b3"));
        typed = dialog()->valueInput()->text();
        QTest::keyClick(dialog()->valueInput(), Qt::Key_Return);
    });
    closeDialog();
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    EXPECT_EQ(typed, QStringLiteral("123"));  // an integer takes digits and "-" only
    // 123! is far longer than a report row shows: its first 14 characters and "..".
    EXPECT_EQ(reportValueText(reportValue(QStringLiteral("s"))).size(), 14 + 2);
}

TEST_F(Running, AnEmptyValueIsNotEnteredAndEscapeDoesNotCloseTheReading) {
    flowcharts::factorial(project());
    driver.when(dialog(), [&] {
        EXPECT_TRUE(QTest::qWaitFor([this] { return dialog()->valueInput()->hasFocus(); }));
        QTest::keyClick(dialog()->valueInput(), Qt::Key_Return);
        EXPECT_TRUE(dialog()->isVisible());
        QTest::keyClick(dialog()->valueInput(), Qt::Key_Escape);
        EXPECT_TRUE(dialog()->isVisible());
        QTest::keyClicks(dialog()->valueInput(), QStringLiteral("3"));
        QTest::mouseClick(dialog()->enterButton(), Qt::LeftButton);
    });
    QString result;
    closeDialog(&result);
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    EXPECT_EQ(result, QStringLiteral("n! = 6"));
}

TEST_F(Running, ABoardThatFailsItsCheckDoesNotRun) {
    flowcharts::factorial(project());
    project().deleteBlock(1, 4, 7);  // the End block
    main().showBoardWindow(1);
    answerMessage(Qt::Key_Z);
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    EXPECT_EQ(messages, QStringList({text(texts::BoardCheckFailed)}));
    EXPECT_EQ(app->workspace().executor().lastEnd(), RunEnd::CheckFailed);
    EXPECT_EQ(app->report()->reportKind(), TFOpisy::KindBoard);
    EXPECT_TRUE(main().state().checkDone);
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(Running, AnEndlessLoopKeepsTheWindowsAliveAndStopsOnCtrlF) {
    flowcharts::endlessLoop(project());
    main().showBoardWindow(1);
    clickCell(1, 1, 1);
    ASSERT_EQ(editor().frames(1).at(1, 1), FrameSelected);
    QTest::keyClick(&main(), Qt::Key_F9);
    ASSERT_TRUE(runner().running());
    EXPECT_EQ(editor().frames(1).at(1, 1), FrameNone);  // a run starts with no marks
    EXPECT_FALSE(main().toolbar().stepButtonVisible());
    EXPECT_TRUE(main().toolbar().runButtonVisible());
    // The run goes on in slices, between which the window handles its events.
    QTRY_VERIFY_WITH_TIMEOUT(runner().slices() >= 3, 5000);
    const qint64 steps = app->workspace().executor().stepsTaken();
    QTest::qWait(50);
    EXPECT_GT(app->workspace().executor().stepsTaken(), steps);

    // Nothing of the editor works while the run goes on.
    selectTabOf(KindAssign);
    pressButton(KindAssign);
    EXPECT_FALSE(editor().placing());
    clickCell(1, 5, 5);
    EXPECT_FALSE(project().isOccupied(1, 5, 5));
    QTest::keyClick(board(1), Qt::Key_F9);  // a second run does not start
    EXPECT_TRUE(messages.isEmpty());

    answerMessage(Qt::Key_Z);
    QTest::keyClick(&main(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_FALSE(runner().running());
    EXPECT_EQ(messages, QStringList({text(texts::RunStoppedByUser)}));
    EXPECT_EQ(app->workspace().executor().lastEnd(), RunEnd::Stopped);
    EXPECT_TRUE(main().toolbar().stepButtonVisible());
    EXPECT_FALSE(project().findMarkedCell(1).has_value());
    EXPECT_FALSE(editor().running());
}

TEST_F(Running, TheCloseQuestionHoldsAFullRunAndCancelLetsItGoOn) {
    flowcharts::endlessLoop(project());
    main().showBoardWindow(1);
    QTest::keyClick(&main(), Qt::Key_F9);
    ASSERT_TRUE(runner().running());
    QTRY_VERIFY_WITH_TIMEOUT(runner().slices() >= 2, 5000);

    qint64 whileAsking = -1;
    qint64 afterWaiting = -2;
    driver.when(warning(), [&] {
        messages << warning()->messageText();
        whileAsking = app->workspace().executor().stepsTaken();
        QTest::qWait(60);
        afterWaiting = app->workspace().executor().stepsTaken();
        QTest::keyClick(warning(), Qt::Key_A);  // Anuluj
    });
    main().close();
    QTRY_VERIFY_WITH_TIMEOUT(driver.pending() == 0 && !warning()->isVisible(), 5000);
    EXPECT_EQ(messages, QStringList({text(texts::SaveChangesQuestion)}));
    EXPECT_EQ(whileAsking, afterWaiting);  // no step was taken while the question was open
    EXPECT_TRUE(main().isVisible());
    ASSERT_TRUE(runner().running());
    const qint64 steps = app->workspace().executor().stepsTaken();
    QTRY_VERIFY_WITH_TIMEOUT(app->workspace().executor().stepsTaken() > steps, 5000);

    answerMessage(Qt::Key_Z);
    QTest::keyClick(&main(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_FALSE(runner().running());
}

TEST_F(Running, StepModeFramesTheCurrentBlock) {
    flowcharts::factorial(project());
    main().showBoardWindow(1);
    QTest::keyClick(&main(), Qt::Key_F7);  // no run: nothing happens
    EXPECT_FALSE(runner().running());
    QTest::keyClick(&main(), Qt::Key_F12);
    ASSERT_TRUE(runner().running());
    EXPECT_TRUE(main().toolbar().stepButtonVisible());
    EXPECT_FALSE(main().toolbar().runButtonVisible());
    EXPECT_EQ(editor().frames(1).at(3, 1), FrameRunning);

    // The read block is marked before its dialog asks for the value.
    FrameColour whileAsking = FrameNone;
    driver.when(dialog(), [&] {
        whileAsking = editor().frames(1).at(3, 2);
        QTest::keyClicks(dialog()->valueInput(), QStringLiteral("3"));
        QTest::keyClick(dialog()->valueInput(), Qt::Key_Return);
    });
    QTest::keyClick(&main(), Qt::Key_F7);
    EXPECT_EQ(whileAsking, FrameRunning);
    EXPECT_EQ(editor().frames(1).at(3, 1), FrameNone);
    EXPECT_EQ(editor().frames(1).at(3, 2), FrameRunning);
    QTest::mouseClick(main().toolbar().button(MainToolbar::TagNextStep), Qt::LeftButton);
    EXPECT_EQ(editor().frames(1).at(3, 3), FrameRunning);
    // The assignment is performed when the run leaves it, and its variable is marked changed.
    EXPECT_EQ(reportValue(QStringLiteral("s")), QStringLiteral("0"));
    QTest::keyClick(board(1), Qt::Key_F7);
    EXPECT_EQ(editor().frames(1).at(3, 4), FrameRunning);
    EXPECT_EQ(reportValue(QStringLiteral("s")), QStringLiteral("1"));
    QStringList changed;
    for (const ReportRow& row : app->report()->rows()) {
        if (row.changed) {
            changed << row.label;
        }
    }
    EXPECT_EQ(changed, QStringList{QStringLiteral("s")});

    answerMessage(Qt::Key_Z);
    main().commands().execute(Command::Abort);
    EXPECT_FALSE(runner().running());
    EXPECT_EQ(editor().frames(1).at(3, 4), FrameNone);
}

TEST_F(Running, ARunTimeErrorShowsItsMessageAndStops) {
    // The check tries the formula with x from 1 to 8; the run has x = 0.
    flow().put(1, 1, 1, KindStart);
    flow().assign(1, 1, 2, QStringLiteral("y"), QStringLiteral("Ln(x)"));
    flow().put(1, 1, 3, KindEnd);
    flow().variable(1, 3, 3, QStringLiteral("x"), TypeInteger);
    flow().variable(1, 4, 3, QStringLiteral("y"), TypeReal);
    main().showBoardWindow(1);
    answerMessage(Qt::Key_Z);
    answerMessage(Qt::Key_Z);
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].startsWith(text(texts::FormulaRunFailed)))
        << qUtf8Printable(messages[0]);
    EXPECT_EQ(messages[1], text(texts::BoardProcessingFailed));
    EXPECT_EQ(app->workspace().executor().lastEnd(), RunEnd::Aborted);
}

TEST_F(Running, AQuestionIsAnsweredWithEnterOrEscape) {
    flow().put(1, 1, 1, KindStart);
    Cell& question = flow().put(1, 1, 2, KindQuestion);
    question.text2 = QStringLiteral("ok");
    question.text4 = QStringLiteral("Czy dalej?");
    flow().put(1, 1, 3, KindEnd);
    flow().variable(1, 3, 3, QStringLiteral("ok"), TypeLogical);
    driver.when(dialog(), [this] {
        EXPECT_EQ(dialog()->bodyText(), QStringLiteral("Czy dalej?"));
        EXPECT_FALSE(dialog()->yesButton()->isHidden());
        EXPECT_FALSE(dialog()->noButton()->isHidden());
        EXPECT_TRUE(dialog()->closeButton()->isHidden());
        QTest::keyClick(dialog(), Qt::Key_Escape);
    });
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    EXPECT_EQ(app->workspace().variables().variableValue(QStringLiteral("ok")),
              QStringLiteral("0"));
    driver.when(dialog(), [this] { QTest::keyClick(dialog(), Qt::Key_Return); });
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    EXPECT_EQ(app->workspace().variables().variableValue(QStringLiteral("ok")),
              QStringLiteral("1"));
}

// A message is the pupil's text, shown as written: markup in it is not obeyed (a pupil could
// otherwise print a big red "passed" heading).
TEST_F(Running, AMessageShowsItsMarkupAsWritten) {
    const QString markup = QStringLiteral("<h1 style=\"color:red\">ZALICZONE 6/6</h1>");
    flow().put(1, 1, 1, KindStart);
    flow().message(1, 1, 2, markup);
    flow().put(1, 1, 3, KindEnd);
    flow().variable(1, 3, 3, QStringLiteral("x"), TypeInteger);
    driver.when(dialog(), [this, markup] {
        const auto* body = dialog()->findChild<QLabel*>(QStringLiteral("LKomentarzWykonanie"));
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(body->text(), markup);
        EXPECT_EQ(body->textFormat(), Qt::PlainText);
        QTest::keyClick(dialog(), Qt::Key_Return);
    });
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    EXPECT_EQ(app->workspace().executor().lastEnd(), RunEnd::Finished);
}

TEST_F(Running, CtrlFInTheDialogStopsTheRun) {
    flowcharts::factorial(project());
    driver.when(dialog(), [this] { QTest::keyClick(dialog(), Qt::Key_F, Qt::ControlModifier); });
    answerMessage(Qt::Key_Z);
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    EXPECT_EQ(messages, QStringList({text(texts::RunStoppedByUser)}));
    EXPECT_EQ(app->workspace().executor().lastEnd(), RunEnd::Stopped);
}

TEST_F(Running, ADateIsTypedIntoThreeFieldsAndCheckedByItsRules) {
    flow().put(1, 1, 1, KindStart);
    Cell& read = flow().put(1, 1, 2, KindReadWrite);
    read.mode = 0;
    read.text2 = QStringLiteral("d");
    read.text4 = QStringLiteral("Data:");
    flow().put(1, 1, 3, KindEnd);
    flow().variable(1, 3, 3, QStringLiteral("d"), TypeDate, QStringLiteral("2012/07/13"));
    driver.when(dialog(), [this] {
        EXPECT_TRUE(QTest::qWaitFor([this] { return dialog()->yearInput()->hasFocus(); }, 2000));
        EXPECT_EQ(dialog()->backgroundName(), QStringLiteral("wykonajdata"));
        EXPECT_TRUE(dialog()->valueInput()->isHidden());
        QTest::keyClicks(dialog()->yearInput(), QStringLiteral("20x13"));
        QTest::keyClicks(dialog()->monthInput(), QStringLiteral("13"));
        QTest::keyClicks(dialog()->dayInput(), QStringLiteral("1"));
        QTest::mouseClick(dialog()->enterButton(), Qt::LeftButton);
    });
    answerMessage(Qt::Key_Z);
    // The fields keep what was typed; the month is corrected and the date entered.
    driver.when(dialog(), [this] {
        EXPECT_EQ(dialog()->yearInput()->text(), QStringLiteral("2013"));
        dialog()->monthInput()->clear();
        QTest::keyClicks(dialog()->monthInput(), QStringLiteral("2"));
        QTest::keyClick(dialog()->dayInput(), Qt::Key_Return);
    });
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    EXPECT_EQ(messages, QStringList({text(texts::EnterMonthInRange)}));
    EXPECT_EQ(app->workspace().variables().variableValue(QStringLiteral("d")),
              QStringLiteral("\"2013/2/1\""));
}

TEST_F(Running, TheFactorialExampleAsksForNAndShowsTheResult) {
    const QString example = QStringLiteral(TREVALON_SOURCE_DIR "/examples/factorial.skb");
    ASSERT_TRUE(QFile::exists(example)) << example.toStdString();
    ASSERT_TRUE(main().files().openPath(example));
    QString prompt;
    driver.when(dialog(), [this, &prompt] {
        prompt = dialog()->bodyText();
        EXPECT_EQ(dialog()->titleText(), text(texts::ExecutionReadTitle));
    });
    enterValue(QStringLiteral("5"));
    QString result;
    closeDialog(&result);
    QTest::keyClick(&main(), Qt::Key_F9);
    waitForTheEnd();
    EXPECT_EQ(prompt, QStringLiteral("Podaj liczbę n:"));
    EXPECT_EQ(result, QStringLiteral("Silnia liczby 5 wynosi 120"));
    EXPECT_EQ(app->workspace().executor().lastEnd(), RunEnd::Finished);
}

// While a stepwise run waits for the next step, the windows answer the mouse, but nothing may
// take away or replace a board that the executor walks.
TEST_F(Running, BoardsAndTheProjectStayWhileAStepwiseRunWaits) {
    const QString procedure = QStringLiteral(TREVALON_SOURCE_DIR "/examples/procedure.skb");
    const QString factorial = QStringLiteral(TREVALON_SOURCE_DIR "/examples/factorial.skb");
    ASSERT_TRUE(QFile::exists(procedure)) << procedure.toStdString();
    ASSERT_TRUE(QFile::exists(factorial)) << factorial.toStdString();
    ASSERT_TRUE(main().files().openPath(procedure));
    ASSERT_EQ(project().boardCount, 2);
    const auto drop = [this](const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&main(), &enter);
        QDropEvent event(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&main(), &event);
        return enter.isAccepted();
    };
    QTest::keyClick(&main(), Qt::Key_F12);
    ASSERT_TRUE(runner().running());
    // The menus offer only what a waiting run allows: the next step, aborting, help.
    MainMenus& menus = main().menus();
    menus.updateState();
    for (Command c :
         {Command::NewProject, Command::NewBoard, Command::OpenProject, Command::SaveProject,
          Command::SaveAs, Command::Close, Command::CheckBoard, Command::CheckProject, Command::Run,
          Command::StepByStep, Command::About, Command::Polish, Command::English}) {
        EXPECT_FALSE(menus.action(c)->isEnabled()) << static_cast<int>(c);
    }
    for (Command c : {Command::NextStep, Command::Abort, Command::Help, Command::ToggleProperties,
                      Command::CopyPicture}) {
        EXPECT_TRUE(menus.action(c)->isEnabled()) << static_cast<int>(c);
    }

    answerMessage(Qt::Key_Return);  // would say Yes to a question; closes the abort's message
    QTest::mouseClick(board(2)->deleteLabel(), Qt::LeftButton);
    EXPECT_EQ(project().boardCount, 2);
    EXPECT_TRUE(board(2)->isVisible());
    EXPECT_TRUE(messages.isEmpty());

    EXPECT_FALSE(drop(factorial));
    EXPECT_EQ(project().boardCount, 2);
    EXPECT_EQ(app->workspace().projectName(), QStringLiteral("procedure"));
    EXPECT_TRUE(runner().running());

    main().commands().execute(Command::Abort);
    ASSERT_FALSE(runner().running());
    EXPECT_EQ(messages, QStringList({text(texts::RunStoppedByUser)}));
    // Once the run is over, the same drop opens the file.
    EXPECT_TRUE(drop(factorial));
    EXPECT_EQ(project().boardCount, 1);
    EXPECT_EQ(app->workspace().projectName(), QStringLiteral("factorial"));
}

// The two run buttons: the step button starts stepping when nothing runs, the run button runs
// to the end.
TEST_F(Running, TheRunButtonsStartSteppingAndAFullRun) {
    flowcharts::factorial(project());
    main().showBoardWindow(1);
    QTest::mouseClick(main().toolbar().button(MainToolbar::TagNextStep), Qt::LeftButton);
    ASSERT_TRUE(runner().running());
    EXPECT_TRUE(runner().stepMode());
    EXPECT_EQ(editor().frames(1).at(3, 1), FrameRunning);
    answerMessage(Qt::Key_Z);
    main().commands().execute(Command::Abort);
    ASSERT_FALSE(runner().running());

    enterValue(QStringLiteral("4"));
    QString result;
    closeDialog(&result);
    QTest::mouseClick(main().toolbar().button(MainToolbar::TagRun), Qt::LeftButton);
    waitForTheEnd();
    EXPECT_FALSE(runner().stepMode());
    EXPECT_TRUE(result.contains(QStringLiteral("24"))) << result.toStdString();
    EXPECT_EQ(app->workspace().executor().lastEnd(), RunEnd::Finished);
}

// A watched run of Euclid's algorithm holds at a breakpoint on the loop's assignment; three
// steps back show the recorded blocks and their variables, three forward return to the live
// end, and F6 lets the run go on to its result.
TEST_F(Running, AWatchedRunHoldsAtABreakpointAndStepsBackThroughItsRecord) {
    ASSERT_TRUE(main().files().openPath(QStringLiteral(TREVALON_SOURCE_DIR "/examples/gcd.skb")));
    runner().setSpeed(1);
    app->workspace().breakpoints().toggle({1, 1, 7});  // t := a mod b
    enterValue(QStringLiteral("12"));
    enterValue(QStringLiteral("8"));
    QTest::keyClick(&main(), Qt::Key_F9);
    QTRY_VERIFY_WITH_TIMEOUT(runner().held(), 10000);
    EXPECT_EQ(editor().frames(1).at(1, 7), FrameRunning);
    EXPECT_EQ(reportValue(QStringLiteral("b")), QStringLiteral("8"));

    const TraceTable& trace = runner().trace();
    const int rows = trace.rowCount();
    ASSERT_GE(rows, 4);
    for (int back = 1; back <= 3; ++back) {
        QTest::keyClick(&main(), Qt::Key_F7, Qt::ShiftModifier);
        ASSERT_EQ(runner().shownRow(), rows - back);
        const TraceRow row = trace.row(rows - back);
        EXPECT_EQ(editor().frames(row.at.board).at(row.at.column, row.at.row), FrameRunning);
        const QStringList values = trace.valuesAt(rows - back);
        const int b = static_cast<int>(trace.variableNames().indexOf(QStringLiteral("b")));
        EXPECT_EQ(reportValue(QStringLiteral("b")), values.value(b)) << back;
    }
    for (int forward = 1; forward <= 3; ++forward) {
        QTest::keyClick(&main(), Qt::Key_F8, Qt::ShiftModifier);
    }
    EXPECT_EQ(runner().shownRow(), -1);
    EXPECT_EQ(editor().frames(1).at(1, 7), FrameRunning);

    app->workspace().breakpoints().set({1, 1, 7}, false);
    QString result;
    closeDialog(&result);
    QTest::keyClick(&main(), Qt::Key_F6);
    waitForTheEnd();
    EXPECT_TRUE(result.contains(QStringLiteral("4"))) << result.toStdString();
    EXPECT_EQ(app->workspace().executor().lastEnd(), RunEnd::Finished);
}

// The factorial example passes every case of its tests file; with the loop's product made a
// sum it fails some, shows the differing line lit, and a failed case runs again with its input.
TEST_F(Running, TheSelfCheckGradesTheOpenProjectAndRunsAFailedCaseAgain) {
    ASSERT_TRUE(
        main().files().openPath(QStringLiteral(TREVALON_SOURCE_DIR "/examples/factorial.skb")));
    TFTesty* tests = app->tests();
    tests->askOpenPath = [] {
        return QStringLiteral(TREVALON_SOURCE_DIR "/examples/tests/factorial.tests");
    };
    main().commands().execute(Command::CheckWithTests);
    ASSERT_TRUE(tests->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!tests->checking(), 20000);
    EXPECT_EQ(tests->summary()->text(),
              QStringLiteral("Zaliczone przypadki: 5 z 5, punkty: 9 z 9"));

    project().cell(1, 1, 6).text4 = QStringLiteral("f + i");
    main().commands().execute(Command::CheckWithTests);
    QTRY_VERIFY_WITH_TIMEOUT(!tests->checking(), 20000);
    EXPECT_EQ(tests->summary()->text(),
              QStringLiteral("Zaliczone przypadki: 1 z 5, punkty: 1 z 9"));
    ASSERT_EQ(tests->result(2)->outcome, CaseOutcome::WrongOutput);  // 5! became 1+1+2+3+4+5
    tests->table()->setCurrentCell(2, 0);
    EXPECT_EQ(tests->actualView()->toPlainText(),
              QStringLiteral("Podaj liczbę n:\nSilnia liczby 5 wynosi 16"));
    ASSERT_EQ(tests->actualView()->extraSelections().size(), 1);
    EXPECT_EQ(tests->actualView()->extraSelections()[0].cursor.block().blockNumber(), 1);

    QString result;
    closeDialog(&result);  // the write block's; the read block takes the case's 5 unasked
    const QRect row = tests->table()->visualItemRect(tests->table()->item(2, 0));
    ASSERT_TRUE(row.isValid());
    // A view takes a double click on the item its press chose.
    QTest::mouseClick(tests->table()->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    QTest::mouseDClick(tests->table()->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    EXPECT_TRUE(runner().running());
    EXPECT_EQ(runner().speed(), RunController::WatchedSpeed);
    waitForTheEnd();
    EXPECT_TRUE(result.contains(QStringLiteral("16"))) << result.toStdString();
    EXPECT_EQ(runner().speed(), 0);
}

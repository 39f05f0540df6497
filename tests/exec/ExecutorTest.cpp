#include <gtest/gtest.h>

#include <limits>
#include <new>

#include "BenchFlowcharts.h"
#include "ExampleFlowcharts.h"
#include "FlowBuilder.h"
#include "TestWorkspace.h"
#include "exec/Executor.h"
#include "model/BlockCatalogue.h"

using namespace trevalon;
using test::FlowBuilder;

namespace {

QString q(const char* text) {
    return QString::fromUtf8(text);
}

void buildExample(Project& project, const char* file) {
    for (const ExampleFlowchart& example : exampleFlowcharts()) {
        if (QLatin1String(example.file) == QLatin1String(file)) {
            example.build(project);
            return;
        }
    }
    FAIL() << "no example " << file;
}

struct TurnCase {
    int kind;
    int mode;
    const char* arriving;
    const char* leaving;
};

}  // namespace

class CornerAndJunctionTurns : public ::testing::TestWithParam<TurnCase> {};

TEST_P(CornerAndJunctionTurns, SendTheFlowOn) {
    const TurnCase& c = GetParam();
    EXPECT_EQ(Executor::turned(c.kind, c.mode, q(c.arriving)), q(c.leaving))
        << c.kind << " arriving " << c.arriving;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, CornerAndJunctionTurns,
    ::testing::Values(
        TurnCase{KindCornerTopRight, 0, "D", "R"}, TurnCase{KindCornerTopRight, 0, "L", "T"},
        TurnCase{KindCornerBottomRight, 0, "L", "D"}, TurnCase{KindCornerBottomRight, 0, "T", "R"},
        TurnCase{KindCornerLeftBottom, 0, "R", "D"}, TurnCase{KindCornerLeftBottom, 0, "T", "L"},
        TurnCase{KindCornerTopLeft, 0, "R", "T"}, TurnCase{KindCornerTopLeft, 0, "D", "L"},
        TurnCase{KindJoinRight, 0, "L", "D"}, TurnCase{KindJoinRight, 1, "L", "T"},
        TurnCase{KindJoinRight, 1, "D", "D"}, TurnCase{KindJoinRight, 0, "T", "T"},
        TurnCase{KindJoinLeft, 0, "R", "D"}, TurnCase{KindJoinLeft, 2, "R", "T"},
        TurnCase{KindJoinLeft, 1, "T", "T"}, TurnCase{KindLineVertical, 0, "T", "T"},
        TurnCase{KindLineHorizontal, 0, "L", "L"}));

class ExecutorRuns : public ::testing::Test {
protected:
    Executor& executor() { return t.workspace.executor(); }
    QStringList shownTexts() const {
        QStringList texts;
        for (const auto& s : t.io.shown) {
            texts << s.text;
        }
        return texts;
    }
    QString text(int n) const { return t.workspace.texts().text(n); }
    QString lastShown() const { return t.io.shown.empty() ? QString() : t.io.shown.back().text; }

    TestWorkspace t;
    FlowBuilder f{t.project()};
};

TEST_F(ExecutorRuns, StartAboveEndStopsAtTheSecondStep) {
    f.put(1, 2, 1, KindStart);
    f.put(1, 2, 2, KindEnd);
    executor().run();
    EXPECT_EQ(executor().lastEnd(), RunEnd::Finished);
    EXPECT_EQ(executor().stepsTaken(), 2);
    EXPECT_FALSE(executor().running());
    EXPECT_TRUE(t.io.shown.empty());
    // No variables: the run says so and goes on.
    EXPECT_EQ(t.sink.messages, QStringList{text(texts::NoVisibleVariables)});
    EXPECT_FALSE(t.project().cell(1, 2, 2).marked);
}

TEST_F(ExecutorRuns, NextStepWithoutARunDoesNothing) {
    f.put(1, 2, 1, KindStart);
    f.put(1, 2, 2, KindEnd);
    executor().nextStep();
    EXPECT_EQ(executor().stepsTaken(), 0);
    EXPECT_EQ(executor().lastEnd(), RunEnd::None);
}

TEST_F(ExecutorRuns, StepModeAdvancesOneBlockPerCommandAndMarksIt) {
    buildExample(t.project(), "examples/factorial.skb");
    t.io.enter(q("3"));
    executor().startStepping();
    ASSERT_TRUE(executor().running());
    EXPECT_TRUE(executor().state().stepMode);
    EXPECT_TRUE(t.project().cell(1, 2, 1).marked);
    executor().nextStep();  // Start -> the read block, whose dialog takes 3
    EXPECT_EQ(executor().state().runRow, 2);
    EXPECT_FALSE(t.project().cell(1, 2, 1).marked);
    EXPECT_TRUE(t.project().cell(1, 2, 2).marked);
    EXPECT_EQ(t.workspace.variables().variableValue(q("n")), q("3"));
    int steps = 1;
    while (executor().running() && steps < 1000) {
        executor().nextStep();
        ++steps;
    }
    EXPECT_EQ(executor().lastEnd(), RunEnd::Finished);
    EXPECT_EQ(lastShown(), q("Silnia liczby 3 wynosi 6"));
}

TEST_F(ExecutorRuns, AStepCanGoOnOverConnectorsToTheNextBlock) {
    buildExample(t.project(), "examples/factorial.skb");
    t.io.enter(q("3"));
    executor().startStepping();
    int steps = 0;
    bool stoppedOnAConnector = false;
    while (executor().running() && steps < 1000) {
        executor().nextStep(true);
        ++steps;
        stoppedOnAConnector =
            stoppedOnAConnector ||
            (executor().running() && BlockCatalogue::isConnector(executor().state().currentKind));
    }
    EXPECT_FALSE(stoppedOnAConnector);
    EXPECT_EQ(executor().lastEnd(), RunEnd::Finished);
    EXPECT_EQ(lastShown(), q("Silnia liczby 3 wynosi 6"));
    EXPECT_LT(steps, executor().stepsTaken());  // the loop's corners were passed over
}

TEST_F(ExecutorRuns, FactorialReadsComputesAndWrites) {
    buildExample(t.project(), "examples/factorial.skb");
    t.io.enter(q("5"));
    executor().run();
    EXPECT_EQ(executor().lastEnd(), RunEnd::Finished);
    ASSERT_EQ(t.io.shown.size(), 2u);
    EXPECT_EQ(t.io.shown[0].mode, DialogMode::Read);
    EXPECT_EQ(t.io.shown[0].title, text(texts::ExecutionReadTitle));
    EXPECT_EQ(t.io.shown[0].text, q("Podaj liczbę n:"));
    EXPECT_EQ(t.io.shown[0].targetType, TypeInteger);
    EXPECT_EQ(t.io.shown[1].mode, DialogMode::Show);
    EXPECT_EQ(t.io.shown[1].title, text(texts::ExecutionResultTitle));
    EXPECT_EQ(t.io.shown[1].text, q("Silnia liczby 5 wynosi 120"));
    EXPECT_TRUE(t.sink.messages.isEmpty());
}

TEST_F(ExecutorRuns, AComparisonTurnsLeftWhenItHoldsAndRightOtherwise) {
    buildExample(t.project(), "examples/larger.skb");
    t.io.enter(q("9"));
    t.io.enter(q("2"));
    t.io.enter(q("3"));
    t.io.enter(q("7"));
    executor().run();
    executor().run();
    EXPECT_EQ(shownTexts(),
              (QStringList{q("Podaj a:"), q("Podaj b:"), q("Większa jest liczba 9"), q("Podaj a:"),
                           q("Podaj b:"), q("Większa (lub równa) jest liczba 7")}));
}

TEST_F(ExecutorRuns, LoopsOfEuclidEndWithTheDivisor) {
    buildExample(t.project(), "examples/gcd.skb");
    t.io.enter(q("48"));
    t.io.enter(q("18"));
    executor().run();
    EXPECT_EQ(lastShown(), q("Największy wspólny dzielnik: 6"));
}

TEST_F(ExecutorRuns, AProcedureReturnsToItsBoardInThatBoardsDirection) {
    // The calls stand in the loop's rising column: board 1 moves up while board 2 moves down.
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, q("i"), q("0"));
    f.put(1, 2, 3, KindJoinLeft);
    f.assign(1, 2, 4, q("i"), q("i + 1"));
    f.put(1, 2, 5, KindLineVertical);
    f.compare(1, 2, 6, q("i"), 4, q("3"));
    f.put(1, 1, 6, KindCornerTopRight);
    f.named(1, 1, 5, KindCall, q("Go")).text2 = q("Dodaj");
    f.named(1, 1, 4, KindReturn, q("Back")).text2 = q("Go");
    f.put(1, 1, 3, KindCornerBottomRight);
    f.put(1, 3, 6, KindCornerLeftBottom);
    f.write(1, 3, 7, q("s"), q("Suma:"));
    f.put(1, 3, 8, KindEnd);
    f.variable(1, 6, 1, q("i"), TypeInteger, q("0"), 1);
    f.variable(1, 6, 2, q("s"), TypeInteger, q("0"), 1);
    t.project().addBoard();
    t.project().board(2).kind = BoardProcedure;
    t.project().board(2).name = q("Dodaj");
    f.put(2, 3, 1, KindStart).text2 = q("Go");
    f.assign(2, 3, 2, q("s"), q("s + i"));
    f.put(2, 3, 3, KindEnd).text2 = q("Back");
    t.project().activeBoard = 1;

    std::vector<RunState> trace;
    executor().setTrace([&](qint64, const RunState& s) { trace.push_back(s); });
    executor().run();
    ASSERT_EQ(executor().lastEnd(), RunEnd::Finished)
        << t.sink.messages.join(q(" | ")).toStdString();
    EXPECT_EQ(shownTexts(), QStringList{q("Suma: 6")});
    // After each return the flow goes on upward from the return block.
    int returns = 0;
    for (std::size_t i = 1; i < trace.size(); ++i) {
        if (trace[i - 1].runBoard == 2 && trace[i].runBoard == 1) {
            ++returns;
            EXPECT_EQ(trace[i].runColumn, 1);
            EXPECT_EQ(trace[i].runRow, 3);  // the corner above "Back"
        }
    }
    EXPECT_EQ(returns, 3);
    EXPECT_EQ(t.project().activeBoard, 1);
}

TEST_F(ExecutorRuns, BranchJumpsCrossToAFragmentBoardAndBack) {
    buildExample(t.project(), "examples/branch.skb");
    t.project().board(2).runDirection = q("R");  // left over from an earlier run
    executor().run();
    EXPECT_EQ(executor().lastEnd(), RunEnd::Finished)
        << t.sink.messages.join(q(" | ")).toStdString();
    EXPECT_EQ(shownTexts(), QStringList{q("Po powrocie z fragmentu a = 70")});
}

TEST_F(ExecutorRuns, ArraysAreFilledAndReadBack) {
    buildExample(t.project(), "examples/array.skb");
    executor().run();
    EXPECT_EQ(shownTexts(),
              (QStringList{q("Tablica kwadratów: \"*1*4*9*16*25*\""), q("Element nr 3: 9"),
                           q("Element nr 9 (poza tablicą): -1")}));
    EXPECT_EQ(t.project().cell(1, 1, 4).extra1, 5);  // five appends by the write block
}

TEST_F(ExecutorRuns, AnIndexBelowOneReadsMinusOneAndWritesNothing) {
    f.put(1, 2, 1, KindStart);
    Cell& write = f.put(1, 2, 2, KindArrayWrite);
    write.text2 = q("t");
    write.text3 = q("i");
    write.text4 = q("v");
    Cell& read = f.put(1, 2, 3, KindArrayRead);
    read.text2 = q("t");
    read.text3 = q("i");
    read.text4 = q("x");
    f.write(1, 2, 4, q("x"), q("x ="));
    f.write(1, 2, 5, q("t"), q("t ="));
    f.put(1, 2, 6, KindEnd);
    f.variable(1, 6, 1, q("t"), TypeArray, q("\"*4*5*\""));
    f.variable(1, 6, 2, q("i"), TypeInteger, q("0"));
    f.variable(1, 6, 3, q("v"), TypeInteger, q("9"));
    f.variable(1, 6, 4, q("x"), TypeInteger, q("7"));
    executor().run();
    EXPECT_EQ(shownTexts(), (QStringList{q("x = -1"), q("t = \"*4*5*\"")}));
    EXPECT_EQ(t.project().cell(1, 2, 2).extra1, 0);
}

// The array blocks remember where their variables lie in the store; a variable freed and
// made again lies elsewhere the next time round.
TEST_F(ExecutorRuns, ArrayBlocksFindAVariableMadeAgainDuringTheRun) {
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, q("k"), q("0"));  // from here on the store holds the values
    f.put(1, 2, 3, KindJoinLeft);
    f.array(1, 2, 4, KindArrayRead, q("t"), q("i"), q("x"));
    f.write(1, 2, 5, q("x"), q("x ="));
    f.assign(1, 2, 6, q("k"), q("k + 1"));
    f.compare(1, 2, 7, q("k"), 2, q("2"));  // once round the loop
    f.put(1, 1, 7, KindCornerTopRight);
    f.assign(1, 1, 6, q("i"), q("FreeVar(\"i\") + 1"));
    f.column(1, 1, 4, 5, KindLineVertical);
    f.put(1, 1, 3, KindCornerBottomRight);
    f.put(1, 3, 7, KindCornerLeftBottom);
    f.put(1, 3, 8, KindEnd);
    f.variable(1, 6, 1, q("t"), TypeArray, q("\"*4*5*\""));
    f.variable(1, 6, 2, q("i"), TypeInteger, q("1"));
    f.variable(1, 6, 3, q("x"), TypeInteger, q("7"));
    f.variable(1, 6, 4, q("k"), TypeInteger, q("0"));
    executor().run();
    EXPECT_EQ(executor().lastEnd(), RunEnd::Finished)
        << t.sink.messages.join(q(" | ")).toStdString();
    EXPECT_EQ(shownTexts(), (QStringList{q("x = 4"), q("x = 5")}));
}

TEST_F(ExecutorRuns, QuestionsSteerTheFlow) {
    buildExample(t.project(), "examples/question.skb");
    t.io.reply(true);
    executor().run();
    t.io.reply(false);
    executor().run();
    ASSERT_EQ(t.io.shown.size(), 4u);
    EXPECT_EQ(t.io.shown[0].mode, DialogMode::Question);
    EXPECT_EQ(t.io.shown[0].title, text(texts::ExecutionQuestionTitle));
    EXPECT_EQ(t.io.shown[1].title, text(texts::ExecutionMessageTitle));
    EXPECT_EQ(t.io.shown[1].text, q("Świetnie, ja też!"));
    EXPECT_EQ(t.io.shown[3].text, q("Szkoda.\n\rMoże polubisz je później."));
}

TEST_F(ExecutorRuns, OutputIsFormattedByTheVariablesType) {
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, q("r"), q("2 / 3"));
    f.write(1, 2, 3, q("r"), q("r:"), 3);
    f.write(1, 2, 4, q("r"), q("r:"), 7);
    f.write(1, 2, 5, q("s"), q("$s$ /"));
    f.write(1, 2, 6, q("Start"), q("no variable:"));
    f.put(1, 2, 7, KindEnd);
    f.variable(1, 6, 1, q("r"), TypeReal, q("0"));
    f.variable(1, 6, 2, q("s"), TypeText, q("\"Ola\""));
    executor().run();
    EXPECT_EQ(shownTexts(), (QStringList{q("r: 0,667"), q("r: 0,666666666667"), q("Ola / Ola"),
                                         q("no variable: ")}));
}

TEST_F(ExecutorRuns, FormulaDetailsAreLoggedOnlyAtTheHighestLevel) {
    f.put(1, 3, 1, KindStart);
    f.assign(1, 3, 2, q("x"), q("2 + 3"));
    f.compare(1, 3, 3, q("x"), 1, q("4"));
    f.put(1, 2, 3, KindCornerBottomRight);
    f.put(1, 4, 3, KindCornerLeftBottom);
    f.put(1, 2, 4, KindEnd);
    f.put(1, 4, 4, KindEnd);
    f.variable(1, 7, 1, q("x"), TypeInteger, q("0"));
    t.log.currentLevel = 4;
    executor().run();
    EXPECT_TRUE(t.log.lines.isEmpty()) << t.log.lines.join(q(" | ")).toStdString();

    t.log.currentLevel = 5;
    executor().run();
    EXPECT_EQ(executor().state().runColumn, 2);  // 5 > 4 holds: left
    // The check before the run tries the formulas too; the run's own lines come last.
    ASSERT_GE(t.log.lines.size(), 4);
    EXPECT_EQ(t.log.lines.mid(t.log.lines.size() - 4),
              (QStringList{
                  q("Insert formula: x:=2 + 3"),
                  text(texts::LogFormulaCorrect) + q("x:=2 + 3 ") + text(texts::LogResult) + q("5"),
                  q("Insert formula: x>(4)"), q("Result: 1")}));
}

TEST_F(ExecutorRuns, VariablesAreLoadedFromEveryBoardWithTheConstants) {
    f.put(1, 2, 1, KindStart);
    f.put(1, 2, 2, KindEnd);
    f.variable(1, 6, 1, q("a"), TypeInteger, q("1"));
    f.variable(1, 6, 2, q("b"), TypeText, q("\"x\""));
    t.project().addBoard();
    t.project().board(2).kind = BoardFragment;
    f.named(2, 2, 1, KindBranchStart, q("In")).text2 = q("Out");
    f.named(2, 2, 2, KindBranchEnd, q("Out")).text2 = q("In");
    f.variable(2, 6, 1, q("c"), TypeReal, q("2.5"));
    t.project().board(1).variableCount = 7;
    ASSERT_TRUE(executor().startRun());
    EXPECT_EQ(t.workspace.variables().variablesList(),
              q("a=1\r\nb=\"x\"\r\nc=2.5\r\nPi=3.14159265358979\r\ne=2,71828183\r\n"
                "DegToRad=0,017453\r\nRadToDeg=57,29578"));
    EXPECT_EQ(t.project().board(1).variableCount, 2);
    EXPECT_EQ(t.project().board(2).variableCount, 1);
    EXPECT_EQ(t.workspace.variables().variableValue(q("PI")), q("3.14159265358979"));
    EXPECT_TRUE(t.sink.messages.isEmpty());
}

TEST_F(ExecutorRuns, ARandomNumberBlockDrawsBelowItsBound) {
    f.put(1, 2, 1, KindStart);
    Cell& draw = f.put(1, 2, 2, KindRandom);
    draw.text2 = q("k");
    draw.text4 = q("1");
    f.put(1, 2, 3, KindEnd);
    f.variable(1, 6, 1, q("k"), TypeInteger, q("5"));
    t.workspace.setRandomSource(nullptr);  // the program's own source
    for (int round = 0; round < 20; ++round) {
        executor().run();
        ASSERT_EQ(t.workspace.variables().variableValue(q("k")), q("0"));
    }
    EXPECT_EQ(t.project().cell(1, 6, 1).text3, q("0"));

    draw.text4 = q("1000000");
    t.workspace.seedRandom(42);
    executor().run();
    const QString first = t.workspace.variables().variableValue(q("k"));
    executor().run();
    EXPECT_EQ(t.workspace.variables().variableValue(q("k")), first);
    const int value = first.toInt();
    EXPECT_TRUE(value >= 0 && value < 1000000);
}

TEST_F(ExecutorRuns, TheStepLimitEndsAnEndlessLoop) {
    f.endlessLoop();
    executor().setStepLimit(1000);
    executor().run();
    EXPECT_EQ(executor().lastEnd(), RunEnd::StepLimit);
    EXPECT_EQ(executor().stepsTaken(), 1000);
    EXPECT_FALSE(executor().running());
    EXPECT_TRUE(t.sink.messages.isEmpty());
}

TEST_F(ExecutorRuns, AnEndlessLoopStopsWhenAskedBetweenSteps) {
    f.endlessLoop();

    // Driven in slices, as the desktop program's timer does, and stopped from outside.
    ASSERT_TRUE(executor().startRun());
    for (int slice = 0; slice < 10; ++slice) {
        EXPECT_EQ(executor().runSlice(100), 100);
    }
    EXPECT_TRUE(executor().running());
    executor().stop();
    EXPECT_FALSE(executor().running());
    EXPECT_EQ(executor().stepsTaken(), 1000);
    EXPECT_EQ(executor().lastEnd(), RunEnd::Stopped);
    ASSERT_EQ(t.sink.shown.size(), 1);
    EXPECT_EQ(t.sink.shown[0].text, text(texts::RunStoppedByUser));
    EXPECT_EQ(t.sink.shown[0].icon, MessageSink::Information);
    EXPECT_EQ(executor().runSlice(100), 0);

    // The dialog's stop request is honoured after the block, or the stretch of connectors, in
    // progress: Start (1 step), join and line (2), then the comparison (1) and the five
    // connectors back to it (5) by turns, a poll after each; the 38th poll comes at step 111.
    t.io.stopAfterPolls = 37;
    executor().run();
    EXPECT_EQ(executor().stepsTaken(), 111);
    EXPECT_EQ(executor().lastEnd(), RunEnd::Stopped);
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 5; ++r) {
            EXPECT_FALSE(t.project().cell(1, c, r).marked);
        }
    }
}

TEST_F(ExecutorRuns, AFailingCheckRunsNothing) {
    f.put(1, 2, 1, KindStart);
    Cell& wrong = f.put(1, 2, 2, KindAssign);  // no variable, no formula
    (void)wrong;
    f.put(1, 2, 3, KindEnd);
    executor().run();
    EXPECT_EQ(executor().lastEnd(), RunEnd::CheckFailed);
    EXPECT_EQ(executor().stepsTaken(), 0);
    EXPECT_EQ(t.sink.messages, QStringList{text(texts::BoardCheckFailed)});
    EXPECT_TRUE(t.project().cell(1, 2, 2).marked);
}

TEST_F(ExecutorRuns, TheTraceSeesEveryStepBeforeItRuns) {
    f.put(1, 2, 1, KindStart);
    f.put(1, 2, 2, KindLineVertical);
    f.put(1, 2, 3, KindEnd);
    QStringList lines;
    executor().setTrace([&](qint64 step, const RunState& s) {
        lines << QStringLiteral("%1:%2,%3,%4,%5")
                     .arg(step)
                     .arg(s.runBoard)
                     .arg(s.runColumn)
                     .arg(s.runRow)
                     .arg(s.currentKind);
    });
    executor().run();
    EXPECT_EQ(lines, (QStringList{q("1:1,2,1,11"), q("2:1,2,2,41"), q("3:1,2,3,12")}));
}

// A breakpoint pauses a run before the block does anything, also its dialog; going on passes
// it without pausing there again, and it pauses again when the flow comes back.
TEST_F(ExecutorRuns, ABreakpointPausesBeforeTheBlockAndGoingOnPassesIt) {
    buildExample(t.project(), "examples/factorial.skb");
    t.io.enter(q("3"));
    t.workspace.breakpoints().toggle({1, 2, 2});  // the read block
    t.workspace.breakpoints().toggle({1, 1, 6});  // f := f * i, three times round the loop
    t.workspace.breakpoints().toggle({1, 5, 5});  // an empty cell: never reached
    ASSERT_TRUE(executor().startRun());
    executor().runSlice(1000);
    EXPECT_TRUE(executor().running());
    EXPECT_TRUE(executor().paused());
    EXPECT_EQ(executor().stepsTaken(), 1);
    EXPECT_TRUE(t.project().cell(1, 2, 2).marked);
    EXPECT_TRUE(t.io.shown.empty());  // the read has not asked yet
    EXPECT_EQ(executor().runSlice(1000), 0);
    EXPECT_TRUE(executor().paused());

    executor().resume();
    EXPECT_FALSE(executor().paused());
    ASSERT_EQ(t.io.shown.size(), 1u);
    EXPECT_EQ(t.workspace.variables().variableValue(q("n")), q("3"));
    QStringList pausedWith;
    while (executor().running()) {
        executor().runSlice(1000);
        if (executor().paused()) {
            EXPECT_EQ(executor().state().runColumn, 1);
            EXPECT_EQ(executor().state().runRow, 6);
            pausedWith << t.workspace.variables().variableValue(q("i"));
            executor().resume();
        }
    }
    EXPECT_EQ(pausedWith, (QStringList{q("1"), q("2"), q("3")}));
    EXPECT_EQ(executor().lastEnd(), RunEnd::Finished);
    EXPECT_EQ(lastShown(), q("Silnia liczby 3 wynosi 6"));
}

TEST(Breakpoints, ArePlacesOnTheThreeBoardsOnly) {
    Breakpoints points;
    EXPECT_TRUE(points.toggle({3, 15, 15}));
    EXPECT_TRUE(points.toggle({1, 1, 1}));
    for (const CellRef outside : {CellRef{0, 1, 1}, CellRef{4, 1, 1}, CellRef{1, 0, 1},
                                  CellRef{1, 16, 1}, CellRef{1, 1, 0}, CellRef{1, 1, 16}}) {
        EXPECT_FALSE(points.toggle(outside));
        EXPECT_FALSE(points.has(outside));
    }
    EXPECT_EQ(points.all(), (QList<CellRef>{{1, 1, 1}, {3, 15, 15}}));
    EXPECT_FALSE(points.toggle({1, 1, 1}));  // off again
    EXPECT_EQ(points.count(), 1);
}

// From a pause a step opens the paused block's dialog, performs it and moves on; step mode
// itself never pauses.
TEST_F(ExecutorRuns, AStepFromAPauseGoesPastTheBlock) {
    buildExample(t.project(), "examples/factorial.skb");
    t.io.enter(q("4"));
    t.workspace.breakpoints().toggle({1, 2, 2});
    ASSERT_TRUE(executor().startRun());
    executor().runSlice(1000);
    ASSERT_TRUE(executor().paused());
    executor().nextStep();
    EXPECT_FALSE(executor().paused());
    EXPECT_EQ(t.io.shown.size(), 1u);
    EXPECT_EQ(executor().state().runRow, 3);
    EXPECT_EQ(executor().stepsTaken(), 2);
    executor().stop();

    t.io.enter(q("4"));
    executor().startStepping();
    executor().nextStep();
    EXPECT_FALSE(executor().paused());
    EXPECT_EQ(t.io.shown.size(), 2u);
}

TEST_F(ExecutorRuns, InputThatNeverComesEndsTheRunQuietly) {
    buildExample(t.project(), "examples/factorial.skb");
    t.io.then(DialogClose::InputEnded);
    executor().run();
    EXPECT_EQ(executor().lastEnd(), RunEnd::InputEnded);
    EXPECT_TRUE(t.sink.messages.isEmpty());
    EXPECT_FALSE(t.project().cell(1, 2, 2).marked);
}

// A stop the user asked for is no error: it is told as such, and logged without "Error".
TEST_F(ExecutorRuns, AStopFromTheDialogClosesItAndIsNoError) {
    buildExample(t.project(), "examples/factorial.skb");
    t.io.then(DialogClose::AbortRequested);
    executor().run();
    EXPECT_EQ(executor().lastEnd(), RunEnd::Stopped);
    EXPECT_EQ(t.io.closes, 1);
    EXPECT_EQ(t.sink.messages, QStringList{text(texts::RunStoppedByUser)});
    EXPECT_TRUE(t.log.lines.contains(q("Run stopped by the user.")));
    EXPECT_FALSE(t.log.lines.join(u'\n').contains(q("Error")));
    EXPECT_FALSE(t.project().cell(1, 2, 2).marked);
}

// Failures while running: each ends the run with an abort and the right messages.
class RunFailures : public ExecutorRuns {
protected:
    void SetUp() override {
        f.put(1, 2, 1, KindStart);
        f.variable(1, 6, 1, q("x"), TypeInteger, q("0"));
        f.variable(1, 6, 2, q("t"), TypeArray, q("\"*1*\""));
        f.variable(1, 6, 3, q("s"), TypeText, q("\"a\""));
        f.variable(1, 6, 8, q("last"), TypeInteger, q("0"));
    }
    void expectAborted(const QStringList& messages) {
        executor().run();
        EXPECT_EQ(executor().lastEnd(), RunEnd::Aborted)
            << t.sink.messages.join(q(" | ")).toStdString();
        EXPECT_EQ(t.sink.messages, messages);
        EXPECT_FALSE(executor().running());
    }
};

TEST_F(RunFailures, AnAssignmentTheCalculatorRejects) {
    f.assign(1, 2, 2, q("x"), q("10 mod x"));  // x is 0 when it runs, 1..8 in the check
    f.put(1, 2, 3, KindEnd);
    executor().run();
    ASSERT_EQ(t.sink.messages.size(), 2);
    EXPECT_TRUE(t.sink.messages[0].startsWith(text(texts::FormulaRunFailed) + u'\n'));
    EXPECT_GT(t.sink.messages[0].size(), text(texts::FormulaRunFailed).size() + 1);
    EXPECT_EQ(t.sink.messages[1], text(texts::BoardProcessingFailed));
    const QString error = t.sink.messages[0].mid(text(texts::FormulaRunFailed).size() + 1);
    EXPECT_TRUE(t.log.lines.contains(text(texts::FormulaRunFailed) + u' ' +
                                     text(texts::LogFormula) + q("x:=10 mod x ") + error));
    EXPECT_TRUE(t.log.lines.contains(q("Error. ") + error + q(" Abort execution.")));
    EXPECT_EQ(t.workspace.variables().variableValue(q("x")), q("0"));
}

TEST_F(RunFailures, AComparisonTheCalculatorRejects) {
    f.compare(1, 2, 2, q("x"), 0, q("1 mod x"));
    f.put(1, 1, 2, KindCornerBottomRight);
    f.put(1, 3, 2, KindCornerLeftBottom);
    f.put(1, 1, 3, KindEnd);
    f.put(1, 3, 3, KindEnd);
    expectAborted({text(texts::BoardProcessingFailed)});
}

TEST_F(RunFailures, ARandomBoundThatIsNoNumber) {
    Cell& draw = f.put(1, 2, 2, KindRandom);
    draw.text2 = q("x");
    draw.text4 = q("six");
    f.put(1, 2, 3, KindEnd);
    expectAborted({text(texts::FormulaProcessingFailed), text(texts::BoardProcessingFailed)});
    draw.text4 = q("0");
    t.sink.clear();
    expectAborted({text(texts::FormulaProcessingFailed), text(texts::BoardProcessingFailed)});
}

TEST_F(RunFailures, AnArrayIndexThatIsNoNumber) {
    Cell& read = f.put(1, 2, 2, KindArrayRead);
    read.text2 = q("t");
    read.text3 = q("s");
    read.text4 = q("x");
    f.put(1, 2, 3, KindEnd);
    expectAborted({text(texts::FormulaProcessingFailed), text(texts::BoardProcessingFailed)});
}

TEST_F(RunFailures, AMoveOntoAnEmptyCell) {
    // The branch lands on a variable block, below which nothing stands.
    f.named(1, 2, 2, KindBranchEnd, q("Jump")).text2 = q("s");
    f.put(1, 4, 1, KindStart);
    f.put(1, 4, 2, KindEnd);
    expectAborted({text(texts::BoardProcessingFailed)});
    EXPECT_EQ(executor().state().runColumn, 6);
    EXPECT_EQ(executor().state().runRow, 3);
}

TEST_F(RunFailures, AMoveOffTheBoard) {
    f.named(1, 2, 2, KindBranchEnd, q("Jump")).text2 = q("last");  // in the bottom row
    f.put(1, 4, 1, KindStart);
    f.put(1, 4, 2, KindEnd);
    expectAborted({text(texts::BoardProcessingFailed)});
}

TEST_F(RunFailures, ACallToABoardThatDoesNotExist) {
    f.named(1, 2, 2, KindCall, q("Go")).text2 = q("Nowhere");
    f.named(1, 2, 3, KindReturn, q("Back"));
    f.put(1, 2, 4, KindEnd);
    t.project().addBoard();
    t.project().board(2).kind = BoardProcedure;
    t.project().board(2).name = q("Somewhere");
    f.put(2, 2, 1, KindStart).text2 = q("Go");
    f.put(2, 2, 2, KindEnd).text2 = q("Back");
    t.project().activeBoard = 1;
    expectAborted({text(texts::BoardProcessingFailed)});
    EXPECT_EQ(executor().state().runBoard, 1);
}

TEST_F(RunFailures, LinksAreResolvedWhenTheRunBegins) {
    f.named(1, 2, 2, KindCall, q("Go")).text2 = q("Proc");
    f.named(1, 2, 3, KindReturn, q("Back"));
    f.put(1, 2, 4, KindEnd);
    t.project().addBoard();
    t.project().board(2).kind = BoardProcedure;
    t.project().board(2).name = q("Proc");
    f.put(2, 2, 1, KindStart).text2 = q("Go");
    f.put(2, 2, 2, KindEnd).text2 = q("Back");
    t.project().activeBoard = 1;
    executor().setTrace([this](qint64 step, const RunState&) {
        if (step == 2) {
            t.project().cell(2, 2, 2).text2 = q("Gone");  // too late: links were resolved
        }
    });
    executor().run();
    EXPECT_EQ(executor().lastEnd(), RunEnd::Finished);
}

// Memory refused anywhere in a step (here while the dialog reads) ends the run, not the program.
TEST_F(RunFailures, MemoryTheSystemRefusesEndsTheRunWithItsReason) {
    f.read(1, 2, 2, q("x"), q("x?"));
    f.put(1, 2, 3, KindEnd);
    t.io.answers.push_back([](ExecutionDialogLogic&) -> DialogClose { throw std::bad_alloc(); });
    expectAborted({text(texts::RunOutOfMemory)});
}

// A slice of the desktop program ends when its time is up, after thousands of cheap steps or
// after one that went over a long text, and the run goes on in the next slice.
TEST_F(ExecutorRuns, ASliceEndsByTimeWhateverItsStepsCost) {
    constexpr qint64 kEndless = std::numeric_limits<qint64>::max();
    f.endlessLoopOf(
        1, [this](int row) { f.assign(1, 2, row, q("s"), q("replace(s, \"a\", \"a\", 1, 0)")); });
    Cell& s = f.variable(1, 6, 2, q("s"), TypeText, q("\"\""));
    for (const int length : {0, 1'000'000}) {
        s.text4 = u'"' + QString(length, u'a') + u'"';
        ASSERT_TRUE(executor().startRun());
        const qint64 steps = executor().runSlice(kEndless, 5);
        EXPECT_TRUE(executor().running());
        EXPECT_GT(steps, 0);
        if (length > 0) {
            EXPECT_LT(steps, 512) << "a slice ended by a count of slow steps";
        }
        EXPECT_GT(executor().runSlice(kEndless, 5), 0);
        executor().stop();
    }
}

TEST(WorkspaceState, TheCalculatorSpeaksTheInterfaceLanguage) {
    test::RecordingSink sink;
    test::RecordingLog log;
    Workspace workspace(log, sink);
    workspace.setLanguage(q("ang"));
    const Evaluation english = workspace.variables().evaluate(q("nosuch + 1"));
    EXPECT_FALSE(english.ok);
    EXPECT_EQ(english.error, q("Unknown variable: nosuch"));
    EXPECT_EQ(workspace.variables().lastError(), english.error);
    workspace.setLanguage(q("pl"));
    EXPECT_EQ(workspace.variables().evaluate(q("nosuch + 1")).error, q("Nieznana zmienna: nosuch"));
    EXPECT_TRUE(workspace.variables().evaluate(q("1 + 1")).ok);
    EXPECT_EQ(workspace.variables().lastError(), QString());
}

TEST(Variables, TheListIsTheCalculatorsListingAfterAnAssignment) {
    Variables variables;
    variables.loadVariables(q("a=1\r\nb=\"x\""));
    EXPECT_EQ(variables.variablesList(), q("a=1\r\nb=\"x\""));
    ASSERT_TRUE(variables.evaluate(q("a:=a + 41")).ok);
    // Until the list is refreshed it shows what was loaded, as the hidden list would.
    EXPECT_EQ(variables.variableValue(q("A")), q("1"));
    variables.refreshVariablesList();
    EXPECT_EQ(variables.variablesList(), q("A=42\r\nB=\"x\""));
    EXPECT_EQ(variables.variableValue(q("a")), q("42"));
    variables.loadVariables(QString());
    EXPECT_EQ(variables.variablesList(), QString());
    EXPECT_FALSE(variables.evaluate(q("a")).ok);
}

namespace {

// Everything a run leaves that a window or a caller can see.
struct RunOutcome {
    qint64 steps = 0;
    RunEnd end = RunEnd::None;
    int board = 0, column = 0, row = 0;
    QString variables;
    QStringList marksAndDirections;
    QStringList shown;
    bool operator==(const RunOutcome&) const = default;
};

RunOutcome runToTheEnd(void (*build)(Project&), qint64 stepLimit, bool watched) {
    TestWorkspace t;
    t.log.currentLevel = 1;
    build(t.project());
    Executor& executor = t.workspace.executor();
    executor.setStepLimit(stepLimit);
    if (watched) {
        executor.setTrace([](qint64, const RunState&) {});  // every step is seen
    }
    executor.run();
    RunOutcome outcome{executor.stepsTaken(),
                       executor.lastEnd(),
                       executor.state().runBoard,
                       executor.state().runColumn,
                       executor.state().runRow,
                       t.workspace.variables().calculator().ListVariables(),
                       {},
                       {}};
    for (int b = 1; b <= kMaxBoards; ++b) {
        outcome.marksAndDirections << t.project().board(b).runDirection;
        t.project().board(b).forEachUsedCell([&](const Cell& cell, int c, int r) {
            if (cell.marked) {
                outcome.marksAndDirections << QStringLiteral("%1,%2,%3").arg(b).arg(c).arg(r);
            }
        });
    }
    for (const auto& shown : t.io.shown) {
        outcome.shown << shown.text;
    }
    for (const auto& shown : t.sink.shown) {
        outcome.shown << shown.text;
    }
    return outcome;
}

}  // namespace

// A run nobody watches step by step passes a stretch of connectors at once; it must leave
// the same steps, place, marks, directions, values and dialogs as one step at a time, also
// when the step limit falls inside a stretch.
TEST(UnwatchedRuns, PassConnectorsAtOnceWithTheSameOutcome) {
    std::vector<void (*)(Project&)> flowcharts = {
        bench_flowcharts::arraySquares, bench_flowcharts::bubbleSort,
        bench_flowcharts::procedureCalls, bench_flowcharts::formulas,
        [](Project& p) { FlowBuilder(p).endlessLoop(); }};
    for (const ExampleFlowchart& example : exampleFlowcharts()) {
        flowcharts.push_back(example.build);
    }
    for (std::size_t f = 0; f < flowcharts.size(); ++f) {
        // 0 (no limit) runs the examples to their End; the long runs of the first five (one
        // endless) end at the largest limit instead.
        for (const qint64 limit : {1, 2, 3, 5, 7, 12, 33, 1001, 0}) {
            if (limit == 0 && f < 5) {
                continue;
            }
            SCOPED_TRACE(testing::Message() << "flowchart " << f << ", step limit " << limit);
            const RunOutcome fast = runToTheEnd(flowcharts[f], limit, false);
            const RunOutcome stepwise = runToTheEnd(flowcharts[f], limit, true);
            EXPECT_EQ(fast.steps, stepwise.steps);
            EXPECT_EQ(fast.marksAndDirections, stepwise.marksAndDirections);
            EXPECT_TRUE(fast == stepwise);
        }
    }
}

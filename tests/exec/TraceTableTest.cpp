#include <gtest/gtest.h>

#include "ExampleFlowcharts.h"
#include "TestWorkspace.h"
#include "exec/Executor.h"
#include "exec/TraceTable.h"

using namespace trevalon;

namespace {

void buildExample(Project& project, const char* file) {
    for (const ExampleFlowchart& example : exampleFlowcharts()) {
        if (QLatin1String(example.file) == QLatin1String(file)) {
            example.build(project);
            return;
        }
    }
    FAIL() << "no example " << file;
}

// Answers the run's dialogs from "|"-separated words: "yes" and "no" answer questions, any
// other word is entered as a value.
void script(test::ScriptedIo& io, const char* answers) {
    for (const QString& word : QString::fromUtf8(answers).split(u'|', Qt::SkipEmptyParts)) {
        if (word == u"yes" || word == u"no") {
            io.reply(word == u"yes");
        } else {
            io.enter(word);
        }
    }
}

// An example run with a trace table installed, connectors recorded too.
struct TracedRun {
    TestWorkspace t;
    TraceTable table{t.workspace.project(), t.workspace.texts(), t.workspace.variables()};

    TracedRun(const char* example, const char* answers, int limit = Settings::DefaultTraceRows,
              std::size_t characters = TraceTable::DefaultCharacterBudget) {
        buildExample(t.project(), example);
        script(t.io, answers);
        table.setLimit(limit);
        table.setCharacterBudget(characters);
        table.setConnectors(true);
        t.workspace.executor().setStepObserver(&table);
        t.workspace.executor().run();
        t.workspace.executor().setStepObserver(nullptr);
    }

    // The first row of the block at the place, or -1.
    int rowAt(int board, int column, int row) const {
        for (int i = 0; i < table.rowCount(); ++i) {
            if (table.row(i).at == CellRef{board, column, row}) {
                return i;
            }
        }
        return -1;
    }
};

struct ActionCase {
    const char* example;
    const char* answers;
    CellRef at;
    const char* polish;
    const char* english;
};

}  // namespace

class TraceActions : public ::testing::TestWithParam<ActionCase> {};

TEST_P(TraceActions, SayWhatTheBlockDidInTheInterfaceLanguage) {
    const ActionCase& c = GetParam();
    TracedRun run(c.example, c.answers);
    const int row = run.rowAt(c.at.board, c.at.column, c.at.row);
    ASSERT_GE(row, 0) << c.polish;
    EXPECT_EQ(run.table.action(row), QString::fromUtf8(c.polish));
    run.t.workspace.setLanguage(QStringLiteral("ang"));
    EXPECT_EQ(run.table.action(row), QString::fromUtf8(c.english));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindThatRuns, TraceActions,
    ::testing::Values(
        ActionCase{"examples/factorial.skb", "5", {1, 2, 1}, "start", "start"},
        ActionCase{"examples/factorial.skb", "5", {1, 2, 2}, "czytaj n = 5", "read n = 5"},
        ActionCase{"examples/factorial.skb", "5", {1, 2, 3}, "f := 1", "f := 1"},
        ActionCase{"examples/factorial.skb", "5", {1, 2, 5}, "łącznik", "connector"},
        ActionCase{
            "examples/factorial.skb", "5", {1, 2, 7}, "warunek i<=n: TAK", "condition i<=n: YES"},
        ActionCase{"examples/factorial.skb", "5", {1, 3, 8}, "pisz f = 120", "write f = 120"},
        ActionCase{"examples/factorial.skb", "5", {1, 3, 9}, "koniec", "end"},
        ActionCase{
            "examples/larger.skb", "3|7", {1, 3, 4}, "warunek a>b: NIE", "condition a>b: NO"},
        ActionCase{"examples/array.skb", "", {1, 1, 4}, "t[1] := 1", "t[1] := 1"},
        ActionCase{"examples/array.skb", "", {1, 3, 9}, "x := t[3] = 9", "x := t[3] = 9"},
        ActionCase{"examples/procedure.skb", "6", {1, 2, 3}, "wywołanie Kwadrat", "call Kwadrat"},
        ActionCase{"examples/procedure.skb",
                   "6",
                   {2, 2, 3},
                   "powrót do PowrotKwadrat",
                   "return to PowrotKwadrat"},
        ActionCase{"examples/branch.skb",
                   "",
                   {1, 2, 3},
                   "skok do WejscieFragmentu",
                   "jump to WejscieFragmentu"},
        ActionCase{"examples/question.skb",
                   "yes",
                   {1, 3, 2},
                   "pytanie „Czy lubisz algorytmy?”: TAK",
                   "question “Czy lubisz algorytmy?”: YES"},
        ActionCase{"examples/question.skb",
                   "no",
                   {1, 4, 4},
                   "komunikat: Szkoda. Może polubisz je później.",
                   "message: Szkoda. Może polubisz je później."},
        ActionCase{"examples/dice.skb", "", {1, 2, 2}, "losuj k = 0", "random k = 0"}));

// The rows a bounded table kept are the last ones of a table that dropped nothing, with the
// same values, steps and actions.
void expectTheSameLastRows(const TracedRun& whole, const TracedRun& bounded) {
    const int offset = whole.table.rowCount() - bounded.table.rowCount();
    EXPECT_EQ(bounded.table.droppedRows(), offset);
    for (int i = -1; i < bounded.table.rowCount(); ++i) {
        ASSERT_EQ(bounded.table.valuesAt(i), whole.table.valuesAt(i + offset)) << i;
        if (i >= 0) {
            ASSERT_EQ(bounded.table.row(i).step, whole.table.row(i + offset).step);
            ASSERT_EQ(bounded.table.action(i), whole.table.action(i + offset));
        }
    }
}

// Only the last rows are kept, and the values at every kept row are still exact: the same as
// a table that dropped nothing says for the same step.
TEST(TraceTableBound, KeepsTheLastRowsWithTheirValues) {
    TracedRun whole("examples/factorial.skb", "20");
    TracedRun bounded("examples/factorial.skb", "20", 100);
    ASSERT_GT(whole.table.rowCount(), 100);
    ASSERT_EQ(bounded.table.rowCount(), 100);
    expectTheSameLastRows(whole, bounded);
    const int last = bounded.table.rowCount() - 1;
    EXPECT_EQ(bounded.table.variableNames(), (QStringList{"n", "f", "i"}));
    EXPECT_EQ(bounded.table.valuesAt(last), (QStringList{"20", "2432902008176640000", "21"}));
    // Stepping back to where the loop had just multiplied by 19: a round takes six steps.
    const qint64 firstProduct = whole.table.row(whole.rowAt(1, 1, 6)).step;
    const int row = bounded.table.rowOfStep(firstProduct + 6 * 18);
    ASSERT_GE(row, 0);
    EXPECT_EQ(bounded.table.row(row).at, (CellRef{1, 1, 6}));
    EXPECT_EQ(bounded.table.action(row), QStringLiteral("f := 121645100408832000"));
    EXPECT_EQ(bounded.table.changedAt(row), QList<int>{1});
    EXPECT_EQ(bounded.table.variablesListAt(row),
              QStringLiteral("n=20\r\nf=121645100408832000\r\ni=19"));
}

// An array of a thousand squares changes on every other step: with a budget of characters the
// table keeps only the rows whose values fit in it, and those exactly.
TEST(TraceTableBound, KeepsNoMoreCharactersThanItsBudget) {
    TracedRun whole("bench/array.skb", "");
    TracedRun bounded("bench/array.skb", "", Settings::DefaultTraceRows, 40000);
    ASSERT_GT(bounded.table.droppedRows(), 0);
    ASSERT_GT(bounded.table.rowCount(), 1);
    expectTheSameLastRows(whole, bounded);
}

// A spreadsheet runs a cell that begins with "=", "+", "-" or "@" as a formula: a block's name
// does not begin one, a negative number stays a number.
TEST(TraceTableCsv, WritesNamesAsTextsAndNumbersAsTheyAre) {
    TestWorkspace t;
    buildExample(t.project(), "examples/factorial.skb");
    t.project().cell(1, 2, 1).name = QStringLiteral("+SUM(1;2)");
    script(t.io, "-3");
    TraceTable table(t.workspace.project(), t.workspace.texts(), t.workspace.variables());
    t.workspace.executor().setStepObserver(&table);
    t.workspace.executor().run();
    t.workspace.executor().setStepObserver(nullptr);
    const QStringList records = table.csv().split(QStringLiteral("\r\n"));
    ASSERT_GT(records.size(), 3);
    EXPECT_EQ(records[1], QStringLiteral("1,1,'+SUM(1;2),start,0,1,0"));
    EXPECT_EQ(records[3], QStringLiteral("3,1,Przypisanie3,f := 1,-3,1,0"));
}

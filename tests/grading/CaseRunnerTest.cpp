#include <gtest/gtest.h>

#include <QRegularExpression>
#include <functional>

#include "FlowBuilder.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "grading/CaseRunner.h"
#include "storage/ProjectFile.h"

using namespace trevalon;

namespace {

Project example(const char* name) {
    Project project;
    test::RecordingLog log;
    const TextTable texts;
    const bool loaded =
        ProjectFile::load(project,
                          QStringLiteral(TREVALON_SOURCE_DIR "/examples/") + QLatin1String(name),
                          log, texts)
            .ok();
    EXPECT_TRUE(loaded) << name;
    return project;
}

TestCase caseOf(const QStringList& input, const QStringList& output, qint64 steps = 0) {
    TestCase testCase;
    testCase.name = QStringLiteral("c");
    testCase.input = input;
    testCase.maxSteps = steps;
    testCase.points = 2;
    for (const QString& line : output) {
        testCase.expected.emplace_back().text = line;
    }
    return testCase;
}

CaseResult run(const Project& project, const TestCase& testCase, int timeLimit = 5000) {
    TestSuite suite;
    suite.timeLimitMillis = timeLimit;
    TextTable texts;
    texts.setLanguage(QStringLiteral("ang"));
    return runCase(project, testCase, suite, texts);
}

struct FactorialRow {
    QStringList input;
    QStringList output;
    qint64 steps;
    CaseOutcome outcome;
    const char* reason;
};

const QString kPrompt = QStringLiteral("Podaj liczbę n:");
const QString kFive = QStringLiteral("Silnia liczby 5 wynosi 120");

}  // namespace

class FactorialCases : public ::testing::TestWithParam<FactorialRow> {};

TEST_P(FactorialCases, EndWithTheirOutcomeAndReason) {
    static const Project factorial = example("factorial.skb");
    const FactorialRow& row = GetParam();
    const CaseResult result = run(factorial, caseOf(row.input, row.output, row.steps));
    EXPECT_EQ(result.outcome, row.outcome) << result.reason.toStdString();
    EXPECT_EQ(result.reason, QString::fromUtf8(row.reason));
    EXPECT_EQ(result.points, row.outcome == CaseOutcome::Passed ? 2 : 0);
    EXPECT_EQ(result.maxPoints, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FactorialCases,
    ::testing::Values(
        FactorialRow{{"5"}, {kPrompt, kFive}, 0, CaseOutcome::Passed, ""},
        // A refused line is passed over, as `trevalon-cli run` passes it over.
        FactorialRow{{"x", "5"}, {kPrompt, kFive}, 0, CaseOutcome::Passed, ""},
        FactorialRow{{"5"},
                     {kPrompt, "Silnia liczby 5 wynosi 121"},
                     0,
                     CaseOutcome::WrongOutput,
                     "Output line 2: expected “Silnia liczby 5 wynosi 121”, got “Silnia liczby 5 "
                     "wynosi 120”."},
        FactorialRow{{"5"},
                     {kPrompt},
                     0,
                     CaseOutcome::WrongOutput,
                     "Output line 2: “Silnia liczby 5 wynosi 120” is more than expected."},
        FactorialRow{{"5"},
                     {kPrompt, kFive, "Koniec"},
                     0,
                     CaseOutcome::WrongOutput,
                     "Output line 3: expected “Koniec”, but the output ended."},
        FactorialRow{{},
                     {kPrompt, kFive},
                     0,
                     CaseOutcome::MissingInput,
                     "The input ended at block Czytaj2 (board 1, column 2, row 2)."},
        FactorialRow{{"5"},
                     {kPrompt, kFive},
                     5,
                     CaseOutcome::StepLimit,
                     "Stopped after 5 steps: the step limit."}));

TEST(CaseRunner, LeavesPromptsOutWhenTheSuiteSaysSo) {
    TestSuite suite;
    suite.prompts = false;
    const CaseResult result =
        runCase(example("factorial.skb"), caseOf({"5"}, {kFive}), suite, TextTable());
    EXPECT_EQ(result.outcome, CaseOutcome::Passed) << result.reason.toStdString();
    EXPECT_EQ(result.actual, QStringList{kFive});
}

TEST(CaseRunner, EndsAnEndlessLoopAtTheTimeLimit) {
    Project project;
    test::FlowBuilder(project).endlessLoop();
    const CaseResult result = run(project, caseOf({}, {QStringLiteral("x")}, 1LL << 40), 50);
    EXPECT_EQ(result.outcome, CaseOutcome::TimeLimit);
    EXPECT_TRUE(result.reason.endsWith(QStringLiteral(" ms: the time limit is 50 ms.")))
        << result.reason.toStdString();
}

TEST(CaseRunner, TellsWhyTheCheckFailed) {
    const CaseResult result = run(Project(), caseOf({}, {QStringLiteral("x")}));
    EXPECT_EQ(result.outcome, CaseOutcome::CheckFailed);
    EXPECT_TRUE(result.reason.startsWith(QStringLiteral("The project fails its check: ")))
        << result.reason.toStdString();
    EXPECT_GT(result.reason.size(), 30);
}

// What a run keeps counts towards its memory limit: a run that would fill the memory ends as a
// run-time error that names the limit and what took it, long before the system would refuse.
TEST(CaseRunner, EndsARunAtItsMemoryLimitAndSaysWhatFilledIt) {
    struct Flood {
        std::function<void(test::FlowBuilder&)> build;
        const char* reason;
    };
    const Flood floods[] = {
        {[](test::FlowBuilder& f) { f.arrayFlood(); },
         "Run-time error: The run went over its memory limit (1 MB): the values of its variables "
         "and arrays would take more."},
        {[](test::FlowBuilder& f) { f.outputFlood(100000); },
         "Run-time error: The run printed more than a quarter of its memory limit (1 MB) "
         "holds."},
    };
    TestSuite suite;
    suite.memoryMB = 1;
    suite.maxSteps = qint64(1) << 40;
    suite.timeLimitMillis = 60000;
    TextTable texts;
    texts.setLanguage(QStringLiteral("ang"));
    for (const Flood& flood : floods) {
        Project project;
        test::FlowBuilder builder(project);
        flood.build(builder);
        const CaseResult result = runCase(project, caseOf({}, {QStringLiteral("x")}), suite, texts);
        EXPECT_EQ(result.outcome, CaseOutcome::RunError) << result.reason.toStdString();
        EXPECT_EQ(result.reason, QString::fromUtf8(flood.reason));
    }
}

// Each step here goes over two million characters: the time limit must hold all the same, and
// the reason tells the time the run really took.
TEST(CaseRunner, HoldsTheTimeLimitWhenEveryStepIsSlow) {
    Project project;
    test::FlowBuilder f(project);
    f.endlessLoopOf(1, [&f](int row) {
        f.assign(1, 2, row, QStringLiteral("s"), QStringLiteral("replace(s, \"a\", \"a\")"));
    });
    f.variable(1, 6, 2, QStringLiteral("s"), TypeText, u'"' + QString(2'000'000, u'a') + u'"');
    const CaseResult result = run(project, caseOf({}, {QStringLiteral("x")}, 1LL << 40), 100);
    EXPECT_EQ(result.outcome, CaseOutcome::TimeLimit);
    const QRegularExpressionMatch took =
        QRegularExpression(
            QStringLiteral("^Stopped after ([0-9]+) ms: the time limit is 100 ms\\.$"))
            .match(result.reason);
    ASSERT_TRUE(took.hasMatch()) << result.reason.toStdString();
    EXPECT_GE(took.captured(1).toInt(), 100);
    EXPECT_LT(took.captured(1).toInt(), 2000);  // generous: a loaded machine, a sanitizer
}

TEST(CaseRunner, SaysWhenThePatternEngineGaveUpInsteadOfCallingItADifference) {
    Project project;
    test::FlowBuilder flow(project);
    flow.put(1, 2, 1, KindStart);
    flow.message(1, 2, 2, QString(25, u'a'));
    flow.put(1, 2, 3, KindEnd);
    TestCase testCase = caseOf({}, {QStringLiteral("(a?){25}a{25}")});
    testCase.expected[0].pattern = true;
    const CaseResult result = run(project, testCase);
    EXPECT_EQ(result.outcome, CaseOutcome::WrongOutput);
    EXPECT_EQ(result.reason, QStringLiteral("Output line 1: the pattern “(a?){25}a{25}” is too "
                                            "costly — the regular expression engine gave up "
                                            "matching, so the line was not accepted."));
}

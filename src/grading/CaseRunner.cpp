#include "grading/CaseRunner.h"

#include <QElapsedTimer>
#include <new>

#include "calc/TCalcul.h"
#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/TextTable.h"
#include "exec/ExecutionDialogLogic.h"
#include "exec/Executor.h"
#include "exec/LineFedIo.h"
#include "exec/Workspace.h"
#include "grading/OutputMatch.h"
#include "model/Project.h"

namespace trevalon {
namespace {

// Lines kept beyond those expected: enough to show what went wrong, few enough that a loop
// printing without end cannot fill the memory before its limit ends it.
constexpr qsizetype kExtraLinesKept = 1000;

// Keeps the warnings of a run (check failures, run-time errors) as the reason of its end.
class WarningsSink : public MessageSink {
public:
    int showMessage(int buttons, int icon, const QString& text) override {
        if (icon == Warning) {
            warnings << LineFedIo::terminalLines(text).split(u'\n', Qt::SkipEmptyParts).join(u' ');
        }
        return buttons == YesNoCancel ? ResultCancel : ResultClose;
    }
    QStringList warnings;
};

// The dialogs of one case: input from its lines, output collected.
class CaseIo : public LineFedIo {
public:
    CaseIo(MessageSink& messages, const TextTable& texts, const TestCase& testCase, bool prompts,
           RunBudget& budget)
        : LineFedIo(messages, texts),
          m_input(testCase.input),
          m_prompts(prompts),
          m_keep(static_cast<qsizetype>(testCase.expected.size()) + kExtraLinesKept),
          m_budget(budget) {}

    QStringList output;

private:
    bool nextLine(QString& line) override {
        if (m_next >= m_input.size()) {
            return false;
        }
        line = m_input[m_next++];
        return true;
    }
    void printed(const QString& text, DialogMode mode) override {
        if ((mode == DialogMode::Show || m_prompts) && output.size() < m_keep) {
            // What is kept counts towards the run's memory: lines of millions of characters
            // end the run at its limit, not the grading at the system's.
            if (m_budget.keepOutput(2 * text.size())) {
                output << text.split(u'\n');
            }
        }
    }
    void refused(const QString&) override {}
    void refusedAnswer() override {}

    const QStringList& m_input;
    bool m_prompts;
    qsizetype m_keep;
    RunBudget& m_budget;
    qsizetype m_next = 0;
};

QStringList expectedTexts(const TestCase& testCase) {
    QStringList texts;
    for (const ExpectedLine& line : testCase.expected) {
        texts << line.text;
    }
    return texts;
}

// The first difference between what was expected and what was printed, or empty.
QString firstDifference(const TestCase& testCase, const QStringList& actual,
                        const TextTable& texts) {
    const qsizetype expected = static_cast<qsizetype>(testCase.expected.size());
    for (qsizetype i = 0; i < expected; ++i) {
        const ExpectedLine& want = testCase.expected[static_cast<std::size_t>(i)];
        if (i >= actual.size()) {
            return texts.text(texts::GradeOutputEnded).arg(i + 1).arg(want.text);
        }
        switch (compareLine(want, actual[i])) {
            case LineMatch::Matches:
                break;
            case LineMatch::Differs:
                return texts.text(texts::GradeLineDiffers).arg(i + 1).arg(want.text, actual[i]);
            case LineMatch::TooCostly:
                return texts.text(texts::GradePatternTooCostly).arg(i + 1).arg(want.text);
        }
    }
    if (actual.size() > expected) {
        return texts.text(texts::GradeExtraOutput).arg(expected + 1).arg(actual[expected]);
    }
    return QString();
}

QString waitingBlock(const Project& project, const RunState& at, const TextTable& texts) {
    const Cell& cell = project.cell(at.runBoard, at.runColumn, at.runRow);
    return texts.text(texts::GradeInputEnded)
        .arg(cell.name)
        .arg(at.runBoard)
        .arg(at.runColumn)
        .arg(at.runRow);
}

CaseResult runGuarded(const Project& project, const TestCase& testCase, const TestSuite& suite,
                      const TextTable& texts, const std::atomic<bool>* cancelled) {
    NoEventLog log;
    WarningsSink sink;
    Workspace workspace(log, sink);
    workspace.setLanguage(texts.language());
    workspace.project() = project;
    workspace.seedRandom(suite.seed);
    RunBudget& budget = workspace.variables().calculator().budget();
    budget.setTimeLimit(suite.timeLimitMillis);
    budget.setStopFlag(cancelled);
    budget.setMemoryLimit(suite.memoryFor(testCase) << 20);
    WarningsSink refusals;  // a refused date is no reason for how the run ended
    CaseIo io(refusals, workspace.texts(), testCase, suite.prompts, budget);
    workspace.setExecutionIo(&io);
    Executor& executor = workspace.executor();
    executor.setStepLimit(suite.stepsFor(testCase));
    QElapsedTimer clock;
    clock.start();
    executor.run();  // no breakpoints here: run() passes any pause at once
    const qint64 elapsed = clock.elapsed();

    CaseResult result;
    result.expected = expectedTexts(testCase);
    result.actual = io.output;
    result.maxPoints = testCase.points;
    result.steps = executor.stepsTaken();
    const QString warnings = sink.warnings.join(u' ');
    const QString late =
        texts.text(texts::GradeTimeLimitReached).arg(elapsed).arg(suite.timeLimitMillis);
    switch (executor.lastEnd()) {
        case RunEnd::Finished:
            result.reason = firstDifference(testCase, result.actual, texts);
            result.outcome =
                result.reason.isEmpty() ? CaseOutcome::Passed : CaseOutcome::WrongOutput;
            break;
        case RunEnd::CheckFailed:
            result.outcome = CaseOutcome::CheckFailed;
            result.reason = texts.text(texts::GradeCheckFailed).arg(warnings);
            break;
        case RunEnd::StepLimit:
            result.outcome = CaseOutcome::StepLimit;
            result.reason = texts.text(texts::GradeStepLimit).arg(result.steps);
            break;
        case RunEnd::InputEnded:
            result.outcome = CaseOutcome::MissingInput;
            result.reason = waitingBlock(workspace.project(), executor.state(), texts);
            break;
        case RunEnd::TimeLimit:
            result.outcome = CaseOutcome::TimeLimit;
            result.reason = late;
            break;
        case RunEnd::Stopped: {
            // Only the caller's cancel stops a case; it is told as the time limit was.
            const bool cancel = cancelled != nullptr && cancelled->load();
            result.outcome = cancel ? CaseOutcome::TimeLimit : CaseOutcome::RunError;
            result.reason = cancel ? late : texts.text(texts::GradeRunError).arg(warnings);
            break;
        }
        case RunEnd::Aborted:
        case RunEnd::None:
            result.outcome = CaseOutcome::RunError;
            result.reason = texts.text(texts::GradeRunError).arg(warnings);
            break;
    }
    result.points = result.outcome == CaseOutcome::Passed ? testCase.points : 0;
    return result;
}

}  // namespace

CaseResult runCase(const Project& project, const TestCase& testCase, const TestSuite& suite,
                   const TextTable& texts, const std::atomic<bool>* cancelled) {
    try {
        return runGuarded(project, testCase, suite, texts, cancelled);
    } catch (const std::bad_alloc&) {
        // The run itself ends so (Executor); this is memory refused around it, while its
        // workspace was made or its result put together.
        CaseResult result;
        result.outcome = CaseOutcome::RunError;
        result.reason = texts.text(texts::GradeRunError).arg(texts.text(texts::RunOutOfMemory));
        result.maxPoints = testCase.points;
        return result;
    }
}

QChar outcomeMark(CaseOutcome outcome) {
    switch (outcome) {
        case CaseOutcome::Passed:
            return u'+';
        case CaseOutcome::WrongOutput:
            return u'-';
        case CaseOutcome::CheckFailed:
            return u'!';
        case CaseOutcome::RunError:
            return u'E';
        case CaseOutcome::StepLimit:
        case CaseOutcome::TimeLimit:
            return u'T';
        case CaseOutcome::MissingInput:
            return u'?';
    }
    return u'!';
}

QString outcomeCode(CaseOutcome outcome) {
    switch (outcome) {
        case CaseOutcome::Passed:
            return QStringLiteral("passed");
        case CaseOutcome::WrongOutput:
            return QStringLiteral("wrong-output");
        case CaseOutcome::CheckFailed:
            return QStringLiteral("check-failed");
        case CaseOutcome::RunError:
            return QStringLiteral("run-error");
        case CaseOutcome::StepLimit:
            return QStringLiteral("step-limit");
        case CaseOutcome::TimeLimit:
            return QStringLiteral("time-limit");
        case CaseOutcome::MissingInput:
            return QStringLiteral("missing-input");
    }
    return QString();
}

}  // namespace trevalon

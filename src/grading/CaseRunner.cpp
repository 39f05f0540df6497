#include "grading/CaseRunner.h"

#include <QElapsedTimer>

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

// Steps between two looks at the clock: enough that the clock costs nothing, few enough that
// an endless loop overruns the time limit by well under a millisecond.
constexpr qint64 kSliceSteps = 4096;
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
    CaseIo(MessageSink& messages, const TextTable& texts, const TestCase& testCase, bool prompts)
        : LineFedIo(messages, texts),
          m_input(testCase.input),
          m_prompts(prompts),
          m_keep(static_cast<qsizetype>(testCase.expected.size()) + kExtraLinesKept) {}

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
            output << text.split(u'\n');
        }
    }
    void refused(const QString&) override {}
    void refusedAnswer() override {}

    const QStringList& m_input;
    bool m_prompts;
    qsizetype m_keep;
    qsizetype m_next = 0;
};

// Runs until the end, the step limit, the deadline or a cancel; answers whether the deadline or
// the cancel ended it.
bool runWithDeadline(Executor& executor, int timeLimitMillis, const std::atomic<bool>* cancelled) {
    QElapsedTimer clock;
    clock.start();
    if (!executor.startRun()) {
        return false;
    }
    while (executor.running()) {
        executor.resume();  // no breakpoints here, but a pause must never hold the run
        executor.runSlice(kSliceSteps);
        const bool late = clock.elapsed() >= timeLimitMillis ||
                          (cancelled != nullptr && cancelled->load(std::memory_order_relaxed));
        if (executor.running() && late) {
            executor.stop();
            return true;
        }
    }
    return false;
}

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

QString waitingBlock(Workspace& workspace, const TextTable& texts) {
    const RunState& at = workspace.executor().state();
    const Cell& cell = workspace.project().cell(at.runBoard, at.runColumn, at.runRow);
    return texts.text(texts::GradeInputEnded)
        .arg(cell.name)
        .arg(at.runBoard)
        .arg(at.runColumn)
        .arg(at.runRow);
}

}  // namespace

CaseResult runCase(const Project& project, const TestCase& testCase, const TestSuite& suite,
                   const TextTable& texts, const std::atomic<bool>* cancelled) {
    NoEventLog log;
    WarningsSink sink;
    Workspace workspace(log, sink);
    workspace.setLanguage(texts.language());
    workspace.project() = project;
    workspace.seedRandom(suite.seed);
    WarningsSink refusals;  // a refused date is no reason for how the run ended
    CaseIo io(refusals, workspace.texts(), testCase, suite.prompts);
    workspace.setExecutionIo(&io);
    Executor& executor = workspace.executor();
    executor.setStepLimit(suite.stepsFor(testCase));
    const bool late = runWithDeadline(executor, suite.timeLimitMillis, cancelled);

    CaseResult result;
    result.expected = expectedTexts(testCase);
    result.actual = io.output;
    result.maxPoints = testCase.points;
    result.steps = executor.stepsTaken();
    const QString warnings = sink.warnings.join(u' ');
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
            result.reason = waitingBlock(workspace, texts);
            break;
        case RunEnd::Stopped:
            result.outcome = late ? CaseOutcome::TimeLimit : CaseOutcome::RunError;
            result.reason = late ? texts.text(texts::GradeTimeLimit).arg(suite.timeLimitMillis)
                                 : texts.text(texts::GradeRunError).arg(warnings);
            break;
        case RunEnd::Aborted:
        case RunEnd::None:
            result.outcome = CaseOutcome::RunError;
            result.reason = texts.text(texts::GradeRunError).arg(warnings);
            break;
    }
    result.points = result.outcome == CaseOutcome::Passed ? testCase.points : 0;
    return result;
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

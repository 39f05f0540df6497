#pragma once

#include <QString>
#include <QStringList>
#include <atomic>

#include "grading/TestSuite.h"

namespace trevalon {

class Project;
class TextTable;

// How one test case ended, in the order a report explains them.
enum class CaseOutcome {
    Passed,        // the run reached its End and printed what was expected
    WrongOutput,   // the run ended, but a printed line differs
    CheckFailed,   // the project fails its check; nothing ran
    RunError,      // a run-time error ended the run
    StepLimit,     // the case's step limit was reached first
    TimeLimit,     // the suite's time limit passed first
    MissingInput,  // a read block or question waited for input the case does not have
};

struct CaseResult {
    CaseOutcome outcome = CaseOutcome::Passed;
    QString reason;  // in words of the text table; empty when passed
    QStringList expected;
    // What the run printed, line by line (see runCase); of a run that printed far more than
    // expected, only the first thousand lines beyond the expected ones are kept.
    QStringList actual;
    int points = 0;
    int maxPoints = 0;
    qint64 steps = 0;
};

// Runs a copy of `project` in a workspace of its own (nothing is shared with other calls, so
// calls may run on several threads at once) without dialogs: read blocks and questions take the
// case's input lines as `trevalon-cli run` takes standard input, refusing the same lines; random
// numbers start from the suite's seed. The actual output is the lines `trevalon-cli run` prints
// on standard output: write and message blocks, and, unless the suite leaves prompts out, the
// read prompts and question texts, so that a transcript can be copied as expected output. The run
// ends at the case's step limit, or, checked between slices of steps, at the suite's time limit.
// Reasons and run-time messages are in the language of `texts`. A caller that no longer wants
// the result (a window closing) sets `*cancelled` from any thread: the run stops at its next
// look at the clock and ends as TimeLimit.
CaseResult runCase(const Project& project, const TestCase& testCase, const TestSuite& suite,
                   const TextTable& texts, const std::atomic<bool>* cancelled = nullptr);

// The short mark of an outcome in the terminal table: + - ! E T T ?.
QChar outcomeMark(CaseOutcome outcome);
// A stable word for an outcome in JSON and CSV: passed, wrong-output, check-failed, run-error,
// step-limit, time-limit, missing-input.
QString outcomeCode(CaseOutcome outcome);

}  // namespace trevalon

#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace trevalon {

// One line a test case expects the run to print. Trailing spaces are never compared.
struct ExpectedLine {
    QString text;
    bool ignoreCase = false;     // letters compared without regard to case
    bool ignoreSpacing = false;  // spaces and tabs left out on both sides before comparing
    // Numbers in the line may differ by this much; the text between them is compared as usual.
    std::optional<double> tolerance;
    bool pattern = false;  // text is a regular expression that must match the whole line
    int line = 0;          // where it stands in the tests file
};

// Input lines for the run and the output it must print.
struct TestCase {
    QString name;
    QStringList input;  // one line per read block or question, in order
    std::vector<ExpectedLine> expected;
    qint64 maxSteps = 0;  // 0: the suite's default
    qint64 memoryMB = 0;  // 0: the suite's default
    int points = 1;
    int line = 0;  // the line of its `case` heading
};

// A tests file as read: its settings and its cases in file order.
struct TestSuite {
    QString title;
    qint64 maxSteps = 1000000;
    int timeLimitMillis = 5000;
    // What a run may keep (values, arrays, printed output), in MB (see RunBudget).
    qint64 memoryMB = 256;
    quint64 seed = 1;  // every case's random-number blocks start from this seed
    // Whether read prompts and question texts are part of a run's output, as they are of
    // `trevalon-cli run`'s transcript; without them only write and message blocks count.
    bool prompts = true;
    std::vector<TestCase> cases;

    qint64 stepsFor(const TestCase& testCase) const {
        return testCase.maxSteps > 0 ? testCase.maxSteps : maxSteps;
    }
    qint64 memoryFor(const TestCase& testCase) const {
        return testCase.memoryMB > 0 ? testCase.memoryMB : memoryMB;
    }
    int maxPoints() const {
        int total = 0;
        for (const TestCase& c : cases) {
            total += c.points;
        }
        return total;
    }
};

}  // namespace trevalon

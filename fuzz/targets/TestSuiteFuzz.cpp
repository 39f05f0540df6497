// Reads any bytes as a tests file: either a suite and no problem, or problems and no suite,
// each problem on a line the file has (0 for the file as a whole) and with words to show.
#include "FuzzInput.h"
#include "grading/TestSuiteReader.h"

using namespace trevalon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytes(data, size);
    const SuiteReading reading = readTestSuite(bytes, QStringLiteral("ang"));
    if (reading.suite.has_value() == !reading.problems.empty()) {
        fuzz::fail("a suite must come exactly when there is no problem");
    }
    // Lines end in LF, CR LF or CR alone.
    const int lines =
        static_cast<int>(bytes.count('\n') + bytes.count('\r') - bytes.count("\r\n")) + 1;
    for (const SuiteProblem& problem : reading.problems) {
        if (problem.line < 0 || problem.line > lines || problem.message.isEmpty()) {
            fuzz::fail("a problem stands on no line of the file or says nothing");
        }
    }
    if (reading.suite) {
        for (const TestCase& testCase : reading.suite->cases) {
            if (testCase.name.isEmpty() || testCase.expected.empty()) {
                fuzz::fail("a case without a name or without output was accepted");
            }
        }
    }
    return 0;
}

#include <gtest/gtest.h>

#include "grading/TestSuiteReader.h"

using namespace trevalon;

namespace {

constexpr const char* kHead = "title: Silnia\n";

// A file read in English; its problems as "LINE: message".
QStringList problemsOf(const QByteArray& bytes) {
    QStringList lines;
    for (const SuiteProblem& p : readTestSuite(bytes, QStringLiteral("ang")).problems) {
        lines << QString::number(p.line) + QStringLiteral(": ") + p.message;
    }
    return lines;
}

}  // namespace

TEST(TestSuiteReader, ReadsEverySettingAndOption) {
    const SuiteReading reading = readTestSuite(
        "\xEF\xBB\xBF# a comment\r\n"
        "title: Silnia\r\n"
        "steps: 500\ntime: 300\nmemory: 64\nseed: 7\nprompts: no\n\n"
        "case\tfive\n  points: 3\n  steps: 40\n  memory: 8\n  input: 5\n  input:\n"
        "  output: Silnia liczby 5 wynosi 120  \n"
        "  output ~i ~s ~n 0.5: pole = 3,14\n"
        "  output ~re: [0-9]+:x\n");
    ASSERT_TRUE(reading.suite) << reading.problems.front().message.toStdString();
    const TestSuite& s = *reading.suite;
    EXPECT_EQ(s.title, QStringLiteral("Silnia"));
    EXPECT_EQ(s.maxSteps, 500);
    EXPECT_EQ(s.timeLimitMillis, 300);
    EXPECT_EQ(s.memoryMB, 64);
    EXPECT_EQ(s.seed, 7u);
    EXPECT_FALSE(s.prompts);
    ASSERT_EQ(s.cases.size(), 1u);
    const TestCase& c = s.cases[0];
    EXPECT_EQ(c.name, QStringLiteral("five"));
    EXPECT_EQ(c.line, 9);
    EXPECT_EQ(c.points, 3);
    EXPECT_EQ(c.maxSteps, 40);
    EXPECT_EQ(s.memoryFor(c), 8);
    EXPECT_EQ(c.input, (QStringList{QStringLiteral("5"), QString()}));
    ASSERT_EQ(c.expected.size(), 3u);
    EXPECT_EQ(c.expected[0].text, QStringLiteral("Silnia liczby 5 wynosi 120  "));
    EXPECT_EQ(c.expected[0].line, 15);
    EXPECT_TRUE(c.expected[1].ignoreCase && c.expected[1].ignoreSpacing);
    EXPECT_EQ(c.expected[1].tolerance, 0.5);
    EXPECT_TRUE(c.expected[2].pattern);
    EXPECT_EQ(c.expected[2].text, QStringLiteral("[0-9]+:x"));
}

struct BadFile {
    const char* bytes;  // after the title line
    const char* problem;
};

class TestSuiteProblems : public ::testing::TestWithParam<BadFile> {};

TEST_P(TestSuiteProblems, AreToldWithTheirLines) {
    const BadFile& c = GetParam();
    const QByteArray bytes = QByteArray(kHead) + QByteArray(c.bytes, qstrlen(c.bytes) + 0);
    EXPECT_EQ(problemsOf(bytes).join(u'|'), QString::fromUtf8(c.problem)) << c.bytes;
    EXPECT_FALSE(readTestSuite(bytes).suite);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TestSuiteProblems,
    ::testing::Values(
        BadFile{"", "0: The tests file has no case."},
        BadFile{"case a\noutput: x\ncase a\noutput: y\n", "4: Case “a” already exists on line 2."},
        BadFile{"case\noutput: x\n", "2: A case without a name."},
        BadFile{"case a\ninput: 1\n", "2: Case “a” has no “output” lines."},
        BadFile{"case a\npoints: many\noutput: x\n",
                "3: “points” needs a whole number from 0 to 1000."},
        BadFile{"steps: 0\ncase a\noutput: x\n",
                "2: “steps” needs a whole number from 1 to 1000000000000."},
        BadFile{"memory: 0\ncase a\nmemory: 65537\noutput: x\n",
                "2: “memory” needs a whole number from 1 to 65536.|"
                "4: “memory” needs a whole number from 1 to 65536."},
        BadFile{"case a\noutput ~re: (x\n",
                "3: Bad regular expression: missing closing parenthesis (character 3)."},
        BadFile{"case a\noutput ~n: 1\n",
                "3: ~n must be followed by a tolerance: a number not below 0."},
        BadFile{"case a\noutput ~x: 1\n",
                "3: Unknown option “~x”: there are ~i, ~s, ~n NUMBER and ~re."},
        BadFile{"case a\noutput ~re ~s: 1\n", "3: ~re does not combine with ~s or ~n."},
        BadFile{"case a\ninput ~i: 1\noutput: 1\n", "3: Only “output” lines take ~ options."},
        BadFile{"input: 1\ncase a\noutput: 1\n",
                "2: “input” belongs to a case: write a “case NAME” line first."},
        BadFile{"case a\ntime: 5\noutput: 1\n", "3: “time” goes before the first case."},
        BadFile{"title: again\ncase a\noutput: 1\n", "2: “title” given again (first on line 1)."},
        BadFile{"prompts: maybe\ncase a\noutput: 1\n", "2: “prompts” takes yes or no."},
        BadFile{"colour: red\ncase a\noutput: 1\n", "2: Unknown key “colour”."},
        BadFile{"just words\ncase a\noutput: 1\n",
                "2: Unknown line: expected “case NAME”, “KEY: value” or a “#” comment."},
        BadFile{"case a\noutput: \xC5\n", "3: The line is not UTF-8 text."},
        BadFile{"case a\noutput: x\x01y\n", "3: The line holds the control character \\x01."},
        BadFile{"case a\routput: x\rjust words\r\n\n",
                "4: Unknown line: expected “case NAME”, “KEY: value” or a “#” comment."}));

TEST(TestSuiteReader, TakesACarriageReturnAloneForALineEnd) {
    const SuiteReading reading =
        readTestSuite("title: Mac\rcase a\r  input: 1\r\r  output: x\r\ncase b\routput: y");
    ASSERT_TRUE(reading.suite) << reading.problems.front().message.toStdString();
    ASSERT_EQ(reading.suite->cases.size(), 2u);
    const TestCase& a = reading.suite->cases[0];
    EXPECT_EQ(a.input, QStringList{QStringLiteral("1")});
    ASSERT_EQ(a.expected.size(), 1u);
    EXPECT_EQ(a.expected[0].text, QStringLiteral("x"));
    EXPECT_EQ(a.expected[0].line, 5);
    EXPECT_EQ(reading.suite->cases[1].line, 6);
}

TEST(TestSuiteReader, StopsCountingProblemsAfterAHundred) {
    const QStringList problems = problemsOf(QByteArray("?\n").repeated(500));
    ASSERT_EQ(problems.size(), 101);
    EXPECT_EQ(problems.last(), QStringLiteral("0: Further problems left out."));
}

TEST(TestSuiteReader, RefusesATooLargeFileUnread) {
    EXPECT_EQ(problemsOf(QByteArray(kMaxTestsFileSize + 1, '#')),
              QStringList{QStringLiteral("0: The tests file is over 4194304 bytes.")});
}

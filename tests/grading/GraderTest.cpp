#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "grading/Grader.h"

using namespace trevalon;

namespace {

// Everything a result says, as one text, so that two gradings compare whole.
QString described(const SubmissionResult& r) {
    QString text = r.name + u' ' + QString::number(r.points) + u'/' + QString::number(r.maxPoints) +
                   u' ' + r.problem;
    for (const CaseResult& c : r.cases) {
        text += u'|' + outcomeCode(c.outcome) + u' ' + c.reason + u' ' + c.actual.join(u'/');
    }
    return text;
}

TestSuite factorialSuite() {
    TestSuite suite;
    for (const char* n : {"0", "1", "5", ""}) {
        TestCase c;
        c.name = QString::fromLatin1(n);
        if (*n != '\0') {
            c.input << c.name;
        }
        c.expected.emplace_back().text = QStringLiteral("Podaj liczbę n:");
        c.expected.emplace_back().text = QStringLiteral("Silnia liczby 5 wynosi 120");
        suite.cases.push_back(c);
    }
    return suite;
}

QStringList submissions(const QTemporaryDir& dir) {
    const QString examples = QStringLiteral(TREVALON_SOURCE_DIR "/examples/");
    QFile damaged(dir.filePath(QStringLiteral("damaged.skb")));
    EXPECT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("<?xml version=\"1.0\"?><TPK><nothing");
    damaged.close();
    return {
        examples + QStringLiteral("factorial.skb"),  dir.filePath(QStringLiteral("damaged.skb")),
        examples + QStringLiteral("gcd.skb"),        examples + QStringLiteral("README.md"),
        dir.filePath(QStringLiteral("missing.skb")), examples + QStringLiteral("question.skb"),
        examples + QStringLiteral("factorial.skb")};
}

QStringList graded(const TestSuite& suite, const QStringList& paths, int jobs) {
    Grader grader(suite, QStringLiteral("ang"));
    grader.setJobs(jobs);
    QStringList results;
    grader.grade(paths, [&](const SubmissionResult& r) { results << described(r); });
    return results;
}

}  // namespace

TEST(Grader, GivesTheSameResultsInTheSameOrderOnOneThreadOrFour) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TestSuite suite = factorialSuite();
    const QStringList paths = submissions(dir);
    const QStringList one = graded(suite, paths, 1);
    ASSERT_EQ(one.size(), paths.size());
    EXPECT_TRUE(one[0].startsWith(QStringLiteral("factorial.skb 1/4 |"))) << one[0].toStdString();
    EXPECT_TRUE(one[1].startsWith(QStringLiteral("damaged.skb 0/4 The submission cannot be")))
        << one[1].toStdString();
    EXPECT_EQ(one[3], QStringLiteral("README.md 0/4 This is not a project file (.skb or .sdp)."));
    EXPECT_EQ(one[6], one[0]);
    EXPECT_EQ(graded(suite, paths, 4), one);
}

namespace {

// A grader whose grading of one submission throws, as a fault deep in a run would.
class FaultyGrader : public Grader {
public:
    using Grader::Grader;
    SubmissionResult gradeOne(const QString& path) const override {
        if (path.endsWith(QStringLiteral("gcd.skb"))) {
            throw std::runtime_error("fault");
        }
        return Grader::gradeOne(path);
    }
};

}  // namespace

// On a worker thread an exception would end the program; it ends that submission only.
TEST(Grader, AnExceptionWhileGradingEndsThatSubmissionOnly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TestSuite suite = factorialSuite();
    const QStringList paths = submissions(dir);
    for (const int jobs : {1, 4}) {
        FaultyGrader grader(suite, QStringLiteral("ang"));
        grader.setJobs(jobs);
        QStringList results;
        grader.grade(paths, [&](const SubmissionResult& r) { results << described(r); });
        ASSERT_EQ(results.size(), paths.size()) << jobs;
        EXPECT_EQ(results[2],
                  QStringLiteral("gcd.skb 0/4 An unexpected error stopped the grading of this "
                                 "submission."))
            << jobs;
        EXPECT_EQ(results[6], graded(suite, paths, 1)[6]) << jobs;
    }
}

// A result sink that throws stops the grading: the threads are joined, not left running, and
// the exception reaches the caller, who may grade again.
TEST(Grader, ASinkThatThrowsStopsTheGradingAndReachesTheCaller) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TestSuite suite = factorialSuite();
    QStringList paths;
    for (int i = 0; i < 40; ++i) {
        paths << submissions(dir);
    }
    Grader grader(suite, QStringLiteral("ang"));
    grader.setJobs(4);
    int handed = 0;
    EXPECT_THROW(grader.grade(paths,
                              [&](const SubmissionResult&) {
                                  if (++handed == 2) {
                                      throw std::runtime_error("cannot write");
                                  }
                              }),
                 std::runtime_error);
    EXPECT_EQ(handed, 2);
    EXPECT_EQ(graded(suite, paths.mid(0, 7), 4), graded(suite, paths.mid(0, 7), 1));
}

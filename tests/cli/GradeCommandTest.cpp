// End-to-end: `grade` over a class folder as a teacher runs it.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "FlowBuilder.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "storage/ProjectFile.h"

using namespace trevalon;

namespace {

const QString kMarkup = QStringLiteral("<img src=x onerror=alert(1)>.skb");

struct Outcome {
    int code;
    QString out;
    QString err;
};

Outcome grade(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TREVALON_CLI), QStringList{QStringLiteral("grade")} + args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// A class: a correct, a wrong, an endless, a damaged project, one with a markup-laden name,
// and a note that is no project (outside the folder: a folder stands for its projects only).
QString makeClass(const QTemporaryDir& dir) {
    const QString examples = QStringLiteral(TREVALON_SOURCE_DIR "/examples/");
    const QString folder = dir.filePath(QStringLiteral("class"));
    EXPECT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(QFile::copy(examples + QStringLiteral("factorial.skb"), folder + "/anna.skb"));
    EXPECT_TRUE(QFile::copy(examples + QStringLiteral("gcd.skb"), folder + "/bartek.skb"));
    EXPECT_TRUE(QFile::copy(examples + QStringLiteral("factorial.skb"), folder + u'/' + kMarkup));
    Project endless;
    test::FlowBuilder(endless).endlessLoop();
    test::RecordingSink sink;
    test::RecordingLog log;
    EXPECT_TRUE(ProjectFile::save(endless, folder + "/cezary.SKB", sink, log, TextTable()));
    QFile damaged(folder + "/dorota.skb");
    EXPECT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("<?xml version=\"1.0\"?><TPK><Plansza");
    damaged.close();
    QFile note(dir.filePath(QStringLiteral("notes.txt")));
    EXPECT_TRUE(note.open(QIODevice::WriteOnly));
    note.write("not a flowchart");
    return folder;
}

}  // namespace

TEST(GradeCommand, PrintsOneLinePerSubmissionAndWritesAnEscapedReport) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = makeClass(dir);
    const QString report = dir.filePath(QStringLiteral("report.html"));
    const Outcome o =
        grade({QStringLiteral("--lang"), QStringLiteral("ang"), QStringLiteral("--html"), report,
               QStringLiteral(TREVALON_SOURCE_DIR "/examples/tests/factorial.tests"), folder,
               dir.filePath(QStringLiteral("notes.txt"))});
    EXPECT_EQ(o.err, QString());
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.out.split(u'\n'),
              QStringList({
                  QStringLiteral("Silnia: 5 cases, 9 points"),
                  QStringLiteral("<img src=x onerror=alert(1)>.skb  9/9  +++++"),
                  QStringLiteral("anna.skb                          9/9  +++++"),
                  QStringLiteral("bartek.skb                        0/9  ?????"),
                  QStringLiteral("cezary.SKB                        0/9  TTTTT"),
                  QStringLiteral("dorota.skb                        -/9  !  The submission cannot "
                                 "be loaded: Project file is corrupted. Sorry, you can not load "
                                 "this contents."),
                  QStringLiteral("notes.txt                         -/9  !  This is not a project "
                                 "file (.skb or .sdp)."),
                  QString(),
              }));
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    for (const char* name : {"&lt;img src=x onerror=alert(1)&gt;.skb", "anna.skb", "bartek.skb",
                             "cezary.SKB", "dorota.skb", "notes.txt"}) {
        EXPECT_TRUE(html.contains(QStringLiteral("<h2>") + QLatin1StringView(name) + u' ')) << name;
    }
    EXPECT_FALSE(html.contains(kMarkup.chopped(4)));
    EXPECT_FALSE(html.contains(QStringLiteral("http")));
}

// Submissions that fill their memory end as run-time errors, and the others are graded all the
// same, on two threads.
TEST(GradeCommand, ListsEverySubmissionWhenOneGoesOverItsMemory) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto save = [&dir](const QString& name,
                             const std::function<void(test::FlowBuilder&)>& build) {
        Project project;
        test::FlowBuilder builder(project);
        build(builder);
        test::RecordingSink sink;
        test::RecordingLog log;
        EXPECT_TRUE(ProjectFile::save(project, dir.filePath(name), sink, log, TextTable()));
        return dir.filePath(name);
    };
    QFile tests(dir.filePath(QStringLiteral("floods.tests")));
    ASSERT_TRUE(tests.open(QIODevice::WriteOnly));
    tests.write(
        "title: Floods\nmemory: 1\nsteps: 1000000000\ntime: 60000\n"
        "case one\n  output: x\ncase two\n  memory: 2\n  output: x\n");
    tests.close();
    const Outcome o = grade(
        {QStringLiteral("--lang"), QStringLiteral("ang"), QStringLiteral("--jobs"),
         QStringLiteral("2"), tests.fileName(),
         save(QStringLiteral("arrays.skb"), [](test::FlowBuilder& f) { f.arrayFlood(); }),
         QStringLiteral(TREVALON_SOURCE_DIR "/examples/factorial.skb"),
         save(QStringLiteral("lines.skb"), [](test::FlowBuilder& f) { f.outputFlood(100000); })});
    EXPECT_EQ(o.err, QString());
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out.split(u'\n'),
              QStringList({QStringLiteral("Floods: 2 cases, 2 points"),
                           QStringLiteral("arrays.skb     0/2  EE"),
                           QStringLiteral("factorial.skb  0/2  ??"),
                           QStringLiteral("lines.skb      0/2  EE"), QString()}));
}

// End-to-end: `grade` over a class folder as a teacher runs it.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "FlowBuilder.h"
#include "Recorders.h"
#include "config/NativeName.h"
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
    test::RecordingLog log;
    EXPECT_TRUE(ProjectFile::save(endless, folder + "/cezary.SKB", log, TextTable()).ok());
    QFile damaged(folder + "/dorota.skb");
    EXPECT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("<?xml version=\"1.0\"?><TPK><Plansza");
    damaged.close();
    QFile note(dir.filePath(QStringLiteral("notes.txt")));
    EXPECT_TRUE(note.open(QIODevice::WriteOnly));
    note.write("not a flowchart");
    return folder;
}

// A file named by raw bytes, holding the bytes of an example.
void copyExample(const char* example, const QByteArray& path) {
    QFile source(QStringLiteral(TREVALON_SOURCE_DIR "/examples/") + QLatin1String(example));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    FILE* file = std::fopen(path.constData(), "wb");
    ASSERT_NE(file, nullptr) << path.constData();
    EXPECT_EQ(std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file), size_t(bytes.size()));
    std::fclose(file);
}

// A class as hostile as a class folder gets: a name in Windows-1250, one with an escape
// sequence and a line feed, names a spreadsheet would run, a named pipe that nobody writes,
// a link to nothing and a link to itself, each a project by its name.
struct HostileClass {
    QTemporaryDir dir;
    QString folder;
    QString tests;

    HostileClass() {
        folder = dir.filePath(QStringLiteral("class"));
        EXPECT_TRUE(QDir().mkpath(folder));
        const QByteArray at = nativeName(folder) + '/';
        copyExample("factorial.skb", at + "\xA3ukasz.skb");
        copyExample("factorial.skb", at + "esc\x1B[31mred\n.skb");
        copyExample("factorial.skb", at + "anna.skb");
        for (const char* name : {"=cmd|' C calc'!A0.skb", "+1+1.skb", "@SUM(A1).skb"}) {
            copyExample("gcd.skb", at + name);
        }
        EXPECT_EQ(::mkfifo(at + "pipe.skb", 0600), 0);
        EXPECT_EQ(::symlink("nowhere.skb", at + "dangling.skb"), 0);
        EXPECT_EQ(::symlink("loop.skb", at + "loop.skb"), 0);
        tests = dir.filePath(QStringLiteral("hostile.tests"));
        QFile file(tests);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "title: Silnia\ncase -five\ninput: 5\noutput: Podaj liczbę n:\n"
            "output: Silnia liczby 5 wynosi 120\ncase @zero\ninput: 0\n"
            "output: Podaj liczbę n:\noutput: Silnia liczby 0 wynosi 1\n");
    }
    Outcome grade(const QStringList& options) const {
        return ::grade(QStringList{QStringLiteral("--lang"), QStringLiteral("ang")} + options +
                       QStringList{tests, folder});
    }
};

const QString kPipeReason = QStringLiteral(
    "The submission cannot be loaded: It is not a regular file but, say, a pipe or a device, so "
    "it was not opened.");
const QString kDanglingReason = QStringLiteral(
    "The submission cannot be loaded: It is a symbolic link to a file that does not exist.");
const QString kLoopReason =
    QStringLiteral("The submission cannot be loaded: The symbolic links form a loop.");

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
        test::RecordingLog log;
        EXPECT_TRUE(ProjectFile::save(project, dir.filePath(name), log, TextTable()).ok());
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

// Every entry is listed, in the order of its name's bytes, each on a line of its own: no byte
// of a name reaches the terminal unescaped, and the pipe holds nothing up.
TEST(GradeHostileClass, TheTableListsEverySubmissionOnOneLineEach) {
    const HostileClass c;
    const Outcome o = c.grade({});
    EXPECT_EQ(o.err, QString());
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.out.split(u'\n'),
              QStringList({
                  QStringLiteral("Silnia: 2 cases, 2 points"),
                  QStringLiteral("+1+1.skb                0/2  ??"),
                  QStringLiteral("=cmd|' C calc'!A0.skb   0/2  ??"),
                  QStringLiteral("@SUM(A1).skb            0/2  ??"),
                  QStringLiteral("anna.skb                2/2  ++"),
                  QStringLiteral("dangling.skb            -/2  !  ") + kDanglingReason,
                  QStringLiteral("esc\\x1B[31mred\\x0A.skb  2/2  ++"),
                  QStringLiteral("loop.skb                -/2  !  ") + kLoopReason,
                  QStringLiteral("pipe.skb                -/2  !  ") + kPipeReason,
                  QStringLiteral("\\xA3ukasz.skb           2/2  ++"),
                  QString(),
              }));
}

// Names of submissions and cases that a spreadsheet would run as formulas are written as texts;
// the points stay numbers.
TEST(GradeHostileClass, TheCsvLetsNoNameRunAsAFormula) {
    const HostileClass c;
    const Outcome o = c.grade({QStringLiteral("--csv")});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.out.split(QStringLiteral("\r\n")),
              QStringList({
                  QStringLiteral("Submission,Points,Max,'-five,'@zero,Problem"),
                  QStringLiteral("'+1+1.skb,0,2,0,0,"),
                  QStringLiteral("'=cmd|' C calc'!A0.skb,0,2,0,0,"),
                  QStringLiteral("'@SUM(A1).skb,0,2,0,0,"),
                  QStringLiteral("anna.skb,2,2,1,1,"),
                  QStringLiteral("dangling.skb,,2,,,") + kDanglingReason,
                  QStringLiteral("esc\\x1B[31mred\\x0A.skb,2,2,1,1,"),
                  QStringLiteral("loop.skb,,2,,,") + kLoopReason,
                  QStringLiteral("pipe.skb,,2,,,\"") + kPipeReason + u'"',
                  QStringLiteral("\\xA3ukasz.skb,2,2,1,1,"),
                  QString(),
              }));
}

// The report names every submission readably, holds no control character a name brought, and
// gives each one that could not be graded its reason.
TEST(GradeHostileClass, TheReportNamesEverySubmissionReadably) {
    const HostileClass c;
    const QString report = c.dir.filePath(QStringLiteral("report.html"));
    const Outcome o = c.grade({QStringLiteral("--html"), report});
    EXPECT_EQ(o.code, 1);
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    for (const QString& name :
         {QStringLiteral("\\xA3ukasz.skb — 2/2"), QStringLiteral("esc\\x1B[31mred\\x0A.skb — 2/2"),
          QStringLiteral("=cmd|' C calc'!A0.skb — 0/2"), QStringLiteral("pipe.skb — -/2"),
          QStringLiteral("dangling.skb — -/2"), QStringLiteral("loop.skb — -/2")}) {
        EXPECT_TRUE(html.contains(QStringLiteral("<h2>") + name + QStringLiteral("</h2>")))
            << name.toStdString();
    }
    for (const QString& reason : {kPipeReason, kDanglingReason, kLoopReason}) {
        EXPECT_TRUE(html.contains(QStringLiteral("<p class=\"reason\">") + reason))
            << reason.toStdString();
    }
    EXPECT_FALSE(html.contains(QChar(0x1B)));
    EXPECT_FALSE(html.contains(QChar(0xFFFD)));
}

// A run that prints a hundred lines and one of 100 000 characters: the report shows the head
// and the tail of its diff, the start of the long line, and says what it left out; asked for
// the full output, it shows everything.
TEST(GradeCommand, TheReportCutsLongOutputsUnlessAskedForThemWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Project project;
    test::FlowBuilder flow(project);
    flow.put(1, 2, 1, KindStart);
    flow.message(1, 2, 2, QStringLiteral("line&").repeated(100) + QString(100000, u'x'));
    flow.put(1, 2, 3, KindEnd);
    test::RecordingLog log;
    const QString submission = dir.filePath(QStringLiteral("flood.skb"));
    ASSERT_TRUE(ProjectFile::save(project, submission, log, TextTable()).ok());
    const QString tests = dir.filePath(QStringLiteral("one.tests"));
    QFile file(tests);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("case short\noutput: line\n");
    file.close();
    const auto report = [&](const QStringList& options) {
        const QString path = dir.filePath(QStringLiteral("report.html"));
        const Outcome o = grade(QStringList{QStringLiteral("--lang"), QStringLiteral("ang"),
                                            QStringLiteral("--html"), path} +
                                options + QStringList{tests, submission});
        EXPECT_EQ(o.code, 0) << o.err.toStdString();
        QFile html(path);
        EXPECT_TRUE(html.open(QIODevice::ReadOnly));
        return QString::fromUtf8(html.readAll());
    };
    const QString cut = report({});
    EXPECT_LT(cut.size(), 20000);
    // The first line matches; the other 99 and the long one are extra: 40 + 51 + 10 rows.
    EXPECT_TRUE(cut.contains(QStringLiteral("<span class=\"cut\">… 51 more lines</span>")));
    EXPECT_EQ(cut.count(QStringLiteral("line</span>")), 49);
    EXPECT_TRUE(cut.contains(QString(500, u'x') + QStringLiteral("<span class=\"cut\">… 99500 "
                                                                 "more characters</span>")));
    const QString whole = report({QStringLiteral("--full-output")});
    EXPECT_TRUE(whole.contains(QString(100000, u'x')));
    EXPECT_FALSE(whole.contains(QStringLiteral("more lines")));
    EXPECT_EQ(whole.count(QStringLiteral("line</span>")), 100);
}

// Without the search bit on its folder a file cannot be reached: that is no missing file.
TEST(GradeCommand, AFileInAFolderWithoutTheSearchBitIsNotReadable) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reaches every file";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("class"));
    ASSERT_TRUE(QDir().mkpath(folder));
    copyExample("factorial.skb", nativeName(folder) + "/anna.skb");
    ASSERT_EQ(::chmod(nativeName(folder).constData(), 0600), 0);
    const Outcome o =
        grade({QStringLiteral("--lang"), QStringLiteral("ang"),
               QStringLiteral(TREVALON_SOURCE_DIR "/examples/tests/factorial.tests"), folder});
    ::chmod(nativeName(folder).constData(), 0700);
    EXPECT_EQ(o.out.split(u'\n').value(1),
              QStringLiteral("anna.skb  -/9  !  The submission cannot be loaded: Permission "
                             "denied."));
}

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QProcess>
#include <QTemporaryDir>

#include "FlowBuilder.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "storage/ProjectFile.h"

using namespace trevalon;
using test::FlowBuilder;

namespace {

struct Transcript {
    int code = -1;
    QString out;
    QString err;
};

Transcript runCli(const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess process;
    process.start(QStringLiteral(TREVALON_CLI), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString q(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

// Projects made for one test and written with the program's own writer.
class CheckAndRunCommands : public ::testing::Test {
protected:
    QString save(const QString& name, const std::function<void(FlowBuilder&)>& build) {
        Project project;
        FlowBuilder f(project);
        build(f);
        const QString path = dir.filePath(name);
        test::RecordingLog log(0);
        EXPECT_TRUE(ProjectFile::save(project, path, log, TextTable()).ok());
        return path;
    }
    // A loop that never ends: the comparison always holds.
    QString endlessLoop() {
        return save(q("forever.skb"), [](FlowBuilder& f) { f.endlessLoop(); });
    }
    QString withoutEnd() {
        return save(q("bez końca.skb"), [](FlowBuilder& f) {
            f.put(1, 2, 1, KindStart);
            f.message(1, 2, 2, q("Hej"));
        });
    }
    QTemporaryDir dir;
    TextTable texts;
};

TEST_F(CheckAndRunCommands, CheckReportsABoardWithoutEnd) {
    const Transcript t = runCli({q("check"), withoutEnd()});
    EXPECT_EQ(t.out, q("Kontrola: Plansza nr 1\nKlocki START END: NO\n"
                       "Własności klocków: Nie określono\nZgodność zmiennych: Nie określono\n"
                       "Kontrola wyrażeń: Nie określono\nSpójność planszy: Nie określono\n"
                       "Ta plansza jest do poprawienia\n"
                       "Przyczyny:\n  Plansza 1: Na planszy nie ma bloku Koniec.\n"));
    EXPECT_EQ(t.err, q("Kontrola planszy.\nPlansza zawiera błędy, sprawdź proszę.\n"));
    EXPECT_EQ(t.code, 1);
}

TEST_F(CheckAndRunCommands, CheckListsTheFaultyCellsInEnglishToo) {
    const QString path = save(q("broken.skb"), [](FlowBuilder& f) {
        f.put(1, 2, 1, KindStart);
        f.named(1, 2, 2, KindMessage, q("Hello"));  // no text
        f.put(1, 2, 3, KindEnd);
    });
    Project project;
    project.placeBlock(1, 2, 2, 2, 4);
    project.cell(1, 2, 2).name = q("Hello");
    texts.setLanguage(q("ang"));
    const Transcript t = runCli({q("check"), q("--lang"), q("en"), path});
    EXPECT_EQ(t.out, texts.text(texts::ReportCheckOf) + q("Plansza nr 1\n") +
                         texts.text(texts::ReportStageStartEnd) + q(": OK\n") +
                         texts.text(texts::ReportStageProperties) + q(": NO\n") +
                         texts.text(texts::ReportStageVariables) + q(": ") +
                         texts.text(texts::ReportNotDetermined) + q("\n") +
                         texts.text(texts::ReportStageExpressions) + q(": ") +
                         texts.text(texts::ReportNotDetermined) + q("\n") +
                         texts.text(texts::ReportStageConsistency) + q(": ") +
                         texts.text(texts::ReportNotDetermined) + q("\n") +
                         texts.text(texts::ReportBoardNeedsFixing) + q("\n  2,2  ") +
                         project.describeCell(1, 2, 2, texts) +
                         q("\nReasons:\n  Board 1, column 2, row 2: Block Hello: the field "
                           "“Statement” is not set.\n"));
    EXPECT_EQ(t.code, 1);

    const Transcript json = runCli({q("check"), q("--json"), path});
    EXPECT_EQ(json.out.left(json.out.indexOf(q("\"description\""))),
              q("{\"board\":1,\"marked\":[{\"column\":2,"));
    EXPECT_TRUE(
        json.out.contains(q("\"passed\":false,\"reasons\":[{\"board\":1,\"column\":2,"
                            "\"reason\":\"field-not-set\",\"row\":2,\"stage\":1,")));
    EXPECT_TRUE(json.out.contains(q("\"stages\":[1,0,-1,-1,-1]}")));
    EXPECT_EQ(json.code, 1);
}

TEST_F(CheckAndRunCommands, CheckPrintsTheProjectReportWhenEveryBoardPasses) {
    const Transcript t = runCli({q("check"), q(TREVALON_SOURCE_DIR "/examples/procedure.skb")});
    EXPECT_EQ(t.out, q("Kontrola: procedure\nStan projektu: OK\nProjekt gotowy do uruchomienia\n"));
    EXPECT_EQ(t.err, QString());
    EXPECT_EQ(t.code, 0);
    const Transcript json =
        runCli({q("check"), q("--json"), q(TREVALON_SOURCE_DIR "/examples/procedure.skb")});
    EXPECT_EQ(json.out, q("{\"board\":2,\"marked\":[],\"passed\":true,\"reasons\":[],"
                          "\"stages\":[1,1,1,1,1]}\n"));
}

TEST_F(CheckAndRunCommands, RunStopsAtTheCheckFirst) {
    const Transcript t = runCli({q("run"), withoutEnd()});
    EXPECT_TRUE(t.out.startsWith(q("Kontrola: Plansza nr 1\nKlocki START END: NO\n")));
    EXPECT_EQ(t.err, q("Kontrola planszy.\nPlansza zawiera błędy, sprawdź proszę.\n"));
    EXPECT_EQ(t.code, 1);
}

TEST_F(CheckAndRunCommands, MaxStepsEndsALoopThatNeverEnds) {
    const Transcript t = runCli({q("run"), q("--max-steps"), q("500"), endlessLoop()});
    EXPECT_EQ(t.out, QString());
    EXPECT_EQ(t.err, q("trevalon-cli run: stopped after 500 steps (--max-steps)\n"));
    EXPECT_EQ(t.code, 3);
}

TEST_F(CheckAndRunCommands, TraceWritesOneLinePerStep) {
    const QString path = save(q("short.skb"), [](FlowBuilder& f) {
        f.put(1, 2, 1, KindStart);
        f.message(1, 2, 2, q("Hej&ho"));
        f.put(1, 2, 3, KindEnd);
    });
    const Transcript t = runCli({q("run"), q("--trace"), q("--lang"), q("ang"), path});
    EXPECT_EQ(t.out, q("Hej\nho\n"));
    EXPECT_EQ(t.err, texts.text(texts::NoVisibleVariables, q("ang")).replace(u'\r', u'\n') +
                         q("\nstep 1: board 1 (2,1) kind 11\nstep 2: board 1 (2,2) kind 24\n"
                           "step 3: board 1 (2,3) kind 12\n"));
    EXPECT_EQ(t.code, 0);
}

TEST_F(CheckAndRunCommands, ARunTimeErrorAbortsWithItsMessages) {
    const QString path = save(q("zero.skb"), [](FlowBuilder& f) {
        f.put(1, 2, 1, KindStart);
        f.assign(1, 2, 2, q("x"), q("10 mod x"));
        f.put(1, 2, 3, KindEnd);
        f.variable(1, 6, 1, q("x"), TypeInteger, q("0"));
    });
    const Transcript t = runCli({q("run"), path});
    EXPECT_EQ(t.out, QString());
    EXPECT_TRUE(t.err.startsWith(q("Błąd wykonania formuły. \n")));
    EXPECT_TRUE(t.err.endsWith(q("\nBłąd przetwarzania planszy.\nPrzejrzyj raport błędów.\n")));
    EXPECT_EQ(t.code, 2);
}

TEST_F(CheckAndRunCommands, UsageAndFileErrorsHaveTheirCodes) {
    EXPECT_EQ(runCli({q("run")}).code, 64);
    EXPECT_EQ(runCli({q("run"), q("--max-steps"), q("0"), endlessLoop()}).code, 64);
    EXPECT_EQ(runCli({q("run"), q("--max-steps"), q("ten"), endlessLoop()}).code, 64);
    EXPECT_EQ(runCli({q("run"), q("--seed"), q("-1"), endlessLoop()}).code, 64);
    EXPECT_EQ(runCli({q("run"), q("--lang"), q("de"), endlessLoop()}).code, 64);
    EXPECT_EQ(runCli({q("check"), q("--fast"), endlessLoop()}).code, 64);
    EXPECT_EQ(runCli({q("check"), dir.filePath(q("missing.skb"))}).code, 66);
    EXPECT_EQ(runCli({q("run"), dir.filePath(q("missing.skb"))}).code, 66);
    // A named pipe is refused without being opened: nothing waits for a writer.
    const QString pipe = dir.filePath(q("pipe.skb"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const auto piped = runCli({q("check"), pipe});
    EXPECT_EQ(piped.code, 66);
    EXPECT_TRUE(piped.err.contains(q("To nie jest zwykły plik"))) << piped.err.toStdString();
}

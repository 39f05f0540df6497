// End-to-end: `describe` and `convert` run as a pupil's teacher runs them.

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "../storage/SdpBuilder.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"
#include "storage/ProjectFile.h"

using namespace trevalon;

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
};

Outcome runCli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TREVALON_CLI), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString sample(const char* name) {
    return QStringLiteral(TREVALON_TEST_DATA "/storage/") + QLatin1StringView(name);
}

QString text(int number) {
    return TextTable().text(number);
}

QString asLines(QString message) {
    return message.replace(u'\r', u'\n') + u'\n';
}

}  // namespace

TEST(DescribeCommand, ListsBoardsAndTheStatusLineTextOfEveryBlock) {
    const Outcome result = runCli({QStringLiteral("describe"), sample("sample-plain.skb")});
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.err.isEmpty());
    const QStringList lines = result.out.split(u'\n');
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], QStringLiteral("1 Główna — Program, 6×5"));
    EXPECT_EQ(lines[1], QStringLiteral("  1,1  Klocek startowy o nazwie \"Start\""));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("  1,2  ")));
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("  2,2  ")));
    EXPECT_EQ(lines[6], QStringLiteral("  6,5  Zmienna globalna \"żółw\" typu: \"tekst\" o "
                                       "wartości początkowej \"\"Ala & kot\"\" "));
    EXPECT_EQ(lines[7], QStringLiteral("2 Procedura ćwiczeń — Procedura, 15×15"));
    EXPECT_TRUE(lines[8].startsWith(QStringLiteral("  15,15  ")));
    EXPECT_TRUE(lines[8].contains(QStringLiteral("\"Wywołaj3\"")));
    EXPECT_EQ(lines[9], QString());
}

TEST(DescribeCommand, PlainEncodedAndUtf16FilesPrintTheSameLines) {
    const Outcome plain = runCli({QStringLiteral("describe"), sample("sample-plain.skb")});
    for (const char* name :
         {"sample-encoded.skb", "sample-plain-utf16.skb", "sample-encoded-utf16.skb"}) {
        const Outcome other = runCli({QStringLiteral("describe"), sample(name)});
        EXPECT_EQ(other.code, 0) << name;
        EXPECT_EQ(other.out, plain.out) << name;
    }
}

TEST(DescribeCommand, EnglishTextsAndJson) {
    const Outcome english = runCli({QStringLiteral("describe"), QStringLiteral("--lang"),
                                    QStringLiteral("ang"), sample("sample-plain.skb")});
    EXPECT_EQ(english.code, 0);
    EXPECT_TRUE(english.out.contains(QStringLiteral("2 Procedura ćwiczeń — Procedure, 15×15")));
    EXPECT_TRUE(english.out.contains(QStringLiteral("Component starting with the name")));

    const Outcome json = runCli(
        {QStringLiteral("describe"), QStringLiteral("--json"), sample("sample-encoded.skb")});
    EXPECT_EQ(json.code, 0);
    const QJsonArray boards = QJsonDocument::fromJson(json.out.toUtf8())
                                  .object()
                                  .value(QStringLiteral("boards"))
                                  .toArray();
    ASSERT_EQ(boards.size(), 2);
    const QJsonObject first = boards[0].toObject();
    EXPECT_EQ(first.value(QStringLiteral("number")).toInt(), 1);
    EXPECT_EQ(first.value(QStringLiteral("name")).toString(), QStringLiteral("Główna"));
    EXPECT_EQ(first.value(QStringLiteral("kind")).toString(), QStringLiteral("Program"));
    EXPECT_EQ(first.value(QStringLiteral("columns")).toInt(), 6);
    EXPECT_EQ(first.value(QStringLiteral("rows")).toInt(), 5);
    const QJsonArray cells = first.value(QStringLiteral("cells")).toArray();
    ASSERT_EQ(cells.size(), 6);
    const QJsonObject variable = cells[5].toObject();
    EXPECT_EQ(variable.value(QStringLiteral("column")).toInt(), 6);
    EXPECT_EQ(variable.value(QStringLiteral("row")).toInt(), 5);
    EXPECT_EQ(variable.value(QStringLiteral("kind")).toInt(), KindVariable);
    EXPECT_EQ(variable.value(QStringLiteral("name")).toString(), QStringLiteral("żółw"));
    EXPECT_TRUE(variable.value(QStringLiteral("description"))
                    .toString()
                    .startsWith(QStringLiteral("Zmienna globalna")));
}

TEST(DescribeCommand, BlocksOutsideTheBoardsSizeAreNotListed) {
    QTemporaryDir dir;
    auto project = std::make_unique<Project>();
    project->board(1).columns = 2;
    project->board(1).rows = 2;
    project->placeBlock(1, 2, 2, 1, 1);
    project->placeBlock(1, 3, 1, 1, 2);
    const QString path = dir.filePath(QStringLiteral("small.skb"));
    test::RecordingLog log(0);
    ASSERT_TRUE(ProjectFile::save(*project, path, log, TextTable()).ok());
    const Outcome result = runCli({QStringLiteral("describe"), path});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out.count(u'\n'), 2);
    EXPECT_TRUE(result.out.contains(QStringLiteral("  2,2  ")));
}

TEST(ConvertCommand, LegacyProjectConvertsAndDescribesItsBoards) {
    QTemporaryDir dir;
    test::SdpBuilder::BoardSpec main;
    main.name = QStringLiteral("Stara główna");
    test::SdpBuilder::CellSpec start;
    start.column = 3;
    start.row = 2;
    start.kindCode = KindStart;
    start.name = QStringLiteral("Początek");
    main.cells = {start};
    test::SdpBuilder::BoardSpec second;
    second.kind = BoardProcedure;
    second.name = QStringLiteral("Pętla");
    const QString old = dir.filePath(QStringLiteral("OLD.SDP"));
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(test::SdpBuilder::record(main, LegacyProjectReader::SmallRecordSize) +
               test::SdpBuilder::record(second, LegacyProjectReader::SmallRecordSize));
    file.close();
    const QString converted = dir.filePath(QStringLiteral("new.skb"));

    const Outcome convert = runCli({QStringLiteral("convert"), old, converted});
    EXPECT_EQ(convert.code, 0);
    EXPECT_TRUE(convert.err.isEmpty());
    const Outcome fromOld = runCli({QStringLiteral("describe"), old});
    const Outcome fromNew = runCli({QStringLiteral("describe"), converted});
    EXPECT_EQ(fromNew.code, 0);
    EXPECT_EQ(fromNew.out, fromOld.out);
    EXPECT_TRUE(
        fromNew.out.startsWith(QStringLiteral("1 Stara główna — Program, 8×8\n"
                                              "  3,2  Klocek startowy o nazwie "
                                              "\"Początek\"\n2 Pętla — Procedura")));
    // Plain values in Windows-1250.
    QFile written(converted);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(
        bytes.startsWith("<?xml encoding=\"WINDOWS-1250\"?>\r\n<Trevalon>\r\n\t<ilp>2</ilp>"));
    EXPECT_FALSE(bytes.contains("<Code>"));
}

TEST(ProjectArgument, FailuresAnswerTheirExitCodesAndMessages) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("folder.skb"));
    const QString writable = dir.filePath(QStringLiteral("out.skb"));
    const struct {
        const char* what;
        QStringList args;
        int code;
        QString err;  // exact standard error, or empty to check only that it is not empty
    } cases[] = {
        {"missing file",
         {QStringLiteral("describe"), dir.filePath(QStringLiteral("none.skb"))},
         66,
         asLines(text(texts::ProjectFileMissing))},
        {"a folder",
         {QStringLiteral("describe"), dir.filePath(QStringLiteral("folder.skb"))},
         66,
         {}},
        {"damaged file",
         {QStringLiteral("describe"), sample("damaged-missing-ilp.skb")},
         65,
         asLines(text(texts::ProjectFileDamaged))},
        {"unsupported extension",
         {QStringLiteral("describe"), sample("make-damaged.py")},
         65,
         asLines(text(texts::UnsupportedFileType))},
        {"missing legacy file",
         {QStringLiteral("convert"), sample("damaged-truncated.skb").replace(".skb", ".sdp"),
          writable},
         66,
         asLines(text(texts::ProjectFileMissing))},
        {"output cannot be written",
         {QStringLiteral("convert"), sample("sample-plain.skb"),
          dir.filePath(QStringLiteral("folder.skb"))},
         73,
         asLines(text(texts::SaveWriteFailed)) + QStringLiteral("trevalon-cli: cannot write ") +
             dir.filePath(QStringLiteral("folder.skb")) + QStringLiteral(": ") +
             QStringLiteral("Filename refers to a directory\n")},
        {"output not a project file",
         {QStringLiteral("convert"), sample("sample-plain.skb"),
          dir.filePath(QStringLiteral("out.xml"))},
         64,
         {}},
        {"no project", {QStringLiteral("describe")}, 64, {}},
        {"two projects",
         {QStringLiteral("describe"), sample("sample-plain.skb"), sample("sample-plain.skb")},
         64,
         {}},
        {"bad language",
         {QStringLiteral("describe"), QStringLiteral("--lang=de"), sample("sample-plain.skb")},
         64,
         {}},
    };
    for (const auto& c : cases) {
        const Outcome result = runCli(c.args);
        EXPECT_EQ(result.code, c.code) << c.what;
        EXPECT_TRUE(result.out.isEmpty()) << c.what;
        if (c.err.isEmpty()) {
            EXPECT_FALSE(result.err.isEmpty()) << c.what;
        } else {
            EXPECT_EQ(result.err, c.err) << c.what;
        }
    }
    EXPECT_FALSE(QFileInfo::exists(writable));
}

TEST(ProjectArgument, DamagedLegacyFileAnswers65) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.sdp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(LegacyProjectReader::SmallRecordSize - 1, '\0'));
    file.close();
    const Outcome result = runCli({QStringLiteral("describe"), path});
    EXPECT_EQ(result.code, 65);
    EXPECT_EQ(result.err, asLines(text(texts::ProjectFileDamaged)));
}

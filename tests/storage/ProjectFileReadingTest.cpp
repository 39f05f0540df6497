#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QTemporaryDir>
#include <memory>

#include "StorageTestSupport.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "config/TpkXML.h"
#include "model/BlockCatalogue.h"
#include "storage/ProjectFile.h"

using namespace trevalon;
using test::RecordingLog;
using test::RecordingSink;

namespace {

struct Loaded {
    explicit Loaded(int logLevel) : log(logLevel) {}
    bool ok = false;
    ProjectOpening::Refusal refusal = ProjectOpening::Refusal::None;
    FileProblem problem = FileProblem::None;
    RecordingSink sink;  // the status, shown as the program shows it
    RecordingLog log;
    std::unique_ptr<Project> project = std::make_unique<Project>();
};

// Opens `path` into a project that already holds another drawing.
std::unique_ptr<Loaded> loadPath(const QString& path, int logLevel = 5) {
    auto result = std::make_unique<Loaded>(logLevel);
    result->project->placeBlock(1, 8, 8, 1, 1);
    const ProjectOpening opening =
        ProjectFile::load(*result->project, path, result->log, TextTable());
    result->ok = opening.ok();
    result->refusal = opening.refusal;
    result->problem = opening.problem;
    result->sink.showStatus(opening.status, TextTable());
    return result;
}

std::unique_ptr<Loaded> loadBytes(const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.skb"));
    test::writeBytes(path, bytes);
    return loadPath(path);
}

// The plain sample file with `from` replaced by `to` (once, or everywhere).
QByteArray samplePlainWith(const QByteArray& from, const QByteArray& to) {
    QByteArray bytes = test::readBytes(test::dataFile(QStringLiteral("sample-plain.skb")));
    EXPECT_TRUE(bytes.contains(from)) << from.constData();
    return bytes.replace(from, to);
}

QString text(int number) {
    return TextTable().text(number);
}

QString cellProblem(int j, int n) {
    return text(texts::BlockLoadFailed) + QString::number(j) + text(texts::BlockLoadFailedOnBoard) +
           QString::number(n);
}

bool untouched(const Project& project) {
    return project.cell(1, 8, 8).occupied && project.boardCount == 1 &&
           project.board(1).name == QStringLiteral("Plansza nr 1");
}

// A project file of `boards` boards given as lists of cells, each cell a list of (name, value)
// elements; every board has the general values filled in.
QByteArray handWritten(const QList<QList<QList<QPair<QString, QString>>>>& boards) {
    TpkXML document;
    TpkXMLNode* root = document.topElement(QStringLiteral("Trevalon"));
    root->addChild(QStringLiteral("ilp"))->setText(QString::number(boards.size()));
    for (int n = 1; n <= boards.size(); ++n) {
        TpkXMLNode* board = root->addChild(QStringLiteral("Pl%1").arg(n));
        const QPair<const char*, QString> general[] = {
            {"nws", "123"},
            {"pro", "0"},
            {"nam", QStringLiteral("B%1").arg(n)},
            {"ilw", "8"},
            {"ilk", "8"},
            {"xl", "1"},
            {"yl", "2"},
            {"ilkl", QString::number(boards[n - 1].size())},
            {"ilz", "0"}};
        for (const auto& [name, value] : general) {
            board->addChild(QLatin1StringView(name))->setText(value);
        }
        for (int j = 1; j <= boards[n - 1].size(); ++j) {
            TpkXMLNode* cell = board->addChild(QStringLiteral("kl%1").arg(j));
            for (const auto& [name, value] : boards[n - 1][j - 1]) {
                cell->addChild(name)->setText(value);
            }
        }
    }
    return document.saveToBuffer();
}

QList<QPair<QString, QString>> line(int column, int row) {
    return {{"k", QString::number(column)},
            {"w", QString::number(row)},
            {"zm", "0"},
            {"wi", "0"},
            {"tp", "0"},
            {"nrw", "41"},
            {"nrz", "4"},
            {"nrk", "1"},
            {"t1", "L"},
            {"ilad", "0"}};
}

QList<QPair<QString, QString>> with(QList<QPair<QString, QString>> cell, const QString& name,
                                    const QString& value) {
    for (auto& entry : cell) {
        if (entry.first == name) {
            entry.second = value;
            return cell;
        }
    }
    cell.append({name, value});
    return cell;
}

QList<QPair<QString, QString>> without(QList<QPair<QString, QString>> cell, const QString& name) {
    cell.removeIf([&](const auto& entry) { return entry.first == name; });
    return cell;
}

}  // namespace

TEST(ProjectFileSamples, AllFourSampleFilesLoadTheSameProject) {
    auto expected = std::make_unique<Project>();
    test::buildSampleProject(*expected);
    for (const char* name : {"sample-plain.skb", "sample-encoded.skb", "sample-plain-utf16.skb",
                             "sample-encoded-utf16.skb"}) {
        const auto result = loadPath(test::dataFile(QLatin1StringView(name)));
        ASSERT_TRUE(result->ok) << name;
        EXPECT_TRUE(result->sink.messages.isEmpty()) << name;
        EXPECT_TRUE(result->log.lines.isEmpty()) << name;
        EXPECT_TRUE(test::sameProject(*result->project, *expected)) << name;
        EXPECT_EQ(result->project->lastModified, QStringLiteral("2024/03/15 12:30:00")) << name;
        EXPECT_EQ(result->project->cell(1, 1, 2).text4, QStringLiteral("Wynik:\r\n<wartość> 'ok'"));
    }
}

TEST(ProjectFileSamples, LoadingReplacesTheDrawingButKeepsThePlacementCounter) {
    const auto result = loadPath(test::dataFile(QStringLiteral("sample-plain.skb")));
    ASSERT_TRUE(result->ok);
    EXPECT_FALSE(result->project->cell(1, 8, 8).occupied);
    EXPECT_EQ(result->project->placementCounter(), 1);
    EXPECT_EQ(result->project->activeBoard, 1);
    EXPECT_FALSE(result->project->projectChanged());
}

// Committed files that are damaged or unusual, with what opening each must give.
TEST(ProjectFileDamagedFiles, EachFileGivesItsMessagesAndLogLines) {
    const struct {
        const char* file;
        bool loads;
        QStringList messages;
        QStringList lines;
    } cases[] = {
        {"tolerant-mixed-case-names.skb", true, {}, {}},
        {"tolerant-mismatched-end-tag.skb", true, {}, {}},
        {"tolerant-utf16-odd-length.skb", true, {}, {}},
        {"damaged-empty.skb",
         false,
         {text(texts::ProjectFileDamaged)},
         {text(texts::BoardCountMissing)}},
        {"damaged-random-bytes.skb",
         false,
         {text(texts::ProjectFileDamaged)},
         {text(texts::BoardCountMissing)}},
        {"damaged-missing-ilp.skb",
         false,
         {text(texts::ProjectFileDamaged)},
         {text(texts::BoardCountMissing)}},
        {"damaged-ilp-not-a-number.skb",
         false,
         {text(texts::ProjectFileDamaged)},
         {text(texts::BoardCountMissing)}},
        {"damaged-ilp-four.skb",
         false,
         {text(texts::ProjectFileDamaged)},
         {text(texts::BoardCountMissing)}},
        {"damaged-truncated.skb",
         false,
         {text(texts::ProjectFileDamaged)},
         {cellProblem(3, 1), text(texts::BlockLoadFailed) + "3"}},
        {"damaged-cell-outside-grid.skb",
         false,
         {text(texts::ProjectFileDamaged)},
         {cellProblem(2, 1), text(texts::BlockLoadFailed) + "2"}},
        {"damaged-encoded-not-base64.skb",
         false,
         {text(texts::ProjectFileDamaged)},
         {cellProblem(1, 2), text(texts::BlockLoadFailed) + "1"}},
        {"damaged-unknown-kind.skb",
         false,
         {text(texts::ProjectFileDamaged)},
         {cellProblem(4, 1), text(texts::BlockLoadFailed) + "4"}},
        {"damaged-board-general-data.skb", true, {}, {text(texts::BoardLoadFailed) + "1"}},
    };
    for (const auto& c : cases) {
        const auto result = loadPath(test::dataFile(QLatin1StringView(c.file)));
        EXPECT_EQ(result->ok, c.loads) << c.file;
        EXPECT_EQ(result->sink.messages, c.messages) << c.file;
        EXPECT_EQ(result->log.lines, c.lines) << c.file;
        if (!c.loads) {
            EXPECT_TRUE(untouched(*result->project)) << c.file;
        }
    }
}

TEST(ProjectFileDamagedFiles, GeneralDataStopsAtTheFirstBadValue) {
    const auto result = loadPath(test::dataFile(QStringLiteral("damaged-board-general-data.skb")));
    ASSERT_TRUE(result->ok);
    const Board& b = result->project->board(1);
    EXPECT_EQ(b.name, QStringLiteral("Główna"));  // read before the bad value
    EXPECT_EQ(b.rows, 8);                         // the bad value: the default stays
    EXPECT_EQ(b.columns, 8);                      // after it: defaults
    EXPECT_EQ(b.blockCount, 0);
    EXPECT_EQ(result->project->board(2).name, QStringLiteral("Procedura ćwiczeń"));
    EXPECT_TRUE(result->project->cell(2, 15, 15).occupied);
}

TEST(ProjectFileReading, MissingFileShowsText379AndLogs380) {
    const auto result = loadPath(QStringLiteral("/nonexistent/folder/brak.skb"));
    EXPECT_FALSE(result->ok);
    EXPECT_EQ(result->sink.messages, QStringList{text(texts::ProjectFileMissing)});
    EXPECT_EQ(result->log.lines, QStringList{text(texts::NoFileAtPath)});
    const auto quiet = loadPath(QStringLiteral("/nonexistent/folder/brak.skb"), 1);
    EXPECT_EQ(quiet->sink.messages, QStringList{text(texts::ProjectFileMissing)});
    EXPECT_TRUE(quiet->log.lines.isEmpty());
}

// A named pipe or a folder under a project's name is refused at once, never opened: a pipe would
// hold the reader until something wrote to it.
TEST(ProjectFileReading, WhatIsNotARegularFileIsRefusedUnopened) {
    QTemporaryDir dir;
    for (const char* name : {"pipe.skb", "pipe.sdp"}) {
        const QString path = dir.filePath(QLatin1StringView(name));
        ASSERT_EQ(::mkfifo(path.toLocal8Bit().constData(), 0600), 0) << name;
        const auto result = loadPath(path);
        EXPECT_FALSE(result->ok) << name;
        EXPECT_EQ(result->sink.messages, QStringList{text(trevalon::texts::NotARegularFile)});
    }
    // A folder is told as a folder whatever its name, so that a caller can say so.
    for (const char* name : {"folder.skb", "folder"}) {
        ASSERT_TRUE(QDir(dir.path()).mkdir(QLatin1StringView(name)));
        const auto result = loadPath(dir.filePath(QLatin1StringView(name)));
        EXPECT_EQ(result->refusal, ProjectOpening::Refusal::Unreadable) << name;
        EXPECT_EQ(result->problem, FileProblem::Folder) << name;
        EXPECT_EQ(result->sink.messages, QStringList{text(trevalon::texts::NotARegularFile)});
    }
}

// A valid project behind a flood of empty elements is refused early with its own message,
// and the project that was open stays.
TEST(ProjectFileReading, FloodOfElementsIsRefusedWithAMessage) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("flood.skb"));
    QByteArray flood;
    for (int i = 0; i < TpkXML::MaxNodes; ++i) {
        flood += "<a/>";
    }
    ASSERT_TRUE(test::writeBytes(
        path, flood + test::readBytes(test::dataFile(QStringLiteral("sample-plain.skb")))));
    const auto result = loadPath(path);
    EXPECT_FALSE(result->ok);
    EXPECT_EQ(result->sink.messages, QStringList{text(trevalon::texts::FileTooLarge)});
    EXPECT_TRUE(result->project->cell(1, 8, 8).occupied);
}

TEST(ProjectFileReading, ExtensionDecidesTheReader) {
    QTemporaryDir dir;
    const QByteArray sample = test::readBytes(test::dataFile(QStringLiteral("sample-plain.skb")));
    for (const char* name : {"UPPER.SKB", "mixed.Skb"}) {
        test::writeBytes(dir.filePath(QLatin1StringView(name)), sample);
        EXPECT_TRUE(loadPath(dir.filePath(QLatin1StringView(name)))->ok) << name;
    }
    test::writeBytes(dir.filePath(QStringLiteral("projekt.xml")), sample);
    const auto xml = loadPath(dir.filePath(QStringLiteral("projekt.xml")));
    EXPECT_EQ(xml->refusal, ProjectOpening::Refusal::NotAProject);
    EXPECT_EQ(xml->sink.messages, QStringList{text(texts::UnsupportedFileType)});
    EXPECT_TRUE(untouched(*xml->project));
    EXPECT_TRUE(ProjectFile::isProjectPath(QStringLiteral("a/b.SdP")));
    EXPECT_FALSE(ProjectFile::isProjectPath(QStringLiteral("a.skb.bak")));
    EXPECT_FALSE(ProjectFile::isProjectPath(QStringLiteral("skb")));
}

TEST(ProjectFileReading, CodeMustBeExactlyLowerCaseTrForTheEncodedForm) {
    const auto upper =
        loadBytes(samplePlainWith("<Trevalon>\r\n", "<Trevalon>\r\n<Code>TR</Code>"));
    ASSERT_TRUE(upper->ok);
    EXPECT_EQ(upper->project->board(1).name, QStringLiteral("Główna"));
    const auto lower =
        loadBytes(samplePlainWith("<Trevalon>\r\n", "<Trevalon>\r\n<Code>tr</Code>"));
    EXPECT_FALSE(lower->ok);  // plain values are not Base64
    EXPECT_EQ(lower->log.lines, QStringList{text(texts::BoardCountMissing)});
}

TEST(ProjectFileReading, MissingWInTheThirdCellOfBoardTwoStopsThere) {
    const QByteArray bytes = handWritten(
        {{line(1, 1), line(1, 2)}, {line(2, 1), line(2, 2), without(line(2, 3), "w"), line(2, 4)}});
    // Through load: nothing of the file reaches the open project.
    const auto result = loadBytes(bytes);
    EXPECT_FALSE(result->ok);
    EXPECT_EQ(result->sink.messages, QStringList{text(texts::ProjectFileDamaged)});
    EXPECT_EQ(result->log.lines,
              (QStringList{cellProblem(3, 2), text(texts::BlockLoadFailed) + "3"}));
    EXPECT_TRUE(untouched(*result->project));
    // The reading steps themselves stop after board 1 and two cells of board 2.
    TpkXML document;
    document.loadFromBuffer(bytes);
    auto scratch = std::make_unique<Project>();
    RecordingLog log;
    EXPECT_FALSE(ProjectFile::readDocument(*scratch, document, log, TextTable()).ok());
    EXPECT_TRUE(scratch->cell(1, 1, 2).occupied);
    EXPECT_TRUE(scratch->cell(2, 2, 1).occupied);
    EXPECT_TRUE(scratch->cell(2, 2, 2).occupied);
    EXPECT_FALSE(scratch->cell(2, 2, 4).occupied);
}

TEST(ProjectFileReading, ExtraValueCountDecidesWhichAdElementsAreRead) {
    const auto cell = [](const char* count) {
        return with(with(with(line(1, 1), "ilad", count), "ad1", "7"), "ad2", "9");
    };
    const struct {
        const char* count;
        int extra1;
        int extra2;
    } cases[] = {{"0", 0, 0}, {"1", 7, 0}, {"2", 7, 9}, {"7", 7, 9}, {"-3", 0, 0}};
    for (const auto& c : cases) {
        const auto result = loadBytes(handWritten({{cell(c.count)}}));
        ASSERT_TRUE(result->ok) << c.count;
        EXPECT_EQ(result->project->cell(1, 1, 1).extra1, c.extra1) << c.count;
        EXPECT_EQ(result->project->cell(1, 1, 1).extra2, c.extra2) << c.count;
    }
    // Only the announced values must be numbers.
    EXPECT_TRUE(loadBytes(handWritten({{with(cell("1"), "ad2", "x")}}))->ok);
    EXPECT_FALSE(loadBytes(handWritten({{with(cell("2"), "ad2", "x")}}))->ok);
}

TEST(ProjectFileReading, ValuesBeyondTheModelAreRefusedOrClamped) {
    const auto general = [](const char* name, const char* value) {
        return samplePlainWith(QByteArray("<Pl1>\r\n"),
                               QByteArray("<Pl1>\r\n<") + name + ">" + value + "</" + name + ">");
    };
    // Clamped: the drawing stays usable.
    const struct {
        QByteArray bytes;
        int rows, columns, kind, variables;
    } clamped[] = {
        {general("ilw", "99"), 15, 6, 0, 1}, {general("ilw", "-4"), 1, 6, 0, 1},
        {general("ilk", "16"), 5, 15, 0, 1}, {general("ilk", "0"), 5, 1, 0, 1},
        {general("pro", "3"), 5, 6, 0, 1},   {general("pro", "2"), 5, 6, 2, 1},
        {general("ilz", "9"), 5, 6, 0, 8},   {general("ilz", "-1"), 5, 6, 0, 0},
    };
    for (const auto& c : clamped) {
        const auto result = loadBytes(c.bytes);
        ASSERT_TRUE(result->ok);
        const Board& b = result->project->board(1);
        EXPECT_EQ(b.rows, c.rows);
        EXPECT_EQ(b.columns, c.columns);
        EXPECT_EQ(b.kind, c.kind);
        EXPECT_EQ(b.variableCount, c.variables);
    }
    // Refused: more blocks than a board has cells, cells outside the grid, no such kind.
    const struct {
        QByteArray bytes;
        QStringList lines;
    } refused[] = {
        {general("ilkl", "226"),
         {text(texts::BoardLoadFailed) + "1", text(texts::ProjectFileUnknownError)}},
        {general("ilkl", "-1"),
         {text(texts::BoardLoadFailed) + "1", text(texts::ProjectFileUnknownError)}},
        {handWritten({{with(line(1, 1), "k", "16")}}),
         {cellProblem(1, 1), text(texts::BlockLoadFailed) + "1"}},
        {handWritten({{with(line(1, 1), "w", "0")}}),
         {cellProblem(1, 1), text(texts::BlockLoadFailed) + "1"}},
        {handWritten({{with(line(1, 1), "k", "99999999999")}}),
         {cellProblem(1, 1), text(texts::BlockLoadFailed) + "1"}},
        {handWritten({{with(line(1, 1), "nrw", "49")}}),
         {cellProblem(1, 1), text(texts::BlockLoadFailed) + "1"}},
        {handWritten({{with(with(line(1, 1), "nrw", "15"), "tp", "8")}}),
         {cellProblem(1, 1), text(texts::BlockLoadFailed) + "1"}},
        {handWritten({{with(line(1, 1), "tp", "1.5")}}),
         {cellProblem(1, 1), text(texts::BlockLoadFailed) + "1"}},
        {handWritten({{}, {}, {}, {}}), {text(texts::BoardCountMissing)}},
        {handWritten({}), {text(texts::BoardCountMissing)}},
    };
    for (const auto& c : refused) {
        const auto result = loadBytes(c.bytes);
        EXPECT_FALSE(result->ok);
        EXPECT_EQ(result->sink.messages, QStringList{text(texts::ProjectFileDamaged)});
        EXPECT_EQ(result->log.lines, c.lines);
        EXPECT_TRUE(untouched(*result->project));
    }
}

TEST(ProjectFileReading, BlocksAreBroughtInLineWithTheirKind) {
    const auto result = loadBytes(handWritten(
        {{with(with(with(line(1, 1), "nrz", "3"), "nrk", "7"), "zm", "1"),
          with(with(with(line(2, 2), "nrw", "15"), "zm", "0"), "tp", "7"), line(2, 2)}}));
    ASSERT_TRUE(result->ok);
    const Cell& connector = result->project->cell(1, 1, 1);
    EXPECT_EQ(connector.group, 4);
    EXPECT_EQ(connector.index, 1);
    EXPECT_FALSE(connector.isVariable);
    // The later record for (2, 2) wins; the block count follows the cells.
    EXPECT_EQ(result->project->cell(1, 2, 2).kindCode, KindLineVertical);
    EXPECT_EQ(result->project->board(1).blockCount, 2);
    const auto variable =
        loadBytes(handWritten({{with(with(with(line(3, 3), "nrw", "15"), "zm", "0"), "tp", "7")}}));
    ASSERT_TRUE(variable->ok);
    EXPECT_TRUE(variable->project->cell(1, 3, 3).isVariable);
}

TEST(ProjectFileReading, NumbersAreStrictDecimalIntegers) {
    const struct {
        const char* value;
        bool ok;
        int column;
    } cases[] = {{"7", true, 7},    {"+7", true, 7},  {"007", true, 7}, {"-0", false, 0},
                 {"0x7", false, 0}, {"7a", false, 0}, {"", false, 0},   {"-", false, 0},
                 {"$7", false, 0},  {"٧", false, 0}};
    for (const auto& c : cases) {
        const auto result = loadBytes(handWritten({{with(line(1, 1), "k", c.value)}}));
        EXPECT_EQ(result->ok, c.ok) << c.value;
        if (c.ok) {
            EXPECT_TRUE(result->project->cell(1, c.column, 1).occupied);
        }
    }
}

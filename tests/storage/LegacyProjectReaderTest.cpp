#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "SdpBuilder.h"
#include "StorageTestSupport.h"
#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "storage/LegacyProjectReader.h"
#include "storage/ProjectFile.h"

using namespace trevalon;
using test::SdpBuilder;

namespace {

constexpr int Small = LegacyProjectReader::SmallRecordSize;
constexpr int Large = LegacyProjectReader::LargeRecordSize;

SdpBuilder::BoardSpec mainBoard() {
    SdpBuilder::BoardSpec board;
    board.name = QStringLiteral("Główna plansza");
    board.rows = 10;
    board.columns = 12;
    board.left = 333;
    board.variableCount = 1;
    SdpBuilder::CellSpec start;
    start.column = 2;
    start.row = 1;
    start.kindCode = KindStart;
    start.name = QStringLiteral("Początek");
    start.text2 = QStringLiteral("Brak klocka");
    SdpBuilder::CellSpec variable;
    variable.column = 12;
    variable.row = 10;
    variable.kindCode = KindVariable;
    variable.isVariable = true;
    variable.mode = TypeText;
    variable.scope = 1;
    variable.name = QStringLiteral("źdźbło");
    variable.text4 = QStringLiteral("\"Ćma & ważka\"");
    variable.extra1 = 13;
    variable.extra2 = -2;
    board.cells = {start, variable};
    return board;
}

SdpBuilder::BoardSpec procedureBoard() {
    SdpBuilder::BoardSpec board;
    board.kind = BoardProcedure;
    board.name = QStringLiteral("Liczenie");
    SdpBuilder::CellSpec write;
    write.column = 1;
    write.row = 3;
    write.kindCode = KindReadWrite;
    write.mode = 1;
    write.name = QStringLiteral("Pisz");
    write.text4 = QString(130, u'x');  // longer than the field: cut to 120
    board.cells = {write};
    return board;
}

struct Loaded {
    bool ok = false;
    test::RecordingSink sink;
    std::unique_ptr<Project> project = std::make_unique<Project>();
};

std::unique_ptr<Loaded> load(const QByteArray& bytes, const QString& name = "stary.sdp") {
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    test::writeBytes(path, bytes);
    auto result = std::make_unique<Loaded>();
    test::RecordingLog log;
    const ProjectOpening opening = ProjectFile::load(*result->project, path, log, TextTable());
    result->ok = opening.ok();
    result->sink.showStatus(opening.status, TextTable());
    EXPECT_TRUE(log.lines.isEmpty());
    return result;
}

}  // namespace

TEST(LegacyProjectReader, TwoSmallRecordsOpenAsTwoBoards) {
    const auto result =
        load(SdpBuilder::record(mainBoard(), Small) + SdpBuilder::record(procedureBoard(), Small));
    ASSERT_TRUE(result->ok);
    EXPECT_TRUE(result->sink.messages.isEmpty());
    const Project& p = *result->project;
    EXPECT_EQ(p.boardCount, 2);
    const Board& b1 = p.board(1);
    EXPECT_EQ(b1.name, QStringLiteral("Główna plansza"));
    EXPECT_EQ(b1.rows, 10);
    EXPECT_EQ(b1.columns, 12);
    EXPECT_EQ(b1.left, 333);
    EXPECT_EQ(b1.top, 102);  // the new-board position; the file has none
    EXPECT_EQ(b1.formatMarker, 123);
    EXPECT_EQ(b1.blockCount, 2);
    EXPECT_EQ(b1.variableCount, 1);
    const Cell& start = p.cell(1, 2, 1);
    EXPECT_TRUE(start.occupied);
    EXPECT_EQ(start.kindCode, KindStart);
    EXPECT_EQ(start.name, QStringLiteral("Początek"));
    EXPECT_EQ(start.text2, QStringLiteral("Brak klocka"));
    const Cell& variable = p.cell(1, 12, 10);
    EXPECT_TRUE(variable.isVariable);
    EXPECT_EQ(variable.mode, TypeText);
    EXPECT_EQ(variable.scope, 1);
    EXPECT_EQ(variable.name, QStringLiteral("źdźbło"));
    EXPECT_EQ(variable.text4, QStringLiteral("\"Ćma & ważka\""));
    EXPECT_EQ(variable.extra1, 13);
    EXPECT_EQ(variable.extra2, -2);
    EXPECT_EQ(variable.board, 1);
    const Board& b2 = p.board(2);
    EXPECT_EQ(b2.kind, BoardProcedure);
    EXPECT_EQ(b2.top, 122);
    EXPECT_EQ(p.cell(2, 1, 3).text4, QString(120, u'x'));
    EXPECT_EQ(p.cell(2, 1, 3).mode, 1);
    EXPECT_FALSE(p.projectChanged());
}

TEST(LegacyProjectReader, OneLargeRecordFailsAsSmallAndOpensAsLarge) {
    SdpBuilder::BoardSpec board = mainBoard();
    // 60 cells do not fit a small record.
    for (int i = 0; i < 58; ++i) {
        SdpBuilder::CellSpec line;
        line.column = i % 11 + 1;
        line.row = i / 11 + 2;
        line.kindCode = KindLineVertical;
        board.cells << line;
    }
    const QByteArray bytes = SdpBuilder::record(board, Large);
    ASSERT_EQ(bytes.size(), 52924);
    const auto result = load(bytes);
    ASSERT_TRUE(result->ok);
    EXPECT_EQ(result->project->boardCount, 1);
    EXPECT_EQ(result->project->board(1).blockCount, 60);
    EXPECT_EQ(result->project->cell(1, 11, 6).kindCode, KindLineVertical);
}

TEST(LegacyProjectReader, ExtensionIsComparedWithoutCase) {
    EXPECT_TRUE(load(SdpBuilder::record(mainBoard(), Small), "STARY.SDP")->ok);
}

// Files the reader must refuse with text 376 alone, leaving the open project as it was.
TEST(LegacyProjectReaderDamage, DamagedFilesAreRefusedWithOneMessage) {
    const auto withCell = [](auto change) {
        SdpBuilder::BoardSpec board = mainBoard();
        change(board.cells[0]);
        return SdpBuilder::record(board, Small);
    };
    SdpBuilder::BoardSpec tooMany = mainBoard();
    tooMany.claimedCellCount = 50;
    SdpBuilder::BoardSpec negative = mainBoard();
    negative.claimedCellCount = -1;
    const QByteArray one = SdpBuilder::record(mainBoard(), Small);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty file", QByteArray()},
        {"one byte short", one.left(Small - 1)},
        {"one byte long", one + 'x'},
        {"four boards", one + one + one + one},
        {"four large boards", QByteArray(4 * Large, '\0')},
        {"more cells than a small record holds", SdpBuilder::record(tooMany, Small)},
        {"negative cell count", SdpBuilder::record(negative, Small)},
        {"column 16", withCell([](auto& c) { c.column = 16; })},
        {"row 0", withCell([](auto& c) { c.row = 0; })},
        {"huge column", withCell([](auto& c) { c.column = 0x7FFFFFFF; })},
        {"unknown kind", withCell([](auto& c) { c.kindCode = 99; })},
        {"empty kind", withCell([](auto& c) { c.kindCode = 0; })},
        {"variable of type 8", withCell([](auto& c) {
             c.kindCode = KindVariable;
             c.mode = 8;
         })},
        {"text file", QByteArray("<?xml encoding=\"WINDOWS-1250\"?>\r\n<Trevalon/>")},
    };
    for (const auto& c : cases) {
        const auto result = load(c.bytes);
        EXPECT_FALSE(result->ok) << c.what;
        EXPECT_EQ(result->sink.messages, QStringList{TextTable().text(texts::ProjectFileDamaged)})
            << c.what;
    }
}

TEST(LegacyProjectReaderDamage, FailedOpenLeavesTheOpenProjectAlone) {
    auto project = std::make_unique<Project>();
    test::buildSampleProject(*project);
    project->placeBlock(1, 5, 5, 4, 1);
    auto expected = std::make_unique<Project>();
    test::buildSampleProject(*expected);
    expected->placeBlock(1, 5, 5, 4, 1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zly.sdp"));
    SdpBuilder::BoardSpec broken = mainBoard();
    broken.cells[1].row = 44;  // the first cell converts, the second does not
    test::writeBytes(path, SdpBuilder::record(broken, Small));
    test::RecordingLog log;
    EXPECT_FALSE(ProjectFile::load(*project, path, log, TextTable()).ok());
    EXPECT_TRUE(test::sameProject(*project, *expected));
    EXPECT_EQ(project->placementCounter(), 1);
}

TEST(LegacyProjectReaderLimits, ValuesBeyondTheEditorAreClamped) {
    SdpBuilder::BoardSpec board = mainBoard();
    board.rows = 40;
    board.columns = -3;
    board.kind = 9;
    board.variableCount = 100;
    board.cells[0].kindCode = KindEnd;
    board.cells[0].isVariable = true;  // a flag that does not go with the kind
    // A duplicate of the second cell's position: two records for one cell.
    SdpBuilder::CellSpec again = board.cells[1];
    board.cells << again;
    QByteArray bytes = SdpBuilder::record(board, Small);
    bytes[12] = static_cast<char>(200);  // name length past its 24-byte field
    const auto result = load(bytes);
    ASSERT_TRUE(result->ok);
    const Board& b = result->project->board(1);
    EXPECT_EQ(b.rows, 15);
    EXPECT_EQ(b.columns, 1);
    EXPECT_EQ(b.kind, BoardProgram);
    EXPECT_EQ(b.variableCount, 8);
    EXPECT_EQ(b.blockCount, 2);
    EXPECT_EQ(b.name.size(), 23);
    EXPECT_TRUE(b.name.startsWith(QStringLiteral("Główna plansza#")));
    EXPECT_FALSE(result->project->cell(1, 2, 1).isVariable);
}

TEST(LegacyProjectReaderLimits, ConvertAloneLeavesPartialWorkForTheCaller) {
    SdpBuilder::BoardSpec broken = mainBoard();
    broken.cells[1].column = 99;
    auto project = std::make_unique<Project>();
    EXPECT_FALSE(LegacyProjectReader::convert(*project, SdpBuilder::record(broken, Small), Small));
    EXPECT_TRUE(project->cell(1, 2, 1).occupied);
    EXPECT_FALSE(LegacyProjectReader::convert(*project, QByteArray(100, 'x'), 100));
}

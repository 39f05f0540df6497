#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <memory>

#include "FlowBuilder.h"
#include "StorageTestSupport.h"
#include "config/TextTable.h"
#include "config/TpkXML.h"
#include "model/BlockCatalogue.h"
#include "storage/ProjectFile.h"

using namespace trevalon;
using test::RecordingLog;
using test::RecordingSink;

namespace {

// Every kind of block on three boards, every text field holding Polish letters, a line break,
// quotes, an ampersand and angle brackets.
std::unique_ptr<Project> everyKindProject(const QString& extra = QString()) {
    auto project = std::make_unique<Project>();
    project->boardCount = 3;
    project->note = QStringLiteral("Uczeń: Łucja & \"Ś\"") + extra;
    test::FlowBuilder f(*project);
    int i = 0;
    for (const KindInfo& kind : BlockCatalogue::kinds()) {
        const int n = i % 3 + 1;
        Cell& c = f.bare(n, 15 - i % 15, (i / 15) * 5 + n, kind.code);
        ++i;
        const QString tag = QString::number(kind.code);
        c.name = QStringLiteral("Żółć") + tag + extra;
        c.text2 = QStringLiteral("a&b<c>") + tag;
        c.text3 = QStringLiteral("\"cytat\" 'ą'\r\nnowa linia") + tag;
        c.text4 = QStringLiteral("x:=\"ĄĘ\"+&#13;\t") + tag;
        c.scope = kind.code % 2;
        c.mode = kind.code == KindVariable ? 6 : kind.code % 6;
        c.extra1 = kind.code * 1000;
        c.extra2 = -kind.code;
    }
    for (int b = 1; b <= 3; ++b) {
        Board& board = project->board(b);
        board.name = QStringLiteral("Plansza \"%1\" & <ż>").arg(b) + extra;
        board.kind = b == 1 ? 0 : b - 1;
        board.columns = 15;
        board.rows = 10 + b;
        board.left = -20 * b;
        board.top = 1000 + b;
        board.formatMarker = 120 + b;
        board.variableCount = b == 1 ? 1 : 0;
    }
    return project;
}

struct SavedAndLoaded {
    bool saved = false;
    bool loaded = false;
    QByteArray bytes;
    std::unique_ptr<Project> project = std::make_unique<Project>();
    RecordingSink sink;
};

std::unique_ptr<SavedAndLoaded> roundTrip(const Project& project, ProjectFile::Form form) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("projekt.skb"));
    auto result = std::make_unique<SavedAndLoaded>();
    RecordingLog log;
    TextTable texts;
    const Status saved = ProjectFile::save(project, path, log, texts, form);
    result->sink.showStatus(saved, texts);
    result->saved = saved.ok();
    result->bytes = test::readBytes(path);
    const ProjectOpening opening = ProjectFile::load(*result->project, path, log, texts);
    result->sink.showStatus(opening.status, texts);
    result->loaded = opening.ok();
    return result;
}

}  // namespace

TEST(ProjectFileRoundTrip, EveryKindAndEveryTextFieldSurvivesBothForms) {
    const auto original = everyKindProject();
    for (const auto form : {ProjectFile::Form::Plain, ProjectFile::Form::Encoded}) {
        const auto result = roundTrip(*original, form);
        ASSERT_TRUE(result->saved);
        ASSERT_TRUE(result->loaded);
        EXPECT_TRUE(result->sink.messages.isEmpty());
        EXPECT_TRUE(test::sameProject(*original, *result->project)) << int(form);
        EXPECT_FALSE(result->bytes.startsWith("\xFF\xFE"));
        EXPECT_FALSE(result->project->projectChanged());
    }
}

TEST(ProjectFileRoundTrip, TextsWindows1250LacksAreWrittenAsUtf16) {
    const auto original = everyKindProject(QStringLiteral(" Жук 😀"));
    const auto plain = roundTrip(*original, ProjectFile::Form::Plain);
    ASSERT_TRUE(plain->loaded);
    EXPECT_TRUE(plain->bytes.startsWith(QByteArray("\xFF\xFE<\0?\0x\0m\0l\0", 12)));
    EXPECT_TRUE(test::sameProject(*original, *plain->project));
    // Base64 is plain ASCII, so the encoded form stays in Windows-1250.
    const auto encoded = roundTrip(*original, ProjectFile::Form::Encoded);
    ASSERT_TRUE(encoded->loaded);
    EXPECT_TRUE(encoded->bytes.startsWith("<?xml encoding=\"WINDOWS-1250\"?>"));
    EXPECT_TRUE(test::sameProject(*original, *encoded->project));
}

TEST(ProjectFileRoundTrip, SpacesAtTheEndsSurviveBothForms) {
    auto original = std::make_unique<Project>();
    Cell& c = test::FlowBuilder(*original).bare(1, 3, 4, KindMessage);
    c.text4 = QStringLiteral("  padded  ");
    c.text2 = QStringLiteral("Podaj ");
    c.text3 = QStringLiteral(" ");
    c.name = QStringLiteral("\tindented\r\n");
    for (const auto form : {ProjectFile::Form::Plain, ProjectFile::Form::Encoded}) {
        const auto result = roundTrip(*original, form);
        ASSERT_TRUE(result->loaded);
        EXPECT_TRUE(test::sameProject(*original, *result->project)) << int(form);
    }
    // The blanks at the ends are written as references, which the reader does not trim.
    EXPECT_TRUE(roundTrip(*original, ProjectFile::Form::Plain)
                    ->bytes.contains("<t4>&#32; padded &#32;</t4>"));
}

// The saving property from the model's side (the project_file fuzz target checks it from the
// file's side): random projects, with texts made of what writers stumble over, come back from
// both forms field by field.
TEST(ProjectFileRoundTrip, RandomProjectsComeBackFieldByField) {
    const QString pieces[] = {
        QStringLiteral(" "),     QStringLiteral("\t"),   QStringLiteral("\r\n"),
        QStringLiteral("&"),     QStringLiteral("<"),    QStringLiteral("]]>"),
        QStringLiteral("&#32;"), QStringLiteral("\""),   QStringLiteral("ą"),
        QStringLiteral("Ж"),     QStringLiteral("😀"),    QStringLiteral("x"),
        QStringLiteral("\x01"),  QStringLiteral("<!--"), QStringLiteral("\u00A0"),
        QStringLiteral("Pl1"),
    };
    QRandomGenerator random(20261208);
    const auto text = [&] {
        QString made;
        for (int i = random.bounded(0, 6); i > 0; --i) {
            made += pieces[random.bounded(int(std::size(pieces)))];
        }
        return made;
    };
    const auto& kinds = BlockCatalogue::kinds();
    for (int round = 0; round < 60; ++round) {
        auto original = std::make_unique<Project>();
        original->boardCount = random.bounded(1, kMaxBoards + 1);
        original->note = text();
        for (int n = 1; n <= original->boardCount; ++n) {
            Board& board = original->board(n);
            board.name = text();
            board.kind = random.bounded(0, 3);
            board.rows = random.bounded(1, kGridSize + 1);
            board.columns = random.bounded(1, kGridSize + 1);
            board.left = random.bounded(-5000, 5000);
            board.top = random.bounded(-5000, 5000);
            board.variableCount = random.bounded(0, kMaxVariablesPerBoard + 1);
            for (int i = random.bounded(0, 30); i > 0; --i) {
                const KindInfo& kind = kinds[std::size_t(random.bounded(int(kinds.size())))];
                Cell& c =
                    test::FlowBuilder(*original).bare(n, random.bounded(1, kGridSize + 1),
                                                      random.bounded(1, kGridSize + 1), kind.code);
                c.name = text();
                c.text2 = text();
                c.text3 = text();
                c.text4 = text();
                c.scope = random.bounded(0, 2);
                c.mode = kind.code == KindVariable ? random.bounded(1, 8) : random.bounded(0, 9);
                c.extra1 = int(random.generate());
                c.extra2 = -random.bounded(0, 100000);
            }
        }
        for (const auto form : {ProjectFile::Form::Plain, ProjectFile::Form::Encoded}) {
            const auto result = roundTrip(*original, form);
            ASSERT_TRUE(result->loaded) << round;
            ASSERT_TRUE(test::sameProject(*original, *result->project))
                << "round " << round << ", form " << int(form);
        }
    }
}

TEST(ProjectFileRoundTrip, EmptyTextsAreLeftOutAndReadBackEmpty) {
    auto original = std::make_unique<Project>();
    original->board(1).name.clear();
    test::FlowBuilder(*original).bare(1, 1, 1, KindLineVertical);
    const auto result = roundTrip(*original, ProjectFile::Form::Plain);
    ASSERT_TRUE(result->loaded);
    EXPECT_FALSE(result->bytes.contains("<nam>"));
    EXPECT_FALSE(result->bytes.contains("<t1>"));
    EXPECT_TRUE(result->project->board(1).name.isEmpty());
    EXPECT_TRUE(test::sameProject(*original, *result->project));
}

TEST(ProjectFileRoundTrip, CellsOutsideTheBoardsSizeAreKept) {
    auto original = std::make_unique<Project>();
    original->board(1).columns = 3;
    original->board(1).rows = 3;
    test::FlowBuilder(*original).bare(1, 15, 15, KindEnd).name = QStringLiteral("Koniec");
    const auto result = roundTrip(*original, ProjectFile::Form::Plain);
    ASSERT_TRUE(result->loaded);
    EXPECT_TRUE(result->project->cell(1, 15, 15).occupied);
    EXPECT_EQ(result->project->board(1).blockCount, 1);
}

TEST(ProjectFileWriting, SmallProjectHasExactBytes) {
    auto project = std::make_unique<Project>();
    project->note = QStringLiteral("Zażółć & \"gęślą\"\r\njaźń");
    Cell& start = test::FlowBuilder(*project).bare(1, 2, 1, KindStart);
    start.name = QStringLiteral("Start");
    start.text2 = QStringLiteral("Brak klocka");
    start.extra1 = 12632256;
    TpkXML document;
    ASSERT_TRUE(ProjectFile::buildDocument(*project, document, ProjectFile::Form::Plain,
                                           QDateTime(QDate(2012, 7, 13), QTime(9, 5, 3))));
    const QByteArray expected =
        "<?xml encoding=\"WINDOWS-1250\"?>\r\n"
        "<Trevalon>\r\n"
        "\t<ilp>1</ilp>\r\n"
        "\t<lc>Za\xBF\xF3\xB3\xE6 &amp; &quot;g\xEA\x9Cl\xB9&quot;&#13;&#10;ja\x9F\xF1</lc>\r\n"
        "\t<dt>2012/07/13 09:05:03</dt>\r\n"
        "\t<Pl1>\r\n"
        "\t\t<nws>123</nws>\r\n"
        "\t\t<pro>0</pro>\r\n"
        "\t\t<nam>Plansza nr 1</nam>\r\n"
        "\t\t<ilw>8</ilw>\r\n"
        "\t\t<ilk>8</ilk>\r\n"
        "\t\t<xl>120</xl>\r\n"
        "\t\t<yl>102</yl>\r\n"
        "\t\t<ilkl>1</ilkl>\r\n"
        "\t\t<ilz>0</ilz>\r\n"
        "\t\t<kl1>\r\n"
        "\t\t\t<k>2</k>\r\n"
        "\t\t\t<w>1</w>\r\n"
        "\t\t\t<zm>0</zm>\r\n"
        "\t\t\t<wi>0</wi>\r\n"
        "\t\t\t<tp>1</tp>\r\n"
        "\t\t\t<nrw>11</nrw>\r\n"
        "\t\t\t<nrz>1</nrz>\r\n"
        "\t\t\t<nrk>1</nrk>\r\n"
        "\t\t\t<t1>Start</t1>\r\n"
        "\t\t\t<t2>Brak klocka</t2>\r\n"
        "\t\t\t<ilad>2</ilad>\r\n"
        "\t\t\t<ad1>12632256</ad1>\r\n"
        "\t\t\t<ad2>0</ad2>\r\n"
        "\t\t</kl1>\r\n"
        "\t</Pl1>\r\n"
        "</Trevalon>\r\n";
    EXPECT_EQ(document.saveToBuffer(), expected);
}

TEST(ProjectFileWriting, EncodedFormHoldsBase64OfUtf16) {
    auto project = std::make_unique<Project>();
    project->board(1).name = QStringLiteral("ż");
    TpkXML document;
    ASSERT_TRUE(ProjectFile::buildDocument(*project, document, ProjectFile::Form::Encoded,
                                           QDateTime(QDate(2012, 7, 13), QTime(9, 5, 3))));
    const QByteArray bytes = document.saveToBuffer();
    EXPECT_TRUE(bytes.contains("\r\n\t<Code>tr</Code>\r\n\t<ilp>MQA=</ilp>\r\n"));
    EXPECT_TRUE(bytes.contains("<nam>fAE=</nam>"));  // U+017C as 7C 01
    EXPECT_TRUE(bytes.contains("<ilkl>MAA=</ilkl>"));
}

TEST(ProjectFileWriting, NumbersCellsInColumnOrderFromOne) {
    auto project = std::make_unique<Project>();
    test::FlowBuilder f(*project);
    f.bare(1, 3, 1, KindLineVertical);
    f.bare(1, 1, 9, KindLineHorizontal);
    f.bare(1, 1, 2, KindCornerTopLeft);
    project->board(1).blockCount = 99;  // a stale count is not written
    TpkXML document;
    ASSERT_TRUE(ProjectFile::buildDocument(*project, document, ProjectFile::Form::Plain,
                                           QDateTime::currentDateTime()));
    TpkXMLNode* board =
        document.topElement(QStringLiteral("Trevalon"))->findOrCreateChild(QStringLiteral("Pl1"));
    EXPECT_EQ(board->findOrCreateChild(QStringLiteral("ilkl"))->text(), QStringLiteral("3"));
    const char* expectedKinds[] = {"48", "42", "41"};
    for (int j = 1; j <= 3; ++j) {
        TpkXMLNode* cell = board->findOrCreateChild(QStringLiteral("kl%1").arg(j), false);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->findOrCreateChild(QStringLiteral("nrw"))->text(),
                  QLatin1StringView(expectedKinds[j - 1]));
    }
    EXPECT_EQ(board->findChild(QStringLiteral("kl4")), -1);
}

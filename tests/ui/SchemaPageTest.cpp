#include <QFontDatabase>
#include <memory>

#include <gtest/gtest.h>

#include "FlowBuilder.h"
#include "config/TextTable.h"
#include "model/Project.h"
#include "ui/schema/SchemaPage.h"
#include "ui/schema/TFSchemat.h"

using namespace trevalon;

namespace {

class SchemaPageTest : public ::testing::Test {
protected:
    const Board& board(int n = 1) const { return project->board(n); }
    SchemaArea area(bool withVariables = false) const {
        return SchemaPage::visibleArea(board(), withVariables);
    }
    SchemaPicture draw(bool withVariables = false) const {
        return SchemaPage::draw(board(), texts, withVariables, QFont());
    }
    Cell& block(int kind, int column, int row) { return flow.put(1, column, row, kind); }

    std::unique_ptr<Project> project = std::make_unique<Project>();
    test::FlowBuilder flow{*project};
    TextTable texts;
};

bool blankRect(const QImage& image, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixelColor(x, y) != Qt::white) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

TEST_F(SchemaPageTest, AreaSkipsEmptyColumnsAndRowsAroundTheBlocks) {
    block(KindStart, 4, 2);
    block(KindAssign, 3, 3);
    block(KindEnd, 5, 4);
    const SchemaArea a = area();
    EXPECT_EQ(a, (SchemaArea{3, 2, 3, 3, 0}));
    EXPECT_EQ(SchemaPage::pageSize(a), QSize(540, 230));
    EXPECT_EQ(TFSchemat::openingSize(SchemaPage::pageSize(a)), QSize(640, 450));
}

TEST_F(SchemaPageTest, VariableBlocksCountOnlyWhenTheSettingIsOn) {
    block(KindStart, 2, 1);
    block(KindEnd, 2, 2);
    flow.variable(1, 6, 5, QStringLiteral("x"), TypeInteger);
    EXPECT_EQ(area(false), (SchemaArea{2, 1, 1, 2, 0}));
    EXPECT_EQ(area(true), (SchemaArea{2, 1, 5, 5, 0}));
    // Without the setting the variable is neither drawn nor listed.
    EXPECT_EQ(draw(false).elements.size(), 2u);
    EXPECT_EQ(draw(true).elements.size(), 3u);
}

TEST_F(SchemaPageTest, OnlyVariablesLeaveNothingToDraw) {
    flow.variable(1, 1, 1, QStringLiteral("x"), TypeInteger);
    const SchemaPicture picture = draw(false);
    EXPECT_TRUE(picture.area.empty());
    EXPECT_TRUE(picture.page.isNull());
    EXPECT_FALSE(draw(true).page.isNull());
}

TEST_F(SchemaPageTest, BlocksOutsideTheBoardsSizeAreNotDrawn) {
    block(KindStart, 1, 1);
    block(KindEnd, 7, 7);
    project->board(1).columns = 5;
    project->board(1).rows = 5;
    EXPECT_EQ(area(), (SchemaArea{1, 1, 1, 1, 0}));
}

TEST_F(SchemaPageTest, ComparisonsAreNumberedColumnByColumnAndListedBelow) {
    block(KindStart, 2, 1);
    Cell& later = block(KindCompareVars, 3, 2);
    later.text2 = QStringLiteral("a");
    later.mode = 5;
    later.text3 = QStringLiteral("b");
    Cell& first = block(KindCompareFormula, 2, 4);
    first.text2 = QStringLiteral("i");
    first.mode = 4;
    first.text4 = QStringLiteral("n*2");
    const SchemaPicture picture = draw();
    ASSERT_EQ(picture.area, (SchemaArea{2, 1, 2, 4, 2}));
    // Two lines below the chart: 36 pixels more than the shapes and the margin.
    EXPECT_EQ(picture.page.size(), QSize(360, 4 * 60 + 36 + 50));
    EXPECT_EQ(picture.conditions,
              QStringList({QStringLiteral("WAR 1: i<=n*2"), QStringLiteral("WAR 2: a<>b")}));
    ASSERT_EQ(picture.elements.size(), 3u);
    EXPECT_EQ(picture.elements[1].text, QStringLiteral("WAR 1"));
    EXPECT_EQ(picture.elements[2].text, QStringLiteral("WAR 2"));
    // The lines are written from x = 50 at 4 * 60 + 30 and 18 pixels below.
    EXPECT_TRUE(blankRect(picture.page, QRect(0, 240, 360, 28)));
    EXPECT_FALSE(blankRect(picture.page, QRect(50, 270, 120, 16)));
    EXPECT_FALSE(blankRect(picture.page, QRect(50, 288, 120, 16)));
    EXPECT_TRUE(blankRect(picture.page, QRect(0, 270, 48, 36)));
}

TEST_F(SchemaPageTest, ShapesStandAtTheirCellsAndEmptyCellsStayWhite) {
    block(KindStart, 1, 1);
    block(KindEnd, 2, 2);
    const SchemaPicture picture = draw();
    ASSERT_EQ(picture.page.size(), QSize(360, 170));
    // The empty cells (2,1) and (1,2).
    EXPECT_TRUE(blankRect(picture.page, QRect(180, 0, 180, 60)));
    EXPECT_TRUE(blankRect(picture.page, QRect(0, 60, 180, 60)));
    EXPECT_FALSE(blankRect(picture.page, QRect(0, 0, 180, 60)));
    EXPECT_FALSE(blankRect(picture.page, QRect(180, 60, 180, 60)));
    // Nothing below the chart without comparisons.
    EXPECT_TRUE(blankRect(picture.page, QRect(0, 120, 360, 50)));
}

struct TextCase {
    int kind;
    int mode;
    const char16_t* name;
    const char16_t* text2;
    const char16_t* text3;
    const char16_t* text4;
    const char16_t* expected;
};

class SchemaElementText : public ::testing::TestWithParam<TextCase> {};

TEST_P(SchemaElementText, IsWrittenAndCutAsTheKindSays) {
    const TextCase& c = GetParam();
    Cell cell;
    cell.occupied = true;
    cell.kindCode = c.kind;
    cell.mode = c.mode;
    cell.name = QString::fromUtf16(c.name);
    cell.text2 = QString::fromUtf16(c.text2);
    cell.text3 = QString::fromUtf16(c.text3);
    cell.text4 = QString::fromUtf16(c.text4);
    TextTable texts;
    EXPECT_EQ(SchemaPage::elementText(cell, texts, 3), QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SchemaElementText,
    ::testing::Values(
        TextCase{11, 0, u"Start", u"", u"", u"", u"START"},
        TextCase{12, 0, u"End", u"", u"", u"", u"STOP"},
        TextCase{13, 0, u"12345678901234567890", u"", u"", u"", u"12345678901234567890"},
        TextCase{14, 0, u"123456789012345678901", u"", u"", u"", u"12345678901234567890..."},
        TextCase{15, 1, u"licznik_bardzo_dlugiej_petli", u"", u"", u"",
                 u"licznik_bardzo_dlugiej_petli"},
        TextCase{21, 0, u"Czytaj1", u"n", u"", u"Podaj", u"CZYTAJ(n)"},
        TextCase{21, 1, u"Czytaj1", u"wynik_koncowy_12", u"", u"", u"PISZ(wynik_koncowy_1...)"},
        TextCase{22, 0, u"Procedura1", u"Sortowanie tablicy liczb", u"", u"",
                 u"Sortowanie tablicy l..."},
        TextCase{23, 0, u"Procedura2", u"Sortuj", u"", u"", u"Sortuj"},
        TextCase{24, 0, u"Komunikat1", u"", u"", u"Ala ma kota", u"PISZ(\"Ala ma kota\")"},
        TextCase{25, 0, u"Pytanie1", u"ok", u"", u"Czy liczyć dalej? Tak",
                 u"PISZ(\"Czy liczyć dalej? ...\")"},
        TextCase{26, 0, u"Losowa1", u"x", u"", u"100", u"x:=LOSUJ(100)"},
        TextCase{26, 0, u"Losowa1", u"liczba_wylosowana", u"", u"1000",
                 u"liczba_wylosowana:=LOSUJ(...)"},
        TextCase{31, 0, u"Przypisanie1", u"s", u"", u"s*n", u"s:=s*n"},
        TextCase{31, 0, u"Przypisanie1", u"suma", u"", u"suma + Sqrt(a*a + b*b) / 2",
                 u"suma:=suma + Sqrt(a*a + b..."},
        TextCase{32, 2, u"PorownajZZ1", u"a", u"b", u"", u"WAR 3"},
        TextCase{35, 0, u"PorownajZW1", u"a", u"", u"1", u"WAR 3"},
        TextCase{33, 0, u"DoTablicy1", u"t", u"i", u"x", u"t[i]:=x"},
        TextCase{34, 0, u"ZTablicy1", u"t", u"i", u"x", u"x:=t[i]"},
        TextCase{41, 0, u"Poloncz1", u"", u"", u"", u""},
        TextCase{47, 0, u"Poloncz2", u"", u"", u"", u""}));

// A loop that runs upward through two assignments on the left and back into the main line:
//   col 1            col 2
//   corner 46 (1,2)  start (2,1) / junction 44 (2,2)
//   y:=2 (1,3)       x:=1 (2,3)
//   corner 45 (1,4)  comparison (2,4) -> corner 47 (3,4) -> end (3,5)
class SchemaFlowTest : public SchemaPageTest {
protected:
    void upwardLoop() {
        block(KindStart, 2, 1);
        block(KindJoinLeft, 2, 2);
        flow.assign(1, 2, 3, QStringLiteral("x"), QStringLiteral("1"));
        block(KindCompareFormula, 2, 4);
        block(KindCornerTopRight, 1, 4);
        flow.assign(1, 1, 3, QStringLiteral("y"), QStringLiteral("2"));
        block(KindCornerBottomRight, 1, 2);
        block(KindCornerLeftBottom, 3, 4);
        block(KindEnd, 3, 5);
    }
    // Dark where an arrow head is, white around a plain 1.6-pixel line.
    static bool ink(const QImage& page, int x, int y) { return qGray(page.pixel(x, y)) < 150; }
};

TEST_F(SchemaFlowTest, FollowsTheRunThroughCornersJunctionsAndBothWaysOutOfAComparison) {
    upwardLoop();
    flow.assign(1, 5, 5, QStringLiteral("z"), QStringLiteral("3"));
    const SchemaFlow flow = SchemaFlow::trace(board());
    const struct {
        int column, row;
        std::uint8_t arriving, leaving;
    } cases[] = {
        {2, 1, 0, SchemaFlow::Down},
        {2, 2, SchemaFlow::Down | SchemaFlow::Right, SchemaFlow::Down},
        {2, 3, SchemaFlow::Down, SchemaFlow::Down},
        {2, 4, SchemaFlow::Down, SchemaFlow::Left | SchemaFlow::Right},
        {1, 4, SchemaFlow::Left, SchemaFlow::Up},
        {1, 3, SchemaFlow::Up, SchemaFlow::Up},
        {1, 2, SchemaFlow::Up, SchemaFlow::Right},
        {3, 4, SchemaFlow::Right, SchemaFlow::Down},
        {3, 5, SchemaFlow::Down, 0},
        {5, 5, 0, 0},  // nothing leads there
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.column << "," << c.row);
        EXPECT_EQ(flow.arriving(c.column, c.row), c.arriving);
        EXPECT_EQ(flow.leaving(c.column, c.row), c.leaving);
    }
}

TEST_F(SchemaFlowTest, ACallLeavesTheBoardAndTheFlowComesBackAtTheReturnBlock) {
    block(KindStart, 1, 1);
    block(KindCall, 1, 2);
    flow.assign(1, 1, 3, QStringLiteral("x"), QStringLiteral("1"));
    block(KindReturn, 2, 3);
    block(KindEnd, 2, 4);
    const SchemaFlow flow = SchemaFlow::trace(board());
    EXPECT_EQ(flow.arriving(1, 2), SchemaFlow::Down);
    EXPECT_EQ(flow.leaving(1, 2), 0);
    EXPECT_EQ(flow.arriving(1, 3), 0);  // below the call, but the run never walks there
    EXPECT_EQ(flow.leaving(2, 3), SchemaFlow::Down);
    EXPECT_EQ(flow.arriving(2, 4), SchemaFlow::Down);
}

TEST_F(SchemaFlowTest, ArrowHeadsPointTheWayTheFlowGoes) {
    upwardLoop();
    block(KindLineVertical, 1, 6);  // reached by nothing: no head either way
    const QImage page = draw().page;
    ASSERT_FALSE(page.isNull());
    constexpr int x = 88;  // beside the flow line, inside a head's base
    // x:=1 (column 2, row 3) is entered from above: a head just above its top edge only.
    EXPECT_TRUE(ink(page, 180 + x, 120 + 11 - 6));
    EXPECT_FALSE(ink(page, 180 + x, 120 + 49 + 6));
    // y:=2 (column 1, row 3) is entered from below: a head just under its bottom edge only.
    EXPECT_TRUE(ink(page, x, 120 + 49 + 6));
    EXPECT_FALSE(ink(page, x, 120 + 11 - 6));
    // The corner above it leads the flow to the right: a head on its right leg.
    EXPECT_TRUE(ink(page, 150 - 6, 60 + 30 + 2));
    // The end block, a step below a corner, gets its entry head; the corner none of its own.
    EXPECT_TRUE(ink(page, 360 + x, 240 + 14 - 6));
    EXPECT_FALSE(ink(page, 360 + x, 180 + 48 - 6));
    // A connector no run reaches stays a plain line.
    for (int y = 300; y < 360; ++y) {
        EXPECT_FALSE(ink(page, x, y)) << y;
    }
}

TEST(SchemaTexts, FollowTheInterfaceLanguage) {
    TextTable texts;
    texts.setLanguage(QStringLiteral("ang"));
    Cell cell;
    cell.occupied = true;
    cell.kindCode = KindStart;
    EXPECT_EQ(SchemaPage::elementText(cell, texts, 0), QStringLiteral("BEGIN"));
    cell.kindCode = KindCompareVars;
    cell.mode = 3;
    cell.text2 = QStringLiteral("a");
    cell.text3 = QStringLiteral("b");
    EXPECT_EQ(SchemaPage::conditionLine(cell, texts, 1), QStringLiteral("IF 1: a>=b"));
    cell.kindCode = KindReadWrite;
    cell.mode = 0;
    EXPECT_EQ(SchemaPage::elementText(cell, texts, 0), QStringLiteral("READ(a)"));
}

TEST(SchemaTexts, ADamagedRelationCodeIsNotShownAsAValidOne) {
    TextTable texts;
    Cell cell;
    cell.occupied = true;
    cell.kindCode = KindCompareFormula;
    cell.mode = 9;
    cell.text2 = QStringLiteral("a");
    cell.text4 = QStringLiteral("1");
    EXPECT_EQ(SchemaPage::conditionLine(cell, texts, 2), QStringLiteral("WAR 2: a?1"));
}

TEST(SchemaWindowSize, FollowsThePageBetweenItsLimits) {
    struct Row {
        QSize page;
        QSize window;
    };
    const Row rows[] = {
        {{180, 110}, {400, 450}},  {{399, 449}, {400, 450}}, {{400, 450}, {500, 600}},
        {{540, 230}, {640, 450}},  {{700, 600}, {800, 750}}, {{701, 601}, {700, 600}},
        {{2700, 950}, {700, 600}}, {{450, 500}, {550, 650}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TFSchemat::openingSize(row.page), row.window)
            << row.page.width() << "x" << row.page.height();
    }
}

TEST(SchemaWindowSize, GripKeepsTheSizeBetweenTheMinimumAndTheLargest) {
    const QSize largest(640, 380);
    EXPECT_EQ(TFSchemat::gripSize({300, 200}, largest), QSize(400, 450));
    EXPECT_EQ(TFSchemat::gripSize({900, 900}, largest), QSize(640, 450));
    EXPECT_EQ(TFSchemat::gripSize({500, 700}, {1000, 1000}), QSize(500, 700));
    EXPECT_EQ(TFSchemat::gripSize({-20, -20}, {1000, 1000}), QSize(400, 450));
    EXPECT_EQ(TFSchemat::gripSize({1200, 1200}, {1000, 1000}), QSize(1000, 1000));
}

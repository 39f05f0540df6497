#include <gtest/gtest.h>

#include "FaultyBoards.h"
#include "FlowBuilder.h"
#include "TestWorkspace.h"
#include "config/TextTable.h"
#include "exec/BoardCheck.h"
#include "exec/CheckCommands.h"
#include "exec/CheckReport.h"

using namespace trevalon;
using test::FlowBuilder;

namespace {

using Stages = std::array<int, kCheckStages>;

class RecordedReport : public CheckReport {
public:
    std::vector<BoardCheckResult> boards;
    QStringList projects;
    QString title;
    void showBoardReport(const BoardCheckResult& r) override { boards.push_back(r); }
    void showProjectReport(const QString& name) override { projects << name; }
    void setTitleStrip(const QString& t) override { title = t; }
};

QString q(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

class BoardCheckStages : public ::testing::Test {
protected:
    void SetUp() override { t.workspace.setCheckReport(&report); }

    // As "Sprawdź planszę" checks board n: its report reaches the report window.
    Stages check(int n = 1) {
        t.project().activeBoard = n;
        checkActiveBoard(t.workspace);
        return report.boards.back().stages;
    }
    std::vector<CellRef> faulty() { return report.boards.back().faultyCells; }

    // Start, one assignment and End down column 2; variables in column 6.
    void simpleProgram(const QString& target, const QString& formula) {
        f.put(1, 2, 1, KindStart);
        f.assign(1, 2, 2, target, formula);
        f.put(1, 2, 3, KindEnd);
    }

    TestWorkspace t;
    RecordedReport report;
    FlowBuilder f{t.project()};
};

TEST_F(BoardCheckStages, AnEmptyBoardFailsTheFirstStageOnly) {
    EXPECT_EQ(check(), (Stages{0, -1, -1, -1, -1}));
    EXPECT_EQ(report.title, t.workspace.texts().text(texts::ReportCheckStrip));
    ASSERT_EQ(report.boards.size(), 1u);
    EXPECT_FALSE(report.boards[0].passed());
}

TEST_F(BoardCheckStages, AProgramNeedsStartAndEnd) {
    f.put(1, 2, 1, KindStart);
    EXPECT_EQ(check(), (Stages{0, -1, -1, -1, -1}));
    f.put(1, 2, 2, KindEnd);
    EXPECT_EQ(check(), (Stages{1, 1, 1, 1, 1}));
    EXPECT_TRUE(faulty().empty());
}

TEST_F(BoardCheckStages, AFragmentBoardHasBranchesInsteadOfStartAndEnd) {
    t.project().addBoard();
    t.project().board(2).kind = BoardFragment;
    f.named(2, 2, 1, KindBranchStart, q("In")).text2 = q("Out");
    f.named(2, 2, 2, KindBranchEnd, q("Out")).text2 = q("In");
    EXPECT_EQ(check(2), (Stages{1, 1, 1, 1, 1}));
    f.put(2, 4, 1, KindStart);
    f.put(2, 4, 2, KindEnd);
    EXPECT_EQ(check(2), (Stages{0, -1, -1, -1, -1}));
}

TEST_F(BoardCheckStages, BlocksOutsideTheColumnsAndRowsInUseDoNotCount) {
    f.put(1, 9, 1, KindStart);
    f.put(1, 9, 2, KindEnd);
    EXPECT_EQ(check(), (Stages{0, -1, -1, -1, -1}));
}

TEST_F(BoardCheckStages, IncompletePropertiesFailStageTwoAndMarkTheCells) {
    f.put(1, 2, 1, KindStart);
    f.put(1, 2, 2, KindReadWrite);  // no variable, no comment
    f.message(1, 2, 3, q("ok"));
    f.put(1, 2, 4, KindEnd);
    f.variable(1, 6, 1, q("x"), TypeInteger, q("0"));
    EXPECT_EQ(check(), (Stages{1, 0, -1, -1, -1}));
    EXPECT_EQ(faulty(), (std::vector<CellRef>{{1, 2, 2}}));
    EXPECT_TRUE(t.project().cell(1, 2, 2).marked);
    EXPECT_FALSE(t.project().cell(1, 2, 3).marked);

    // Fixing it clears the mark on the next check.
    t.project().cell(1, 2, 2).text2 = q("X");
    t.project().cell(1, 2, 2).text4 = q("Podaj x");
    EXPECT_EQ(check(), (Stages{1, 1, 1, 1, 1}));
    EXPECT_FALSE(t.project().cell(1, 2, 2).marked);
}

struct PropertyCase {
    const char* what;
    int kind;
    const char* text2;
    const char* text3;
    const char* text4;
    bool passes;
};

class BlockProperties : public BoardCheckStages,
                        public ::testing::WithParamInterface<PropertyCase> {};

TEST_P(BlockProperties, AreTestedPerKind) {
    const PropertyCase& c = GetParam();
    f.put(1, 2, 1, KindStart);
    f.put(1, 2, 3, KindEnd);
    f.variable(1, 6, 1, q("x"), TypeInteger, q("0"));
    f.variable(1, 6, 2, q("y"), TypeInteger, q("0"));
    f.variable(1, 6, 3, q("tab"), TypeArray, q("\"*\""));
    Cell& cell = f.put(1, 2, 2, c.kind);
    cell.text2 = q(c.text2);
    cell.text3 = q(c.text3);
    cell.text4 = q(c.text4);
    BoardCheck check(t.workspace.checkTools());
    check.checkBoard(1);
    EXPECT_EQ(check.lastResult().stages[1], c.passes ? StagePassed : StageFailed) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    PerKind, BlockProperties,
    ::testing::Values(
        PropertyCase{"read with variable and comment", KindReadWrite, "x", "", "Podaj", true},
        PropertyCase{"read of an unknown name", KindReadWrite, "zz", "", "Podaj", false},
        PropertyCase{"read without comment", KindReadWrite, "x", "", "Brak", false},
        PropertyCase{"read with empty comment", KindReadWrite, "x", "", "", false},
        PropertyCase{"names compare without case", KindReadWrite, "X", "", "c", true},
        PropertyCase{"message", KindMessage, "", "", "Hej", true},
        PropertyCase{"message without text", KindMessage, "", "", "Brak", false},
        PropertyCase{"question", KindQuestion, "x", "", "Czy?", true},
        PropertyCase{"question without variable", KindQuestion, "Brak", "", "Czy?", false},
        PropertyCase{"assignment without formula", KindAssign, "x", "", "Brak", false},
        PropertyCase{"random", KindRandom, "x", "", "6", true},
        PropertyCase{"random into nothing", KindRandom, "Brak", "", "6", false},
        PropertyCase{"comparison", KindCompareVars, "x", "y", "", true},
        PropertyCase{"comparison missing right", KindCompareVars, "x", "Brak", "", false},
        PropertyCase{"array write", KindArrayWrite, "tab", "x", "y", true},
        PropertyCase{"array write without index", KindArrayWrite, "tab", "Brak", "y", false},
        PropertyCase{"array read", KindArrayRead, "tab", "x", "y", true},
        PropertyCase{"array read into nothing", KindArrayRead, "tab", "x", "Brak", false},
        PropertyCase{"formula comparison", KindCompareFormula, "x", "", "1", true},
        PropertyCase{"formula comparison, no formula", KindCompareFormula, "x", "", "", false},
        PropertyCase{"call without procedure board", KindCall, "Kwadrat", "", "", false},
        PropertyCase{"return without procedure board", KindReturn, "Kwadrat", "", "", false},
        PropertyCase{"connector", KindLineVertical, "", "", "", true},
        PropertyCase{"branch start linked", KindBranchStart, "x", "", "", true},
        PropertyCase{"branch end unlinked", KindBranchEnd, "Brak klocka", "", "", false}));

TEST_F(BoardCheckStages, ProcedureBoardsNeedLinkedStartAndEnd) {
    f.put(1, 2, 1, KindStart);
    f.named(1, 2, 2, KindCall, q("Go")).text2 = q("Proc");
    f.named(1, 2, 3, KindReturn, q("Back"));
    f.put(1, 2, 4, KindEnd);
    t.project().addBoard();
    t.project().board(2).kind = BoardProcedure;
    t.project().board(2).name = q("Proc");
    f.put(2, 2, 1, KindStart);  // still "Brak klocka"
    f.put(2, 2, 2, KindEnd).text2 = q("Back");
    EXPECT_EQ(check(1), (Stages{1, 1, 1, 1, 1}));
    EXPECT_EQ(check(2), (Stages{1, 0, -1, -1, -1}));
    EXPECT_EQ(faulty(), (std::vector<CellRef>{{2, 2, 1}}));
    t.project().cell(2, 2, 1).text2 = q("go");
    EXPECT_EQ(check(2), (Stages{1, 1, 1, 1, 1}));
}

TEST_F(BoardCheckStages, ArrayBlocksForgetTheirAppendCount) {
    f.put(1, 2, 1, KindStart);
    Cell& store = f.put(1, 2, 2, KindArrayWrite);
    store.text2 = q("tab");
    store.text3 = q("i");
    store.text4 = q("i");
    store.extra1 = 12;
    f.put(1, 2, 3, KindEnd);
    f.variable(1, 6, 1, q("tab"), TypeArray, q("\"*\""));
    f.variable(1, 6, 2, q("i"), TypeInteger, q("0"));
    check();
    EXPECT_EQ(t.project().cell(1, 2, 2).extra1, 0);
}

struct AgreementCase {
    int leftType;
    int rightType;
    bool agree;
};

class VariableAgreement : public BoardCheckStages,
                          public ::testing::WithParamInterface<AgreementCase> {};

TEST_P(VariableAgreement, ComparedVariablesMustHaveCompatibleTypes) {
    const AgreementCase& c = GetParam();
    f.put(1, 3, 1, KindStart);
    f.compareVariables(1, 3, 2, q("a"), 0, q("b"));
    f.put(1, 2, 2, KindCornerBottomRight);
    f.put(1, 4, 2, KindCornerLeftBottom);
    f.put(1, 2, 3, KindJoinRight);
    f.put(1, 3, 3, KindLineHorizontal);
    f.put(1, 4, 3, KindCornerTopLeft);
    f.put(1, 2, 4, KindEnd);
    const char* starts[] = {"", "0", "0", "\"K\"", "\"Brak\"", "0", "\"*\"", "\"2012/07/13\""};
    f.variable(1, 7, 1, q("a"), c.leftType, q(starts[c.leftType]));
    f.variable(1, 7, 2, q("b"), c.rightType, q(starts[c.rightType]));
    const Stages stages = check();
    EXPECT_EQ(stages[2], c.agree ? 1 : 0) << c.leftType << " vs " << c.rightType;
    if (c.agree) {
        EXPECT_EQ(stages, (Stages{1, 1, 1, 1, 1}));
    } else {
        EXPECT_EQ(faulty(), (std::vector<CellRef>{{1, 3, 2}}));
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, VariableAgreement,
                         ::testing::Values(AgreementCase{TypeInteger, TypeInteger, true},
                                           AgreementCase{TypeInteger, TypeReal, true},
                                           AgreementCase{TypeReal, TypeInteger, true},
                                           AgreementCase{TypeChar, TypeText, true},
                                           AgreementCase{TypeText, TypeChar, true},
                                           AgreementCase{TypeDate, TypeDate, true},
                                           AgreementCase{TypeInteger, TypeText, false},
                                           AgreementCase{TypeLogical, TypeInteger, false},
                                           AgreementCase{TypeArray, TypeInteger, false},
                                           AgreementCase{TypeDate, TypeText, false}));

struct FormulaCase {
    int type;
    const char* start;
    const char* formula;
    bool fits;
};

class AssignmentTypes : public BoardCheckStages,
                        public ::testing::WithParamInterface<FormulaCase> {};

TEST_P(AssignmentTypes, TheFormulaMustFitTheVariable) {
    const FormulaCase& c = GetParam();
    simpleProgram(q("v"), q(c.formula));
    f.variable(1, 6, 1, q("v"), c.type, q(c.start));
    f.variable(1, 6, 2, q("w"), TypeText, q("\"Brak\""));
    const Stages stages = check();
    if (c.fits) {
        EXPECT_EQ(stages, (Stages{1, 1, 1, 1, 1})) << c.formula;
    } else {
        EXPECT_EQ(stages, (Stages{1, 1, 0, -1, -1})) << c.formula;
        EXPECT_EQ(faulty(), (std::vector<CellRef>{{1, 2, 2}}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    ByKind, AssignmentTypes,
    ::testing::Values(
        FormulaCase{TypeInteger, "0", "2 + 3", true}, FormulaCase{TypeInteger, "0", "1 < 2", true},
        FormulaCase{TypeInteger, "0", "\"tekst\"", false},
        FormulaCase{TypeInteger, "0", "1.5", false}, FormulaCase{TypeReal, "0", "7", true},
        FormulaCase{TypeReal, "0", "1 = 1", true}, FormulaCase{TypeText, "\"Brak\"", "\"a\"", true},
        FormulaCase{TypeText, "\"Brak\"", "w", true},
        FormulaCase{TypeChar, "\"a\"", "\"ab\"", false},
        FormulaCase{TypeLogical, "0", "1 > 2", true},
        FormulaCase{TypeDate, "\"2012/07/13\"", "\"2013/08/18\"", true},
        FormulaCase{TypeArray, "\"*\"", "\"*1*2*\"", true},
        FormulaCase{TypeInteger, "0", "nosuchvariable + 1", false},
        FormulaCase{TypeInteger, "0", "(1 + ", false}));

TEST_F(BoardCheckStages, AFormulaThatFailsOnlyOnOtherTestValuesFailsStageFour) {
    // The divisor is drawn for each stage: 5 in the agreement stage, then 3.
    simpleProgram(q("v"), q("10 mod (x - 3)"));
    f.variable(1, 6, 1, q("v"), TypeInteger, q("1"));
    f.variable(1, 6, 2, q("x"), TypeInteger, q("0"));
    t.random.script = {5, 3};
    EXPECT_EQ(check(), (Stages{1, 1, 1, 0, -1}));
    EXPECT_EQ(faulty(), (std::vector<CellRef>{{1, 2, 2}}));
}

TEST_F(BoardCheckStages, TestValuesFollowTheTypeAndScope) {
    f.variable(1, 1, 1, q("i"), TypeInteger, q("0"));
    f.variable(1, 1, 2, q("j"), TypeInteger, q("12"));
    f.variable(1, 1, 3, q("r"), TypeReal, q("0"));
    f.variable(1, 1, 4, q("c"), TypeChar, q("\"z\""));
    f.variable(1, 1, 5, q("t"), TypeText, q("\"Brak\""));
    f.variable(1, 1, 6, q("u"), TypeText, q("\"Ola\""));
    f.variable(1, 1, 7, q("b"), TypeLogical, q("0"));
    f.variable(1, 1, 8, q("a"), TypeArray, q("\"*\""));
    f.variable(1, 2, 1, q("d"), TypeDate, q("\"2000/01/01\""));
    t.project().addBoard();
    f.variable(2, 1, 1, q("local"), TypeInteger, q("5"));
    f.variable(2, 1, 2, q("shared"), TypeInteger, q("6"), 1);
    t.random.script = {7, 3, 14, 2};
    BoardCheck check(t.workspace.checkTools());
    EXPECT_EQ(check.testValues(1),
              q("i=7\r\nj=12\r\nr=3.14\r\nc=\"K\"\r\nt=\"Serduszko\"\r\nu=\"Ola\"\r\nb=1\r\n"
                "a=\"*1*5*3*\"\r\nd=\"2012/07/13\"\r\nshared=6\r\nPi=3.14159265358979\r\n"
                "e=2,71828183\r\nDegToRad=0,017453\r\nRadToDeg=57,29578"));
    EXPECT_EQ(t.random.asked, (QList<QPair<qint64, qint64>>{{1, 8}, {1, 20}, {1, 20}, {0, 3}}));
    EXPECT_TRUE(check.testValues(2).startsWith(q("local=5\r\nshared=6\r\nPi=")));
}

TEST_F(BoardCheckStages, ABoardWithoutVariablesLeavesNoStaleValuesBehind) {
    t.workspace.variables().loadVariables(q("old=1"));
    simpleProgram(q("Start"), q("old + 1"));
    EXPECT_EQ(check(), (Stages{1, 1, 0, -1, -1}));
    EXPECT_EQ(t.workspace.variables().variablesList(), QString());
}

struct NeighbourCase {
    const char* what;
    // A 3 x 3 neighbourhood around the cell under test at (2,2): row by row, 0 for empty.
    int grid[3][3];
    bool fits;
};

class NeighbourRules : public BoardCheckStages,
                       public ::testing::WithParamInterface<NeighbourCase> {};

TEST_P(NeighbourRules, DecideWhetherACellFits) {
    const NeighbourCase& c = GetParam();
    // Start and End far away keep stage one quiet; the cells under test get what they need.
    f.put(1, 8, 7, KindStart);
    f.put(1, 8, 8, KindEnd);
    f.variable(1, 7, 1, q("x"), TypeInteger, q("0"));
    for (int r = 0; r < 3; ++r) {
        for (int col = 0; col < 3; ++col) {
            const int kind = c.grid[r][col];
            if (kind == 0) {
                continue;
            }
            Cell& cell = f.put(1, col + 1, r + 1, kind);
            cell.text2 = q("x");
            cell.text3 = q("x");
            cell.text4 = q("x");
        }
    }
    if (t.project().boardHasKind(1, KindCall) || t.project().boardHasKind(1, KindReturn)) {
        t.project().addBoard();
        t.project().board(2).kind = BoardProcedure;
        t.project().activeBoard = 1;
    }
    BoardCheck check(t.workspace.checkTools());
    check.checkBoard(1);
    ASSERT_EQ(check.lastResult().stages[3], StagePassed) << c.what;
    EXPECT_EQ(t.project().cell(1, 2, 2).marked, !c.fits) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    PerKind, NeighbourRules,
    ::testing::Values(
        NeighbourCase{"start above an assignment", {{0, 0, 0}, {0, 11, 0}, {0, 31, 0}}, true},
        NeighbourCase{"start above a corner 47", {{0, 0, 0}, {0, 11, 0}, {0, 47, 0}}, false},
        NeighbourCase{"start above nothing", {{0, 0, 0}, {0, 13, 0}, {0, 0, 0}}, false},
        NeighbourCase{"end below a corner 46", {{0, 46, 0}, {0, 12, 0}, {0, 0, 0}}, true},
        NeighbourCase{"end below a comparison", {{0, 32, 0}, {0, 14, 0}, {0, 0, 0}}, false},
        NeighbourCase{"read between start and end", {{0, 11, 0}, {0, 21, 0}, {0, 12, 0}}, true},
        NeighbourCase{"read above a start", {{0, 11, 0}, {0, 21, 0}, {0, 11, 0}}, false},
        NeighbourCase{"assignment below a comparison", {{0, 35, 0}, {0, 31, 0}, {0, 12, 0}}, false},
        NeighbourCase{"connector 41 in a line", {{0, 31, 0}, {0, 41, 0}, {0, 31, 0}}, true},
        NeighbourCase{"comparison with its exits", {{0, 31, 0}, {46, 35, 47}, {0, 0, 0}}, true},
        NeighbourCase{
            "comparison with 41 on its left", {{0, 31, 0}, {41, 35, 47}, {0, 0, 0}}, false},
        NeighbourCase{"comparison with 42 both sides", {{0, 31, 0}, {42, 32, 42}, {0, 0, 0}}, true},
        NeighbourCase{
            "comparison below a comparison", {{0, 32, 0}, {42, 32, 42}, {0, 0, 0}}, false},
        NeighbourCase{"42 between exits", {{0, 0, 0}, {45, 42, 44}, {0, 0, 0}}, true},
        NeighbourCase{"42 next to 41", {{0, 0, 0}, {45, 42, 41}, {0, 0, 0}}, false},
        NeighbourCase{"43 fed from the right", {{0, 31, 0}, {0, 43, 42}, {0, 31, 0}}, true},
        NeighbourCase{"43 fed from the left", {{0, 31, 0}, {42, 43, 0}, {0, 31, 0}}, false},
        NeighbourCase{"44 fed from the left", {{0, 31, 0}, {46, 44, 0}, {0, 31, 0}}, true},
        NeighbourCase{"44 fed from 47", {{0, 31, 0}, {47, 44, 0}, {0, 31, 0}}, false},
        NeighbourCase{"45 top and right", {{0, 31, 0}, {0, 45, 48}, {0, 0, 0}}, true},
        NeighbourCase{"45 without a top", {{0, 0, 0}, {0, 45, 48}, {0, 0, 0}}, false},
        NeighbourCase{"46 bottom and right", {{0, 0, 0}, {0, 46, 35}, {0, 31, 0}}, true},
        NeighbourCase{"46 with 43 on its right", {{0, 0, 0}, {0, 46, 43}, {0, 31, 0}}, false},
        NeighbourCase{"47 left and bottom", {{0, 0, 0}, {32, 47, 0}, {0, 21, 0}}, true},
        NeighbourCase{"47 with 44 on its left", {{0, 0, 0}, {44, 47, 0}, {0, 21, 0}}, false},
        NeighbourCase{"48 top and left", {{0, 33, 0}, {43, 48, 0}, {0, 0, 0}}, true},
        NeighbourCase{"48 with 47 on its left", {{0, 33, 0}, {47, 48, 0}, {0, 0, 0}}, false},
        NeighbourCase{"call above its return", {{0, 31, 0}, {0, 22, 0}, {0, 23, 0}}, true},
        NeighbourCase{"call below its return", {{0, 23, 0}, {0, 22, 0}, {0, 31, 0}}, true},
        NeighbourCase{"call on its own", {{0, 31, 0}, {0, 22, 0}, {0, 31, 0}}, false},
        NeighbourCase{"two calls stacked", {{0, 31, 0}, {0, 22, 0}, {0, 22, 0}}, false},
        NeighbourCase{"return below its call", {{0, 22, 0}, {0, 23, 0}, {0, 31, 0}}, true},
        NeighbourCase{"return on its own", {{0, 31, 0}, {0, 23, 0}, {0, 31, 0}}, false},
        NeighbourCase{"a variable anywhere", {{0, 0, 0}, {0, 15, 0}, {0, 0, 0}}, true}));

TEST_F(BoardCheckStages, NeighboursBeyondTheBoardInUseAreMissing) {
    f.resize(1, 3, 3);
    f.put(1, 1, 1, KindStart);
    f.put(1, 1, 2, KindEnd);
    f.named(1, 3, 2, KindBranchStart, q("Tu")).text2 = q("Tu");
    f.put(1, 3, 3, KindLineVertical);
    f.put(1, 3, 4, KindEnd);  // below the rows in use
    EXPECT_EQ(check(), (Stages{1, 1, 1, 1, 0}));
    EXPECT_EQ(faulty(), (std::vector<CellRef>{{1, 3, 3}}));
    f.resize(1, 3, 4);
    EXPECT_EQ(check(), (Stages{1, 1, 1, 1, 1}));
}

TEST_F(BoardCheckStages, TheProjectCheckStopsAtTheFirstFailingBoard) {
    f.put(1, 2, 1, KindStart);
    f.put(1, 2, 2, KindEnd);
    t.project().addBoard();
    t.project().addBoard();
    t.workspace.setProjectName(q("zadanie"));
    BoardCheck check(t.workspace.checkTools());
    EXPECT_FALSE(checkProject(t.workspace, check));
    ASSERT_EQ(report.boards.size(), 1u);
    EXPECT_EQ(report.boards[0].board, 2);
    EXPECT_EQ(t.project().activeBoard, 2);
    EXPECT_EQ(t.sink.messages, QStringList{t.workspace.texts().text(texts::BoardCheckFailed)});
    EXPECT_TRUE(report.projects.isEmpty());

    t.project().boardCount = 1;
    EXPECT_TRUE(checkProject(t.workspace, check));
    EXPECT_EQ(report.projects, QStringList{q("zadanie")});
}

// Two blocks sharing a name (pasted, or renamed by hand) fail no stage, so a project the
// check passed before still passes; each is named with the other's cell as a hint. Start and
// End share their names on every board by design.
TEST_F(BoardCheckStages, ASharedBlockNameIsAHintWithTheOtherCell) {
    simpleProgram(q("v"), q("1"));
    f.variable(1, 6, 1, q("v"), TypeInteger, q("0"));
    t.project().cell(1, 2, 2).name = q("Licz");
    t.project().addBoard();
    f.put(2, 2, 1, KindStart);
    f.assign(2, 3, 4, q("v"), q("2")).name = q("licz");
    f.put(2, 2, 2, KindEnd);
    EXPECT_EQ(check(1), (Stages{1, 1, 1, 1, 1}));
    const std::vector<CheckFinding> hints = report.boards.back().hints;
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0].reason, CheckReason::DuplicateName);
    EXPECT_EQ(checkFindingLine(hints[0], t.workspace.texts()),
              q("Plansza 1, kolumna 2, wiersz 2: Blok Licz: tę samą nazwę nosi blok na planszy 2 "
                "(kolumna 3, wiersz 4)."));
    EXPECT_TRUE(report.boards.back().findings.empty());
    EXPECT_EQ(checkReasonCode(hints[0].reason), q("duplicate-name"));

    // A board that fails keeps its reasons as they were, with the hint beside them.
    t.project().deleteBlock(2, 2, 2);
    EXPECT_EQ(check(2), (Stages{0, -1, -1, -1, -1}));
    ASSERT_EQ(report.boards.back().findings.size(), 1u);
    EXPECT_EQ(report.boards.back().findings[0].reason, CheckReason::NoEnd);
    ASSERT_EQ(report.boards.back().hints.size(), 1u);
    t.workspace.setLanguage(q("ang"));
    EXPECT_EQ(checkFindingLine(report.boards.back().hints[0], t.workspace.texts()),
              q("Board 2, column 3, row 4: Block licz: the block on board 1 (column 2, row 2) "
                "has the same name."));

    // Named apart, no hint is left.
    t.project().cell(2, 3, 4).name = q("Inna");
    check(1);
    EXPECT_TRUE(report.boards.back().hints.empty());
}

TEST(CheckReportRows, ShowEveryStageWithItsVerdict) {
    Project project;
    TextTable texts;
    BoardCheckResult failed;
    failed.stages = {0, -1, -1, -1, -1};
    const std::vector<ReportRow> rows = boardReportRows(project, failed, texts);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0].label, texts.text(texts::ReportCheckOf) + q("Plansza nr 1"));
    EXPECT_EQ(rows[1].value, q("NO"));
    EXPECT_EQ(rows[1].tone, ReportRow::Bad);
    for (int i = 2; i <= 5; ++i) {
        EXPECT_EQ(rows[static_cast<std::size_t>(i)].value, texts.text(texts::ReportNotDetermined));
        EXPECT_EQ(rows[static_cast<std::size_t>(i)].tone, ReportRow::Undetermined);
    }
    EXPECT_EQ(rows[6].label, texts.text(texts::ReportBoardNeedsFixing));
    EXPECT_EQ(rows[6].tone, ReportRow::Bad);

    // The first stage always ran, so even a -1 there reads "NO".
    BoardCheckResult odd;
    odd.stages = {-1, 1, 1, 1, 1};
    EXPECT_EQ(boardReportRows(project, odd, texts)[1].value, q("NO"));

    BoardCheckResult passed;
    passed.stages = {1, 1, 1, 1, 1};
    const std::vector<ReportRow> good = boardReportRows(project, passed, texts);
    EXPECT_EQ(good[3].value, q("OK"));
    EXPECT_EQ(good[6].label, texts.text(texts::ReportBoardReady));
    EXPECT_EQ(good[6].tone, ReportRow::Normal);
}

TEST(CheckReportRows, VariablesAreListedWithTheirCurrentValues) {
    Project project;
    FlowBuilder f(project);
    f.variable(1, 2, 1, q("b"), TypeText, q("\"\""));
    f.variable(1, 1, 3, q("a"), TypeInteger, q("0"));
    const QString longText = q("\"abcdefghijklmnopqrstuvwxyz\"");
    const std::vector<ReportRow> rows =
        variablesReportRows(project, q("A=5\r\nB=") + longText, TextTable());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].shape, ReportRow::Header);
    EXPECT_EQ(rows[1].label, q("a"));
    EXPECT_EQ(rows[1].value, q("5"));
    EXPECT_EQ(rows[2].value, longText.left(24));
    EXPECT_EQ(reportValueText(q("1234567890123")), q("1234567890123"));
    EXPECT_EQ(reportValueText(q("12345678901234")), q("12345678901234.."));
    EXPECT_EQ(variablesReportRows(Project(), QString(), TextTable()).size(), 1u);
    EXPECT_FALSE(rows[1].changed);  // nothing to compare with

    // Against the list before a step: a change past the shown characters still counts, and a
    // variable that had no line before has changed too.
    const QString before = q("A=5\r\nB=") + longText.left(27) + q("!\"");
    const std::vector<ReportRow> marked =
        variablesReportRows(project, q("A=5\r\nB=") + longText, TextTable(), &before);
    EXPECT_FALSE(marked[1].changed);
    EXPECT_TRUE(marked[2].changed);
    const QString none;
    EXPECT_TRUE(variablesReportRows(project, q("A=5"), TextTable(), &none)[1].changed);
}

// Every reason the check gives, each on a flowchart with that one fault: the stage that fails,
// the reason, and the cell (or the whole board) it points at.
TEST(BoardCheckReasons, EachFaultIsNamedAndPlaced) {
    for (const test::FaultyBoard& faulty : test::faultyBoards()) {
        TestWorkspace t;
        RecordedReport report;
        t.workspace.setCheckReport(&report);
        FlowBuilder f(t.project());
        faulty.build(f, t.project());
        BoardCheck check(t.workspace.checkTools());
        EXPECT_FALSE(checkProject(t.workspace, check)) << faulty.name;
        const BoardCheckResult& result = check.lastResult();
        ASSERT_FALSE(result.findings.empty()) << faulty.name;
        const CheckFinding& first = result.findings.front();
        EXPECT_EQ(first.reason, faulty.reason) << faulty.name;
        EXPECT_EQ(first.stage, faulty.stage) << faulty.name;
        EXPECT_EQ(result.stages[static_cast<std::size_t>(faulty.stage)], StageFailed)
            << faulty.name;
        EXPECT_EQ(first.board, faulty.board) << faulty.name;
        EXPECT_EQ(first.column, faulty.column) << faulty.name;
        EXPECT_EQ(first.row, faulty.row) << faulty.name;
        // A faulty cell is marked and listed; every marked cell has its reason.
        EXPECT_EQ(result.findings.size(),
                  std::max<std::size_t>(result.faultyCells.size(), first.atCell() ? 0 : 1))
            << faulty.name;
    }
}

// A pupil's "%1" in a formula stays as typed in the reason's sentence.
TEST(BoardCheckReasons, TheSentenceKeepsThePupilsWordsAsTyped) {
    CheckFinding finding;
    finding.reason = CheckReason::ResultDoesNotFit;
    finding.column = 2;
    finding.row = 3;
    finding.block = QStringLiteral("Przypisz%2");
    finding.details = {QStringLiteral("\"%1%3\""), QStringLiteral("n")};
    const TextTable texts;
    EXPECT_EQ(checkFindingText(finding, texts),
              QString::fromUtf8("Blok Przypisz%2: wynik formuły \"%1%3\" nie pasuje do typu "
                                "zmiennej n."));
    EXPECT_EQ(checkFindingLine(finding, texts),
              QString::fromUtf8("Plansza 1, kolumna 2, wiersz 3: Blok Przypisz%2: wynik formuły "
                                "\"%1%3\" nie pasuje do typu zmiennej n."));
}

// What the properties window shows and stores for each kind, without the window: layouts,
// values, lists, validation and the typing filters.
#include <QStringList>
#include <vector>

#include <gtest/gtest.h>

#include "FlowBuilder.h"
#include "config/TextTable.h"
#include "edit/BlockProperties.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

using namespace trevalon;

namespace {

class PropertiesFixture : public ::testing::Test {
protected:
    PropertiesFixture() : props(project, texts) { project.newProject(); }

    // Places a block of `kind` on board n and returns its cell.
    Cell& place(int n, int column, int row, int kind) {
        return test::FlowBuilder(project).put(n, column, row, kind);
    }
    Cell& variable(int n, int column, int row, const QString& name, int type, int scope = 0) {
        Cell& cell = place(n, column, row, KindVariable);
        cell.name = name;
        cell.mode = type;
        cell.scope = scope;
        return cell;
    }
    void showCell(int column, int row) {
        const Cell& cell = project.cell(project.activeBoard, column, row);
        props.show(cell.isVariable ? PropertiesVariable : cell.kindCode, column, row);
    }
    // The row (from 1) whose label is text `label`.
    int rowLabelled(int label) const {
        for (int r = 1; r <= props.rowCount(); ++r) {
            if (props.rowAt(r).label == label) {
                return r;
            }
        }
        return 0;
    }
    Project project;
    TextTable texts;
    BlockProperties props;
};

struct LayoutCase {
    int kind;
    bool procedureBoard;
    const char* layout;
};

class PropertyLayouts : public PropertiesFixture,
                        public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(PropertyLayouts, EachKindHasItsRows) {
    const LayoutCase& c = GetParam();
    project.boardCount = 2;
    project.activeBoard = 2;
    project.board(2).kind = c.procedureBoard ? BoardProcedure : BoardProgram;
    place(2, 3, 3, c.kind);
    showCell(3, 3);
    EXPECT_EQ(props.layout(), QLatin1String(c.layout));
    EXPECT_EQ(props.rowAt(props.rowCount()).field, PropertyField::Strip);
    if (c.kind != KindVariable) {
        EXPECT_EQ(props.label(1), QStringLiteral("Plansza"));
        EXPECT_EQ(props.value(1), project.board(2).name);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, PropertyLayouts,
    ::testing::Values(LayoutCase{11, false, "000"}, LayoutCase{11, true, "0020"},
                      LayoutCase{12, false, "000"}, LayoutCase{12, true, "0020"},
                      LayoutCase{13, false, "01220"}, LayoutCase{14, false, "01220"},
                      LayoutCase{15, false, "012210"}, LayoutCase{21, false, "0112200"},
                      LayoutCase{22, false, "0120"}, LayoutCase{23, false, "0120"},
                      LayoutCase{24, false, "0110"}, LayoutCase{25, false, "01120"},
                      LayoutCase{26, false, "01210"}, LayoutCase{31, false, "01210"},
                      LayoutCase{32, false, "012220"}, LayoutCase{33, false, "012220"},
                      LayoutCase{34, false, "012220"}, LayoutCase{35, false, "012120"},
                      LayoutCase{41, false, "010"}, LayoutCase{42, false, "010"},
                      LayoutCase{43, false, "0120"}, LayoutCase{44, false, "0120"},
                      LayoutCase{45, false, "010"}, LayoutCase{46, false, "010"},
                      LayoutCase{47, false, "010"}, LayoutCase{48, false, "010"}));

// Each row's label, by text number from the first row to the strip (which has none).
TEST_F(PropertiesFixture, EveryKindLabelsItsRows) {
    project.boardCount = 2;
    project.activeBoard = 2;
    project.board(2).kind = BoardProcedure;
    const struct {
        int kind;
        std::vector<int> labels;
    } cases[] = {
        {PropertiesBoard, {61, 73, 74, 75, 0}},
        {KindVariable, {61, 62, 63, 64, 65, 0}},
        {KindStart, {61, 79, 81, 0}},
        {KindEnd, {61, 79, 83, 0}},
        {KindBranchStart, {61, 79, 84, 64, 0}},
        {KindBranchEnd, {61, 79, 84, 64, 0}},
        {KindReadWrite, {61, 79, 96, 97, 98, 99, 0}},
        {KindCall, {61, 79, 71, 0}},
        {KindReturn, {61, 79, 71, 0}},
        {KindMessage, {61, 79, 100, 0}},
        {KindQuestion, {61, 79, 101, 97, 0}},
        {KindRandom, {61, 79, 97, 64, 0}},
        {KindAssign, {61, 79, 62, 102, 0}},
        {KindCompareVars, {61, 79, 103, 104, 105, 0}},
        {KindCompareFormula, {61, 79, 103, 102, 105, 0}},
        {KindArrayWrite, {61, 79, 106, 107, 108, 0}},
        {KindArrayRead, {61, 79, 106, 107, 108, 0}},
        {KindJoinRight, {61, 79, 111, 0}},
        {KindLineVertical, {61, 79, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        if (c.kind == PropertiesBoard) {
            props.show(c.kind, 0, 0);
        } else {
            place(2, 4, 4, c.kind);
            showCell(4, 4);
        }
        std::vector<int> labels;
        for (int r = 1; r <= props.rowCount(); ++r) {
            labels.push_back(props.rowAt(r).label);
        }
        EXPECT_EQ(labels, c.labels);
        if (c.kind != PropertiesBoard) {
            project.clearCell(2, 4, 4);
        }
    }
}

TEST_F(PropertiesFixture, BoardRowsFollowTheBoardNumber) {
    props.show(PropertiesBoard, 0, 0);
    EXPECT_EQ(props.layout(), QStringLiteral("12200"));
    EXPECT_EQ(props.value(4), QStringLiteral("Program"));
    project.addBoard();
    project.board(2).kind = BoardFragment;
    props.show(PropertiesBoard, 0, 0);
    EXPECT_EQ(props.layout(), QStringLiteral("12220"));
    EXPECT_EQ(props.value(4), QStringLiteral("Pole"));
    EXPECT_EQ(props.listItems(2).first(), QStringLiteral("8"));
    EXPECT_EQ(props.listItems(2).last(), QStringLiteral("15"));
}

TEST_F(PropertiesFixture, VariableNameIsCheckedAcrossTheProject) {
    project.addBoard();
    variable(1, 1, 1, QStringLiteral("licznik"), TypeInteger);
    project.activeBoard = 2;
    variable(2, 2, 2, QStringLiteral("x"), TypeInteger);
    place(2, 3, 3, KindAssign).name = QStringLiteral("Krok");
    showCell(2, 2);
    // Another board's variable, in any letter case.
    BlockProperties::Effects refused = props.storeText(2, QStringLiteral("LICZNIK"));
    EXPECT_FALSE(refused.stored);
    EXPECT_EQ(refused.refusal.text(), 69);
    // A block of the same board.
    refused = props.storeText(2, QStringLiteral("krok"));
    EXPECT_FALSE(refused.stored);
    EXPECT_EQ(refused.refusal.text(), 69);
    refused = props.storeText(2, QString());
    EXPECT_FALSE(refused.stored);
    EXPECT_EQ(refused.refusal.text(), 67);
    EXPECT_EQ(project.cell(2, 2, 2).name, QStringLiteral("x"));
    const BlockProperties::Effects stored = props.storeText(2, QStringLiteral("n"));
    EXPECT_TRUE(stored.stored);
    EXPECT_TRUE(stored.refusal.ok());
    EXPECT_EQ(project.cell(2, 2, 2).name, QStringLiteral("n"));
}

TEST_F(PropertiesFixture, ReservedNameGivesOnlyItsOwnMessage) {
    place(1, 1, 1, KindAssign);
    showCell(1, 1);
    const BlockProperties::Effects refused = props.storeText(2, QStringLiteral("Brak"));
    EXPECT_FALSE(refused.stored);
    EXPECT_EQ(refused.refusal.message(texts),
              QStringLiteral("Brak") + texts.text(texts::NotAllowedAsName));
    // Only the exact word is reserved.
    EXPECT_TRUE(props.storeText(2, QStringLiteral("brak")).stored);
}

TEST_F(PropertiesFixture, TypeChoiceResetsTheStartValue) {
    props.today = [] { return QDate(2024, 3, 9); };
    variable(1, 1, 1, QStringLiteral("v"), TypeInteger).text4 = QStringLiteral("12");
    showCell(1, 1);
    const struct {
        int type;
        QString start;
        const char* layout;
    } cases[] = {
        {TypeText, QStringLiteral("\"Brak\""), "012210"},
        {TypeArray, QStringLiteral("\"*\""), "012200"},
        {TypeDate, QStringLiteral("\"2024/03/09\""), "012210"},
        {TypeLogical, QStringLiteral("0"), "012220"},
        {TypeChar, QStringLiteral("\"Brak\""), "012210"},
        {TypeReal, QStringLiteral("0"), "012210"},
    };
    for (const auto& c : cases) {
        const auto effects = props.storeChoice(3, c.type - 1);
        EXPECT_TRUE(effects.layoutChanged) << c.type;
        EXPECT_EQ(project.cell(1, 1, 1).mode, c.type);
        EXPECT_EQ(project.cell(1, 1, 1).text4, c.start) << c.type;
        EXPECT_EQ(props.layout(), QLatin1String(c.layout)) << c.type;
    }
}

// The list shows Prawda for the value a run reads as true.
TEST_F(PropertiesFixture, LogicalStartValueMatchesWhatARunReads) {
    variable(1, 1, 1, QStringLiteral("ok"), TypeLogical).text4 = QStringLiteral("0");
    showCell(1, 1);
    EXPECT_EQ(props.value(5), QStringLiteral("Fałsz"));
    EXPECT_EQ(props.listItems(5), (QStringList{QStringLiteral("Prawda"), QStringLiteral("Fałsz")}));
    props.storeChoice(5, 0);
    EXPECT_EQ(project.cell(1, 1, 1).text4, QStringLiteral("1"));
    EXPECT_EQ(props.value(5), QStringLiteral("Prawda"));
    EXPECT_EQ(props.listChoice(5), 0);
    props.storeChoice(5, 1);
    EXPECT_EQ(project.cell(1, 1, 1).text4, QStringLiteral("0"));
}

TEST_F(PropertiesFixture, DateStartValueMustBeARealDay) {
    variable(1, 1, 1, QStringLiteral("d"), TypeDate).text4 = QStringLiteral("\"2020/01/01\"");
    showCell(1, 1);
    const struct {
        const char* text;
        bool stored;
    } cases[] = {
        {"\"2024/04/31\"", false}, {"\"2024/04/30\"", true},  {"\"1900/01/01\"", false},
        {"\"1901/01/01\"", true},  {"\"2399/12/31\"", true},  {"\"2400/01/01\"", false},
        {"\"2024/02/29\"", true},  {"\"2023/02/29\"", false}, {"\"2023/13/01\"", false},
        {"\"2023/00/10\"", false}, {"\"2023/01/00\"", false}, {"2023/01/01", false},
        {"\"2023/1/1\"", false},   {"\"2023-01-01\"", false}, {"\"2023/01/011", false},
    };
    for (const auto& c : cases) {
        const QString before = project.cell(1, 1, 1).text4;
        const BlockProperties::Effects effects = props.storeText(5, QLatin1String(c.text));
        EXPECT_EQ(effects.stored, c.stored) << c.text;
        EXPECT_EQ(effects.refusal.text(), c.stored ? 0 : int(texts::DateStartValueRefused))
            << c.text;
        EXPECT_EQ(project.cell(1, 1, 1).text4, c.stored ? QLatin1String(c.text) : before);
    }
}

TEST_F(PropertiesFixture, TextStartValueKeepsItsLength) {
    Cell& v = variable(1, 1, 1, QStringLiteral("s"), TypeText);
    v.text4 = QStringLiteral("\"abc\"");
    showCell(1, 1);
    EXPECT_EQ(props.editText(5), QStringLiteral("\"abc\""));
    EXPECT_EQ(v.extra1, 5);
    props.storeText(5, QStringLiteral("\"Ala ma\""));
    EXPECT_EQ(v.extra1, 8);
}

TEST_F(PropertiesFixture, ReadWritePrecisionFollowsModeAndType) {
    variable(1, 1, 1, QStringLiteral("r"), TypeReal);
    variable(1, 1, 2, QStringLiteral("i"), TypeInteger);
    Cell& block = place(1, 2, 1, KindReadWrite);
    block.extra1 = 3;
    showCell(2, 1);
    EXPECT_EQ(props.layout(), QStringLiteral("0112200"));
    EXPECT_EQ(props.value(6), QStringLiteral("nie dotyczy"));
    // Looking at a block changes nothing in it.
    EXPECT_EQ(block.extra1, 3);
    props.storeChoice(4, 0);  // r
    props.storeChoice(5, 1);  // Pisz
    EXPECT_EQ(block.mode, 1);
    EXPECT_EQ(props.layout(), QStringLiteral("0112220"));
    props.storeChoice(6, 2);
    EXPECT_EQ(block.extra1, 2);
    EXPECT_EQ(props.value(6), QStringLiteral("2 cyfry"));
    // Back to reading: no rounding applies any more.
    props.storeChoice(5, 0);
    EXPECT_EQ(props.layout(), QStringLiteral("0112200"));
    EXPECT_EQ(block.extra1, 7);
    EXPECT_EQ(props.value(6), QStringLiteral("nie dotyczy"));
    // Writing an integer is not rounded either.
    props.storeChoice(5, 1);
    props.storeChoice(4, 1);  // i
    EXPECT_EQ(block.text2, QStringLiteral("i"));
    EXPECT_EQ(props.layout(), QStringLiteral("0112200"));
}

TEST_F(PropertiesFixture, VariableListsOfferWhatTheBlockSeesOfTheRightType) {
    project.addBoard();
    variable(1, 1, 1, QStringLiteral("a"), TypeInteger);
    variable(1, 2, 1, QStringLiteral("g"), TypeInteger, 1);
    variable(1, 3, 1, QStringLiteral("t"), TypeArray, 1);
    variable(2, 1, 1, QStringLiteral("b"), TypeLogical);
    variable(2, 1, 2, QStringLiteral("c"), TypeInteger);
    project.activeBoard = 2;
    place(2, 4, 4, KindAssign);
    showCell(4, 4);
    EXPECT_EQ(props.listItems(3), (QStringList{QStringLiteral("g"), QStringLiteral("t"),
                                               QStringLiteral("b"), QStringLiteral("c")}));
    place(2, 5, 5, KindQuestion);
    showCell(5, 5);
    EXPECT_EQ(props.listItems(4), QStringList{QStringLiteral("b")});
    place(2, 6, 6, KindArrayWrite);
    showCell(6, 6);
    EXPECT_EQ(props.listItems(3), QStringList{QStringLiteral("t")});
    EXPECT_EQ(props.listItems(4), (QStringList{QStringLiteral("g"), QStringLiteral("c")}));
    project.activeBoard = 1;
    place(1, 6, 6, KindQuestion);
    showCell(6, 6);
    EXPECT_EQ(props.listItems(4), QStringList{QStringLiteral("Brak")});
    props.storeChoice(4, 0);
    EXPECT_EQ(project.cell(1, 6, 6).text2, QStringLiteral("Brak"));
}

TEST_F(PropertiesFixture, ChoosingAnArrayStartsItsCountAgain) {
    variable(1, 1, 1, QStringLiteral("t"), TypeArray);
    Cell& block = place(1, 2, 2, KindArrayWrite);
    block.extra1 = 5;
    showCell(2, 2);
    EXPECT_EQ(props.listChoice(3), -1);  // still linked to its own name
    props.storeChoice(3, 0);
    EXPECT_EQ(block.text2, QStringLiteral("t"));
    EXPECT_EQ(block.extra1, 0);
}

TEST_F(PropertiesFixture, LinksOfferTheBlocksAtTheOtherEnd) {
    project.addBoard();
    project.board(2).kind = BoardProcedure;
    place(1, 1, 1, KindCall).name = QStringLiteral("Wolaj");
    place(1, 2, 1, KindBranchEnd).name = QStringLiteral("EndA");
    Cell& global = place(2, 1, 1, KindBranchEnd);
    global.name = QStringLiteral("EndG");
    global.scope = 1;
    place(2, 2, 1, KindBranchEnd).name = QStringLiteral("EndLocal2");
    project.activeBoard = 1;
    place(1, 3, 3, KindBranchStart);
    showCell(3, 3);
    EXPECT_EQ(props.listItems(3), (QStringList{QStringLiteral("EndA"), QStringLiteral("EndG")}));
    // A branch end sees no branch start here: the one of board 1 is local to it.
    project.activeBoard = 2;
    place(2, 4, 4, KindBranchEnd);
    showCell(4, 4);
    EXPECT_EQ(props.listItems(3), QStringList{QStringLiteral("Brak klocka")});
    EXPECT_EQ(props.value(3), QStringLiteral("Brak klocka"));
    EXPECT_EQ(props.listChoice(3), 0);
    project.activeBoard = 1;
    place(1, 5, 5, KindCall);
    showCell(5, 5);
    EXPECT_EQ(props.listItems(3), QStringList{project.board(2).name});
    project.activeBoard = 2;
    place(2, 5, 5, KindStart);
    showCell(5, 5);
    EXPECT_EQ(props.value(2), QStringLiteral("Start"));
    EXPECT_EQ(props.listItems(3),
              (QStringList{QStringLiteral("Wolaj"), project.cell(1, 5, 5).name}));
}

TEST_F(PropertiesFixture, UnchangedChoiceLeavesTheBoardUnchanged) {
    place(1, 1, 1, KindCompareVars);
    showCell(1, 1);
    project.board(1).changed = false;
    EXPECT_FALSE(props.storeChoice(5, 0).stored);
    EXPECT_FALSE(project.board(1).changed);
    EXPECT_FALSE(props.storeText(2, project.cell(1, 1, 1).name).stored);
    EXPECT_FALSE(project.board(1).changed);
}

TEST_F(PropertiesFixture, VanishedBlockIsNotWritten) {
    place(1, 1, 1, KindMessage);
    showCell(1, 1);
    project.deleteBlock(1, 1, 1);
    EXPECT_FALSE(props.valid());
    EXPECT_FALSE(props.storeText(3, QStringLiteral("tekst")).stored);
    EXPECT_TRUE(project.cell(1, 1, 1).text4.isEmpty());
}

TEST_F(PropertiesFixture, BuildersStartFromTheStoredText) {
    variable(1, 1, 1, QStringLiteral("x"), TypeReal);
    Cell& assign = place(1, 2, 2, KindAssign);
    showCell(2, 2);
    EXPECT_EQ(props.rowAt(4).builder, RowBuilder::Expression);
    EXPECT_EQ(props.builderText(4), QString());  // "Brak" starts empty
    EXPECT_EQ(props.formulaTarget(), QStringLiteral("Brak"));
    assign.text2 = QStringLiteral("x");
    assign.text4 = QStringLiteral("1/3");
    EXPECT_EQ(props.builderText(4), QStringLiteral("1/3"));
    EXPECT_EQ(props.formulaTarget(), QStringLiteral("x"));
    place(1, 3, 3, KindReadWrite);
    showCell(3, 3);
    EXPECT_EQ(props.rowAt(3).builder, RowBuilder::Comment);
    EXPECT_EQ(props.rowAt(4).builder, RowBuilder::None);
}

TEST(PropertyValues, LongValuesAreCutAfterTwentyCharacters) {
    EXPECT_EQ(BlockProperties::shortened(QStringLiteral("12345678901234567890")),
              QStringLiteral("12345678901234567890"));
    EXPECT_EQ(BlockProperties::shortened(QStringLiteral("123456789012345678901")),
              QStringLiteral("12345678901234567890.."));
}

struct KeyCase {
    KeyFilter filter;
    const char* current;
    char16_t typed;
    char16_t expected;  // 0: refused
    int reason = 0;     // the refusal's text, which the window shows beside the field
    const char* argument = "";
};

class PropertyKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(PropertyKeys, FieldsTakeOnlyTheirCharacters) {
    const KeyCase& c = GetParam();
    const QString current = QString::fromUtf8(c.current);
    const auto accepted = BlockProperties::acceptKey(c.filter, QChar(c.typed), current);
    const BlockProperties::KeyVerdict verdict =
        BlockProperties::judgeKey(c.filter, QChar(c.typed), current);
    EXPECT_EQ(verdict.taken, accepted);
    EXPECT_EQ(verdict.refusal.text(), c.reason);
    if (c.expected == 0) {
        EXPECT_FALSE(accepted.has_value());
        EXPECT_EQ(verdict.refusal.arguments().join(QString()), QString::fromUtf8(c.argument));
    } else {
        ASSERT_TRUE(accepted.has_value());
        EXPECT_EQ(*accepted, QChar(c.expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Filters, PropertyKeys,
    ::testing::Values(
        KeyCase{KeyFilter::Name, "", u'a', u'a'}, KeyCase{KeyFilter::Name, "", u'Z', u'Z'},
        KeyCase{KeyFilter::Name, "", u'7', u'7'}, KeyCase{KeyFilter::Name, "", u'_', u'_'},
        KeyCase{KeyFilter::Name, "", u'\b', u'\b'},
        KeyCase{KeyFilter::Name, "", u' ', 0, texts::KeyNameCharacters},
        KeyCase{KeyFilter::Name, "", u'ą', 0, texts::KeyWithoutPolishLetters},
        KeyCase{KeyFilter::Name, "", u'-', 0, texts::KeyNameCharacters},
        KeyCase{KeyFilter::Formula, "", u',', u'.'}, KeyCase{KeyFilter::Formula, "", u'"', u'"'},
        KeyCase{KeyFilter::Formula, "", u'(', u'('}, KeyCase{KeyFilter::Formula, "", u'/', u'/'},
        KeyCase{KeyFilter::Formula, "", u'<', 0, texts::KeyFromOperationList, "<"},
        KeyCase{KeyFilter::Formula, "", u'=', 0, texts::KeyFromOperationList, "="},
        KeyCase{KeyFilter::Formula, "", u'^', 0, texts::KeyFromOperationList, "^"},
        KeyCase{KeyFilter::Integer, "", u'-', u'-'}, KeyCase{KeyFilter::Integer, "", u'5', u'5'},
        KeyCase{KeyFilter::Integer, "", u'.', 0, texts::KeyIntegerCharacters},
        KeyCase{KeyFilter::Integer, "", u'e', 0, texts::KeyIntegerCharacters},
        KeyCase{KeyFilter::Real, "", u',', u'.'}, KeyCase{KeyFilter::Real, "", u'.', u'.'},
        KeyCase{KeyFilter::Real, "", u'x', 0, texts::KeyRealCharacters},
        KeyCase{KeyFilter::Character, "", u'x', u'x'},
        KeyCase{KeyFilter::Character, "a", u'x', 0, texts::KeyOneCharacter},
        KeyCase{KeyFilter::Character, "a", u'\b', u'\b'},
        KeyCase{KeyFilter::Character, "\"a\"", u'x', u'x'},
        KeyCase{KeyFilter::Date, "", u'/', u'/'}, KeyCase{KeyFilter::Date, "", u'"', u'"'},
        KeyCase{KeyFilter::Date, "", u'2', u'2'},
        KeyCase{KeyFilter::Date, "", u'-', 0, texts::KeyDateCharacters},
        KeyCase{KeyFilter::Anything, "", u'ż', u'ż'}, KeyCase{KeyFilter::Anything, "", u'<', u'<'},
        KeyCase{KeyFilter::Formula, "", u'>', 0, texts::KeyFromOperationList, ">"},
        KeyCase{KeyFilter::Formula, "", u'ł', 0, texts::KeyWithoutPolishLetters},
        KeyCase{KeyFilter::Formula, "", u'!', 0, texts::KeyNotInFormula, "!"}));

}  // namespace

#include <gtest/gtest.h>

#include "model/Cell.h"
#include "model/KindCode.h"

namespace trevalon {
namespace {

Cell comparison(int kind) {
    Cell cell;
    cell.occupied = true;
    cell.kindCode = kind;
    cell.text2 = QStringLiteral("a");
    cell.text3 = QStringLiteral("b");
    cell.text4 = QStringLiteral("a+1");
    return cell;
}

TEST(CellViews, AComparisonComparesWithItsOtherVariableOrItsFormula) {
    EXPECT_EQ(comparison(KindCompareVars).comparedWith(), QStringLiteral("b"));
    EXPECT_EQ(comparison(KindCompareFormula).comparedWith(), QStringLiteral("a+1"));
}

TEST(CellViews, GenericFieldsAreTheStoredOnesAndOfOneSortOnly) {
    Cell cell = comparison(KindCompareVars);
    cell.extra1 = 7;
    *cell.text(Cell::Field::Text3) = QStringLiteral("c");
    EXPECT_EQ(cell.text3, QStringLiteral("c"));
    EXPECT_EQ(*cell.text(Cell::Field::Text2), QStringLiteral("a"));
    EXPECT_EQ(*cell.text(Cell::Field::Text4), QStringLiteral("a+1"));
    EXPECT_EQ(*cell.number(Cell::Field::Extra1), 7);
    EXPECT_EQ(cell.text(Cell::Field::Extra1), nullptr);
    EXPECT_EQ(cell.number(Cell::Field::Text2), nullptr);
}

// The undo history keeps a step only when a board's content changed: a selection or a run's
// mark, or the place a copy stands, is no change.
TEST(CellContent, PlaceAndMarkAreNoPartOfIt) {
    const Cell original = comparison(KindCompareVars);
    Cell moved = original;
    moved.marked = true;
    moved.board = 2;
    moved.column = 5;
    moved.row = 9;
    EXPECT_TRUE(moved.sameContent(original));
    Cell other = original;
    other.extra2 = 1;
    EXPECT_FALSE(other.sameContent(original));
    other = original;
    other.text4 += u' ';
    EXPECT_FALSE(other.sameContent(original));
    EXPECT_EQ(original.textLength(), 0 + 1 + 1 + 3);
}

TEST(CellContent, ReplacingTextsTouchesOnlyTheEqualOnesAndNotTheName) {
    Cell cell = comparison(KindArrayWrite);
    cell.name = QStringLiteral("a");
    cell.text4 = QStringLiteral("a");
    cell.replaceTexts(QStringLiteral("a"), QStringLiteral("T2"));
    EXPECT_EQ(cell.text2, QStringLiteral("T2"));
    EXPECT_EQ(cell.text3, QStringLiteral("b"));
    EXPECT_EQ(cell.text4, QStringLiteral("T2"));
    EXPECT_EQ(cell.name, QStringLiteral("a"));
}

}  // namespace
}  // namespace trevalon

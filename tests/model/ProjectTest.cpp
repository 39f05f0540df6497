#include "model/Project.h"

#include <gtest/gtest.h>

#include "model/BlockCatalogue.h"

using namespace trevalon;

namespace {

void placeKind(Project& p, int n, int c, int r, int kind) {
    p.placeBlock(n, c, r, kind / 10, kind % 10);
}

}  // namespace

TEST(ProjectPlacement, CounterRunsAcrossNewProjectsAndNeverRestarts) {
    Project p;
    placeKind(p, 1, 1, 1, KindReadWrite);
    EXPECT_EQ(p.cell(1, 1, 1).name, QStringLiteral("Czytaj1"));
    p.newProject();
    placeKind(p, 1, 1, 1, KindAssign);
    EXPECT_EQ(p.cell(1, 1, 1).name, QStringLiteral("Przypisanie2"));
    EXPECT_EQ(p.placementCounter(), 2);
}

TEST(ProjectPlacement, StartAndEndTakeNoNumber) {
    Project p;
    placeKind(p, 1, 1, 1, KindStart);
    placeKind(p, 1, 1, 2, KindEnd);
    EXPECT_EQ(p.cell(1, 1, 1).name, QStringLiteral("Start"));
    EXPECT_EQ(p.cell(1, 1, 2).name, QStringLiteral("End"));
    EXPECT_EQ(p.cell(1, 1, 1).text2, QStringLiteral("Brak klocka"));
}

TEST(ProjectPlacement, VariablesAreNamedAfterTheBoardsVariableCount) {
    Project p;
    placeKind(p, 1, 1, 1, KindVariable);
    EXPECT_EQ(p.cell(1, 1, 1).name, QStringLiteral("Zm0"));
    p.board(1).variableCount = 3;  // the editor raises it after each placement
    placeKind(p, 1, 2, 1, KindVariable);
    const Cell& c = p.cell(1, 2, 1);
    EXPECT_EQ(c.name, QStringLiteral("Zm3"));
    EXPECT_TRUE(c.isVariable);
    EXPECT_EQ(c.mode, TypeInteger);
    EXPECT_EQ(c.scope, 0);
    EXPECT_EQ(c.text4, QStringLiteral("0"));
    EXPECT_EQ(c.kindCode, 15);
}

TEST(ProjectPlacement, VariablePlacementLeavesChangedFlagToTheEditor) {
    Project p;
    p.clearChanged();
    placeKind(p, 1, 1, 1, KindVariable);
    EXPECT_FALSE(p.projectChanged());
    placeKind(p, 1, 1, 2, KindMessage);
    EXPECT_TRUE(p.projectChanged());
}

TEST(ProjectPlacement, PerKindDefaults) {
    Project p;
    placeKind(p, 1, 1, 1, KindArrayWrite);
    const Cell& array = p.cell(1, 1, 1);
    EXPECT_EQ(array.text2, array.name);
    EXPECT_EQ(array.text3, QStringLiteral("Brak"));
    EXPECT_EQ(array.text4, QStringLiteral("\"*\""));
    EXPECT_EQ(array.extra1, 0);

    placeKind(p, 1, 2, 1, KindCompareVars);
    EXPECT_EQ(p.cell(1, 2, 1).mode, 0);
    EXPECT_EQ(BlockCatalogue::comparisonOperator(p.cell(1, 2, 1).mode), QStringLiteral("="));

    placeKind(p, 1, 3, 1, KindRandom);
    EXPECT_EQ(p.cell(1, 3, 1).extra1, 12632256);
    EXPECT_EQ(p.cell(1, 3, 1).text3, QStringLiteral("Brak"));

    placeKind(p, 1, 4, 1, KindJoinLeft);
    EXPECT_EQ(p.cell(1, 4, 1).mode, 0);
    EXPECT_EQ(p.cell(1, 4, 1).name, QStringLiteral("Poloncz4"));
    EXPECT_EQ(p.board(1).blockCount, 4);
}

TEST(ProjectPlacement, ConsecutiveProcedureBlocksShareTheWord) {
    Project p;
    placeKind(p, 1, 1, 1, KindCall);
    placeKind(p, 1, 1, 2, KindCall);
    placeKind(p, 1, 1, 3, KindReturn);
    EXPECT_EQ(p.cell(1, 1, 1).name, QStringLiteral("Procedura1"));
    EXPECT_EQ(p.cell(1, 1, 2).name, QStringLiteral("Procedura2"));
    EXPECT_EQ(p.cell(1, 1, 3).name, QStringLiteral("Procedura3"));
}

TEST(ProjectEditing, MoveKeepsEveryFieldAndEmptiesTheSource) {
    Project p;
    placeKind(p, 1, 2, 2, KindReadWrite);
    Cell& source = p.cell(1, 2, 2);
    source.mode = 1;
    source.extra1 = 3;
    source.text2 = QStringLiteral("x");
    source.text4 = QStringLiteral("Wynik: &");
    source.extra2 = 7;
    const Cell before = source;

    ASSERT_TRUE(p.moveBlock(1, 2, 2, 5, 6).ok());
    const Cell& moved = p.cell(1, 5, 6);
    EXPECT_EQ(moved.name, before.name);
    EXPECT_EQ(moved.mode, 1);
    EXPECT_EQ(moved.extra1, 3);
    EXPECT_EQ(moved.extra2, 7);
    EXPECT_EQ(moved.text2, QStringLiteral("x"));
    EXPECT_EQ(moved.text4, QStringLiteral("Wynik: &"));
    EXPECT_EQ(moved.column, 5);
    EXPECT_EQ(moved.row, 6);
    EXPECT_TRUE(moved.marked);
    EXPECT_FALSE(p.isOccupied(1, 2, 2));
    EXPECT_EQ(p.kindAt(1, 2, 2), 0);
    EXPECT_EQ(p.board(1).blockCount, 1);
}

TEST(ProjectEditing, MoveOntoOccupiedCellIsRefused) {
    Project p;
    placeKind(p, 1, 1, 1, KindAssign);
    placeKind(p, 1, 1, 2, KindMessage);
    const Status moved = p.moveBlock(1, 1, 1, 1, 2);
    EXPECT_FALSE(moved.ok());
    EXPECT_EQ(moved.severity(), Status::Severity::Information);
    EXPECT_EQ(moved.message(QStringLiteral("pl")),
              QStringLiteral("To pole jest zajęte.\nWybierz inne miejsce."));
    EXPECT_EQ(p.kindAt(1, 1, 1), KindAssign);
    EXPECT_EQ(p.kindAt(1, 1, 2), KindMessage);
}

TEST(ProjectEditing, DeleteCountsDownAndIgnoresEmptyCells) {
    Project p;
    placeKind(p, 1, 1, 1, KindVariable);
    p.board(1).variableCount = 1;
    placeKind(p, 1, 1, 2, KindAssign);
    p.deleteBlock(1, 3, 3);
    EXPECT_EQ(p.board(1).blockCount, 2);
    p.deleteBlock(1, 1, 1);
    EXPECT_EQ(p.board(1).variableCount, 0);
    EXPECT_EQ(p.board(1).blockCount, 1);
    EXPECT_FALSE(p.isVariableCell(1, 1, 1));
    EXPECT_EQ(p.cell(1, 1, 1).mode, 1);
    EXPECT_EQ(p.cell(1, 1, 1).board, 1);
}

TEST(ProjectBoards, ResetClearsAllCellsOutsideTheUsedArea) {
    Project p;
    p.board(1).columns = 15;
    p.board(1).rows = 15;
    placeKind(p, 1, 15, 15, KindAssign);
    placeKind(p, 1, 1, 1, KindStart);
    p.board(1).name = QStringLiteral("Main");
    p.board(1).kind = BoardProcedure;
    p.resetBoard(1);
    for (int c = 1; c <= kGridSize; ++c) {
        for (int r = 1; r <= kGridSize; ++r) {
            EXPECT_FALSE(p.isOccupied(1, c, r)) << c << "," << r;
        }
    }
    const Board& b = p.board(1);
    EXPECT_EQ(b.name, QStringLiteral("Plansza nr 1"));
    EXPECT_EQ(b.kind, BoardProgram);
    EXPECT_EQ(b.columns, 8);
    EXPECT_EQ(b.rows, 8);
    EXPECT_EQ(b.left, 120);
    EXPECT_EQ(b.top, 102);
    EXPECT_EQ(b.formatMarker, 123);
    EXPECT_TRUE(b.changed);
}

TEST(ProjectBoards, NewProjectForgetsTheFilesNoteAndDate) {
    Project p;
    p.note = QStringLiteral("lc");
    p.lastModified = QStringLiteral("2024/01/01 10:00:00");
    p.newProject();
    EXPECT_TRUE(p.note.isEmpty());
    EXPECT_TRUE(p.lastModified.isEmpty());
}

TEST(ProjectBoards, AtMostThreeBoards) {
    Project p;
    EXPECT_TRUE(p.addBoard());
    EXPECT_EQ(p.activeBoard, 2);
    EXPECT_EQ(p.board(2).left, 140);
    EXPECT_TRUE(p.addBoard());
    p.board(3).name = QStringLiteral("kept");
    EXPECT_FALSE(p.addBoard());
    EXPECT_EQ(p.boardCount, 3);
    EXPECT_EQ(p.activeBoard, 3);
    EXPECT_EQ(p.board(3).name, QStringLiteral("kept"));
}

TEST(ProjectFind, ScanOrderIsBoardThenColumnThenRow) {
    Project p;
    p.addBoard();
    p.addBoard();
    placeKind(p, 3, 1, 1, KindAssign);
    placeKind(p, 2, 4, 4, KindAssign);
    p.cell(3, 1, 1).name = QStringLiteral("Same");
    p.cell(2, 4, 4).name = QStringLiteral("SAME");
    auto found = p.findBlockByName(QStringLiteral("same"));
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, (CellRef{2, 4, 4}));
    EXPECT_EQ(*p.findBlockByName(QStringLiteral("same"), 3), (CellRef{3, 1, 1}));

    placeKind(p, 1, 3, 1, KindMessage);
    placeKind(p, 1, 2, 7, KindMessage);
    placeKind(p, 1, 2, 5, KindMessage);
    EXPECT_EQ(*p.findKind(KindMessage), (CellRef{1, 2, 5}));
    EXPECT_FALSE(p.findKind(KindEnd));
}

TEST(ProjectFind, OnlyTheUsedAreaIsScanned) {
    Project p;
    placeKind(p, 1, 10, 10, KindEnd);
    p.cell(1, 10, 10).marked = true;
    EXPECT_FALSE(p.findKind(KindEnd));
    EXPECT_FALSE(p.boardHasKind(1, KindEnd));
    EXPECT_FALSE(p.findMarkedCell(1));
    p.board(1).columns = 10;
    p.board(1).rows = 10;
    EXPECT_TRUE(p.boardHasKind(1, KindEnd));
    EXPECT_EQ(*p.findMarkedCell(1), (CellRef{1, 10, 10}));
}

TEST(ProjectFind, VariableTypeComparesNamesExactly) {
    Project p;
    placeKind(p, 1, 1, 1, KindVariable);
    p.cell(1, 1, 1).name = QStringLiteral("Licznik");
    p.cell(1, 1, 1).mode = TypeReal;
    EXPECT_EQ(p.variableType(QStringLiteral("Licznik")), TypeReal);
    EXPECT_EQ(p.variableType(QStringLiteral("licznik")), -1);
}

TEST(ProjectNames, UniquenessSkipsOnlyTheEditedCell) {
    Project p;
    p.addBoard();
    p.activeBoard = 1;
    placeKind(p, 1, 1, 1, KindVariable);
    placeKind(p, 2, 12, 12, KindVariable);  // outside the used area still counts
    p.cell(1, 1, 1).name = QStringLiteral("a");
    p.cell(2, 12, 12).name = QStringLiteral("B");
    EXPECT_FALSE(p.variableNameTaken(QStringLiteral("A"), 1, 1));
    EXPECT_TRUE(p.variableNameTaken(QStringLiteral("A"), 2, 2));
    EXPECT_TRUE(p.variableNameTaken(QStringLiteral("b"), 1, 1));
    EXPECT_TRUE(p.variableNameTaken(QStringLiteral("b"), 12, 12));  // edited cell is on board 1

    placeKind(p, 1, 2, 2, KindAssign);
    p.cell(1, 2, 2).name = QStringLiteral("Krok");
    EXPECT_TRUE(p.blockNameTaken(1, QStringLiteral("KROK"), 3, 3));
    EXPECT_FALSE(p.blockNameTaken(1, QStringLiteral("KROK"), 2, 2));
    EXPECT_FALSE(p.blockNameTaken(2, QStringLiteral("KROK"), 3, 3));

    EXPECT_TRUE(p.boardNameTaken(QStringLiteral("plansza NR 2"), 1));
    EXPECT_FALSE(p.boardNameTaken(QStringLiteral("plansza NR 2"), 2));
    EXPECT_EQ(p.findBoardByName(QStringLiteral("PLANSZA nr 2")), 2);
    EXPECT_EQ(p.findBoardByName(QStringLiteral("Plansza nr 3")), -1);
}

TEST(ProjectNames, BrakIsReservedExactly) {
    EXPECT_TRUE(Project::checkNotReserved(QStringLiteral("brak")).ok());
    const Status reserved = Project::checkNotReserved(QStringLiteral("Brak"));
    EXPECT_FALSE(reserved.ok());
    EXPECT_EQ(reserved.message(QStringLiteral("pl")),
              QStringLiteral("Brak nie może być nazwą zmiennej czy klocka."));
}

TEST(ProjectChanged, AnyBoardCountsAndClearingClearsAll) {
    Project p;
    EXPECT_FALSE(p.projectChanged());
    p.addBoard();
    p.addBoard();
    EXPECT_TRUE(p.projectChanged());
    p.clearChanged();
    EXPECT_FALSE(p.projectChanged());
    p.board(3).changed = true;
    EXPECT_TRUE(p.projectChanged());
}

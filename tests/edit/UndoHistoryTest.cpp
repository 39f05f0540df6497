#include "edit/UndoHistory.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <vector>

#include "FlowBuilder.h"
#include "ProjectEquality.h"
#include "config/TextTable.h"
#include "model/KindCode.h"

using namespace trevalon;
using trevalon::test::FlowBuilder;
using trevalon::test::sameProject;

namespace {

// One random edit of the kinds a pupil makes: place, delete, move, a property, a board's size,
// a new board. Answers false when the edit found nothing to do.
bool randomEdit(Project& project, QRandomGenerator& random) {
    const int n = static_cast<int>(random.bounded(project.boardCount)) + 1;
    const int column = static_cast<int>(random.bounded(8)) + 1;
    const int row = static_cast<int>(random.bounded(8)) + 1;
    const bool occupied = project.isOccupied(n, column, row);
    FlowBuilder flow(project);
    switch (random.bounded(7)) {
        case 0:
        case 1:
            if (!occupied) {
                flow.put(n, column, row, random.bounded(2) ? KindAssign : KindReadWrite);
            }
            return !occupied;
        case 2:
            if (occupied) {
                project.deleteBlock(n, column, row);
            }
            return occupied;
        case 3: {
            const int to = static_cast<int>(random.bounded(8)) + 1;
            return occupied && project.moveBlock(n, column, row, to, row).ok();
        }
        case 4:
            if (occupied) {
                project.cell(n, column, row).text4 = QString::number(random.bounded(1000));
            }
            return occupied;
        case 5:
            project.board(n).rows = static_cast<int>(random.bounded(8)) + 8;
            return true;
        default:
            return project.addBoard();
    }
}

}  // namespace

// A long walk of random edits, undone to the opened project and redone to its end: at every
// point the project is the one that stood there, field by field.
TEST(UndoHistory, UndoesEveryChangeBackToTheStartAndRedoesThemAgain) {
    Project project;
    FlowBuilder(project).put(1, 2, 1, KindStart);
    UndoHistory history;
    history.reset(project);
    std::vector<Project> seen{project};
    QRandomGenerator random(20261208);
    for (int i = 0; i < 400; ++i) {
        if (randomEdit(project, random) && history.record(project)) {
            seen.push_back(project);
        }
    }
    ASSERT_GT(seen.size(), 150u);
    ASSERT_EQ(history.levels(), seen.size());
    for (std::size_t i = seen.size() - 1; i-- > 0;) {
        ASSERT_TRUE(history.undo(project));
        ASSERT_TRUE(sameProject(project, seen[i])) << "after undoing to state " << i;
    }
    EXPECT_FALSE(history.undo(project));
    EXPECT_FALSE(project.projectChanged());  // back at the opened, saved project
    for (std::size_t i = 1; i < seen.size(); ++i) {
        ASSERT_TRUE(history.redo(project));
        ASSERT_TRUE(sameProject(project, seen[i])) << "after redoing to state " << i;
    }
    EXPECT_FALSE(history.redo(project));
    EXPECT_TRUE(project.projectChanged());
}

TEST(UndoHistory, ANewChangeForgetsTheRedoAndTheSavedPointFollowsTheFile) {
    Project project;
    FlowBuilder flow(project);
    UndoHistory history;
    history.reset(project);
    flow.put(1, 1, 1, KindStart);
    ASSERT_TRUE(history.record(project));
    history.markSaved();
    project.clearChanged();
    flow.put(1, 1, 2, KindEnd);
    ASSERT_TRUE(history.record(project));

    ASSERT_TRUE(history.undo(project));
    EXPECT_FALSE(project.projectChanged());  // the saved state again
    ASSERT_TRUE(history.undo(project));
    EXPECT_TRUE(project.projectChanged());
    ASSERT_TRUE(history.redo(project));
    EXPECT_FALSE(project.projectChanged());
    EXPECT_TRUE(history.canRedo());

    // Selecting or moving a window is no change; placing a block is, and ends the redo.
    project.cell(1, 1, 1).marked = true;
    project.board(1).left += 40;
    EXPECT_FALSE(history.record(project));
    flow.put(1, 3, 3, KindAssign);
    ASSERT_TRUE(history.record(project));
    EXPECT_FALSE(history.canRedo());
    ASSERT_TRUE(history.undo(project));
    EXPECT_FALSE(project.projectChanged());
    EXPECT_EQ(project.board(1).left, 160);  // the window stays where it was put
}

// Each kind of change is named by what it did, the way the Edit menu shows it.
TEST(UndoHistory, NamesEachKindOfChange) {
    Project project;
    FlowBuilder flow(project);
    UndoHistory history;
    history.reset(project);
    TextTable texts;
    QStringList names;
    const auto step = [&] {
        EXPECT_TRUE(history.record(project));
        names << history.undoChange().describe(texts);
    };
    flow.named(1, 2, 2, KindReadWrite, QStringLiteral("Pisz6"));
    step();
    project.cell(1, 2, 2).text4 = QStringLiteral("\"x\"");
    step();
    ASSERT_TRUE(project.moveBlock(1, 2, 2, 3, 3).ok());
    step();
    project.deleteBlock(1, 3, 3);
    step();
    project.board(1).columns = 10;
    step();
    ASSERT_TRUE(project.addBoard());
    step();
    flow.put(1, 4, 4, KindAssign);
    flow.put(1, 5, 5, KindAssign);
    flow.put(1, 6, 6, KindAssign);
    step();
    project.deleteBlock(1, 4, 4);
    project.deleteBlock(1, 5, 5);
    step();
    flow.put(1, 1, 1, KindStart);
    flow.put(2, 1, 1, KindStart);
    step();
    const QString board1 = project.board(1).name;
    const QString board2 = project.board(2).name;
    EXPECT_EQ(
        names,
        QStringList(
            {QStringLiteral("postawienie bloku Pisz6"),
             QStringLiteral("zmiana własności bloku Pisz6"),
             QStringLiteral("przesunięcie bloku Pisz6"), QStringLiteral("usunięcie bloku Pisz6"),
             QStringLiteral("zmiana planszy ") + board1,
             QStringLiteral("dodanie planszy ") + board2, QStringLiteral("dodanie bloków (3)"),
             QStringLiteral("usunięcie bloków (2)"), QStringLiteral("zmiana kilku bloków")}));
}

// The oldest states go once the kept boards pass the budget; what is left still undoes.
TEST(UndoHistory, KeepsWithinItsMemoryBudget) {
    Project project;
    UndoHistory history(std::size_t{1} << 20);
    history.reset(project);
    FlowBuilder flow(project);
    for (int i = 0; i < 200; ++i) {
        project.board(1).rows = 8 + i % 7;
        project.board(1).name = QStringLiteral("Plansza %1").arg(i);
        history.record(project);
    }
    EXPECT_LE(history.bytes(), std::size_t{1} << 20);
    EXPECT_LT(history.levels(), 200u);
    EXPECT_GT(history.levels(), 2u);
    while (history.undo(project)) {
    }
    EXPECT_TRUE(project.projectChanged());  // the saved state was forgotten, not reached
}

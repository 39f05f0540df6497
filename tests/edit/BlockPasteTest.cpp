// Blocks through the clipboard without a window: what a fragment keeps, how it travels as XML
// between two projects, and what pasting refuses.
#include <gtest/gtest.h>

#include <memory>

#include "FlowBuilder.h"
#include "ProjectEquality.h"
#include "config/TextTable.h"
#include "edit/BlockFragment.h"
#include "edit/BlockPaste.h"
#include "model/Project.h"

using namespace trevalon;
using test::FlowBuilder;

namespace {

// A small piece of a program: a variable, an assignment under it and an array block beside.
std::unique_ptr<Project> sourceProject() {
    auto project = std::make_unique<Project>();
    FlowBuilder flow(*project);
    flow.variable(1, 2, 2, QStringLiteral("suma"), TypeInteger, QStringLiteral("5"));
    flow.assign(1, 2, 3, QStringLiteral("suma"), QStringLiteral("suma+1")).name =
        QStringLiteral("Dodaj");
    flow.put(1, 3, 3, KindArrayWrite);
    return project;
}

BlockFragment fragmentOf(const Project& project, int n, const QRect& area) {
    return BlockFragment::take(project.board(n), area);
}

}  // namespace

// What lies on the clipboard is the blocks and their places, trimmed to the blocks, read back
// from its XML exactly; anything else on the clipboard is no fragment.
TEST(BlockFragment, KeepsTheBlocksAndTheirPlacesThroughItsXml) {
    const auto project = sourceProject();
    const BlockFragment fragment = fragmentOf(*project, 1, QRect(1, 1, 5, 5));
    ASSERT_EQ(fragment.columns(), 2);
    ASSERT_EQ(fragment.rows(), 2);
    ASSERT_EQ(fragment.cells().size(), 3U);
    EXPECT_EQ(fragment.variableCount(), 1);

    TextTable texts;
    const auto back = BlockFragment::fromXml(fragment.toXml(), texts);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(test::sameBoard(back->asBoard(), fragment.asBoard()));

    EXPECT_TRUE(fragmentOf(*project, 1, QRect(5, 5, 3, 3)).empty());
    for (const QByteArray& junk :
         {QByteArray(), QByteArray("not xml at all"), QByteArray("<Trevalon><ilp>1</ilp>"),
          fragment.toXml().replace("<nrw>15</nrw>", "<nrw>99</nrw>")}) {
        EXPECT_FALSE(BlockFragment::fromXml(junk, texts).has_value()) << junk.constData();
    }
}

// Pasted into another project, blocks keep their names where the board has none like them;
// where it has, they are named anew as placing names them, and an array block's own array
// follows its new name. Saved and read again, the target is what was pasted.
TEST(BlockPaste, PastesBetweenTwoProjectsWithUniqueNames) {
    const auto source = sourceProject();
    TextTable texts;
    const auto fragment =
        BlockFragment::fromXml(fragmentOf(*source, 1, QRect(2, 2, 2, 2)).toXml(), texts);
    ASSERT_TRUE(fragment.has_value());

    Project target;
    FlowBuilder flow(target);
    flow.put(1, 1, 1, KindStart);
    ASSERT_EQ(BlockPaste::check(target, 1, 4, 4, *fragment).reason, BlockPaste::Fits);
    EXPECT_EQ(BlockPaste::paste(target, 1, 4, 4, *fragment), QRect(4, 4, 2, 2));
    EXPECT_EQ(target.cell(1, 4, 4).name, QStringLiteral("suma"));
    EXPECT_EQ(target.cell(1, 4, 5).name, QStringLiteral("Dodaj"));
    EXPECT_EQ(target.cell(1, 5, 5).text2, source->cell(1, 3, 3).text2);
    EXPECT_EQ(target.board(1).blockCount, 4);
    EXPECT_EQ(target.board(1).variableCount, 1);

    // The same blocks again, further down: every name is taken now.
    ASSERT_EQ(BlockPaste::check(target, 1, 4, 6, *fragment).reason, BlockPaste::Fits);
    BlockPaste::paste(target, 1, 4, 6, *fragment);
    const Cell& array = target.cell(1, 5, 7);
    EXPECT_EQ(target.cell(1, 4, 6).name, QStringLiteral("Zm1"));
    EXPECT_EQ(target.cell(1, 4, 7).name, QStringLiteral("Przypisanie2"));
    EXPECT_EQ(array.name, QStringLiteral("DoTablicy") + QString::number(target.placementCounter()));
    EXPECT_EQ(array.text2, array.name);
    EXPECT_EQ(array.board, 1);
    EXPECT_EQ(target.board(1).variableCount, 2);
}

// Copied onto another board of the same project, numbered blocks take free names there too:
// a name two boards share would leave a call or a link naming either block.
TEST(BlockPaste, PastedOntoAnotherBoardTheBlocksTakeNamesFreeInTheProject) {
    const auto project = sourceProject();
    ASSERT_TRUE(project->addBoard());
    const BlockFragment fragment = fragmentOf(*project, 1, QRect(2, 3, 2, 1));
    ASSERT_EQ(BlockPaste::check(*project, 2, 1, 1, fragment).reason, BlockPaste::Fits);
    BlockPaste::paste(*project, 2, 1, 1, fragment);
    const Cell& assign = project->cell(2, 1, 1);
    const Cell& array = project->cell(2, 2, 1);
    EXPECT_TRUE(assign.name.startsWith(QStringLiteral("Przypisanie"))) << qPrintable(assign.name);
    EXPECT_TRUE(array.name.startsWith(QStringLiteral("DoTablicy"))) << qPrintable(array.name);
    EXPECT_EQ(array.text2, array.name);
    for (const Cell* pasted : {&assign, &array}) {
        EXPECT_FALSE(project->blockNameTaken(1, pasted->name, 0, 0)) << qPrintable(pasted->name);
    }
    // Cut from board 1 first, the blocks keep their names: nothing else holds them.
    project->deleteBlock(1, 2, 3);
    const BlockFragment alone = fragmentOf(*project, 1, QRect(2, 3, 2, 1));
    ASSERT_EQ(alone.cells().size(), 1U);
    const QString arrayName = project->cell(1, 3, 3).name;
    project->deleteBlock(1, 3, 3);
    BlockPaste::paste(*project, 2, 5, 5, alone);
    EXPECT_EQ(project->cell(2, 5, 5).name, arrayName);
}

// Each limit of placing holds for pasting too, and nothing of the board changes when it refuses.
TEST(BlockPaste, RefusesWhatDoesNotFit) {
    struct Row {
        const char* what;
        int column, row;
        void (*prepare)(Project&);
        BlockPaste::Reason expected;
    };
    const auto nothing = [](Project&) {};
    const Row rows[] = {
        {"fits", 1, 1, nothing, BlockPaste::Fits},
        {"past the last row", 1, 7, nothing, BlockPaste::OutsideBoard},
        {"past the last column of a smaller board", 6, 1,
         [](Project& p) { p.board(1).columns = 5; }, BlockPaste::OutsideBoard},
        {"onto a block", 1, 1, [](Project& p) { FlowBuilder(p).put(1, 1, 2, KindAssign); },
         BlockPaste::Occupied},
        {"a ninth variable", 1, 1,
         [](Project& p) {
             for (int r = 1; r <= 8; ++r) {
                 FlowBuilder(p).variable(1, 5, r, QStringLiteral("v") + QString::number(r),
                                         TypeInteger);
             }
         },
         BlockPaste::VariableLimit},
        {"a second Start", 1, 1, [](Project& p) { FlowBuilder(p).put(1, 8, 8, KindStart); },
         BlockPaste::SecondStart},
        {"a second End", 1, 1, [](Project& p) { FlowBuilder(p).put(1, 8, 8, KindEnd); },
         BlockPaste::SecondEnd},
        {"more blocks than a board holds", 1, 1,
         [](Project& p) { p.board(1).blockCount = kMaxBlocksPerBoard - 2; },
         BlockPaste::BlockLimit},
    };
    // Start, a variable and End over one another, as copied from another board.
    Project source;
    FlowBuilder flow(source);
    flow.put(1, 1, 1, KindStart);
    flow.variable(1, 1, 2, QStringLiteral("x"), TypeInteger);
    flow.put(1, 1, 3, KindEnd);
    const BlockFragment fragment = fragmentOf(source, 1, QRect(1, 1, 1, 3));
    for (const Row& row : rows) {
        Project target;
        row.prepare(target);
        const BlockPaste::Verdict verdict =
            BlockPaste::check(target, 1, row.column, row.row, fragment);
        EXPECT_EQ(verdict.reason, row.expected) << row.what;
        if (row.expected == BlockPaste::Occupied) {
            EXPECT_EQ(QPoint(verdict.column, verdict.row), QPoint(1, 2)) << row.what;
        }
    }
    EXPECT_EQ(BlockPaste::check(source, 1, 1, 1, BlockFragment()).reason, BlockPaste::Empty);
}

#include <gtest/gtest.h>

#include <QFileInfo>

#include "ExampleFlowcharts.h"
#include "TestWorkspace.h"
#include "exec/BoardCheck.h"
#include "exec/CheckCommands.h"
#include "storage/ProjectFile.h"

using namespace trevalon;

namespace {

void expectSameCells(const Project& built, const Project& loaded, const char* file) {
    ASSERT_EQ(built.boardCount, loaded.boardCount) << file;
    for (int n = 1; n <= built.boardCount; ++n) {
        const Board& a = built.board(n);
        const Board& b = loaded.board(n);
        EXPECT_EQ(a.name, b.name) << file;
        EXPECT_EQ(a.kind, b.kind) << file;
        EXPECT_EQ(a.columns, b.columns) << file;
        EXPECT_EQ(a.rows, b.rows) << file;
        for (int c = 1; c <= kGridSize; ++c) {
            for (int r = 1; r <= kGridSize; ++r) {
                const Cell& x = a.cell(c, r);
                const Cell& y = b.cell(c, r);
                const auto where = [&] {
                    return QStringLiteral("%1 board %2 cell %3,%4")
                        .arg(QLatin1String(file))
                        .arg(n)
                        .arg(c)
                        .arg(r);
                };
                EXPECT_EQ(x.kindCode, y.kindCode) << where().toStdString();
                EXPECT_EQ(x.name, y.name) << where().toStdString();
                EXPECT_EQ(x.mode, y.mode) << where().toStdString();
                EXPECT_EQ(x.scope, y.scope) << where().toStdString();
                EXPECT_EQ(x.text2, y.text2) << where().toStdString();
                EXPECT_EQ(x.text3, y.text3) << where().toStdString();
                EXPECT_EQ(x.text4, y.text4) << where().toStdString();
                EXPECT_EQ(x.extra1, y.extra1) << where().toStdString();
            }
        }
    }
}

}  // namespace

// The committed files must be what the builders make (run make_examples after changing one),
// and every example must pass the check that a run starts with.
TEST(ExampleFiles, MatchTheirBuildersAndPassTheCheck) {
    for (const ExampleFlowchart& example : exampleFlowcharts()) {
        const QString path =
            QStringLiteral(TREVALON_SOURCE_DIR "/") + QString::fromLatin1(example.file);
        ASSERT_TRUE(QFileInfo::exists(path)) << example.file;
        TestWorkspace t;
        ASSERT_TRUE(ProjectFile::load(t.project(), path, t.log, t.workspace.texts()).ok())
            << example.file;
        Project built;
        example.build(built);
        expectSameCells(built, t.project(), example.file);
        BoardCheck check(t.workspace.checkTools());
        EXPECT_TRUE(checkProject(t.workspace, check))
            << example.file << ": board " << check.lastResult().board;
    }
}

// End-to-end: `render` draws a board's flowchart page into a PNG file without a display.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <memory>

#include "FlowBuilder.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"
#include "storage/ProjectFile.h"

using namespace trevalon;

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
};

Outcome runCli(const QStringList& args) {
    QProcess process;
    // Whatever the session offers, the command needs no display.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TREVALON_CLI), QStringList{QStringLiteral("render")} + args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The size of the PNG file at `path`, read from its header; empty when it is not a PNG.
QSize pngSize(const QString& path) {
    QImageReader reader(path, "png");
    return reader.canRead() ? reader.size() : QSize();
}

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        project->newProject();
    }

    Cell& put(int kind, int column, int row, int board = 1) {
        return test::FlowBuilder(*project).put(board, column, row, kind);
    }

    QString save(const QString& name = QStringLiteral("schemat.skb")) {
        const QString path = folder.filePath(name);
        test::RecordingSink sink;
        test::RecordingLog log(0);
        EXPECT_TRUE(ProjectFile::save(*project, path, sink, log, texts));
        return path;
    }

    QString out(const QString& name = QStringLiteral("page.png")) const {
        return folder.filePath(name);
    }

    QTemporaryDir folder;
    std::unique_ptr<Project> project = std::make_unique<Project>();
    TextTable texts;
};

}  // namespace

TEST_F(RenderCommand, PageHasTheSizeOfTheUsedColumnsAndRows) {
    put(KindStart, 4, 2);
    put(KindAssign, 3, 3);
    put(KindEnd, 5, 4);
    const Outcome result = runCli({QStringLiteral("--out"), out(), save()});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(pngSize(out()), QSize(540, 230));
    // Nothing of the platform's chatter reaches the user.
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
}

TEST_F(RenderCommand, ConditionsAndVariablesEnlargeThePage) {
    put(KindStart, 1, 1);
    put(KindCompareVars, 1, 2);
    put(KindCompareFormula, 1, 3);
    put(KindVariable, 3, 5).name = QStringLiteral("x");
    const QString project = save();
    ASSERT_EQ(runCli({QStringLiteral("--out"), out(), project}).code, 0);
    EXPECT_EQ(pngSize(out()), QSize(180, 3 * 60 + 2 * 18 + 50));
    ASSERT_EQ(runCli({QStringLiteral("--variables"), QStringLiteral("--out"), out(), project}).code,
              0);
    EXPECT_EQ(pngSize(out()), QSize(3 * 180, 5 * 60 + 2 * 18 + 50));
}

TEST_F(RenderCommand, DrawsTheBoardAskedFor) {
    ASSERT_TRUE(project->addBoard());
    put(KindStart, 1, 1, 1);
    put(KindStart, 2, 2, 2);
    put(KindEnd, 2, 3, 2);
    put(KindEnd, 3, 4, 2);
    const QString path = save();
    ASSERT_EQ(runCli({QStringLiteral("--board"), QStringLiteral("2"), QStringLiteral("--out"),
                      out(), path})
                  .code,
              0);
    EXPECT_EQ(pngSize(out()), QSize(360, 230));
    const Outcome missing = runCli({QStringLiteral("--board=3"), QStringLiteral("--out"),
                                    out(QStringLiteral("three.png")), path});
    EXPECT_EQ(missing.code, 64);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("no board 3"))) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(out(QStringLiteral("three.png"))));
}

TEST_F(RenderCommand, BoardWithoutBlocksToDrawWritesNothing) {
    put(KindVariable, 2, 2).name = QStringLiteral("x");
    const QString path = save();
    const Outcome result = runCli({QStringLiteral("--out"), out(), path});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("no blocks to draw")));
    EXPECT_FALSE(QFile::exists(out()));
    // The variable alone is something to draw once variables are drawn.
    EXPECT_EQ(runCli({QStringLiteral("--variables"), QStringLiteral("--out"), out(), path}).code,
              0);
    EXPECT_EQ(pngSize(out()), QSize(180, 110));
}

TEST_F(RenderCommand, ReportsBadArgumentsAndFilesWithTheirCodes) {
    put(KindStart, 1, 1);
    const QString path = save();
    struct Case {
        QStringList args;
        int code;
    };
    const QString png = out();
    const std::vector<Case> cases = {
        {{path}, 64},
        {{QStringLiteral("--out"), png}, 64},
        {{QStringLiteral("--board"), QStringLiteral("0"), QStringLiteral("--out"), png, path}, 64},
        {{QStringLiteral("--board"), QStringLiteral("x"), QStringLiteral("--out"), png, path}, 64},
        {{QStringLiteral("--lang"), QStringLiteral("de"), QStringLiteral("--out"), png, path}, 64},
        {{QStringLiteral("--colour"), QStringLiteral("--out"), png, path}, 64},
        {{QStringLiteral("--out"), png, folder.filePath(QStringLiteral("none.skb"))}, 66},
        {{QStringLiteral("--out"), png, folder.filePath(QStringLiteral("notes.txt"))}, 65},
        {{QStringLiteral("--out"), folder.filePath(QStringLiteral("no/such/folder.png")), path},
         73},
    };
    for (const Case& c : cases) {
        const Outcome result = runCli(c.args);
        EXPECT_EQ(result.code, c.code) << c.args.join(u' ').toStdString();
        EXPECT_FALSE(result.err.isEmpty()) << c.args.join(u' ').toStdString();
        EXPECT_FALSE(QFile::exists(png)) << c.args.join(u' ').toStdString();
    }
}

TEST_F(RenderCommand, DamagedProjectIsRefused) {
    const QString path = folder.filePath(QStringLiteral("damaged.skb"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<Trevalon><plansza ilp=\"x\">\x01\x02\xff");
    file.close();
    EXPECT_EQ(runCli({QStringLiteral("--out"), out(), path}).code, 65);
    EXPECT_FALSE(QFile::exists(out()));
}

TEST_F(RenderCommand, ExistingPictureIsReplacedWhole) {
    put(KindStart, 1, 1);
    const QString png = out();
    QFile old(png);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    ASSERT_EQ(runCli({QStringLiteral("--out"), png, save()}).code, 0);
    EXPECT_EQ(pngSize(png), QSize(180, 110));
    EXPECT_LT(QFile(png).size(), 100000);
}

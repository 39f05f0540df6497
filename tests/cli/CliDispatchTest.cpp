#include <gtest/gtest.h>
#include <QProcess>

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
};

Outcome runCli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TREVALON_CLI), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

TEST(CliDispatch, HelpListsEverySubcommand) {
    const Outcome result = runCli({QStringLiteral("--help")});
    EXPECT_EQ(result.code, 0);
    for (const char* command :
         {"eval", "describe", "check", "run", "convert", "render", "grade", "export"}) {
        EXPECT_TRUE(result.out.contains(QStringLiteral("trevalon-cli ") + QLatin1String(command)))
            << command;
    }
}

TEST(CliDispatch, VersionIsPrinted) {
    const Outcome result = runCli({QStringLiteral("--version")});
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("trevalon-cli ")));
}

TEST(CliDispatch, UsageErrorsAnswer64) {
    EXPECT_EQ(runCli({}).code, 64);
    const Outcome unknown = runCli({QStringLiteral("frobnicate")});
    EXPECT_EQ(unknown.code, 64);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("frobnicate")));
}

TEST(CliDispatch, CommandHelpShowsItsUsage) {
    const Outcome result = runCli({QStringLiteral("check"), QStringLiteral("--help")});
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.out.contains(QStringLiteral("trevalon-cli check")));
    EXPECT_FALSE(result.out.contains(QStringLiteral("trevalon-cli eval")));
}

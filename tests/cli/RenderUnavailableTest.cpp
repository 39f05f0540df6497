// Builds without the desktop program's libraries have no drawing: `render` says so and answers
// the usage code instead of failing in some other way.

#include <gtest/gtest.h>

#include <QProcess>

TEST(RenderWithoutDrawing, AnswersUsageWithAClearMessage) {
    QProcess process;
    process.start(QStringLiteral(TREVALON_CLI),
                  {QStringLiteral("render"), QStringLiteral("--out"), QStringLiteral("x.png"),
                   QStringLiteral("project.skb")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 64);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("no drawing"))) << err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput()).isEmpty());
}

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "FlowBuilder.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "storage/ProjectFile.h"

// `trevalon-cli export`: what it writes where, and its exit codes. What the programs do is the
// translation corpus's business (tests/codegen).

using namespace trevalon;

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
};

Outcome exportCli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TREVALON_CLI), QStringList{QStringLiteral("export")} << args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

const QString kExample = QStringLiteral(TREVALON_SOURCE_DIR "/examples/gcd.skb");

}  // namespace

TEST(ExportCommand, AnswersEachFailureWithItsCode) {
    QTemporaryDir dir;
    // A formula with a function the translation has no helper for: the check passes, the
    // export cannot follow.
    Project project;
    test::FlowBuilder f(project);
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, QStringLiteral("x"), QStringLiteral("existvar(\"x\")"));
    f.put(1, 2, 3, KindEnd);
    f.variable(1, 5, 1, QStringLiteral("x"), TypeInteger);
    const QString untranslatable = dir.filePath(QStringLiteral("existvar.skb"));
    test::RecordingLog log(0);
    ASSERT_TRUE(ProjectFile::save(project, untranslatable, log, TextTable()).ok());

    const struct {
        QStringList args;
        int code;
        const char* err;
    } rows[] = {
        {{kExample}, 64, "--to"},
        {{QStringLiteral("--to"), QStringLiteral("java"), kExample}, 64, "--to"},
        {{QStringLiteral("--to"), QStringLiteral("python")}, 64, "PROJECT"},
        {{QStringLiteral("--to"), QStringLiteral("cpp"), dir.filePath(QStringLiteral("no.skb"))},
         66,
         ""},
        {{QStringLiteral("--to"), QStringLiteral("cpp"),
          QStringLiteral(TREVALON_SOURCE_DIR "/tests/data/check/formula-fails.skb")},
         1,
         "check"},
        {{QStringLiteral("--to"), QStringLiteral("python"), untranslatable}, 1, "existvar"},
        // The reason is in the --lang language, Polish when none is given.
        {{QStringLiteral("--to"), QStringLiteral("cpp"), QStringLiteral("--lang"),
          QStringLiteral("en"), untranslatable},
         1,
         "The project cannot be translated: the formula existvar(\"x\") uses existvar, which "
         "has no translation"},
        {{QStringLiteral("--to"), QStringLiteral("pseudo"), untranslatable},
         1,
         "Projektu nie można przetłumaczyć: formuła existvar(\"x\") używa existvar"},
        {{QStringLiteral("--to"), QStringLiteral("python"), QStringLiteral("--out"),
          dir.filePath(QStringLiteral("missing/folder/gcd.py")), kExample},
         73,
         "cannot write"},
    };
    for (const auto& row : rows) {
        const Outcome result = exportCli(row.args);
        EXPECT_EQ(result.code, row.code) << row.args.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(row.err)))
            << row.args.join(u' ').toStdString() << ": " << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << row.args.join(u' ').toStdString();
    }
}

TEST(ExportCommand, WritesToStandardOutputOrTheFileInTheChosenLanguage) {
    const Outcome pseudo = exportCli({QStringLiteral("--to"), QStringLiteral("pseudo"),
                                      QStringLiteral("--lang"), QStringLiteral("en"), kExample});
    EXPECT_EQ(pseudo.code, 0) << pseudo.err.toStdString();
    EXPECT_TRUE(pseudo.out.startsWith(QStringLiteral("ALGORITHM gcd.skb\n")));
    EXPECT_TRUE(pseudo.out.contains(QStringLiteral("    while b <> 0 do\n")));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("gcd.cpp"));
    const Outcome cpp = exportCli(
        {QStringLiteral("--to"), QStringLiteral("cpp"), QStringLiteral("--out"), file, kExample});
    EXPECT_EQ(cpp.code, 0) << cpp.err.toStdString();
    EXPECT_TRUE(cpp.out.isEmpty());
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("    while (b != 0) {\n"));
}

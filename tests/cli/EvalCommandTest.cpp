// `trevalon-cli eval` end to end: output lines, JSON, variables, languages, exit codes.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include "cli/Commands.h"

namespace {

using namespace trevalon::cli;

struct Outcome {
    int code;
    QString out;
    QString err;
};

// Runs the command in-process with string-backed streams.
Outcome evalWith(const QStringList& args) {
    QString out;
    QString err;
    QString in;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    QTextStream inStream(&in);
    CommandIo io{outStream, errStream, inStream};
    const int code = evalCommand(args, io);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A file in a temporary folder that lives as long as the object.
class TempFile {
public:
    explicit TempFile(const QByteArray& content) {
        m_path = m_dir.filePath(QStringLiteral("vars.txt"));
        QFile file(m_path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QString& path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

TEST(EvalCommand, JsonLinesForResultsAndErrors) {
    QProcess process;
    process.start(QStringLiteral(TREVALON_CLI),
                  {QStringLiteral("eval"), QStringLiteral("--json"), QStringLiteral("1 + 2 * 3"),
                   q("\"say \"\"hi\"\"\""), q("copy(\"abcdef\", 2, 3)"), QStringLiteral("2 * -3")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    const QStringList lines =
        QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0],
              q(R"x({"formula": "1 + 2 * 3", "ok": true, "result": "7", "type": 1, "kind": 1})x"));
    EXPECT_EQ(lines[1], q(R"x({"formula": "\"say \"\"hi\"\"\"", "ok": true, )x"
                          R"x("result": "\"say \"hi\"\"", "type": 2, "kind": 4})x"));
    EXPECT_EQ(lines[2], q(R"x({"formula": "copy(\"abcdef\", 2, 3)", "ok": true, )x"
                          R"x("result": "\"bcd\"", "type": 2, "kind": 4})x"));
    EXPECT_EQ(lines[3], q(R"x({"formula": "2 * -3", "ok": false, "error": "brak argumentu "})x"));
    EXPECT_TRUE(process.readAllStandardError().isEmpty());
}

TEST(EvalCommand, PlainOutputKeepsQuotesAndSendsErrorsToStandardError) {
    const Outcome outcome = evalWith({QStringLiteral("1/3"), QStringLiteral("\"a\" || \"b\""),
                                      QStringLiteral("zz"), QStringLiteral("2^10")});
    EXPECT_EQ(outcome.code, ExitFailed);
    EXPECT_EQ(outcome.out, QStringLiteral("0.333333333333\n\"ab\"\n1024\n"));
    EXPECT_EQ(outcome.err, q("error: Nieznana zmienna: zz\n"));
}

TEST(EvalCommand, EverythingFineAnswersZero) {
    const Outcome outcome = evalWith({QStringLiteral("1"), QStringLiteral("_PI")});
    EXPECT_EQ(outcome.code, ExitOk);
    EXPECT_EQ(outcome.out, QStringLiteral("1\n3.14159265\n"));
    EXPECT_TRUE(outcome.err.isEmpty());
}

TEST(EvalCommand, FormulasShareOneCalculator) {
    const Outcome outcome = evalWith({QStringLiteral("--list"), QStringLiteral("x:=2"),
                                      QStringLiteral("y:=x*21"), QStringLiteral("t:=\"Ala\"")});
    EXPECT_EQ(outcome.code, ExitOk);
    EXPECT_EQ(outcome.out, QStringLiteral("2\n42\n\"Ala\"\nX=2\nY=42\nT=\"Ala\"\n"));
}

TEST(EvalCommand, VariablesFromAFile) {
    const TempFile vars("\xEF\xBB\xBFimie=\"Zo\xC5\xBB\x61\"\r\nwiek=12\nnoise\n");
    const Outcome outcome = evalWith(
        {QStringLiteral("--vars"), vars.path(), QStringLiteral("--json"), QStringLiteral("--list"),
         QStringLiteral("upper(imie)"), QStringLiteral("wiek:=wiek+1")});
    EXPECT_EQ(outcome.code, ExitOk);
    const QStringList lines = outcome.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], q(R"x({"formula": "upper(imie)", "ok": true, "result": "\"ZOŻA\"", )x"
                          R"x("type": 2, "kind": 4})x"));
    EXPECT_EQ(lines[1], q(R"x({"formula": "wiek:=wiek+1", "ok": true, "result": "13", )x"
                          R"x("type": 1, "kind": 1})x"));
    EXPECT_EQ(lines[2], q(R"x({"variables": [["IMIE", "\"ZoŻa\""], ["WIEK", "13"]]})x"));
}

TEST(EvalCommand, MissingVariablesFileAnswers66) {
    const Outcome outcome =
        evalWith({QStringLiteral("--vars"), QStringLiteral("/nonexistent/trevalon/vars.txt"),
                  QStringLiteral("1")});
    EXPECT_EQ(outcome.code, ExitNoInput);
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("/nonexistent/trevalon/vars.txt")));
}

TEST(EvalCommand, EnglishMessagesAndWeekdays) {
    const Outcome outcome = evalWith({QStringLiteral("--lang"), QStringLiteral("ang"),
                                      QStringLiteral("nameday(1)"), QStringLiteral("q")});
    EXPECT_EQ(outcome.code, ExitFailed);
    EXPECT_EQ(outcome.out, QStringLiteral("\"monday\"\n"));
    EXPECT_EQ(outcome.err, QStringLiteral("error: Unknown variable: q\n"));
    const Outcome polish = evalWith({QStringLiteral("nameday(1)")});
    EXPECT_EQ(polish.out, q("\"poniedziałek\"\n"));
}

TEST(EvalCommand, UsageErrorsAnswer64) {
    EXPECT_EQ(evalWith({}).code, ExitUsage);
    EXPECT_EQ(evalWith({QStringLiteral("--json")}).code, ExitUsage);
    EXPECT_EQ(evalWith({QStringLiteral("--lang"), QStringLiteral("de"), QStringLiteral("1")}).code,
              ExitUsage);
    EXPECT_EQ(evalWith({QStringLiteral("--frobnicate"), QStringLiteral("1")}).code, ExitUsage);
    EXPECT_EQ(evalWith({QStringLiteral("1"), QStringLiteral("--vars")}).code, ExitUsage);
}

TEST(EvalCommand, DoubleDashLetsAFormulaBeginWithDashes) {
    const Outcome outcome = evalWith({QStringLiteral("--"), QStringLiteral("--2")});
    EXPECT_EQ(outcome.code, ExitFailed);
    EXPECT_EQ(outcome.err, QStringLiteral("error: brak argumentu \n"));
    const Outcome negative = evalWith({QStringLiteral("-2^2"), QStringLiteral("-7 div 2")});
    EXPECT_EQ(negative.out, QStringLiteral("4\n-3\n"));
}

TEST(EvalCommand, JsonEscapesControlCharacters) {
    const Outcome outcome = evalWith({QStringLiteral("--json"), QStringLiteral("_LF || _TB")});
    EXPECT_EQ(outcome.out, q(R"x({"formula": "_LF || _TB", "ok": true, "result": "\"\r\n\t\"", )x"
                             R"x("type": 2, "kind": 4})x"
                             "\n"));
    const Outcome nul = evalWith({QStringLiteral("--json"), QStringLiteral("char(1)")});
    EXPECT_TRUE(nul.out.contains(QStringLiteral("\"result\": \"\\\"\\u0001\\\"\"")));
}

}  // namespace

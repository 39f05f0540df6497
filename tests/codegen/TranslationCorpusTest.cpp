#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "CorpusFlowcharts.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "storage/ProjectFile.h"

// Every example and every corpus flowchart is exported to Python and C++; each program runs
// with the inputs a run of the flowchart gets, and its whole output and exit code must be those
// of `trevalon-cli run`.

namespace {

struct Outcome {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program in `folder`, so that whatever it might write lands where the test looks.
Outcome execute(const QString& program, const QStringList& args, const QByteArray& input,
                const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {-2, process.readAllStandardOutput(), process.readAllStandardError()};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -3,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

struct CorpusCase {
    std::string name;
    QString project;  // a file in examples/, or empty for a corpus flowchart
    const CorpusFlowchart* built = nullptr;
    QStringList inputs;
    bool unstructured = false;
};

// g++ as the documentation promises the program compiles, every warning an error, trigraphs
// and bidirectional controls (also as universal character names) looked for.
QStringList compilerFlags(const QString& standard) {
    return {QStringLiteral("-std=") + standard,
            QStringLiteral("-Wall"),
            QStringLiteral("-Wextra"),
            QStringLiteral("-Werror"),
            QStringLiteral("-Wtrigraphs"),
            QStringLiteral("-Wbidi-chars=any,ucn"),
            QStringLiteral("-O1")};
}

QStringList inputsOf(std::span<const char* const> runs) {
    QStringList list;
    for (const char* run : runs) {
        list << QString::fromUtf8(run);
    }
    return list;
}

std::vector<CorpusCase> corpus() {
    std::vector<CorpusCase> cases;
    // The examples' own inputs: those of examples/tests where a file has some, else those the
    // examples' README suggests.
    const QList<QPair<QString, QStringList>> examples = {
        {QStringLiteral("factorial"),
         {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("10"),
          QStringLiteral("13")}},
        {QStringLiteral("gcd"),
         {QStringLiteral("48\n18"), QStringLiteral("17\n5"), QStringLiteral("9\n9"),
          QStringLiteral("7\n35")}},
        {QStringLiteral("larger"),
         {QStringLiteral("3\n7"), QStringLiteral("7\n3"), QStringLiteral("5\n5")}},
        {QStringLiteral("array"), {QString()}},
        {QStringLiteral("procedure"), {QStringLiteral("6"), QStringLiteral("-4")}},
        {QStringLiteral("branch"), {QString()}},
        {QStringLiteral("question"),
         {QStringLiteral("tak"), QStringLiteral("nie"), QStringLiteral("może\nTAK")}},
        {QStringLiteral("circle"),
         {QStringLiteral("2,5"), QStringLiteral("1"), QStringLiteral("0.3")}},
        {QStringLiteral("weekday"), {QStringLiteral("2012/07/13"), QStringLiteral("2000/2/29")}},
        {QStringLiteral("dice"), {QString()}},
    };
    const QDir folder(QStringLiteral(TREVALON_SOURCE_DIR "/examples"));
    for (const QString& file : folder.entryList({QStringLiteral("*.skb")}, QDir::Files)) {
        CorpusCase c;
        c.name = QFileInfo(file).baseName().toStdString();
        c.project = folder.filePath(file);
        for (const auto& [name, inputs] : examples) {
            if (name == QFileInfo(file).baseName()) {
                c.inputs = inputs;
            }
        }
        cases.push_back(c);
    }
    for (const CorpusFlowchart& flowchart : corpusFlowcharts()) {
        cases.push_back(CorpusCase{flowchart.name, QString(), &flowchart,
                                   inputsOf(flowchart.inputs), flowchart.unstructured});
    }
    return cases;
}

void PrintTo(const CorpusCase& c, std::ostream* os) {
    *os << c.name;
}

class TranslationCorpus : public ::testing::TestWithParam<CorpusCase> {
protected:
    static void SetUpTestSuite() {
        python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        compiler = QStandardPaths::findExecutable(QStringLiteral("g++"));
    }
    static QString python;
    static QString compiler;
};
QString TranslationCorpus::python;
QString TranslationCorpus::compiler;

TEST_P(TranslationCorpus, GeneratedProgramsPrintWhatTheRunPrints) {
    if (python.isEmpty() || compiler.isEmpty()) {
        GTEST_SKIP() << "python3 and g++ are needed to run the generated programs "
                        "(scripts/install-deps.sh installs them)";
    }
    const CorpusCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString project = c.project;
    if (project.isEmpty()) {
        trevalon::Project built;
        c.built->build(built);
        project = dir.filePath(c.built->file != nullptr ? QString::fromUtf8(c.built->file)
                                                        : QStringLiteral("flowchart.skb"));
        trevalon::test::RecordingLog log(0);
        ASSERT_TRUE(trevalon::ProjectFile::save(built, project, log, trevalon::TextTable()).ok());
    }
    const QString cli = QStringLiteral(TREVALON_CLI);
    const QString py = dir.filePath(QStringLiteral("program.py"));
    const QString cpp = dir.filePath(QStringLiteral("program.cpp"));
    const QString binary = dir.filePath(QStringLiteral("program"));
    for (const auto& [language, file] :
         {std::pair{QStringLiteral("python"), py}, std::pair{QStringLiteral("cpp"), cpp}}) {
        const Outcome exported = execute(cli,
                                         {QStringLiteral("export"), QStringLiteral("--to"),
                                          language, QStringLiteral("--out"), file, project},
                                         {}, dir.path());
        ASSERT_EQ(exported.code, 0) << exported.err.toStdString();
    }
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    QFile source(py);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    // The state machine is the fallback for the flows that need it, and only for them.
    EXPECT_EQ(source.readAll().contains("state = 0"), c.unstructured);
    QStringList standards = {QStringLiteral("c++17")};
    if (c.built != nullptr && c.built->alsoCpp14) {
        standards << QStringLiteral("c++14");
    }
    for (const QString& standard : standards) {
        QProcess gxx;
        gxx.start(compiler, compilerFlags(standard)
                                << QStringLiteral("-o") << binary + standard.right(2) << cpp);
        ASSERT_TRUE(gxx.waitForFinished(180000));
        ASSERT_EQ(gxx.exitCode(), 0)
            << standard.toStdString() << ": " << gxx.readAllStandardError().toStdString();
        EXPECT_EQ(gxx.readAllStandardError(), QByteArray()) << "g++ warned";
    }
    const QStringList seed = {QStringLiteral("--seed"), QStringLiteral("7")};
    for (const QString& lines : c.inputs) {
        const QByteArray input = lines.isEmpty() ? QByteArray() : (lines + u'\n').toUtf8();
        const Outcome run =
            execute(cli, QStringList{QStringLiteral("run")} << seed << project, input, dir.path());
        const Outcome fromPython = execute(python, QStringList{py} << seed, input, dir.path());
        EXPECT_EQ(fromPython.out.toStdString(), run.out.toStdString())
            << "input: " << lines.toStdString() << "\n"
            << fromPython.err.toStdString();
        EXPECT_EQ(fromPython.code, run.code) << "input: " << lines.toStdString();
        for (const QString& standard : standards) {
            const Outcome fromCpp = execute(binary + standard.right(2), seed, input, dir.path());
            EXPECT_EQ(fromCpp.out.toStdString(), run.out.toStdString())
                << standard.toStdString() << ", input: " << lines.toStdString();
            EXPECT_EQ(fromCpp.code, run.code) << "input: " << lines.toStdString();
        }
    }
    // The programs wrote nothing beside themselves.
    QStringList expected = files;
    for (const QString& standard : standards) {
        expected << QStringLiteral("program") + standard.right(2);
    }
    QStringList found = QDir(dir.path()).entryList(QDir::Files);
    expected.sort();
    found.sort();
    EXPECT_EQ(found, expected);
}

INSTANTIATE_TEST_SUITE_P(ExamplesAndFlows, TranslationCorpus, ::testing::ValuesIn(corpus()),
                         [](const ::testing::TestParamInfo<CorpusCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return name;
                         });

}  // namespace

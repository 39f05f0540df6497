#include <QDir>
#include <QFileInfo>
#include <memory>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/GradeOutput.h"
#include "cli/GradeReport.h"
#include "config/TextTable.h"
#include "grading/Grader.h"
#include "grading/TestSuiteReader.h"
#include "storage/ProjectFile.h"

namespace trevalon::cli {
namespace {

const QString Command = QStringLiteral("grade");

// A folder stands for its project files (.skb, .sdp in any case), sorted by name; its
// subfolders are not entered, so that a class folder's "old" or "model" folder stays out.
QStringList submissionPaths(const QStringList& arguments) {
    QStringList paths;
    for (const QString& argument : arguments) {
        const QFileInfo info(argument);
        if (!info.isDir()) {
            paths << argument;
            continue;
        }
        const QDir folder(argument);
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
            if (ProjectFile::isProjectPath(name)) {
                paths << folder.filePath(name);
            }
        }
    }
    return paths;
}

// The tests file: 66 when it cannot be read at all, 5 with every problem listed.
int readSuite(const QString& path, const QString& language, CommandIo& io,
              std::optional<TestSuite>& suite) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        io.err << "trevalon-cli grade: cannot read the tests file " << path << '\n';
        return ExitNoInput;
    }
    SuiteReading reading = readTestSuiteFile(path, language);
    for (const SuiteProblem& problem : reading.problems) {
        io.err << path;
        if (problem.line > 0) {
            io.err << ':' << problem.line;
        }
        io.err << ": " << problem.message << '\n';
    }
    io.err.flush();
    if (!reading.suite) {
        return ExitBadTests;
    }
    suite = std::move(reading.suite);
    return ExitOk;
}

std::unique_ptr<GradeOutput> outputFor(const CliOptions& options, CommandIo& io) {
    if (options.has(QStringLiteral("--json"))) {
        return std::make_unique<JsonOutput>(io.out);
    }
    if (options.has(QStringLiteral("--csv"))) {
        return std::make_unique<CsvOutput>(io.out);
    }
    return std::make_unique<TableOutput>(io.out);
}

std::optional<int> jobsOption(const CliOptions& options, CommandIo& io) {
    if (!options.values.contains(QStringLiteral("--jobs"))) {
        return 0;
    }
    bool ok = false;
    const int jobs = options.value(QStringLiteral("--jobs")).toInt(&ok);
    if (!ok || jobs < 1 || jobs > 256) {
        usageError(Command, QStringLiteral("--jobs takes a whole number from 1 to 256"), io);
        return std::nullopt;
    }
    return jobs;
}

}  // namespace

int gradeCommand(const QStringList& args, CommandIo& io) {
    const auto options =
        parseOptions(Command, args,
                     {QStringLiteral("--lang"), QStringLiteral("--jobs"), QStringLiteral("--html")},
                     {QStringLiteral("--json"), QStringLiteral("--csv")}, io);
    if (!options) {
        return ExitUsage;
    }
    const std::optional<int> jobs = jobsOption(*options, io);
    if (!jobs) {
        return ExitUsage;
    }
    if (options->has(QStringLiteral("--json")) && options->has(QStringLiteral("--csv"))) {
        return usageError(Command, QStringLiteral("--json and --csv exclude each other"), io);
    }
    if (options->positional.size() < 2) {
        return usageError(Command, QStringLiteral("expects a TESTS file and at least one PATH"),
                          io);
    }
    std::optional<TestSuite> suite;
    if (const int read = readSuite(options->positional.first(), options->language, io, suite);
        read != ExitOk) {
        return read;
    }
    TextTable texts;
    texts.setLanguage(options->language);
    const QString reportPath = options->value(QStringLiteral("--html"));
    std::unique_ptr<GradeReport> report;
    if (!reportPath.isEmpty()) {
        report = std::make_unique<GradeReport>(reportPath, *suite, texts);
        QString reason;
        if (!report->open(&reason)) {
            io.err << "trevalon-cli grade: cannot write " << reportPath << ": " << reason << '\n';
            return ExitCantCreate;
        }
    }
    const QStringList paths = submissionPaths(options->positional.mid(1));
    const std::unique_ptr<GradeOutput> output = outputFor(*options, io);
    output->begin(*suite, paths);
    Grader grader(*suite, options->language);
    grader.setJobs(*jobs);
    grader.setKeepProjects(report != nullptr);
    bool allGraded = true;
    grader.grade(paths, [&](const SubmissionResult& result) {
        allGraded = allGraded && result.graded;
        output->submission(result);
        if (report) {
            report->submission(result);
        }
    });
    output->end();
    io.out.flush();
    QString reason;
    if (report && !report->finish(&reason)) {
        io.err << "trevalon-cli grade: cannot write " << reportPath << ": " << reason << '\n';
        return ExitCantCreate;
    }
    return allGraded ? ExitOk : ExitFailed;
}

}  // namespace trevalon::cli

#include <memory>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/GradeOutput.h"
#include "cli/GradeReport.h"
#include "config/OutsideText.h"
#include "config/TextTable.h"
#include "grading/Grader.h"
#include "grading/TestSuiteReader.h"
#include "storage/NativeFiles.h"
#include "storage/ProjectFile.h"

namespace trevalon::cli {
namespace {

const QString Command = QStringLiteral("grade");

// A folder stands for its project files (.skb, .sdp in any case), sorted by the bytes of their
// names, whatever those bytes are; its subfolders are not entered, so that a class folder's
// "old" or "model" folder stays out. Anything else so named (a pipe, a device, a link to
// nothing or in a loop) is kept, to be listed with its reason. A folder that cannot be read is
// kept itself, for the same reason.
QStringList submissionPaths(const QStringList& arguments) {
    QStringList paths;
    for (const QString& argument : arguments) {
        if (!isFolder(argument)) {
            paths << argument;
            continue;
        }
        const FolderEntries entries = folderEntries(argument);
        if (entries.problem != FileProblem::None) {
            paths << argument;
            continue;
        }
        const QString folder = argument.endsWith(u'/') ? argument : argument + u'/';
        for (const QString& name : entries.names) {
            if (ProjectFile::isProjectPath(name) && !isFolder(folder + name)) {
                paths << folder + name;
            }
        }
    }
    return paths;
}

// The tests file: 66 when it cannot be read at all, 5 with every problem listed.
int readSuite(const QString& path, const TextTable& texts, CommandIo& io,
              std::optional<TestSuite>& suite) {
    const FileBytes file = readRegularFile(path, kMaxTestsFileSize);
    if (file.problem != FileProblem::None) {
        io.err << "trevalon-cli grade: "
               << texts.text(texts::TestsFileUnreadable)
                      .arg(shownText(path), fileProblemText(file.problem, file.error, texts))
               << '\n';
        return ExitNoInput;
    }
    SuiteReading reading = readTestSuite(file.bytes, texts.language());
    for (const SuiteProblem& problem : reading.problems) {
        io.err << shownText(path);
        if (problem.line > 0) {
            io.err << ':' << problem.line;
        }
        io.err << ": " << shownText(problem.message) << '\n';
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
    const auto options = parseOptions(
        Command, args,
        {QStringLiteral("--lang"), QStringLiteral("--jobs"), QStringLiteral("--html")},
        {QStringLiteral("--json"), QStringLiteral("--csv"), QStringLiteral("--full-output")}, io);
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
    if (options->has(QStringLiteral("--full-output")) &&
        !options->values.contains(QStringLiteral("--html"))) {
        return usageError(Command, QStringLiteral("--full-output needs --html REPORT.html"), io);
    }
    if (options->positional.size() < 2) {
        return usageError(Command, QStringLiteral("expects a TESTS file and at least one PATH"),
                          io);
    }
    TextTable texts;
    texts.setLanguage(options->language);
    std::optional<TestSuite> suite;
    if (const int read = readSuite(options->positional.first(), texts, io, suite); read != ExitOk) {
        return read;
    }
    const QString reportPath = options->value(QStringLiteral("--html"));
    std::unique_ptr<GradeReport> report;
    if (!reportPath.isEmpty()) {
        report = std::make_unique<GradeReport>(reportPath, *suite, texts);
        report->setFullOutput(options->has(QStringLiteral("--full-output")));
        QString reason;
        if (!report->open(&reason)) {
            io.err << "trevalon-cli grade: cannot write " << shownText(reportPath) << ": " << reason
                   << '\n';
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
        io.err << "trevalon-cli grade: cannot write " << shownText(reportPath) << ": " << reason
               << '\n';
        return ExitCantCreate;
    }
    return allGraded ? ExitOk : ExitFailed;
}

}  // namespace trevalon::cli

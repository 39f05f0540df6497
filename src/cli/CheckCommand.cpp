#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ProjectLoading.h"
#include "exec/BoardCheck.h"
#include "exec/CheckCommands.h"
#include "exec/TextCheckReport.h"
#include "exec/Workspace.h"

namespace trevalon::cli {
namespace {

void printJson(const Project& project, const TextTable& texts, const BoardCheckResult& result,
               bool passed, QTextStream& out) {
    QJsonArray stages;
    for (int status : result.stages) {
        stages.append(status);
    }
    QJsonArray marked;
    for (const CellRef& cell : result.faultyCells) {
        marked.append(QJsonObject{
            {QStringLiteral("column"), cell.column},
            {QStringLiteral("row"), cell.row},
            {QStringLiteral("description"),
             project.describeCell(cell.board, cell.column, cell.row, texts)},
        });
    }
    QJsonArray reasons;
    for (const CheckFinding& finding : result.findings) {
        reasons.append(QJsonObject{
            {QStringLiteral("stage"), finding.stage},
            {QStringLiteral("board"), finding.board},
            {QStringLiteral("column"), finding.column},
            {QStringLiteral("row"), finding.row},
            {QStringLiteral("reason"), checkReasonCode(finding.reason)},
            {QStringLiteral("text"), checkFindingText(finding, texts)},
        });
    }
    const QJsonObject root{
        {QStringLiteral("passed"), passed},   {QStringLiteral("board"), result.board},
        {QStringLiteral("stages"), stages},   {QStringLiteral("marked"), marked},
        {QStringLiteral("reasons"), reasons},
    };
    out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact)) << '\n';
}

}  // namespace

int checkCommand(const QStringList& args, CommandIo& io) {
    const QString command = QStringLiteral("check");
    const auto options =
        parseOptions(command, args, {QStringLiteral("--lang")}, {QStringLiteral("--json")}, io);
    if (!options) {
        return ExitUsage;
    }
    if (options->positional.size() != 1) {
        return usageError(command, QStringLiteral("exactly one PROJECT is expected"), io);
    }
    const QString path = options->positional.first();

    ErrorStreamSink sink(io.err);
    NoEventLog log;
    Workspace workspace(log, sink);
    workspace.setLanguage(options->language);
    if (const int loaded = loadProject(workspace.project(), path, workspace.texts(), io);
        loaded != ExitOk) {
        return loaded;
    }
    workspace.setProjectName(QFileInfo(path).completeBaseName());

    QString discarded;
    QTextStream nowhere(&discarded);
    const bool json = options->has(QStringLiteral("--json"));
    TextCheckReport report(json ? nowhere : io.out, workspace.project(), workspace.texts());
    workspace.setCheckReport(&report);
    BoardCheck check(workspace.checkTools());
    const bool passed = checkProject(workspace, check);
    if (json) {
        printJson(workspace.project(), workspace.texts(), check.lastResult(), passed, io.out);
    }
    return passed ? ExitOk : ExitFailed;
}

}  // namespace trevalon::cli

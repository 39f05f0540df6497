#include <QFileInfo>
#include <QSaveFile>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ProjectLoading.h"
#include "codegen/CodeGenerator.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "exec/BoardCheck.h"
#include "exec/CheckCommands.h"
#include "exec/RandomSource.h"
#include "exec/Workspace.h"

namespace trevalon::cli {
namespace {

// Passes draws on to the program's own source and notes the range of each.
class RecordingRandom : public RandomSource {
public:
    explicit RecordingRandom(RandomSource& source) : m_source(source) {}
    qint64 uniform(qint64 low, qint64 high) override {
        draws.emplace_back(low, high);
        return m_source.uniform(low, high);
    }
    std::vector<std::pair<qint64, qint64>> draws;

private:
    RandomSource& m_source;
};

std::optional<codegen::Target> targetNamed(const QString& name) {
    if (name == QLatin1String("python")) {
        return codegen::Target::Python;
    }
    if (name == QLatin1String("cpp")) {
        return codegen::Target::Cpp;
    }
    if (name == QLatin1String("pseudo")) {
        return codegen::Target::Pseudo;
    }
    return std::nullopt;
}

int write(const QString& text, const QString& path, CommandIo& io) {
    if (path.isEmpty()) {
        io.out << text;
        io.out.flush();
        return ExitOk;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        io.err << "trevalon-cli export: cannot write " << path << ": " << file.errorString()
               << '\n';
        return ExitCantCreate;
    }
    return ExitOk;
}

}  // namespace

int exportCommand(const QStringList& args, CommandIo& io) {
    const QString command = QStringLiteral("export");
    const auto options = parseOptions(
        command, args, {QStringLiteral("--lang"), QStringLiteral("--to"), QStringLiteral("--out")},
        {}, io);
    if (!options) {
        return ExitUsage;
    }
    const std::optional<codegen::Target> target =
        targetNamed(options->value(QStringLiteral("--to")));
    if (!target) {
        return usageError(command, QStringLiteral("--to must be python, cpp or pseudo"), io);
    }
    if (options->positional.size() != 1) {
        return usageError(command, QStringLiteral("exactly one PROJECT is expected"), io);
    }
    ErrorStreamSink sink(io.err);
    NoEventLog log;
    Workspace workspace(log, sink);
    workspace.setLanguage(options->language);
    const QString path = options->positional.first();
    if (const int loaded = loadProject(workspace.project(), path, workspace.texts(), io);
        loaded != ExitOk) {
        return loaded;
    }
    // Only a project that passes its check runs; its code is what such a run does.
    RecordingRandom recording(workspace.random());
    workspace.setRandomSource(&recording);
    BoardCheck check(workspace.checkTools());
    const bool passed = check.checkEveryBoard();
    showCheckTroubles(workspace, check);
    workspace.setRandomSource(nullptr);
    if (!passed) {
        io.err << "trevalon-cli export: the project fails its check (trevalon-cli check says "
                  "why)\n";
        return ExitFailed;
    }
    const TextTable& texts = workspace.texts();
    codegen::CodeGenerator generator(workspace.project(), texts, *target);
    generator.setCheckDraws(recording.draws);
    const codegen::GeneratedCode code = generator.generate(QFileInfo(path).fileName());
    if (!code.ok()) {
        io.err << texts.text(texts::CodeExportFailed).arg(code.status.message(texts)) << '\n';
        return ExitFailed;
    }
    if (code.dispatchedRoutines > 0) {
        io.err << texts.text(texts::CodeExportDispatched)
                      .arg(code.dispatchedRoutines)
                      .arg(code.routines)
               << '\n';
    }
    return write(code.text(), options->value(QStringLiteral("--out")), io);
}

}  // namespace trevalon::cli

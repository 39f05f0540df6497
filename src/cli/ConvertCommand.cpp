#include <QFileInfo>
#include <memory>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ProjectLoading.h"
#include "config/TextTable.h"
#include "model/Project.h"
#include "storage/ProjectFile.h"

namespace trevalon::cli {

int convertCommand(const QStringList& args, CommandIo& io) {
    const QString command = QStringLiteral("convert");
    const auto options = parseOptions(command, args, {}, {}, io);
    if (!options) {
        return ExitUsage;
    }
    if (options->positional.size() != 2) {
        return usageError(command, QStringLiteral("expects INPUT and OUTPUT.skb"), io);
    }
    const QString output = options->positional.at(1);
    if (QFileInfo(output).suffix().toLower() != QLatin1StringView("skb")) {
        return usageError(command, QStringLiteral("OUTPUT must be a .skb file"), io);
    }
    TextTable texts;
    auto project = std::make_unique<Project>();
    const int loaded = loadProject(*project, options->positional.first(), texts, io);
    if (loaded != ExitOk) {
        return loaded;
    }
    NoEventLog log;
    if (const Status saved = ProjectFile::save(*project, output, log, texts); !saved.ok()) {
        // The message says that saving failed; the path and the system's cause say why.
        ErrorStreamSink(io.err).showStatus(saved, texts);
        io.err << "trevalon-cli: cannot write " << output << ": " << saved.detail() << '\n';
        return ExitCantCreate;
    }
    return ExitOk;
}

}  // namespace trevalon::cli

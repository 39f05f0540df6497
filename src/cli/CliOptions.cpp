#include "cli/CliOptions.h"

namespace trevalon::cli {

int usageError(const QString& command, const QString& message, CommandIo& io) {
    io.err << "trevalon-cli " << command << ": " << message << '\n' << usage(command);
    return ExitUsage;
}

std::optional<CliOptions> parseOptions(const QString& command, const QStringList& args,
                                       const QStringList& valueOptions,
                                       const QStringList& flagOptions, CommandIo& io) {
    CliOptions options;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            options.positional << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(u'=');
        const QString name = equals < 0 ? arg : arg.left(equals);
        if (valueOptions.contains(name)) {
            if (equals >= 0) {
                options.values.insert(name, arg.mid(equals + 1));
            } else if (i + 1 < args.size()) {
                options.values.insert(name, args[++i]);
            } else {
                usageError(command, QStringLiteral("option %1 needs a value").arg(name), io);
                return std::nullopt;
            }
        } else if (flagOptions.contains(name) && equals < 0) {
            options.flags.insert(name);
        } else {
            usageError(command, QStringLiteral("unknown option %1").arg(arg), io);
            return std::nullopt;
        }
    }
    options.language = options.value(QStringLiteral("--lang"), options.language);
    // `en` is what most programs call English; the text table's own name for it is `ang`.
    if (options.language == QLatin1String("en")) {
        options.language = QStringLiteral("ang");
    }
    if (options.language != QLatin1String("pl") && options.language != QLatin1String("ang")) {
        usageError(command, QStringLiteral("--lang must be pl or ang (or en)"), io);
        return std::nullopt;
    }
    return options;
}

}  // namespace trevalon::cli

#pragma once

#include <QMap>
#include <QSet>
#include <QStringList>
#include <optional>

#include "cli/Commands.h"

namespace trevalon::cli {

// Options of one command after parsing: `--name VALUE` (or `--name=VALUE`) values, bare flags,
// and the positional arguments (everything after `--` is positional).
struct CliOptions {
    QMap<QString, QString> values;
    QSet<QString> flags;
    QStringList positional;
    // `--lang`, checked while parsing: "pl" (the default) or "ang".
    QString language = QStringLiteral("pl");

    bool has(const QString& flag) const { return flags.contains(flag); }
    QString value(const QString& name, const QString& fallback = QString()) const {
        return values.value(name, fallback);
    }
};

// Parses `args` against the option names a command knows (written with their dashes, e.g.
// "--lang"). An unknown option or a missing value is reported on io.err with the command's
// usage and answers nullopt; the caller then exits with ExitUsage. So is a `--lang` other than
// "pl" or "ang".
std::optional<CliOptions> parseOptions(const QString& command, const QStringList& args,
                                       const QStringList& valueOptions,
                                       const QStringList& flagOptions, CommandIo& io);

// Prints `trevalon-cli COMMAND: message` and the command's usage; answers ExitUsage.
int usageError(const QString& command, const QString& message, CommandIo& io);

}  // namespace trevalon::cli

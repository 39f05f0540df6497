#include <QFile>

#include "calc/TCalcul.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"

namespace trevalon::cli {

namespace {

const QString kCommand = QStringLiteral("eval");

// A JSON string literal; characters outside ASCII are written as they are (the output is UTF-8).
QString jsonString(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'"':
                out += QStringLiteral("\\\"");
                break;
            case u'\\':
                out += QStringLiteral("\\\\");
                break;
            case u'\n':
                out += QStringLiteral("\\n");
                break;
            case u'\r':
                out += QStringLiteral("\\r");
                break;
            case u'\t':
                out += QStringLiteral("\\t");
                break;
            default:
                if (c.unicode() < 0x20 || c.isSurrogate()) {
                    out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
                } else {
                    out += c;
                }
        }
    }
    out += u'"';
    return out;
}

// Reads a variables list (UTF-8, lines ending in LF or CR LF) into the Calculator's store.
bool loadVariables(const QString& path, TCalcul& calculator, CommandIo& io) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        io.err << "trevalon-cli eval: cannot read " << path << '\n';
        return false;
    }
    QString list = QString::fromUtf8(file.readAll());
    if (list.startsWith(QChar(0xFEFF))) {
        list.remove(0, 1);
    }
    calculator.LoadVariables(list);
    return true;
}

void printVariables(const TCalcul& calculator, bool json, CommandIo& io) {
    if (!json) {
        calculator.variables().forEach([&io](const QString& name, const QString& value) {
            io.out << name << '=' << value << '\n';
        });
        return;
    }
    QStringList pairs;
    calculator.variables().forEach([&pairs](const QString& name, const QString& value) {
        pairs << u'[' + jsonString(name) + QStringLiteral(", ") + jsonString(value) + u']';
    });
    io.out << "{\"variables\": [" << pairs.join(QStringLiteral(", ")) << "]}\n";
}

}  // namespace

int evalCommand(const QStringList& args, CommandIo& io) {
    const std::optional<CliOptions> options =
        parseOptions(kCommand, args, {QStringLiteral("--lang"), QStringLiteral("--vars")},
                     {QStringLiteral("--list"), QStringLiteral("--json")}, io);
    if (!options) {
        return ExitUsage;
    }
    if (options->positional.isEmpty()) {
        return usageError(kCommand, QStringLiteral("no FORMULA given"), io);
    }
    const bool json = options->has(QStringLiteral("--json"));
    TCalcul calculator;
    calculator.setLanguage(options->language);
    if (options->values.contains(QStringLiteral("--vars")) &&
        !loadVariables(options->value(QStringLiteral("--vars")), calculator, io)) {
        return ExitNoInput;
    }
    int code = ExitOk;
    for (const QString& formula : options->positional) {
        calculator.setFormula(formula);
        QString result;
        const bool ok = calculator.Evaluate(result);
        if (!ok) {
            code = ExitFailed;
        }
        if (json) {
            io.out << "{\"formula\": " << jsonString(formula) << ", \"ok\": ";
            if (ok) {
                io.out << "true, \"result\": " << jsonString(result)
                       << ", \"type\": " << calculator.resultType()
                       << ", \"kind\": " << calculator.resultKind() << "}\n";
            } else {
                io.out << "false, \"error\": " << jsonString(calculator.errorText()) << "}\n";
            }
        } else if (ok) {
            io.out << result << '\n';
        } else {
            io.err << "error: " << calculator.errorText() << '\n';
        }
    }
    if (options->has(QStringLiteral("--list"))) {
        printVariables(calculator, json, io);
    }
    return code;
}

}  // namespace trevalon::cli

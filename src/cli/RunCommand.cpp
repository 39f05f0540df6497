#include <QRegularExpression>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ProjectLoading.h"
#include "config/TextTable.h"
#include "exec/ExecutionDialogLogic.h"
#include "exec/ExecutionIo.h"
#include "exec/Executor.h"
#include "exec/TextCheckReport.h"
#include "exec/TraceTable.h"
#include "exec/Workspace.h"
#include "model/Cell.h"

namespace trevalon::cli {
namespace {

// Dialog texts break lines with LF CR (a comment's "&"), CR LF or either alone.
QString terminalLines(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1StringView("\n\r"), QLatin1StringView("\n"));
    lines.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    lines.replace(u'\r', u'\n');
    return lines;
}

std::optional<bool> parseAnswer(const QString& line) {
    const QString word = line.trimmed().toLower();
    static const QStringList yes = {QStringLiteral("1"), QStringLiteral("t"), QStringLiteral("tak"),
                                    QStringLiteral("y"), QStringLiteral("yes")};
    static const QStringList no = {QStringLiteral("0"), QStringLiteral("n"), QStringLiteral("nie"),
                                   QStringLiteral("no")};
    if (yes.contains(word)) {
        return true;
    }
    if (no.contains(word)) {
        return false;
    }
    return std::nullopt;
}

// The execution dialog on a terminal: texts go to standard output, values and answers are
// read one line at a time from standard input, refusals are explained on standard error.
class TerminalIo : public ExecutionIo {
public:
    TerminalIo(CommandIo& io, MessageSink& messages, const TextTable& texts)
        : m_io(io), m_messages(messages), m_texts(texts) {}

    DialogClose showDialog(ExecutionDialogLogic& dialog) override {
        m_io.out << terminalLines(dialog.text()) << '\n';
        m_io.out.flush();
        switch (dialog.mode()) {
            case DialogMode::Show:
                return DialogClose::Closed;
            case DialogMode::Question:
                return askQuestion(dialog);
            case DialogMode::Read:
                return dialog.readsDate() ? readDate(dialog) : readValue(dialog);
        }
        return DialogClose::Closed;
    }

private:
    bool nextLine(QString& line) {
        if (!m_io.in.readLineInto(&line)) {
            return false;
        }
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        return true;
    }

    void refused(const QString& reason) {
        m_io.err << "Value refused: " << reason << '\n';
        m_io.err.flush();
    }

    DialogClose askQuestion(ExecutionDialogLogic& dialog) {
        QString line;
        while (nextLine(line)) {
            if (const std::optional<bool> yes = parseAnswer(line)) {
                dialog.answer(*yes);
                return DialogClose::Closed;
            }
            m_io.err << "Answer refused: type 1, t, tak, y or yes for yes; 0, n, nie or no for "
                        "no\n";
            m_io.err.flush();
        }
        return DialogClose::InputEnded;
    }

    DialogClose readValue(ExecutionDialogLogic& dialog) {
        QString line;
        while (nextLine(line)) {
            QString reason;
            const std::optional<QString> value =
                ExecutionDialogLogic::filterLine(dialog.targetType(), line, &reason);
            if (!value) {
                refused(reason);
                continue;
            }
            if (dialog.enterValue(*value) == EntryResult::Accepted) {
                return DialogClose::Closed;
            }
            refused(dialog.refusal());
        }
        return DialogClose::InputEnded;
    }

    DialogClose readDate(ExecutionDialogLogic& dialog) {
        static const QRegularExpression form(
            QStringLiteral("^([0-9-]{1,4})/([0-9-]{1,2})/([0-9-]{1,2})$"));
        QString line;
        while (nextLine(line)) {
            const QRegularExpressionMatch match = form.match(line.trimmed());
            if (!match.hasMatch()) {
                // What the three fields could not hold is no date at all.
                m_messages.showMessage(MessageSink::Close, MessageSink::Warning,
                                       m_texts.text(texts::EnterValidDate));
                continue;
            }
            const EntryResult entered =
                dialog.enterDate(match.captured(1), match.captured(2), match.captured(3));
            if (entered == EntryResult::Accepted) {
                return DialogClose::Closed;
            }
            if (entered == EntryResult::Refused) {
                refused(dialog.refusal());
            }
        }
        return DialogClose::InputEnded;
    }

    CommandIo& m_io;
    MessageSink& m_messages;
    const TextTable& m_texts;
};

std::optional<qint64> numberOption(const CliOptions& options, const QString& name, qint64 minimum,
                                   bool* bad) {
    if (!options.values.contains(name)) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 value = options.value(name).toLongLong(&ok);
    if (!ok || value < minimum) {
        *bad = true;
        return std::nullopt;
    }
    return value;
}

int exitCodeFor(const Executor& executor, CommandIo& io) {
    switch (executor.lastEnd()) {
        case RunEnd::Finished:
            return ExitOk;
        case RunEnd::CheckFailed:
            return ExitFailed;
        case RunEnd::StepLimit:
            io.err << "trevalon-cli run: stopped after " << executor.stepsTaken()
                   << " steps (--max-steps)\n";
            return ExitStepLimit;
        case RunEnd::InputEnded:
            io.err << "trevalon-cli run: standard input ended while a block was waiting for "
                      "it\n";
            return ExitInputEnded;
        case RunEnd::Aborted:
        case RunEnd::Stopped:
        case RunEnd::None:
            break;
    }
    return ExitAborted;
}

}  // namespace

int runCommand(const QStringList& args, CommandIo& io) {
    const QString command = QStringLiteral("run");
    const auto options =
        parseOptions(command, args,
                     {QStringLiteral("--lang"), QStringLiteral("--max-steps"),
                      QStringLiteral("--seed"), QStringLiteral("--trace-table")},
                     {QStringLiteral("--trace"), QStringLiteral("--trace-connectors")}, io);
    if (!options) {
        return ExitUsage;
    }
    bool bad = false;
    const std::optional<qint64> maxSteps =
        numberOption(*options, QStringLiteral("--max-steps"), 1, &bad);
    if (bad) {
        return usageError(command, QStringLiteral("--max-steps takes a whole number above 0"), io);
    }
    const std::optional<qint64> seed = numberOption(*options, QStringLiteral("--seed"), 0, &bad);
    if (bad) {
        return usageError(command, QStringLiteral("--seed takes a whole number from 0"), io);
    }
    if (options->positional.size() != 1) {
        return usageError(command, QStringLiteral("exactly one PROJECT is expected"), io);
    }
    const QString tablePath = options->value(QStringLiteral("--trace-table"));
    if (options->has(QStringLiteral("--trace-connectors")) && tablePath.isEmpty()) {
        return usageError(command, QStringLiteral("--trace-connectors needs --trace-table FILE"),
                          io);
    }

    ErrorStreamSink sink(io.err);
    NoEventLog log;
    Workspace workspace(log, sink);
    workspace.setLanguage(options->language);
    if (const int loaded =
            loadProject(workspace.project(), options->positional.first(), workspace.texts(), io);
        loaded != ExitOk) {
        return loaded;
    }
    if (seed) {
        workspace.seedRandom(static_cast<quint64>(*seed));
    }
    TerminalIo terminal(io, sink, workspace.texts());
    workspace.setExecutionIo(&terminal);
    TextCheckReport report(io.out, workspace);
    workspace.setCheckReport(&report);

    Executor& executor = workspace.executor();
    executor.setStepLimit(maxSteps.value_or(0));
    if (options->has(QStringLiteral("--trace"))) {
        executor.setTrace([&io](qint64 step, const RunState& state) {
            io.err << "step " << step << ": board " << state.runBoard << " (" << state.runColumn
                   << ',' << state.runRow << ") kind " << state.currentKind << '\n';
        });
    }
    TraceTable table(workspace);
    if (!tablePath.isEmpty()) {
        table.setConnectors(options->has(QStringLiteral("--trace-connectors")));
        executor.setStepObserver(&table);
    }
    executor.run();
    executor.setStepObserver(nullptr);
    io.out.flush();
    io.err.flush();
    const int code = exitCodeFor(executor, io);
    // A run that never began (the check failed) has no table to write.
    QString reason;
    if (!tablePath.isEmpty() && executor.lastEnd() != RunEnd::CheckFailed &&
        !table.writeCsv(tablePath, &reason)) {
        io.err << "trevalon-cli run: cannot write " << tablePath << ": " << reason << '\n';
        io.err.flush();
        return ExitCantCreate;
    }
    return code;
}

}  // namespace trevalon::cli

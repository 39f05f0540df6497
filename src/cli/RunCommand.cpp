#include "calc/TCalcul.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ProjectLoading.h"
#include "config/OutsideText.h"
#include "config/TextTable.h"
#include "exec/ExecutionDialogLogic.h"
#include "exec/ExecutionIo.h"
#include "exec/Executor.h"
#include "exec/LineFedIo.h"
#include "exec/TextCheckReport.h"
#include "exec/TraceTable.h"
#include "exec/Workspace.h"
#include "model/Cell.h"

namespace trevalon::cli {
namespace {

// The execution dialog on a terminal: texts go to standard output, values and answers are
// read one line at a time from standard input, refusals are explained on standard error.
class TerminalIo : public LineFedIo {
public:
    TerminalIo(CommandIo& io, MessageSink& messages, const TextTable& texts)
        : LineFedIo(messages, texts), m_io(io) {}

private:
    bool nextLine(QString& line) override {
        if (!m_io.in.readLineInto(&line)) {
            return false;
        }
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        return true;
    }

    void printed(const QString& text, DialogMode) override {
        m_io.out << text << '\n';
        m_io.out.flush();
    }

    void refused(const QString& reason) override {
        m_io.err << "Value refused: " << shownText(reason, LineBreaks::Kept) << '\n';
        m_io.err.flush();
    }

    void refusedAnswer() override {
        m_io.err << "Answer refused: type 1, t, tak, y or yes for yes; 0, n, nie or no for no\n";
        m_io.err.flush();
    }

    CommandIo& m_io;
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
        case RunEnd::TimeLimit:  // `run` sets no time limit
        case RunEnd::None:
            break;
    }
    return ExitAborted;
}

}  // namespace

int runCommand(const QStringList& args, CommandIo& io) {
    const QString command = QStringLiteral("run");
    const auto options = parseOptions(
        command, args,
        {QStringLiteral("--lang"), QStringLiteral("--max-steps"), QStringLiteral("--max-memory"),
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
    constexpr qint64 kMostMegabytes = 65536;
    const std::optional<qint64> memory =
        numberOption(*options, QStringLiteral("--max-memory"), 1, &bad);
    if (bad || memory.value_or(0) > kMostMegabytes) {
        return usageError(
            command, QStringLiteral("--max-memory takes a whole number of MB, 1 to 65536"), io);
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
    TextCheckReport report(io.out, workspace.project(), workspace.texts());
    workspace.setCheckReport(&report);

    if (memory) {
        workspace.variables().calculator().budget().setMemoryLimit(*memory << 20);
    }
    Executor& executor = workspace.executor();
    executor.setStepLimit(maxSteps.value_or(0));
    if (options->has(QStringLiteral("--trace"))) {
        executor.setTrace([&io](qint64 step, const RunState& state) {
            io.err << "step " << step << ": board " << state.runBoard << " (" << state.runColumn
                   << ',' << state.runRow << ") kind " << state.currentKind << '\n';
        });
    }
    TraceTable table(workspace.project(), workspace.texts(), workspace.variables());
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
        io.err << "trevalon-cli run: cannot write " << shownText(tablePath) << ": " << reason
               << '\n';
        io.err.flush();
        return ExitCantCreate;
    }
    return code;
}

}  // namespace trevalon::cli

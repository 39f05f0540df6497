#include "cli/Commands.h"

namespace trevalon::cli {

QString usage(const QString& command) {
    static const QList<QPair<QString, QString>> lines = {
        {QStringLiteral("eval"),
         QStringLiteral("trevalon-cli eval     [--lang pl|ang] [--vars FILE] [--list] [--json] "
                        "FORMULA...\n    Evaluates formulas with one Calculator, in order.")},
        {QStringLiteral("describe"),
         QStringLiteral("trevalon-cli describe [--lang pl|ang] [--json] PROJECT\n"
                        "    Lists the boards and the description of every block.")},
        {QStringLiteral("check"),
         QStringLiteral("trevalon-cli check    [--lang pl|ang] [--json] PROJECT\n"
                        "    Checks every board as \"Sprawdz projekt\" does.")},
        {QStringLiteral("run"),
         QStringLiteral("trevalon-cli run      [--lang pl|ang] [--max-steps N] [--max-memory MB] "
                        "[--seed N] [--trace]\n                      [--trace-table FILE.csv "
                        "[--trace-connectors]] PROJECT\n    Runs the project with the terminal "
                        "as the execution dialog.")},
        {QStringLiteral("convert"),
         QStringLiteral("trevalon-cli convert  INPUT OUTPUT.skb\n"
                        "    Writes a .skb or .sdp project as a .skb project file.")},
        {QStringLiteral("render"),
         QStringLiteral("trevalon-cli render   [--lang pl|ang] [--board N] [--variables] "
                        "--out FILE.png|FILE.svg|FILE.pdf\n                      "
                        "[--worksheet [--with-check]] PROJECT\n    Draws the flowchart page of "
                        "a board into a PNG, SVG or PDF file, or the project's\n    worksheet "
                        "into a PDF file.")},
        {QStringLiteral("grade"),
         QStringLiteral("trevalon-cli grade    [--lang pl|ang] [--jobs N] [--json | --csv] "
                        "[--html REPORT.html [--full-output]]\n                      TESTS "
                        "PATH...\n    Grades projects (files or folders) against the test cases "
                        "of a .tests file;\n    --full-output shows whole outputs in the report, "
                        "which otherwise cuts long ones.")},
        {QStringLiteral("export"),
         QStringLiteral("trevalon-cli export   --to python|cpp|pseudo [--out FILE] [--lang "
                        "pl|ang] PROJECT\n    Translates the project into a program that does "
                        "what its run does.")},
    };
    QString text;
    for (const auto& [name, line] : lines) {
        if (command.isEmpty() || command == name) {
            text += line + u'\n';
        }
    }
    if (command.isEmpty()) {
        text = QStringLiteral("Usage:\n") + text +
               QStringLiteral(
                   "trevalon-cli --help | --version   (also: trevalon-cli COMMAND "
                   "--help)\n\nExit codes: 0 success, 1 formula or check failed, "
                   "2 run aborted, 3 step limit, 4 input ended,\n5 tests file has problems, 64 "
                   "usage, 65 damaged "
                   "file, 66 unreadable input, 73 output not writable.\n");
    }
    return text;
}

int notAvailable(const QString& command, CommandIo& io) {
    io.err << "trevalon-cli: the command '" << command << "' is not available in this build yet\n";
    return ExitUsage;
}

}  // namespace trevalon::cli

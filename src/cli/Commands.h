#pragma once

#include <QStringList>
#include <QTextStream>
#include <memory>

class QCoreApplication;

namespace trevalon {
class Project;
class TextTable;
}  // namespace trevalon

namespace trevalon::cli {

// Exit codes shared by every subcommand.
enum ExitCode {
    ExitOk = 0,
    ExitFailed = 1,      // formula failed, or the check failed
    ExitAborted = 2,     // run aborted by a run-time error
    ExitStepLimit = 3,   // --max-steps reached
    ExitInputEnded = 4,  // standard input ended while a block was waiting
    ExitBadTests = 5,    // the tests file of `grade` has problems
    ExitUsage = 64,
    ExitDataError = 65,   // damaged or unsupported project file
    ExitNoInput = 66,     // input file missing or unreadable
    ExitCantCreate = 73,  // output file cannot be written
};

// The terminal a command talks to; tests hand in string-backed streams.
struct CommandIo {
    QTextStream& out;
    QTextStream& err;
    QTextStream& in;
};

// Each command receives its arguments without the command name and answers an exit code.
int evalCommand(const QStringList& args, CommandIo& io);
int describeCommand(const QStringList& args, CommandIo& io);
int checkCommand(const QStringList& args, CommandIo& io);
int runCommand(const QStringList& args, CommandIo& io);
int convertCommand(const QStringList& args, CommandIo& io);
int renderCommand(const QStringList& args, CommandIo& io);
int gradeCommand(const QStringList& args, CommandIo& io);
int exportCommand(const QStringList& args, CommandIo& io);

// Every board of `project` that has blocks, drawn as `render` draws it, as PNG bytes; nothing
// in a build without drawing. Needs the GUI application and its thread.
QList<QByteArray> drawBoards(const Project& project, const TextTable& texts);

// The application object for the command line `argv`: `render` and `grade --html` draw text
// and get a GUI application on Qt's offscreen platform; every other command a plain core
// application.
std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv);

// Usage text of one command, or of the whole tool for an empty name.
QString usage(const QString& command);

// Answer of a command that this build does not provide yet.
int notAvailable(const QString& command, CommandIo& io);

}  // namespace trevalon::cli

#pragma once

#include <QStringList>
#include <QTextStream>
#include <memory>

class QCoreApplication;

namespace trevalon::cli {

// Exit codes shared by every subcommand.
enum ExitCode {
    ExitOk = 0,
    ExitFailed = 1,      // formula failed, or the check failed
    ExitAborted = 2,     // run aborted by a run-time error
    ExitStepLimit = 3,   // --max-steps reached
    ExitInputEnded = 4,  // standard input ended while a block was waiting
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

// The application object for the command line `argv`: `render` draws text and gets a GUI
// application on Qt's offscreen platform; every other command a plain core application.
std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv);

// Usage text of one command, or of the whole tool for an empty name.
QString usage(const QString& command);

// Answer of a command that this build does not provide yet.
int notAvailable(const QString& command, CommandIo& io);

}  // namespace trevalon::cli

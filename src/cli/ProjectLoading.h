#pragma once

#include <QString>

#include "cli/Commands.h"
#include "config/EventLog.h"
#include "config/MessageSink.h"

namespace trevalon {
class Project;
class TextTable;
}  // namespace trevalon

namespace trevalon::cli {

// The message dialog of the command line: every message goes to standard error as one block,
// its line breaks ("\n", "\r" or both together) written as newlines. Questions cannot be
// answered here; they are answered Cancel.
class ErrorStreamSink : public MessageSink {
public:
    explicit ErrorStreamSink(QTextStream& err) : m_err(err) {}
    int showMessage(int buttons, int icon, const QString& text) override;

    static QString withNewlines(const QString& text);

private:
    QTextStream& m_err;
};

// The command line keeps no event log.
class NoEventLog : public EventLog {
public:
    void log(const QString&) override {}
    int level() const override { return 0; }
};

// Loads the PROJECT argument of a command into `project`: a ".skb" or ".sdp" file, the
// extension compared without regard to case. Answers ExitOk, ExitNoInput (66: the file is
// missing or cannot be read) or ExitDataError (65: another extension, or a damaged file);
// what went wrong is written to io.err.
int loadProject(Project& project, const QString& path, const TextTable& texts, CommandIo& io);

}  // namespace trevalon::cli

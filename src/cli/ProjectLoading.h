#pragma once

#include <QString>
#include <memory>

#include "cli/Commands.h"
#include "config/EventLog.h"
#include "config/MessageSink.h"

#include "config/TextTable.h"
#include "model/Project.h"

namespace trevalon::cli {

// The message dialog of the command line: every message goes to standard error as one block,
// its line breaks ("\n", "\r" or both together) written as newlines and any other control
// character as shownText writes it (a block's name cannot steer the terminal). Questions
// cannot be answered here; they are answered Cancel.
class ErrorStreamSink : public MessageSink {
public:
    explicit ErrorStreamSink(QTextStream& err) : m_err(err) {}
    int showMessage(int buttons, int icon, const QString& text) override;

    static QString withNewlines(const QString& text);

private:
    QTextStream& m_err;
};

// Loads the PROJECT argument of a command into `project` with ProjectFile::load: a ".skb" or
// ".sdp" file, the extension compared without regard to case, reached by the bytes of its name
// (see config/NativeName.h) and read only when it is a regular file. Answers ExitOk,
// ExitNoInput (66: the file is missing, a folder, or cannot be read) or ExitDataError (65:
// another extension, or a damaged file); what went wrong is written to io.err.
int loadProject(Project& project, const QString& path, const TextTable& texts, CommandIo& io);

// The PROJECT argument of a command that reads it and speaks of it: the project and the texts
// in the command's language.
struct ProjectArgument {
    TextTable texts;
    std::unique_ptr<Project> project = std::make_unique<Project>();

    // Sets the language and loads `path`; answers as loadProject does.
    int load(const QString& path, const QString& language, CommandIo& io) {
        texts.setLanguage(language);
        return loadProject(*project, path, texts, io);
    }
};

}  // namespace trevalon::cli

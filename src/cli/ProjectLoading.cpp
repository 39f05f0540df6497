#include "cli/ProjectLoading.h"

#include "config/OutsideText.h"
#include "config/TextTable.h"
#include "model/Project.h"
#include "storage/ProjectFile.h"

namespace trevalon::cli {

QString ErrorStreamSink::withNewlines(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    lines.replace(u'\r', u'\n');
    return lines;
}

int ErrorStreamSink::showMessage(int buttons, int /*icon*/, const QString& text) {
    m_err << shownText(withNewlines(text), LineBreaks::Kept) << '\n';
    m_err.flush();
    return buttons == YesNoCancel ? ResultCancel : ResultClose;
}

int loadProject(Project& project, const QString& path, const TextTable& texts, CommandIo& io) {
    NoEventLog log;
    const ProjectOpening opening = ProjectFile::load(project, path, log, texts);
    switch (opening.refusal) {
        case ProjectOpening::Refusal::None:
            return ExitOk;
        case ProjectOpening::Refusal::Unreadable:
            if (opening.problem == FileProblem::Missing) {
                ErrorStreamSink(io.err).showStatus(opening.status, texts);
            } else {
                io.err << "trevalon-cli: cannot read " << shownText(path) << ": "
                       << fileProblemText(opening.problem, opening.error, texts) << '\n';
            }
            return ExitNoInput;
        case ProjectOpening::Refusal::NotAProject:
        case ProjectOpening::Refusal::Damaged:
            break;
    }
    ErrorStreamSink(io.err).showStatus(opening.status, texts);
    return ExitDataError;
}

}  // namespace trevalon::cli

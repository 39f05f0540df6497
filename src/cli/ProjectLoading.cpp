#include "cli/ProjectLoading.h"

#include "config/OutsideText.h"
#include "config/TextTable.h"
#include "grading/NativeFiles.h"
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
    ErrorStreamSink sink(io.err);
    if (!ProjectFile::isProjectPath(path)) {
        sink.showMessage(MessageSink::Close, MessageSink::Warning,
                         texts.text(texts::UnsupportedFileType));
        return ExitDataError;
    }
    // By the bytes of its name, and never opened unless regular: a named pipe or a device
    // could hold the command forever.
    const FileBytes file = readRegularFile(path, ProjectFile::maxBytes(path));
    if (file.problem == FileProblem::Missing) {
        sink.showMessage(MessageSink::Close, MessageSink::Information,
                         texts.text(texts::ProjectFileMissing));
        return ExitNoInput;
    }
    if (file.problem != FileProblem::None) {
        io.err << "trevalon-cli: cannot read " << shownText(path) << ": "
               << fileProblemText(file.problem, file.error, texts) << '\n';
        return ExitNoInput;
    }
    NoEventLog log;
    return ProjectFile::loadBytes(project, file.bytes, path, sink, log, texts) ? ExitOk
                                                                               : ExitDataError;
}

}  // namespace trevalon::cli

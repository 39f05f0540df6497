#include "cli/ProjectLoading.h"

#include <QFile>
#include <QFileInfo>

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
    m_err << withNewlines(text) << '\n';
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
    const QFileInfo info(path);
    if (!info.exists()) {
        sink.showMessage(MessageSink::Close, MessageSink::Information,
                         texts.text(texts::ProjectFileMissing));
        return ExitNoInput;
    }
    if (!info.isFile()) {
        // A named pipe or a device is not opened at all: it could hold the command forever.
        io.err << "trevalon-cli: cannot read " << path << ": "
               << (info.isDir() ? QStringLiteral("it is a folder")
                                : QStringLiteral("it is not a regular file"))
               << '\n';
        return ExitNoInput;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        io.err << "trevalon-cli: cannot read " << path << ": " << file.errorString() << '\n';
        return ExitNoInput;
    }
    file.close();
    NoEventLog log;
    return ProjectFile::load(project, path, sink, log, texts) ? ExitOk : ExitDataError;
}

}  // namespace trevalon::cli

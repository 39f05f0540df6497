#include "storage/ProjectFile.h"

#include <QFileInfo>
#include <memory>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "config/TpkXML.h"
#include "model/Project.h"
#include "storage/LegacyProjectReader.h"

namespace trevalon {
namespace {

QString extension(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

}  // namespace

bool ProjectFile::isProjectPath(const QString& path) {
    const QString suffix = extension(path);
    return suffix == QLatin1StringView("skb") || suffix == QLatin1StringView("sdp");
}

bool ProjectFile::isLegacyPath(const QString& path) {
    return extension(path) == QLatin1StringView("sdp");
}

bool ProjectFile::load(Project& project, const QString& path, MessageSink& sink, EventLog& log,
                       const TextTable& texts) {
    const QString suffix = extension(path);
    // A folder, a named pipe or a device is refused before it is opened: a pipe would hold the
    // reader until something writes to it.
    if (const QFileInfo info(path); info.exists() && !info.isFile()) {
        sink.showMessage(MessageSink::Close, MessageSink::Warning,
                         texts.text(texts::NotARegularFile));
        log.logAbove(1, texts.text(texts::NotARegularFile) + QStringLiteral(" ") + path);
        return false;
    }
    if (suffix == QLatin1StringView("skb")) {
        return loadXml(project, path, sink, log, texts);
    }
    if (suffix == QLatin1StringView("sdp")) {
        return LegacyProjectReader::load(project, path, sink, texts);
    }
    return false;
}

bool ProjectFile::loadXml(Project& project, const QString& path, MessageSink& sink, EventLog& log,
                          const TextTable& texts) {
    if (!QFileInfo::exists(path)) {
        sink.showMessage(MessageSink::Close, MessageSink::Information,
                         texts.text(texts::ProjectFileMissing));
        log.logAbove(1, texts.text(texts::NoFileAtPath));
        return false;
    }
    TpkXML document;
    // A file the reader stumbles over is still read as far as it goes: what matters is
    // whether the elements the project needs are there.
    document.loadFromFile(path);
    if (const XmlLoadError error = document.loadError();
        error == XmlLoadError::TooLarge || error == XmlLoadError::TooManyNodes) {
        sink.showMessage(MessageSink::Close, MessageSink::Warning, texts.text(texts::FileTooLarge));
        log.logAbove(1, texts.text(texts::FileTooLarge) + QStringLiteral(" ") + path);
        return false;
    }
    auto scratch = std::make_unique<Project>();
    if (!readDocument(*scratch, document, sink, log, texts)) {
        return false;
    }
    adopt(project, *scratch);
    return true;
}

bool ProjectFile::save(const Project& project, const QString& path, MessageSink& sink,
                       EventLog& log, const TextTable& texts, Form form, QString* reason) {
    TpkXML document;
    QString ignored;
    QString& problem = reason ? *reason : ignored;
    if (!buildDocument(project, document, form, QDateTime::currentDateTime(), &problem)) {
        log.logAbove(1, texts.text(texts::SavePreparationFailed) + QStringLiteral(" ") + path +
                            QStringLiteral(": ") + problem);
        sink.showMessage(MessageSink::Close, MessageSink::Information,
                         texts.text(texts::SavePreparationFailed));
        return false;
    }
    if (!document.saveToFile(path, &problem)) {
        log.logAbove(1, texts.text(texts::SaveWriteFailed) + QStringLiteral(" ") + path +
                            QStringLiteral(": ") + problem);
        sink.showMessage(MessageSink::Close, MessageSink::Information,
                         texts.text(texts::SaveWriteFailed));
        return false;
    }
    return true;
}

void ProjectFile::adopt(Project& to, const Project& from) {
    for (int n = 1; n <= kMaxBoards; ++n) {
        to.board(n) = from.board(n);
    }
    to.boardCount = from.boardCount;
    to.activeBoard = 1;
    to.note = from.note;
    to.lastModified = from.lastModified;
}

qint64 ProjectFile::maxBytes(const QString& path) {
    return isLegacyPath(path) ? qint64(3) * LegacyProjectReader::LargeRecordSize
                              : TpkXML::MaxFileSize;
}

bool ProjectFile::loadBytes(Project& project, const QByteArray& bytes, const QString& path,
                            MessageSink& sink, EventLog& log, const TextTable& texts) {
    auto scratch = std::make_unique<Project>();
    if (isLegacyPath(path)) {
        if (!LegacyProjectReader::convert(*scratch, bytes, LegacyProjectReader::SmallRecordSize) &&
            !LegacyProjectReader::convert(*scratch, bytes, LegacyProjectReader::LargeRecordSize)) {
            sink.showMessage(MessageSink::Close, MessageSink::Information,
                             texts.text(texts::ProjectFileDamaged));
            return false;
        }
        adopt(project, *scratch);
        return true;
    }
    TpkXML document;
    if (bytes.size() <= TpkXML::MaxFileSize) {
        document.loadFromBuffer(bytes);
    }
    if (const XmlLoadError error = document.loadError();
        bytes.size() > TpkXML::MaxFileSize || error == XmlLoadError::TooManyNodes) {
        sink.showMessage(MessageSink::Close, MessageSink::Warning, texts.text(texts::FileTooLarge));
        log.logAbove(1, texts.text(texts::FileTooLarge) + QStringLiteral(" ") + path);
        return false;
    }
    if (!readDocument(*scratch, document, sink, log, texts)) {
        return false;
    }
    adopt(project, *scratch);
    return true;
}

}  // namespace trevalon

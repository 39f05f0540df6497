#include "storage/ProjectFile.h"

#include <QFileInfo>
#include <memory>

#include "config/EventLog.h"
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

// A file that could not be read, in the words of the program's message dialog.
Status unreadable(const FileBytes& file, const QString& path, EventLog& log,
                  const TextTable& texts) {
    if (file.problem == FileProblem::Missing) {
        log.logAbove(1, texts.text(texts::NoFileAtPath));
        return Status::information(texts::ProjectFileMissing);
    }
    // A folder, a named pipe or a device was looked at and never opened.
    const Status status =
        file.problem == FileProblem::Folder || file.problem == FileProblem::NotRegular
            ? Status::error(texts::NotARegularFile)
            : fileProblemStatus(file.problem, file.error);
    log.logAbove(1, status.message(texts) + QStringLiteral(" ") + path);
    return status;
}

}  // namespace

bool ProjectFile::isProjectPath(const QString& path) {
    const QString suffix = extension(path);
    return suffix == QLatin1StringView("skb") || suffix == QLatin1StringView("sdp");
}

bool ProjectFile::isLegacyPath(const QString& path) {
    return extension(path) == QLatin1StringView("sdp");
}

ProjectOpening ProjectFile::load(Project& project, const QString& path, EventLog& log,
                                 const TextTable& texts) {
    ProjectOpening opening;
    if (!isFolder(path) && !isProjectPath(path)) {
        opening.refusal = ProjectOpening::Refusal::NotAProject;
        opening.status = Status::error(texts::UnsupportedFileType);
        return opening;
    }
    const FileBytes file = readRegularFile(path, maxBytes(path));
    if (file.problem != FileProblem::None) {
        opening.refusal = ProjectOpening::Refusal::Unreadable;
        opening.problem = file.problem;
        opening.error = file.error;
        opening.status = unreadable(file, path, log, texts);
        return opening;
    }
    opening.status = loadBytes(project, file.bytes, path, log, texts);
    if (!opening.status.ok()) {
        opening.refusal = ProjectOpening::Refusal::Damaged;
    }
    return opening;
}

Status ProjectFile::save(const Project& project, const QString& path, EventLog& log,
                         const TextTable& texts, Form form) {
    TpkXML document;
    QString problem;
    if (!buildDocument(project, document, form, QDateTime::currentDateTime(), &problem)) {
        log.logAbove(1, texts.text(texts::SavePreparationFailed) + QStringLiteral(" ") + path +
                            QStringLiteral(": ") + problem);
        return Status::information(texts::SavePreparationFailed).withDetail(problem);
    }
    if (!document.saveToFile(path, &problem)) {
        log.logAbove(1, texts.text(texts::SaveWriteFailed) + QStringLiteral(" ") + path +
                            QStringLiteral(": ") + problem);
        return Status::information(texts::SaveWriteFailed).withDetail(problem);
    }
    return {};
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

Status ProjectFile::loadBytes(Project& project, const QByteArray& bytes, const QString& path,
                              EventLog& log, const TextTable& texts) {
    auto scratch = std::make_unique<Project>();
    if (isLegacyPath(path)) {
        if (!LegacyProjectReader::convert(*scratch, bytes, LegacyProjectReader::SmallRecordSize) &&
            !LegacyProjectReader::convert(*scratch, bytes, LegacyProjectReader::LargeRecordSize)) {
            return Status::information(texts::ProjectFileDamaged);
        }
        adopt(project, *scratch);
        return {};
    }
    TpkXML document;
    if (bytes.size() <= TpkXML::MaxFileSize) {
        document.loadFromBuffer(bytes);
    }
    if (const XmlLoadError error = document.loadError();
        bytes.size() > TpkXML::MaxFileSize || error == XmlLoadError::TooManyNodes) {
        log.logAbove(1, texts.text(texts::FileTooLarge) + QStringLiteral(" ") + path);
        return Status::error(texts::FileTooLarge);
    }
    if (Status read = readDocument(*scratch, document, log, texts); !read.ok()) {
        return read;
    }
    adopt(project, *scratch);
    return {};
}

}  // namespace trevalon

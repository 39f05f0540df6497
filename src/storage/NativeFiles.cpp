#include "storage/NativeFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include <QtGlobal>

#include "config/NativeName.h"
#include "config/TextTable.h"

namespace trevalon {
namespace {

FileProblem problemOf(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return FileProblem::Missing;
        case EACCES:
        case EPERM:
            return FileProblem::PermissionDenied;
        case ELOOP:
            return FileProblem::LinkLoop;
        default:
            return FileProblem::Other;
    }
}

FileBytes failed(FileProblem problem, int error = 0) {
    FileBytes result;
    result.problem = problem;
    result.error = error;
    return result;
}

// Why `raw` cannot be reached: a missing file that is a link is a link to nothing.
FileBytes unreachable(const QByteArray& raw, int error) {
    struct stat link {};
    if (error == ENOENT && ::lstat(raw.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        return failed(FileProblem::DanglingLink);
    }
    return failed(problemOf(error), error);
}

// A folder is listed, not read; one that cannot even be opened says why.
FileBytes folder(const QByteArray& raw) {
    DIR* dir = ::opendir(raw.constData());
    if (dir == nullptr) {
        return failed(problemOf(errno), errno);
    }
    ::closedir(dir);
    return failed(FileProblem::Folder);
}

// Reads up to `limit` bytes from `fd`; false, with errno set, on a read error.
bool readUpTo(int fd, qint64 limit, QByteArray& bytes) {
    constexpr qint64 kChunk = 64 * 1024;
    while (bytes.size() < limit) {
        const qsizetype at = bytes.size();
        bytes.resize(at + static_cast<qsizetype>(std::min(kChunk, limit - at)));
        const ssize_t got = ::read(fd, bytes.data() + at, static_cast<size_t>(bytes.size() - at));
        if (got < 0 && errno == EINTR) {
            bytes.resize(at);
            continue;
        }
        bytes.resize(at + std::max<qsizetype>(got, 0));
        if (got <= 0) {
            return got == 0;
        }
    }
    return true;
}

}  // namespace

FileBytes readRegularFile(const QString& path, qint64 maxBytes) {
    const QByteArray raw = nativeName(path);
    if (raw.contains('\0')) {
        return failed(FileProblem::Missing);  // the system would read a shorter name
    }
    struct stat info {};
    if (::stat(raw.constData(), &info) != 0) {
        return unreachable(raw, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return folder(raw);
    }
    if (!S_ISREG(info.st_mode)) {
        return failed(FileProblem::NotRegular);
    }
    const int fd = ::open(raw.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return unreachable(raw, errno);
    }
    FileBytes result;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.problem = FileProblem::NotRegular;
    } else if (!readUpTo(fd, maxBytes + 1, result.bytes)) {
        result = failed(problemOf(errno), errno);
    }
    ::close(fd);
    return result;
}

bool isFolder(const QString& path) {
    struct stat info {};
    return ::stat(nativeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

FolderEntries folderEntries(const QString& path) {
    FolderEntries entries;
    DIR* dir = ::opendir(nativeName(path).constData());
    if (dir == nullptr) {
        entries.problem = problemOf(errno);
        entries.error = errno;
        return entries;
    }
    std::vector<QByteArray> names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (const QByteArray& name : names) {
        entries.names << nameFromNative(name);
    }
    return entries;
}

Status fileProblemStatus(FileProblem problem, int error, int missingText) {
    switch (problem) {
        case FileProblem::None:
            return {};
        case FileProblem::Missing:
            return Status::error(missingText != 0 ? missingText : texts::FileMissing);
        case FileProblem::Folder:
            return Status::error(texts::FileIsFolder);
        case FileProblem::NotRegular:
            return Status::error(texts::FileNotRegular);
        case FileProblem::PermissionDenied:
            return Status::error(texts::FilePermissionDenied);
        case FileProblem::DanglingLink:
            return Status::error(texts::FileDanglingLink);
        case FileProblem::LinkLoop:
            return Status::error(texts::FileLinkLoop);
        case FileProblem::Other:
            break;
    }
    return Status::error(texts::FileSystemError, {qt_error_string(error)});
}

QString fileProblemText(FileProblem problem, int error, const TextTable& texts, int missingText) {
    return fileProblemStatus(problem, error, missingText).message(texts);
}

}  // namespace trevalon

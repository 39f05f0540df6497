#include "config/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace trevalon {

#ifdef Q_OS_UNIX
namespace {

// Read in steps of this size, so that a file claiming a size of zero (many in /proc) is read
// whole and a file that grows meanwhile stops at the bound.
constexpr qint64 Step = 64 * 1024;

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int fd() const { return m_fd; }
    // The size of what was opened, when it is a regular file.
    std::optional<qint64> regularSize() const {
        struct stat status {};
        if (m_fd < 0 || ::fstat(m_fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            return std::nullopt;
        }
        return status.st_size;
    }

private:
    int m_fd;
};

RegularFile::Status statusOfMissing(int error) {
    if (error == ENOENT || error == ENOTDIR) {
        return RegularFile::Status::Missing;
    }
    return error == ELOOP ? RegularFile::Status::NotRegular : RegularFile::Status::Unreadable;
}

}  // namespace

RegularFile::Contents RegularFile::read(const QString& path, qint64 maxBytes) {
    if (path.isEmpty()) {
        return {Status::Missing, {}};
    }
    const QByteArray native = QFile::encodeName(path);
    struct stat before {};
    if (::stat(native.constData(), &before) != 0) {
        return {statusOfMissing(errno), {}};
    }
    if (!S_ISREG(before.st_mode)) {
        return {Status::NotRegular, {}};
    }
    if (before.st_size > maxBytes) {
        return {Status::TooLarge, {}};
    }
    // Non-blocking, so that a pipe put there since the look does not hold the open.
    const Descriptor file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd() < 0) {
        return {statusOfMissing(errno), {}};
    }
    const std::optional<qint64> size = file.regularSize();
    if (!size) {
        return {Status::NotRegular, {}};
    }
    QByteArray bytes;
    bytes.reserve(std::min(*size, maxBytes) + 1);
    for (;;) {
        // What the file says it holds in one go, then in steps until the end or the bound.
        const qint64 room =
            std::min(std::max(Step, *size + 1 - bytes.size()), maxBytes + 1 - bytes.size());
        const qsizetype at = bytes.size();
        bytes.resize(at + room);
        const ssize_t got = ::read(file.fd(), bytes.data() + at, static_cast<size_t>(room));
        if (got < 0 && errno == EINTR) {
            bytes.resize(at);
            continue;
        }
        if (got < 0) {
            return {Status::Unreadable, {}};
        }
        bytes.resize(at + got);
        if (bytes.size() > maxBytes) {
            return {Status::TooLarge, {}};
        }
        if (got == 0) {
            return {Status::Read, bytes};
        }
    }
}

bool RegularFile::append(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) {
        return false;
    }
    const Descriptor file(::open(
        QFile::encodeName(path).constData(),
        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (!file.regularSize()) {
        return false;
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t put = ::write(file.fd(), bytes.constData() + written,
                                    static_cast<size_t>(bytes.size() - written));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        written += put;
    }
    return true;
}

#else

// Elsewhere no file at a path blocks its reader; what is not a regular file is still refused.
RegularFile::Contents RegularFile::read(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {Status::Missing, {}};
    }
    if (!info.isFile()) {
        return {Status::NotRegular, {}};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {Status::Unreadable, {}};
    }
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFile::NoError) {
        return {Status::Unreadable, {}};
    }
    if (bytes.size() > maxBytes) {
        return {Status::TooLarge, {}};
    }
    return {Status::Read, bytes};
}

bool RegularFile::append(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile())) {
        return false;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size();
}

#endif

}  // namespace trevalon

#pragma once

#include <QByteArray>
#include <QString>

namespace trevalon {

// Reading and appending to files that anyone may have put in the program's way: the settings,
// the recovery files, projects, the event logs. The data folder may sit on a pupil's USB
// stick, where a named pipe, a device or a link to one can stand under any name; opening a
// pipe waits for a writer that never comes, and a device never ends. Only regular files are
// opened, and reading stops at a bound.
class RegularFile {
public:
    enum class Status {
        Read,
        Missing,     // nothing there, or a link that leads nowhere
        NotRegular,  // a folder, pipe, device or socket, or a link to one, or a link loop
        TooLarge,    // more than the bound the caller gave
        Unreadable,  // no permission, an input/output error
    };

    struct Contents {
        Status status = Status::Unreadable;
        QByteArray bytes;  // the whole file when `status` is Read, else empty

        bool ok() const { return status == Status::Read; }
    };

    // The whole file at `path` when it is a regular file of at most `maxBytes` bytes; a link
    // to a regular file counts as one. Anything else is refused without waiting: what is not a
    // regular file is looked at and never opened (and if it changes between the look and the
    // opening, the opened file is looked at again before a byte is read). At most `maxBytes`
    // + 1 bytes are read, whatever the file claims its size to be.
    static Contents read(const QString& path, qint64 maxBytes);

    // Appends `bytes` to the regular file at `path`, creating it when there is nothing there;
    // false, having written nothing, when something else stands there (a link included, so
    // that a log is never written somewhere else) or it cannot be written. Never waits for a
    // reader.
    static bool append(const QString& path, const QByteArray& bytes);
};

}  // namespace trevalon

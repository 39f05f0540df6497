#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "config/Status.h"

namespace trevalon {

class TextTable;

// Files of a class folder, reached by the bytes of their names (see config/NativeName.h), so
// that a name that is not UTF-8 is graded like any other, and read without ever blocking: a
// named pipe, a device or a link to one is refused, not opened for reading.

// Why a file could not be read.
enum class FileProblem {
    None,
    Missing,           // no such file
    Folder,            // a folder (it is listed, not read)
    NotRegular,        // a named pipe, a device, a socket
    PermissionDenied,  // the file, or a folder on its way, may not be read
    DanglingLink,      // a symbolic link to nothing
    LinkLoop,          // symbolic links that lead to each other
    Other,             // another error of the system, `error` says which
};

struct FileBytes {
    QByteArray bytes;
    FileProblem problem = FileProblem::None;
    int error = 0;  // the system's error number, for FileProblem::Other
};

// Reads the regular file `path` (a name as nameFromNative makes it; links are followed): at
// most `maxBytes` + 1 bytes, so that a caller tells a larger file by its size. The file is
// opened only once it is known to be regular, and then without waiting (a file swapped for a
// pipe in between is found out and refused, never waited on).
FileBytes readRegularFile(const QString& path, qint64 maxBytes);

// Whether `path` is a folder, links followed.
bool isFolder(const QString& path);

// The names in a folder (not "." and ".."), made by nameFromNative and sorted by their bytes;
// when the folder cannot be read, no names and the problem.
struct FolderEntries {
    QStringList names;
    FileProblem problem = FileProblem::None;
    int error = 0;
};
FolderEntries folderEntries(const QString& path);

// The problem as a sentence of the text table (OK for FileProblem::None). A missing file is told
// by the text `missingText` (texts::FileMissing unless told), so that a project can say it is a
// project.
Status fileProblemStatus(FileProblem problem, int error, int missingText = 0);
// The same in words of `texts`.
QString fileProblemText(FileProblem problem, int error, const TextTable& texts,
                        int missingText = 0);

}  // namespace trevalon

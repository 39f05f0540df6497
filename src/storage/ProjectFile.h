#pragma once

#include <QDateTime>
#include <QString>

#include "config/Status.h"
#include "storage/NativeFiles.h"

namespace trevalon {

class EventLog;
class Project;
class TextTable;
class TpkXML;

// What opening a project file came to (ProjectFile::load).
struct ProjectOpening {
    // Where opening stopped: at the name (not a project file's extension), at reading the file,
    // or at what the file holds (damaged, too large).
    enum class Refusal { None, NotAProject, Unreadable, Damaged };

    Refusal refusal = Refusal::None;
    // OK, or the refusal in the program's own words, as its message dialog shows it.
    Status status;
    // Why the file could not be read (Refusal::Unreadable), for a caller that names the file
    // and says why in its own words (fileProblemText).
    FileProblem problem = FileProblem::None;
    int error = 0;  // the system's error number, for FileProblem::Other

    bool ok() const { return refusal == Refusal::None; }
};

// Project files: ".skb" (the XML project file, read and written) and ".sdp" (the older binary
// format, read only; see LegacyProjectReader).
//
// Loading is all or nothing: a file is read into a scratch project and copied into the
// caller's project only when every board was read, so a damaged file never leaves half of
// itself mixed into the project that was open. The placement counter is never touched.
// Nothing is shown: a failure is answered as a Status (texts::ProjectFileDamaged,
// ProjectFileMissing, ...) for the caller to show, and told to the EventLog in words of `texts`
// (texts::BlockLoadFailed ... ProjectFileUnknownError, NoFileAtPath, when its level is above 1).
class ProjectFile {
public:
    enum class Form {
        Plain,    // values as they are
        Encoded,  // "Code" holds "tr" and every other value is Base64 of its UTF-16LE bytes
    };

    // True for the extensions that open as projects (".skb", ".sdp", compared in lower case).
    static bool isProjectPath(const QString& path);
    static bool isLegacyPath(const QString& path);

    // Opens the project file at `path` (a name as nameFromNative makes it, so that any file the
    // system has can be named) into `project`: the one way the program, the command-line tool
    // and the grader open a project. In this order:
    //  - a folder is refused as unreadable whatever its name, anything else that is not named
    //    as a project as NotAProject (texts::UnsupportedFileType);
    //  - the file is read by the bytes of its name, and only when it is a regular file, at most
    //    maxBytes(path) + 1 bytes: a named pipe or a device could hold the reader for ever.
    //    A missing file answers texts::ProjectFileMissing, a folder, pipe or device
    //    texts::NotARegularFile, anything else the problem's own sentence (fileProblemStatus);
    //  - the bytes are read as a project by the extension (loadBytes).
    static ProjectOpening load(Project& project, const QString& path, EventLog& log,
                               const TextTable& texts);

    // The same from the bytes of a file already read (by the extension of `path`, which is
    // not opened). A file of more than maxBytes(path) bytes is refused with texts::FileTooLarge
    // (".skb") or texts::ProjectFileDamaged (".sdp").
    static Status loadBytes(Project& project, const QByteArray& bytes, const QString& path,
                            EventLog& log, const TextTable& texts);
    // The largest project file of the extension of `path` (three large records for ".sdp").
    static qint64 maxBytes(const QString& path);

    // Writes the boards in use, every occupied cell with both extra values, the project's note
    // ("lc") and the save time ("dt"). The file is replaced only once the new one has been
    // written whole; a failure answers texts::SaveWriteFailed (or SavePreparationFailed when the
    // project cannot be put into a document) and leaves the previous file byte for byte as it was.
    // A project holding characters that Windows-1250 lacks is written as UTF-16 so that nothing is
    // lost. The cause of a failure (the system's, such as a full disk) is the status's detail and
    // is logged with the path.
    static Status save(const Project& project, const QString& path, EventLog& log,
                       const TextTable& texts, Form form = Form::Plain);

    // The reading steps over a parsed document, straight into `project` (which is left as far
    // as it was read when this fails). `load` runs it on a scratch project.
    static Status readDocument(Project& project, TpkXML& document, EventLog& log,
                               const TextTable& texts);

    // Builds the document `save` writes, with `savedAt` as "dt". False, with the reason in
    // `problem`, when the project is not in a state that can be saved.
    static bool buildDocument(const Project& project, TpkXML& document, Form form,
                              const QDateTime& savedAt, QString* problem = nullptr);

    // How "dt" is written.
    static QString formatSaveTime(const QDateTime& time);

    // Copies the boards, the board count, the note and the date of `from`; the active board
    // becomes board 1. The placement counter of `to` stays.
    static void adopt(Project& to, const Project& from);
};

}  // namespace trevalon

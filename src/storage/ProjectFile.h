#pragma once

#include <QDateTime>
#include <QString>

namespace trevalon {

class EventLog;
class MessageSink;
class Project;
class TextTable;
class TpkXML;

// Project files: ".skb" (the XML project file, read and written) and ".sdp" (the older binary
// format, read only; see LegacyProjectReader).
//
// Loading is all or nothing: a file is read into a scratch project and copied into the
// caller's project only when every board was read, so a damaged file never leaves half of
// itself mixed into the project that was open. The placement counter is never touched.
// Failures are told through the MessageSink (texts::ProjectFileDamaged, ProjectFileMissing)
// and the EventLog (texts::BlockLoadFailed ... ProjectFileUnknownError, NoFileAtPath, when its
// level is above 1).
class ProjectFile {
public:
    enum class Form {
        Plain,    // values as they are
        Encoded,  // "Code" holds "tr" and every other value is Base64 of its UTF-16LE bytes
    };

    // True for the extensions that open as projects (".skb", ".sdp", compared in lower case).
    static bool isProjectPath(const QString& path);
    static bool isLegacyPath(const QString& path);

    // Opens a project by its extension: ".skb" as an XML project file, ".sdp" through the
    // legacy reader; any other extension answers false and shows nothing (callers that take a
    // path from outside check `isProjectPath` first and show texts::UnsupportedFileType).
    static bool load(Project& project, const QString& path, MessageSink& sink, EventLog& log,
                     const TextTable& texts);

    // The same from the bytes of a file already read (by the extension of `path`, which is
    // not opened): for a file reached by a name Qt cannot spell, or read without blocking. A
    // file of more than maxBytes(path) bytes is refused with texts::FileTooLarge.
    static bool loadBytes(Project& project, const QByteArray& bytes, const QString& path,
                          MessageSink& sink, EventLog& log, const TextTable& texts);
    // The largest project file of the extension of `path` (three large records for ".sdp").
    static qint64 maxBytes(const QString& path);

    // Reads an XML project file; the path's extension is not consulted. A file of more than
    // TpkXML::MaxFileSize bytes or TpkXML::MaxNodes nodes is refused before it is built into a
    // tree, with texts::FileTooLarge.
    static bool loadXml(Project& project, const QString& path, MessageSink& sink, EventLog& log,
                        const TextTable& texts);

    // Writes the boards in use, every occupied cell with both extra values, the project's note
    // ("lc") and the save time ("dt"). The file is replaced only once the new one has been
    // written whole; a failure shows texts::SaveWriteFailed (or SavePreparationFailed when the
    // project cannot be put into a document) and leaves the previous file byte for byte as it was.
    // A project holding characters that Windows-1250 lacks is written as UTF-16 so that nothing is
    // lost. The cause of a failure (the system's, such as a full disk) is logged with the path and,
    // when `reason` is given, handed back there.
    static bool save(const Project& project, const QString& path, MessageSink& sink, EventLog& log,
                     const TextTable& texts, Form form = Form::Plain, QString* reason = nullptr);

    // The reading steps over a parsed document, straight into `project` (which is left as far
    // as it was read when this answers false). `load` runs it on a scratch project.
    static bool readDocument(Project& project, TpkXML& document, MessageSink& sink, EventLog& log,
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

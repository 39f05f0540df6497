#pragma once

#include <QString>
#include <QStringList>

namespace trevalon {

class MessageSink;
class TextTable;

// What the event-log viewer shows: the log files of the log folder, the chosen one and its
// text; and the clearing of all the others. The viewer window only draws this.
//
// Log files are the folder's files (not folders) whose names have a dot and end in "txt" in
// any letter case, sorted by name, so that the newest run, named after its start time, comes
// last. Texts are read as Windows-1250.
class EventLogFiles {
public:
    // A viewer is not meant for files this large; they are reported like unreadable ones.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    explicit EventLogFiles(QString folder);

    // The log file names, sorted.
    QStringList list() const;
    // The text of one file, or a null string when it cannot be read.
    QString load(const QString& name) const;

    // Fills the list, selects the newest file and loads it. False after telling the user when
    // there is no log file, or when the newest one cannot be read; the viewer then stays shut.
    bool open(MessageSink& sink, const TextTable& texts);
    // Chooses and loads another file; on failure tells the user and keeps the previous text.
    bool select(const QString& name, MessageSink& sink, const TextTable& texts);
    // Asks first; on yes deletes every file of the folder but the selected one (names compared
    // with case) and leaves the list holding the selected name alone. A file that cannot be
    // deleted stays without a word. True when the user agreed.
    bool clearOthers(MessageSink& sink, const TextTable& texts);

    const QString& folder() const { return m_folder; }
    const QStringList& names() const { return m_names; }
    const QString& selected() const { return m_selected; }
    const QString& text() const { return m_text; }

private:
    QString pathOf(const QString& name) const;
    void reportUnreadable(const QString& name, MessageSink& sink, const TextTable& texts) const;

    QString m_folder;
    QStringList m_names;
    QString m_selected;
    QString m_text;
};

}  // namespace trevalon

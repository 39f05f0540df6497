#pragma once

#include <QString>
#include <QStringList>

namespace trevalon {

// The projects the user opened or saved last, most recent first, as the start page lists them
// and the settings file keeps them (one path a line in one key).
class RecentProjects {
public:
    // More would not fit on the start page; older ones fall off the end.
    static constexpr int MaxCount = 8;

    // `list` after `path` was opened or saved: `path` first, no other entry for the same file,
    // at most MaxCount entries. An empty path, or one with a line break (which the settings
    // file could not keep apart), leaves the list as it was.
    static QStringList remember(const QStringList& list, const QString& path);

    // The list as the settings file holds it, and back. Reading drops empty lines and repeats
    // and keeps the first MaxCount entries, so a value edited by hand still gives a sane list.
    static QString toText(const QStringList& list);
    static QStringList fromText(const QString& text);
};

}  // namespace trevalon

#include "config/RecentProjects.h"

#include <QDir>

namespace trevalon {
namespace {

// "a/./b.skb" and "a/b.skb" are one file; the list shows each file once.
QString cleaned(const QString& path) {
    return QDir::cleanPath(path);
}

bool keepable(const QString& path) {
    return !path.isEmpty() && !path.contains(u'\n') && !path.contains(u'\r');
}

}  // namespace

QStringList RecentProjects::remember(const QStringList& list, const QString& path) {
    if (!keepable(path)) {
        return list;
    }
    const QString first = cleaned(path);
    QStringList result{first};
    for (const QString& entry : list) {
        if (result.size() >= MaxCount) {
            break;
        }
        if (cleaned(entry) != first) {
            result << entry;
        }
    }
    return result;
}

QString RecentProjects::toText(const QStringList& list) {
    return list.join(u'\n');
}

QStringList RecentProjects::fromText(const QString& text) {
    QStringList result;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const QString path = cleaned(line);
        if (result.size() >= MaxCount) {
            break;
        }
        if (keepable(path) && !result.contains(path)) {
            result << path;
        }
    }
    return result;
}

}  // namespace trevalon

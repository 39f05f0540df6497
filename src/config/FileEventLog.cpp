#include "config/FileEventLog.h"

#include <QRegularExpression>

#include "config/RegularFile.h"
#include "config/Windows1250.h"

namespace trevalon {

FileEventLog::FileEventLog() : m_clock([] { return QDateTime::currentDateTime(); }) {}

void FileEventLog::setFilePath(const QString& path) {
    m_path = path;
    if (!m_pending.isEmpty() && !m_path.isEmpty()) {
        append(m_pending.join());
        m_pending.clear();
    }
}

void FileEventLog::log(const QString& message) {
    QByteArray line = formatLine(message, m_clock());
    if (m_path.isEmpty()) {
        if (m_pending.size() < MaxPendingLines) {
            m_pending.append(std::move(line));
        }
        return;
    }
    append(line);
}

QByteArray FileEventLog::formatLine(const QString& message, const QDateTime& when) {
    QString stamp = when.date().toString(QStringLiteral("yyyy/MM/dd"));
    if (when.time() != QTime(0, 0)) {
        stamp += u' ' + when.time().toString(QStringLiteral("HH:mm:ss"));
    }
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QString text = message;
    text.replace(lineBreak, QStringLiteral("\r\n"));
    text += QStringLiteral(" - ") + stamp + QStringLiteral("\r\n");
    return Windows1250::encode(text);
}

void FileEventLog::append(const QByteArray& bytes) const {
    RegularFile::append(m_path, bytes);
}

}  // namespace trevalon

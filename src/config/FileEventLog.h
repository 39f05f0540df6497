#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

#include "config/EventLog.h"

namespace trevalon {

// The event log of one run: a text file in Windows-1250 with one line per event, the message,
// " - ", the date "yyyy/MM/dd" and the time "HH:mm:ss" (left out at exactly midnight), each line
// ending in CR LF. A message with line breaks becomes several lines, the date after the last.
//
// Lines are appended; the file is created by the first of them. Writing never fails visibly:
// a missing folder or a locked file loses the line and nothing else happens. Lines logged
// before the file is known are kept (up to `MaxPendingLines`) and written first once it is.
class FileEventLog : public EventLog {
public:
    static constexpr int MaxPendingLines = 100;

    FileEventLog();

    // `level` tells the current log level (the settings' one); until it is set the level is 0.
    void setLevelSource(std::function<int()> level) { m_level = std::move(level); }
    void setFilePath(const QString& path);
    const QString& filePath() const { return m_path; }

    // The clock for the date and time of each line; the system clock by default.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    void log(const QString& message) override;
    int level() const override { return m_level ? m_level() : 0; }

    // The bytes one message becomes in the file at `when`.
    static QByteArray formatLine(const QString& message, const QDateTime& when);

private:
    void append(const QByteArray& bytes) const;

    std::function<int()> m_level;
    std::function<QDateTime()> m_clock;
    QString m_path;
    QList<QByteArray> m_pending;
};

}  // namespace trevalon

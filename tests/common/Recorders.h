#pragma once

#include <QStringList>

#include "config/EventLog.h"
#include "config/MessageSink.h"

// A message sink and an event log that show nothing and remember what they were given, for
// tests and fuzz targets alike.
namespace trevalon::test {

// Remembers every message shown and answers each with `answer`.
class RecordingSink : public MessageSink {
public:
    QStringList messages;
    int answer = ResultClose;
    int showMessage(int, int, const QString& text) override {
        messages << text;
        return answer;
    }
};

// Remembers every line that the level lets through.
class RecordingLog : public EventLog {
public:
    explicit RecordingLog(int level = 5) : m_level(level) {}
    QStringList lines;
    void log(const QString& message) override { lines << message; }
    int level() const override { return m_level; }

private:
    int m_level;
};

}  // namespace trevalon::test

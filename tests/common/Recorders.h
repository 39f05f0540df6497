#pragma once

#include <QList>
#include <QStringList>

#include "config/EventLog.h"
#include "config/MessageSink.h"

// A message sink and an event log that show nothing and remember what they were given, for
// tests, fuzz targets and the tools that write sample files alike.
namespace trevalon::test {

// Remembers every message shown and every beep, and answers each message with `answer`.
class RecordingSink : public MessageSink {
public:
    struct Shown {
        int buttons;
        int icon;
        QString text;
    };

    QStringList messages;  // the texts shown, in order
    QList<Shown> shown;    // the same messages with their buttons and icons
    int beeps = 0;
    int answer = ResultClose;  // the button every message is answered with

    int showMessage(int buttons, int icon, const QString& text) override {
        messages << text;
        shown.append({buttons, icon, text});
        return answer;
    }
    void beep() override { ++beeps; }

    // Forgets what was shown so far.
    void clear() {
        messages.clear();
        shown.clear();
    }
};

// Remembers every line it is given; callers write only what `currentLevel` lets through.
class RecordingLog : public EventLog {
public:
    explicit RecordingLog(int level = 5) : currentLevel(level) {}

    QStringList lines;
    int currentLevel;

    void log(const QString& message) override { lines << message; }
    int level() const override { return currentLevel; }
};

}  // namespace trevalon::test

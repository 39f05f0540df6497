#pragma once

#include <QString>

namespace trevalon {

// Receives one line per event. Callers decide by `level()` whether an event is worth a line:
// above 1 for problems, above 3 for settings activity, above 4 for user actions.
class EventLog {
public:
    virtual ~EventLog() = default;

    virtual void log(const QString& message) = 0;
    virtual int level() const = 0;

    // Writes `message` when the current level is above `threshold`.
    void logAbove(int threshold, const QString& message) {
        if (level() > threshold) {
            log(message);
        }
    }
};

// A log that keeps nothing: for work done aside, where no one reads the events (the command
// line, grading, the check of a printed worksheet).
class NoEventLog : public EventLog {
public:
    void log(const QString&) override {}
    int level() const override { return 0; }
};

}  // namespace trevalon

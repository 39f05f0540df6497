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

}  // namespace trevalon

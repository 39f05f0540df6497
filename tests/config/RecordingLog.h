#pragma once

#include <QStringList>

#include "config/EventLog.h"

// Remembers every line it is given; its level is set by the test.
class RecordingLog : public trevalon::EventLog {
public:
    QStringList lines;
    int currentLevel = 0;

    void log(const QString& message) override { lines << message; }
    int level() const override { return currentLevel; }
};

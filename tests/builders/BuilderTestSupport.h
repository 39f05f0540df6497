#pragma once

#include <QList>
#include <QStringList>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "model/Project.h"

namespace buildertest {

struct Shown {
    int buttons;
    int icon;
    QString text;
};

class RecordingSink : public trevalon::MessageSink {
public:
    QList<Shown> shown;
    int showMessage(int buttons, int icon, const QString& text) override {
        shown.append({buttons, icon, text});
        return ResultClose;
    }
};

class RecordingLog : public trevalon::EventLog {
public:
    QStringList lines;
    int currentLevel = 0;
    void log(const QString& message) override { lines << message; }
    int level() const override { return currentLevel; }
};

// Declares a variable block at (column, row) of board n.
inline void declare(trevalon::Project& project, int n, int column, int row, const QString& name,
                    int type, int scope = 0, const QString& start = QStringLiteral("0")) {
    project.placeBlock(n, column, row, 1, 5);
    trevalon::Cell& cell = project.cell(n, column, row);
    cell.name = name;
    cell.mode = type;
    cell.scope = scope;
    cell.text4 = start;
    ++project.board(n).variableCount;
}

}  // namespace buildertest

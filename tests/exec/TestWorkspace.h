#pragma once

#include <QStringList>
#include <deque>
#include <functional>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "exec/ExecutionDialogLogic.h"
#include "exec/ExecutionIo.h"
#include "exec/RandomSource.h"
#include "exec/Workspace.h"

// Remembers the messages a run or check shows, and the beeps.
class RecordedMessages : public trevalon::MessageSink {
public:
    QStringList shown;
    int beeps = 0;
    int showMessage(int, int, const QString& text) override {
        shown << text;
        return ResultClose;
    }
    void beep() override { ++beeps; }
};

class RecordedLog : public trevalon::EventLog {
public:
    int detail = 5;
    QStringList lines;
    void log(const QString& line) override { lines << line; }
    int level() const override { return detail; }
};

// Draws from a script, then from the low end of the range.
class ScriptedRandom : public trevalon::RandomSource {
public:
    std::deque<qint64> script;
    QList<QPair<qint64, qint64>> asked;
    qint64 uniform(qint64 low, qint64 high) override {
        asked << qMakePair(low, high);
        if (script.empty()) {
            return low;
        }
        const qint64 v = script.front();
        script.pop_front();
        return v;
    }
};

// The execution dialog answered from a script: each showing takes the next action.
class ScriptedIo : public trevalon::ExecutionIo {
public:
    struct Shown {
        trevalon::DialogMode mode;
        QString title;
        QString text;
        int targetType;
    };
    // An answer: a value to enter, "yes"/"no" for questions, or a special action.
    std::deque<std::function<trevalon::DialogClose(trevalon::ExecutionDialogLogic&)>> answers;
    std::vector<Shown> shown;
    int variablesShown = 0;
    int closes = 0;
    int stopAfterPolls = -1;  // abortRequested() turns true after this many polls

    trevalon::DialogClose showDialog(trevalon::ExecutionDialogLogic& dialog) override {
        shown.push_back({dialog.mode(), dialog.title(), dialog.text(), dialog.targetType()});
        // Results and messages only need closing; the script answers reads and questions.
        if (dialog.mode() == trevalon::DialogMode::Show || answers.empty()) {
            return trevalon::DialogClose::Closed;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer(dialog);
    }
    void closeDialog() override { ++closes; }
    void showVariables() override { ++variablesShown; }
    bool abortRequested() override {
        if (stopAfterPolls < 0) {
            return false;
        }
        return stopAfterPolls-- == 0;
    }

    void enter(const QString& value) {
        answers.push_back([value](trevalon::ExecutionDialogLogic& d) {
            d.enterValue(value);
            return trevalon::DialogClose::Closed;
        });
    }
    void reply(bool yes) {
        answers.push_back([yes](trevalon::ExecutionDialogLogic& d) {
            d.answer(yes);
            return trevalon::DialogClose::Closed;
        });
    }
    void then(trevalon::DialogClose close) {
        answers.push_back([close](trevalon::ExecutionDialogLogic&) { return close; });
    }
};

// A workspace with recorded messages and log, scripted dialogs and scripted random numbers.
struct TestWorkspace {
    RecordedMessages messages;
    RecordedLog log;
    ScriptedIo io;
    ScriptedRandom random;
    trevalon::Workspace workspace{log, messages};

    TestWorkspace() {
        workspace.setExecutionIo(&io);
        workspace.setRandomSource(&random);
    }
    trevalon::Project& project() { return workspace.project(); }
};

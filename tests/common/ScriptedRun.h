#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "exec/ExecutionDialogLogic.h"
#include "exec/ExecutionIo.h"
#include "exec/RandomSource.h"

// The execution dialog and the random source of a run, answered from scripts the test writes.
namespace trevalon::test {

// Draws from a script, then from the low end of the range.
class ScriptedRandom : public RandomSource {
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
class ScriptedIo : public ExecutionIo {
public:
    struct Shown {
        DialogMode mode;
        QString title;
        QString text;
        int targetType;
    };
    // An answer: a value to enter, "yes"/"no" for questions, or a special action.
    std::deque<std::function<DialogClose(ExecutionDialogLogic&)>> answers;
    std::vector<Shown> shown;
    int variablesShown = 0;
    int closes = 0;
    int stopAfterPolls = -1;  // abortRequested() turns true after this many polls

    DialogClose showDialog(ExecutionDialogLogic& dialog) override {
        shown.push_back({dialog.mode(), dialog.title(), dialog.text(), dialog.targetType()});
        // Results and messages only need closing; the script answers reads and questions.
        if (dialog.mode() == DialogMode::Show || answers.empty()) {
            return DialogClose::Closed;
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
        answers.push_back([value](ExecutionDialogLogic& d) {
            d.enterValue(value);
            return DialogClose::Closed;
        });
    }
    void reply(bool yes) {
        answers.push_back([yes](ExecutionDialogLogic& d) {
            d.answer(yes);
            return DialogClose::Closed;
        });
    }
    void then(DialogClose close) {
        answers.push_back([close](ExecutionDialogLogic&) { return close; });
    }
};

}  // namespace trevalon::test

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include "calc/Codes.h"

namespace trevalon {

class Evaluator;

// A built-in function: its name as written in a call (with "("), its code, and what it makes of
// the result type (a number, a text, or whatever its argument was). Functions of one argument
// receive its value; functions of several receive their trimmed arguments, first argument
// first, and are called only with at least `minArguments`. `eval` and `freevar` have neither
// implementation: the evaluator carries them out, because they evaluate formulas or their
// argument more than once.
struct FunctionInfo {
    const char16_t* name;
    op::Code code;
    Yields result;
    int minArguments;  // 0 for functions of one argument
    QString (*one)(Evaluator&, const QString&);
    QString (*many)(Evaluator&, const QStringList&);
    // Takes any number of arguments, handed over untrimmed (the aggregates `maxval` ...).
    bool aggregate = false;

    // Reads its arguments from the argument stack.
    bool usesArgumentStack() const { return many != nullptr; }
};

// The function called `name` (lower case, with its "("), or nullptr.
const FunctionInfo* findFunction(QStringView name);
// The function with code `code`, or nullptr.
const FunctionInfo* functionByCode(int code);

}  // namespace trevalon

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace trevalon {

class Evaluator;

// A built-in function: its name as written in a call (with "("), its operation code, and
// whether it yields a number (1) or a text (2); 0 when the result type comes from elsewhere.
// Functions of one argument receive its value; functions of several receive their trimmed
// arguments, first argument first, and are called only with at least `minArguments`.
struct FunctionInfo {
    const char16_t* name;
    int code;
    int resultType;
    int minArguments;  // 0 for functions of one argument
    QString (*one)(Evaluator&, const QString&);
    QString (*many)(Evaluator&, const QStringList&);
};

// The function called `name` (lower case, with its "("), or nullptr.
const FunctionInfo* findFunction(QStringView name);
// The function with operation `code`, or nullptr.
const FunctionInfo* functionByCode(int code);

// Codes whose function reads its arguments from the argument stack, and the aggregates among
// them, which take any number of arguments.
inline bool usesArgumentStack(int code) {
    return (code >= 60 && code <= 72) || code == 226;
}
inline bool isAggregate(int code) {
    return code >= 65 && code <= 68;
}

// Functions that the evaluator carries out itself, because they evaluate formulas or their
// argument more than once.
constexpr int kExistVar = 29;
constexpr int kFreeVar = 30;
constexpr int kEval = 42;
constexpr int kMaxVal = 65;
constexpr int kMinVal = 66;

}  // namespace trevalon

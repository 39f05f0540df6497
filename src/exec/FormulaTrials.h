#pragma once

#include <QString>

namespace trevalon {

// The result of handing one formula to the Calculator.
struct Evaluation {
    bool ok = false;
    QString result;  // the value text; texts come back in double quotes
    int kind = 0;    // 1 integer .. 7 date, as the Calculator classifies the result
    QString error;   // the Calculator's first error message when !ok
};

// What the check asks of the Calculator: its variables replaced by a list of test values, and
// formulas tried with them. The Workspace answers it, so that its variables list follows the
// Calculator's store as it does for every other evaluation.
class FormulaTrials {
public:
    virtual ~FormulaTrials() = default;
    // Replaces the variables by the lines NAME=value of `list`; an empty list empties them.
    virtual void loadVariables(const QString& list) = 0;
    // Evaluates `formula`, its first error kept as a value.
    virtual Evaluation evaluate(const QString& formula) = 0;
};

}  // namespace trevalon

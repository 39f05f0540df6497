#pragma once

#include <QString>
#include <functional>

namespace trevalon {

class EventLog;
class MessageSink;
class TCalcul;
class TextTable;

// The outcome of "Sprawdź wyrażenie", and the text the message dialog showed for it.
struct FormulaCheckResult {
    enum Outcome { NoVariable, NoExpression, CalculatorError, TypeMismatch, Correct };
    Outcome outcome = NoVariable;
    QString message;
};

// Tries a formula the way the board check will: on test values, as an assignment to the
// block's variable, then compares the result's kind with the variable's type. Every outcome is
// shown through the message sink; errors and mismatches also go to the event log when its level
// allows. Nothing of the project changes; the Calculator's store is left holding the test
// values as the assignment changed them, so callers that show the variables list refresh it.
class FormulaCheck {
public:
    // The test values of the board being edited, as a variables list ("NAME=value" lines),
    // produced by the board check's rules; asked for only when the formula is tried.
    using TestValues = std::function<QString()>;

    FormulaCheck(TCalcul& calculator, MessageSink& sink, EventLog& log, const TextTable& texts);

    // `variable` is the assignment's target ("Brak" or empty when none is chosen) and
    // `variableType` its declared type 1..7 (anything else never fits).
    FormulaCheckResult check(const QString& variable, int variableType, const QString& expression,
                             const TestValues& testValues);

private:
    FormulaCheckResult show(FormulaCheckResult::Outcome outcome, const QString& message, int icon);

    TCalcul& m_calculator;
    MessageSink& m_sink;
    EventLog& m_log;
    const TextTable& m_texts;
};

}  // namespace trevalon

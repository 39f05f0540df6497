#include "builders/FormulaCheck.h"

#include "calc/TCalcul.h"
#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/TextTable.h"

namespace trevalon {
namespace {}  // namespace

FormulaCheck::FormulaCheck(TCalcul& calculator, MessageSink& sink, EventLog& log,
                           const TextTable& texts)
    : m_calculator(calculator), m_sink(sink), m_log(log), m_texts(texts) {}

FormulaCheckResult FormulaCheck::show(FormulaCheckResult::Outcome outcome, const QString& message,
                                      int icon) {
    m_sink.showMessage(MessageSink::Close, icon, message);
    return {outcome, message};
}

FormulaCheckResult FormulaCheck::check(const QString& variable, int variableType,
                                       const QString& expression, const TestValues& testValues) {
    if (variable.isEmpty() || variable == m_texts.text(texts::Unset)) {
        return show(FormulaCheckResult::NoVariable, m_texts.text(texts::ChooseLeftVariable),
                    MessageSink::Information);
    }
    if (expression.isEmpty()) {
        return show(FormulaCheckResult::NoExpression, m_texts.text(texts::EnterExpression),
                    MessageSink::Information);
    }
    // Without qualifying variables the store is emptied rather than left as an earlier run
    // or check filled it, so the verdict depends on this board alone.
    m_calculator.LoadVariables(testValues ? testValues() : QString());
    const QString formula = variable + QStringLiteral(":=") + expression;
    m_log.logAbove(4, QStringLiteral("Insert formula: ") + formula);
    m_calculator.setFormula(formula);
    QString result;
    bool evaluated = false;
    try {
        evaluated = m_calculator.Evaluate(result);
    } catch (...) {
        // The Calculator keeps its failures to itself; should one slip out, it is its generic
        // error all the same.
        m_calculator.raiseError(calc::ErrorInvalidFormula);
    }
    if (!evaluated || m_calculator.errorFlag()) {
        const QString error = m_calculator.errorText();
        m_log.logAbove(1, m_texts.text(texts::TestingFormula) + error);
        return show(FormulaCheckResult::CalculatorError,
                    m_texts.text(texts::TestingFormula) + u'\n' + error, MessageSink::Warning);
    }
    if (TCalcul::kindFitsType(variableType, m_calculator.resultKind())) {
        return show(FormulaCheckResult::Correct, m_texts.text(texts::FormulaSeemsCorrect),
                    MessageSink::Information);
    }
    const QString mismatch = m_texts.text(texts::TypeMismatchOfVariable) + variable +
                             m_texts.text(texts::AndTheExpression) + u' ' + expression;
    m_log.logAbove(3, m_texts.text(texts::TestingFormula) + mismatch);
    return show(FormulaCheckResult::TypeMismatch,
                m_texts.text(texts::TestingFormula) + u'\n' + mismatch, MessageSink::Warning);
}

}  // namespace trevalon

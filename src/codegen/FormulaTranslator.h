#pragma once

#include <QString>
#include <optional>

#include "codegen/CodeTarget.h"
#include "codegen/TargetLanguage.h"
#include "codegen/VariableTable.h"
#include "config/Status.h"

namespace trevalon {
struct ParsedFormula;
}

namespace trevalon::codegen {

// Translates a formula of the flowchart's language into an expression of the target language.
// The language's precedence is made explicit: every operation is parenthesised as the
// Calculator groups it (`a = b + 1` is `(a = b) + 1`). Where the language's texts show through
// — comparing texts, a number turned into a text, division by zero giving 0 — the translation
// calls a helper, which it records in the helper set.
class FormulaTranslator {
public:
    // The language, the variables and the helper set must outlive the translator.
    FormulaTranslator(const TargetLanguage& language, const VariableTable& variables,
                      HelperSet& helpers)
        : m_language(language), m_variables(variables), m_helpers(helpers) {}

    // The formula as an expression; nothing, with error() telling why (texts::Codegen...), for
    // a formula the translator does not carry over (a syntax error, an unknown name, a function
    // without a helper).
    std::optional<Code> translate(const QString& formula);
    // The formula's negation when it is a comparison, written with the opposite operator
    // (`i <= n` becomes `i > n`); nothing when it is no comparison or does not translate.
    std::optional<Code> translateNegated(const QString& formula);
    const Status& error() const { return m_error; }

    // Conversions the statements need too.
    Code asNumber(const Code& code);
    Code asText(const Code& code);
    Code asInteger(const Code& code);
    Code asTruth(const Code& code);
    // The helpers the translation calls so far, which statements add to.
    HelperSet& helpers() { return m_helpers; }
    // A text literal in the target language.
    QString textLiteral(const QString& text) const;
    // A value converted to be stored into a variable of `kind`.
    Code storedAs(const Code& code, ValueKind kind);

private:
    std::optional<Code> node(const ParsedFormula& parsed, int index);
    std::optional<Code> translateParsed(const QString& formula, bool negated);
    std::optional<Code> name(const QString& text);
    std::optional<Code> number(const QString& text);
    std::optional<Code> binary(int op, const Code& left, const Code& right, bool literalDivisor);
    std::optional<Code> comparison(int op, const Code& left, const Code& right);
    std::optional<Code> membership(const Code& value, const QString& set);
    std::optional<Code> function(const ParsedFormula& parsed, const QString& name, int arguments);
    std::optional<Code> keptDigits(std::optional<Code> code);
    std::nullopt_t fail(int text, QStringList arguments = {});

    const TargetLanguage& m_language;
    const VariableTable& m_variables;
    HelperSet& m_helpers;
    QString m_formula;  // the one being translated, which a refusal names
    Status m_error;
};

}  // namespace trevalon::codegen

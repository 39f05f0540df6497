#pragma once

#include <QString>

#include "calc/ExprNode.h"

namespace trevalon {

// Cuts trailing blanks and semicolons from a formula.
QString cutTrailing(const QString& formula);

// Encloses every argument of every function call in its own parentheses, so that an argument
// such as `a+b` stays whole although `,` binds like `*`: `copy(s,2,3)` becomes
// `copy((s),(2),(3))`. Texts and set literals are copied untouched.
QString prepareArguments(const QString& formula, QChar quote);

// The scanner: yields one token at a time from a prepared formula. Errors go into `out`
// (the first one only) and end the token stream; captured assignments are appended to
// `out.captures`.
class Lexer {
public:
    // `source` is the formula as the caller wrote it, named in number errors.
    Lexer(const QString& prepared, const QString& source, QChar quote, ParsedFormula& out);

    // Scans the next token; answers its code (0 at the end or after an error).
    int next();

    int current() const { return m_current; }
    int previous() const { return m_previous; }
    // Text of the current token (see ExprNode::text).
    const QString& text() const { return m_text; }
    // The capture the current name token stands for, or -1.
    int capture() const { return m_capture; }

    void raise(int number, const QString& detail = QString());

private:
    int scan();
    int scanMinus();
    // An operator or punctuation token; op::End for a character that is none.
    int scanOperator();
    int scanText();
    int scanNumber(qsizetype start);
    int scanSet();
    int scanName();
    int recogniseWord();
    void captureAssignment(const QString& name);
    QChar at(qsizetype i) const { return i < m_formula.size() ? m_formula[i] : QChar(); }

    const QString& m_formula;
    const QString& m_source;
    QChar m_quote;
    ParsedFormula& m_out;
    qsizetype m_pos = 0;
    int m_current = 0;
    int m_previous = 0;
    QString m_text;
    int m_capture = -1;
};

}  // namespace trevalon

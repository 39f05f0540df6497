#pragma once

#include <QString>
#include <set>

namespace trevalon::codegen {

// The languages a project is translated into.
enum class Target { Python, Cpp, Pseudo };

// What a translated value is held as. The flowchart's language keeps every value as a text;
// the generated code uses its own numbers and strings and converts where the text shows.
enum class ValueKind { Bool, Int, Real, Text, Array };

inline bool isNumeric(ValueKind kind) {
    return kind == ValueKind::Bool || kind == ValueKind::Int || kind == ValueKind::Real;
}

// The kind that holds the values of both: numbers widen, a number and a text meet as text.
ValueKind joined(ValueKind a, ValueKind b);

// A piece of translated code: its text, the kind of its value, and whether it must be
// parenthesised when it becomes an operand.
struct Code {
    QString text;
    ValueKind kind = ValueKind::Int;
    bool atomic = true;
};

// A code as an operand: parenthesised unless it is atomic.
inline QString wrapped(const Code& code) {
    return code.atomic ? code.text : u'(' + code.text + u')';
}

// Two operands with an operator between them, as every target writes `a + b`.
inline Code infix(const Code& a, const QString& sign, const Code& b, ValueKind kind) {
    return Code{wrapped(a) + u' ' + sign + u' ' + wrapped(b), kind, false};
}

// The helper functions the generated code calls, collected while translating so that only
// those used are written out (see Prelude).
using HelperSet = std::set<QString>;

}  // namespace trevalon::codegen

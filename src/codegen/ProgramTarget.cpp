#include "codegen/ProgramTarget.h"

#include "calc/ExprNode.h"
#include "codegen/LineWriter.h"
#include "codegen/VariableTable.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "model/Cell.h"

namespace trevalon::codegen {

Code ProgramTarget::asText(const Code& code, HelperSet& used) const {
    switch (code.kind) {
        case ValueKind::Text:
            return code;
        case ValueKind::Array:
            return call(QStringLiteral("array_text"), {code.text}, ValueKind::Text, used);
        case ValueKind::Int:
            return wholeAsText(code);
        default:
            return call(QStringLiteral("fmt"), {code.text}, ValueKind::Text, used);
    }
}

Code ProgramTarget::asInteger(const Code& code, HelperSet& used) const {
    if (code.kind == ValueKind::Int || code.kind == ValueKind::Bool) {
        return code;
    }
    return call(QStringLiteral("to_int"), {asNumber(code, used).text}, ValueKind::Int, used);
}

Code ProgramTarget::asTruth(const Code& code, HelperSet& used) const {
    if (code.kind == ValueKind::Bool) {
        return code;
    }
    return Code{wrapped(asNumber(code, used)) + QStringLiteral(" >= 1"), ValueKind::Bool, false};
}

Code ProgramTarget::storedAs(const Code& code, ValueKind kind, HelperSet& used) const {
    if (code.kind == kind) {
        return code;
    }
    if (kind == ValueKind::Text) {
        return asText(code, used);
    }
    if (code.kind == ValueKind::Text) {
        return kind == ValueKind::Int ? asInteger(code, used) : asNumber(code, used);
    }
    return code;
}

Code ProgramTarget::shown(const Code& value, int type, int precision, HelperSet& used) const {
    if (type == TypeReal) {
        const Code number = asNumber(value, used);
        const int digits = precision >= 0 && precision <= 6 ? precision : 7;
        used.insert(QStringLiteral("real_text"));
        return Code{QStringLiteral("real_text(%1, %2)").arg(number.text).arg(digits),
                    ValueKind::Text, true};
    }
    return value.kind == ValueKind::Int ? value : asText(value, used);
}

// Every operation hands its result on as a text of at most 12 decimals; a real result is
// rounded the same way, so that the next operation starts from the same number.
Code ProgramTarget::keptDigits(const Code& code, HelperSet& used) const {
    return call(QStringLiteral("rounded"), {code.text}, ValueKind::Real, used);
}

Code ProgramTarget::clock(const QString&, bool date, bool time, HelperSet& used) const {
    return call(QStringLiteral("clock_text"),
                {date ? QStringLiteral("1") : QStringLiteral("0"),
                 time ? QStringLiteral("1") : QStringLiteral("0")},
                ValueKind::Text, used);
}

Code ProgramTarget::operation(const Operation& o, HelperSet& used) const {
    switch (o.op) {
        case op::Plus:
            return infix(o.left, QStringLiteral("+"), o.right, o.result);
        case op::Minus:
            return infix(o.left, QStringLiteral("-"), o.right, o.result);
        case op::Times:
            return infix(o.left, QStringLiteral("*"), o.right, o.result);
        case op::Divide:
            return o.literalDivisor ? literalDivision(o.left, o.right)
                                    : call(QStringLiteral("divide"), {o.left.text, o.right.text},
                                           ValueKind::Real, used);
        case op::Power:
            return power(o.left, o.right);
        case op::Div:
        case op::Mod:
            return wholeDivision(o, used);
        case op::Concat:
            return infix(o.left, QStringLiteral("+"), o.right, o.result);
        case op::Like:
        case op::Wildcard:
            // `like` writes SQL's % and _ for the mask's * and ?.
            return call(QStringLiteral("matches"),
                        {o.left.text, o.right.text,
                         o.op == op::Like ? QStringLiteral("1") : QStringLiteral("0")},
                        ValueKind::Bool, used);
        default:  // op::And, op::Or: the translator hands on no other operator
            return infix(o.left, o.op == op::And ? andSign() : orSign(), o.right, o.result);
    }
}

Code ProgramTarget::wholeDivision(const Operation& o, HelperSet& used) const {
    return call(o.op == op::Div ? QStringLiteral("whole_div") : QStringLiteral("mod"),
                {o.left.text, o.right.text}, ValueKind::Int, used);
}

Code ProgramTarget::comparison(int op, const Code& left, const Code& right, HelperSet& used) const {
    static const char* const kSigns[] = {"==", "<", "<=", ">", ">=", "!="};
    const QString sign = QLatin1String(kSigns[op - op::Equal]);
    if (isNumeric(left.kind) && isNumeric(right.kind)) {
        return infix(asNumber(left, used), sign, asNumber(right, used), ValueKind::Bool);
    }
    const Code a = asText(left, used);
    const Code b = asText(right, used);
    if (op == op::Equal || op == op::NotEqual) {
        // The language compares the texts of values, character for character.
        return infix(a, sign, b, ValueKind::Bool);
    }
    // Order compares numbers when both texts are numbers, else the texts themselves.
    return Code{call(QStringLiteral("compare"), {a.text, b.text}, ValueKind::Int, used).text +
                    u' ' + sign + QStringLiteral(" 0"),
                ValueKind::Bool, false};
}

Code ProgramTarget::membership(const Code& value, const QString&, const std::vector<Code>& elements,
                               HelperSet& used) const {
    QStringList tests;
    for (const Code& element : elements) {
        tests << comparison(op::Equal, value, element, used).text;
    }
    return Code{tests.join(u' ' + orSign() + u' '), ValueKind::Bool, tests.size() <= 1};
}

QString ProgramTarget::argument(const Code& code, QChar kind, bool variadic,
                                HelperSet& used) const {
    const Code converted = kind == u't'   ? asText(code, used)
                           : kind == u'i' ? asInteger(code, used)
                                          : asNumber(code, used);
    return variadic ? variadicArgument(converted.text) : converted.text;
}

Code ProgramTarget::function(const FunctionCall& f, HelperSet& used) const {
    QStringList arguments = f.arguments;
    if (f.padded) {
        arguments.insert(1, literal(QStringLiteral(" ")));  // prefix(i, s): padded with blanks
    }
    return call(f.helper, f.variadic ? variadicArguments(arguments) : arguments, f.result, used);
}

QString ProgramTarget::abort(const QString& message, HelperSet& used) const {
    used.insert(QStringLiteral("fail"));
    return statement(QStringLiteral("fail(") + literal(message) + u')');
}

QString ProgramTarget::question(const QString& question, const std::optional<Code>& variable,
                                HelperSet& used) const {
    const Code answer{QStringLiteral("ask(") + question + u')', answerKind(), true};
    used.insert(QStringLiteral("ask"));
    return variable ? assignment(variable->text, storedAs(answer, variable->kind, used).text)
                    : statement(answer.text);
}

QString ProgramTarget::random(const Code& variable, qint64 bound, HelperSet& used) const {
    used.insert(QStringLiteral("random_below"));
    const Code drawn{QStringLiteral("random_below(%1)").arg(bound), ValueKind::Int, true};
    return assignment(variable.text, storedAs(drawn, variable.kind, used).text);
}

QStringList ProgramTarget::read(const Code& variable, int type, const QString& prompt,
                                HelperSet& used) const {
    static const char* const kReaders[] = {"read_int",     "read_real",  "read_char", "read_text",
                                           "read_logical", "read_array", "read_date"};
    const int known = type >= 1 && type <= 7 ? type : TypeText;
    const QString reader = QLatin1String(kReaders[known - 1]);
    used.insert(reader);
    Code value{reader + u'(' + prompt + u')', kindOfType(known), true};
    if (value.kind == ValueKind::Bool) {
        value.kind = ValueKind::Int;  // a logical variable may be given any whole number
    }
    return {assignment(variable.text, storedAs(value, variable.kind, used).text)};
}

QString ProgramTarget::arrayWrite(const Code& array, const Code& index, const Code& value,
                                  HelperSet& used) const {
    used.insert(QStringLiteral("put_element"));
    return statement(QStringLiteral("put_element(%1, %2, %3)")
                         .arg(array.text, index.text, asText(value, used).text));
}

QString ProgramTarget::arrayRead(const Code& array, ValueKind elementKind, const Code& index,
                                 const Code& value, HelperSet& used) const {
    used.insert(QStringLiteral("element"));
    const Code element{QStringLiteral("element(%1, %2)").arg(array.text, index.text),
                       ValueKind::Text, true};
    // Elements are the texts of numbers: read straight as the number kind they hold.
    Code read = storedAs(element, value.kind, used);
    if (value.kind == ValueKind::Int && elementKind == ValueKind::Int) {
        read.text = wholeFromText(element.text);
    } else if (value.kind == ValueKind::Real) {
        read.text = realFromText(element.text);
    }
    return assignment(value.text, read.text);
}

// The comparison holds when its result is exactly the text "1".
QString ProgramTarget::condition(const Code& test) const {
    if (test.kind == ValueKind::Bool) {
        return test.text;
    }
    return test.kind == ValueKind::Text
               ? test.text + QStringLiteral(" == ") + literal(QStringLiteral("1"))
               : test.text + QStringLiteral(" == 1");
}

QString ProgramTarget::breakStatement() const {
    return statement(QStringLiteral("break"));
}

QString ProgramTarget::continueStatement() const {
    return statement(QStringLiteral("continue"));
}

// A heading, the prelude, the variables, the procedures' declarations.
int ProgramTarget::writeHead(const FileHead& head, std::vector<GeneratedLine>& lines) const {
    LineWriter file(lines, QStringLiteral("    "));
    const QStringList heading = commentLines(word(texts::CodeGeneratedFrom).arg(head.title));
    for (const QString& line : fileStart() + heading) {
        file.line(line);
    }
    file.line(QString());
    for (const QString& line : prelude(*head.helpers)) {
        file.line(line);
    }
    const int ownCode = static_cast<int>(lines.size());
    for (const QString& line : head.variables) {
        file.line(line);
    }
    for (int i = 0; i < functionGap(); ++i) {
        file.line(QString());
    }
    for (const QString& d : head.declarations) {
        file.line(d);
    }
    if (!head.declarations.isEmpty()) {
        file.line(QString());
    }
    return ownCode;
}

QStringList ProgramTarget::fileStart() const {
    return {};
}

bool ProgramTarget::englishNames() const {
    return texts().language() != QLatin1String("pl");
}

}  // namespace trevalon::codegen

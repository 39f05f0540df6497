#include "codegen/FormulaTranslator.h"

#include "calc/Builtins.h"
#include "calc/ExprNode.h"
#include "calc/Parser.h"
#include "calc/Values.h"
#include "codegen/Prelude.h"
#include "config/TextIds.h"

namespace trevalon::codegen {
namespace {

// A built-in function the translation carries over: its helper, the kinds of its arguments
// ('n' number, 'i' whole number, 't' text, '*' any number of numbers) and of its result.
struct FunctionMap {
    int code;
    const char* helper;
    const char* arguments;
    ValueKind result;
};

const FunctionMap kFunctions[] = {
    {op::Cos, "cos", "n", ValueKind::Real},
    {op::Sin, "sin", "n", ValueKind::Real},
    {op::Tg, "tg", "n", ValueKind::Real},
    {op::Abs, "abs", "n", ValueKind::Real},
    {op::Sign, "sign", "n", ValueKind::Int},
    {op::Sqrt, "square_root", "n", ValueKind::Real},
    {op::Ln, "ln", "n", ValueKind::Real},
    {op::Exp, "exp", "n", ValueKind::Real},
    {op::Frac, "frac", "n", ValueKind::Real},
    {op::Trunc, "whole_part", "n", ValueKind::Int},
    {op::Length, "length", "t", ValueKind::Int},
    {op::Trim, "trim", "t", ValueKind::Text},
    {op::Char, "chr", "i", ValueKind::Text},
    {op::Ascii, "ascii", "t", ValueKind::Int},
    {op::Upper, "upper", "t", ValueKind::Text},
    {op::Lower, "lower", "t", ValueKind::Text},
    {op::Not, "logical_not", "n", ValueKind::Bool},
    {op::Weekday, "weekday", "t", ValueKind::Int},
    {op::Month, "month", "t", ValueKind::Int},
    {op::Year, "year", "t", ValueKind::Int},
    {op::Day, "day", "t", ValueKind::Int},
    {op::Copy, "copy", "tii", ValueKind::Text},
    {op::Pos, "pos", "tt", ValueKind::Int},
    {op::MaxVal, "maxval", "*", ValueKind::Real},
    {op::MinVal, "minval", "*", ValueKind::Real},
    {op::SumVal, "sumval", "*", ValueKind::Real},
    {op::AvgVal, "avgval", "*", ValueKind::Real},
    {op::Iff, "iff", "itt", ValueKind::Text},
    {op::Logic, "logic", "i", ValueKind::Bool},
    {op::Prefix, "prefix", "itt", ValueKind::Text},
    {op::NameDay, "nameday", "i", ValueKind::Text},
    {op::Ctg, "ctg", "n", ValueKind::Real},
    {op::Arcsin, "arcsin", "n", ValueKind::Real},
    {op::Arccos, "arccos", "n", ValueKind::Real},
    {op::Arctg, "arctg", "n", ValueKind::Real},
    {op::Arcctg, "arcctg", "n", ValueKind::Real},
    {op::Sh, "sh", "n", ValueKind::Real},
    {op::Ch, "ch", "n", ValueKind::Real},
    {op::Th, "th", "n", ValueKind::Real},
    {op::Cth, "cth", "n", ValueKind::Real},
    {op::Heaviside, "heaviside", "n", ValueKind::Bool},
    {op::TrimLeft, "trim_left", "t", ValueKind::Text},
    {op::TrimRight, "trim_right", "t", ValueKind::Text},
    {op::CopyTo, "copy_to", "tii", ValueKind::Text},
    {op::Delete, "delete_text", "tii", ValueKind::Text},
    {op::Replace, "replace_text", "tttii", ValueKind::Text},
    {op::Insert, "insert_text", "tti", ValueKind::Text},
    {op::NumBase, "numbase", "ii", ValueKind::Text},
    {op::BaseNum, "basenum", "ti", ValueKind::Int},
    {op::String, "as_text", "t", ValueKind::Text},
    {op::Numeric, "numeric", "t", ValueKind::Real},
};

// A function as the parser names it, "copy(", without its bracket.
QString functionName(const QString& name) {
    return name.endsWith(u'(') ? name.chopped(1) : name;
}

// The arguments of a call: a chain of `,` nodes grouped to the left, the first argument deepest.
std::vector<int> argumentNodes(const ParsedFormula& parsed, int arguments) {
    std::vector<int> nodes;
    int at = arguments;
    while (at >= 0 && parsed.nodes[static_cast<std::size_t>(at)].code == op::Comma) {
        nodes.insert(nodes.begin(), parsed.nodes[static_cast<std::size_t>(at)].right);
        at = parsed.nodes[static_cast<std::size_t>(at)].left;
    }
    if (at >= 0) {
        nodes.insert(nodes.begin(), at);
    }
    return nodes;
}

bool isComparison(int op) {
    return op >= op::Equal && op <= op::NotEqual;
}

}  // namespace

std::nullopt_t FormulaTranslator::fail(int text, QStringList arguments) {
    if (m_error.ok()) {
        m_error = Status::error(text, std::move(arguments));
    }
    return std::nullopt;
}

std::optional<Code> FormulaTranslator::translate(const QString& formula) {
    std::optional<Code> code = translateParsed(formula, false);
    if (!code && m_error.ok()) {
        fail(texts::CodegenFormulaSyntax, {formula});  // a tree the parser should not make
    }
    return code;
}

std::optional<Code> FormulaTranslator::translateNegated(const QString& formula) {
    return translateParsed(formula, true);
}

std::optional<Code> FormulaTranslator::translateParsed(const QString& formula, bool negated) {
    m_error = Status();
    m_formula = formula;
    const std::shared_ptr<const ParsedFormula> parsed = parseFormula(formula, u'"');
    if (parsed->errorNumber != 0 || parsed->root < 0) {
        return fail(texts::CodegenFormulaSyntax, {formula});
    }
    if (!parsed->captures.empty()) {
        return fail(texts::CodegenFormulaAssigns, {formula});
    }
    if (!negated) {
        return node(*parsed, parsed->root);
    }
    // Each comparison's opposite: = and <>, < and >=, > and <=.
    const ExprNode& root = parsed->nodes[static_cast<std::size_t>(parsed->root)];
    static const int kOpposite[] = {op::NotEqual,  op::GreaterEqual, op::Greater,
                                    op::LessEqual, op::Less,         op::Equal};
    if (!isComparison(root.code)) {
        return std::nullopt;
    }
    const std::optional<Code> left = node(*parsed, root.left);
    const std::optional<Code> right = left ? node(*parsed, root.right) : std::nullopt;
    if (!right) {
        return std::nullopt;
    }
    return comparison(kOpposite[root.code - op::Equal], *left, *right);
}

QString FormulaTranslator::textLiteral(const QString& text) const {
    return m_language.literal(text);
}

Code FormulaTranslator::asNumber(const Code& code) {
    return m_language.asNumber(code, m_helpers);
}

Code FormulaTranslator::asText(const Code& code) {
    return m_language.asText(code, m_helpers);
}

Code FormulaTranslator::asInteger(const Code& code) {
    return m_language.asInteger(code, m_helpers);
}

Code FormulaTranslator::asTruth(const Code& code) {
    return m_language.asTruth(code, m_helpers);
}

Code FormulaTranslator::storedAs(const Code& code, ValueKind kind) {
    return m_language.storedAs(code, kind, m_helpers);
}

std::optional<Code> FormulaTranslator::number(const QString& text) {
    const std::optional<long double> value = calc::parseNumber(text);
    if (!value) {
        return fail(texts::CodegenNoNumber, {text});
    }
    const bool whole = !text.contains(u'.') && !text.contains(u'e') && !text.contains(u'E');
    if (whole) {
        QString digits = text;
        const qsizetype first = digits.startsWith(u'-') ? 1 : 0;
        while (digits.size() > first + 1 && digits[first] == u'0') {
            digits.remove(first, 1);  // "007", "-08": Python reads no leading zeros, C++ octal
        }
        return Code{digits, ValueKind::Int, true};
    }
    QString literal = text;
    if (literal.startsWith(u'.')) {
        literal.prepend(u'0');
    }
    return Code{literal, ValueKind::Real, true};
}

std::optional<Code> FormulaTranslator::name(const QString& text) {
    if (text.startsWith(u'[')) {
        return fail(texts::CodegenSetMisplaced, {text});
    }
    if (text == QLatin1String("_PI")) {
        return Code{QStringLiteral("3.14159265"), ValueKind::Real, true};
    }
    if (text == QLatin1String("_LF")) {
        return Code{textLiteral(QStringLiteral("\r\n")), ValueKind::Text, true};
    }
    if (text == QLatin1String("_TB")) {
        return Code{textLiteral(QStringLiteral("\t")), ValueKind::Text, true};
    }
    const bool date = text == QLatin1String("_DATE") || text == QLatin1String("_NOW");
    const bool time = text == QLatin1String("_TIME") || text == QLatin1String("_NOW");
    if (date || time) {
        return m_language.clock(text, date, time, m_helpers);
    }
    if (const Variable* v = m_variables.find(text)) {
        return Code{v->identifier, v->kind, true};
    }
    for (const PreludeConstant& c : preludeConstants()) {
        if (text.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            m_helpers.insert(QStringLiteral("const:") + QLatin1String(c.name));
            return Code{QLatin1String(c.name), ValueKind::Real, true};
        }
    }
    return fail(texts::CodegenNoVariable, {text});
}

std::optional<Code> FormulaTranslator::node(const ParsedFormula& parsed, int index) {
    const ExprNode& n = parsed.nodes[static_cast<std::size_t>(index)];
    switch (n.code) {
        case op::Number:
            return number(n.text);
        case op::Text:
            return Code{textLiteral(n.text), ValueKind::Text, true};
        case op::Name:
            return name(n.text);
        case op::Negate: {
            const std::optional<Code> operand = node(parsed, n.left);
            if (!operand) {
                return std::nullopt;
            }
            const Code value = asNumber(*operand);
            return Code{u'-' + wrapped(value), joined(value.kind, ValueKind::Int), false};
        }
        case op::In: {
            const std::optional<Code> value = node(parsed, n.left);
            if (!value || n.right < 0) {
                return std::nullopt;
            }
            return membership(*value, parsed.nodes[static_cast<std::size_t>(n.right)].text);
        }
        default:
            break;
    }
    if (n.code == op::Comma || n.code == op::Sequence) {
        return fail(texts::CodegenFormulaAssigns, {m_formula});
    }
    if (n.left >= 0 && n.right >= 0) {
        const std::optional<Code> left = node(parsed, n.left);
        const std::optional<Code> right = left ? node(parsed, n.right) : std::nullopt;
        if (!right) {
            return std::nullopt;
        }
        const ExprNode& r = parsed.nodes[static_cast<std::size_t>(n.right)];
        const bool literalDivisor =
            r.code == op::Number && calc::parseNumber(r.text).value_or(0) != 0;
        if (isComparison(n.code)) {
            return comparison(n.code, *left, *right);
        }
        return keptDigits(binary(n.code, *left, *right, literalDivisor));
    }
    return keptDigits(function(parsed, n.text.toLower(), n.left));
}

// Every operation hands its result on as a text of at most 12 decimals; a real result is
// rounded the same way, so that the next operation starts from the same number.
std::optional<Code> FormulaTranslator::keptDigits(std::optional<Code> code) {
    if (!code || code->kind != ValueKind::Real) {
        return code;
    }
    return m_language.keptDigits(*code, m_helpers);
}

// The operands converted to what the operator works on, and the kind of its result; the
// target writes the operation.
std::optional<Code> FormulaTranslator::binary(int op, const Code& left, const Code& right,
                                              bool literalDivisor) {
    Operation o{op, left, right, ValueKind::Real, literalDivisor};
    switch (op) {
        case op::Plus:
        case op::Minus:
        case op::Times:
            o.left = asNumber(left);
            o.right = asNumber(right);
            o.result = joined(joined(o.left.kind, o.right.kind), ValueKind::Int);
            break;
        case op::Divide:
        case op::Power:
            o.left = asNumber(left);
            o.right = asNumber(right);
            break;
        case op::Div:
        case op::Mod:
            o = Operation{op, asInteger(left), asInteger(right), ValueKind::Int, literalDivisor};
            break;
        case op::Concat:
            o = Operation{op, asText(left), asText(right), ValueKind::Text, literalDivisor};
            break;
        case op::Like:
        case op::Wildcard:
            o = Operation{op, asText(left), asText(right), ValueKind::Bool, literalDivisor};
            break;
        case op::And:
        case op::Or:
            o = Operation{op, asTruth(left), asTruth(right), ValueKind::Bool, literalDivisor};
            break;
        default:
            return fail(texts::CodegenUntranslatable, {m_formula, QString::number(op)});
    }
    return m_language.operation(o, m_helpers);
}

std::optional<Code> FormulaTranslator::comparison(int op, const Code& left, const Code& right) {
    return m_language.comparison(op, left, right, m_helpers);
}

// The set's elements: texts in quotes, numbers, and anything else as the text it is.
std::optional<Code> FormulaTranslator::membership(const Code& value, const QString& set) {
    const QString inner = set.trimmed();
    if (!inner.startsWith(u'[') || !inner.endsWith(u']')) {
        return fail(texts::CodegenSetMisplaced, {set});
    }
    std::vector<Code> elements;
    for (QString element : inner.mid(1, inner.size() - 2).split(u',')) {
        element = element.trimmed();
        if (element.startsWith(u'"') && element.endsWith(u'"') && element.size() >= 2) {
            elements.push_back(
                Code{textLiteral(element.mid(1, element.size() - 2)), ValueKind::Text, true});
        } else if (calc::parseNumber(element)) {
            elements.push_back(*number(element));
        } else {
            elements.push_back(Code{textLiteral(element), ValueKind::Text, true});
        }
    }
    return m_language.membership(value, inner, elements, m_helpers);
}

std::optional<Code> FormulaTranslator::function(const ParsedFormula& parsed, const QString& name,
                                                int arguments) {
    const FunctionInfo* info = findFunction(name);
    const FunctionMap* map = nullptr;
    for (const FunctionMap& f : kFunctions) {
        if (info != nullptr && f.code == info->code) {
            map = &f;
        }
    }
    if (map == nullptr) {
        return fail(texts::CodegenUntranslatable, {m_formula, functionName(name)});
    }
    const QString kinds = QLatin1String(map->arguments);
    const bool variadic = kinds == QLatin1String("*");
    FunctionCall call{name, QLatin1String(map->helper), {}, variadic, false, map->result};
    const std::vector<int> nodes = argumentNodes(parsed, arguments);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const std::optional<Code> argument = node(parsed, nodes[i]);
        if (!argument) {
            return std::nullopt;
        }
        const QChar want = variadic ? QChar(u'n')
                           : i < static_cast<std::size_t>(kinds.size())
                               ? kinds[static_cast<qsizetype>(i)]
                               : QChar(u't');
        call.arguments << m_language.argument(*argument, want, variadic, m_helpers);
    }
    if (!variadic && call.arguments.size() > kinds.size()) {
        return fail(texts::CodegenTooManyArguments, {functionName(name)});
    }
    call.padded = map->code == op::Prefix && call.arguments.size() == 2;
    return m_language.function(call, m_helpers);
}

}  // namespace trevalon::codegen

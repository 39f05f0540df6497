#include "codegen/FormulaTranslator.h"

#include "calc/Builtins.h"
#include "calc/ExprNode.h"
#include "calc/Parser.h"
#include "calc/Values.h"
#include "codegen/SourceText.h"
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
    {11, "cos", "n", ValueKind::Real},
    {12, "sin", "n", ValueKind::Real},
    {13, "tg", "n", ValueKind::Real},
    {15, "abs", "n", ValueKind::Real},
    {16, "sign", "n", ValueKind::Int},
    {17, "square_root", "n", ValueKind::Real},
    {18, "ln", "n", ValueKind::Real},
    {19, "exp", "n", ValueKind::Real},
    {33, "frac", "n", ValueKind::Real},
    {34, "whole_part", "n", ValueKind::Int},
    {35, "length", "t", ValueKind::Int},
    {41, "trim", "t", ValueKind::Text},
    {43, "chr", "i", ValueKind::Text},
    {44, "ascii", "t", ValueKind::Int},
    {45, "upper", "t", ValueKind::Text},
    {46, "lower", "t", ValueKind::Text},
    {47, "logical_not", "n", ValueKind::Bool},
    {48, "weekday", "t", ValueKind::Int},
    {49, "month", "t", ValueKind::Int},
    {50, "year", "t", ValueKind::Int},
    {51, "day", "t", ValueKind::Int},
    {60, "copy", "tii", ValueKind::Text},
    {62, "pos", "tt", ValueKind::Int},
    {65, "maxval", "*", ValueKind::Real},
    {66, "minval", "*", ValueKind::Real},
    {67, "sumval", "*", ValueKind::Real},
    {68, "avgval", "*", ValueKind::Real},
    {69, "iff", "itt", ValueKind::Text},
    {198, "logic", "i", ValueKind::Bool},
    {226, "prefix", "itt", ValueKind::Text},
    {253, "nameday", "i", ValueKind::Text},
    {14, "ctg", "n", ValueKind::Real},
    {20, "arcsin", "n", ValueKind::Real},
    {21, "arccos", "n", ValueKind::Real},
    {22, "arctg", "n", ValueKind::Real},
    {23, "arcctg", "n", ValueKind::Real},
    {24, "sh", "n", ValueKind::Real},
    {25, "ch", "n", ValueKind::Real},
    {26, "th", "n", ValueKind::Real},
    {27, "cth", "n", ValueKind::Real},
    {28, "heaviside", "n", ValueKind::Bool},
    {38, "trim_left", "t", ValueKind::Text},
    {39, "trim_right", "t", ValueKind::Text},
    {61, "copy_to", "tii", ValueKind::Text},
    {63, "delete_text", "tii", ValueKind::Text},
    {64, "replace_text", "tttii", ValueKind::Text},
    {70, "insert_text", "tti", ValueKind::Text},
    {71, "numbase", "ii", ValueKind::Text},
    {72, "basenum", "ti", ValueKind::Int},
    {196, "as_text", "t", ValueKind::Text},
    {197, "numeric", "t", ValueKind::Real},
};

// The constants every run loads beside the variables.
struct Constant {
    const char* name;
    const char* value;
};
const Constant kConstants[] = {{"Pi", "3.14159265358979"},
                               {"e", "2.71828183"},
                               {"DegToRad", "0.017453"},
                               {"RadToDeg", "57.29578"}};

// A function as the parser names it, "copy(", without its bracket.
QString functionName(const QString& name) {
    return name.endsWith(u'(') ? name.chopped(1) : name;
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

QString FormulaTranslator::wrapped(const Code& code) const {
    return code.atomic ? code.text : u'(' + code.text + u')';
}

QString FormulaTranslator::textLiteral(const QString& text) const {
    return stringLiteral(m_target, text);
}

Code FormulaTranslator::call(const QString& helper, const QStringList& arguments, ValueKind kind) {
    // The standard library has these already.
    static const QStringList kStandard = {QStringLiteral("abs"), QStringLiteral("sin"),
                                          QStringLiteral("cos"), QStringLiteral("exp")};
    if (kStandard.contains(helper)) {
        m_helpers.insert(m_target == Target::Cpp ? QStringLiteral("cmath") : helper);
        const QString name = m_target != Target::Cpp          ? helper
                             : helper == QLatin1String("abs") ? QStringLiteral("std::fabs")
                                                              : QStringLiteral("std::") + helper;
        return Code{name + u'(' + arguments.join(QStringLiteral(", ")) + u')', kind, true};
    }
    m_helpers.insert(helper);
    return Code{helper + u'(' + arguments.join(QStringLiteral(", ")) + u')', kind, true};
}

Code FormulaTranslator::asNumber(const Code& code) {
    if (code.kind == ValueKind::Text) {
        return call(QStringLiteral("num"), {code.text}, ValueKind::Real);
    }
    if (code.kind == ValueKind::Bool && m_target == Target::Python) {
        return Code{QStringLiteral("int(") + code.text + u')', ValueKind::Int, true};
    }
    return code;
}

Code FormulaTranslator::asText(const Code& code) {
    if (code.kind == ValueKind::Text || m_target == Target::Pseudo) {
        return code;
    }
    if (code.kind == ValueKind::Array) {
        return call(QStringLiteral("array_text"), {code.text}, ValueKind::Text);
    }
    if (code.kind == ValueKind::Int) {
        return m_target == Target::Python
                   ? Code{QStringLiteral("str(") + code.text + u')', ValueKind::Text, true}
                   : Code{QStringLiteral("std::to_string(") + code.text + u')', ValueKind::Text,
                          true};
    }
    return call(QStringLiteral("fmt"), {code.text}, ValueKind::Text);
}

Code FormulaTranslator::asInteger(const Code& code) {
    if (code.kind == ValueKind::Int || code.kind == ValueKind::Bool || m_target == Target::Pseudo) {
        return code;
    }
    return call(QStringLiteral("to_int"), {asNumber(code).text}, ValueKind::Int);
}

Code FormulaTranslator::asTruth(const Code& code) {
    if (code.kind == ValueKind::Bool || m_target == Target::Pseudo) {
        return code;
    }
    return Code{wrapped(asNumber(code)) + QStringLiteral(" >= 1"), ValueKind::Bool, false};
}

Code FormulaTranslator::storedAs(const Code& code, ValueKind kind) {
    if (m_target == Target::Pseudo || code.kind == kind) {
        return code;
    }
    if (kind == ValueKind::Text) {
        return asText(code);
    }
    if (code.kind == ValueKind::Bool && m_target == Target::Python) {
        return asNumber(code);
    }
    if (code.kind == ValueKind::Text) {
        return kind == ValueKind::Int ? asInteger(code) : asNumber(code);
    }
    return code;
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
        if (m_target == Target::Pseudo) {
            return Code{text, ValueKind::Text, true};
        }
        return call(QStringLiteral("clock_text"),
                    {date ? QStringLiteral("1") : QStringLiteral("0"),
                     time ? QStringLiteral("1") : QStringLiteral("0")},
                    ValueKind::Text);
    }
    if (const Variable* v = m_variables.find(text)) {
        return Code{v->identifier, v->kind, true};
    }
    for (const Constant& c : kConstants) {
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
    if (!code || code->kind != ValueKind::Real || m_target == Target::Pseudo) {
        return code;
    }
    return call(QStringLiteral("rounded"), {code->text}, ValueKind::Real);
}

std::optional<Code> FormulaTranslator::binary(int op, const Code& left, const Code& right,
                                              bool literalDivisor) {
    const bool python = m_target == Target::Python;
    const bool pseudo = m_target == Target::Pseudo;
    auto infix = [&](const Code& a, const QString& sign, const Code& b, ValueKind kind) {
        return Code{wrapped(a) + u' ' + sign + u' ' + wrapped(b), kind, false};
    };
    switch (op) {
        case op::Plus:
        case op::Minus:
        case op::Times: {
            const Code a = asNumber(left);
            const Code b = asNumber(right);
            const QString sign = op == op::Plus    ? QStringLiteral("+")
                                 : op == op::Minus ? QStringLiteral("-")
                                                   : QStringLiteral("*");
            return infix(a, sign, b, joined(joined(a.kind, b.kind), ValueKind::Int));
        }
        case op::Divide: {
            const Code a = asNumber(left);
            const Code b = asNumber(right);
            if (pseudo || literalDivisor) {
                Code first = a;
                if (m_target == Target::Cpp && a.kind != ValueKind::Real &&
                    b.kind != ValueKind::Real) {
                    first = Code{QStringLiteral("static_cast<double>(") + a.text + u')',
                                 ValueKind::Real, true};
                }
                return infix(first, QStringLiteral("/"), b, ValueKind::Real);
            }
            return call(QStringLiteral("divide"), {a.text, b.text}, ValueKind::Real);
        }
        case op::Power: {
            const Code a = asNumber(left);
            const Code b = asNumber(right);
            if (python) {
                return infix(a, QStringLiteral("**"), b, ValueKind::Real);
            }
            if (pseudo) {
                return infix(a, QStringLiteral("^"), b, ValueKind::Real);
            }
            return Code{QStringLiteral("std::pow(") + a.text + QStringLiteral(", ") + b.text + u')',
                        ValueKind::Real, true};
        }
        case op::Div:
        case op::Mod: {
            const Code a = asInteger(left);
            const Code b = asInteger(right);
            if (pseudo) {
                return infix(a, op == op::Div ? QStringLiteral("div") : QStringLiteral("mod"), b,
                             ValueKind::Int);
            }
            if (m_target == Target::Cpp && literalDivisor) {
                return infix(a, op == op::Div ? QStringLiteral("/") : QStringLiteral("%"), b,
                             ValueKind::Int);
            }
            return call(op == op::Div ? QStringLiteral("whole_div") : QStringLiteral("mod"),
                        {a.text, b.text}, ValueKind::Int);
        }
        case op::Concat:
            return infix(asText(left), pseudo ? QStringLiteral("||") : QStringLiteral("+"),
                         asText(right), ValueKind::Text);
        case op::Like:
        case op::Wildcard: {
            const Code text = asText(left);
            const Code mask = asText(right);
            if (pseudo) {
                return infix(text,
                             op == op::Like ? QStringLiteral("like") : QStringLiteral("wildcard"),
                             mask, ValueKind::Bool);
            }
            // `like` writes SQL's % and _ for the mask's * and ?.
            return call(
                QStringLiteral("matches"),
                {text.text, mask.text, op == op::Like ? QStringLiteral("1") : QStringLiteral("0")},
                ValueKind::Bool);
        }
        case op::And:
        case op::Or: {
            QString sign = op == op::And ? QStringLiteral("and") : QStringLiteral("or");
            if (m_target == Target::Cpp) {
                sign = op == op::And ? QStringLiteral("&&") : QStringLiteral("||");
            }
            return infix(asTruth(left), sign, asTruth(right), ValueKind::Bool);
        }
        default:
            return fail(texts::CodegenUntranslatable, {m_formula, QString::number(op)});
    }
}

std::optional<Code> FormulaTranslator::comparison(int op, const Code& left, const Code& right) {
    static const char* const kSigns[] = {"==", "<", "<=", ">", ">=", "!="};
    static const char* const kPseudoSigns[] = {"=", "<", "<=", ">", ">=", "<>"};
    const int at = op - op::Equal;
    const QString sign = QLatin1String(m_target == Target::Pseudo ? kPseudoSigns[at] : kSigns[at]);
    const bool bothNumbers = isNumeric(left.kind) && isNumeric(right.kind);
    if (bothNumbers || m_target == Target::Pseudo) {
        return Code{wrapped(asNumber(left)) + u' ' + sign + u' ' + wrapped(asNumber(right)),
                    ValueKind::Bool, false};
    }
    const Code a = asText(left);
    const Code b = asText(right);
    if (op == op::Equal || op == op::NotEqual) {
        // The language compares the texts of values, character for character.
        return Code{wrapped(a) + u' ' + sign + u' ' + wrapped(b), ValueKind::Bool, false};
    }
    // Order compares numbers when both texts are numbers, else the texts themselves.
    return Code{call(QStringLiteral("compare"), {a.text, b.text}, ValueKind::Int).text + u' ' +
                    sign + QStringLiteral(" 0"),
                ValueKind::Bool, false};
}

std::optional<Code> FormulaTranslator::membership(const Code& value, const QString& set) {
    const QString inner = set.trimmed();
    if (!inner.startsWith(u'[') || !inner.endsWith(u']')) {
        return fail(texts::CodegenSetMisplaced, {set});
    }
    if (m_target == Target::Pseudo) {
        return Code{wrapped(value) + QStringLiteral(" in ") + commentText(m_target, inner),
                    ValueKind::Bool, false};
    }
    QStringList tests;
    for (QString element : inner.mid(1, inner.size() - 2).split(u',')) {
        element = element.trimmed();
        Code item;
        if (element.startsWith(u'"') && element.endsWith(u'"') && element.size() >= 2) {
            item = Code{textLiteral(element.mid(1, element.size() - 2)), ValueKind::Text, true};
        } else if (calc::parseNumber(element)) {
            item = *number(element);
        } else {
            item = Code{textLiteral(element), ValueKind::Text, true};
        }
        const std::optional<Code> test = comparison(op::Equal, value, item);
        tests << test->text;
    }
    const QString sign = m_target == Target::Cpp ? QStringLiteral(" || ") : QStringLiteral(" or ");
    return Code{tests.join(sign), ValueKind::Bool, tests.size() <= 1};
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
    // The arguments: a chain of `,` nodes grouped to the left, the first argument deepest.
    std::vector<int> nodes;
    int at = arguments;
    while (at >= 0 && parsed.nodes[static_cast<std::size_t>(at)].code == op::Comma) {
        nodes.insert(nodes.begin(), parsed.nodes[static_cast<std::size_t>(at)].right);
        at = parsed.nodes[static_cast<std::size_t>(at)].left;
    }
    if (at >= 0) {
        nodes.insert(nodes.begin(), at);
    }
    const QString kinds = QLatin1String(map->arguments);
    QStringList texts;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        std::optional<Code> argument = node(parsed, nodes[i]);
        if (!argument) {
            return std::nullopt;
        }
        const QChar want = kinds == QLatin1String("*") ? QChar(u'n')
                           : i < static_cast<std::size_t>(kinds.size())
                               ? kinds[static_cast<qsizetype>(i)]
                               : QChar(u't');
        if (m_target != Target::Pseudo) {
            argument = want == u't'   ? asText(*argument)
                       : want == u'i' ? asInteger(*argument)
                                      : asNumber(*argument);
        }
        if (kinds == QLatin1String("*") && m_target == Target::Cpp) {
            texts << QStringLiteral("double(") + argument->text + u')';
        } else {
            texts << argument->text;
        }
    }
    if (kinds != QLatin1String("*") && texts.size() > kinds.size()) {
        return fail(texts::CodegenTooManyArguments, {functionName(name)});
    }
    if (m_target == Target::Pseudo) {
        return Code{name + texts.join(QStringLiteral(", ")) + u')', map->result, true};
    }
    if (map->code == 226 && texts.size() == 2) {
        texts.insert(1, textLiteral(QStringLiteral(" ")));  // prefix(i, s): padded with blanks
    }
    if (QLatin1String(map->arguments) == QLatin1String("*") && m_target == Target::Cpp) {
        return call(QLatin1String(map->helper), {u'{' + texts.join(QStringLiteral(", ")) + u'}'},
                    map->result);
    }
    return call(QLatin1String(map->helper), texts, map->result);
}

}  // namespace trevalon::codegen

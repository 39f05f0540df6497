#include "calc/Evaluator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

#include "calc/Builtins.h"
#include "calc/CalcShared.h"
#include "calc/Mask.h"
#include "calc/TCalcul.h"
#include "calc/TextSearch.h"
#include "calc/Values.h"

namespace trevalon {

namespace {

const QString kOne = QStringLiteral("1");
const QString kZero = QStringLiteral("0");
const QString kMarker = QStringLiteral("[!!!]");

const QString& truth(bool value) {
    return value ? kOne : kZero;
}

// The result type a node sets from its code: 1 number, 2 text, 0 when it keeps what it had
// (literals, `like`, `wildcard`, `,` and `;`); a function's comes from its row in the function
// table. Names and `eval` set theirs while they are evaluated.
int typeOfCode(int code) {
    static_assert(YieldsNumber == TCalcul::TypeNumber && YieldsText == TCalcul::TypeText);
    switch (code) {
        case op::Plus:
        case op::Minus:
        case op::Times:
        case op::Divide:
        case op::Negate:
        case op::Power:
        case op::Div:
        case op::Mod:
        case op::In:
        case op::And:
        case op::Or:
        case op::Equal:
        case op::Less:
        case op::LessEqual:
        case op::Greater:
        case op::GreaterEqual:
        case op::NotEqual:
            return YieldsNumber;
        case op::Concat:
            return YieldsText;
        default:
            break;
    }
    const FunctionInfo* function = functionByCode(code);
    return function ? function->result : YieldsKept;
}

// Where x stands against y, as doubles: -1, 0 or 1. (The values are finite: the number paths
// refuse anything else.)
int compareNumbers(long double a, long double b) {
    const double x = static_cast<double>(a);
    const double y = static_cast<double>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

// Whether an ordering operator holds for a comparison's outcome (-1, 0 or 1).
bool orderHolds(int code, int order) {
    switch (code) {
        case op::Less:
            return order < 0;
        case op::LessEqual:
            return order <= 0;
        case op::Greater:
            return order > 0;
        default:
            return order >= 0;
    }
}

QString twoDigits(int value) {
    return QString::number(value).rightJustified(2, u'0');
}

}  // namespace

// Counts the recursion of evaluations, over nested Calculators too, and stops it with the
// generic error before it can exhaust the stack.
class Evaluator::DepthGuard {
public:
    explicit DepthGuard(Evaluator& evaluator) : m_shared(evaluator.m_shared) {
        m_exceeded = ++m_shared.depth > CalcShared::kMaxEvaluationDepth;
        if (m_exceeded) {
            evaluator.fail();
        }
    }
    ~DepthGuard() { --m_shared.depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    bool exceeded() const { return m_exceeded; }

private:
    CalcShared& m_shared;
    bool m_exceeded;
};

QString Evaluator::run(int& type, bool& stored) {
    m_nodeType = 0;
    m_rootStored = false;
    QString result = eval(m_formula.root);
    stored = m_rootStored;
    const int code = m_formula.nodes[static_cast<size_t>(m_formula.root)].code;
    type = typeOfCode(code);
    if (type == 0 && (code == op::Name || code == op::Eval)) {
        type = m_nodeType;
    }
    if (type == 0) {
        type = m_formula.typeGuess;
    }
    return result;
}

void Evaluator::raise(int number, const QString& detail) {
    m_calc.raiseError(number, detail);
}

long double Evaluator::number(const QString& text) {
    return m_calc.ToNumber(text);
}

qint32 Evaluator::integer(const QString& text) {
    return m_calc.ToInteger(text);
}

QString Evaluator::numberText(long double value) {
    if (!std::isfinite(value)) {
        fail();
        return QString();
    }
    return calc::formatNumber(value);
}

bool Evaluator::fitsTextLimit(qint64 length) {
    if (length > RunBudget::MaxTextLength) {
        m_calc.raiseMessage(m_calc.textTooLongError());
        return false;
    }
    return true;
}

const QString& Evaluator::language() const {
    return m_shared.language;
}

QDateTime Evaluator::now() const {
    return m_shared.now();
}

QString Evaluator::evaluateNested(const QString& formula, int& type, const ParsedFormula* parsed) {
    TCalcul& nested = m_calc.child();
    nested.m_quoteChar = m_calc.m_quoteChar;
    nested.m_formula = formula;
    QString result;
    const bool ok = parsed && parsed->quote == nested.m_quoteChar ? nested.run(*parsed, result)
                                                                  : nested.Evaluate(result);
    if (!ok) {
        m_calc.raiseMessage(nested.m_errorText);
        return QString();
    }
    type = nested.m_resultType;
    return result;
}

QString Evaluator::eval(int index) {
    if (failed() || index < 0) {
        if (!failed()) {
            raise(calc::ErrorMissingOperand);
        }
        return QString();
    }
    const DepthGuard guard(*this);
    if (guard.exceeded()) {
        return QString();
    }
    const ExprNode& node = m_formula.nodes[static_cast<size_t>(index)];
    if (node.numeric && node.code != op::Number && node.code != op::Name && shallowEnough(node)) {
        long double result = 0;
        if (pureResult(node, result)) {
            return counted(calc::formatNumber(result));
        }
    }
    return counted(evalByCode(node));
}

QString Evaluator::counted(QString result) {
    // A node costs a little whatever it yields; a text costs its characters, which some
    // operation went over to make it.
    constexpr qint64 kNodeWork = RunBudget::StepWork / 4;
    if (!budget().spend(kNodeWork + result.size()) && overBudget()) {
        return QString();
    }
    return result;
}

QString Evaluator::evalByCode(const ExprNode& node) {
    switch (node.code) {
        case op::Number:
        case op::Text:
            return node.text;
        case op::Name:
            return evalName(node);
        case op::Plus:
        case op::Minus:
        case op::Times:
            return evalArithmetic(node);
        case op::Divide:
            return evalDivide(node);
        case op::Negate:
            return evalNegate(node);
        case op::Power:
            return evalPower(node);
        case op::Div:
        case op::Mod:
            return evalIntegerDivision(node);
        case op::Concat:
            return evalConcat(node);
        case op::In:
            return evalIn(node);
        case op::And:
        case op::Or:
            return evalLogic(node);
        case op::Equal:
        case op::NotEqual:
            return evalEquality(node);
        case op::Less:
        case op::LessEqual:
        case op::Greater:
        case op::GreaterEqual:
            return evalOrdering(node);
        case op::Like:
        case op::Wildcard:
            return evalMask(node);
        case op::Comma:
            return evalComma(node);
        case op::Sequence:
            return evalSequence(node);
        default:
            break;
    }
    if (functionByCode(node.code)) {
        return evalFunction(node);
    }
    raise(calc::ErrorUnknownOperation, QString::number(node.code));
    return QString();
}

bool Evaluator::shallowEnough(const ExprNode& node) const {
    return m_shared.depth + node.height <= CalcShared::kMaxEvaluationDepth;
}

bool Evaluator::pureOperatorNumber(const ExprNode& node, long double& value) {
    long double result = 0;
    if (!pureResult(node, result)) {
        return false;
    }
    const std::optional<long double> read = calc::throughText(result);
    value = read.value_or(0);
    return read.has_value();
}

bool Evaluator::pureAggregate(int index, bool larger, bool& first, double& extreme) {
    const ExprNode& node = m_formula.nodes[static_cast<size_t>(index)];
    if (node.code == op::Comma) {
        // The arguments in their written order, as the argument stack hands them over.
        return pureAggregate(node.left, larger, first, extreme) &&
               pureAggregate(node.right, larger, first, extreme);
    }
    long double value = 0;
    if (!pureNumber(index, value)) {
        return false;
    }
    const double x = static_cast<double>(value);
    extreme = first ? x : (larger ? std::max(extreme, x) : std::min(extreme, x));
    first = false;
    return true;
}

bool Evaluator::pureText(int index, QStringView& text) {
    const ExprNode& node = m_formula.nodes[static_cast<size_t>(index)];
    if (node.code == op::Number) {
        text = node.text;
        return true;
    }
    const int slot = slotOf(node.key, node.keyGeneration, node.keySlot);
    if (node.code != op::Name || slot < 0) {
        return false;
    }
    // What evalStoredName gives, read where it lies.
    text = calc::storedValueText(store().valueAt(slot), quote());
    return true;
}

bool Evaluator::pureResult(const ExprNode& node, long double& result) {
    long double a = 0;
    long double b = 0;
    switch (node.code) {
        case op::Plus:
        case op::Minus:
        case op::Times:
            if (!pureNumber(node.left, a) || !pureNumber(node.right, b)) {
                return false;
            }
            result = node.code == op::Plus ? a + b : (node.code == op::Minus ? a - b : a * b);
            break;
        case op::Divide:
            // The divisor first, and a divisor of about zero gives 0 without the dividend.
            if (!pureNumber(node.right, b)) {
                return false;
            }
            if (std::fabs(b) < 1e-8L) {
                result = 0;
                return true;
            }
            if (!pureNumber(node.left, a)) {
                return false;
            }
            result = a / b;
            break;
        case op::Negate:
            if (!pureNumber(node.left, a)) {
                return false;
            }
            result = -a;
            break;
        case op::Less:
        case op::LessEqual:
        case op::Greater:
        case op::GreaterEqual: {
            if (!pureNumber(node.left, a) || !pureNumber(node.right, b)) {
                return false;
            }
            result = orderHolds(node.code, compareNumbers(a, b)) ? 1 : 0;
            return true;
        }
        case op::MaxVal:
        case op::MinVal: {
            bool first = true;
            double extreme = 0;
            if (!pureAggregate(node.left, node.code == op::MaxVal, first, extreme)) {
                return false;
            }
            result = extreme;
            break;
        }
        case op::Equal:
        case op::NotEqual: {
            QStringView left;
            QStringView right;
            if (!pureText(node.left, left) || !pureText(node.right, right)) {
                return false;
            }
            result = (left == right) == (node.code == op::Equal) ? 1 : 0;
            return true;
        }
        default:
            return false;
    }
    return std::isfinite(result);
}

bool Evaluator::runNumberAssignment(QString& value, int& kind, bool wantResult) {
    if (!m_direct || m_formula.root < 0 || m_shared.depth >= CalcShared::kMaxEvaluationDepth) {
        return false;
    }
    const ExprNode& root = m_formula.nodes[static_cast<size_t>(m_formula.root)];
    if (root.code != op::Name || root.capture < 0 ||
        root.capture >= static_cast<int>(m_formula.captures.size())) {
        return false;
    }
    // The levels `run` would count: the assignment's name, then the captured formula.
    const DepthGuard guard(*this);
    return assignNumber(root, m_formula.captures[static_cast<size_t>(root.capture)].parsed.get(),
                        value, &kind, wantResult);
}

bool Evaluator::orderNumbers(bool& holds) {
    if (m_formula.root < 0) {
        return false;
    }
    const ExprNode& node = m_formula.nodes[static_cast<size_t>(m_formula.root)];
    if (!op::isOrdering(node.code) || node.left < 0 || node.right < 0) {
        return false;
    }
    if (m_shared.depth >= CalcShared::kMaxEvaluationDepth) {
        return false;
    }
    // The level `run` would count for the ordering itself.
    const DepthGuard guard(*this);
    if (!shallowEnough(node)) {
        return false;
    }
    const ExprNode& leftNode = m_formula.nodes[static_cast<size_t>(node.left)];
    const ExprNode& rightNode = m_formula.nodes[static_cast<size_t>(node.right)];
    long double a = 0;
    long double b = 0;
    if (!leftNode.numeric || !rightNode.numeric || !pureNumber(node.left, a) ||
        !pureNumber(node.right, b)) {
        return false;
    }
    holds = orderHolds(node.code, compareNumbers(a, b));
    return true;
}

bool Evaluator::assignNumber(const ExprNode& node, const ParsedFormula* parsed, QString& result,
                             int* kind, bool wantResult) {
    if (!parsed || parsed->quote != quote() || parsed->errorNumber != 0 ||
        !parsed->captures.empty() || parsed->root < 0) {
        return false;
    }
    const ExprNode& root = parsed->nodes[static_cast<size_t>(parsed->root)];
    // Only an operator's result is a number whatever the formula's text holds.
    if (!root.numeric || root.code == op::Number || root.code == op::Name || !shallowEnough(root)) {
        return false;
    }
    long double value = 0;
    if (!Evaluator(m_calc, *parsed).pureResult(root, value)) {
        return false;
    }
    if (m_direct) {
        store().passTemporarySlot();
    } else {
        store().removeUpper(node.key);
    }
    m_nodeType = TCalcul::TypeNumber;
    const int slot = slotOf(node.assignedKey, node.assignedGeneration, node.assignedSlot);
    qint64 whole = 0;
    bool isWhole = false;
    if (slot >= 0) {
        isWhole = store().setNumberAt(slot, value, quote(), whole);
        if (wantResult || !isWhole) {
            result = store().valueAt(slot);
        }
    } else {
        isWhole = calc::asWholeNumber(value, whole);
        result = calc::formatNumber(value);
        store().setUpper(node.assignedKey, result);
    }
    if (kind) {
        // A whole number's text is digits alone: a truth value when it is 0 or 1.
        if (isWhole) {
            *kind = whole == 0 || whole == 1 ? TCalcul::KindLogical : TCalcul::KindInteger;
        } else {
            *kind = calc::classify(result);
        }
    }
    return true;
}

bool Evaluator::appendInPlace(const ExprNode& node, const ParsedFormula& parsed, QString& result) {
    const QChar q = quote();
    if (parsed.quote != q || q.unicode() <= 32 || parsed.errorNumber != 0 ||
        !parsed.captures.empty() || parsed.root < 0) {
        return false;
    }
    const ExprNode& concat = parsed.nodes[static_cast<size_t>(parsed.root)];
    if (concat.code != op::Concat || concat.left < 0 || concat.right < 0) {
        return false;
    }
    const ExprNode& left = parsed.nodes[static_cast<size_t>(concat.left)];
    if (left.code != op::Name || left.capture >= 0 || left.text.isEmpty() ||
        left.text.front() == u'[' || left.text.front() == u'_' || left.key != node.assignedKey) {
        return false;
    }
    const int slot = slotOf(node.assignedKey, node.assignedGeneration, node.assignedSlot);
    if (slot < 0) {
        return false;
    }
    {
        const QString& before = store().valueAt(slot);
        if (before.size() < 2 || before.front() != q || before.back() != q) {
            return false;
        }
    }
    // As evaluateNested would: the nested Calculator runs the right-hand side, under the level
    // of the `||` itself. A direct assignment's right-hand side cannot change the store
    // (ParsedFormula::directAssignment), so NAME reads the same after it as before.
    TCalcul& nested = m_calc.child();
    nested.m_quoteChar = q;
    nested.m_argumentStack.clear();
    nested.clearError();
    Evaluator inner(nested, parsed);
    QString right;
    try {
        const DepthGuard guard(inner);
        if (!guard.exceeded()) {
            right = inner.eval(concat.right);
        }
        if (!nested.m_errorFlag) {
            inner.fitsTextLimit(store().valueAt(slot).size() - 2 + right.size());
        }
    } catch (const std::bad_alloc&) {
        budget().refusedMemory();
        nested.raiseMessage(nested.budgetError());
    } catch (const std::exception&) {
        nested.raiseError(calc::ErrorInvalidFormula);
    }
    nested.m_argumentStack.clear();
    store().passTemporarySlot();
    if (nested.m_errorFlag) {
        m_calc.raiseMessage(nested.m_errorText);
        result.clear();
        return true;
    }
    nested.m_resultType = TCalcul::TypeText;
    m_nodeType = TCalcul::TypeText;
    // The joined text in its quotes, as TCalcul::run stores every text result. (The slot is
    // looked at again: passing the temporary slot may have moved the values.)
    store().editValueAt(slot, [&](QString& text) {
        text.chop(1);
        text += right;
        text += q;
        result = text;
    });
    return true;
}

// Lookup order: set literals, the `_` constants, captured assignments, the store.
QString Evaluator::evalName(const ExprNode& node) {
    const QString& name = node.text;
    const QChar first = name.isEmpty() ? QChar() : name.front();
    if (first == u'[') {
        return calc::trimmed(name);
    }
    if (first == u'_') {
        return evalConstant(node);
    }
    if (node.capture >= 0 &&
        (m_direct || slotOf(node.key, node.keyGeneration, node.keySlot) >= 0)) {
        return evalAssignment(node);
    }
    return evalStoredName(node);
}

QString Evaluator::evalConstant(const ExprNode& node) {
    const QString& name = node.text;
    m_nodeType = TCalcul::TypeText;
    if (name == u"_LF") {
        return QStringLiteral("\r\n");
    }
    if (name == u"_TB") {
        return QStringLiteral("\t");
    }
    if (name == u"_PI") {
        m_nodeType = TCalcul::TypeNumber;
        return QStringLiteral("3.14159265");
    }
    const bool date = name == u"_DATE" || name == u"_NOW";
    const bool time = name == u"_TIME" || name == u"_NOW";
    if (!date && !time) {
        raise(calc::ErrorUnknownVariable, name);
        return QString();
    }
    const QDateTime moment = now();
    QString text;
    if (date) {
        const QDate day = moment.date();
        text = QString::number(day.year()).rightJustified(4, u'0') + u'/' + twoDigits(day.month()) +
               u'/' + twoDigits(day.day());
    }
    if (time) {
        const QTime clock = moment.time();
        if (date) {
            text += u' ';
        }
        text += twoDigits(clock.hour()) + u':' + twoDigits(clock.minute()) + u':' +
                twoDigits(clock.second()) + u'.' +
                QString::number(clock.msec()).rightJustified(3, u'0');
    }
    return text;
}

// A name captured from "NAME:=formula": evaluates the captured formula, stores the result under
// NAME and forgets the capture.
QString Evaluator::evalAssignment(const ExprNode& node) {
    const auto& captures = m_formula.captures;
    const Capture* capture = node.capture < static_cast<int>(captures.size())
                                 ? &captures[static_cast<size_t>(node.capture)]
                                 : nullptr;
    QString formula;
    const ParsedFormula* parsed = nullptr;
    if (m_direct) {
        formula = capture->formula;
        parsed = capture->parsed.get();
    } else {
        const QString stored = store().valueAt(node.keySlot);
        if (capture && stored == capture->stored) {
            formula = capture->formula;
            parsed = capture->parsed.get();
        } else {
            QStringView inner(stored);
            if (inner.startsWith(u'[')) {
                inner = inner.mid(1);
            }
            if (inner.endsWith(u']')) {
                inner.chop(1);
            }
            formula = calc::trimmed(inner.toString());
        }
    }
    QString stored;
    if (assignNumber(node, parsed, stored) ||
        (m_direct && parsed && appendInPlace(node, *parsed, stored))) {
        return handedOn(node, stored, m_nodeType);
    }
    int type = 0;
    const QString result = evaluateNested(formula, type, parsed);
    if (m_direct) {
        store().passTemporarySlot();
    } else {
        store().removeUpper(node.key);
    }
    if (failed()) {
        // A failed assignment leaves the variable as it was.
        return QString();
    }
    m_nodeType = type;
    const int slot = slotOf(node.assignedKey, node.assignedGeneration, node.assignedSlot);
    if (slot >= 0) {
        store().setValueAt(slot, result);
    } else {
        store().setUpper(node.assignedKey, result);
    }
    return handedOn(node, result, type);
}

QString Evaluator::handedOn(const ExprNode& node, const QString& stored, int type) {
    if (&node == &m_formula.nodes[static_cast<size_t>(m_formula.root)]) {
        m_rootStored = true;
        return stored;
    }
    return type == TCalcul::TypeText ? calc::storedValueText(stored, quote()).toString() : stored;
}

QString Evaluator::evalStoredName(const ExprNode& node) {
    const int slot = slotOf(node.key, node.keyGeneration, node.keySlot);
    if (slot < 0) {
        raise(calc::ErrorUnknownVariable, node.text);
        return QString();
    }
    // The same reading as TText::numberAt's, so a name reads alike on both paths.
    const QString& stored = store().valueAt(slot);
    bool isText = false;
    const QStringView value = calc::storedValueText(stored, quote(), &isText);
    m_nodeType = isText ? TCalcul::TypeText : TCalcul::TypeNumber;
    return value.size() == stored.size() ? stored : value.toString();
}

QString Evaluator::evalArithmetic(const ExprNode& node) {
    const QString left = eval(node.left);
    const QString right = eval(node.right);
    if (failed()) {
        return QString();
    }
    const long double a = number(left);
    const long double b = number(right);
    if (failed()) {
        return QString();
    }
    switch (node.code) {
        case op::Plus:
            return numberText(a + b);
        case op::Minus:
            return numberText(a - b);
        default:
            return numberText(a * b);
    }
}

QString Evaluator::evalDivide(const ExprNode& node) {
    const QString right = eval(node.right);
    if (failed()) {
        return QString();
    }
    const long double divisor = number(right);
    if (failed()) {
        return QString();
    }
    if (std::fabs(divisor) < 1e-8L) {
        return kZero;
    }
    const long double dividend = number(eval(node.left));
    if (failed()) {
        return QString();
    }
    return numberText(dividend / divisor);
}

QString Evaluator::evalNegate(const ExprNode& node) {
    const QString operand = eval(node.left);
    if (failed()) {
        return QString();
    }
    const long double value = number(operand);
    return failed() ? QString() : numberText(-value);
}

QString Evaluator::evalPower(const ExprNode& node) {
    const QString baseText = eval(node.left);
    const QString exponentText = eval(node.right);
    if (failed()) {
        return QString();
    }
    const long double base = number(baseText);
    const long double exponent = number(exponentText);
    if (failed()) {
        return QString();
    }
    // Repeated multiplication for the small integral exponents pupils write; the library
    // power for large ones, which repeated multiplication would take too long to reach.
    constexpr long double kRepeatLimit = 64;
    long double result = 1;
    if (exponent == 0) {
        result = 1;
    } else if (base == 0 && exponent > 0) {
        result = 0;
    } else if (exponent == std::trunc(exponent)) {
        const long double times = std::fabs(exponent);
        if (times <= kRepeatLimit) {
            for (int i = 0; i < static_cast<int>(times); ++i) {
                result *= base;
            }
        } else {
            result = std::pow(base, times);
        }
        if (exponent < 0) {
            if (result == 0) {
                fail();
                return QString();
            }
            result = 1 / result;
        }
    } else {
        if (base <= 0) {
            fail();
            return QString();
        }
        result = std::exp(exponent * std::log(base));
    }
    return numberText(result);
}

QString Evaluator::evalIntegerDivision(const ExprNode& node) {
    if (node.code == op::Div) {
        const qint64 divisor = integer(eval(node.right));
        if (failed()) {
            return QString();
        }
        if (divisor == 0) {
            return kZero;
        }
        const qint64 dividend = integer(eval(node.left));
        return failed() ? QString() : calc::integerText(dividend / divisor);
    }
    const qint64 dividend = integer(eval(node.left));
    const qint64 divisor = integer(eval(node.right));
    if (failed()) {
        return QString();
    }
    if (divisor == 0) {
        fail();
        return QString();
    }
    return calc::integerText(dividend % divisor);
}

QString Evaluator::evalConcat(const ExprNode& node) {
    const QString right = eval(node.right);
    const RunBudget::Held held(budget(), 2 * right.size());
    const QString left = eval(node.left);
    if (failed() || !fitsTextLimit(left.size() + right.size())) {
        return QString();
    }
    return left + right;
}

// `value in [a, b, c]`: the elements are compared as written, never evaluated.
QString Evaluator::evalIn(const ExprNode& node) {
    QString value = eval(node.left);
    const RunBudget::Held held(budget(), 2 * value.size());
    const QString setText = eval(node.right);
    if (failed()) {
        return QString();
    }
    QString set = calc::trimmed(setText);
    if (set.size() < 2 || !set.startsWith(u'[') || !set.endsWith(u']')) {
        raise(calc::ErrorNotASet);
        return QString();
    }
    set[0] = u',';
    set[set.size() - 1] = u',';
    if (value.endsWith(u".0")) {
        value.chop(2);
    } else if (value.endsWith(u".00")) {
        value.chop(3);
    }
    const QChar q = quote();
    set.replace(QStringLiteral(" ,"), QStringLiteral(","));
    set.replace(QStringLiteral(", "), QStringLiteral(","));
    set.replace(QString(u',') + q, QStringLiteral(","));
    set.replace(QString(q) + u',', QStringLiteral(","));
    set.replace(QStringLiteral(".0,"), QStringLiteral(","));
    set.replace(QStringLiteral(".00,"), QStringLiteral(","));
    const QString sought = u',' + value + u',';
    const bool found = TextSearch(sought, Qt::CaseSensitive, budget()).indexIn(set) >= 0;
    return overBudget() ? QString() : truth(found);
}

QString Evaluator::evalLogic(const ExprNode& node) {
    const bool left = number(eval(node.left)) >= 1;
    if (failed()) {
        return QString();
    }
    if (node.code == op::And && !left) {
        return kZero;
    }
    if (node.code == op::Or && left) {
        return kOne;
    }
    const bool right = number(eval(node.right)) >= 1;
    return failed() ? QString() : truth(right);
}

QString Evaluator::evalEquality(const ExprNode& node) {
    const QString left = eval(node.left);
    const RunBudget::Held held(budget(), 2 * left.size());
    const QString right = eval(node.right);
    if (failed()) {
        return QString();
    }
    return truth((left == right) == (node.code == op::Equal));
}

// Numbers compare as numbers (double precision), anything else as texts by the locale's
// collation (eval() has already tried the numbers-only path for a numeric node). Each side is
// evaluated once: evaluating them again for the text comparison would only repeat their random
// draws, and it made a chain such as 1e88888<=1e88888<=… cost twice as much with every term.
QString Evaluator::evalOrdering(const ExprNode& node) {
    const QString left = eval(node.left);
    const QString right = eval(node.right);
    if (failed()) {
        return QString();
    }
    const std::optional<long double> a = calc::parseNumber(left);
    const std::optional<long double> b = calc::parseNumber(right);
    const int order =
        a && b ? compareNumbers(*a, *b) : m_shared.textCollator().compare(left, right);
    return truth(orderHolds(node.code, order));
}

QString Evaluator::evalMask(const ExprNode& node) {
    QString pattern = eval(node.right);
    if (node.code == op::Like) {
        pattern.replace(u'%', u'*');
        pattern.replace(u'_', u'?');
    }
    const RunBudget::Held held(budget(), 2 * pattern.size());
    const QString text = eval(node.left);
    if (failed()) {
        return QString();
    }
    const std::optional<bool> matches = calc::matchesMask(text, pattern, &budget());
    if (overBudget()) {
        return QString();
    }
    if (!matches) {
        fail();
        return QString();
    }
    return truth(*matches);
}

bool Evaluator::insertArgument(const QString& value) {
    QStringList& stack = m_calc.m_argumentStack;
    if (stack.size() < 2) {
        fail();
        return false;
    }
    stack.insert(stack.size() - 2, value);
    return true;
}

QString Evaluator::evalComma(const ExprNode& node) {
    const QString right = eval(node.right);
    if (failed() || !insertArgument(right)) {
        return QString();
    }
    // The argument waits on the stack while those before it are computed.
    const RunBudget::Held held(budget(), 2 * right.size());
    return eval(node.left);
}

QString Evaluator::evalSequence(const ExprNode& node) {
    eval(node.left);
    return eval(node.right);
}

QString Evaluator::evalFunction(const ExprNode& node) {
    // evalByCode calls this only for a code in the function table.
    const FunctionInfo& function = *functionByCode(node.code);
    if (function.usesArgumentStack()) {
        return evalWithArguments(node);
    }
    if (node.code == op::Eval) {
        return evalEval(node);
    }
    if (node.code == op::FreeVar) {
        return evalFreeVar(node);
    }
    const QString argument = eval(node.left);
    if (failed()) {
        return QString();
    }
    return function.one(*this, argument);
}

// Functions of several arguments: their code and a frame marker go onto the argument stack,
// each `,` of the argument chain slips its right-hand argument in below them, and the function
// reads its code back and takes the arguments off, first argument first.
QString Evaluator::evalWithArguments(const ExprNode& node) {
    // The codes' texts are made once: a function call costs no allocation for them.
    static const auto kCodeTexts = [] {
        std::array<QString, op::kCodeCount> texts;
        for (int code = 0; code < op::kCodeCount; ++code) {
            texts[static_cast<size_t>(code)] = QString::number(code);
        }
        return texts;
    }();
    QStringList& stack = m_calc.m_argumentStack;
    stack.append(node.code >= 0 && node.code < op::kCodeCount
                     ? kCodeTexts[static_cast<size_t>(node.code)]
                     : QString::number(node.code));
    stack.append(kMarker);
    const QString first = eval(node.left);
    if (failed() || !insertArgument(first)) {
        return QString();
    }
    bool isNumber = false;
    const int code = stack[stack.size() - 2].toInt(&isNumber);
    const FunctionInfo* function = isNumber ? functionByCode(code) : nullptr;
    if (!function || !function->usesArgumentStack()) {
        raise(calc::ErrorFunctionArguments);
        return QString();
    }
    stack.resize(stack.size() - 2);
    QStringList arguments;
    const bool aggregate = function->aggregate;
    constexpr int kMaxArguments = 5;
    arguments.reserve(kMaxArguments);
    while (!stack.isEmpty() && stack.last() != kMarker &&
           (aggregate || arguments.size() < kMaxArguments)) {
        arguments.append(aggregate ? stack.takeLast() : calc::trimmed(stack.takeLast()));
    }
    if (arguments.size() < std::max(1, function->minArguments)) {
        raise(calc::ErrorTooFewArguments);
        return QString();
    }
    return function->many(*this, arguments);
}

QString Evaluator::evalEval(const ExprNode& node) {
    QString formula = calc::trimmed(eval(node.left));
    if (failed()) {
        return QString();
    }
    if (formula.size() >= 2 && formula.startsWith(u'[') && formula.endsWith(u']')) {
        formula = calc::trimmed(formula.mid(1, formula.size() - 2));
    }
    int type = 0;
    const QString result = evaluateNested(formula, type);
    if (failed()) {
        return QString();
    }
    m_nodeType = type;
    return handedOn(node, result, type);
}

QString Evaluator::evalFreeVar(const ExprNode& node) {
    const QString name = eval(node.left);
    if (failed() || !store().exists(name)) {
        return failed() ? QString() : kZero;
    }
    // The argument is evaluated once more before the variable goes, as `freevar` always has:
    // an argument with an effect (an assignment inside `eval`) has it twice, and the work
    // budget counts both. Formulas written against that keep their results.
    eval(node.left);
    store().remove(name);
    return failed() ? QString() : kOne;
}

}  // namespace trevalon

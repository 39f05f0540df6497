#include "calc/TCalcul.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <utility>

#include "calc/CalcShared.h"
#include "calc/Evaluator.h"
#include "calc/Lexer.h"
#include "calc/Parser.h"
#include "calc/Values.h"
#include "config/TextTable.h"

namespace trevalon {

namespace {

// Formulas longer than this are parsed afresh each time instead of filling the cache.
constexpr qsizetype kLongestCachedFormula = 4096;

}  // namespace

TCalcul::TCalcul()
    : m_ownShared(std::make_unique<CalcShared>()),
      m_shared(m_ownShared.get()),
      m_budget(&m_shared->budget),
      m_store(&m_ownStore) {
    m_ownStore.setBudget(m_budget);
    m_budget->watchValues(&m_ownStore.keptBytes());
}

TCalcul::TCalcul(TCalcul& parent)
    : m_shared(parent.m_shared), m_budget(parent.m_budget), m_store(parent.m_store) {}

TCalcul::~TCalcul() = default;

TCalcul& TCalcul::child() {
    if (!m_child) {
        m_child.reset(new TCalcul(*this));
    }
    return *m_child;
}

const QString& TCalcul::language() const {
    return m_shared->language;
}

QString TCalcul::budgetError() const {
    const RunBudget& spent = budget();
    switch (spent.over()) {
        case RunBudget::Over::Memory:
            if (spent.overOutput()) {
                return TextTable::text(texts::RunMemoryOutput, language())
                    .arg(spent.memoryLimit() >> 20);
            }
            return TextTable::text(texts::RunMemoryValues, language())
                .arg(spent.memoryLimit() >> 20);
        case RunBudget::Over::OutOfMemory:
            return TextTable::text(texts::RunOutOfMemory, language());
        case RunBudget::Over::Time:
            return TextTable::text(texts::RunTimeOver, language())
                .arg(spent.timeLimit().value_or(0));
        case RunBudget::Over::Stopped:
            return TextTable::text(texts::RunStopped, language());
        case RunBudget::Over::Nothing:
            break;
    }
    return QString();
}

QString TCalcul::textTooLongError() const {
    return TextTable::text(texts::RunTextTooLong, language()).arg(RunBudget::MaxTextLength);
}

bool TCalcul::raiseWhenOverBudget() {
    const bool over = budget().over() != RunBudget::Over::Nothing;
    if (over) {
        raiseMessage(budgetError());
    }
    return over;
}

void TCalcul::setLanguage(const QString& language) {
    m_shared->language = language;
}

void TCalcul::setClock(Clock clock) {
    m_shared->clock = std::move(clock);
}

std::shared_ptr<const ParsedFormula> TCalcul::parsedFormula() {
    // A run evaluates the same few formulas over and over: they are checked before the cache.
    // Hits leave the entries where they are; reordering them cost more than the search.
    // Callers hand over the same text object each time, so the texts' data are compared
    // before their characters.
    for (RecentParse& recent : m_recent) {
        if (recent.formula.constData() == m_formula.constData() &&
            recent.formula.size() == m_formula.size() && recent.parsed &&
            recent.parsed->quote == m_quoteChar) {
            return recent.parsed;
        }
    }
    for (RecentParse& recent : m_recent) {
        if (recent.parsed && recent.parsed->quote == m_quoteChar && recent.formula == m_formula) {
            // The same text in another object (the check made its own): from now on the
            // caller's object is found at the first glance.
            recent.formula = m_formula;
            return recent.parsed;
        }
    }
    std::shared_ptr<const ParsedFormula> parsed;
    const auto cached = m_shared->cache.constFind(m_formula);
    if (cached != m_shared->cache.cend() && (*cached)->quote == m_quoteChar) {
        parsed = *cached;
    } else {
        parsed = parseFormula(m_formula, m_quoteChar);
        if (m_formula.size() <= kLongestCachedFormula) {
            if (m_shared->cache.size() >= CalcShared::kCacheLimit) {
                m_shared->cache.clear();
            }
            m_shared->cache.insert(m_formula, parsed);
        }
    }
    if (m_formula.size() <= kLongestCachedFormula) {
        m_recent[m_nextRecent] = {m_formula, parsed};
        m_nextRecent = (m_nextRecent + 1) % m_recent.size();
    }
    return parsed;
}

bool TCalcul::Evaluate(QString& result) {
    std::shared_ptr<const ParsedFormula> parsed;
    try {
        parsed = parsedFormula();
    } catch (const std::exception& failure) {
        m_argumentStack.clear();
        clearError();
        if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) {
            budget().refusedMemory();
            raiseMessage(budgetError());
        } else {
            raiseError(calc::ErrorInvalidFormula);
        }
        m_resultKind = KindText;
        return false;
    }
    return run(*parsed, result);
}

PreparedFormula TCalcul::prepare(const QString& formula) const {
    PreparedFormula prepared{formula, nullptr};
    try {
        prepared.parsed = parseFormula(formula, m_quoteChar);
    } catch (const std::exception&) {
        // Evaluating it goes the general way, which reports the failure.
    }
    return prepared;
}

bool TCalcul::Evaluate(const PreparedFormula& prepared, QString& result, bool wantResult) {
    m_formula = prepared.text;
    if (!prepared.parsed || prepared.parsed->quote != m_quoteChar) {
        return Evaluate(result);
    }
    return run(*prepared.parsed, result, wantResult);
}

bool TCalcul::assignNumber(const PreparedFormula& prepared) {
    const ParsedFormula* parsed = prepared.parsed.get();
    if (!parsed || parsed->quote != m_quoteChar || !parsed->directAssignment ||
        parsed->errorNumber != 0 || m_store->capturedEntries() != 0) {
        return false;
    }
    m_argumentStack.clear();
    clearError();
    QString value;
    int kind = KindInteger;
    if (!Evaluator(*this, *parsed, true).runNumberAssignment(value, kind, false)) {
        return false;
    }
    m_formula = prepared.text;
    m_resultType = TypeNumber;
    m_resultKind = kind;
    return true;
}

bool TCalcul::orderNumbers(const PreparedFormula& prepared, bool& holds) {
    const ParsedFormula* parsed = prepared.parsed.get();
    if (!parsed || parsed->quote != m_quoteChar || parsed->errorNumber != 0 ||
        !parsed->captures.empty()) {
        return false;
    }
    m_argumentStack.clear();
    clearError();
    if (!Evaluator(*this, *parsed).orderNumbers(holds)) {
        return false;
    }
    m_formula = prepared.text;
    m_resultType = TypeNumber;
    m_resultKind = KindLogical;
    return true;
}

bool TCalcul::run(const ParsedFormula& parsed, QString& result, bool wantResult) {
    m_argumentStack.clear();
    clearError();
    budget().settleOutsideRun();
    QString value;
    bool stored = false;
    try {
        // A lone assignment need not pass through the store's captured entries (see
        // ParsedFormula::directAssignment), unless such entries are about already.
        const bool direct = parsed.directAssignment && m_store->capturedEntries() == 0;
        if (!direct) {
            // The scanner hands captured assignments to the store as it meets them, also when
            // the parse fails later on.
            for (const Capture& capture : parsed.captures) {
                m_store->setUpper(capture.key, capture.stored);
            }
        }
        if (parsed.errorNumber != 0) {
            raiseError(parsed.errorNumber, parsed.errorDetail);
        } else {
            // A counter or a sum: no texts between the operands and the stored result.
            int kind = KindInteger;
            if (direct &&
                Evaluator(*this, parsed, true).runNumberAssignment(value, kind, wantResult)) {
                m_resultType = TypeNumber;
                m_resultKind = kind;
                result = std::move(value);
                return true;
            }
            Evaluator evaluator(*this, parsed, direct);
            int type = TypeNumber;
            value = evaluator.run(type, stored);
            if (!m_errorFlag) {
                m_resultType = type;
            }
        }
    } catch (const std::bad_alloc&) {
        // Running out of memory on a pupil's formula is that formula's failure, and the run's.
        budget().refusedMemory();
        raiseMessage(budgetError());
    } catch (const std::exception&) {
        raiseError(calc::ErrorInvalidFormula);
    }
    m_argumentStack.clear();
    m_resultKind = Classify(value);
    if (m_errorFlag) {
        return false;
    }
    // A text result goes out in quotes, also one that begins and ends with a quote of its own
    // ("""a""" is the three characters "a"); only a value handed on as the store holds it has
    // its quotes already.
    if (m_resultType == TypeText && !stored) {
        value = m_quoteChar + value + m_quoteChar;
    }
    result = std::move(value);
    return true;
}

QString TCalcul::evaluate(const QString& formula) {
    setFormula(formula);
    QString result;
    Evaluate(result);
    return result;
}

void TCalcul::LoadVariables(const QString& list) {
    m_store->clear();
    for (QStringView line : QStringView(list).split(u'\n')) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0) {
            m_store->set(line.left(equals).toString(), line.mid(equals + 1).toString());
        }
    }
}

QString TCalcul::ListVariables() const {
    QString list;
    m_store->forEach([&list](const QString& name, const QString& value) {
        list += name + u'=' + value + QStringLiteral("\r\n");
    });
    return list;
}

QString TCalcul::ErrorMessage(int number) const {
    return ErrorMessage(number, language());
}

QString TCalcul::ErrorMessage(int number, const QString& language) {
    struct Message {
        int number;
        const char16_t* polish;
        const char16_t* english;
    };
    static const Message kMessages[] = {
        {calc::ErrorDoesNotExist, u"nie istnieje ", u"no exists"},
        {calc::ErrorNotANumber, u"Nie można przekonwertować na wartość liczbową: ",
         u"Error, convert to numeric value: "},
        {calc::ErrorInvalidFormula, u"Nieprawidłowy wzór (..) ", u"Invalid formula (..)"},
        {calc::ErrorUnknownVariable, u"Nieznana zmienna: ", u"Unknown variable: "},
        {calc::ErrorFunctionArguments, u"Błąd wewnętrzny, funkcja z parametrem.",
         u"Internal error, function with params."},
        {calc::ErrorTooFewArguments, u"Brak wystarczającej liczby parametrów. ",
         u"Not enough params."},
        {calc::ErrorNotASet, u"Nieprawidłowy parametr w [..] ",
         u"Invalid parameter for operation in [..]"},
        {calc::ErrorUnknownOperation, u"Błąd wewnętrzny - kod błędu ",
         u"Internal error oper code "},
        {calc::ErrorMalformedNumber, u"Błędna dana w ", u"Wrong number in "},
        {calc::ErrorUnclosedText, u"Oczekiwana liczba a jest wartość tekstowa",
         u"String value end error"},
        {calc::ErrorUnclosedSet, u"Nieprawidłowy zestaw parametrów [..] ",
         u"Invalid set parameter [..]"},
        {calc::ErrorInvalidVariableName, u"Nieprawidłowy nazwa zmiennej ",
         u"Invalid varaible name "},
        {calc::ErrorUnknownFunction, u"Nieprawidłowa funkcja ", u"Invalid function "},
        {calc::ErrorMissingOperand, u"brak argumentu ", u"? operand "},
        {calc::ErrorInvalidValues, u"Nieprawidłowe wartości ", u"Invalid values"},
        {calc::ErrorInvalidExpression, u"Nieprawidłowe wyrażenie ", u"Invalid expression"},
    };
    const bool polish = language == u"pl";
    if (!polish && language != u"ang") {
        return QString();
    }
    for (const Message& message : kMessages) {
        if (message.number == number) {
            return QString::fromUtf16(polish ? message.polish : message.english);
        }
    }
    return QString();
}

long double TCalcul::ToNumber(const QString& text) {
    const std::optional<long double> value = calc::parseNumber(text);
    if (!value) {
        raiseError(calc::ErrorNotANumber, text);
        return 0;
    }
    return *value;
}

qint32 TCalcul::ToInteger(const QString& text) {
    if (m_errorFlag) {
        return 0;
    }
    const long double x = ToNumber(text);
    if (m_errorFlag) {
        return 0;
    }
    // The nudge makes 2.99999999 count as 3, as a pupil means it.
    long double whole = 0;
    if (x > 0) {
        whole = std::trunc(x + 1e-7L);
    } else if (x < 0) {
        whole = std::trunc(x - 1e-7L);
    }
    if (whole > std::numeric_limits<qint32>::max() || whole < std::numeric_limits<qint32>::min()) {
        // Wrapping around would give a plausible but wrong number.
        raiseError(calc::ErrorInvalidFormula);
        return 0;
    }
    return static_cast<qint32>(whole);
}

int TCalcul::Classify(const QString& text) {
    return calc::classify(text);
}

bool TCalcul::kindFitsType(int variableType, int resultKind) {
    return variableType == resultKind || (variableType == KindReal && resultKind == KindInteger) ||
           (variableType == KindText && resultKind == KindCharacter) ||
           (variableType == KindInteger && resultKind == KindLogical) ||
           (variableType == KindReal && resultKind == KindLogical);
}

void TCalcul::noteLiteralAssignment(int type, int kind) {
    m_argumentStack.clear();
    clearError();
    m_store->passTemporarySlot();
    m_resultType = type;
    m_resultKind = kind;
}

void TCalcul::raiseError(int number, const QString& detail) {
    if (m_errorFlag) {
        return;
    }
    raiseMessage(ErrorMessage(number) + detail);
}

void TCalcul::raiseMessage(const QString& text) {
    if (m_errorFlag) {
        return;
    }
    m_errorFlag = true;
    m_errorText = text;
}

void TCalcul::clearError() {
    m_errorFlag = false;
    m_errorText.clear();
}

}  // namespace trevalon

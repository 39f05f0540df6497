#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

#include "calc/CalcErrors.h"
#include "calc/RunBudget.h"
#include "calc/TText.h"

namespace trevalon {

struct CalcShared;
struct ParsedFormula;
class Evaluator;

// A formula parsed once for being evaluated many times (each block of a run): evaluating it is
// evaluating its text, without finding the parse again.
struct PreparedFormula {
    QString text;
    std::shared_ptr<const ParsedFormula> parsed;  // none when parsing failed outright
};

// The Calculator: evaluates formulas of the expression language against its variable store.
//
// Every value of the language is a text. A successful evaluation yields the value text (a text
// result enclosed in the quote character), its `resultType()` (number or text) and its
// `resultKind()` (one of the seven variable types). Failures never escape as exceptions: the
// first error of an evaluation sets `errorFlag()` and `errorText()`, in the language chosen with
// `setLanguage()`, and later errors of the same evaluation are ignored.
//
// Each Workspace owns one, and so does each grading thread; an instance is used from one
// thread at a time. Parsed formulas are kept
// in a bounded cache, so evaluating the same formula text again costs no parse; the observable
// effects of a parse (assignments captured into the store) are the same every time. No
// function of the language draws random numbers, so the Calculator has no random source; the
// date constants read the clock given with `setClock()`.
class TCalcul {
public:
    // `resultType()`
    static constexpr int TypeNumber = 1;
    static constexpr int TypeText = 2;
    // `resultKind()`, numbered like the variable types.
    static constexpr int KindInteger = 1;
    static constexpr int KindReal = 2;
    static constexpr int KindCharacter = 3;
    static constexpr int KindText = 4;
    static constexpr int KindLogical = 5;
    static constexpr int KindArray = 6;
    static constexpr int KindDate = 7;

    // Source of the current date and time for `_NOW`, `_DATE` and `_TIME`.
    using Clock = std::function<QDateTime()>;

    // An empty store, the double quote as quote character, the formula "0", Polish messages.
    TCalcul();
    ~TCalcul();
    TCalcul(const TCalcul&) = delete;
    TCalcul& operator=(const TCalcul&) = delete;

    const QString& formula() const { return m_formula; }
    void setFormula(const QString& formula) { m_formula = formula; }

    // Delimiter of text literals and of text results.
    void setQuoteChar(QChar quote) { m_quoteChar = quote; }
    QChar quoteChar() const { return m_quoteChar; }

    // "pl" or "ang": the language of error messages and weekday names. Any other value gives
    // empty error messages and English weekday names.
    const QString& language() const;
    void setLanguage(const QString& language);

    // Replaces the clock (tests pin it); an empty function restores the system clock.
    void setClock(Clock clock);

    // Evaluates `formula()`. On success `result` receives the value text and true is answered;
    // on error `result` is left as it was, false is answered and `errorText()` tells why.
    // `resultKind()` is set in both cases.
    bool Evaluate(QString& result);
    // The same as setting `prepared.text` as formula() and calling Evaluate(result). With
    // `wantResult` false the caller does not need the result text (an assignment done for its
    // effect): `result` may then be left empty, and a number stored stays a number until read.
    bool Evaluate(const PreparedFormula& prepared, QString& result, bool wantResult = true);
    // The run's fast lanes, for prepared formulas that need no text on the way. Each does
    // exactly what Evaluate does (store, result type and kind, errors cleared), without the
    // result text, and answers false, having changed nothing, when Evaluate must do it.
    // A direct assignment of a numeric operator's result ("I:=I+1"):
    bool assignNumber(const PreparedFormula& prepared);
    // An ordering of two numeric operands ("I<=N"); `holds` receives its outcome:
    bool orderNumbers(const PreparedFormula& prepared, bool& holds);
    // Parses `formula` for Evaluate(const PreparedFormula&) with the current quote character.
    PreparedFormula prepare(const QString& formula) const;
    // Sets the formula and evaluates it; the result text, or empty on error.
    QString evaluate(const QString& formula);

    bool errorFlag() const { return m_errorFlag; }
    const QString& errorText() const { return m_errorText; }
    int resultType() const { return m_resultType; }
    int resultKind() const { return m_resultKind; }

    // Empties the store and reads a variables list: lines "NAME=value" joined by CR LF (a bare
    // LF is accepted too). The name is everything before the first "=", the value everything
    // after it; neither is trimmed. Lines without "=" are skipped.
    void LoadVariables(const QString& list);
    // The store as a variables list: "NAME=value" + CR LF per variable, names upper-case, in the
    // order the store lists them.
    QString ListVariables() const;

    // The message with `number` in the current language; empty for numbers without a message.
    QString ErrorMessage(int number) const;
    static QString ErrorMessage(int number, const QString& language);

    TText& variables() { return *m_store; }
    const TText& variables() const { return *m_store; }

    // What a run may spend of time and memory (see RunBudget); its store's values count
    // towards its memory. An evaluation that finds the budget over fails with the message of
    // budgetError(), and a long operation finds it so while it works.
    RunBudget& budget() { return *m_budget; }
    const RunBudget& budget() const { return *m_budget; }
    // The message of the budget being over: the memory limit, the time limit or a stop.
    QString budgetError() const;
    // The message of a text that would pass RunBudget::MaxTextLength.
    QString textTooLongError() const;

    // The language's conversions, for callers that show or check values.
    // Reads a decimal number ("," counts as "."); raises calc::ErrorNotANumber and answers 0
    // when the text is not a number.
    long double ToNumber(const QString& text);
    // The integer a number text stands for, nudged by 1e-7 away from zero before truncation;
    // 0 when an error is already raised. A value beyond 32 bits raises the generic
    // calc::ErrorInvalidFormula rather than wrapping around.
    qint32 ToInteger(const QString& text);
    // The kind (1..7) of a result text.
    static int Classify(const QString& text);
    // Whether a result of `resultKind` may be stored in a variable of `variableType` (1..7).
    static bool kindFitsType(int variableType, int resultKind);

    // What evaluating "NAME:=literal" leaves besides the stored value, for a caller that stored
    // the literal into NAME's slot itself (the array blocks): no error, the result's type and
    // kind, and the slot bookkeeping of the captured entry. Only while capturedEntries() is 0,
    // where such an assignment is direct (see ParsedFormula::directAssignment).
    void noteLiteralAssignment(int type, int kind);

    // Raises error `number` with `detail` appended, unless an error is already raised.
    void raiseError(int number, const QString& detail = QString());
    void clearError();

private:
    friend class Evaluator;

    // A nested Calculator working on `parent`'s store, cache and settings.
    explicit TCalcul(TCalcul& parent);
    TCalcul& child();
    void raiseMessage(const QString& text);
    // Raises budgetError() when the budget is over; answers whether it was.
    bool raiseWhenOverBudget();
    // The parse of `formula()`, from the last evaluation or the cache when it is there.
    std::shared_ptr<const ParsedFormula> parsedFormula();
    // The evaluation entry after the parse.
    bool run(const ParsedFormula& parsed, QString& result, bool wantResult = true);

    std::unique_ptr<CalcShared> m_ownShared;
    CalcShared* m_shared;
    RunBudget* m_budget;  // the shared one's
    TText m_ownStore;
    TText* m_store;
    std::unique_ptr<TCalcul> m_child;

    QString m_formula = QStringLiteral("0");
    QChar m_quoteChar = QChar(u'"');
    bool m_errorFlag = false;
    QString m_errorText;
    int m_resultType = TypeNumber;
    int m_resultKind = KindInteger;
    QStringList m_argumentStack;
    // The formulas parsed last: a run alternates between a few. New ones take turns in the
    // entries, so a loop of up to four formulas never evicts one of them.
    struct RecentParse {
        QString formula;
        std::shared_ptr<const ParsedFormula> parsed;
    };
    static constexpr int kRecentParses = 4;
    std::array<RecentParse, kRecentParses> m_recent;
    std::size_t m_nextRecent = 0;
};

}  // namespace trevalon

#pragma once

#include <QDateTime>
#include <QString>

#include "calc/ExprNode.h"
#include "calc/TCalcul.h"

namespace trevalon {

struct CalcShared;

// Walks one parsed formula for one Calculator. Every node yields a text; once an error is
// raised, every node still to be visited yields the empty text. Built-in functions reach the
// Calculator's conversions, store, settings and error routine through the helpers below.
class Evaluator {
public:
    // `direct`: the formula is a direct assignment whose captured entry was not stored.
    // Inline: every prepared formula of a run's step makes one or two.
    Evaluator(TCalcul& calc, const ParsedFormula& formula, bool direct = false)
        : m_calc(calc),
          m_shared(*calc.m_shared),
          m_store(calc.m_store),
          m_formula(formula),
          m_direct(direct) {}

    // Evaluates the whole tree; `type` receives the root's result type (1 number, 2 text) and
    // `stored` whether the value is in the store's form already, a text in its quotes: an
    // assignment or `eval` at the root hands on the value as it was stored or came back.
    QString run(int& type, bool& stored);
    // For a direct assignment (see ParsedFormula::directAssignment) of a numeric operator's
    // result: does what `run` does and answers true, with the value text and its kind;
    // false, having changed nothing, when `run` must do it.
    // Without `wantResult` the value text is left empty when the number is whole.
    bool runNumberAssignment(QString& value, int& kind, bool wantResult = true);

    // For a formula that is one ordering (`<`, `<=`, `>`, `>=`) of numeric operands: its
    // outcome as `run` would give it, in `holds`; false, having changed nothing, when `run`
    // must do it.
    bool orderNumbers(bool& holds);

    bool failed() const { return m_calc.errorFlag(); }
    void raise(int number, const QString& detail = QString());
    // The generic error, for every fault of a computation (domain, range, overflow).
    void fail() { raise(calc::ErrorInvalidFormula); }

    long double number(const QString& text);
    double realNumber(const QString& text) { return static_cast<double>(number(text)); }
    qint32 integer(const QString& text);
    // The number as a value text; the generic error for a value that overflowed.
    QString numberText(long double value);
    // Guards the size of computed texts: beyond RunBudget::MaxTextLength, the error that says
    // so.
    bool fitsTextLimit(qint64 length);
    // The run's budget: long operations spend on it as they go.
    RunBudget& budget() { return m_calc.budget(); }
    // Raises the budget's error when the budget is over; answers whether it was.
    bool overBudget() { return m_calc.raiseWhenOverBudget(); }

    TText& store() { return *m_store; }
    const QString& language() const;
    QDateTime now() const;
    QChar quote() const { return m_calc.m_quoteChar; }

    // Evaluates `formula` with a nested Calculator on the same store; `type` receives its
    // result type. Its error, if any, becomes this evaluation's error.
    QString evaluateNested(const QString& formula, int& type,
                           const ParsedFormula* parsed = nullptr);

private:
    class DepthGuard;

    // Evaluates node `index`: on numbers when its subtree allows, else by its code.
    QString eval(int index);
    // A node's result, its characters spent on the budget; empty, with the budget's error
    // raised, when the budget is over.
    QString counted(QString result);
    // The operator, name or function call the node's code stands for, on value texts.
    QString evalByCode(const ExprNode& node);
    QString evalName(const ExprNode& node);
    QString evalAssignment(const ExprNode& node);
    QString evalStoredName(const ExprNode& node);
    QString evalConstant(const ExprNode& node);
    QString evalArithmetic(const ExprNode& node);
    QString evalDivide(const ExprNode& node);
    QString evalNegate(const ExprNode& node);
    QString evalPower(const ExprNode& node);
    QString evalIntegerDivision(const ExprNode& node);
    QString evalConcat(const ExprNode& node);
    QString evalIn(const ExprNode& node);
    QString evalLogic(const ExprNode& node);
    QString evalEquality(const ExprNode& node);
    QString evalOrdering(const ExprNode& node);
    QString evalMask(const ExprNode& node);
    QString evalComma(const ExprNode& node);
    QString evalSequence(const ExprNode& node);
    QString evalFunction(const ExprNode& node);
    QString evalWithArguments(const ExprNode& node);
    QString evalEval(const ExprNode& node);
    QString evalFreeVar(const ExprNode& node);
    // What an assignment or `eval` (`node`) hands on from a value in the store's form: that
    // form when it is the formula's result, else the bare value every other node yields, a
    // text without its quotes.
    QString handedOn(const ExprNode& node, const QString& stored, int type);
    bool insertArgument(const QString& value);
    // Numeric subtrees (ExprNode::numeric) computed on numbers, with exactly the values the
    // text path would read from the texts it writes. They answer false, having changed
    // nothing, when a name is absent or not a number or a result is not finite; the text path
    // then takes over and raises the error it always raised.
    // `pureNumber`: the number the node's value text reads as.
    // Inline for the operands most formulas have, literals and names; pureOperatorNumber for
    // the rest.
    bool pureNumber(int index, long double& value) {
        const ExprNode& node = m_formula.nodes[static_cast<size_t>(index)];
        switch (node.code) {
            case op::Number:
                value = node.number;
                return node.hasNumber;
            case op::Name: {
                const int slot = slotOf(node.key, node.keyGeneration, node.keySlot);
                return slot >= 0 && store().numberAt(slot, quote(), value);
            }
            default:
                return pureOperatorNumber(node, value);
        }
    }
    bool pureOperatorNumber(const ExprNode& node, long double& value);
    // `pureAggregate`: MaxVal or MinVal over a chain of arguments, in `extreme`.
    bool pureAggregate(int index, bool larger, bool& first, double& extreme);
    // `pureText`: the text a literal or stored name of an equality reads as, where it lies.
    bool pureText(int index, QStringView& text);
    // `pureResult`: an operator's result before it is written as a text.
    bool pureResult(const ExprNode& node, long double& result);
    // Whether a numeric subtree under a node at the current depth stays within the evaluation
    // depth limit, so computing it on numbers cannot skip the limit's error.
    bool shallowEnough(const ExprNode& node) const;
    // A captured assignment whose right-hand side is a numeric operator, stored without texts
    // in between; false when the text path must do it.
    // `kind` (when given) receives the result's kind.
    bool assignNumber(const ExprNode& node, const ParsedFormula* parsed, QString& result,
                      int* kind = nullptr, bool wantResult = true);

    // A direct assignment "NAME:=NAME || formula" (`parsed` is its right-hand side) whose NAME
    // holds a text in quotes: appends to NAME's own text instead of building the whole text
    // again, with the same result, errors and store bookkeeping as the general path. False,
    // having changed nothing, when the general path must do it.
    bool appendInPlace(const ExprNode& node, const ParsedFormula& parsed, QString& result);

    // The slot of `key` in the store (-1: absent), remembered in the node.
    // Inline: every name a step reads goes through here, and it rarely has to look.
    int slotOf(const QString& key, quint64& generation, int& slot) {
        const TText& variables = store();
        if (generation != variables.generation()) {
            slot = variables.slotOf(key);
            generation = variables.generation();
        }
        return slot;
    }

    TCalcul& m_calc;
    CalcShared& m_shared;
    TText* m_store;
    const ParsedFormula& m_formula;
    bool m_direct;
    // Result type set by the last name lookup or nested evaluation.
    int m_nodeType = 0;
    // The root handed on its value in the store's form (see handedOn).
    bool m_rootStored = false;
};

}  // namespace trevalon

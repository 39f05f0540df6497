#pragma once

#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace trevalon {

class TCalcul;
struct PreparedFormula;

// The result of handing one formula to the Calculator.
struct Evaluation {
    bool ok = false;
    QString result;  // the value text; texts come back in double quotes
    int kind = 0;    // 1 integer .. 7 date, as the Calculator classifies the result
    QString error;   // the Calculator's first error message when !ok
};

// A program's variables as runs, checks and windows see them: the Calculator that holds their
// values, the variables list (the main window's hidden list of NAME=value lines) kept beside
// its store, and the evaluation of formulas over them with the last error kept as a value.
// Whoever writes the Calculator's store directly tells this through noteLiteralAssignment or
// refreshVariablesList, or the list goes on showing what was loaded. Owns its Calculator; the
// workspace owns one, and anything that only evaluates or shows values is given this alone.
class Variables {
public:
    Variables();
    ~Variables();
    Variables(const Variables&) = delete;
    Variables& operator=(const Variables&) = delete;

    TCalcul& calculator() { return *m_calculator; }
    const TCalcul& calculator() const { return *m_calculator; }

    // The variables list: lines NAME=value joined by CR LF, as the main window's hidden list
    // holds them. After an assignment it is the Calculator's listing.
    QString variablesList() const;
    // Replaces the list and loads the Calculator's store from it; an empty list empties the
    // store, so nothing of an earlier project survives.
    void loadVariables(const QString& list);
    // Loads NAME, value pairs as the list of their lines would, except that a value holding a
    // line break, which no line of the list can hold, reaches the store whole; the list is then
    // the Calculator's listing from the start.
    void loadVariables(const std::vector<std::pair<QString, QString>>& variables);
    // The list becomes the Calculator's listing again (made when next asked for).
    void refreshVariablesList() { m_listIsListing = true; }
    // Whether the list is the Calculator's listing: every variable's value is the store's.
    bool variablesAreStored() const { return m_listIsListing; }
    // The bookkeeping of a successful "NAME:=literal" whose value the caller stored into the
    // Calculator's store itself (TCalcul::noteLiteralAssignment), as evaluate() would leave it.
    void noteLiteralAssignment(int type, int kind);
    // The fast lanes of TCalcul for a run's prepared formulas, with evaluate()'s bookkeeping.
    bool assignNumber(const PreparedFormula& formula);
    bool orderNumbers(const PreparedFormula& formula, bool& holds);
    // The value of the first line whose name matches (without regard to case); empty if none.
    QString variableValue(const QString& name) const;

    // Evaluates `formula` with the Calculator, its first error kept as a value.
    Evaluation evaluate(const QString& formula);
    // The same for a formula parsed beforehand (TCalcul::prepare); without `wantResult` the
    // result text may be left empty (see TCalcul::Evaluate).
    Evaluation evaluate(const PreparedFormula& formula, bool wantResult = true);
    // The error message of the last evaluation; empty when it succeeded.
    const QString& lastError() const { return m_lastError; }

private:
    Evaluation noteEvaluation(Evaluation evaluation);

    std::unique_ptr<TCalcul> m_calculator;
    QString m_variablesList;
    bool m_listIsListing = false;
    QString m_lastError;
};

}  // namespace trevalon

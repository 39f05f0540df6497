#include "exec/Variables.h"

#include "calc/TCalcul.h"
#include "exec/VariablesList.h"

namespace trevalon {

Variables::Variables() : m_calculator(std::make_unique<TCalcul>()) {}

Variables::~Variables() = default;

QString Variables::variablesList() const {
    if (m_listIsListing) {
        QString listing = m_calculator->ListVariables();
        // The listing ends every line with a line break; the list joins lines with one.
        if (listing.endsWith(VariablesList::LineBreak)) {
            listing.chop(VariablesList::LineBreak.size());
        }
        return listing;
    }
    return m_variablesList;
}

void Variables::loadVariables(const QString& list) {
    m_variablesList = list;
    m_listIsListing = false;
    m_calculator->LoadVariables(list);
}

void Variables::loadVariables(const std::vector<std::pair<QString, QString>>& variables) {
    QString list;
    bool lines = true;
    for (const auto& [name, value] : variables) {
        VariablesList::append(list, name, value);
        lines = lines && !value.contains(u'\n') && !value.contains(u'\r');
    }
    if (lines) {
        loadVariables(list);
        return;
    }
    m_variablesList = list;
    TText& store = m_calculator->variables();
    store.clear();
    for (const auto& [name, value] : variables) {
        store.set(name, value);
    }
    m_listIsListing = true;
}

QString Variables::variableValue(const QString& name) const {
    if (m_listIsListing) {
        return m_calculator->variables().get(name);
    }
    return VariablesList::valueOf(m_variablesList, name);
}

void Variables::noteLiteralAssignment(int type, int kind) {
    m_calculator->noteLiteralAssignment(type, kind);
    m_lastError.clear();
    m_listIsListing = true;
}

bool Variables::assignNumber(const PreparedFormula& formula) {
    if (!m_calculator->assignNumber(formula)) {
        return false;
    }
    m_lastError.clear();
    return true;
}

bool Variables::orderNumbers(const PreparedFormula& formula, bool& holds) {
    if (!m_calculator->orderNumbers(formula, holds)) {
        return false;
    }
    m_lastError.clear();
    return true;
}

Evaluation Variables::evaluate(const QString& formula) {
    m_calculator->setFormula(formula);
    Evaluation evaluation;
    evaluation.ok = m_calculator->Evaluate(evaluation.result);
    return noteEvaluation(std::move(evaluation));
}

Evaluation Variables::evaluate(const PreparedFormula& formula, bool wantResult) {
    Evaluation evaluation;
    evaluation.ok = m_calculator->Evaluate(formula, evaluation.result, wantResult);
    return noteEvaluation(std::move(evaluation));
}

Evaluation Variables::noteEvaluation(Evaluation evaluation) {
    evaluation.kind = m_calculator->resultKind();
    if (!evaluation.ok) {
        evaluation.error = m_calculator->errorText();
        m_lastError = evaluation.error;
    } else if (!m_lastError.isEmpty()) {
        m_lastError.clear();
    }
    return evaluation;
}

}  // namespace trevalon

#include "exec/Workspace.h"

#include "calc/TCalcul.h"
#include "config/TextIds.h"
#include "exec/BoardCheck.h"
#include "exec/CheckReport.h"
#include "exec/ExecutionIo.h"
#include "exec/Executor.h"
#include "exec/VariablesList.h"

namespace trevalon {

Workspace::Workspace(EventLog& log, MessageSink& messages)
    : m_log(log),
      m_messages(messages),
      m_calculator(std::make_unique<TCalcul>()),
      m_silentIo(std::make_unique<SilentExecutionIo>()),
      m_io(m_silentIo.get()),
      m_silentReport(std::make_unique<SilentCheckReport>()),
      m_report(m_silentReport.get()),
      m_executor(std::make_unique<Executor>(*this)) {
    m_calculator->setLanguage(m_texts.language());
}

Workspace::~Workspace() = default;

CheckTools Workspace::checkTools() {
    return {m_project, *this, *m_random, m_log, m_texts};
}

void Workspace::setLanguage(const QString& language) {
    m_texts.setLanguage(language);
    m_calculator->setLanguage(language);
}

void Workspace::setExecutionIo(ExecutionIo* io) {
    m_io = io != nullptr ? io : m_silentIo.get();
}

void Workspace::setCheckReport(CheckReport* report) {
    m_report = report != nullptr ? report : m_silentReport.get();
}

void Workspace::setRandomSource(RandomSource* source) {
    m_random = source != nullptr ? source : &m_ownRandom;
}

void Workspace::seedRandom(quint64 seed) {
    m_seed = seed;
    m_ownRandom.seed(seed);
}

void Workspace::reseedRandom() {
    if (m_seed) {
        m_ownRandom.seed(*m_seed);
    } else {
        m_ownRandom.seedFromClock();
    }
}

QString Workspace::projectName() const {
    return m_projectName.isEmpty() ? m_texts.text(texts::UntitledProject) : m_projectName;
}

QString Workspace::variablesList() const {
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

void Workspace::loadVariables(const QString& list) {
    m_variablesList = list;
    m_listIsListing = false;
    m_calculator->LoadVariables(list);
}

void Workspace::loadVariables(const std::vector<std::pair<QString, QString>>& variables) {
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

QString Workspace::variableValue(const QString& name) const {
    if (m_listIsListing) {
        return m_calculator->variables().get(name);
    }
    return VariablesList::valueOf(m_variablesList, name);
}

void Workspace::noteLiteralAssignment(int type, int kind) {
    m_calculator->noteLiteralAssignment(type, kind);
    m_lastError.clear();
    m_listIsListing = true;
}

bool Workspace::assignNumber(const PreparedFormula& formula) {
    if (!m_calculator->assignNumber(formula)) {
        return false;
    }
    m_lastError.clear();
    return true;
}

bool Workspace::orderNumbers(const PreparedFormula& formula, bool& holds) {
    if (!m_calculator->orderNumbers(formula, holds)) {
        return false;
    }
    m_lastError.clear();
    return true;
}

Evaluation Workspace::evaluate(const QString& formula) {
    m_calculator->setFormula(formula);
    Evaluation evaluation;
    evaluation.ok = m_calculator->Evaluate(evaluation.result);
    return noteEvaluation(std::move(evaluation));
}

Evaluation Workspace::evaluate(const PreparedFormula& formula, bool wantResult) {
    Evaluation evaluation;
    evaluation.ok = m_calculator->Evaluate(formula, evaluation.result, wantResult);
    return noteEvaluation(std::move(evaluation));
}

Evaluation Workspace::noteEvaluation(Evaluation evaluation) {
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

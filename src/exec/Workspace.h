#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "config/TextTable.h"
#include "exec/Breakpoints.h"
#include "exec/FormulaTrials.h"
#include "exec/RandomSource.h"
#include "model/Project.h"

namespace trevalon {

class CheckReport;
struct CheckTools;
class EventLog;
class ExecutionIo;
class Executor;
class MessageSink;
class TCalcul;
struct PreparedFormula;

// Everything one open project needs, owned in one place: the project, the text table, the one
// Calculator, the variables list, the run state and the random source. The event log, the
// message sink, the execution dialog and the report window are the caller's; they must outlive
// the workspace (or be replaced first). The desktop program makes one; every test makes its own.
class Workspace final : public FormulaTrials {
public:
    Workspace(EventLog& log, MessageSink& messages);
    ~Workspace() override;
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    Project& project() { return m_project; }
    const Project& project() const { return m_project; }
    const TextTable& texts() const { return m_texts; }
    // Switches the interface texts and the Calculator's messages together ("pl" or "ang").
    void setLanguage(const QString& language);

    TCalcul& calculator() { return *m_calculator; }
    const TCalcul& calculator() const { return *m_calculator; }
    Executor& executor() { return *m_executor; }
    // Where runs pause; kept for the session, never written into the project file. Whoever
    // replaces the project (new, open) clears them.
    Breakpoints& breakpoints() { return m_breakpoints; }
    const Breakpoints& breakpoints() const { return m_breakpoints; }
    EventLog& log() { return m_log; }
    MessageSink& messages() { return m_messages; }

    // Where runs show their dialogs and the check its reports; nullptr restores the silent ones.
    void setExecutionIo(ExecutionIo* io);
    ExecutionIo& executionIo() { return *m_io; }
    void setCheckReport(CheckReport* report);
    CheckReport& checkReport() { return *m_report; }

    // What the check works with: the project, this workspace's Calculator, the random source,
    // the log and the texts.
    CheckTools checkTools();

    // Test values and random-number blocks draw from here; nullptr restores the own source.
    void setRandomSource(RandomSource* source);
    RandomSource& random() { return *m_random; }
    // Makes the own source repeatable: every run starts from this seed.
    void seedRandom(quint64 seed);
    // Called when a run begins: back to the fixed seed, or a fresh one from the clock.
    void reseedRandom();

    // The name the project reports carry: the file name without extension, or the name of a
    // new project ("Bez nazwy") when none was set.
    QString projectName() const;
    void setProjectName(const QString& name) { m_projectName = name; }

    // The variables list: lines NAME=value joined by CR LF, as the main window's hidden list
    // holds them. After an assignment it is the Calculator's listing.
    QString variablesList() const;
    // Replaces the list and loads the Calculator's store from it; an empty list empties the
    // store, so nothing of an earlier project survives.
    void loadVariables(const QString& list) override;
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
    Evaluation evaluate(const QString& formula) override;
    // The same for a formula parsed beforehand (TCalcul::prepare); without `wantResult` the
    // result text may be left empty (see TCalcul::Evaluate).
    Evaluation evaluate(const PreparedFormula& formula, bool wantResult = true);
    // The error message of the last evaluation; empty when it succeeded.
    const QString& lastError() const { return m_lastError; }

private:
    Evaluation noteEvaluation(Evaluation evaluation);

    EventLog& m_log;
    MessageSink& m_messages;
    Project m_project;
    TextTable m_texts;
    std::unique_ptr<TCalcul> m_calculator;
    SeededRandom m_ownRandom;
    std::optional<quint64> m_seed;
    RandomSource* m_random = &m_ownRandom;
    std::unique_ptr<ExecutionIo> m_silentIo;
    ExecutionIo* m_io = nullptr;
    std::unique_ptr<CheckReport> m_silentReport;
    CheckReport* m_report = nullptr;
    Breakpoints m_breakpoints;
    QString m_projectName;
    QString m_variablesList;
    bool m_listIsListing = false;
    QString m_lastError;
    std::unique_ptr<Executor> m_executor;
};

}  // namespace trevalon

#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "config/TextTable.h"
#include "exec/Breakpoints.h"
#include "exec/RandomSource.h"
#include "exec/Variables.h"
#include "model/Project.h"

namespace trevalon {

class CheckReport;
struct CheckTools;
class EventLog;
class ExecutionIo;
class Executor;
class MessageSink;

// Everything one open project needs, owned in one place: the project, the text table, its
// variables (the one Calculator and the variables list), the run state and the random source.
// The event log, the message sink, the execution dialog and the report window are the caller's;
// they must outlive the workspace (or be replaced first). The desktop program makes one; every
// test makes its own. Hand a class the parts it uses (the project and the texts, the variables)
// rather than the workspace; the run and the check, which use nearly all of it, take the whole.
class Workspace {
public:
    Workspace(EventLog& log, MessageSink& messages);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    Project& project() { return m_project; }
    const Project& project() const { return m_project; }
    const TextTable& texts() const { return m_texts; }
    // Switches the interface texts and the Calculator's messages together ("pl" or "ang").
    void setLanguage(const QString& language);

    // The Calculator and the variables list; evaluation goes through here.
    Variables& variables() { return m_variables; }
    const Variables& variables() const { return m_variables; }
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

private:
    EventLog& m_log;
    MessageSink& m_messages;
    Project m_project;
    TextTable m_texts;
    Variables m_variables;
    SeededRandom m_ownRandom;
    std::optional<quint64> m_seed;
    RandomSource* m_random = &m_ownRandom;
    std::unique_ptr<ExecutionIo> m_silentIo;
    ExecutionIo* m_io = nullptr;
    std::unique_ptr<CheckReport> m_silentReport;
    CheckReport* m_report = nullptr;
    Breakpoints m_breakpoints;
    QString m_projectName;
    std::unique_ptr<Executor> m_executor;
};

}  // namespace trevalon

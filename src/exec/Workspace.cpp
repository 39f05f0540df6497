#include "exec/Workspace.h"

#include "calc/TCalcul.h"
#include "config/TextIds.h"
#include "exec/BoardCheck.h"
#include "exec/CheckReport.h"
#include "exec/ExecutionIo.h"
#include "exec/Executor.h"

namespace trevalon {

Workspace::Workspace(EventLog& log, MessageSink& messages)
    : m_log(log),
      m_messages(messages),
      m_silentIo(std::make_unique<SilentExecutionIo>()),
      m_io(m_silentIo.get()),
      m_silentReport(std::make_unique<SilentCheckReport>()),
      m_report(m_silentReport.get()),
      m_executor(std::make_unique<Executor>(*this)) {
    m_variables.calculator().setLanguage(m_texts.language());
}

Workspace::~Workspace() = default;

CheckTools Workspace::checkTools() {
    return {m_project, m_variables, *m_random, m_log, m_texts};
}

void Workspace::setLanguage(const QString& language) {
    m_texts.setLanguage(language);
    m_variables.calculator().setLanguage(language);
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

}  // namespace trevalon

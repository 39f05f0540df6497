#include "ui/main/Autosave.h"

#include <QDateTime>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/SettingsStore.h"
#include "config/TextIds.h"
#include "exec/Executor.h"
#include "exec/Workspace.h"
#include "ui/main/MainState.h"

namespace trevalon {

Autosave::Autosave(Workspace& workspace, const SettingsStore& settings, const MainState& state)
    : m_ws(workspace), m_settings(settings), m_state(state), m_file(settings.dataFolder()) {
    m_poll.setInterval(PollMillis);
    QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] { check(); });
    m_poll.start();
}

void Autosave::check() {
    const int seconds = m_settings.values().autosaveSeconds;
    const Project& project = m_ws.project();
    // An untouched project holds nothing to lose; a run's marks are no change of the pupil's.
    if (seconds <= 0 || !m_state.projectOpen || !project.projectChanged() ||
        m_ws.executor().running() || !m_file.holdsNewWork(project)) {
        m_changeSeen = m_ws.executor().running() ? m_changeSeen : -1;
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (m_changeSeen < 0) {
        m_changeSeen = now;
    }
    if (now - m_changeSeen < qint64{seconds} * 1000) {
        return;
    }
    if (const Status written = m_file.write(project, m_state.projectPath, m_ws.projectName());
        !written.ok()) {
        // Tried again at the next look; the pupil's own file is untouched either way.
        m_ws.log().logAbove(1, written.message(m_ws.texts()) + QStringLiteral(" ") +
                                   m_file.projectFile() + QStringLiteral(": ") + written.detail());
        return;
    }
    m_changeSeen = -1;
}

void Autosave::discard() {
    m_file.remove();
    m_changeSeen = -1;
}

void Autosave::offerLeftovers(const std::function<bool(const RecoveryEntry&)>& restore) {
    std::vector<RecoveryEntry> leftovers = m_file.takeLeftovers();
    for (auto entry = leftovers.rbegin(); entry != leftovers.rend(); ++entry) {
        const int answer = m_ws.messages().showMessage(MessageSink::YesNoCancel,
                                                       MessageSink::Question, question(*entry));
        if (answer == MessageSink::ResultNo) {
            RecoveryFile::discard(*entry);
        } else if (answer == MessageSink::ResultYes && restore(*entry)) {
            RecoveryFile::discard(*entry);
            return;
        } else if (answer != MessageSink::ResultYes) {
            return;
        }
    }
}

QString Autosave::question(const RecoveryEntry& entry) const {
    const TextTable& texts = m_ws.texts();
    const QString name =
        entry.projectName.isEmpty() ? texts.text(texts::RecoveryUnnamed) : entry.projectName;
    return texts.text(texts::RecoveryQuestion)
        .arg(name, entry.savedAt.toString(QStringLiteral("yyyy/MM/dd HH:mm")),
             entry.boardNames.join(QStringLiteral(", ")));
}

}  // namespace trevalon

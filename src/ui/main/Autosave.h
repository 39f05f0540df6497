#pragma once

#include <QTimer>
#include <functional>
#include <memory>

#include "storage/RecoveryFile.h"

namespace trevalon {

class SettingsStore;
class Workspace;
struct MainState;

// The desktop program's autosave: the settings' interval after the first change that its
// recovery file does not hold yet, the changed project is written to that file (never over
// the pupil's own). A run defers it, since the executor marks the boards as it goes. At start
// it offers the leftovers of programs that ended without closing cleanly.
class Autosave {
public:
    // How often the project is looked at; a change is written within this of its interval.
    static constexpr int PollMillis = 1000;

    // Takes this program's recovery slot in the settings' data folder and starts looking.
    // Every argument must outlive the autosave.
    Autosave(Workspace& workspace, const SettingsStore& settings, const MainState& state);

    // The leftovers of other programs, one question each, the newest first, until the pupil
    // restores one with `restore` (false when it could not be opened: the copy is kept). A
    // copy the pupil declines is removed; one the pupil cancels, or is not asked about, stays
    // for the next start.
    void offerLeftovers(const std::function<bool(const RecoveryEntry&)>& restore);
    // A save or a clean close: the recovery file goes, and a new change starts a new interval.
    void discard();
    // Looks at the project now (the poll timer's work).
    void check();

    const RecoveryFile& file() const { return m_file; }

private:
    QString question(const RecoveryEntry& entry) const;

    Workspace& m_ws;
    const SettingsStore& m_settings;
    const MainState& m_state;
    RecoveryFile m_file;
    QTimer m_poll;
    qint64 m_changeSeen = -1;  // when a change not yet written was first seen; -1 for none
};

}  // namespace trevalon

#include "ui/run/RunController.h"

#include <limits>

#include "edit/Editor.h"
#include "exec/ExecutionDialogLogic.h"
#include "exec/Executor.h"
#include "exec/Workspace.h"
#include "ui/main/MainCompanions.h"
#include "ui/main/MainHost.h"
#include "ui/main/MainState.h"
#include "ui/main/SpeedControl.h"
#include "ui/run/TFOpisy.h"
#include "ui/run/TFWykonanie.h"

namespace trevalon {

RunController::RunController(Workspace& workspace, Editor& editor, MainState& state,
                             const MainCompanions& companions, MainHost& host)
    : m_ws(workspace),
      m_editor(editor),
      m_state(state),
      m_companions(companions),
      m_host(host),
      m_trace(workspace.project(), workspace.texts(), workspace.variables()),
      m_prepared(workspace.messages(), workspace.texts()) {
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, &host.widget(), [this] { slice(); });
}

bool RunController::running() const {
    return m_ws.executor().running();
}

bool RunController::stepMode() const {
    return m_ws.executor().state().stepMode;
}

void RunController::run() {
    if (running() || m_inStep) {
        return;
    }
    m_abortRequested = false;
    m_firstShowing = true;
    m_slices = 0;
    m_editor.cancelPlacing();
    // A run is watched on its boards: one closed by the window manager comes back first.
    m_host.showProjectBoards();
    installTrace(false);
    m_inStep = true;
    const bool started = m_ws.executor().startRun();
    m_inStep = false;
    if (!started || !running()) {
        ended();
        return;
    }
    began();
    m_timer.start();
}

void RunController::runWithInput(const QStringList& input) {
    if (running() || m_inStep) {
        return;
    }
    m_prepared.setLines(input);
    if (m_speed == 0) {
        m_speedAfterRun = 0;
        setSpeed(WatchedSpeed);
    }
    run();
}

void RunController::startStepping() {
    if (running() || m_inStep) {
        return;
    }
    m_abortRequested = false;
    m_firstShowing = true;
    m_editor.cancelPlacing();
    m_host.showProjectBoards();
    installTrace(true);
    m_inStep = true;
    m_ws.executor().startStepping();
    m_inStep = false;
    if (!running()) {
        ended();
        return;
    }
    began();
}

void RunController::nextStep(bool skipConnectors) {
    if (!running() || m_inStep) {
        return;
    }
    leaveRecorded();
    m_inStep = true;
    m_ws.executor().nextStep(skipConnectors);
    m_inStep = false;
    if (!running()) {
        flushVariables();
        ended();
    } else if (m_held) {
        showLive();
    } else {
        // The step's block in sight, also on a zoomed or scrolled board.
        const RunState& at = m_ws.executor().state();
        m_host.showRunningCell(at.runBoard, at.runColumn, at.runRow);
        flushVariables();
        traceChanged();
    }
}

void RunController::abort() {
    if (!running()) {
        return;
    }
    if (m_inStep) {
        // A step is waiting in a dialog; the executor stops as soon as it returns.
        m_abortRequested = true;
        closeDialog();
        return;
    }
    // The abort's message waits in its own event loop: no slice may end the run under it and
    // raise the board over the message.
    m_timer.stop();
    m_ws.executor().stop();
    ended();
}

void RunController::pause() {
    m_timer.stop();
}

// Only a full run between slices goes on by itself; a step that waits in a dialog restarts the
// slices when it returns, and step mode waits for the next key.
void RunController::resume() {
    if (running() && !stepMode() && !m_inStep && !m_held) {
        m_timer.start();
    }
}

void RunController::slice() {
    if (m_inStep) {
        return;
    }
    // Stopped while the slice runs: a dialog opened inside a step runs its own event loop,
    // and the timer must not spin in it.
    m_timer.stop();
    ++m_slices;
    if (m_speed > 0) {
        watchedSlice();
        return;
    }
    Executor& executor = m_ws.executor();
    m_inStep = true;
    executor.runSlice(std::numeric_limits<qint64>::max(), SliceMillis);
    m_inStep = false;
    if (executor.running() && m_abortRequested) {
        executor.stop();
    }
    flushVariables();
    if (!executor.running()) {
        ended();
    } else if (executor.paused()) {
        hold();
    } else {
        traceChanged();
        m_timer.start();
    }
}

void RunController::began() {
    m_wasRunning = true;
    m_held = false;
    m_shownRow = -1;
    m_timer.setInterval(SpeedControl::BlockMillis[static_cast<std::size_t>(m_speed)]);
    // The run cleared the marks of every board; their frames (a selection) go too, and in
    // step mode the current block's frame comes back.
    m_editor.showRunMark(0, 0, 0);
    runStateChanged();
    m_editor.setRunning(true);
    m_host.updateRunButtons();
    m_host.titlesChanged();
}

void RunController::ended() {
    m_timer.stop();
    m_prepared.setLines({});
    if (m_speedAfterRun >= 0) {
        setSpeed(m_speedAfterRun);
        m_speedAfterRun = -1;
    }
    m_abortRequested = false;
    m_held = false;
    m_editor.setRunning(false);
    if (m_ws.executor().lastEnd() == RunEnd::CheckFailed) {
        m_editor.showCheckMarksOnEveryBoard();
        m_state.checkDone = true;
    } else if (m_wasRunning) {
        m_editor.showRunMark(0, 0, 0);
        m_editor.adoptRunResult();
    }
    m_wasRunning = false;
    flushVariables();
    m_host.updateRunButtons();
    m_host.titlesChanged();
    traceChanged();
}

// The block that asks is marked and painted before its dialog opens, in a full run too; a full
// run takes the mark away again when the dialog closes.
DialogClose RunController::showDialog(ExecutionDialogLogic& dialog) {
    flushVariables();
    const RunState& state = m_ws.executor().state();
    m_editor.showRunMark(state.runBoard, state.runColumn, state.runRow);
    m_host.paintBoardsNow();
    if (dialog.mode() != DialogMode::Show && m_prepared.hasLines()) {
        const DialogClose given = m_prepared.showDialog(dialog);
        if (given != DialogClose::InputEnded) {
            return m_abortRequested ? DialogClose::AbortRequested : given;
        }
    }
    const DialogClose close = m_companions.execution->showFor(dialog);
    if (!stepMode()) {
        m_editor.showRunMark(0, 0, 0);
    }
    return m_abortRequested ? DialogClose::AbortRequested : close;
}

void RunController::closeDialog() {
    m_companions.execution->closeFromRun();
}

// During a full run the report is drawn once per slice, not after every assignment.
void RunController::showVariables() {
    m_variablesDirty = true;
    if (!running() || stepMode()) {
        flushVariables();
    }
}

// A run in progress marks the variables its last step (or slice) changed; its first showing
// only sets the values the next one compares with.
void RunController::flushVariables() {
    if (!m_variablesDirty) {
        return;
    }
    m_variablesDirty = false;
    if (running() && !m_firstShowing) {
        m_companions.report->showVariableChanges();
    } else {
        m_companions.report->showVariables();
    }
    if (m_firstShowing) {
        // A run is watched in its variables: nothing of the editor may cover them.
        m_companions.report->raise();
    }
    m_firstShowing = false;
}

void RunController::boardsChanged() {
    m_host.titlesChanged();
}

void RunController::runStateChanged() {
    const Executor& executor = m_ws.executor();
    const RunState& state = executor.state();
    if (state.running && state.stepMode) {
        m_editor.showRunMark(state.runBoard, state.runColumn, state.runRow);
    }
}

}  // namespace trevalon

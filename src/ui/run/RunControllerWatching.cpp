// Watching a run: its speed, holding it, recording it and stepping back through the record.

#include "config/TextIds.h"
#include "edit/Editor.h"
#include "exec/Executor.h"
#include "exec/Workspace.h"
#include "model/BlockCatalogue.h"
#include "ui/main/MainCompanions.h"
#include "ui/main/MainHost.h"
#include "ui/main/SpeedControl.h"
#include "ui/run/RunController.h"
#include "ui/run/TFOpisy.h"

namespace trevalon {

void RunController::setSpeed(int level) {
    m_speed = std::clamp(level, 0, static_cast<int>(SpeedControl::BlockMillis.size()) - 1);
    m_timer.setInterval(SpeedControl::BlockMillis[static_cast<std::size_t>(m_speed)]);
    if (m_speed == 0 && running() && !stepMode()) {
        m_editor.showRunMark(0, 0, 0);  // at full speed the mark would only flicker
    }
}

// One block per tick: the connectors before it are walked at once, so that the mark rests on
// blocks only, as a step over connectors does.
void RunController::watchedSlice() {
    Executor& executor = m_ws.executor();
    constexpr int kEverySquare = kMaxBoards * kGridSize * kGridSize;
    m_inStep = true;
    int walked = 0;
    do {
        executor.runSlice(1);
    } while (executor.running() && !executor.paused() && !m_abortRequested &&
             BlockCatalogue::isConnector(executor.state().currentKind) && ++walked < kEverySquare);
    m_inStep = false;
    if (executor.running() && m_abortRequested) {
        executor.stop();
    }
    if (!executor.running()) {
        flushVariables();
        ended();
        return;
    }
    showLive();
    if (executor.paused()) {
        hold();
    } else {
        m_timer.start();
    }
}

void RunController::togglePause() {
    if (!running() || stepMode() || m_inStep) {
        return;
    }
    if (m_held) {
        goOn();
    } else {
        hold();
    }
}

void RunController::hold() {
    m_timer.stop();
    m_held = true;
    showLive();
    const Executor& executor = m_ws.executor();
    const TextTable& texts = m_ws.texts();
    if (executor.paused()) {
        const RunState& at = executor.state();
        const QString block = m_ws.project().cell(at.runBoard, at.runColumn, at.runRow).name;
        m_host.showStatus(texts.text(texts::StatusBreakpoint).arg(block));
    } else {
        m_host.showStatus(texts.text(texts::StatusPaused));
    }
    m_host.updateRunButtons();
}

// The block a breakpoint held does its arrival (its dialog) first; then the run goes on.
void RunController::goOn() {
    m_held = false;
    leaveRecorded();
    Executor& executor = m_ws.executor();
    if (executor.paused()) {
        m_inStep = true;
        executor.resume();
        m_inStep = false;
        if (!running()) {
            flushVariables();
            ended();
            return;
        }
    }
    if (m_speed == 0) {
        m_editor.showRunMark(0, 0, 0);
    }
    m_host.showStatus(QString());
    m_host.updateRunButtons();
    m_timer.start();
}

void RunController::installTrace(bool stepping) {
    const bool record = m_traceWanted || stepping || m_speed > 0;
    m_trace.clear();
    m_shownRow = -1;
    if (record && traceLimit) {
        m_trace.setLimit(traceLimit());
    }
    m_ws.executor().setStepObserver(record ? &m_trace : nullptr);
    if (onTraceRestarted) {
        onTraceRestarted();
    }
}

void RunController::forgetRecording() {
    m_ws.executor().setStepObserver(nullptr);
    m_trace.clear();
    m_shownRow = -1;
    if (onTraceRestarted) {
        onTraceRestarted();
    }
}

// The live end: the block the run stands on, its board in front, the variables as they are.
void RunController::showLive() {
    leaveRecorded();
    const RunState& at = m_ws.executor().state();
    m_editor.showRunMark(at.runBoard, at.runColumn, at.runRow);
    m_host.showRunningCell(at.runBoard, at.runColumn, at.runRow);
    flushVariables();
    traceChanged();
}

void RunController::leaveRecorded() {
    if (m_shownRow != -1) {
        m_shownRow = -1;
        m_variablesDirty = true;  // the variables window shows recorded values
    }
}

bool RunController::canStepBack() const {
    if (m_inStep || m_trace.rowCount() == 0) {
        return false;
    }
    if (m_shownRow == -1) {
        return !running() || stepMode() || m_held;
    }
    return m_shownRow > 0;
}

bool RunController::canStepForward() const {
    return !m_inStep && m_shownRow != -1 && (m_shownRow + 1 < m_trace.rowCount() || running());
}

void RunController::stepBack() {
    if (canStepBack()) {
        showRecordedRow(m_shownRow == -1 ? m_trace.rowCount() - 1 : m_shownRow - 1);
    }
}

void RunController::stepForward() {
    if (!canStepForward()) {
        return;
    }
    if (m_shownRow + 1 < m_trace.rowCount()) {
        showRecordedRow(m_shownRow + 1);
    } else {
        showLive();
    }
}

void RunController::chooseRecordedRow(int row) {
    if (m_inStep || row < 0 || row >= m_trace.rowCount()) {
        return;
    }
    if (running() && !stepMode() && !m_held) {
        hold();
    }
    showRecordedRow(row);
}

// The moment after the row's block was performed: the mark on it, the variables it left, and
// the ones it changed lit.
void RunController::showRecordedRow(int row) {
    m_shownRow = row;
    const TraceRow recorded = m_trace.row(row);
    m_editor.showRunMark(recorded.at.board, recorded.at.column, recorded.at.row);
    m_host.showRunningCell(recorded.at.board, recorded.at.column, recorded.at.row);
    m_companions.report->showRecordedVariables(m_trace.variablesListAt(row),
                                               m_trace.variablesListAt(row - 1));
    const qint64 last = m_trace.row(m_trace.rowCount() - 1).step;
    m_host.showStatus(m_ws.texts().text(texts::StatusViewingStep).arg(recorded.step).arg(last));
    traceChanged();
}

void RunController::traceChanged() {
    if (onTraceChanged) {
        onTraceChanged();
    }
}

}  // namespace trevalon

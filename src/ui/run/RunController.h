#pragma once

#include <QTimer>
#include <functional>

#include "exec/ExecutionIo.h"
#include "exec/TraceTable.h"
#include "ui/run/PreparedInput.h"

namespace trevalon {

class Editor;
class MainHost;
class Workspace;
struct MainCompanions;
struct MainState;

// Runs the project inside the window: a full run advances in slices from a zero-interval
// timer, so that the windows repaint and "Przerwij wykonanie" stops even a flowchart that
// loops for ever; step mode advances one step per command and draws the current block's
// frame. It is also the run's ExecutionIo: the execution dialog, the variables report and the
// board titles as the executor sees them.
class RunController : public ExecutionIo {
public:
    // A slice ends when this much time has passed (Executor::runSlice reads the clock as the
    // work done asks for it: after one step over a long text, after thousands of cheap ones).
    static constexpr qint64 SliceMillis = 15;
    // The speed a run with given input goes at when the pupil chose full speed: 0.25 s a block.
    static constexpr int WatchedSpeed = 2;

    // Every argument must outlive the controller; the companions' execution dialog and report
    // show the run.
    RunController(Workspace& workspace, Editor& editor, MainState& state,
                  const MainCompanions& companions, MainHost& host);

    bool running() const;
    bool stepMode() const;
    // How many slices the current or last full run took.
    int slices() const { return m_slices; }

    void run();
    // A run to watch with its input given: read blocks and questions take `input`'s lines
    // without asking (the pupil types on when they run out), and a run set to full speed goes at
    // a watched one this time, so that it can be followed.
    void runWithInput(const QStringList& input);
    void startStepping();
    // One step, or with `skipConnectors` on to the next block that is not a connector.
    void nextStep(bool skipConnectors);
    // "Przerwij wykonanie": stops the run now, or as soon as the step in progress (waiting in
    // a dialog) returns.
    void abort();
    // Holds a full run between two slices without ending it (the close question is open), and
    // lets it go on.
    void pause();
    void resume();

    // The speed of a full run: 0 goes in slices as fast as it can; a watched speed performs one
    // block (with the connectors before it) per SpeedControl::BlockMillis, marking it, bringing
    // its board forward and lighting the variables it changed. It may change during a run.
    void setSpeed(int level);
    int speed() const { return m_speed; }
    // F6: holds a full or watched run between two blocks, or lets it go on. A run is also held
    // when it reaches a breakpoint. While held, F7 takes one step at a time.
    bool held() const { return m_held; }
    void togglePause();

    // The trace table records a run while its window is open, and every watched or stepped run,
    // so that the pupil can step back through it; a full-speed run with the window closed
    // records nothing and pays nothing for it.
    TraceTable& trace() { return m_trace; }
    void setTraceWanted(bool wanted) { m_traceWanted = wanted; }
    std::function<int()> traceLimit;
    // Told when rows were recorded or the shown row moved.
    std::function<void()> onTraceChanged;
    // Told when a run begins with a new record.
    std::function<void()> onTraceRestarted;
    // Stepping through the recorded steps while a run is held or stepping, or after it ended:
    // the board's mark, the variables window and the trace window show the moment after `row`
    // was performed. -1 is the live end. F7 always goes on from the live end.
    int shownRow() const { return m_shownRow; }
    bool canStepBack() const;
    bool canStepForward() const;
    void stepBack();
    void stepForward();
    // A row picked in the trace window: a full run going on is held first.
    void chooseRecordedRow(int row);
    // A new or opened project: no recorded run to step through.
    void forgetRecording();

    // ExecutionIo
    DialogClose showDialog(ExecutionDialogLogic& dialog) override;
    void closeDialog() override;
    void showVariables() override;
    void boardsChanged() override;
    void runStateChanged() override;
    bool abortRequested() override { return m_abortRequested; }

private:
    void slice();
    void watchedSlice();
    void hold();
    void goOn();
    void installTrace(bool stepping);
    void showLive();
    void showRecordedRow(int row);
    void leaveRecorded();
    void traceChanged();
    void began();
    void ended();
    void flushVariables();

    Workspace& m_ws;
    Editor& m_editor;
    MainState& m_state;
    const MainCompanions& m_companions;
    MainHost& m_host;
    QTimer m_timer;
    bool m_inStep = false;
    bool m_abortRequested = false;
    bool m_variablesDirty = false;
    bool m_firstShowing = false;
    bool m_wasRunning = false;
    int m_slices = 0;
    int m_speed = 0;
    bool m_held = false;
    bool m_traceWanted = false;
    int m_shownRow = -1;
    TraceTable m_trace;
    PreparedInput m_prepared;
    int m_speedAfterRun = -1;  // the speed to go back to when a run with given input ends
};

}  // namespace trevalon

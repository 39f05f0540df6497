#pragma once

#include <QTimer>

#include "exec/ExecutionIo.h"

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
    // Steps taken before the slice looks at the clock; a slice ends after about SliceMillis.
    static constexpr qint64 StepsPerCheck = 512;
    static constexpr qint64 SliceMillis = 15;

    // Every argument must outlive the controller; the companions' execution dialog and report
    // show the run.
    RunController(Workspace& workspace, Editor& editor, MainState& state,
                  const MainCompanions& companions, MainHost& host);

    bool running() const;
    bool stepMode() const;
    // How many slices the current or last full run took.
    int slices() const { return m_slices; }

    void run();
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

    // ExecutionIo
    DialogClose showDialog(ExecutionDialogLogic& dialog) override;
    void closeDialog() override;
    void showVariables() override;
    void boardsChanged() override;
    void runStateChanged() override;
    bool abortRequested() override { return m_abortRequested; }

private:
    void slice();
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
};

}  // namespace trevalon

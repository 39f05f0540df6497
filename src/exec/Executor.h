#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "calc/TCalcul.h"
#include "exec/Breakpoints.h"
#include "model/Project.h"

namespace trevalon {

class StepObserver;
class Variables;
class Workspace;
enum class DialogMode;

// Where a run stands. One per workspace.
struct RunState {
    bool running = false;
    bool stepMode = false;
    int runBoard = 1;
    int runColumn = 1;
    int runRow = 1;
    int currentKind = 0;  // kind of the current cell; 0 when it is empty
};

// Why the last run ended.
enum class RunEnd {
    None,         // no run yet, or still running
    Finished,     // the End block of board 1 was reached
    CheckFailed,  // a board failed its check; nothing ran
    Aborted,      // a run-time error ended it
    Stopped,      // the user stopped it ("Przerwij wykonanie")
    StepLimit,    // the step limit was reached first
    InputEnded,   // a block was waiting for input that will never come
    TimeLimit,    // the time limit of the Calculator's budget passed first
};

// Walks the flowchart: from the Start block of board 1, one cell at a time in the current
// board's direction, performing each block, until the End block of board 1. Links between
// blocks and boards are resolved once when the run begins; the project must not be edited
// while a run is in progress.
//
// The desktop program starts a run with startRun() and then calls runSlice() from a
// zero-interval timer until running() is false, so the window stays responsive and the user
// can abort between any two steps. run() does the same in one call, for the command-line tool.
//
// A run spends the Calculator's budget (TCalcul::budget(), RunBudget): a look at it ends the
// run at its time limit (RunEnd::TimeLimit), at its stop flag (RunEnd::Stopped) or over its
// memory limit (RunEnd::Aborted, with a message that says so), and a slice when the slice's
// time is up. Memory the system refuses (std::bad_alloc) during a step ends the run the same
// way, never the program.
//
// Breakpoints (Workspace::breakpoints()): when a run that is not in step mode reaches a cell
// with a breakpoint, it marks the cell and pauses before doing anything there: the block's
// dialog is not opened and the block is not performed. running() stays true and paused()
// turns true; runSlice() then does nothing until resume() (go on) or nextStep() (the paused
// block's dialog, the block itself, and the move to the next one). Neither pauses again on
// the same cell. Step mode needs no breakpoints: every step stops anyway. A block the flow
// only jumps through — a procedure's Start after a call, a branch start, the block an End
// returns to — is not performed on its own (the mark never rests there, in step mode either)
// and so never pauses; a breakpoint on the block after it does.
class Executor {
public:
    explicit Executor(Workspace& workspace);
    ~Executor();

    // "Uruchom projekt" in one call: begin, then steps until the run ends.
    void run();
    // "Uruchom projekt" for a caller that drives the steps itself with runSlice().
    bool startRun();
    // "Uruchom krok po kroku".
    void startStepping();
    // "Następny krok": one step while a run is in progress, otherwise nothing. With
    // `skipConnectors` the step goes on over lines, joins and corners and stops on the next
    // block; a ring of nothing but connectors stops after one lap of every square. From a
    // pause, the paused block's arrival (its dialog) comes first; a breakpoint met on the way
    // over connectors pauses the run there.
    void nextStep(bool skipConnectors = false);
    // Goes on from a pause: does what reaching the paused cell does (its dialog), after which
    // runSlice() or nextStep() carry on. Nothing when the run is not paused.
    void resume();
    bool paused() const { return m_paused; }
    // Switches a run in progress between stepping and running on (a window that lets the
    // pupil step from a pause, then run on at speed). Breakpoints pause only outside step mode.
    void setStepMode(bool stepping) { m_state.stepMode = stepping; }
    // Ends the run after a run-time error: the error message and the log's error line.
    void abort();
    // "Przerwij wykonanie": ends the run on the user's wish, told as information, not as an
    // error.
    void stop();

    // Checks every board and, when all pass, prepares the run at board 1's Start.
    bool begin();
    // Performs the current block, moves one cell and performs the new cell's arrival action.
    void step();
    // Performs up to `maxSteps` steps while the run goes on, stopping early when the
    // execution dialog asks for an abort, or, with `sliceMillis` above 0, when that much time
    // has passed (read as the budget reads the clock: after one step that went over a long
    // text, after a few thousand that did not). Answers the number of steps performed. The
    // dialog is asked after each block, and after each stretch of connectors: while nobody
    // watches the steps (no trace, no observer, no breakpoints, not stepping), the connectors
    // between two blocks are passed at once, with the same steps, marks and directions.
    qint64 runSlice(qint64 maxSteps, qint64 sliceMillis = 0);

    // Ends the run (RunEnd::StepLimit) once this many steps were taken; 0 for no limit.
    void setStepLimit(qint64 limit) { m_stepLimit = limit; }
    // Called before each step with its number, from 1, and the block about to be performed.
    using TraceFunction = std::function<void(qint64 step, const RunState& state)>;
    void setTrace(TraceFunction trace) { m_trace = std::move(trace); }
    // Told of every block after it is performed (see StepObserver); nullptr for none. The
    // observer must outlive the runs it watches or be removed first.
    void setStepObserver(StepObserver* observer) { m_observer = observer; }

    // Directions of flow, in the order of their letters "D", "T", "L", "R".
    enum Heading { Down, Up, Left, Right };
    // The direction ("D", "T", "L", "R") in which the flow leaves a junction or corner of
    // `kind` that it reached moving `arriving`; other kinds keep the direction.
    static QString turned(int kind, int mode, const QString& arriving);
    static Heading turn(int kind, int mode, Heading arriving);

    const RunState& state() const { return m_state; }
    bool running() const { return m_state.running; }
    qint64 stepsTaken() const { return m_steps; }
    RunEnd lastEnd() const { return m_end; }

private:
    void loadVariables();
    void resolveLinks();
    void resolveCell(const Cell& cell, std::size_t at);
    void resolveConnectorRuns(int board);
    bool skipConnectors(qint64 room);
    void performCurrent();
    void move();
    bool pausesHere() const { return !m_state.stepMode && m_breakpoints.hasSlot(currentSlot()); }
    void arriveAndCount();
    void arrive();
    QString render(const QString& comment) const;
    void openDialog(DialogMode mode, int titleText, const QString& text, const Cell& cell);
    void jumpTo(std::size_t from);
    void callBoard();
    void placeAt(const CellRef& at);
    bool evaluate(const QString& formula, bool logFormula, QString& result);
    bool evaluate(const PreparedFormula& formula, bool wantResult, QString& result);
    void assign();
    void storeResult(const QString& formula, bool logFormula);
    void formulaFailed(const QString& formula);
    void compare();
    void drawRandom(const Cell& cell);
    struct StoreName;
    const QString* storedValue(StoreName& name);
    QString blockValue(const QString& name, StoreName& stored);
    std::optional<qint64> indexValue(const QString& variable, StoreName& stored);
    void writeArray(Cell& cell);
    void readArray(const Cell& cell);
    int storedArraySlot();
    bool writeArrayElement(Cell& cell, qint64 index, const QString& element);
    bool readArrayElement(const QString& element);
    void failProcessing();
    // Ends the run with a run-time error whose message is `text` alone.
    void endWithError(const QString& text);
    // Ends the run as the budget says it must (time, stop, memory); false when it need not.
    bool endOverBudget();
    bool checkEndedByBudget();
    void outOfMemory();
    void finish(RunEnd end);
    void end(RunEnd why);
    void readLogLevel();
    bool detailed() const { return m_detailed; }
    // Each board's direction, kept here for speed and written into the model when it changes.
    Heading heading() const { return m_heading[static_cast<std::size_t>(m_state.runBoard - 1)]; }
    void setHeading(int board, Heading heading);
    void setMark(bool marked);
    void clearMarks(int n);
    static std::size_t slot(int board, int column, int row) {
        return static_cast<std::size_t>(((board - 1) * kGridSize + (column - 1)) * kGridSize +
                                        (row - 1));
    }
    std::size_t currentSlot() const {
        return slot(m_state.runBoard, m_state.runColumn, m_state.runRow);
    }

    Workspace& m_workspace;
    Project& m_project;
    Variables& m_variables;
    const Breakpoints& m_breakpoints;
    RunBudget& m_budget;
    RunState m_state;
    // The board and cell of the current position, so that a step need not look them up.
    Board* m_board = nullptr;
    Cell* m_cell = nullptr;
    RunEnd m_end = RunEnd::None;
    qint64 m_steps = 0;
    qint64 m_stepLimit = 0;
    TraceFunction m_trace;
    StepObserver* m_observer = nullptr;
    bool m_paused = false;
    bool m_conditionHeld = false;  // the last comparison's outcome, for the observer
    bool m_detailed = false;
    std::array<Heading, kMaxBoards> m_heading{Down, Down, Down};
    // Jump targets of End, branch-end and call blocks, by cell, resolved when the run begins.
    static constexpr std::size_t kSlots = kMaxBoards * kGridSize * kGridSize;
    std::array<std::optional<CellRef>, kSlots> m_targets;
    // The formula each assignment and comparison hands to the Calculator, built once.
    std::array<PreparedFormula, kSlots> m_formulas;
    // A variable as the store names it (upper case), with the slot it was found in. An array
    // block reads its variables on every step; the slot is looked up by name again only when
    // variables came or went since (TText::generation), not on every step.
    struct StoreName {
        QString upper;
        quint64 generation = 0;  // no store has generation 0: nothing found yet
        int slot = -1;
        // The slot of `upper` in `store`, -1 when it is not there.
        int slotIn(const TText& store) {
            if (generation != store.generation()) {
                slot = store.slotOf(upper);
                generation = store.generation();
            }
            return slot;
        }
    };
    // An array block's variables. The array and the target are empty when the name is not one
    // a formula reads as a plain assignment target.
    struct ArrayNames {
        StoreName array;
        StoreName target;
        StoreName index;
        StoreName value;  // a write's element
    };
    std::array<ArrayNames, kSlots> m_arrayNames;
    // From a connector reached moving each way: the steps over connectors up to the next block,
    // where they end and which way the board then heads, so that a run nobody watches step by
    // step passes them in one go (see skipConnectors). No steps: nothing to pass.
    struct ConnectorRun {
        qint16 steps = 0;
        qint8 column = 0;
        qint8 row = 0;
        Heading heading = Down;
    };
    std::array<ConnectorRun, kSlots * 4> m_connectorRuns;
};

}  // namespace trevalon

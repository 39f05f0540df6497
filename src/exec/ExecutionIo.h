#pragma once

namespace trevalon {

class ExecutionDialogLogic;

// How a showing of the execution dialog ended.
enum class DialogClose {
    Closed,          // the user closed it, entered a value or answered the question
    AbortRequested,  // Ctrl+F or "Przerwij wykonanie" while it was open
    InputEnded,      // nothing more can be read (a terminal's standard input ended)
};

// The execution dialog and the other things a run shows, as the executor sees them. The desktop
// program implements it with its windows, the command-line tool with the terminal, tests with
// scripted answers. Every call comes from the thread that drives the run.
class ExecutionIo {
public:
    virtual ~ExecutionIo() = default;

    // Shows the dialog for one read, write, message or question block and returns when it is
    // closed. Title, text, mode and target type come from `dialog`; entering a value and
    // answering a question go through it too, so the dialog only draws and forwards keys.
    virtual DialogClose showDialog(ExecutionDialogLogic& dialog) = 0;

    // Closes the dialog if it is open; the run was aborted from elsewhere.
    virtual void closeDialog() {}

    // The variable-state table should show the current values (see variablesReportRows).
    virtual void showVariables() {}

    // The run moved to another board, or a board's title needs redrawing.
    virtual void boardsChanged() {}

    // The current block moved, or the run started or ended; a step-mode frame is redrawn.
    virtual void runStateChanged() {}

    // Polled between steps (a stretch of connectors counts as one, see Executor::runSlice):
    // true when the user asked to stop the run.
    virtual bool abortRequested() { return false; }
};

// An ExecutionIo for runs that show nothing: every dialog is closed at once.
class SilentExecutionIo : public ExecutionIo {
public:
    DialogClose showDialog(ExecutionDialogLogic&) override { return DialogClose::Closed; }
};

}  // namespace trevalon

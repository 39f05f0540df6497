#pragma once

#include <QString>

class QWidget;

namespace trevalon {

class CompanionPanel;

// What the main window's helpers (commands, menus, project commands, run controller) need of
// the window itself: its widget as the owner of dialogs and menus, its status line and title,
// its run buttons, the board windows' visibility and the window's own size and state. The
// helpers reach the project through the workspace and the boards through the editor, never
// through the window.
class MainHost {
public:
    virtual ~MainHost() = default;

    // Owner of the helpers' dialogs, menus and timers; menus open at offsets from it.
    virtual QWidget& widget() = 0;

    virtual void showStatus(const QString& text) = 0;
    // The title strip and the task bar name the open project.
    virtual void setHeader() = 0;
    // Shows the run buttons as the run state asks.
    virtual void updateRunButtons() = 0;
    // A project was opened or created (or none is open any more): the start page follows.
    virtual void projectStateChanged() = 0;
    // Sets every text of the program's windows in `language` and remembers the choice.
    virtual void setLanguage(const QString& language) = 0;

    // The board windows and the companions beside them.
    virtual void showBoardWindow(int n) = 0;
    virtual void hideBoardWindow(int n) = 0;
    virtual void showProjectBoards() = 0;
    // The active board's title shows it is active, and it comes to the front.
    virtual void titlesChanged() = 0;
    virtual void showProperties(int kind) = 0;
    virtual void hideReport() = 0;
    // Shows a companion panel (the trace, the test results) beside the boards and the variables
    // window.
    virtual void showPanel(CompanionPanel& panel) = 0;
    virtual void copyActiveBoardPicture() = 0;
    // Paints the visible boards now rather than at the next turn of the event loop: a run's
    // dialog about to open must find the current block's mark already on the screen.
    virtual void paintBoardsNow() = 0;
    // A watched run's block: its board comes forward (without the keyboard) and scrolls the
    // cell into view.
    virtual void showRunningCell(int n, int column, int row) = 0;
    // Draws board n again (its breakpoints changed).
    virtual void redrawBoard(int n) = 0;
    // The active board's zoom one step larger (> 0), smaller (< 0) or back to 100 % (0).
    virtual void zoomActiveBoard(int direction) = 0;

    // The window itself.
    virtual bool maximised() const = 0;
    virtual void toggleMaximised() = 0;
    virtual void minimise() = 0;
    virtual void closeWindow() = 0;
};

}  // namespace trevalon

#pragma once

namespace trevalon {

class BoardCheck;
class Workspace;

// The check as the program's commands show it, through the workspace's report window and
// message dialog: the Calculator's failures the check met (warnings), then the result. The
// check itself (BoardCheck) shows nothing; a run shows a failed check itself (Executor::begin).

// "Sprawdź planszę": checks the active board and shows its report. Answers whether it passed.
bool checkActiveBoard(Workspace& workspace);

// "Sprawdź projekt": checks the boards in order up to the first failure. All passing, the
// project report; otherwise the failing board's report and texts::BoardCheckFailed as
// information. `check` keeps the last board's result. Answers whether every board passed.
bool checkProject(Workspace& workspace, BoardCheck& check);
bool checkProject(Workspace& workspace);

// Shows the Calculator's failures the last check met, each as a warning.
void showCheckTroubles(Workspace& workspace, const BoardCheck& check);

}  // namespace trevalon

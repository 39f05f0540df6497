#include "exec/CheckCommands.h"

#include "config/MessageSink.h"
#include "config/TextIds.h"
#include "exec/BoardCheck.h"
#include "exec/Workspace.h"

namespace trevalon {

bool checkActiveBoard(Workspace& workspace) {
    BoardCheck check(workspace.checkTools());
    const bool passed = check.checkBoard(workspace.project().activeBoard);
    showCheckTroubles(workspace, check);
    showBoardCheck(workspace.checkReport(), check.lastResult(), workspace.texts());
    return passed;
}

bool checkProject(Workspace& workspace, BoardCheck& check) {
    const bool passed = check.checkEveryBoard();
    showCheckTroubles(workspace, check);
    if (passed) {
        workspace.checkReport().showProjectReport(workspace.projectName());
        return true;
    }
    // The failing board's result stands as it was found, marks included; checking it again
    // could draw other test values and report something else.
    showBoardCheck(workspace.checkReport(), check.lastResult(), workspace.texts());
    workspace.messages().showMessage(MessageSink::Close, MessageSink::Information,
                                     workspace.texts().text(texts::BoardCheckFailed));
    return false;
}

bool checkProject(Workspace& workspace) {
    BoardCheck check(workspace.checkTools());
    return checkProject(workspace, check);
}

void showCheckTroubles(Workspace& workspace, const BoardCheck& check) {
    for (const Status& trouble : check.troubles()) {
        workspace.messages().showStatus(trouble, workspace.texts());
    }
}

}  // namespace trevalon

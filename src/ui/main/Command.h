#pragma once

namespace trevalon {

// Every command of the main window: menu items, toolbar buttons and keys all end here.
enum class Command {
    NewProject,
    NewBoard,
    OpenProject,
    SaveProject,
    SaveAs,
    Close,
    ToggleProperties,
    ToggleVariables,
    HideAuxiliary,
    CopyPicture,
    ShowSchema,
    CheckBoard,
    CheckProject,
    Run,
    StepByStep,
    NextStep,
    Abort,
    Help,
    About,
    Polish,
    English,
    EventLog,
    Settings,
    Restore,
    Minimise,
    Maximise,
    CloseProgram,
    DeleteBlock,
    ShowBoards,
    Undo,
    Redo,
    CutBlocks,
    CopyBlocks,
    PasteBlocks,
    PauseRun,
    ToggleBreakpoint,
    StepBack,
    StepForward,
    ShowTrace,
    CheckWithTests,
};

}  // namespace trevalon

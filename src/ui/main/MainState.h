#pragma once

#include <QString>

namespace trevalon {

// What the main window knows about the session beyond the project model itself.
struct MainState {
    bool projectOpen = false;
    // Set by a new board or a recovered copy, cleared by a new project, a save or an open.
    bool unsavedNew = false;
    // Empty for a project that has no file of its own yet.
    QString projectPath;
    // Set by every board or project check; enables the report window's commands.
    bool checkDone = false;
    // The current directory when the program started: the help page lives under it.
    QString startFolder;
};

}  // namespace trevalon

#pragma once

#include <QUrl>
#include <functional>

#include "ui/main/Command.h"
#include "ui/main/WindowHost.h"

class QKeyEvent;

namespace trevalon {

class Editor;
class MainHost;
class MainMenus;
class ProjectCommands;
class RunController;
class SettingsStore;
class Workspace;
struct MainCompanions;
class PrintCommands;
struct MainState;

// The main window's command table: what each command does, when it may run (from a key or a
// button), when its menu item is enabled, and the keys that start commands in every window.
class MainCommands {
public:
    // The helpers the commands hand their work to; each must outlive the command table.
    struct Helpers {
        ProjectCommands& files;
        RunController& run;
        MainMenus& menus;
        PrintCommands& print;
    };

    // Every argument must outlive the command table.
    MainCommands(Workspace& workspace, SettingsStore& settings, MainState& state, Editor& editor,
                 const Helpers& helpers, const MainCompanions& companions, MainHost& host);

    // The command table's condition, checked before a command runs from any source.
    bool allowed(Command command) const;
    // The rule of the command's menu item, applied when its menu opens.
    bool menuEnabled(Command command) const;
    // Runs `command` when it is allowed; otherwise nothing (About beeps while running).
    void execute(Command command);
    // A key of the key table pressed in one of the windows; true when it started something.
    bool handleKey(QKeyEvent* event, KeySource source);
    // A toolbar button with its tag. A block button without a project says in the status line
    // how to get one.
    void toolbarButton(int tag);
    // The key that starts `command` in the key table, as menus and the start page show it
    // ("Ctrl+N"); empty for a command without a key.
    static QString keyText(Command command);
    // The menu item's text when it names what it does ("Cofnij: usunięcie bloku Pisz6"), or
    // empty for the item's own text.
    QString menuLabel(Command command) const;

    // How the help page is opened; the system's handler unless replaced (tests do).
    std::function<bool(const QUrl&)> openUrl;

private:
    bool projectOpen() const;
    bool running() const;
    // The groups of the command table, each true when it ran `command`.
    bool executeProjectCommand(Command command);
    bool executeBlockCommand(Command command);
    bool executeViewCommand(Command command);
    bool executeRunCommand(Command command);
    bool executeProgramCommand(Command command);
    void checkBoard();
    void toggleBreakpoint();
    void checkProject();
    void toggleProperties();
    void toggleVariables();
    void openHelp();
    // The help page in the interface's language, where it is found; under the start folder if
    // nowhere.
    QString helpPage() const;
    bool handleCtrl(int key, KeySource source);
    bool handleAlt(int key);
    bool handlePlain(int key, KeySource source);

    Workspace& m_ws;
    SettingsStore& m_settings;
    MainState& m_state;
    Editor& m_editor;
    Helpers m_helpers;
    const MainCompanions& m_companions;
    MainHost& m_host;
};

}  // namespace trevalon

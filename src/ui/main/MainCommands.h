#pragma once

#include <QUrl>
#include <functional>
#include <span>

#include "ui/main/Command.h"
#include "ui/main/CommandTable.h"
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

// The main window's commands: what each one does and when it may run, named by the rows of
// the command table (ui/main/CommandTable.h), and the keys that start them in every window.
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
    // The table names the rules and actions below.
    friend std::span<const CommandRow> commandTable();

    // The rules of the table.
    bool always() const { return true; }
    bool open() const;
    bool running() const;
    bool idle() const { return !running(); }
    bool openIdle() const { return open() && idle(); }
    bool canAddBoard() const;
    bool unsavedChanges() const;
    bool blocksChosen() const;
    bool canUndo() const;
    bool canRedo() const;
    bool canPaste() const;
    bool variablesReady() const;
    bool schemaHasBlocks() const;
    bool canTakeNextStep() const;
    bool canPause() const;
    bool canStepBack() const;
    bool canStepForward() const;
    bool notPolish() const;
    bool notEnglish() const;
    bool maximised() const;
    bool notMaximised() const { return !maximised(); }

    // The actions of the table.
    void newProject();
    void newBoard();
    void openProject();
    void save();
    void saveAs();
    void print();
    void exportPdf();
    void exportSvg();
    void undo();
    void redo();
    void cutBlocks();
    void copyBlocks();
    void pasteBlocks();
    void deleteBlock();
    void closeWindow();
    void toggleProperties();
    void showProperties();
    void toggleVariables();
    void showBoards();
    void hideAuxiliary();
    void showTrace();
    void showCode();
    void zoomIn();
    void zoomOut();
    void zoomReset();
    void copyPicture();
    void showSchema();
    void checkBoard();
    void checkProject();
    void checkWithTests();
    void run();
    void startStepping();
    void nextStep();
    void pauseRun();
    void stepBack();
    void stepForward();
    void abort();
    void toggleBreakpoint();
    void openHelp();
    void about();
    void polish();
    void english();
    void eventLog();
    void settings();
    void toggleMaximised();
    void minimise();

    // The help page in the interface's language, where it is found; under the start folder if
    // nowhere.
    QString helpPage() const;

    Workspace& m_ws;
    SettingsStore& m_settings;
    MainState& m_state;
    Editor& m_editor;
    Helpers m_helpers;
    const MainCompanions& m_companions;
    MainHost& m_host;
};

}  // namespace trevalon

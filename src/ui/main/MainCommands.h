#pragma once

#include <QUrl>
#include <functional>

#include "ui/main/Command.h"
#include "ui/main/WindowHost.h"

class QKeyEvent;

namespace trevalon {

class TFGlowny;

// The main window's command table: what each command does, when it may run (from a key or a
// button), when its menu item is enabled, and the keys that start commands in every window.
class MainCommands {
public:
    explicit MainCommands(TFGlowny& main);

    // The command table's condition, checked before a command runs from any source.
    bool allowed(Command command) const;
    // The rule of the command's menu item, applied when its menu opens.
    bool menuEnabled(Command command) const;
    // Runs `command` when it is allowed; otherwise nothing (About beeps while running).
    void execute(Command command);
    // A key of the key table pressed in one of the windows; true when it started something.
    bool handleKey(QKeyEvent* event, KeySource source);
    // A toolbar button with its tag.
    void toolbarButton(int tag);

    // How the help page is opened; the system's handler unless replaced (tests do).
    std::function<bool(const QUrl&)> openUrl;

private:
    bool projectOpen() const;
    bool running() const;
    void checkBoard();
    void checkProject();
    void toggleProperties();
    void toggleVariables();
    void openHelp();
    bool handleCtrl(int key);
    bool handleAlt(int key);
    bool handlePlain(int key, KeySource source);

    TFGlowny& m_main;
};

}  // namespace trevalon

#pragma once

#include <QPoint>
#include <QString>

#include "ui/main/Command.h"

class QKeyEvent;

namespace trevalon {

class Breakpoints;
class Editor;

// Which window a key was pressed in; the key table differs slightly between them.
enum class KeySource { Main, Board, Properties, Report };

// What the companion windows (boards, report) need of the main window.
class WindowHost {
public:
    virtual ~WindowHost() = default;

    // Handles a key of the main window's key table; true when the key meant something.
    virtual bool handleKey(QKeyEvent* event, KeySource source) = 0;
    virtual void showStatus(const QString& text) = 0;
    // Top-left corner of the main window on the screen: companions keep offsets from it.
    virtual QPoint origin() const = 0;
    virtual Editor& editor() = 0;
    // Commands of the board popup menu that belong to the main window.
    virtual void checkActiveBoard() = 0;
    virtual void copyActiveBoardPicture() = 0;
    // Cut, copy and paste of blocks, as the main window's keys do them.
    virtual void executeCommand(Command command) = 0;
    virtual bool commandAllowed(Command command) const = 0;
    // Where runs pause, drawn on the boards.
    virtual const Breakpoints& breakpoints() const = 0;
    // Board n's window changed its size (its zoom): the windows beside the boards follow.
    virtual void boardResized(int n) = 0;
};

}  // namespace trevalon

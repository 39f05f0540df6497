#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <span>

#include "ui/main/Command.h"
#include "ui/main/WindowHost.h"

namespace trevalon {

class MainCommands;
class TextTable;

// Where a command's item stands: one of the main window's pop-up menus (the first five in the
// order of MainMenus::Which), the Help menu's language submenu, or no menu at all.
enum class MenuPlace { File, Show, Run, Help, Window, Language, None };

// The windows whose keys reach the key table, as bits of KeySource.
enum KeyWindows : unsigned {
    InMain = 1u << static_cast<unsigned>(KeySource::Main),
    InBoard = 1u << static_cast<unsigned>(KeySource::Board),
    InProperties = 1u << static_cast<unsigned>(KeySource::Properties),
    InReport = 1u << static_cast<unsigned>(KeySource::Report),
    // Where blocks are chosen: elsewhere the same keys edit text.
    OnBoards = InMain | InBoard,
    Everywhere = InMain | InBoard | InProperties | InReport,
};

// One key that starts a command.
struct CommandKey {
    // QKeySequence's portable text, as menus and the help show it ("Ctrl+N", "Shift+F7"); null
    // for an unused place of the row.
    const char* sequence = nullptr;
    unsigned windows = Everywhere;
    // The function keys that take no modifier of their own also start their command with
    // Shift, Meta or several modifiers held; only Ctrl, Alt and Ctrl+Alt alone leave them alone.
    bool anyModifiers = false;
    // False for a second way to type a listed key (Ctrl+= where "+" needs Shift): it works but
    // the menus, the help and the README show the listed one.
    bool listed = true;
};

// A command described once: its menu item, keys, toolbar button, when it may run and what it
// does. The menus, the toolbar, the key handling and the key lists of the help and the README
// are all made from these rows.
struct CommandRow {
    Command command;
    // The command's name in the help's key table ("Run").
    const char* id = nullptr;
    MenuPlace menu = MenuPlace::None;
    // The menu item's object name; null for a command without an item.
    const char* item = nullptr;
    // Its text in the text table; a command without an item has one too, for the key lists.
    int text = 0;
    // A name no language changes (the languages' own names), used instead of `text`.
    const char* fixedText = nullptr;
    // A separator stands above the item in its menu.
    bool separatorBefore = false;
    std::array<CommandKey, 3> keys{};
    // The toolbar button's tag (MainToolbar::Tag...); 0 for none.
    int toolbar = 0;
    // When the command may run, from any source; checked again before it runs.
    bool (MainCommands::*allowed)() const = nullptr;
    // When its menu item is enabled, where that differs from `allowed`.
    bool (MainCommands::*menuEnabled)() const = nullptr;
    void (MainCommands::*run)() = nullptr;
};

// A menu opened by a key of its own (Alt and the letter its title underlines in Polish).
struct MenuKey {
    MenuPlace menu;
    int title;  // the menu title's text
    const char* sequence;
};

// The rows, in the order their items stand in the menus. One row per command.
std::span<const CommandRow> commandTable();
const CommandRow& commandRow(Command command);
// The keys that open the menus, and the first and last of the keys that set the event-log
// level (Ctrl+Alt and a digit, in the main window only).
std::span<const MenuKey> menuKeys();
constexpr std::pair<const char*, const char*> kLogLevelKeys{"Ctrl+Alt+0", "Ctrl+Alt+4"};

// The key that starts `command` as the menus show it ("Ctrl+N"); empty for none.
QString keyText(Command command);
// Every listed key of `command`, the first as keyText gives it.
QStringList listedKeys(Command command);

// The command that `key` with exactly `modifiers` starts in window `source`; nothing when the
// key means nothing there. The caller leaves out the modifiers it does not tell apart (the
// keypad's).
std::optional<Command> commandForKey(int key, Qt::KeyboardModifiers modifiers, KeySource source);
std::optional<MenuPlace> menuForKey(int key, Qt::KeyboardModifiers modifiers);
// The event-log level a key sets, or nothing.
std::optional<int> logLevelForKey(int key, Qt::KeyboardModifiers modifiers, KeySource source);

// The key lists of the README (Markdown, English) and of the help pages (HTML): what the test
// that keeps them in step with the table compares them with.
QString readmeKeyList(const TextTable& english);
// The keys of `commands` in the help's own markup: the keys of one command joined by ", ",
// those of several commands by " / ". "menus" and "log-level" name the menus' keys and the
// event-log levels.
QString helpKeys(const QStringList& commands);

}  // namespace trevalon

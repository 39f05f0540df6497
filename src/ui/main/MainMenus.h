#pragma once

#include <QString>
#include <array>
#include <functional>
#include <map>

#include "ui/main/Command.h"

class QAction;
class QMenu;
class QWidget;

namespace trevalon {

class TextTable;

// The main window's pop-up menus, opened from the labels of its title and menu strips at fixed
// places; their items are the command table's rows (ui/main/CommandTable.h), in its order. The
// items are enabled afresh each time a menu opens.
class MainMenus {
public:
    enum Which { File, Show, Run, Help, Window };

    // What an item does, and whether it may be chosen now.
    using Execute = std::function<void(Command)>;
    using Enabled = std::function<bool(Command)>;

    // The menus belong to `window` and open at offsets from it; `texts` and `window` must
    // outlive the menus.
    MainMenus(QWidget& window, const TextTable& texts, Execute execute, Enabled enabled);

    void popup(Which which);
    void applyTexts();
    // Enables every item by the rules of the command table.
    void updateState();

    // The text of an item that names what it does, or empty for its own text.
    std::function<QString(Command)> label;
    // The File menu's recent projects: the paths, most recent first (those whose file is gone
    // are left out), opening one, and emptying the list.
    std::function<QStringList()> recentProjects;
    std::function<void(const QString&)> openRecent;
    std::function<void()> clearRecent;

    QMenu* menu(Which which) const { return m_menus[which]; }
    QMenu* languageMenu() const { return m_language; }
    QMenu* recentMenu() const { return m_recent; }
    QAction* action(Command command) const;

private:
    QAction* addTo(QMenu* menu, Command command, const char* name);
    QAction* insertAfter(Command command, QMenu* submenu);
    void fillRecent();

    QWidget& m_window;
    const TextTable& m_texts;
    Execute m_execute;
    Enabled m_enabled;
    std::array<QMenu*, 5> m_menus{};
    QMenu* m_language = nullptr;
    QAction* m_languageItem = nullptr;
    QMenu* m_recent = nullptr;
    QAction* m_recentItem = nullptr;
    std::map<Command, QAction*> m_actions;
};

}  // namespace trevalon

#pragma once

#include <array>
#include <map>

#include "ui/main/Command.h"

class QAction;
class QMenu;

namespace trevalon {

class TFGlowny;

// The main window's pop-up menus, opened from the labels of its title and menu strips at fixed
// places. Their items are enabled afresh each time a menu opens.
class MainMenus {
public:
    enum Which { File, Show, Run, Help, Window };

    explicit MainMenus(TFGlowny& main);

    void popup(Which which);
    void applyTexts();
    // Enables the items of `which` by the rules of its menu.
    void updateState(Which which);

    QMenu* menu(Which which) const { return m_menus[which]; }
    QMenu* languageMenu() const { return m_language; }
    QAction* action(Command command) const;

private:
    QAction* add(Which which, Command command, const char* name);
    QAction* addTo(QMenu* menu, Command command, const char* name);

    TFGlowny& m_main;
    std::array<QMenu*, 5> m_menus{};
    QMenu* m_language = nullptr;
    QAction* m_languageItem = nullptr;
    std::map<Command, QAction*> m_actions;
};

}  // namespace trevalon

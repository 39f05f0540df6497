#include "ui/main/MainMenus.h"

#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "ui/main/CommandTable.h"

namespace trevalon {
namespace {

static_assert(static_cast<int>(MenuPlace::File) == MainMenus::File &&
              static_cast<int>(MenuPlace::Show) == MainMenus::Show &&
              static_cast<int>(MenuPlace::Run) == MainMenus::Run &&
              static_cast<int>(MenuPlace::Help) == MainMenus::Help &&
              static_cast<int>(MenuPlace::Window) == MainMenus::Window);

// Where each menu opens, from the main window's top-left corner.
constexpr std::array<QPoint, 5> kMenuPlaces{
    {QPoint(15, 45), QPoint(68, 45), QPoint(135, 45), QPoint(175, 45), QPoint(25, 20)}};

constexpr std::array<const char*, 5> kMenuNames{"PopMenuPlik", "PopMenuEdycja", "PopMenuWykonaj",
                                                "PopMenuPomoc", "PopMenuLeft"};

}  // namespace

MainMenus::MainMenus(QWidget& window, const TextTable& texts, Execute execute, Enabled enabled)
    : m_window(window),
      m_texts(texts),
      m_execute(std::move(execute)),
      m_enabled(std::move(enabled)) {
    for (std::size_t i = 0; i < m_menus.size(); ++i) {
        m_menus[i] = new QMenu(&window);
        m_menus[i]->setObjectName(QLatin1String(kMenuNames[i]));
        QObject::connect(m_menus[i], &QMenu::aboutToShow, m_menus[i], [this] { updateState(); });
    }
    // The submenus first: the language items go into theirs.
    m_recent = new QMenu(m_menus[File]);
    m_recent->setObjectName(QStringLiteral("MOstatnieMenu"));
    m_language = new QMenu(m_menus[Help]);
    m_language->setObjectName(QStringLiteral("MLangMenu"));
    for (const CommandRow& row : commandTable()) {
        if (row.menu == MenuPlace::None) {
            continue;
        }
        QMenu* menu =
            row.menu == MenuPlace::Language ? m_language : m_menus[static_cast<Which>(row.menu)];
        if (row.separatorBefore) {
            menu->addSeparator();
        }
        QAction* action = addTo(menu, row.command, row.item);
        if (row.fixedText) {
            action->setText(QLatin1String(row.fixedText));
        }
    }
    m_recentItem = insertAfter(Command::OpenProject, m_recent);
    m_recentItem->setObjectName(QStringLiteral("MOstatnie"));
    m_languageItem = insertAfter(Command::About, m_language);
    m_languageItem->setObjectName(QStringLiteral("MLang"));
}

// The submenu's item goes right below `command`'s item, in the same menu.
QAction* MainMenus::insertAfter(Command command, QMenu* submenu) {
    QAction* above = action(command);
    QMenu* menu = submenu->parentWidget() ? qobject_cast<QMenu*>(submenu->parentWidget()) : nullptr;
    const QList<QAction*> items = menu->actions();
    const qsizetype at = items.indexOf(above) + 1;
    return at < items.size() ? menu->insertMenu(items[at], submenu) : menu->addMenu(submenu);
}

QAction* MainMenus::addTo(QMenu* menu, Command command, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    // The item knows its keys, but Qt never binds them: an item's key counts only where the
    // menu itself has the focus, and a pop-up menu's items not even there. The key table
    // (MainCommands::handleKey) binds them in every window, with the rules each key has there.
    QList<QKeySequence> keys;
    for (const QString& key : listedKeys(command)) {
        keys << QKeySequence::fromString(key);
    }
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(action, &QAction::triggered, menu, [this, command] { m_execute(command); });
    m_actions[command] = action;
    return action;
}

QAction* MainMenus::action(Command command) const {
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

void MainMenus::applyTexts() {
    const TextTable& texts = m_texts;
    for (const CommandRow& row : commandTable()) {
        if (row.menu == MenuPlace::None || row.fixedText) {
            continue;
        }
        QString caption = texts.text(row.text);
        const QString key = keyText(row.command);
        if (!key.isEmpty()) {
            // A tab shows the key on the right; the key table binds it (see addTo).
            caption += QLatin1Char('\t') + key;
        }
        action(row.command)->setText(caption);
    }
    m_languageItem->setText(texts.text(texts::MenuLanguage));
    m_recentItem->setText(texts.text(texts::StartPageRecent));
}

void MainMenus::updateState() {
    for (const auto& [command, item] : m_actions) {
        item->setEnabled(m_enabled(command));
    }
    applyTexts();
    // Undo and redo name what they would do.
    for (const Command command : {Command::Undo, Command::Redo}) {
        const QString named = label ? label(command) : QString();
        if (!named.isEmpty()) {
            action(command)->setText(named + QLatin1Char('\t') + keyText(command));
        }
    }
    m_languageItem->setEnabled(m_enabled(Command::Polish) || m_enabled(Command::English));
    m_recentItem->setEnabled(m_enabled(Command::OpenProject));
    fillRecent();
}

// Numbered for the keyboard, the project's name with its folder beside it where keys stand.
void MainMenus::fillRecent() {
    m_recent->clear();
    const QStringList paths = recentProjects ? recentProjects() : QStringList();
    int shown = 0;
    for (const QString& path : paths) {
        const QFileInfo file(path);
        if (!file.isFile()) {
            continue;
        }
        ++shown;
        QString name = file.completeBaseName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString number =
            shown < 10 ? QStringLiteral("&%1 ").arg(shown) : QStringLiteral("%1 ").arg(shown);
        QAction* item = m_recent->addAction(number + name + QLatin1Char('\t') +
                                            QDir::toNativeSeparators(file.absolutePath()));
        item->setObjectName(QStringLiteral("MOstatni%1").arg(shown));
        QObject::connect(item, &QAction::triggered, m_recent, [this, path] {
            if (openRecent) {
                openRecent(path);
            }
        });
    }
    if (shown == 0) {
        m_recent->addAction(m_texts.text(texts::MenuNoRecent))->setEnabled(false);
        return;
    }
    m_recent->addSeparator();
    QAction* clear = m_recent->addAction(m_texts.text(texts::MenuClearRecent));
    clear->setObjectName(QStringLiteral("MWyczyscOstatnie"));
    QObject::connect(clear, &QAction::triggered, m_recent, [this] {
        if (clearRecent) {
            clearRecent();
        }
    });
}

void MainMenus::popup(Which which) {
    updateState();
    m_menus[which]->popup(m_window.mapToGlobal(kMenuPlaces[which]));
}

}  // namespace trevalon

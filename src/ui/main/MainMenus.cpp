#include "ui/main/MainMenus.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "ui/main/MainCommands.h"

namespace trevalon {
namespace {

struct ItemText {
    Command command;
    int text;
};

constexpr ItemText kItemTexts[] = {
    {Command::NewProject, texts::MenuNewProject},
    {Command::NewBoard, texts::MenuNewBoard},
    {Command::OpenProject, texts::MenuOpenProject},
    {Command::SaveProject, texts::MenuSaveProject},
    {Command::SaveAs, texts::MenuSaveAs},
    {Command::Close, texts::Close},
    {Command::ToggleProperties, texts::MenuToggleProperties},
    {Command::ToggleVariables, texts::MenuToggleVariables},
    {Command::HideAuxiliary, texts::MenuHideAuxiliary},
    {Command::CopyPicture, texts::MenuCopyPicture},
    {Command::ShowSchema, texts::MenuShowSchema},
    {Command::CheckBoard, texts::MenuCheckBoard},
    {Command::CheckProject, texts::MenuCheckProject},
    {Command::Run, texts::MenuRun},
    {Command::StepByStep, texts::MenuStepByStep},
    {Command::NextStep, texts::MenuNextStep},
    {Command::Abort, texts::MenuAbort},
    {Command::Help, texts::MenuHelp},
    {Command::About, texts::MenuAbout},
    {Command::EventLog, texts::EventLogTitle},
    {Command::Settings, texts::SettingsTitle},
    {Command::Restore, texts::WindowRestore},
    {Command::Minimise, texts::WindowMinimise},
    {Command::Maximise, texts::WindowMaximise},
    {Command::CloseProgram, texts::WindowClose},
    {Command::ShowBoards, texts::ShowBoards},
    {Command::Undo, texts::UndoCommand},
    {Command::Redo, texts::RedoCommand},
    {Command::CutBlocks, texts::MenuCutBlocks},
    {Command::CopyBlocks, texts::MenuCopyBlocks},
    {Command::PasteBlocks, texts::MenuPasteBlocks},
    {Command::PauseRun, texts::MenuPauseRun},
    {Command::CheckWithTests, texts::MenuCheckWithTests},
    {Command::ToggleBreakpoint, texts::MenuToggleBreakpoint},
    {Command::StepBack, texts::MenuStepBack},
    {Command::StepForward, texts::MenuStepForward},
    {Command::ShowTrace, texts::MenuShowTrace},
    {Command::ShowCode, texts::MenuShowCode},
    {Command::Print, texts::MenuPrint},
    {Command::ExportPdf, texts::MenuExportPdf},
    {Command::ExportSvg, texts::MenuExportSvg},
    {Command::ZoomIn, texts::MenuZoomIn},
    {Command::ZoomOut, texts::MenuZoomOut},
    {Command::ZoomReset, texts::MenuZoomReset},
};

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
    add(File, Command::NewProject, "MNewProjekt");
    add(File, Command::NewBoard, "MNowaPlansza");
    add(File, Command::OpenProject, "MOtworzProjekt");
    m_recent = new QMenu(m_menus[File]);
    m_recent->setObjectName(QStringLiteral("MOstatnieMenu"));
    m_recentItem = m_menus[File]->addMenu(m_recent);
    m_recentItem->setObjectName(QStringLiteral("MOstatnie"));
    add(File, Command::SaveProject, "MZapiszProjekt");
    add(File, Command::SaveAs, "MZapiszJako");
    m_menus[File]->addSeparator();
    add(File, Command::Print, "MDrukuj");
    add(File, Command::ExportPdf, "MEksportPdf");
    add(File, Command::ExportSvg, "MEksportSvg");
    m_menus[File]->addSeparator();
    add(File, Command::Undo, "MCofnij");
    add(File, Command::Redo, "MPonow");
    add(File, Command::CutBlocks, "MWytnij");
    add(File, Command::CopyBlocks, "MKopiuj");
    add(File, Command::PasteBlocks, "MWklej");
    m_menus[File]->addSeparator();
    add(File, Command::Close, "MZamknij");

    add(Show, Command::ToggleProperties, "MOknoWlasnosci");
    add(Show, Command::ToggleVariables, "MOknoZmiennych");
    add(Show, Command::ShowBoards, "MPokazPlansze");
    add(Show, Command::HideAuxiliary, "MUkryjPomocnicze");
    add(Show, Command::ShowTrace, "MPokazSlad");
    add(Show, Command::ShowCode, "MPokazKod");
    m_menus[Show]->addSeparator();
    add(Show, Command::ZoomIn, "MPowieksz");
    add(Show, Command::ZoomOut, "MPomniejsz");
    add(Show, Command::ZoomReset, "MRozmiarRzeczywisty");
    m_menus[Show]->addSeparator();
    add(Show, Command::CopyPicture, "MKopiujOkno");
    add(Show, Command::ShowSchema, "MPokazSchemat");

    add(Run, Command::CheckBoard, "MSprawdzPlansze");
    add(Run, Command::CheckProject, "MSprawdzProjekt");
    add(Run, Command::CheckWithTests, "MSprawdzTestami");
    m_menus[Run]->addSeparator();
    add(Run, Command::Run, "MUruchom");
    add(Run, Command::StepByStep, "MKrokPoKroku");
    add(Run, Command::NextStep, "MNastepnyKrok");
    add(Run, Command::PauseRun, "MWstrzymaj");
    add(Run, Command::StepBack, "MKrokWstecz");
    add(Run, Command::StepForward, "MKrokNaprzod");
    add(Run, Command::Abort, "MPrzerwij");
    m_menus[Run]->addSeparator();
    add(Run, Command::ToggleBreakpoint, "MPunktZatrzymania");

    add(Help, Command::Help, "MPomoc");
    add(Help, Command::About, "MOProgramie");
    m_language = new QMenu(m_menus[Help]);
    m_language->setObjectName(QStringLiteral("MLangMenu"));
    m_languageItem = m_menus[Help]->addMenu(m_language);
    m_languageItem->setObjectName(QStringLiteral("MLang"));
    addTo(m_language, Command::Polish, "MPolski")->setText(QStringLiteral("Polski"));
    addTo(m_language, Command::English, "MAngielski")->setText(QStringLiteral("English"));
    m_menus[Help]->addSeparator();
    add(Help, Command::EventLog, "MZdarzenia");
    add(Help, Command::Settings, "MUstawienia");

    add(Window, Command::Restore, "MPrzywroc");
    add(Window, Command::Minimise, "MMinimalizuj");
    add(Window, Command::Maximise, "MMaksymalizuj");
    m_menus[Window]->addSeparator();
    add(Window, Command::CloseProgram, "MZamknijProgram");
}

QAction* MainMenus::add(Which which, Command command, const char* name) {
    return addTo(m_menus[which], command, name);
}

QAction* MainMenus::addTo(QMenu* menu, Command command, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
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
    for (const ItemText& item : kItemTexts) {
        QString caption = texts.text(item.text);
        const QString key = MainCommands::keyText(item.command);
        if (!key.isEmpty()) {
            // A tab shows the key on the right without binding it; the key table binds it.
            caption += QLatin1Char('\t') + key;
        }
        action(item.command)->setText(caption);
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
            action(command)->setText(named + QLatin1Char('\t') + MainCommands::keyText(command));
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

#include "ui/main/MainCommands.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>

#include "config/SettingsStore.h"
#include "edit/Editor.h"
#include "exec/BoardCheck.h"
#include "exec/Workspace.h"
#include "model/BlockCatalogue.h"
#include "ui/app/LaterWindows.h"
#include "ui/dialogs/TFWinietka.h"
#include "ui/main/MainMenus.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/ProjectCommands.h"
#include "ui/main/TFGlowny.h"
#include "ui/properties/PropertiesView.h"
#include "ui/run/RunController.h"
#include "ui/run/TFOpisy.h"

namespace trevalon {

MainCommands::MainCommands(TFGlowny& main)
    : openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }), m_main(main) {}

bool MainCommands::projectOpen() const {
    return m_main.state().projectOpen;
}

bool MainCommands::running() const {
    return m_main.runner().running();
}

bool MainCommands::allowed(Command command) const {
    const Project& project = m_main.workspace().project();
    const bool open = projectOpen();
    const bool idle = !running();
    switch (command) {
        case Command::NewProject:
        case Command::OpenProject:
            return idle;
        case Command::NewBoard:
            return idle && (!open || project.boardCount < kMaxBoards);
        // Saving and checking change what a run relies on (marks, test values in the
        // Calculator), so they wait until the run is over whatever started them.
        case Command::SaveProject:
        case Command::SaveAs:
        case Command::CheckBoard:
        case Command::CheckProject:
        case Command::Run:
        case Command::StepByStep:
            return open && idle;
        case Command::ToggleProperties:
        case Command::ShowBoards:
        case Command::HideAuxiliary:
        case Command::CopyPicture:
            return open;
        case Command::ToggleVariables:
            return open && m_main.state().checkDone;
        case Command::ShowSchema: {
            if (!open) {
                return false;
            }
            const Board& board = project.board(project.activeBoard);
            return board.blockCount > board.variableCount;
        }
        case Command::NextStep:
            return !idle && m_main.runner().stepMode();
        case Command::Abort:
            return !idle;
        case Command::About:
            return idle;
        case Command::Polish:
            return idle && m_main.workspace().texts().language() != QLatin1String("pl");
        case Command::English:
            return idle && m_main.workspace().texts().language() != QLatin1String("ang");
        case Command::DeleteBlock:
            return open && idle;
        case Command::Restore:
            return m_main.maximised();
        case Command::Close:
        case Command::Help:
        case Command::EventLog:
        case Command::Settings:
        case Command::Minimise:
        case Command::Maximise:
        case Command::CloseProgram:
            return true;
    }
    return false;
}

bool MainCommands::menuEnabled(Command command) const {
    switch (command) {
        case Command::Close:
            return !running();
        case Command::SaveProject:
            return allowed(command) && m_main.workspace().project().projectChanged();
        case Command::Maximise:
            return !m_main.maximised();
        default:
            return allowed(command);
    }
}

void MainCommands::execute(Command command) {
    if (command == Command::About && running()) {
        QApplication::beep();
        return;
    }
    if (!allowed(command)) {
        return;
    }
    ProjectCommands& files = m_main.files();
    switch (command) {
        case Command::NewProject:
            files.newProjectCommand();
            break;
        case Command::NewBoard:
            if (!projectOpen()) {
                files.newProjectCommand();
            } else if (m_main.editor().newBoard()) {
                m_main.state().unsavedNew = true;
            }
            break;
        case Command::OpenProject:
            files.openCommand();
            break;
        case Command::SaveProject:
            files.save();
            break;
        case Command::SaveAs:
            files.saveAs();
            break;
        case Command::Close:
        case Command::CloseProgram:
            m_main.close();
            break;
        case Command::ToggleProperties:
            toggleProperties();
            break;
        case Command::ToggleVariables:
            toggleVariables();
            break;
        case Command::ShowBoards:
            m_main.showProjectBoards();
            break;
        case Command::HideAuxiliary:
            m_main.hideReport();
            if (m_main.properties()) {
                m_main.properties()->hideProperties();
            }
            break;
        case Command::CopyPicture:
            m_main.copyActiveBoardPicture();
            break;
        case Command::ShowSchema:
            if (m_main.laterWindows()) {
                m_main.laterWindows()->showSchema();
            }
            break;
        case Command::CheckBoard:
            checkBoard();
            break;
        case Command::CheckProject:
            checkProject();
            break;
        case Command::Run:
            m_main.runner().run();
            break;
        case Command::StepByStep:
            m_main.runner().startStepping();
            break;
        case Command::NextStep:
            m_main.runner().nextStep();
            break;
        case Command::Abort:
            m_main.runner().abort();
            break;
        case Command::Help:
            openHelp();
            break;
        case Command::About:
            if (m_main.about()) {
                m_main.about()->showModal();
            }
            break;
        case Command::Polish:
            m_main.setLanguage(QStringLiteral("pl"));
            break;
        case Command::English:
            m_main.setLanguage(QStringLiteral("ang"));
            break;
        case Command::EventLog:
            if (m_main.laterWindows()) {
                m_main.laterWindows()->showEventLog();
            }
            break;
        case Command::Settings:
            if (m_main.laterWindows()) {
                m_main.laterWindows()->showSettings();
            }
            break;
        case Command::Restore:
        case Command::Maximise:
            m_main.toggleMaximised();
            break;
        case Command::Minimise:
            m_main.showMinimized();
            break;
        case Command::DeleteBlock:
            m_main.editor().deleteCurrentBlock();
            break;
    }
}

void MainCommands::toolbarButton(int tag) {
    if (BlockCatalogue::isKind(tag)) {
        if (!running()) {
            m_main.editor().chooseBlock(tag);
        }
        return;
    }
    switch (tag) {
        case MainToolbar::TagCancel:
            m_main.editor().cancelPlacing();
            break;
        case MainToolbar::TagNextStep:
            execute(running() ? Command::NextStep : Command::StepByStep);
            break;
        case MainToolbar::TagRun:
            execute(Command::Run);
            break;
        default:
            break;
    }
}

void MainCommands::checkBoard() {
    Workspace& ws = m_main.workspace();
    BoardCheck check(ws);
    check.checkActiveBoard();
    m_main.editor().showCheckMarks(ws.project().activeBoard);
    m_main.titlesChanged();
    m_main.state().checkDone = true;
}

void MainCommands::checkProject() {
    Workspace& ws = m_main.workspace();
    BoardCheck check(ws);
    check.checkProject();
    for (int n = 1; n <= ws.project().boardCount; ++n) {
        m_main.editor().showCheckMarks(n);
    }
    m_main.titlesChanged();
    m_main.state().checkDone = true;
}

void MainCommands::toggleProperties() {
    PropertiesView* properties = m_main.properties();
    if (!properties) {
        return;
    }
    if (properties->propertiesVisible()) {
        properties->hideProperties();
    } else {
        properties->showProperties(m_main.editor().propertiesKind());
    }
}

void MainCommands::toggleVariables() {
    TFOpisy* report = m_main.report();
    if (!report) {
        return;
    }
    if (report->isVisible()) {
        report->hide();
    } else {
        report->showAgain();
    }
}

void MainCommands::openHelp() {
    const QString page = m_main.state().startFolder + QStringLiteral("/Pomoc/index.htm");
    if (openUrl) {
        openUrl(QUrl::fromLocalFile(page));
    }
}

bool MainCommands::handleCtrl(int key) {
    switch (key) {
        case Qt::Key_S:
            execute(Command::SaveProject);
            return true;
        case Qt::Key_F:
            execute(Command::Abort);
            return true;
        case Qt::Key_B:
            execute(Command::ShowBoards);
            return true;
        default:
            return false;
    }
}

bool MainCommands::handleAlt(int key) {
    switch (key) {
        case Qt::Key_F4:
            execute(Command::Close);
            return true;
        case Qt::Key_F8:
            execute(Command::CheckBoard);
            return true;
        case Qt::Key_F9:
            execute(Command::CheckProject);
            return true;
        case Qt::Key_P:
            m_main.menus().popup(MainMenus::File);
            return true;
        case Qt::Key_O:
            m_main.menus().popup(MainMenus::Show);
            return true;
        case Qt::Key_W:
            m_main.menus().popup(MainMenus::Run);
            return true;
        case Qt::Key_M:
            m_main.menus().popup(MainMenus::Help);
            return true;
        default:
            return false;
    }
}

bool MainCommands::handlePlain(int key, KeySource source) {
    switch (key) {
        case Qt::Key_F11:
            if (source == KeySource::Properties) {
                toggleProperties();
            } else if (projectOpen() && m_main.properties()) {
                m_main.properties()->showProperties(m_main.editor().propertiesKind());
            }
            return true;
        case Qt::Key_F10:
            execute(Command::ToggleVariables);
            return true;
        case Qt::Key_F9:
            execute(Command::Run);
            return true;
        case Qt::Key_F12:
            execute(Command::StepByStep);
            return true;
        case Qt::Key_F7:
            execute(Command::NextStep);
            return true;
        case Qt::Key_F1:
            execute(Command::Help);
            return true;
        case Qt::Key_Delete:
            if (source == KeySource::Main || source == KeySource::Board) {
                execute(Command::DeleteBlock);
                return true;
            }
            return false;
        default:
            return false;
    }
}

bool MainCommands::handleKey(QKeyEvent* event, KeySource source) {
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier |
                                                             Qt::ShiftModifier | Qt::MetaModifier);
    const int key = event->key();
    if (mods == Qt::ControlModifier) {
        return handleCtrl(key);
    }
    if (mods == Qt::AltModifier) {
        return handleAlt(key);
    }
    if (mods == (Qt::ControlModifier | Qt::AltModifier)) {
        if (source == KeySource::Main && key >= Qt::Key_0 && key <= Qt::Key_4) {
            m_main.settings().setLogLevel(key - Qt::Key_0);
            return true;
        }
        return false;
    }
    return handlePlain(key, source);
}

}  // namespace trevalon

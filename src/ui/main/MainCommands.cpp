#include "ui/main/MainCommands.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

#include "config/MessageSink.h"
#include "config/SettingsStore.h"
#include "config/TextIds.h"
#include "edit/Editor.h"
#include "exec/CheckCommands.h"
#include "exec/Workspace.h"
#include "model/BlockCatalogue.h"
#include "ui/app/LaterWindows.h"
#include "ui/board/BlockClipboard.h"
#include "ui/code/TFKod.h"
#include "ui/dialogs/TFWinietka.h"
#include "ui/main/MainCompanions.h"
#include "ui/main/MainHost.h"
#include "ui/main/MainMenus.h"
#include "ui/main/MainState.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/ProjectCommands.h"
#include "ui/print/PrintCommands.h"
#include "ui/properties/PropertiesView.h"
#include "ui/run/RunController.h"
#include "ui/run/TFOpisy.h"
#include "ui/run/TFSlad.h"
#include "ui/run/TFTesty.h"

namespace trevalon {
namespace {

// The keys of the key table as they are shown; handleCtrl, handleAlt and handlePlain bind them.
constexpr std::pair<Command, const char*> kCommandKeys[] = {
    {Command::NewProject, "Ctrl+N"},
    {Command::OpenProject, "Ctrl+O"},
    {Command::SaveProject, "Ctrl+S"},
    {Command::Close, "Alt+F4"},
    {Command::ToggleProperties, "F11"},
    {Command::ToggleVariables, "F10"},
    {Command::CheckBoard, "Alt+F8"},
    {Command::CheckProject, "Alt+F9"},
    {Command::Run, "F9"},
    {Command::StepByStep, "F12"},
    {Command::NextStep, "F7"},
    {Command::PauseRun, "F6"},
    {Command::ToggleBreakpoint, "F8"},
    {Command::StepBack, "Shift+F7"},
    {Command::StepForward, "Shift+F8"},
    {Command::Abort, "Ctrl+F"},
    {Command::Help, "F1"},
    {Command::ShowBoards, "Ctrl+B"},
    {Command::ShowCode, "Ctrl+K"},
    {Command::Undo, "Ctrl+Z"},
    {Command::Redo, "Ctrl+Y"},
    {Command::CutBlocks, "Ctrl+X"},
    {Command::CopyBlocks, "Ctrl+C"},
    {Command::PasteBlocks, "Ctrl+V"},
    {Command::Print, "Ctrl+P"},
    {Command::ZoomIn, "Ctrl++"},
    {Command::ZoomOut, "Ctrl+-"},
    {Command::ZoomReset, "Ctrl+0"},
};

}  // namespace

QString MainCommands::menuLabel(Command command) const {
    const TextTable& texts = m_ws.texts();
    if (command == Command::Undo && m_editor.history().canUndo()) {
        return texts.text(texts::UndoNamed).arg(m_editor.history().undoChange().describe(texts));
    }
    if (command == Command::Redo && m_editor.history().canRedo()) {
        return texts.text(texts::RedoNamed).arg(m_editor.history().redoChange().describe(texts));
    }
    return {};
}

QString MainCommands::keyText(Command command) {
    for (const auto& [each, key] : kCommandKeys) {
        if (each == command) {
            return QLatin1String(key);
        }
    }
    return {};
}

MainCommands::MainCommands(Workspace& workspace, SettingsStore& settings, MainState& state,
                           Editor& editor, const Helpers& helpers, const MainCompanions& companions,
                           MainHost& host)
    : openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      m_ws(workspace),
      m_settings(settings),
      m_state(state),
      m_editor(editor),
      m_helpers(helpers),
      m_companions(companions),
      m_host(host) {}

bool MainCommands::projectOpen() const {
    return m_state.projectOpen;
}

bool MainCommands::running() const {
    return m_helpers.run.running();
}

bool MainCommands::allowed(Command command) const {
    const Project& project = m_ws.project();
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
            return open && m_state.checkDone;
        case Command::ShowSchema: {
            if (!open) {
                return false;
            }
            const Board& board = project.board(project.activeBoard);
            return board.blockCount > board.variableCount;
        }
        case Command::NextStep:
            return !idle && (m_helpers.run.stepMode() || m_helpers.run.held());
        case Command::PauseRun:
            return !idle && !m_helpers.run.stepMode();
        case Command::StepBack:
            return open && m_helpers.run.canStepBack();
        case Command::StepForward:
            return open && m_helpers.run.canStepForward();
        // A breakpoint is no edit of the project: it may be set while a run goes on.
        case Command::ToggleBreakpoint:
        case Command::ShowTrace:
        case Command::ShowCode:
        // Zooming changes only how a board is shown, during a run as well.
        case Command::ZoomIn:
        case Command::ZoomOut:
        case Command::ZoomReset:
            return open;
        case Command::CheckWithTests:
            return open && idle;
        // A document shows the project as it stands, not a run's passing state.
        case Command::Print:
        case Command::ExportPdf:
        case Command::ExportSvg:
            return open && idle;
        // Like every other edit, undo waits until the run is over.
        case Command::Undo:
            return open && idle && m_editor.history().canUndo();
        case Command::Redo:
            return open && idle && m_editor.history().canRedo();
        case Command::CutBlocks:
        case Command::CopyBlocks:
            return open && idle;
        case Command::PasteBlocks:
            return open && idle && BlockClipboard::holdsBlocks();
        case Command::Abort:
            return !idle;
        case Command::About:
            return idle;
        case Command::Polish:
            return idle && m_ws.texts().language() != QLatin1String("pl");
        case Command::English:
            return idle && m_ws.texts().language() != QLatin1String("ang");
        case Command::DeleteBlock:
            return open && idle;
        case Command::Restore:
            return m_host.maximised();
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
            return allowed(command) && m_ws.project().projectChanged();
        case Command::Maximise:
            return !m_host.maximised();
        case Command::CutBlocks:
        case Command::CopyBlocks:
            return allowed(command) && m_editor.popupState().copyBlocks;
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
    // Every command belongs to exactly one group; the first that knows it runs it.
    executeProjectCommand(command) || executeBlockCommand(command) || executeViewCommand(command) ||
        executeRunCommand(command) || executeProgramCommand(command);
}

// Blocks through the clipboard: the board's popup menu and Ctrl+X, C and V.
bool MainCommands::executeBlockCommand(Command command) {
    switch (command) {
        case Command::CutBlocks:
            if (const auto fragment = m_editor.cutBlocks()) {
                BlockClipboard::put(*fragment);
            }
            return true;
        case Command::CopyBlocks:
            if (const auto fragment = m_editor.copyBlocks()) {
                BlockClipboard::put(*fragment);
            }
            return true;
        case Command::PasteBlocks:
            if (const auto fragment = BlockClipboard::take(m_ws.texts())) {
                m_editor.pasteBlocks(*fragment);
            } else {
                m_ws.messages().showMessage(MessageSink::Close, MessageSink::Information,
                                            m_ws.texts().text(texts::NothingToPaste));
            }
            return true;
        default:
            return false;
    }
}

// The project and its boards: the File menu.
bool MainCommands::executeProjectCommand(Command command) {
    ProjectCommands& files = m_helpers.files;
    switch (command) {
        case Command::NewProject:
            files.newProjectCommand();
            return true;
        case Command::NewBoard:
            if (!projectOpen()) {
                files.newProjectCommand();
            } else if (m_editor.newBoard()) {
                m_state.unsavedNew = true;
            }
            return true;
        case Command::OpenProject:
            files.openCommand();
            return true;
        case Command::SaveProject:
            files.save();
            return true;
        case Command::SaveAs:
            files.saveAs();
            return true;
        case Command::Print:
            m_helpers.print.print();
            return true;
        case Command::ExportPdf:
            m_helpers.print.exportTo(PrintCommands::Format::Pdf);
            return true;
        case Command::ExportSvg:
            m_helpers.print.exportTo(PrintCommands::Format::Svg);
            return true;
        case Command::DeleteBlock:
            m_editor.deleteCurrentBlock();
            return true;
        case Command::Undo:
            m_editor.undo();
            return true;
        case Command::Redo:
            m_editor.redo();
            return true;
        default:
            return false;
    }
}

// What is shown: the Show menu.
bool MainCommands::executeViewCommand(Command command) {
    switch (command) {
        case Command::ToggleProperties:
            toggleProperties();
            return true;
        case Command::ToggleVariables:
            toggleVariables();
            return true;
        case Command::ShowBoards:
            m_host.showProjectBoards();
            return true;
        case Command::ShowTrace:
            m_host.showPanel(*m_companions.trace);
            m_companions.trace->refresh();
            return true;
        case Command::ShowCode:
            m_host.showPanel(*m_companions.code);
            return true;
        case Command::CheckWithTests:
            if (m_companions.tests->chooseAndCheck()) {
                m_host.showPanel(*m_companions.tests);
            }
            return true;
        case Command::HideAuxiliary:
            m_host.hideReport();
            m_companions.properties->hideProperties();
            return true;
        case Command::CopyPicture:
            m_host.copyActiveBoardPicture();
            return true;
        case Command::ShowSchema:
            m_companions.later->showSchema();
            return true;
        case Command::ZoomIn:
        case Command::ZoomOut:
        case Command::ZoomReset:
            m_host.zoomActiveBoard(command == Command::ZoomIn    ? 1
                                   : command == Command::ZoomOut ? -1
                                                                 : 0);
            return true;
        default:
            return false;
    }
}

// Checking and running: the Run menu.
bool MainCommands::executeRunCommand(Command command) {
    RunController& run = m_helpers.run;
    switch (command) {
        case Command::CheckBoard:
            checkBoard();
            return true;
        case Command::CheckProject:
            checkProject();
            return true;
        case Command::Run:
            run.run();
            return true;
        case Command::StepByStep:
            run.startStepping();
            return true;
        case Command::NextStep:
            run.nextStep(m_settings.values().stepSkipsConnectors);
            return true;
        case Command::Abort:
            run.abort();
            return true;
        case Command::PauseRun:
            run.togglePause();
            return true;
        case Command::StepBack:
            run.stepBack();
            return true;
        case Command::StepForward:
            run.stepForward();
            return true;
        case Command::ToggleBreakpoint:
            toggleBreakpoint();
            return true;
        default:
            return false;
    }
}

// On the selected block of the active board (a click, or a right click that opened the board's
// menu).
void MainCommands::toggleBreakpoint() {
    const int n = m_editor.currentBoard();
    const int column = m_editor.currentColumn();
    const int row = m_editor.currentRow();
    const Project& project = m_ws.project();
    if (n != project.activeBoard || n < 1 || n > project.boardCount ||
        !Board::validPosition(column, row) || !project.isOccupied(n, column, row)) {
        m_ws.messages().showMessage(MessageSink::Close, MessageSink::Information,
                                    m_ws.texts().text(texts::BreakpointNeedsBlock));
        return;
    }
    m_ws.breakpoints().toggle({n, column, row});
    m_host.redrawBoard(n);
}

// The program and its window: the Help and window menus.
bool MainCommands::executeProgramCommand(Command command) {
    switch (command) {
        case Command::Help:
            openHelp();
            return true;
        case Command::About:
            m_companions.about->showModal();
            return true;
        case Command::Polish:
            m_host.setLanguage(QStringLiteral("pl"));
            return true;
        case Command::English:
            m_host.setLanguage(QStringLiteral("ang"));
            return true;
        case Command::EventLog:
            m_companions.later->showEventLog();
            return true;
        case Command::Settings:
            m_companions.later->showSettings();
            return true;
        case Command::Restore:
        case Command::Maximise:
            m_host.toggleMaximised();
            return true;
        case Command::Minimise:
            m_host.minimise();
            return true;
        case Command::Close:
        case Command::CloseProgram:
            m_host.closeWindow();
            return true;
        default:
            return false;
    }
}

void MainCommands::toolbarButton(int tag) {
    if (BlockCatalogue::isKind(tag)) {
        if (!running()) {
            m_editor.chooseBlock(tag);
        }
        if (!projectOpen()) {
            // The block is chosen, but there is no board to put it on: say what comes first.
            m_host.showStatus(
                m_ws.texts().text(texts::NoProjectForBlock).arg(keyText(Command::NewProject)));
        }
        return;
    }
    switch (tag) {
        case MainToolbar::TagCancel:
            m_editor.cancelPlacing();
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
    trevalon::checkActiveBoard(m_ws);
    m_editor.showCheckMarks(m_ws.project().activeBoard);
    m_host.titlesChanged();
    m_state.checkDone = true;
}

void MainCommands::checkProject() {
    trevalon::checkProject(m_ws);
    m_editor.showCheckMarksOnEveryBoard();
    m_host.titlesChanged();
    m_state.checkDone = true;
}

void MainCommands::toggleProperties() {
    PropertiesView* properties = m_companions.properties;
    if (properties->propertiesVisible()) {
        properties->hideProperties();
    } else {
        properties->showProperties(m_editor.propertiesKind());
    }
}

void MainCommands::toggleVariables() {
    TFOpisy* report = m_companions.report;
    if (report->isVisible()) {
        report->hide();
    } else {
        report->showAgain();
    }
}

void MainCommands::openHelp() {
    if (!openUrl) {
        return;
    }
    // Without the page, or without a browser to show it, the pupil is told where it was looked
    // for rather than left wondering whether F1 was heard.
    const QString page = helpPage();
    if (!QFileInfo(page).isFile() || !openUrl(QUrl::fromLocalFile(page))) {
        m_ws.messages().showMessage(
            MessageSink::Close, MessageSink::Warning,
            m_ws.texts().text(texts::HelpUnavailable).arg(QDir::toNativeSeparators(page)));
    }
}

QString MainCommands::helpPage() const {
    // The help speaks the interface's language: Polish at the top, English in its own folder.
    const bool english = m_ws.texts().language() == QLatin1String("ang");
    const QString relative =
        english ? QStringLiteral("/Pomoc/en/index.htm") : QStringLiteral("/Pomoc/index.htm");
    // The folder the program was started from comes first, as it always has; a program started
    // from elsewhere finds the help beside its executable or above the build folder it lies in.
    QStringList folders{m_state.startFolder};
    QDir folder(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 4; ++up) {
        folders << folder.path();
        if (!folder.cdUp()) {
            break;
        }
    }
    for (const QString& candidate : folders) {
        if (QFileInfo(candidate + relative).isFile()) {
            return candidate + relative;
        }
    }
    return m_state.startFolder + relative;
}

bool MainCommands::handleCtrl(int key, KeySource source) {
    // In the properties window the keys cut, copy and paste the text being edited.
    const bool onBoards = source == KeySource::Main || source == KeySource::Board;
    switch (key) {
        case Qt::Key_X:
        case Qt::Key_C:
        case Qt::Key_V:
            if (!onBoards) {
                return false;
            }
            execute(key == Qt::Key_X   ? Command::CutBlocks
                    : key == Qt::Key_C ? Command::CopyBlocks
                                       : Command::PasteBlocks);
            return true;
        case Qt::Key_N:
            execute(Command::NewProject);
            return true;
        case Qt::Key_O:
            execute(Command::OpenProject);
            return true;
        case Qt::Key_S:
            execute(Command::SaveProject);
            return true;
        case Qt::Key_P:
            execute(Command::Print);
            return true;
        case Qt::Key_F:
            execute(Command::Abort);
            return true;
        case Qt::Key_B:
            execute(Command::ShowBoards);
            return true;
        case Qt::Key_K:
            execute(Command::ShowCode);
            return true;
        case Qt::Key_Z:
            execute(Command::Undo);
            return true;
        case Qt::Key_Y:
            execute(Command::Redo);
            return true;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            execute(Command::ZoomIn);
            return true;
        case Qt::Key_Minus:
            execute(Command::ZoomOut);
            return true;
        case Qt::Key_0:
            execute(Command::ZoomReset);
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
            m_helpers.menus.popup(MainMenus::File);
            return true;
        case Qt::Key_O:
            m_helpers.menus.popup(MainMenus::Show);
            return true;
        case Qt::Key_W:
            m_helpers.menus.popup(MainMenus::Run);
            return true;
        case Qt::Key_M:
            m_helpers.menus.popup(MainMenus::Help);
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
            } else if (projectOpen()) {
                m_companions.properties->showProperties(m_editor.propertiesKind());
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
        case Qt::Key_F6:
            execute(Command::PauseRun);
            return true;
        case Qt::Key_F8:
            execute(Command::ToggleBreakpoint);
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
        return handleCtrl(key, source);
    }
    if (mods == Qt::AltModifier) {
        return handleAlt(key);
    }
    if (mods == Qt::ShiftModifier && (key == Qt::Key_F7 || key == Qt::Key_F8)) {
        execute(key == Qt::Key_F7 ? Command::StepBack : Command::StepForward);
        return true;
    }
    if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Z) {
        execute(Command::Redo);
        return true;
    }
    // Where "+" needs Shift (most layouts), Ctrl+Shift+"=" gives it.
    if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Plus) {
        execute(Command::ZoomIn);
        return true;
    }
    if (mods == (Qt::ControlModifier | Qt::AltModifier)) {
        if (source == KeySource::Main && key >= Qt::Key_0 && key <= Qt::Key_4) {
            m_settings.setLogLevel(key - Qt::Key_0);
            return true;
        }
        return false;
    }
    // The keys that came with pause and breakpoints take no modifier at all.
    if (mods != Qt::NoModifier && (key == Qt::Key_F6 || key == Qt::Key_F8)) {
        return false;
    }
    return handlePlain(key, source);
}

}  // namespace trevalon

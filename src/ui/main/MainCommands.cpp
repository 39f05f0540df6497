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
#include "ui/main/CommandTable.h"
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
    return trevalon::keyText(command);
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

// The rules.

bool MainCommands::open() const {
    return m_state.projectOpen;
}

bool MainCommands::running() const {
    return m_helpers.run.running();
}

bool MainCommands::canAddBoard() const {
    return idle() && (!open() || m_ws.project().boardCount < kMaxBoards);
}

bool MainCommands::unsavedChanges() const {
    return openIdle() && m_ws.project().projectChanged();
}

bool MainCommands::blocksChosen() const {
    return openIdle() && m_editor.popupState().copyBlocks;
}

bool MainCommands::canUndo() const {
    return openIdle() && m_editor.history().canUndo();
}

bool MainCommands::canRedo() const {
    return openIdle() && m_editor.history().canRedo();
}

bool MainCommands::canPaste() const {
    return openIdle() && BlockClipboard::holdsBlocks();
}

// The variables window shows what a check found.
bool MainCommands::variablesReady() const {
    return open() && m_state.checkDone;
}

bool MainCommands::schemaHasBlocks() const {
    if (!open()) {
        return false;
    }
    const Project& project = m_ws.project();
    const Board& board = project.board(project.activeBoard);
    return board.blockCount > board.variableCount;
}

bool MainCommands::canTakeNextStep() const {
    return running() && (m_helpers.run.stepMode() || m_helpers.run.held());
}

bool MainCommands::canPause() const {
    return running() && !m_helpers.run.stepMode();
}

bool MainCommands::canStepBack() const {
    return open() && m_helpers.run.canStepBack();
}

bool MainCommands::canStepForward() const {
    return open() && m_helpers.run.canStepForward();
}

bool MainCommands::notPolish() const {
    return idle() && m_ws.texts().language() != QLatin1String("pl");
}

bool MainCommands::notEnglish() const {
    return idle() && m_ws.texts().language() != QLatin1String("ang");
}

bool MainCommands::maximised() const {
    return m_host.maximised();
}

bool MainCommands::allowed(Command command) const {
    return (this->*commandRow(command).allowed)();
}

bool MainCommands::menuEnabled(Command command) const {
    const CommandRow& row = commandRow(command);
    return (this->*(row.menuEnabled ? row.menuEnabled : row.allowed))();
}

void MainCommands::execute(Command command) {
    if (command == Command::About && running()) {
        QApplication::beep();
        return;
    }
    if (allowed(command)) {
        (this->*commandRow(command).run)();
    }
}

// The actions: the project and its boards.

void MainCommands::newProject() {
    m_helpers.files.newProjectCommand();
}

void MainCommands::newBoard() {
    if (!open()) {
        m_helpers.files.newProjectCommand();
    } else if (m_editor.newBoard()) {
        m_state.unsavedNew = true;
    }
}

void MainCommands::openProject() {
    m_helpers.files.openCommand();
}

void MainCommands::save() {
    m_helpers.files.save();
}

void MainCommands::saveAs() {
    m_helpers.files.saveAs();
}

void MainCommands::print() {
    m_helpers.print.print();
}

void MainCommands::exportPdf() {
    m_helpers.print.exportTo(PrintCommands::Format::Pdf);
}

void MainCommands::exportSvg() {
    m_helpers.print.exportTo(PrintCommands::Format::Svg);
}

void MainCommands::undo() {
    m_editor.undo();
}

void MainCommands::redo() {
    m_editor.redo();
}

// Blocks through the clipboard: the board's popup menu and Ctrl+X, C and V.
void MainCommands::cutBlocks() {
    if (const auto fragment = m_editor.cutBlocks()) {
        BlockClipboard::put(*fragment);
    }
}

void MainCommands::copyBlocks() {
    if (const auto fragment = m_editor.copyBlocks()) {
        BlockClipboard::put(*fragment);
    }
}

void MainCommands::pasteBlocks() {
    if (const auto fragment = BlockClipboard::take(m_ws.texts())) {
        m_editor.pasteBlocks(*fragment);
    } else {
        m_ws.messages().showMessage(MessageSink::Close, MessageSink::Information,
                                    m_ws.texts().text(texts::NothingToPaste));
    }
}

void MainCommands::deleteBlock() {
    m_editor.deleteCurrentBlock();
}

// What is shown.

void MainCommands::showProperties() {
    m_companions.properties->showProperties(m_editor.propertiesKind());
}

void MainCommands::showBoards() {
    m_host.showProjectBoards();
}

void MainCommands::hideAuxiliary() {
    m_host.hideReport();
    m_companions.properties->hideProperties();
}

void MainCommands::showTrace() {
    m_host.showPanel(*m_companions.trace);
    m_companions.trace->refresh();
}

void MainCommands::showCode() {
    m_host.showPanel(*m_companions.code);
}

void MainCommands::zoomIn() {
    m_host.zoomActiveBoard(1);
}

void MainCommands::zoomOut() {
    m_host.zoomActiveBoard(-1);
}

void MainCommands::zoomReset() {
    m_host.zoomActiveBoard(0);
}

void MainCommands::copyPicture() {
    m_host.copyActiveBoardPicture();
}

void MainCommands::showSchema() {
    m_companions.later->showSchema();
}

// Checking and running.

void MainCommands::checkWithTests() {
    if (m_companions.tests->chooseAndCheck()) {
        m_host.showPanel(*m_companions.tests);
    }
}

void MainCommands::run() {
    m_helpers.run.run();
}

void MainCommands::startStepping() {
    m_helpers.run.startStepping();
}

void MainCommands::nextStep() {
    m_helpers.run.nextStep(m_settings.values().stepSkipsConnectors);
}

void MainCommands::pauseRun() {
    m_helpers.run.togglePause();
}

void MainCommands::stepBack() {
    m_helpers.run.stepBack();
}

void MainCommands::stepForward() {
    m_helpers.run.stepForward();
}

void MainCommands::abort() {
    m_helpers.run.abort();
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

// The program and its window.

void MainCommands::about() {
    m_companions.about->showModal();
}

void MainCommands::polish() {
    m_host.setLanguage(QStringLiteral("pl"));
}

void MainCommands::english() {
    m_host.setLanguage(QStringLiteral("ang"));
}

void MainCommands::eventLog() {
    m_companions.later->showEventLog();
}

void MainCommands::settings() {
    m_companions.later->showSettings();
}

void MainCommands::toggleMaximised() {
    m_host.toggleMaximised();
}

void MainCommands::minimise() {
    m_host.minimise();
}

void MainCommands::closeWindow() {
    m_host.closeWindow();
}

void MainCommands::toolbarButton(int tag) {
    if (BlockCatalogue::isKind(tag)) {
        if (!running()) {
            m_editor.chooseBlock(tag);
        }
        if (!open()) {
            // The block is chosen, but there is no board to put it on: say what comes first.
            m_host.showStatus(
                m_ws.texts().text(texts::NoProjectForBlock).arg(keyText(Command::NewProject)));
        }
        return;
    }
    if (tag == MainToolbar::TagCancel) {
        m_editor.cancelPlacing();
        return;
    }
    // A button of the table runs the first of its commands that may run now.
    for (const CommandRow& row : commandTable()) {
        if (row.toolbar == tag && allowed(row.command)) {
            execute(row.command);
            return;
        }
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

bool MainCommands::handleKey(QKeyEvent* event, KeySource source) {
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier |
                                                             Qt::ShiftModifier | Qt::MetaModifier);
    const int key = event->key();
    if (const auto command = commandForKey(key, mods, source)) {
        execute(*command);
        return true;
    }
    if (const auto menu = menuForKey(key, mods)) {
        m_helpers.menus.popup(static_cast<MainMenus::Which>(*menu));
        return true;
    }
    if (const auto level = logLevelForKey(key, mods, source)) {
        m_settings.setLogLevel(*level);
        return true;
    }
    return false;
}

}  // namespace trevalon

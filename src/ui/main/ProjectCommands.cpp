#include "ui/main/ProjectCommands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>

#include "config/DesktopTexts.h"
#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/SettingsStore.h"
#include "edit/Editor.h"
#include "exec/Workspace.h"
#include "storage/ProjectFile.h"
#include "ui/app/LaterWindows.h"
#include "ui/main/TFGlowny.h"

namespace trevalon {
namespace {

constexpr int TextSaved = 15;
constexpr int TextSaveChanges = 16;
constexpr int TextWrongFileType = 21;
constexpr int PlusSigns = 99;

// A project's name is its file name without the four characters of ".skb" or ".sdp".
QString nameOf(const QString& path) {
    const QString file = QFileInfo(path).fileName();
    return file.size() >= 4 ? file.chopped(4) : file;
}

}  // namespace

ProjectCommands::ProjectCommands(TFGlowny& main) : m_main(main) {
    // Our own dialogs rather than the platform's, so that they look the same everywhere and
    // can be answered by the GUI tests.
    // Qt's dialog rather than the desktop's: it speaks the program's language, not the
    // desktop's; it is owned by (and stays above) the main window under any window manager; and
    // the tests can answer it.
    m_openDialog = new QFileDialog(&main);
    m_openDialog->setObjectName(QStringLiteral("OpenProjekt"));
    m_openDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_openDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_openDialog->setFileMode(QFileDialog::ExistingFile);
    m_openDialog->setDefaultSuffix(QStringLiteral("skb"));

    m_saveDialog = new QFileDialog(&main);
    m_saveDialog->setObjectName(QStringLiteral("SaveProjekt"));
    m_saveDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
    m_saveDialog->setFileMode(QFileDialog::AnyFile);
    m_saveDialog->setDefaultSuffix(QStringLiteral("skb"));
    for (QFileDialog* dialog : {m_openDialog, m_saveDialog}) {
        // Qt's completion list can stay on the screen, empty, after the dialog has taken the
        // name typed; the list of files beside it shows the same names.
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->setCompleter(nullptr);
        }
    }
    applyTexts();

    m_savedTimer.setInterval(5);
    QObject::connect(&m_savedTimer, &QTimer::timeout, &main, [this] { savedTick(); });
}

ProjectCommands::~ProjectCommands() = default;

void ProjectCommands::applyTexts() {
    const TextTable& texts = m_main.workspace().texts();
    m_openDialog->setWindowTitle(texts.text(texts::OpenDialogTitle));
    m_openDialog->setNameFilters(
        {texts.text(texts::ProjectFilter), texts.text(texts::OldProjectFilter)});
    m_saveDialog->setWindowTitle(texts.text(texts::SaveDialogTitle));
    m_saveDialog->setNameFilter(texts.text(texts::ProjectFilter));
}

// The projects folder, made when it is missing (the first start, or a folder since removed);
// where it cannot be made, the user's documents folder, else the home folder.
QString ProjectCommands::startingFolder() const {
    const QString folder = m_main.settings().values().projectsFolder;
    if (!folder.isEmpty() && QDir().mkpath(folder)) {
        return folder;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

void ProjectCommands::forgetSaveFolder() {
    m_saveFolderChosen = false;
}

bool ProjectCommands::hasUnsavedWork() const {
    const MainState& state = m_main.state();
    return state.projectOpen && (state.unsavedNew || m_main.workspace().project().projectChanged());
}

bool ProjectCommands::askToSave() {
    return askIf(hasUnsavedWork());
}

bool ProjectCommands::askIf(bool needed) {
    if (!needed) {
        return true;
    }
    Workspace& ws = m_main.workspace();
    switch (ws.messages().showMessage(MessageSink::YesNoCancel, MessageSink::Question,
                                      ws.texts().text(TextSaveChanges))) {
        case MessageSink::ResultYes:
            return save();
        case MessageSink::ResultNo:
            return true;
        default:
            return false;
    }
}

// An untouched new project holds nothing to save: closing asks only about changed boards.
bool ProjectCommands::confirmClose() {
    return askIf(m_main.state().projectOpen && m_main.workspace().project().projectChanged());
}

void ProjectCommands::newProjectCommand() {
    if (askToSave()) {
        newProject();
    }
}

void ProjectCommands::newProject() {
    Workspace& ws = m_main.workspace();
    Project& project = ws.project();
    m_main.hideBoardWindow(2);
    m_main.hideBoardWindow(3);
    MainState& state = m_main.state();
    state.projectOpen = true;
    project.newProject();
    // Resetting the boards marks them changed; a new project starts with nothing to save.
    project.clearChanged();
    project.note.clear();
    project.lastModified.clear();
    ws.loadVariables(QString());
    m_main.editor().reset();
    m_main.showBoardWindow(1);
    project.activeBoard = 1;
    m_main.titlesChanged();
    state.projectPath.clear();
    ws.setProjectName(QString());
    state.checkDone = false;
    m_main.hideReport();
    m_main.updateRunButtons();
    m_main.showProperties(Editor::PropertiesBoard);
    state.unsavedNew = true;
    m_main.setHeader();
}

void ProjectCommands::openCommand() {
    if (!askToSave()) {
        return;
    }
    if (m_openDialog->selectedFiles().value(0).isEmpty() ||
        !QFileInfo(m_openDialog->selectedFiles().value(0)).isFile()) {
        m_openDialog->setDirectory(startingFolder());
    }
    applyTexts();
    if (m_openDialog->exec() != QDialog::Accepted) {
        return;
    }
    const QString path = m_openDialog->selectedFiles().value(0);
    if (!path.isEmpty()) {
        openPath(path);
    }
}

bool ProjectCommands::openGiven(const QString& path) {
    Workspace& ws = m_main.workspace();
    if (!ProjectFile::isProjectPath(path)) {
        ws.messages().showMessage(MessageSink::Close, MessageSink::Warning,
                                  ws.texts().text(TextWrongFileType));
        return false;
    }
    return askToSave() && openPath(path);
}

bool ProjectCommands::openPath(const QString& path) {
    Workspace& ws = m_main.workspace();
    Project& project = ws.project();
    m_main.hideBoardWindow(2);
    m_main.hideBoardWindow(3);
    if (!ProjectFile::load(project, path, ws.messages(), ws.log(), ws.texts())) {
        // The project that was open stays; so do its windows.
        if (m_main.state().projectOpen) {
            for (int n = 2; n <= project.boardCount; ++n) {
                m_main.showBoardWindow(n);
            }
        }
        return false;
    }
    const QString fileName = QFileInfo(path).fileName();
    ws.log().logAbove(4, QStringLiteral("Open: ") + fileName + QStringLiteral(" Copyright: ") +
                             project.note + QStringLiteral(" Last modificed: ") +
                             project.lastModified);
    MainState& state = m_main.state();
    // An old-format project has no file of its own: the next save asks for one.
    state.projectPath = ProjectFile::isLegacyPath(path) ? QString() : path;
    ws.setProjectName(nameOf(path));
    m_main.setHeader();
    state.projectOpen = true;
    ws.loadVariables(QString());
    m_main.editor().reset();
    for (int n = 1; n <= project.boardCount; ++n) {
        m_main.showBoardWindow(n);
    }
    if (m_main.laterWindows()) {
        m_main.laterWindows()->projectOpened();
    }
    project.activeBoard = 1;
    m_main.titlesChanged();
    project.clearChanged();
    state.unsavedNew = false;
    state.checkDone = false;
    m_main.updateRunButtons();
    m_main.showProperties(Editor::PropertiesBoard);
    m_main.hideReport();
    return true;
}

QString ProjectCommands::chooseSaveFile() {
    if (!m_saveFolderChosen) {
        m_saveDialog->setDirectory(startingFolder());
    }
    applyTexts();
    m_saveDialog->selectFile(m_main.workspace().projectName());
    if (m_saveDialog->exec() != QDialog::Accepted) {
        return {};
    }
    m_saveFolderChosen = true;
    return m_saveDialog->selectedFiles().value(0);
}

void ProjectCommands::adoptName(const QString& path) {
    m_main.workspace().setProjectName(nameOf(path));
    m_main.setHeader();
}

bool ProjectCommands::save() {
    MainState& state = m_main.state();
    if (!state.projectPath.isEmpty()) {
        return write(state.projectPath);
    }
    const QString path = chooseSaveFile();
    if (path.isEmpty()) {
        return false;
    }
    state.projectPath = path;
    SettingsStore& settings = m_main.settings();
    const QString folder = QFileInfo(path).absolutePath();
    if (QDir(folder) != QDir(settings.values().projectsFolder)) {
        settings.updateProjectsFolder(folder);
    }
    if (!write(path)) {
        return false;
    }
    adoptName(path);
    return true;
}

bool ProjectCommands::saveAs() {
    const QString path = chooseSaveFile();
    if (path.isEmpty()) {
        return false;
    }
    m_main.state().projectPath = path;
    if (!write(path)) {
        return false;
    }
    adoptName(path);
    return true;
}

bool ProjectCommands::write(const QString& path) {
    Workspace& ws = m_main.workspace();
    if (!ProjectFile::save(ws.project(), path, ws.messages(), ws.log(), ws.texts())) {
        return false;
    }
    ws.project().clearChanged();
    m_main.state().unsavedNew = false;
    showSaved();
    return true;
}

// A row of "+" grows in the status line, then "Zapisano." stays.
void ProjectCommands::showSaved() {
    m_plusCount = 0;
    m_main.showStatus(QString());
    m_savedTimer.start();
}

void ProjectCommands::savedTick() {
    if (++m_plusCount >= PlusSigns) {
        m_savedTimer.stop();
        m_main.showStatus(m_main.workspace().texts().text(TextSaved));
        return;
    }
    m_main.showStatus(QString(m_plusCount, QLatin1Char('+')));
}

}  // namespace trevalon

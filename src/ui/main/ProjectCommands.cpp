#include "ui/main/ProjectCommands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/SettingsStore.h"
#include "config/TextIds.h"
#include "edit/Editor.h"
#include "edit/PropertiesKind.h"
#include "exec/Workspace.h"
#include "storage/ProjectFile.h"
#include "storage/RecoveryFile.h"
#include "ui/main/ExampleProjects.h"
#include "ui/main/MainHost.h"
#include "ui/main/MainState.h"

namespace trevalon {
namespace {

constexpr int PlusSigns = 99;

// A project's name is its file name without the four characters of ".skb" or ".sdp".
QString nameOf(const QString& path) {
    const QString file = QFileInfo(path).fileName();
    return file.size() >= 4 ? file.chopped(4) : file;
}

}  // namespace

ProjectCommands::ProjectCommands(Workspace& workspace, SettingsStore& settings, MainState& state,
                                 Editor& editor, MainHost& host)
    : m_ws(workspace), m_settings(settings), m_state(state), m_editor(editor), m_host(host) {
    QWidget& main = host.widget();
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
    const TextTable& texts = m_ws.texts();
    m_openDialog->setWindowTitle(texts.text(texts::OpenDialogTitle));
    m_openDialog->setNameFilters(
        {texts.text(texts::ProjectFilter), texts.text(texts::OldProjectFilter)});
    m_saveDialog->setWindowTitle(texts.text(texts::SaveDialogTitle));
    m_saveDialog->setNameFilter(texts.text(texts::ProjectFilter));
}

// The projects folder, made when it is missing (the first start, or a folder since removed);
// where it cannot be made, the user's documents folder, else the home folder.
QString ProjectCommands::startingFolder() const {
    const QString folder = m_settings.values().projectsFolder;
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
    return m_state.projectOpen && (m_state.unsavedNew || m_ws.project().projectChanged());
}

bool ProjectCommands::askToSave() {
    return askIf(hasUnsavedWork());
}

bool ProjectCommands::askIf(bool needed) {
    if (!needed) {
        return true;
    }
    switch (m_ws.messages().showMessage(MessageSink::YesNoCancel, MessageSink::Question,
                                        m_ws.texts().text(texts::SaveChangesQuestion))) {
        case MessageSink::ResultYes:
            return save();
        case MessageSink::ResultNo:
            // The pupil gave the changes up: a crash from now on must not offer them back.
            if (m_afterAbandon) {
                m_afterAbandon();
            }
            return true;
        default:
            return false;
    }
}

// An untouched new project holds nothing to save: closing asks only about changed boards.
bool ProjectCommands::confirmClose() {
    return askIf(m_state.projectOpen && m_ws.project().projectChanged());
}

void ProjectCommands::newProjectCommand() {
    if (askToSave()) {
        newProject();
    }
}

void ProjectCommands::newProject() {
    Project& project = m_ws.project();
    m_host.hideBoardWindow(2);
    m_host.hideBoardWindow(3);
    m_state.projectOpen = true;
    project.newProject();
    // Resetting the boards marks them changed; a new project starts with nothing to save.
    project.clearChanged();
    project.note.clear();
    project.lastModified.clear();
    m_ws.variables().loadVariables(QString());
    m_editor.reset();
    m_host.showBoardWindow(1);
    project.activeBoard = 1;
    m_host.titlesChanged();
    m_state.projectPath.clear();
    m_ws.setProjectName(QString());
    m_state.checkDone = false;
    m_host.hideReport();
    m_host.updateRunButtons();
    m_host.showProperties(PropertiesBoard);
    // Untouched, it holds nothing to lose: leaving it asks only once a board has changed.
    m_state.unsavedNew = false;
    m_host.setHeader();
    m_editor.resetHistory(true);
    m_host.projectStateChanged();
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
    if (!ProjectFile::isProjectPath(path)) {
        m_ws.messages().showMessage(MessageSink::Close, MessageSink::Warning,
                                    m_ws.texts().text(texts::UnsupportedFileType));
        return false;
    }
    return openChosen(path);
}

bool ProjectCommands::openChosen(const QString& path) {
    return askToSave() && openPath(path);
}

bool ProjectCommands::openPath(const QString& path) {
    if (!load(path)) {
        return false;
    }
    if (ExampleProjects::contains(path)) {
        // The shipped file stays as it is: the example becomes a copy without a file, which a
        // save names anew. Untouched it holds nothing to lose, so leaving it asks nothing (the
        // unsaved-new flag stays clear); once changed, the changed boards ask.
        m_state.projectPath.clear();
        m_host.showStatus(m_ws.texts().text(texts::ExampleOpenedAsCopy));
    } else {
        m_settings.rememberProject(QFileInfo(path).absoluteFilePath());
    }
    m_editor.resetHistory(true);
    m_host.projectStateChanged();
    return true;
}

bool ProjectCommands::load(const QString& path) {
    Project& project = m_ws.project();
    m_host.hideBoardWindow(2);
    m_host.hideBoardWindow(3);
    if (const ProjectOpening opening = ProjectFile::load(project, path, m_ws.log(), m_ws.texts());
        !opening.ok()) {
        m_ws.messages().showStatus(opening.status, m_ws.texts());
        // The project that was open stays; so do its windows.
        if (m_state.projectOpen) {
            for (int n = 2; n <= project.boardCount; ++n) {
                m_host.showBoardWindow(n);
            }
        }
        return false;
    }
    const QString fileName = QFileInfo(path).fileName();
    m_ws.log().logAbove(4, QStringLiteral("Open: ") + fileName + QStringLiteral(" Copyright: ") +
                               project.note + QStringLiteral(" Last modificed: ") +
                               project.lastModified);
    // An old-format project has no file of its own: the next save asks for one.
    m_state.projectPath = ProjectFile::isLegacyPath(path) ? QString() : path;
    m_ws.setProjectName(nameOf(path));
    m_host.setHeader();
    m_state.projectOpen = true;
    m_ws.variables().loadVariables(QString());
    m_editor.reset();
    for (int n = 1; n <= project.boardCount; ++n) {
        m_host.showBoardWindow(n);
    }
    project.activeBoard = 1;
    m_host.titlesChanged();
    project.clearChanged();
    m_state.unsavedNew = false;
    m_state.checkDone = false;
    m_host.updateRunButtons();
    m_host.showProperties(PropertiesBoard);
    m_host.hideReport();
    return true;
}

bool ProjectCommands::openRecovered(const RecoveryEntry& entry) {
    if (!load(entry.projectFile)) {
        return false;
    }
    m_state.projectPath = entry.originalPath;
    m_ws.setProjectName(entry.projectName);
    m_host.setHeader();
    // Nothing of it is in the pupil's file yet: leaving it asks, and the autosave keeps it.
    m_state.unsavedNew = true;
    m_ws.project().board(1).changed = true;
    m_host.showStatus(m_ws.texts().text(texts::RecoveryRestored));
    m_host.projectStateChanged();
    return true;
}

QString ProjectCommands::chooseSaveFile() {
    if (!m_saveFolderChosen) {
        m_saveDialog->setDirectory(startingFolder());
    }
    applyTexts();
    m_saveDialog->selectFile(m_ws.projectName());
    if (m_saveDialog->exec() != QDialog::Accepted) {
        return {};
    }
    m_saveFolderChosen = true;
    const QString path = m_saveDialog->selectedFiles().value(0);
    if (ExampleProjects::contains(path)) {
        m_ws.messages().showMessage(MessageSink::Close, MessageSink::Warning,
                                    m_ws.texts().text(texts::ExampleNotOverwritten));
        return {};
    }
    return path;
}

void ProjectCommands::adoptName(const QString& path) {
    m_ws.setProjectName(nameOf(path));
    m_host.setHeader();
}

bool ProjectCommands::save() {
    if (!m_state.projectPath.isEmpty()) {
        return write(m_state.projectPath);
    }
    const QString path = chooseSaveFile();
    if (path.isEmpty()) {
        return false;
    }
    m_state.projectPath = path;
    const QString folder = QFileInfo(path).absolutePath();
    if (QDir(folder) != QDir(m_settings.values().projectsFolder)) {
        m_settings.updateProjectsFolder(folder);
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
    m_state.projectPath = path;
    if (!write(path)) {
        return false;
    }
    adoptName(path);
    return true;
}

bool ProjectCommands::write(const QString& path) {
    if (const Status saved = ProjectFile::save(m_ws.project(), path, m_ws.log(), m_ws.texts());
        !saved.ok()) {
        m_ws.messages().showStatus(saved, m_ws.texts());
        return false;
    }
    m_ws.project().clearChanged();
    m_editor.markSaved();
    m_state.unsavedNew = false;
    m_settings.rememberProject(QFileInfo(path).absoluteFilePath());
    if (m_afterSave) {
        m_afterSave();
    }
    showSaved();
    return true;
}

// A row of "+" grows in the status line, then "Zapisano." stays.
void ProjectCommands::showSaved() {
    m_plusCount = 0;
    m_host.showStatus(QString());
    m_savedTimer.start();
}

void ProjectCommands::savedTick() {
    if (++m_plusCount >= PlusSigns) {
        m_savedTimer.stop();
        m_host.showStatus(m_ws.texts().text(texts::ProjectSaved));
        return;
    }
    m_host.showStatus(QString(m_plusCount, QLatin1Char('+')));
}

}  // namespace trevalon

#pragma once

#include <QString>
#include <QTimer>
#include <functional>

class QFileDialog;

namespace trevalon {

class Editor;
class MainHost;
class SettingsStore;
class Workspace;
struct MainState;
struct RecoveryEntry;

// New, Open, Save and Save as, the question before a changed project is left, and opening a
// file given by name (the command line, a dropped file).
class ProjectCommands {
public:
    // Every argument must outlive the commands; the dialogs belong to the host's widget.
    ProjectCommands(Workspace& workspace, SettingsStore& settings, MainState& state, Editor& editor,
                    MainHost& host);
    ~ProjectCommands();

    // "Nowy projekt": the question, then a new project.
    void newProjectCommand();
    // "Otwórz projekt...": the question, then the open dialog.
    void openCommand();
    // A file named on the command line or dropped on the window; false when it was not opened.
    bool openGiven(const QString& path);
    // Reads `path` as the project (no question); false when the reader refused it. A project of
    // the user's joins the recent projects; an example (ExampleProjects) opens as a copy
    // without a file of its own, so that a save asks for a new one.
    bool openPath(const QString& path);
    // The question, then `path` as under openPath: the start page's entries.
    bool openChosen(const QString& path);
    void newProject();
    // Opens an autosave's recovery file as the project, changed and unsaved, under the name and
    // file it came from (a save writes there: the pupil decides); it does not join the recent
    // projects. False when the reader refused it.
    bool openRecovered(const RecoveryEntry& entry);
    // Told after every project file written (the autosave's copy is then no longer needed).
    void setAfterSave(std::function<void()> saved) { m_afterSave = std::move(saved); }
    // Told when the pupil answers "Nie" to saving the changes of a project being left.
    void setAfterAbandon(std::function<void()> abandoned) { m_afterAbandon = std::move(abandoned); }
    // Writes the project to its file, asking for one when it has none; false when nothing was
    // written (cancelled or failed). A file written joins the recent projects; the save
    // dialog refuses the examples' folder.
    bool save();
    bool saveAs();
    // The question when the program is closed; false keeps it open.
    bool confirmClose();
    // The question before a changed project is left; true to go on.
    bool askToSave();
    // True when leaving the project would lose something.
    bool hasUnsavedWork() const;
    // The save dialog starts in the projects folder again.
    void forgetSaveFolder();
    // The status line's row of "+" signs, then "Zapisano." (also after the settings are saved).
    void showSaved();

    // The dialogs' titles and filters in the current language.
    void applyTexts();

    QFileDialog* openDialog() const { return m_openDialog; }
    QFileDialog* saveDialog() const { return m_saveDialog; }

private:
    // The unsaved-changes question when `needed`; true to go on.
    bool askIf(bool needed);
    bool load(const QString& path);
    QString startingFolder() const;
    bool write(const QString& path);
    QString chooseSaveFile();
    void adoptName(const QString& path);
    void savedTick();

    Workspace& m_ws;
    SettingsStore& m_settings;
    MainState& m_state;
    Editor& m_editor;
    MainHost& m_host;
    QFileDialog* m_openDialog = nullptr;
    QFileDialog* m_saveDialog = nullptr;
    bool m_saveFolderChosen = false;
    QTimer m_savedTimer;
    int m_plusCount = 0;
    std::function<void()> m_afterSave;
    std::function<void()> m_afterAbandon;
};

}  // namespace trevalon

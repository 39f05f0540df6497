#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "edit/EditorView.h"
#include "ui/main/MainCompanions.h"
#include "ui/main/MainHost.h"
#include "ui/main/MainState.h"
#include "ui/main/WindowHost.h"

class QLabel;

namespace trevalon {

class ClickLabel;
class DragLabel;
class Editor;
class LaterWindows;
class MainCommands;
class MainMenus;
class MainToolbar;
class Autosave;
class PrintCommands;
class ProjectCommands;
struct RecoveryEntry;
class QtTexts;
class PropertiesView;
class RunController;
class SettingsStore;
class ResizeGrip;
class StartPage;
class StatusLine;
class TDotFrame;
class TFOpisy;
class TFWarning;
class TFWinietka;
class TFWykonanie;
class TTablica;
class Workspace;

// The main window: its own title strip with the menu labels, the group tabs and toolbar, the
// status line and the resize grip. The board windows, the report window and the properties
// window float above it and move with it. Every command of the program starts here.
class TFGlowny : public QWidget, public EditorView, public WindowHost, public MainHost {
public:
    static constexpr int MinimumWidth = 769;
    static constexpr int MinimumHeight = 560;

    // `workspace` and `settings` must outlive the window.
    TFGlowny(Workspace& workspace, SettingsStore& settings);
    ~TFGlowny() override;

    // The companions, created after the main window in the program's start-up order and
    // attached all at once before it is first shown.
    void attachCompanions(const MainCompanions& companions);

    // The project file named on the command line, opened when the window is first shown.
    void setStartArgument(const QString& path) { m_startArgument = path; }
    // Told the event log's file once the data folders are prepared at start-up.
    void setLogPathReady(std::function<void(const QString&)> ready) {
        m_logPathReady = std::move(ready);
    }
    // Runs the start-up steps of the first showing (also called by that showing itself).
    void startUp();
    bool started() const { return m_started; }

    // Sets every text of the main window and its companions in the current language.
    void applyTexts();
    void setLanguage(const QString& language) override;
    void setHeader() override;
    // Shows `text` in the status line, until the project or the language changes after the
    // event that showed it (see settleStatus).
    void showStatus(const QString& text) override;
    // The whole text, also when the line shows it shortened.
    QString statusText() const;
    void selectTab(int tab);
    // Shows the run buttons as the run state asks: both when idle.
    void updateRunButtons() override;
    // The start page shows, freshly filled, exactly while no project is open.
    void projectStateChanged() override;
    // Puts every visible companion at its offset from the main window.
    void placeCompanions();
    // Lays the properties window beside the visible boards, covering none of their cells.
    void layOutCompanions();
    // The start page shows, in the current language, while no project is open.
    void refreshStartPage();
    // The screen rectangle the shown board windows take together; empty when none is shown.
    QRect visibleBoards() const;
    // Shows the window of every board of the project that is hidden (closed by the window
    // manager, say).
    void showProjectBoards() override;
    // Fills the screen's available area, or goes back to the size and place it had before.
    // Done by the program itself, so that it works the same with any window manager or none.
    void toggleMaximised() override;
    bool maximised() const override { return m_maximised || isMaximized(); }

    Workspace& workspace() { return m_ws; }
    SettingsStore& settings() { return m_settings; }
    MainState& state() { return m_state; }
    Editor& editor() override { return *m_editor; }
    MainToolbar& toolbar() { return *m_toolbar; }
    MainMenus& menus() { return *m_menus; }
    MainCommands& commands() { return *m_commands; }
    ProjectCommands& files() { return *m_files; }
    PrintCommands& print() { return *m_print; }
    RunController& runner() { return *m_run; }
    // Made at start-up, once the data folder is known; null before.
    Autosave* autosave() const { return m_autosave.get(); }
    StartPage* startPage() const { return m_startPage; }
    TTablica* board(int n) const { return m_companions.boards[static_cast<std::size_t>(n - 1)]; }
    TFOpisy* report() const { return m_companions.report; }
    TFWykonanie* execution() const { return m_companions.execution; }
    TFWinietka* about() const { return m_companions.about; }
    TFWarning* warning() const { return m_companions.warning; }
    PropertiesView* properties() const { return m_companions.properties; }
    LaterWindows* laterWindows() const { return m_companions.later; }
    TDotFrame* dotFrame() const;

    // EditorView
    void boardChanged(int n) override;
    void showBoardWindow(int n) override;
    void hideBoardWindow(int n) override;
    void boardDeleted(int n, bool shifted) override;
    void raiseBoard(int n, bool focus) override;
    void titlesChanged() override;
    void modesChanged() override;
    void focusMainWindow() override;
    void showProperties(int kind) override;
    bool propertiesEditing() const override;
    void finishPropertiesEdit() override;
    void hideReport() override;
    void showPanel(CompanionPanel& panel) override;
    bool warnBeforeDelete() const override;
    void copyBoardPicture(int n) override;
    void placedArrayBlock(int n, int column, int row) override;

    // WindowHost
    bool handleKey(QKeyEvent* event, KeySource source) override;
    QPoint origin() const override;
    void checkActiveBoard() override;
    void copyActiveBoardPicture() override;
    void executeCommand(Command command) override;
    bool commandAllowed(Command command) const override;
    const Breakpoints& breakpoints() const override;
    void paintBoardsNow() override;
    void showRunningCell(int n, int column, int row) override;
    void redrawBoard(int n) override;
    void zoomActiveBoard(int direction) override;
    void boardResized(int n) override;

    // MainHost
    QWidget& widget() override { return *this; }
    void minimise() override { showMinimized(); }
    void closeWindow() override { close(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTitleStrip();
    void buildMenuStrip();
    void buildStatusLine();
    void buildStartPage();
    void layoutStrips();
    void fitOnScreen();
    // What a status text speaks of: the project's state in the history, and the language.
    struct StatusMoment {
        std::uint64_t revision = 0;
        QString language;
        bool projectOpen = false;
        bool operator==(const StatusMoment&) const = default;
    };
    StatusMoment statusMoment() const;
    // Run once the event that showed a text or changed the project is over: a new text is
    // tied to the moment that event left behind, and a text whose moment has passed (a
    // reason already mended, "Zapisano." before an undo, the other language) goes.
    void settleStatus();

    Workspace& m_ws;
    SettingsStore& m_settings;
    QTimer m_recordTimer;
    QTimer m_statusTimer;
    std::optional<StatusMoment> m_statusMoment;  // unset while the text's event goes on
    int m_runningBoard = 0;                      // the board a watched run last brought forward
    MainState m_state;
    MainCompanions m_companions;
    std::unique_ptr<Editor> m_editor;
    std::unique_ptr<MainToolbar> m_toolbar;
    std::unique_ptr<MainMenus> m_menus;
    std::unique_ptr<ProjectCommands> m_files;
    std::unique_ptr<PrintCommands> m_print;
    std::unique_ptr<RunController> m_run;
    std::unique_ptr<MainCommands> m_commands;
    std::unique_ptr<QtTexts> m_qtTexts;
    std::unique_ptr<Autosave> m_autosave;

    QWidget* m_titleStrip = nullptr;
    DragLabel* m_dragArea = nullptr;
    QLabel* m_header = nullptr;
    ClickLabel* m_windowMenu = nullptr;
    std::array<ClickLabel*, 4> m_windowButtons{};  // help, minimise, maximise, close
    QWidget* m_menuStrip = nullptr;
    std::array<ClickLabel*, 4> m_menuLabels{};
    StatusLine* m_status = nullptr;
    StartPage* m_startPage = nullptr;
    ResizeGrip* m_grip = nullptr;
    QImage m_background;
    bool m_maximised = false;
    QRect m_normalGeometry;

    std::function<void(const QString&)> m_logPathReady;
    QString m_startArgument;
    bool m_started = false;
};

}  // namespace trevalon

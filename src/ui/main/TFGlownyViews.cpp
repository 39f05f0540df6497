// What the companions ask of the main window: the board editor's view of the windows, and the
// host of the board and report windows.
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>

#include "config/SettingsStore.h"
#include "edit/BoardGeometry.h"
#include "edit/Editor.h"
#include "exec/Workspace.h"
#include "ui/app/WindowPlacement.h"
#include "ui/board/BoardImage.h"
#include "ui/board/TTablica.h"
#include "ui/code/TFKod.h"
#include "ui/main/MainCommands.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/TFGlowny.h"
#include "ui/pictures/Pictures.h"
#include "ui/properties/PropertiesView.h"
#include "ui/run/RunController.h"
#include "ui/run/TFOpisy.h"
#include "ui/run/TFSlad.h"
#include "ui/run/TFTesty.h"

namespace trevalon {
namespace {

// The block the code window marks: the one a run stands on, else the selected one; both are
// read from the frames the boards draw, so that the code shows what the boards show.
std::optional<TFKod::Mark> framedBlock(const Editor& editor, const Project& project) {
    for (int n = 1; n <= project.boardCount; ++n) {
        for (int column = 1; column <= kGridSize; ++column) {
            for (int row = 1; row <= kGridSize; ++row) {
                if (editor.frames(n).at(column, row) == FrameRunning) {
                    return TFKod::Mark{{n, column, row}, true};
                }
            }
        }
    }
    const int n = editor.currentBoard();
    if (n < 1 || n > project.boardCount ||
        !Board::validPosition(editor.currentColumn(), editor.currentRow())) {
        return std::nullopt;
    }
    const FrameColour frame = editor.frames(n).at(editor.currentColumn(), editor.currentRow());
    if (frame != FrameSelected && frame != FrameFaulty) {
        return std::nullopt;
    }
    return TFKod::Mark{{n, editor.currentColumn(), editor.currentRow()}, false};
}

}  // namespace

// EditorView

void TFGlowny::boardChanged(int n) {
    board(n)->redraw();
    m_recordTimer.start();
}

// A board window opens whole on the screen and apart from the others, so that it hides no
// other board's title strip: a board added where a moved one stands would cover it exactly.
void TFGlowny::showBoardWindow(int n) {
    TTablica* window = board(n);
    window->placeAndDraw();
    std::vector<QRect> others;
    for (const TTablica* other : m_companions.boards) {
        if (other != window && other->isVisible()) {
            others.push_back(other->frameGeometry());
        }
    }
    const QPoint place = placement::apart(window->frameGeometry(), others,
                                          placement::availableArea(*this), geometry::kTitleHeight);
    if (place != window->pos()) {
        window->moveTo(place);
    }
    window->show();
    window->raise();
    layOutCompanions();
}

void TFGlowny::hideBoardWindow(int n) {
    board(n)->hide();
}

void TFGlowny::boardDeleted(int n, bool shifted) {
    if (shifted) {
        board(n)->setZoom(board(n + 1)->zoom());
    }
    board(shifted ? n + 1 : n)->setZoom(100);
}

void TFGlowny::raiseBoard(int n, bool focus) {
    TTablica* window = board(n);
    if (!window->isVisible()) {
        return;
    }
    window->raise();
    // Without a window manager a raised board would cover an open dialog; it stays on top.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window) {
        modal->raise();
    }
    if (focus) {
        window->activateWindow();
        window->setFocus();
    }
}

void TFGlowny::titlesChanged() {
    m_recordTimer.start();
    const int active = m_ws.project().activeBoard;
    for (int n = 1; n <= 3; ++n) {
        board(n)->setActiveTitle(n == active);
    }
    raiseBoard(active, false);
}

void TFGlowny::modesChanged() {
    const Editor& editor = *m_editor;
    m_toolbar->setChosen(editor.chosenKind());
    const bool busy = editor.placing() || editor.moving();
    setCursor(busy ? pictures::cursor(QStringLiteral("nocur")) : QCursor(Qt::ArrowCursor));
    for (int n = 1; n <= 3; ++n) {
        TTablica* window = board(n);
        if (editor.placing() || (editor.moving() && editor.moveBoard() == n)) {
            window->setImageCursor(pictures::cursor(QStringLiteral("ramkacur")));
        } else if (editor.moving()) {
            window->setImageCursor(QCursor(Qt::ForbiddenCursor));
        } else {
            window->setImageCursor(QCursor(Qt::ArrowCursor));
        }
    }
}

void TFGlowny::focusMainWindow() {
    activateWindow();
    setFocus();
}

void TFGlowny::showProperties(int kind) {
    m_companions.properties->showProperties(kind);
}

bool TFGlowny::propertiesEditing() const {
    return m_companions.properties->editing();
}

void TFGlowny::finishPropertiesEdit() {
    m_companions.properties->finishEditing();
}

void TFGlowny::hideReport() {
    m_companions.report->hide();
}

bool TFGlowny::warnBeforeDelete() const {
    return m_settings.values().warnBeforeDelete;
}

void TFGlowny::copyBoardPicture(int n) {
    // At 100 %, whatever the board is shown at: the picture pupils paste into their notes.
    QGuiApplication::clipboard()->setImage(board(n)->plainPicture());
}

void TFGlowny::placedArrayBlock(int n, int column, int row) {
    const QString array = m_ws.project().cell(n, column, row).variable();
    const Evaluation exists =
        m_ws.variables().evaluate(QStringLiteral("ExistVar(") + array + QLatin1Char(')'));
    if (exists.ok && exists.result == QLatin1String("0")) {
        m_ws.variables().evaluate(array + QStringLiteral("=\"*\""));
    }
    m_ws.variables().refreshVariablesList();
}

// WindowHost

void TFGlowny::checkActiveBoard() {
    m_commands->execute(Command::CheckBoard);
}

void TFGlowny::copyActiveBoardPicture() {
    copyBoardPicture(m_ws.project().activeBoard);
}

void TFGlowny::executeCommand(Command command) {
    m_commands->execute(command);
}

bool TFGlowny::commandAllowed(Command command) const {
    return m_commands->allowed(command);
}

// The trace window and the run show the same row: a row picked in the window moves the run's
// mark, and the run's record and its shown row move the window.
void TFGlowny::attachCompanions(const MainCompanions& companions) {
    m_companions = companions;
    companions.tests->onRunAgain = [this](const QStringList& input) { m_run->runWithInput(input); };
    companions.code->markedBlock = [this] { return framedBlock(*m_editor, m_ws.project()); };
    companions.code->projectOpen = [this] { return m_state.projectOpen; };
    TFSlad* trace = companions.trace;
    trace->onRowChosen = [this](int row) { m_run->chooseRecordedRow(row); };
    trace->onVisibilityChanged = [this](bool shown) { m_run->setTraceWanted(shown); };
    m_run->onTraceRestarted = [trace] { trace->restart(); };
    m_run->onTraceChanged = [this, trace] {
        if (!trace->isVisible()) {
            return;
        }
        trace->refresh();
        if (m_run->shownRow() >= 0) {
            trace->setCurrentRow(m_run->shownRow());
        }
    };
}

const Breakpoints& TFGlowny::breakpoints() const {
    return m_ws.breakpoints();
}

// Raised only when the run moved to another board: raising the same window at every block
// would restack it over the variables window many times a second.
void TFGlowny::showRunningCell(int n, int column, int row) {
    if (n < 1 || n > kMaxBoards) {
        return;
    }
    TTablica* window = board(n);
    if (n != m_runningBoard || !window->isVisible()) {
        m_runningBoard = n;
        window->show();
        window->raise();
    }
    window->showCell(column, row);
}

void TFGlowny::redrawBoard(int n) {
    board(n)->redraw();
}

void TFGlowny::zoomActiveBoard(int direction) {
    board(m_ws.project().activeBoard)->zoomBy(direction);
}

void TFGlowny::boardResized(int n) {
    if (board(n)->isVisible()) {
        layOutCompanions();
    }
}

void TFGlowny::paintBoardsNow() {
    for (int n = 1; n <= kMaxBoards; ++n) {
        if (board(n)->isVisible()) {
            board(n)->image()->repaint();
        }
    }
}

}  // namespace trevalon

// The desktop program on a real X server, with and without a window manager: which window is
// above which, where each one is, what a pupil can see and reach. Every case drives the real
// `trevalon` executable with keys and clicks, as a pupil would, and asks the X server.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "FlowBuilder.h"
#include "Recorders.h"
#include "XDesktop.h"
#include "config/SettingsStore.h"
#include "config/TextTable.h"
#include "storage/ProjectFile.h"
#include "storage/RecoveryFile.h"
#include "ui/widgets/Palette.h"

using desktop::waitUntil;
using desktop::XDesktop;
using desktop::XWindow;
using trevalon::test::FlowBuilder;

namespace {

const QString Main = QStringLiteral("TFGlowny");
const QString Board1 = QStringLiteral("TTablica1");
const QString Properties = QStringLiteral("TFWlasnosci");
const QString Message = QStringLiteral("TFWarning");
const QString Report = QStringLiteral("TFOpisy");
const QString Execution = QStringLiteral("TFWykonanie");
const QString Trace = QStringLiteral("TFSlad");
const QString Tests = QStringLiteral("TFTesty");
const QString Code = QStringLiteral("TFKod");
const QString factorial = QStringLiteral(TREVALON_SOURCE_DIR "/examples/factorial.skb");
const QString gcd = QStringLiteral(TREVALON_SOURCE_DIR "/examples/gcd.skb");
// The title strips' marks (collapse, maximise, close) stand this far below the window's top.
constexpr int MarkTop = 2;

struct Screen {
    double scale;
    QSize size;
    const char* name;
};

void PrintTo(const Screen& screen, std::ostream* os) {
    *os << screen.name;
}

class DesktopTest : public ::testing::TestWithParam<Screen> {
protected:
    void TearDown() override {
        // Killed rather than closed: no close question can hold the test up.
        for (QProcess* program : {m_program.get(), m_second.get()}) {
            if (program != nullptr) {
                program->kill();
                program->waitForFinished();
            }
        }
    }

    double scale() const { return GetParam().scale; }
    int px(int logical) const { return static_cast<int>(logical * scale()); }

    void startDesktop(bool windowManager = true) {
        QString error;
        m_desktop = XDesktop::start(GetParam().size, windowManager, &error);
        ASSERT_TRUE(m_desktop) << error.toStdString();
    }

    // Starts the program as a file manager would, with `arguments`, in a start folder of its
    // own, and waits for its main window.
    void startTrevalon(const QStringList& arguments = {}) { launch(m_program, arguments); }

    void launch(std::unique_ptr<QProcess>& program, const QStringList& arguments) {
        if (!m_desktop) {
            startDesktop();
        }
        ASSERT_TRUE(m_folder.isValid());
        QDir(m_folder.path()).mkpath(QStringLiteral("start"));
        QProcessEnvironment env = m_desktop->environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale()));
        env.insert(QStringLiteral("TREVALON_DATA_DIR"), m_folder.filePath(QStringLiteral("data")));
        program = std::make_unique<QProcess>();
        program->setProcessEnvironment(env);
        program->setWorkingDirectory(startFolder());
        program->setProcessChannelMode(QProcess::ForwardedChannels);
        program->start(executable(), arguments);
        ASSERT_TRUE(program->waitForStarted(5000));
        ASSERT_TRUE(shown(Main)) << "the main window never appeared";
        ourFocus();
        quiet();
    }

    // A project with one board of 15 x 15 cells, the largest there is.
    QString largeProject() {
        return saved(QStringLiteral("large.skb"), [](FlowBuilder& flow) {
            flow.resize(1, 15, 15);
            flow.put(1, 1, 1, trevalon::KindStart);
            flow.put(1, 15, 15, trevalon::KindEnd);
        });
    }

    // A new project drawn by `draw`, saved under `name` where the program can open it.
    QString saved(const QString& name, const std::function<void(FlowBuilder&)>& draw) {
        auto project = std::make_unique<trevalon::Project>();
        project->newProject();
        FlowBuilder flow(*project);
        draw(flow);
        const QString path = m_folder.filePath(name);
        trevalon::test::RecordingLog log(0);
        EXPECT_TRUE(trevalon::ProjectFile::save(*project, path, log, trevalon::TextTable()).ok());
        return path;
    }

    // TREVALON_UNDER_TEST runs the suite against another build of the program.
    static QString executable() {
        return qEnvironmentVariableIsSet("TREVALON_UNDER_TEST")
                   ? qEnvironmentVariable("TREVALON_UNDER_TEST")
                   : QStringLiteral(TREVALON_EXECUTABLE);
    }

    // The factorial example opened from the command line, with its board and properties shown.
    void openFactorial() {
        startTrevalon({factorial});
        ASSERT_TRUE(shown(Board1));
        ASSERT_TRUE(shown(Properties));
        quiet();
    }

    QString startFolder() const { return m_folder.filePath(QStringLiteral("start")); }
    QString dataFolder() const { return m_folder.filePath(QStringLiteral("data")); }

    // Writes the settings file the program will read, as `change` leaves the defaults.
    void writeSettings(const std::function<void(trevalon::Settings&)>& change) const {
        trevalon::test::RecordingLog log(0);
        const trevalon::TextTable texts;
        trevalon::SettingsStore store(log, texts);
        trevalon::SettingsEnvironment environment;
        environment.dataFolder = dataFolder();
        environment.documentsFolder = m_folder.path();
        store.prepareFolders(environment, startFolder(), QDateTime::currentDateTime());
        store.readSettings();
        change(store.values());
        ASSERT_TRUE(store.writeAllSettings());
    }

    // The autosave's complete recovery files in the data folder: a project file with the
    // description that is written after it (a program killed between the two leaves a slot
    // that is not offered).
    QStringList recoveryFiles() const {
        const QDir folder(dataFolder() + QStringLiteral("/Odzysk"));
        QStringList complete;
        for (const QString& description :
             folder.entryList({QStringLiteral("*.json")}, QDir::Files)) {
            const QString project = description.chopped(5) + QStringLiteral(".skb");
            if (folder.exists(project)) {
                complete.append(project);
            }
        }
        return complete;
    }

    // A project whose run never ends.
    QString endlessProject() {
        return saved(QStringLiteral("endless.skb"), [](FlowBuilder& flow) { flow.endlessLoop(); });
    }

    bool shown(const QString& role, int millis = 15000) const {
        return waitUntil([&] { return m_desktop->find(role).has_value(); }, millis);
    }
    bool gone(const QString& role) const {
        return waitUntil([&] { return !m_desktop->find(role).has_value(); });
    }
    QRect rect(const QString& role) const {
        const std::optional<XWindow> window = m_desktop->find(role);
        return window ? window->rect : QRect();
    }
    QRect screen() const { return QRect(QPoint(0, 0), GetParam().size); }

    // Waits until the screen has stood still for a moment: the program and the window manager
    // have drawn and placed what the last step started. Not a check: a screen that keeps
    // changing (a blinking text cursor changes more slowly than this) ends the wait after
    // `millis`.
    void quiet(int millis = 5000) const {
        constexpr int kStillMillis = 120;
        QImage last = m_desktop->screenshot();
        QElapsedTimer still;
        still.start();
        waitUntil(
            [&] {
                QImage now = m_desktop->screenshot();
                if (now != last) {
                    last = std::move(now);
                    still.restart();
                    return false;
                }
                return still.elapsed() >= kStillMillis;
            },
            millis);
    }

    // Keys go to the window that has the keyboard focus. A window manager gives it after a
    // click or when a window closes, in its own time: until one of the program's windows has
    // it, a key would be lost. Without a manager the program sets the focus itself, before it
    // reads the next key.
    void ourFocus() const {
        if (m_desktop->hasWindowManager()) {
            waitUntil([&] { return m_desktop->focusedWindow() != 0; }, 5000);
        }
    }

    // A click, and what it started: the window clicked has the focus (a window manager gives
    // it) and the screen is still.
    void clickAt(QPoint at) const {
        ASSERT_TRUE(m_desktop->click(at));
        if (m_desktop->hasWindowManager()) {
            const unsigned long clicked = windowAt(at);
            waitUntil([&] { return m_desktop->focusedWindow() == clicked; }, 5000);
        }
        quiet();
    }

    // The topmost viewable window of the program at `at`; 0 when none.
    unsigned long windowAt(QPoint at) const {
        unsigned long found = 0;
        for (const XWindow& window : m_desktop->stacking()) {
            if (window.viewable && !window.popup && !window.role.isEmpty() &&
                window.rect.contains(at)) {
                found = window.id;
            }
        }
        return found;
    }

    void keys(const QString& sequence) const {
        ourFocus();
        ASSERT_TRUE(m_desktop->key(sequence)) << sequence.toStdString();
    }

    int popups() const {
        int count = 0;
        for (const XWindow& window : m_desktop->stacking()) {
            count += window.viewable && window.popup && window.rect.intersects(screen()) ? 1 : 0;
        }
        return count;
    }

    // Opens one of the main window's menus by its key and waits until it is on the screen, so
    // that the next keys reach the menu.
    void openMenu(const QString& key) const {
        keys(key);
        ASSERT_TRUE(waitUntil([&] { return popups() > 0; })) << key.toStdString();
    }

    void keep(const QString& step) const {
        const QString folder = QStringLiteral(TREVALON_SCREENSHOT_DIR "/desktop");
        QDir().mkpath(folder);
        m_desktop->screenshot().save(
            QStringLiteral("%1/%2-x%3.png").arg(folder, step).arg(GetParam().scale));
    }

    // The board windows a project has open, by their roles.
    std::vector<QRect> boardRects() const {
        std::vector<QRect> rects;
        for (const XWindow& window : m_desktop->stacking()) {
            if (window.viewable && window.role.startsWith(QLatin1String("TTablica"))) {
                rects.push_back(window.rect);
            }
        }
        return rects;
    }

    void expectBesideBoards(const QString& role) const {
        const QRect companion = rect(role);
        ASSERT_TRUE(companion.isValid()) << role.toStdString();
        for (const QRect& board : boardRects()) {
            EXPECT_FALSE(companion.intersects(board))
                << role.toStdString() << " covers a board: " << companion << " over " << board;
        }
        EXPECT_TRUE(screen().contains(companion)) << role.toStdString() << " " << companion;
    }

    // The resize grip in the bottom right corner makes the restored window larger, where the
    // screen has room for that (at scale 2 the window already fills the 1400 x 1000 screen).
    void expectGripResizes(const QRect& normal) const {
        if (normal.width() + px(20) > screen().width()) {
            return;
        }
        const QPoint grip = rect(Main).bottomRight() - QPoint(px(11), px(11));
        ASSERT_TRUE(m_desktop->drag(grip, grip + QPoint(px(20), px(16))));
        EXPECT_TRUE(waitUntil([&] { return rect(Main).width() > normal.width(); }, 5000))
            << rect(Main);
    }

    // The centre of a square of a board window on the screen.
    QPoint cellAt(const QRect& board, int column, int row) const {
        return board.topLeft() + QPoint(px(21 + 39 * (column - 1)), px(42 + 39 * (row - 1)));
    }

    // Where the run's orange frame shows on the board window: the bounds of its pixels, or an
    // empty rectangle when none shows.
    QRect runMark() const { return painted(trevalon::palette::runFrame); }

    // The bounds of the pixels of one colour on board 1's window.
    QRect painted(const QColor& colour) const {
        const QImage shot = m_desktop->screenshot();
        const QRect board = rect(Board1).intersected(shot.rect());
        QRect found;
        for (int y = board.top(); y <= board.bottom(); ++y) {
            for (int x = board.left(); x <= board.right(); ++x) {
                if (shot.pixelColor(x, y) == colour) {
                    found |= QRect(x, y, 1, 1);
                }
            }
        }
        return found;
    }

    void openBuilderFromTheCorner();
    void maximiseRestoreAndMove(const QString& shots);
    void stopAnEndlessRun();

    std::unique_ptr<XDesktop> m_desktop;
    std::unique_ptr<QProcess> m_program;
    std::unique_ptr<QProcess> m_second;  // a second program beside the first
    QTemporaryDir m_folder;
};

// A project opened from the file manager shows its board and properties above the main
// window, and they stay there when the pupil clicks the main window.
TEST_P(DesktopTest, ProjectFromCommandLineShowsCompanionsAboveMainWindow) {
    ASSERT_NO_FATAL_FAILURE(openFactorial());
    keep(QStringLiteral("1-opened-from-command-line"));
    EXPECT_GT(m_desktop->stackIndex(Board1), m_desktop->stackIndex(Main));
    EXPECT_GT(m_desktop->stackIndex(Properties), m_desktop->stackIndex(Main));
    EXPECT_DOUBLE_EQ(m_desktop->uncoveredShare(Board1), 1.0);

    const QRect main = rect(Main);
    clickAt(main.bottomLeft() + QPoint(px(60), -px(8)));
    keep(QStringLiteral("1-main-window-clicked"));
    EXPECT_GT(m_desktop->stackIndex(Board1), m_desktop->stackIndex(Main));
    EXPECT_GT(m_desktop->stackIndex(Properties), m_desktop->stackIndex(Main));
}

// Stopping an endless run shows its message above everything, whether the stop came from the
// board's keys or from the Run menu.
TEST_P(DesktopTest, StoppingARunShowsTheMessageOnTop) {
    stopAnEndlessRun();
}

TEST_P(DesktopTest, StoppingARunShowsTheMessageOnTopWithoutAWindowManager) {
    startDesktop(false);
    stopAnEndlessRun();
}

void DesktopTest::stopAnEndlessRun() {
    startTrevalon({endlessProject()});
    ASSERT_TRUE(shown(Board1));
    quiet();
    const QRect board = rect(Board1);
    clickAt(board.topLeft() + QPoint(px(60), px(8)));
    keys(QStringLiteral("F9"));
    keys(QStringLiteral("ctrl+f"));
    ASSERT_TRUE(shown(Message));
    quiet();
    keep(QStringLiteral("2-stopped-from-board"));
    // It belongs to the board the stop came from, so every window manager keeps it above.
    EXPECT_EQ(m_desktop->find(Message)->transientFor, m_desktop->find(Board1)->id);
    EXPECT_DOUBLE_EQ(m_desktop->uncoveredShare(Message), 1.0);
    EXPECT_GT(m_desktop->stackIndex(Message), m_desktop->stackIndex(Board1));
    EXPECT_TRUE(screen().contains(rect(Message)));
    keys(QStringLiteral("Return"));
    ASSERT_TRUE(gone(Message));

    const QRect main = rect(Main);
    clickAt(main.bottomLeft() + QPoint(px(60), -px(8)));
    keys(QStringLiteral("F9"));
    openMenu(QStringLiteral("alt+w"));
    keys(QStringLiteral("Up"));  // the last item: Abort
    keys(QStringLiteral("Return"));
    ASSERT_TRUE(shown(Message));
    quiet();
    keep(QStringLiteral("2-stopped-from-menu"));
    EXPECT_DOUBLE_EQ(m_desktop->uncoveredShare(Message), 1.0);
    keys(QStringLiteral("Return"));
    EXPECT_TRUE(gone(Message));
}

// Step mode on a real screen: the block the run stands on is framed in orange, the frame has
// moved onto the read block while its dialog asks, and the variables come up over the
// properties window.
TEST_P(DesktopTest, StepModeMarksTheBlockBeforeItsDialogAsks) {
    ASSERT_NO_FATAL_FAILURE(openFactorial());
    clickAt(rect(Board1).topLeft() + QPoint(px(60), px(8)));
    keys(QStringLiteral("F12"));
    ASSERT_TRUE(shown(Report));
    quiet();
    const QRect atStart = runMark();
    ASSERT_TRUE(atStart.isValid());
    EXPECT_GE(atStart.width(), px(36));  // the whole square's frame, not a line of it
    EXPECT_GT(m_desktop->stackIndex(Report), m_desktop->stackIndex(Properties));

    keys(QStringLiteral("F7"));
    ASSERT_TRUE(shown(Execution));
    quiet();
    keep(QStringLiteral("9-step-dialog"));
    const QRect whileAsking = runMark();
    ASSERT_TRUE(whileAsking.isValid());
    EXPECT_GT(whileAsking.center().y(), atStart.bottom());  // one square down: the read block
    keys(QStringLiteral("3 Return"));
    ASSERT_TRUE(gone(Execution));
    keys(QStringLiteral("F7 F7"));
    quiet();
    keep(QStringLiteral("9-step-assignment"));
    keys(QStringLiteral("ctrl+f"));
    ASSERT_TRUE(shown(Message));
    keys(QStringLiteral("Return"));
    EXPECT_TRUE(waitUntil([&] { return !runMark().isValid(); }, 5000));
}

// A watched run of Euclid's algorithm stops at the breakpoint F8 put on the loop's assignment;
// the trace window opens from the Show menu beside it, and Shift+F7 walks the mark back.
TEST_P(DesktopTest, AWatchedRunStopsAtABreakpointAndStepsBack) {
    ASSERT_NO_FATAL_FAILURE(writeSettings([](trevalon::Settings& values) { values.runSpeed = 1; }));
    startTrevalon({gcd});
    ASSERT_TRUE(shown(Board1));
    quiet();
    const QPoint assignment = cellAt(rect(Board1), 1, 7);  // t := a mod b
    clickAt(assignment);
    keys(QStringLiteral("F8"));
    QRect dot;
    ASSERT_TRUE(waitUntil([&] {
        dot = painted(trevalon::palette::breakpoint);
        return dot.isValid();
    }));
    EXPECT_LT((dot.center() - assignment).manhattanLength(), px(40));

    keys(QStringLiteral("F9"));
    ASSERT_TRUE(shown(Execution));
    keys(QStringLiteral("1 2 Return"));
    // The same dialog asks again: it goes (briefly, as one block passes) and comes back. Should
    // the gap be too short to be seen, two seconds are ample for the first question to close.
    waitUntil([&] { return !m_desktop->find(Execution).has_value(); }, 2000);
    ASSERT_TRUE(shown(Execution));
    quiet();
    keys(QStringLiteral("8 Return"));
    const auto markOn = [&](const QPoint& cell) {
        return waitUntil([&] { return runMark().contains(cell); }, 8000);
    };
    ASSERT_TRUE(markOn(assignment));
    keep(QStringLiteral("11-breakpoint"));

    openMenu(QStringLiteral("alt+o"));
    keys(QStringLiteral("Down Down Down Down Down Return"));  // the fifth item
    ASSERT_TRUE(shown(Trace));
    quiet();
    EXPECT_GT(m_desktop->stackIndex(Trace), m_desktop->stackIndex(Main));
    const QPoint comparison = cellAt(rect(Board1), 2, 8);  // performed before the assignment
    keys(QStringLiteral("shift+F7"));
    EXPECT_TRUE(markOn(comparison));
    keep(QStringLiteral("11-stepped-back"));
    // On a small screen the trace covers part of the board: the mark is seen leaving.
    keys(QStringLiteral("shift+F8"));
    EXPECT_TRUE(waitUntil([&] { return !runMark().contains(comparison); }, 8000));
}

// The Run menu's self-check asks for a tests file in Qt's dialog and lists its results in a
// panel beside the boards, above the main window.
TEST_P(DesktopTest, TheSelfCheckOpensItsResultsBesideTheBoards) {
    ASSERT_NO_FATAL_FAILURE(openFactorial());
    openMenu(QStringLiteral("alt+w"));
    keys(QStringLiteral("Down Down Down Return"));  // the third item
    const QString dialog = QStringLiteral("OpenTesty");
    ASSERT_TRUE(shown(dialog));
    ourFocus();
    quiet();
    EXPECT_EQ(m_desktop->find(dialog)->title, QStringLiteral("Wybierz plik testów"));
    ASSERT_TRUE(m_desktop->xdotool(
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"),
         QStringLiteral(TREVALON_SOURCE_DIR "/examples/tests/factorial.tests")}));
    keys(QStringLiteral("Return"));
    ASSERT_TRUE(shown(Tests));
    EXPECT_TRUE(gone(dialog));
    quiet();
    keep(QStringLiteral("12-self-check"));
    EXPECT_GT(m_desktop->stackIndex(Tests), m_desktop->stackIndex(Main));
    EXPECT_TRUE(screen().contains(rect(Tests))) << rect(Tests);
}

// The Show menu's code window opens above the main window, with the lines of the selected block
// marked: beside the boards where the screen has room (at scale 2 it has none, and the window
// covers part of the board as the trace window does).
TEST_P(DesktopTest, TheCodeWindowOpensBesideTheBoards) {
    startTrevalon({gcd});
    ASSERT_TRUE(shown(Board1));
    quiet();
    clickAt(cellAt(rect(Board1), 1, 7));  // t := a mod b
    openMenu(QStringLiteral("alt+o"));
    // From the menu's end: the schema, the board's picture, the three zoom items, then the code.
    keys(QStringLiteral("Up Up Up Up Up Up Return"));
    ASSERT_TRUE(shown(Code));
    quiet();
    keep(QStringLiteral("13-code-window"));
    EXPECT_GT(m_desktop->stackIndex(Code), m_desktop->stackIndex(Main));
    if (GetParam().scale == 1.0) {
        expectBesideBoards(Code);
    } else {
        EXPECT_TRUE(screen().contains(rect(Code))) << rect(Code);
    }
}

// A start without a project shows the start page in the main window; its key for a new
// project works at once, and the new project's board takes the page's place.
TEST_P(DesktopTest, AFirstStartShowsWhatToDo) {
    startTrevalon();
    ASSERT_TRUE(shown(Main));
    keep(QStringLiteral("0-first-start"));
    EXPECT_FALSE(m_desktop->find(Board1).has_value());
    keys(QStringLiteral("ctrl+n"));
    ASSERT_TRUE(shown(Board1));
    quiet();
    keep(QStringLiteral("0-first-start-new-project"));
}

// An edit the pupil has not saved outlives the program being killed: the next start asks
// about it (naming the project, its time and boards) and Yes puts it back on the board, to be
// saved into the pupil's own file. The interval is cut to 2 s here so that the test need not
// wait the default 30 s (the settings' tests hold the default).
TEST_P(DesktopTest, AKilledProgramOffersItsUnsavedEditBack) {
    const QString path = m_folder.filePath(QStringLiteral("lekcja.skb"));
    ASSERT_TRUE(QFile::copy(factorial, path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_NO_FATAL_FAILURE(writeSettings([](trevalon::Settings& values) {
        values.autosaveSeconds = 2;
        values.warnBeforeDelete = false;
    }));
    startTrevalon({path});
    ASSERT_TRUE(shown(Board1));
    quiet();
    // Board 1's first assignment, column 2, row 3, deleted.
    clickAt(rect(Board1).topLeft() + QPoint(px(60), px(20 + 100)));
    keys(QStringLiteral("Delete"));
    ASSERT_TRUE(waitUntil([&] { return !recoveryFiles().isEmpty(); }, 10000));
    m_program->kill();  // SIGKILL: nothing is closed, nothing is removed
    ASSERT_TRUE(m_program->waitForFinished(5000));

    startTrevalon();
    ASSERT_TRUE(shown(Message));
    quiet();
    keep(QStringLiteral("9-recovery-question"));
    keys(QStringLiteral("t"));  // "Tak"
    ASSERT_TRUE(shown(Board1));
    EXPECT_TRUE(waitUntil([&] { return recoveryFiles().isEmpty(); }, 5000))
        << "removed once the pupil chose";
    keys(QStringLiteral("ctrl+s"));
    const auto deleted = [&] {
        trevalon::Project saved;
        trevalon::test::RecordingLog log(0);
        return trevalon::ProjectFile::load(saved, path, log, trevalon::TextTable()).ok() &&
               !saved.isOccupied(1, 2, 3) && saved.isOccupied(1, 2, 2);
    };
    EXPECT_TRUE(waitUntil(deleted, 5000));
}

// The data folder may sit on a pupil's USB stick, where anything can stand under any name: a
// recovery file left by a killed program whose description is a link to a named pipe holds
// neither this start nor the next one. The program answers its keys, and the link is gone.
TEST_P(DesktopTest, ALinkToAPipeAmongTheRecoveryFilesDoesNotHoldTheStart) {
    QString slot;
    {
        auto project = std::make_unique<trevalon::Project>();
        project->newProject();
        trevalon::RecoveryFile killed(dataFolder());
        ASSERT_TRUE(killed.write(*project, QString(), QStringLiteral("Lekcja")).ok());
        slot = killed.projectFile().chopped(4);
    }
    const QString description = slot + QStringLiteral(".json");
    const QString pipe = m_folder.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::remove(description));
    ASSERT_TRUE(QFile::link(pipe, description));

    startTrevalon();
    keys(QStringLiteral("ctrl+n"));
    EXPECT_TRUE(shown(Board1)) << "the program does not answer";
    keep(QStringLiteral("10-recovery-link-to-pipe"));
    EXPECT_FALSE(QFileInfo(description).isSymLink());
}

// Blocks chosen with a Ctrl-drag and copied in one running program paste into another one's
// board: the clipboard carries them between the two.
TEST_P(DesktopTest, BlocksCopiedInOneProgramPasteIntoAnother) {
    const QString target = saved(QStringLiteral("cel.skb"), [](FlowBuilder&) {});
    ASSERT_NO_FATAL_FAILURE(openFactorial());
    // Board 1's column 2, rows 2 and 3.
    const auto cell = [&](const QRect& board, int column, int row) {
        return cellAt(board, column, row);
    };
    const QRect source = rect(Board1);
    ASSERT_TRUE(m_desktop->xdotool({QStringLiteral("keydown"), QStringLiteral("ctrl")}));
    ASSERT_TRUE(m_desktop->drag(cell(source, 2, 2), cell(source, 2, 3)));
    ASSERT_TRUE(m_desktop->xdotool({QStringLiteral("keyup"), QStringLiteral("ctrl")}));
    quiet();
    keep(QStringLiteral("10-chosen-blocks"));
    keys(QStringLiteral("ctrl+c"));

    launch(m_second, {target});
    // The second program's board opens where the first one's is, above it.
    QRect board;
    ASSERT_TRUE(waitUntil([&] {
        int boards = 0;
        for (const XWindow& window : m_desktop->stacking()) {
            if (window.viewable && window.role == Board1) {
                board = window.rect;
                ++boards;
            }
        }
        return boards == 2;
    }));
    quiet();
    clickAt(cell(board, 3, 3));
    keys(QStringLiteral("ctrl+v"));
    quiet();
    keep(QStringLiteral("10-pasted-blocks"));
    keys(QStringLiteral("ctrl+s"));
    const auto pasted = [&] {
        trevalon::Project original;
        trevalon::Project copy;
        trevalon::test::RecordingLog log(0);
        const trevalon::TextTable texts;
        return trevalon::ProjectFile::load(original, factorial, log, texts).ok() &&
               trevalon::ProjectFile::load(copy, target, log, texts).ok() &&
               copy.board(1).blockCount == 2 && copy.kindAt(1, 3, 3) == original.kindAt(1, 2, 2) &&
               copy.kindAt(1, 3, 4) == original.kindAt(1, 2, 3) &&
               copy.cell(1, 3, 4).text4 == original.cell(1, 2, 3).text4;
    };
    EXPECT_TRUE(waitUntil(pasted, 5000));
}

// Open and New project lay the properties window beside the boards, never over their cells.
TEST_P(DesktopTest, PropertiesWindowLeavesTheBoardsFree) {
    ASSERT_NO_FATAL_FAILURE(openFactorial());
    expectBesideBoards(Properties);

    openMenu(QStringLiteral("alt+p"));
    keys(QStringLiteral("Down"));  // New project
    keys(QStringLiteral("Return"));
    waitUntil([&] { return popups() == 0; });
    quiet();
    keep(QStringLiteral("3-new-project"));
    expectBesideBoards(Properties);
}

// With the properties window moved to the screen's bottom right corner, the expression
// builder still opens whole on the screen. Some window managers (openbox among them) pull a
// window back onto the screen themselves; without one, only the program can.
TEST_P(DesktopTest, BuildersOpenOnTheScreen) {
    openBuilderFromTheCorner();
}

TEST_P(DesktopTest, BuildersOpenOnTheScreenWithoutAWindowManager) {
    startDesktop(false);
    openBuilderFromTheCorner();
}

void DesktopTest::openBuilderFromTheCorner() {
    startTrevalon({factorial});
    ASSERT_TRUE(shown(Properties));
    quiet();
    // Board 1's first assignment: column 2, row 3 (see examples/factorial.skb), below the
    // window's 20-pixel title strip.
    const QRect board = rect(Board1);
    clickAt(board.topLeft() + QPoint(px(60), px(20 + 100)));
    // Dragged into the screen's bottom right corner, whole.
    QRect properties = rect(Properties);
    const QPoint corner = screen().bottomRight() - QPoint(properties.width(), properties.height());
    const QPoint grab = properties.topLeft() + QPoint(px(60), px(8));
    const QRect before = properties;
    ASSERT_TRUE(m_desktop->drag(grab, grab + corner - properties.topLeft()));
    waitUntil([&] { return rect(Properties) != before; }, 5000);
    quiet();
    properties = rect(Properties);
    keep(QStringLiteral("4-properties-moved"));
    // The formula row of an assignment opens the builder (row 4, 23 pixels a row).
    ASSERT_TRUE(
        m_desktop->doubleClick(properties.topLeft() + QPoint(px(150), px(20 + 23 * 3 + 10))));
    ASSERT_TRUE(shown(QStringLiteral("TFBudujWyrazenie")));
    quiet();
    keep(QStringLiteral("4-builder-opened"));
    EXPECT_TRUE(screen().contains(rect(QStringLiteral("TFBudujWyrazenie"))))
        << rect(QStringLiteral("TFBudujWyrazenie"));
    keys(QStringLiteral("Escape"));
}

// Maximise and restore, and dragging the title strip, carry the companions with the main
// window, under a window manager and without one; afterwards the resize grip works again.
TEST_P(DesktopTest, MaximiseRestoreAndMovingCarryTheCompanions) {
    maximiseRestoreAndMove(QStringLiteral("5"));
}

TEST_P(DesktopTest, MaximiseRestoreAndMovingWithoutAWindowManager) {
    startDesktop(false);
    maximiseRestoreAndMove(QStringLiteral("5-without-manager"));
}

void DesktopTest::maximiseRestoreAndMove(const QString& shots) {
    ASSERT_NO_FATAL_FAILURE(openFactorial());
    const QRect normal = rect(Main);
    const auto expectOffsetsKept = [&, board = rect(Board1).topLeft() - normal.topLeft(),
                                    properties = rect(Properties).topLeft() - normal.topLeft()] {
        const QPoint main = rect(Main).topLeft();
        EXPECT_EQ(rect(Board1).topLeft() - main, board);
        EXPECT_EQ(rect(Properties).topLeft() - main, properties);
    };
    const auto maximiseLabel = [&] {
        const QRect main = rect(Main);
        return QPoint(main.right() - px(88 - 2 * 21 - 8), main.top() + px(12));
    };

    ASSERT_TRUE(m_desktop->click(maximiseLabel()));
    EXPECT_TRUE(waitUntil([&] { return rect(Main) == screen(); }, 5000)) << rect(Main);
    quiet();
    keep(shots + QStringLiteral("-maximised"));
    expectOffsetsKept();

    ASSERT_TRUE(m_desktop->click(maximiseLabel()));
    EXPECT_TRUE(waitUntil([&] { return rect(Main) == normal; }, 5000)) << rect(Main);
    quiet();
    keep(shots + QStringLiteral("-restored"));
    expectOffsetsKept();

    const QPoint strip = normal.topLeft() + QPoint(px(300), px(10));
    ASSERT_TRUE(m_desktop->drag(strip, strip + QPoint(px(24), px(16))));
    EXPECT_TRUE(waitUntil([&] { return rect(Main).topLeft() != normal.topLeft(); }, 5000));
    quiet();
    keep(shots + QStringLiteral("-moved"));
    expectOffsetsKept();

    expectGripResizes(rect(Main));
}

// The companions belong to the main window: minimised with it, and back above it when the
// pupil brings it back from the task bar.
TEST_P(DesktopTest, CompanionsAreMinimisedAndRestoredWithTheMainWindow) {
    ASSERT_NO_FATAL_FAILURE(openFactorial());
    const QRect main = rect(Main);
    const unsigned long mainId = m_desktop->find(Main)->id;
    ASSERT_TRUE(m_desktop->click(QPoint(main.right() - px(88 - 21 - 8), main.top() + px(12))));
    EXPECT_TRUE(gone(Main));
    EXPECT_TRUE(gone(Board1));
    EXPECT_TRUE(gone(Properties));
    ASSERT_TRUE(m_desktop->xdotool({QStringLiteral("windowactivate"), QString::number(mainId)}));
    ASSERT_TRUE(shown(Main, 5000));
    EXPECT_TRUE(shown(Board1, 5000));
    EXPECT_TRUE(shown(Properties, 5000));
    quiet();
    EXPECT_GT(m_desktop->stackIndex(Board1), m_desktop->stackIndex(Main));
    EXPECT_GT(m_desktop->stackIndex(Properties), m_desktop->stackIndex(Main));
}

// The schema overview maximises and restores itself, with a window manager or without one.
TEST_P(DesktopTest, SchemaWindowMaximisesWithoutAWindowManager) {
    const QString schema = QStringLiteral("TFSchemat");
    startDesktop(false);
    startTrevalon({factorial});
    ASSERT_TRUE(shown(Board1));
    quiet();
    openMenu(QStringLiteral("alt+o"));
    keys(QStringLiteral("Up Return"));  // the Show menu's last item: the schema
    ASSERT_TRUE(shown(schema));
    quiet();
    const QRect normal = rect(schema);
    const auto mark = [&] {
        const QRect window = rect(schema);
        return QPoint(window.right() - px(40 - 8), window.top() + px(MarkTop + 8));
    };
    ASSERT_TRUE(m_desktop->click(mark()));
    EXPECT_TRUE(waitUntil([&] { return rect(schema) == screen(); }, 5000)) << rect(schema);
    keep(QStringLiteral("5-schema-maximised"));
    ASSERT_TRUE(m_desktop->click(mark()));
    EXPECT_TRUE(waitUntil([&] { return rect(schema) == normal; }, 5000)) << rect(schema);
    keys(QStringLiteral("Escape"));
}

// The window manager's close (its close button, Alt+F4) on a companion only hides it: the Show
// menu's keys bring it back and the project is still there.
TEST_P(DesktopTest, ClosingACompanionFromTheWindowManagerHidesIt) {
    ASSERT_NO_FATAL_FAILURE(openFactorial());
    ASSERT_TRUE(m_desktop->closeByWindowManager(m_desktop->find(Board1)->id));
    ASSERT_TRUE(gone(Board1));
    EXPECT_TRUE(m_desktop->find(Main).has_value()) << "the program closed";
    keep(QStringLiteral("6-board-closed"));
    keys(QStringLiteral("ctrl+b"));
    EXPECT_TRUE(shown(Board1, 5000));
    keep(QStringLiteral("6-board-back"));

    ASSERT_TRUE(m_desktop->closeByWindowManager(m_desktop->find(Properties)->id));
    ASSERT_TRUE(gone(Properties));
    EXPECT_TRUE(m_desktop->find(Main).has_value()) << "the program closed";
    clickAt(rect(Main).bottomLeft() + QPoint(px(60), -px(8)));
    keys(QStringLiteral("F11"));
    EXPECT_TRUE(shown(Properties, 5000));
}

// Every window starts whole on the screen, the main window's title strip included.
TEST_P(DesktopTest, WindowsStartOnTheScreen) {
    ASSERT_NO_FATAL_FAILURE(openFactorial());
    keep(QStringLiteral("7-start"));
    for (const QString& role : {Main, Board1, Properties}) {
        EXPECT_TRUE(screen().contains(rect(role))) << role.toStdString() << " " << rect(role);
    }
}

// A board larger than what the screen has left below and beside its place scrolls inside a
// window that ends at the screen's edge; the End block in its far corner can be reached.
TEST_P(DesktopTest, LargeBoardsScrollInsideTheScreen) {
    startTrevalon({largeProject()});
    ASSERT_TRUE(shown(Board1));
    quiet();
    keep(QStringLiteral("7-large-board"));
    const QRect board = rect(Board1);
    EXPECT_TRUE(screen().contains(board)) << board;
    EXPECT_LT(board.height(), px(15 * 39 + 29));
}

// The file dialogs speak the interface's language, start in the projects folder and leave no
// completion list behind.
TEST_P(DesktopTest, FileDialogsSpeakTheInterfaceLanguage) {
    const QString open = QStringLiteral("OpenProjekt");
    const QString save = QStringLiteral("SaveProjekt");
    startTrevalon();

    // The first save of a new project goes to the projects folder.
    openMenu(QStringLiteral("alt+p"));
    keys(QStringLiteral("Down Return"));  // New project
    ASSERT_TRUE(shown(Board1));
    quiet();
    openMenu(QStringLiteral("alt+p"));
    keys(QStringLiteral("Up Up Up Up Up Return"));  // Close, the print items, then Save as
    ASSERT_TRUE(shown(save));
    ourFocus();
    quiet();
    keep(QStringLiteral("8-save-polish"));
    EXPECT_EQ(m_desktop->find(save)->title, QStringLiteral("Zapisz plik projektu Trevalon"));
    keys(QStringLiteral("ctrl+a"));
    ASSERT_TRUE(m_desktop->xdotool({QStringLiteral("type"), QStringLiteral("lekcja")}));
    keys(QStringLiteral("Return"));
    EXPECT_TRUE(gone(save));
    EXPECT_TRUE(waitUntil([&] {
        return QFile::exists(startFolder() + QStringLiteral("/Projekty/lekcja.skb"));
    })) << "not saved in the projects folder";

    // Opening it again by typing its name leaves nothing of the dialog behind.
    openMenu(QStringLiteral("alt+p"));
    keys(QStringLiteral("Down Down Down"));  // New project, New board, Open
    keys(QStringLiteral("Return"));
    ASSERT_TRUE(shown(open));
    ourFocus();
    quiet();
    keep(QStringLiteral("8-open-polish"));
    EXPECT_EQ(m_desktop->find(open)->title,
              QStringLiteral("Otwórz plik projektu programu Trevalon"));
    ASSERT_TRUE(m_desktop->xdotool({QStringLiteral("type"), QStringLiteral("--delay"),
                                    QStringLiteral("60"), QStringLiteral("lekcja.skb")}));
    keys(QStringLiteral("Return"));
    EXPECT_TRUE(gone(open));
    quiet();
    keep(QStringLiteral("8-opened-by-name"));
    for (const XWindow& window : m_desktop->stacking()) {
        EXPECT_FALSE(window.viewable && window.popup && window.rect.intersects(screen()))
            << "a list is left at " << window.rect;
    }

    // In English the dialog's title is English too.
    openMenu(QStringLiteral("alt+m"));
    keys(QStringLiteral("Up Up Up Right"));  // Language
    ASSERT_TRUE(waitUntil([&] { return popups() >= 2; }));
    keys(QStringLiteral("Down Return"));  // English
    waitUntil([&] { return popups() == 0; });
    quiet();
    openMenu(QStringLiteral("alt+p"));
    keys(QStringLiteral("Down Down Down Return"));
    ASSERT_TRUE(shown(open));
    quiet();
    keep(QStringLiteral("8-open-english"));
    EXPECT_EQ(m_desktop->find(open)->title, QStringLiteral("Open a Trevalon project file"));
    keys(QStringLiteral("Escape"));
}

// On a Wayland session the program runs through XWayland; with no X server at all it says so
// and ends, rather than failing inside Qt.
TEST_P(DesktopTest, WaylandSessionsRunThroughXWayland) {
    startDesktop();
    QProcessEnvironment env = m_desktop->environment();
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-trevalon-test"));
    env.insert(QStringLiteral("TREVALON_DATA_DIR"), m_folder.filePath(QStringLiteral("data")));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    m_program = std::make_unique<QProcess>();
    m_program->setProcessEnvironment(env);
    m_program->start(executable(), {});
    EXPECT_TRUE(shown(Main)) << "not on the X server";

    env.remove(QStringLiteral("DISPLAY"));
    QProcess alone;
    alone.setProcessEnvironment(env);
    alone.start(executable(), {});
    ASSERT_TRUE(alone.waitForFinished(10000));
    EXPECT_EQ(alone.exitCode(), 1);
    EXPECT_TRUE(alone.readAllStandardError().contains("XWayland"));
}

INSTANTIATE_TEST_SUITE_P(Screens, DesktopTest,
                         ::testing::Values(Screen{1.0, QSize(1024, 768), "Scale1"},
                                           Screen{2.0, QSize(1400, 1000), "Scale2"}),
                         [](const ::testing::TestParamInfo<Screen>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace

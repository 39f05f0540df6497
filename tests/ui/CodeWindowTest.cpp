// The code window over the factorial: opened by the Show menu's key, it shows the
// translator's text, marks exactly the lines of the selected block and then of the block a
// step stands on, follows an edit of a formula, keeps the language it was switched to, and
// copies and saves what it shows.
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "AppFixture.h"
#include "Flowcharts.h"
#include "codegen/CodeGenerator.h"
#include "config/SettingsStore.h"
#include "config/TextIds.h"
#include "ui/code/TFKod.h"
#include "ui/run/RunController.h"
#include "ui/run/TFWykonanie.h"
#include "ui/widgets/Palette.h"

using namespace trevalon;
using codegen::Target;

namespace {

class CodeWindow : public AppFixture {
protected:
    // Lets the events run until `done` (the window translates once they are over); the caller
    // checks what came of them, with a message saying what differs.
    template <typename Done>
    static void settle(Done done) {
        static_cast<void>(QTest::qWaitFor(done, 3000));
    }

    codegen::GeneratedCode expected(Target target) {
        const codegen::CodeGenerator generator(project(), app->workspace().texts(), target);
        return generator.generate(app->workspace().projectName());
    }

    // The lines the view shows marked, by number, and the colour of the first one.
    std::vector<int> shownMarks(TFKod* window, QColor* colour = nullptr) {
        std::vector<int> lines;
        for (const QTextEdit::ExtraSelection& mark : window->view()->extraSelections()) {
            lines.push_back(mark.cursor.blockNumber());
            if (colour) {
                *colour = mark.format.background().color();
            }
        }
        return lines;
    }
};

}  // namespace

TEST_F(CodeWindow, ShowsTheProjectsCodeAndMarksTheChosenBlocksLines) {
    newProject();
    flowcharts::factorial(project());
    main().showBoardWindow(1);
    main().boardChanged(1);  // the builder changed the model behind the editor's back
    QTest::keyClick(&main(), Qt::Key_K, Qt::ControlModifier);  // the Show menu's key
    // The panels have no meta-object of their own: the window is found by its name.
    auto* window = static_cast<TFKod*>(main().findChild<QWidget*>(QStringLiteral("TFKod")));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_FALSE(window->frameGeometry().intersects(main().visibleBoards()));
    ASSERT_EQ(window->language(), Target::Python);  // a fresh settings file's choice

    const codegen::GeneratedCode python = expected(Target::Python);
    ASSERT_TRUE(python.ok()) << python.status.message(app->workspace().texts()).toStdString();
    EXPECT_EQ(window->view()->toPlainText(), python.text());
    EXPECT_TRUE(window->markedLines().empty());
    // It opens scrolled down to the flowchart's own code, below the helpers.
    ASSERT_GT(python.ownCodeStart, 0);
    QPlainTextEdit* view = window->view();
    EXPECT_GT(view->cursorForPosition(QPoint(4, 4)).blockNumber(), 0);
    const QTextCursor ownCode(view->document()->findBlockByNumber(python.ownCodeStart));
    EXPECT_TRUE(view->viewport()->rect().contains(view->cursorRect(ownCode)));

    // s = s*n: its lines, and no others, are marked in the selection's colour.
    clickCell(1, 2, 6);
    const std::vector<int> assignment = python.linesOf({1, 2, 6});
    ASSERT_FALSE(assignment.empty());
    settle([&] { return window->markedLines() == assignment; });
    EXPECT_EQ(window->markedLines(), assignment);
    QColor colour;
    EXPECT_EQ(shownMarks(window, &colour), assignment);
    EXPECT_EQ(colour, palette::lavender);

    // An edit of the formula shows at once, the block still marked.
    project().cell(1, 2, 6).text4 = QStringLiteral("s*n*2");
    main().boardChanged(1);
    const codegen::GeneratedCode edited = expected(Target::Python);
    ASSERT_NE(edited.text(), python.text());
    settle([&] { return window->view()->toPlainText() == edited.text(); });
    EXPECT_EQ(window->view()->toPlainText(), edited.text());
    EXPECT_EQ(shownMarks(window), edited.linesOf({1, 2, 6}));

    // A formula the code cannot express is refused in the interface's language (Polish here).
    project().cell(1, 2, 6).formula() = QStringLiteral("existvar(\"s\")");
    main().boardChanged(1);
    const QString refusal = QString::fromUtf8(
        "Projektu nie można przetłumaczyć: formuła existvar(\"s\") używa existvar, a tego nie da "
        "się zapisać w kodzie");
    settle([&] { return window->statusLine()->text() == refusal; });
    EXPECT_EQ(window->statusLine()->text(), refusal);
    project().cell(1, 2, 6).formula() = QStringLiteral("s*n*2");
    main().boardChanged(1);
    settle([&] { return window->view()->toPlainText() == edited.text(); });
    EXPECT_TRUE(window->statusLine()->isHidden());

    // C++ is chosen in the list and kept in the settings.
    window->languageList()->setCurrentIndex(1);
    emit window->languageList()->activated(1);
    settle([&] { return window->view()->toPlainText() == expected(Target::Cpp).text(); });
    EXPECT_EQ(window->view()->toPlainText(), expected(Target::Cpp).text());
    EXPECT_EQ(main().settings().values().codeLanguage, 1);
    EXPECT_EQ(shownMarks(window), expected(Target::Cpp).linesOf({1, 2, 6}));

    // Copy and save take the code shown; the file gets the language's suffix, and a file that
    // cannot be written is told of.
    window->copyCode();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected(Target::Cpp).text());
    const QString path = folder() + QStringLiteral("/factorial");
    window->askSavePath = [path] { return path; };
    window->saveCode();
    QFile saved(path + QStringLiteral(".cpp"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), expected(Target::Cpp).text());
    window->askSavePath = [this] { return folder() + QStringLiteral("/missing/factorial"); };
    answerMessage(Qt::Key_Z);
    window->saveCode();
    const QString failed = app->workspace().texts().text(texts::CodeSaveFailed);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.front().startsWith(failed.section(u'\n', 0, 0)))
        << messages.front().toStdString();
    messages.clear();

    // A step marks the block the run stands on, in the run's tint.
    TFWykonanie* dialog = app->execution();
    driver.when(dialog, [dialog] {
        QTest::keyClicks(dialog->valueInput(), QStringLiteral("3"));
        QTest::keyClick(dialog->valueInput(), Qt::Key_Return);
    });
    QTest::keyClick(&main(), Qt::Key_F12);
    ASSERT_TRUE(main().runner().running());
    QTest::keyClick(&main(), Qt::Key_F7);
    QTest::keyClick(&main(), Qt::Key_F7);
    ASSERT_EQ(editor().frames(1).at(3, 3), FrameRunning);
    const std::vector<int> start = expected(Target::Cpp).linesOf({1, 3, 3});
    ASSERT_FALSE(start.empty());
    settle([&] { return window->markedLines() == start; });
    EXPECT_EQ(window->markedLines(), start);
    EXPECT_EQ(shownMarks(window, &colour), start);
    EXPECT_EQ(colour, palette::runTint);
    answerMessage(Qt::Key_Z);
    main().commands().execute(Command::Abort);
    EXPECT_FALSE(main().runner().running());
}

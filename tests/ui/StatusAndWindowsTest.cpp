#include <QFontMetrics>
#include <QMenu>
#include <functional>

#include "AppFixture.h"
#include "config/TextIds.h"
#include "model/KindCode.h"
#include "ui/app/WindowPlacement.h"
#include "ui/main/StartPage.h"
#include "ui/properties/TFWlasnosci.h"
#include "ui/run/TFOpisy.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/StatusLine.h"

using namespace trevalon;

namespace {

class StatusAndWindows : public AppFixture {
protected:
    // Lets the event that showed a text, or changed the project, come to its end.
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
    }

    StatusLine* statusLine() { return main().findChild<StatusLine*>(QStringLiteral("LStatus")); }

    QString text(int id) { return app->workspace().texts().text(id); }
};

}  // namespace

// What the status line said about the project or the language of its moment goes once they
// change; a text that a command showed about its own outcome stays after that command.
TEST_F(StatusAndWindows, TheStatusLineDropsWhatAChangeMadeStale) {
    struct Row {
        const char* what;
        std::function<void()> before;  // leaves a text in the status line
        std::function<void()> change;
    };
    const Row rows[] = {
        {"\"Zapisano.\" before an undo",
         [this] {
             place(KindStart, 2, 1);
             main().files().showSaved();
             QTRY_COMPARE(main().statusText(), text(texts::ProjectSaved));
         },
         [this] { main().commands().execute(Command::Undo); }},
        {"\"Zapisano.\" before a redo",
         [this] {
             place(KindStart, 2, 1);
             settle();  // the placing is recorded once its click is over
             main().commands().execute(Command::Undo);
             main().files().showSaved();
             QTRY_COMPARE(main().statusText(), text(texts::ProjectSaved));
         },
         [this] { main().commands().execute(Command::Redo); }},
        {"a check's reason before an edit",
         [this] {
             place(KindStart, 2, 1);
             answerMessage(Qt::Key_Z);
             QTest::keyClick(&main(), Qt::Key_F9, Qt::AltModifier);
             ASSERT_FALSE(app->report()->reasonLines().empty());
             ASSERT_EQ(main().statusText(), app->report()->reasonLines().front()->text());
         },
         [this] { place(KindEnd, 2, 3); }},
        {"a recovered copy's note before a new project",
         [this] { main().showStatus(text(texts::RecoveryRestored)); }, [this] { newProject(); }},
        {"a Polish text before a switch to English",
         [this] { main().showStatus(text(texts::ProjectSaved)); },
         [this] { main().setLanguage(QStringLiteral("ang")); }},
    };
    // Opening an example says so, and the opening's own change does not take that back.
    QTest::mouseClick(main().startPage()->entry(QStringLiteral("StartExample-factorial")),
                      Qt::LeftButton);
    settle();
    EXPECT_EQ(main().statusText(), text(texts::ExampleOpenedAsCopy));

    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        main().setLanguage(QStringLiteral("pl"));
        project().clearChanged();  // nothing to ask about before the next project
        main().state().unsavedNew = false;
        newProject();
        row.before();
        settle();
        ASSERT_FALSE(main().statusText().isEmpty()) << "shown, and kept while nothing changes";
        row.change();
        settle();
        EXPECT_EQ(main().statusText(), QString());
        EXPECT_EQ(statusLine()->text(), QString());
    }
}

// A text longer than the line ends in "…" inside it; the whole text is the line's tooltip.
TEST_F(StatusAndWindows, ALongStatusTextIsShortenedWithTheWholeInItsTooltip) {
    StatusLine* line = statusLine();
    ASSERT_NE(line, nullptr);
    const QString shortText = QStringLiteral("Zapisano.");
    main().showStatus(shortText);
    EXPECT_EQ(line->text(), shortText);
    EXPECT_EQ(line->toolTip(), QString());

    QString longText;
    for (int i = 1; i <= 40; ++i) {
        longText += QStringLiteral("Plansza %1: blok Pisz%1 nie ma tekstu.\n").arg(i);
    }
    main().showStatus(longText);
    EXPECT_EQ(main().statusText(), longText);
    EXPECT_EQ(line->toolTip(), longText);
    EXPECT_TRUE(line->text().endsWith(QChar(0x2026))) << line->text().toStdString();
    EXPECT_FALSE(line->text().contains(QLatin1Char('\n')));
    EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->contentsRect().width());
    EXPECT_LE(line->geometry().right(), main().width());

    // A wider window shows more of it.
    const int shown = line->text().size();
    main().resize(main().width() + 200, main().height());
    EXPECT_GT(line->text().size(), shown);
}

// A new board opens apart from a board moved to its place, and whole on the screen.
TEST_F(StatusAndWindows, ANewBoardOpensApartFromTheOthers) {
    newProject();
    const QPoint secondsPlace =
        main().origin() + QPoint(project().board(1).left + 20, project().board(1).top + 20);
    board(1)->moveTo(secondsPlace);
    ASSERT_TRUE(editor().newBoard());
    ASSERT_TRUE(board(2)->isVisible());
    const QPoint d = board(2)->pos() - board(1)->pos();
    EXPECT_TRUE(std::abs(d.x()) >= 20 || std::abs(d.y()) >= 20) << d.x() << "," << d.y();
    EXPECT_TRUE(placement::availableArea(main()).contains(board(2)->frameGeometry()));
    // The place is the board's own from now on: moving the main window keeps it.
    EXPECT_EQ(main().origin() + QPoint(project().board(2).left, project().board(2).top),
              board(2)->pos());

    // A third board, where the second was moved to the third's place.
    board(2)->moveTo(main().origin() +
                     QPoint(project().board(1).left + 20, project().board(1).top + 20));
    ASSERT_TRUE(editor().newBoard());
    for (int n : {1, 2}) {
        const QPoint e = board(3)->pos() - board(n)->pos();
        EXPECT_TRUE(std::abs(e.x()) >= 20 || std::abs(e.y()) >= 20) << n;
    }
    EXPECT_TRUE(placement::availableArea(main()).contains(board(3)->frameGeometry()));
}

// The ≡ mark opens its board's menu on a left click, for that board.
TEST_F(StatusAndWindows, TheMenuMarkOpensTheBoardsMenu) {
    newProject();
    ASSERT_TRUE(editor().newBoard());
    ASSERT_EQ(project().activeBoard, 2);
    ClickLabel* mark = board(1)->menuMark();
    ASSERT_NE(mark, nullptr);
    QTest::mouseClick(mark, Qt::LeftButton);
    EXPECT_TRUE(board(1)->popupMenu()->isVisible());
    EXPECT_EQ(project().activeBoard, 1);
    EXPECT_FALSE(board(2)->popupMenu()->isVisible());
    board(1)->popupMenu()->close();
}

// Each floating window's title names it, in the language of the interface.
TEST_F(StatusAndWindows, FloatingWindowsAreNamedInTheirTitles) {
    newProject();
    ASSERT_TRUE(editor().newBoard());
    const auto titles = [this] {
        return QStringList{board(1)->windowTitle(), board(2)->windowTitle(),
                           app->properties()->windowTitle(), app->report()->windowTitle()};
    };
    app->report()->showVariables();
    const QString dash = QString::fromUtf8(" — Trevalon");
    EXPECT_EQ(
        titles(),
        (QStringList{QStringLiteral("Plansza nr 1") + dash, QStringLiteral("Plansza nr 2") + dash,
                     QString::fromUtf8("Własności") + dash, QStringLiteral("Zmienne") + dash}));
    main().setLanguage(QStringLiteral("ang"));
    app->report()->showVariables();
    EXPECT_EQ(
        titles(),
        (QStringList{QStringLiteral("Board no. 1") + dash, QStringLiteral("Board no. 2") + dash,
                     QStringLiteral("Properties") + dash, QStringLiteral("Variables") + dash}));
    main().setLanguage(QStringLiteral("pl"));
}

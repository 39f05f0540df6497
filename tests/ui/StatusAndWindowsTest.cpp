#include <QFontMetrics>
#include <functional>

#include "AppFixture.h"
#include "config/TextIds.h"
#include "model/KindCode.h"
#include "ui/main/StartPage.h"
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

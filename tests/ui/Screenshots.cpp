// Pictures of the program's windows for people to look at, written into the build folder's
// screenshots/. Not a test and not run by ctest: `build/tests/ui/trevalon_screenshots` makes
// them all again on the offscreen platform (a GoogleTest filter picks some). Each scene checks
// only what it needs to be worth picturing.
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QTableWidget>

#include "Flowcharts.h"
#include "PropertiesFixture.h"
#include "config/SettingsStore.h"
#include "exec/Executor.h"
#include "exec/TraceTable.h"
#include "ui/builders/TFBudujKomentarz.h"
#include "ui/builders/TFBudujWyrazenie.h"
#include "ui/code/TFKod.h"
#include "ui/dialogs/TFUstawienia.h"
#include "ui/dialogs/TFWinietka.h"
#include "ui/dialogs/TFZdarzenia.h"
#include "ui/main/MainMenus.h"
#include "ui/main/StartPage.h"
#include "ui/properties/PropertiesView.h"
#include "ui/run/RunController.h"
#include "ui/run/TFOpisy.h"
#include "ui/run/TFSlad.h"
#include "ui/run/TFTesty.h"
#include "ui/run/TFWykonanie.h"
#include "ui/schema/TFSchemat.h"

using namespace trevalon;

namespace {

// Writes `image` into the screenshots folder as `name`.
void keep(const QImage& image, const QString& name) {
    ASSERT_FALSE(image.isNull()) << name.toStdString();
    QDir().mkpath(QStringLiteral(TREVALON_SCREENSHOT_DIR));
    const QString path = QStringLiteral(TREVALON_SCREENSHOT_DIR "/") + name;
    EXPECT_TRUE(image.save(path)) << path.toStdString();
}

// A new project is open, its first board and the properties window beside it.
class Screenshots : public PropertiesFixture {
protected:
    // The main window with its floating companions drawn where they float.
    QImage composite() {
        QImage image = main().grab().toImage();
        QPainter p(&image);
        QList<QWidget*> companions;
        for (int n = 1; n <= 3; ++n) {
            companions << board(n);
        }
        companions << app->report();
        if (auto* properties = dynamic_cast<QWidget*>(main().properties())) {
            companions << properties;
        }
        for (QWidget* w : companions) {
            if (w->isVisible()) {
                p.drawPixmap(w->pos() - main().pos(), w->grab());
            }
        }
        return image;
    }

    void openFactorial() {
        newProject();
        flowcharts::factorial(project());
        main().showBoardWindow(1);
    }

    // Clicks the button or control called `name` in `window`.
    static void click(QWidget* window, const char* name) {
        auto* widget = window->findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(widget, nullptr) << name;
        QTest::mouseClick(widget, Qt::LeftButton);
    }
};

TEST_F(Screenshots, MainWindowWithABoard) {
    openFactorial();
    clickCell(1, 3, 5);
    QTest::keyClick(board(1), Qt::Key_F8, Qt::AltModifier);
    ASSERT_TRUE(app->report()->isVisible());
    keep(composite(), QStringLiteral("main-window.png"));
}

// The factorial with one broken connector: the report lists why, the status line repeats it,
// and the faulty cell is framed red.
TEST_F(Screenshots, CheckReportWithItsReasons) {
    openFactorial();
    flow().put(1, 5, 2, KindLineHorizontal);  // nothing fitting on either side
    for (const char* language : {"pl", "ang"}) {
        main().setLanguage(QLatin1String(language));
        QTest::keyClick(board(1), Qt::Key_F8, Qt::AltModifier);
        ASSERT_TRUE(app->report()->isVisible());
        ASSERT_FALSE(app->report()->reasonLines().empty());
        const QString suffix =
            language == QLatin1String("pl") ? QString() : QStringLiteral("-english");
        keep(app->report()->grab().toImage(), QStringLiteral("check-report%1.png").arg(suffix));
        keep(composite(), QStringLiteral("check-reasons%1.png").arg(suffix));
    }
    main().setLanguage(QStringLiteral("pl"));
}

// Step mode: the read block marked while its dialog asks, then an assignment marked with the
// variable the last step changed lit in the report. Run with QT_SCALE_FACTOR=2 for the "-x2"
// pictures.
TEST_F(Screenshots, StepMark) {
    openFactorial();
    const QString scale = main().devicePixelRatio() > 1.0 ? QStringLiteral("-x2") : QString();
    QTest::keyClick(&main(), Qt::Key_F12);
    ASSERT_TRUE(main().runner().stepMode());
    TFWykonanie* dialog = app->execution();
    QImage asking;
    driver.when(dialog, [&] {
        QTest::qWait(40);
        asking = composite();
        QPainter p(&asking);
        p.drawPixmap(dialog->pos() - main().pos(), dialog->grab());
        QTest::keyClicks(dialog->valueInput(), QStringLiteral("4"));
        QTest::keyClick(dialog->valueInput(), Qt::Key_Return);
    });
    QTest::keyClick(&main(), Qt::Key_F7);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&main(), Qt::Key_F7);
    }
    ASSERT_TRUE(main().runner().running());
    keep(asking, QStringLiteral("step-mark-dialog%1.png").arg(scale));
    // The run raised the variables over the properties window.
    QImage watched = composite();
    QPainter(&watched).drawPixmap(app->report()->pos() - main().pos(), app->report()->grab());
    keep(watched, QStringLiteral("step-mark%1.png").arg(scale));
    answerMessage(Qt::Key_Z);
    main().commands().execute(Command::Abort);
}

// The help's pictures of the check and of step mode, in both languages, cut to the board and
// the report beside it: build/screenshots/help/{pl,en}/ holds what Pomoc/img/ takes.
TEST_F(Screenshots, HelpPictures) {
    const QString example = QStringLiteral(TREVALON_SOURCE_DIR "/examples/factorial.skb");
    main().resize(900, 700);  // room for the whole board
    for (const char* language : {"pl", "ang"}) {
        const QString folder = language == QLatin1String("pl") ? QStringLiteral("help/pl/")
                                                               : QStringLiteral("help/en/");
        main().setLanguage(QLatin1String(language));
        ASSERT_TRUE(main().files().openPath(example));
        const auto cut = [this](const QImage& whole) {
            const QPoint corner = board(1)->pos() - main().pos() - QPoint(8, 15);
            return whole.copy(QRect(corner, QSize(675, 397)));
        };

        // The report, not the properties, beside the board.
        dynamic_cast<QWidget*>(main().properties())->hide();
        project().deleteBlock(1, 1, 5);  // the corner that closes the loop
        QTest::keyClick(board(1), Qt::Key_F8, Qt::AltModifier);
        ASSERT_FALSE(app->report()->reasonLines().empty());
        keep(cut(composite()), folder + QStringLiteral("kontrola-blad.png"));

        ASSERT_TRUE(main().files().openPath(example));
        dynamic_cast<QWidget*>(main().properties())->hide();
        QTest::keyClick(&main(), Qt::Key_F12);
        driver.when(app->execution(), [this] {
            QTest::qWait(40);
            QTest::keyClicks(app->execution()->valueInput(), QStringLiteral("4"));
            QTest::keyClick(app->execution()->valueInput(), Qt::Key_Return);
        });
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(&main(), Qt::Key_F7);
        }
        ASSERT_TRUE(main().runner().running());
        QImage watched = composite();
        QPainter(&watched).drawPixmap(app->report()->pos() - main().pos(), app->report()->grab());
        keep(cut(watched), folder + QStringLiteral("krok.png"));
        answerMessage(language == QLatin1String("pl") ? Qt::Key_Z : Qt::Key_C);
        main().commands().execute(Command::Abort);
    }
    main().setLanguage(QStringLiteral("pl"));
}

// The four menus as the help shows them, with a project open and no run going.
TEST_F(Screenshots, HelpMenus) {
    openFactorial();
    for (const char* language : {"pl", "ang"}) {
        main().setLanguage(QLatin1String(language));
        const QString folder = language == QLatin1String("pl") ? QStringLiteral("help/pl/")
                                                               : QStringLiteral("help/en/");
        for (const MainMenus::Which which :
             {MainMenus::File, MainMenus::Show, MainMenus::Run, MainMenus::Help}) {
            QMenu* menu = main().menus().menu(which);
            menu->popup(main().mapToGlobal(QPoint(0, 0)));
            ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
            keep(menu->grab().toImage(), folder + QStringLiteral("menu%1.png").arg(which + 1));
            menu->hide();
        }
    }
    main().setLanguage(QStringLiteral("pl"));
}

TEST_F(Screenshots, MessageDialog) {
    QImage polish;
    QImage english;
    driver.when(warning(), [&] {
        polish = warning()->grab().toImage();
        QTest::keyClick(warning(), Qt::Key_N);
    });
    warning()->showMessage(3, 2, app->workspace().texts().text(texts::SaveChangesQuestion));
    app->workspace().setLanguage(QStringLiteral("ang"));
    driver.when(warning(), [&] {
        english = warning()->grab().toImage();
        QTest::keyClick(warning(), Qt::Key_C);
    });
    warning()->showMessage(1, 3, app->workspace().texts().text(texts::UnsupportedFileType));
    keep(polish, QStringLiteral("message-dialog.png"));
    keep(english, QStringLiteral("message-dialog-english.png"));
}

TEST_F(Screenshots, ExecutionDialog) {
    openFactorial();
    TFWykonanie* dialog = app->execution();
    QImage reading;
    QImage result;
    driver.when(dialog, [&] {
        QTest::qWait(40);  // the input takes the focus 20 ms after the dialog appears
        QTest::keyClicks(dialog->valueInput(), QStringLiteral("5"));
        reading = dialog->grab().toImage();
        QTest::keyClick(dialog->valueInput(), Qt::Key_Return);
    });
    driver.when(dialog, [&] {
        result = dialog->grab().toImage();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::keyClick(&main(), Qt::Key_F9);
    QTRY_VERIFY_WITH_TIMEOUT(!main().runner().running(), 5000);
    keep(reading, QStringLiteral("execution-dialog-read.png"));
    keep(result, QStringLiteral("execution-dialog-result.png"));
    keep(composite(), QStringLiteral("main-window-after-run.png"));
}

// The trace window after the factorial of 5, an assignment of the loop chosen, in both
// languages. Run with QT_SCALE_FACTOR=2 for the "-x2" pictures.
TEST_F(Screenshots, TraceWindow) {
    openFactorial();
    const QString scale = main().devicePixelRatio() > 1.0 ? QStringLiteral("-x2") : QString();
    TFWykonanie* dialog = app->execution();
    driver.when(dialog, [dialog] {
        QTest::qWait(40);
        QTest::keyClicks(dialog->valueInput(), QStringLiteral("5"));
        QTest::keyClick(dialog->valueInput(), Qt::Key_Return);
    });
    driver.when(dialog, [dialog] { QTest::keyClick(dialog, Qt::Key_Return); });
    main().runner().setTraceWanted(true);
    QTest::keyClick(&main(), Qt::Key_F9);
    QTRY_VERIFY_WITH_TIMEOUT(!main().runner().running(), 5000);
    const TraceTable& table = main().runner().trace();
    TFSlad window(table, app->workspace().texts(), app->workspace().messages(), main(), &main());
    window.restart();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_GT(table.rowCount(), 10);
    window.setCurrentRow(table.rowCount() / 2);
    for (const char* language : {"pl", "ang"}) {
        main().setLanguage(QLatin1String(language));
        window.applyTexts();
        QTest::qWait(20);
        const QString suffix =
            language == QLatin1String("pl") ? QString() : QStringLiteral("-english");
        keep(window.grab().toImage(), QStringLiteral("trace-window%1%2.png").arg(suffix, scale));
    }
    main().setLanguage(QStringLiteral("pl"));
}

// The code window over the factorial with its loop's multiplication selected, in each language
// of the code and of the interface.
TEST_F(Screenshots, CodeWindow) {
    openFactorial();
    const QString scale = main().devicePixelRatio() > 1.0 ? QStringLiteral("-x2") : QString();
    clickCell(1, 2, 6);
    main().commands().execute(Command::ShowCode);
    auto* window = static_cast<TFKod*>(main().findChild<QWidget*>(QStringLiteral("TFKod")));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    for (const char* language : {"pl", "ang"}) {
        main().setLanguage(QLatin1String(language));
        for (const auto target :
             {codegen::Target::Python, codegen::Target::Cpp, codegen::Target::Pseudo}) {
            window->setLanguage(target);
            QTest::qWait(40);
            const QString name = QStringLiteral("code-window-%1-%2%3.png")
                                     .arg(static_cast<int>(target))
                                     .arg(QLatin1String(language), scale);
            keep(window->grab().toImage(), name);
        }
    }
    window->setLanguage(codegen::Target::Python);
    main().setLanguage(QStringLiteral("pl"));
}

// The self-check of a factorial whose loop adds instead of multiplying, a failed case chosen.
TEST_F(Screenshots, SelfCheckWindow) {
    ASSERT_TRUE(
        main().files().openPath(QStringLiteral(TREVALON_SOURCE_DIR "/examples/factorial.skb")));
    project().cell(1, 1, 6).text4 = QStringLiteral("f + i");
    TFTesty* tests = app->tests();
    tests->askOpenPath = [] {
        return QStringLiteral(TREVALON_SOURCE_DIR "/examples/tests/factorial.tests");
    };
    const QString scale = main().devicePixelRatio() > 1.0 ? QStringLiteral("-x2") : QString();
    for (const char* language : {"pl", "ang"}) {
        main().setLanguage(QLatin1String(language));
        main().commands().execute(Command::CheckWithTests);
        QTRY_VERIFY_WITH_TIMEOUT(!tests->checking(), 20000);
        tests->table()->setCurrentCell(2, 0);
        QTest::qWait(20);
        const QString suffix =
            language == QLatin1String("pl") ? QString() : QStringLiteral("-english");
        keep(tests->grab().toImage(), QStringLiteral("self-check%1%2.png").arg(suffix, scale));
        keep(composite(), QStringLiteral("self-check-main%1%2.png").arg(suffix, scale));
    }
    main().setLanguage(QStringLiteral("pl"));
    project().clearChanged();
}

TEST_F(Screenshots, AboutWindow) {
    QImage about;
    driver.when(app->about(), [&] {
        about = app->about()->grab().toImage();
        QTest::keyClick(app->about(), Qt::Key_Escape);
    });
    main().commands().execute(Command::About);
    keep(about, QStringLiteral("about.png"));
}

TEST_F(Screenshots, ExpressionBuilderWithAnOpenList) {
    flow().variable(1, 5, 1, QStringLiteral("x"), TypeReal);
    flow().variable(1, 6, 1, QStringLiteral("k"), TypeInteger);
    flow().variable(1, 7, 1, QStringLiteral("b"), TypeLogical);
    TFBudujWyrazenie* builder = app->expressionBuilder();
    QImage shot;
    QImage list;
    driver.when(builder, [&] {
        shot = builder->grab().toImage();
        QTest::mouseClick(builder->dropButton(BuilderList::TextFunctions), Qt::LeftButton);
        list = builder->list(BuilderList::TextFunctions)->view()->window()->grab().toImage();
        builder->list(BuilderList::TextFunctions)->hidePopup();
        QTest::mouseClick(builder->enterButton(), Qt::LeftButton);
    });
    builder->compose(1, QStringLiteral("x"), QStringLiteral("Sqrt(k*k + 2) / 3"),
                     main().pos() + QPoint(15, 20));
    keep(shot, QStringLiteral("expression-builder.png"));
    keep(list, QStringLiteral("expression-builder-list.png"));
}

TEST_F(Screenshots, CommentBuilderWithAPreview) {
    flow().variable(1, 7, 1, QStringLiteral("x"), TypeReal);
    flow().variable(1, 7, 2, QStringLiteral("s"), TypeText);
    flow().variable(1, 7, 3, QStringLiteral("d"), TypeDate);
    TFBudujKomentarz* builder = app->commentBuilder();
    QImage shot;
    driver.when(builder, [&] {
        builder->textEdit()->setText(QStringLiteral("Silnia liczby $7n$ wynosi $7x$"));
        click(builder, "ButPodglond");
        shot = builder->grab().toImage();
        click(builder, "ButAnuluj");
    });
    builder->build(QString(), 1, QPoint(100, 100));
    keep(shot, QStringLiteral("comment-builder.png"));
}

TEST_F(Screenshots, EventLogViewer) {
    TFZdarzenia* viewer = app->eventLogViewer();
    QImage shot;
    driver.when(viewer, [&] {
        shot = viewer->grab().toImage();
        click(viewer, "ButClose");
    });
    main().commands().execute(Command::EventLog);
    keep(shot, QStringLiteral("event-log.png"));
}

TEST_F(Screenshots, SettingsInBothLanguages) {
    TFUstawienia* dialog = app->settingsDialog();
    QImage shot;
    const auto picture = [&] {
        driver.when(dialog, [&] {
            shot = dialog->grab().toImage();
            click(dialog, "ButAnuluj");
        });
        main().commands().execute(Command::Settings);
    };
    main().setLanguage(QStringLiteral("ang"));
    picture();
    keep(shot, QStringLiteral("settings-english.png"));
    main().setLanguage(QStringLiteral("pl"));
    picture();
    keep(shot, QStringLiteral("settings.png"));
}

TEST_F(Screenshots, SchemaWindow) {
    openFactorial();
    TFSchemat* schema = app->schema();
    QImage shot;
    driver.when(schema, [&] {
        shot = schema->grab().toImage();
        QTest::mouseClick(schema->closeButton(), Qt::LeftButton);
    });
    main().menus().updateState();
    main().menus().action(Command::ShowSchema)->trigger();
    keep(shot, QStringLiteral("schema-window.png"));
}

TEST_F(Screenshots, PropertiesOfAJunctionInEnglish) {
    place(KindJoinRight, 1, 1);
    select(1, 1);
    main().setLanguage(QStringLiteral("ang"));
    keep(props()->picture()->picture(), QStringLiteral("properties-junction-english.png"));
}

// A write block of a real variable, its list of variables open, and a variable's type.
TEST_F(Screenshots, PropertiesWhileEditing) {
    place(KindVariable, 6, 1);
    select(6, 1);
    typeRow(2, QStringLiteral("liczba"));
    chooseRow(3, QStringLiteral("Rzeczywista"));
    place(KindReadWrite, 1, 1);
    select(1, 1);
    typeRow(3, QStringLiteral("Podaj liczbę rzeczywistą większą od zera:"));
    chooseRow(4, QStringLiteral("liczba"));
    chooseRow(5, QStringLiteral("Pisz"));
    keep(props()->grab().toImage(), QStringLiteral("properties-write.png"));
    clickRow(6);
    QTRY_VERIFY(props()->list()->view()->isVisible());
    keep(props()->grab().toImage(), QStringLiteral("properties-list-open.png"));
    props()->list()->hidePopup();
    finishEdit();
    select(6, 1);
    clickRow(5);
    keep(props()->grab().toImage(), QStringLiteral("properties-variable-editing.png"));
    finishEdit();
}

// The factorial example as a pupil draws it, alone and on the desk with the properties of
// its result.
TEST_F(Screenshots, FactorialExample) {
    ASSERT_TRUE(
        main().files().openPath(QStringLiteral(TREVALON_SOURCE_DIR "/examples/factorial.skb")));
    main().showBoardWindow(1);
    keep(board(1)->grab().toImage(), QStringLiteral("factorial-drawn.png"));
    select(3, 8);
    QImage desk = main().grab().toImage();
    QPainter p(&desk);
    for (QWidget* w : {static_cast<QWidget*>(board(1)), static_cast<QWidget*>(props())}) {
        p.drawPixmap(w->pos() - main().pos(), w->grab());
    }
    p.end();
    keep(desk, QStringLiteral("factorial-desk.png"));
}

// The first start: no project; the start page with the recent projects (one of them deleted
// since, so left out) and the examples.
class FirstStart : public AppFixture {};

TEST_F(FirstStart, StartPageInBothLanguages) {
    for (const QString& name :
         {QStringLiteral("/Projekty/lekcja 3/zadanie domowe - tablice.skb"),
          QStringLiteral("/usunięty.skb"), QStringLiteral("/Projekty/pętla z licznikiem.skb")}) {
        const QString path = folder() + name;
        if (!name.startsWith(QStringLiteral("/usun"))) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        app->settings().rememberProject(path);
    }
    main().setLanguage(QStringLiteral("pl"));
    ASSERT_TRUE(main().startPage()->isVisible());
    keep(main().grab().toImage(), QStringLiteral("first-start.png"));
    main().setLanguage(QStringLiteral("ang"));
    keep(main().grab().toImage(), QStringLiteral("first-start-english.png"));
    main().setLanguage(QStringLiteral("pl"));
}

}  // namespace

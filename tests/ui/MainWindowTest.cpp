#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSlider>
#include <QTemporaryDir>
#include <QTextDocument>
#include <utility>

#include "AppFixture.h"
#include "Flowcharts.h"
#include "config/SettingsStore.h"
#include "edit/BoardGeometry.h"
#include "ui/dialogs/TFWinietka.h"
#include "ui/main/MainMenus.h"
#include "ui/main/SpeedControl.h"
#include "ui/main/StartPage.h"
#include "ui/pictures/Pictures.h"
#include "ui/print/PrintCommands.h"
#include "ui/properties/TFWlasnosci.h"
#include "ui/run/TFOpisy.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/TDotFrame.h"

using namespace trevalon;

namespace {

class MainWindow : public AppFixture {
protected:
    // The item's state as its menu shows it when opened.
    bool enabled(MainMenus::Which /*menu*/, Command command) {
        main().menus().updateState();
        return main().menus().action(command)->isEnabled();
    }

    QString label(const char* name) {
        return main().findChild<ClickLabel*>(QLatin1String(name))->text();
    }
};

}  // namespace

TEST_F(MainWindow, StartsWithNoProjectAndHiddenRunButtons) {
    EXPECT_FALSE(main().state().projectOpen);
    EXPECT_FALSE(main().toolbar().runButtonVisible());
    EXPECT_FALSE(main().toolbar().stepButtonVisible());
    EXPECT_FALSE(board(1)->isVisible());
    EXPECT_EQ(main().findChild<QLabel*>(QStringLiteral("LNaglowekGlowny"))->text(),
              QStringLiteral("TREVALON     Bez nazwy"));
    EXPECT_GE(main().width(), TFGlowny::MinimumWidth);
    EXPECT_GE(main().height(), TFGlowny::MinimumHeight);
    // The start is logged whatever the level.
    QFile log(app->settings().logFilePath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Uruchomiono poprawnie aplikacj"));
}

// Without a project the desk shows the start page; a block button says what comes first, and
// an example opens as a copy without a file of its own.
TEST_F(MainWindow, StartPageOpensAnExampleAsACopyAndGoesAway) {
    StartPage* page = main().startPage();
    ASSERT_TRUE(page->isVisible());
    ASSERT_NE(page->entry(QStringLiteral("StartNew")), nullptr);
    EXPECT_TRUE(page->entry(QStringLiteral("StartNew"))->text().contains(QStringLiteral("Ctrl+N")));
    pressButton(KindStart);
    EXPECT_EQ(main().statusText(),
              QStringLiteral("Najpierw utwórz nowy projekt (Ctrl+N) lub otwórz istniejący."));

    ClickLabel* example = page->entry(QStringLiteral("StartExample-factorial"));
    ASSERT_NE(example, nullptr);
    EXPECT_EQ(example->toolTip(), QStringLiteral("factorial.skb"));
    QTest::mouseClick(example, Qt::LeftButton);
    EXPECT_TRUE(main().state().projectOpen);
    EXPECT_TRUE(main().state().projectPath.isEmpty());
    EXPECT_GT(project().boardCount, 0);
    EXPECT_TRUE(board(1)->isVisible());
    EXPECT_FALSE(page->isVisible());
    // A copy is not a project of the user's: the recent projects stay as they were.
    EXPECT_TRUE(app->settings().values().recentProjects.isEmpty());
}

TEST_F(MainWindow, MenusFollowTheProjectAndTheCheck) {
    EXPECT_TRUE(enabled(MainMenus::File, Command::NewProject));
    EXPECT_TRUE(enabled(MainMenus::File, Command::OpenProject));
    EXPECT_FALSE(enabled(MainMenus::File, Command::SaveProject));
    EXPECT_FALSE(enabled(MainMenus::File, Command::SaveAs));
    for (Command c : {Command::ToggleProperties, Command::ToggleVariables, Command::HideAuxiliary,
                      Command::CopyPicture, Command::ShowSchema}) {
        EXPECT_FALSE(enabled(MainMenus::Show, c));
    }
    EXPECT_FALSE(enabled(MainMenus::Run, Command::Run));
    EXPECT_FALSE(enabled(MainMenus::Run, Command::Abort));

    newProject();
    EXPECT_TRUE(enabled(MainMenus::File, Command::SaveAs));
    EXPECT_TRUE(enabled(MainMenus::Show, Command::CopyPicture));
    EXPECT_FALSE(enabled(MainMenus::Show, Command::ToggleVariables));
    EXPECT_FALSE(enabled(MainMenus::Show, Command::ShowSchema));  // no block yet
    EXPECT_TRUE(enabled(MainMenus::Run, Command::Run));
    EXPECT_TRUE(enabled(MainMenus::Run, Command::CheckBoard));
    EXPECT_FALSE(enabled(MainMenus::Run, Command::NextStep));
    EXPECT_FALSE(enabled(MainMenus::Run, Command::Abort));

    place(KindVariable, 1, 1);
    EXPECT_FALSE(enabled(MainMenus::Show, Command::ShowSchema));  // variables only
    place(KindAssign, 2, 1);
    EXPECT_TRUE(enabled(MainMenus::Show, Command::ShowSchema));
    EXPECT_TRUE(enabled(MainMenus::File, Command::SaveProject));
    project().clearChanged();
    EXPECT_FALSE(enabled(MainMenus::File, Command::SaveProject));

    QTest::keyClick(&main(), Qt::Key_F8, Qt::AltModifier);
    EXPECT_TRUE(main().state().checkDone);
    EXPECT_TRUE(enabled(MainMenus::Show, Command::ToggleVariables));
    EXPECT_TRUE(app->report()->isVisible());
    QTest::keyClick(&main(), Qt::Key_F10);
    EXPECT_FALSE(app->report()->isVisible());
    QTest::keyClick(&main(), Qt::Key_F10);
    EXPECT_TRUE(app->report()->isVisible());
    EXPECT_EQ(app->report()->pos() - main().pos(), TFOpisy::Offset);
}

TEST_F(MainWindow, NewBoardWithoutAProjectStartsOne) {
    EXPECT_TRUE(enabled(MainMenus::File, Command::NewBoard));
    main().menus().action(Command::NewBoard)->trigger();
    EXPECT_TRUE(main().state().projectOpen);
    EXPECT_EQ(project().boardCount, 1);
    main().menus().action(Command::NewBoard)->trigger();
    main().menus().action(Command::NewBoard)->trigger();
    EXPECT_EQ(project().boardCount, 3);
    EXPECT_FALSE(enabled(MainMenus::File, Command::NewBoard));
}

TEST_F(MainWindow, TheLanguageChangesEveryCaptionAtOnceAndIsRemembered) {
    newProject();
    EXPECT_EQ(label("LPlik"), QStringLiteral("<u>P</u>lik"));
    EXPECT_FALSE(enabled(MainMenus::Help, Command::Polish));
    EXPECT_TRUE(enabled(MainMenus::Help, Command::English));
    main().menus().action(Command::English)->trigger();
    EXPECT_EQ(label("LPlik"), QStringLiteral("<u>F</u>ile"));
    EXPECT_EQ(label("LPokaz"), QStringLiteral("<u>E</u>dit"));
    EXPECT_EQ(main().menus().action(Command::Run)->text(), QStringLiteral("Run the project\tF9"));
    EXPECT_EQ(board(1)->popupMenu()->findChild<QAction*>(QStringLiteral("PMUsunPlansze"))->text(),
              QStringLiteral("Delete the board"));
    EXPECT_EQ(main().toolbar().statusText(KindStart),
              QStringLiteral("Begin of program or procedure"));
    EXPECT_EQ(app->settings().values().language, QStringLiteral("ang"));
    EXPECT_TRUE(enabled(MainMenus::Help, Command::Polish));
    EXPECT_FALSE(enabled(MainMenus::Help, Command::English));

    main().menus().action(Command::Polish)->trigger();
    EXPECT_EQ(label("LPlik"), QStringLiteral("<u>P</u>lik"));
    EXPECT_EQ(main().menus().action(Command::Run)->text(), QStringLiteral("Uruchom projekt\tF9"));
    EXPECT_EQ(app->settings().values().language, QStringLiteral("pl"));
}

TEST_F(MainWindow, TheChosenSpeedIsTheNextStartsSpeed) {
    newProject();
    main().toolbar().speed()->findChild<QSlider*>(QStringLiteral("STempo"))->setValue(3);
    EXPECT_EQ(app->settings().values().runSpeed, 3);
    project().clearChanged();
    main().state().unsavedNew = false;
    app.reset();
    app = std::make_unique<TrevalonApp>();
    app->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->main()));
    EXPECT_EQ(main().toolbar().speed()->level(), 3);
}

TEST_F(MainWindow, TheReportFollowsTheLanguageToo) {
    newProject();
    QTest::keyClick(&main(), Qt::Key_F8, Qt::AltModifier);  // an empty board fails
    ASSERT_TRUE(app->report()->isVisible());
    EXPECT_EQ(app->report()->rows().back().label, QStringLiteral("Ta plansza jest do poprawienia"));
    main().setLanguage(QStringLiteral("ang"));
    EXPECT_EQ(app->report()->rows().back().label, QStringLiteral("This board should be improved"));
}

TEST_F(MainWindow, AReasonInTheReportShowsItsCellOnItsRaisedBoard) {
    newProject();
    ASSERT_TRUE(editor().newBoard());
    for (int n : {1, 2}) {
        flow().put(n, 2, 1, KindStart);
        flow().put(n, 2, 3, KindEnd);
    }
    flow().message(1, 2, 2, QStringLiteral("Hej"));
    flow().put(2, 2, 2, KindMessage);  // its text is not set
    answerMessage(Qt::Key_Z);          // "the board needs fixing"
    QTest::keyClick(&main(), Qt::Key_F9, Qt::AltModifier);
    ASSERT_TRUE(app->report()->isVisible());
    ASSERT_EQ(app->report()->reasonLines().size(), 1u);
    ClickLabel* reason = app->report()->reasonLines().front();
    EXPECT_EQ(reason->text(), QString::fromUtf8("Plansza 2, kolumna 2, wiersz 2: Blok Komunikat6: "
                                                "pole „Komunikat” nie jest ustawione."));
    EXPECT_EQ(main().statusText(), reason->text());

    editor().activateBoard(1);
    QTest::mouseClick(reason, Qt::LeftButton);
    EXPECT_EQ(project().activeBoard, 2);
    EXPECT_EQ(editor().currentBoard(), 2);
    EXPECT_EQ(editor().currentColumn(), 2);
    EXPECT_EQ(editor().currentRow(), 2);
    EXPECT_EQ(editor().frames(2).at(2, 2), FrameFaulty);
    EXPECT_TRUE(board(2)->isVisible());
}

// Names a pupil gave show as written wherever the windows show them, never as markup: in a
// reason of the report and the status line that repeats it, a board's title, the main
// window's header, and a recent project's tooltip on the start page.
TEST_F(MainWindow, ThePupilsNamesShowAsWrittenNotAsMarkup) {
    const QString recent = folder() + QStringLiteral("/<i>kursywa.skb");
    ASSERT_TRUE(QFile(recent).open(QIODevice::WriteOnly));
    app->settings().rememberProject(recent);
    main().refreshStartPage();
    ClickLabel* entry = main().startPage()->entry(QStringLiteral("StartRecent1"));
    ASSERT_NE(entry, nullptr);
    // A tooltip is shown as markup when it looks like markup.
    QTextDocument tip;
    tip.setHtml(entry->toolTip());
    const QString shownTip =
        Qt::mightBeRichText(entry->toolTip()) ? tip.toPlainText() : entry->toolTip();
    EXPECT_EQ(shownTip, recent);

    newProject();
    project().board(1).name = QStringLiteral("<u>Główna</u>");
    app->workspace().setProjectName(QStringLiteral("<b>Projekt</b>"));
    main().applyTexts();
    flow().put(1, 2, 1, KindStart);
    flow().named(1, 2, 2, KindMessage, QStringLiteral("<h1>Blok</h1>"));  // its text is not set
    flow().put(1, 2, 3, KindEnd);
    answerMessage(Qt::Key_Z);
    QTest::keyClick(&main(), Qt::Key_F9, Qt::AltModifier);
    ASSERT_EQ(app->report()->reasonLines().size(), 1u);
    const auto* status = main().findChild<QLabel*>(QStringLiteral("LStatus"));
    const auto* header = main().findChild<QLabel*>(QStringLiteral("LNaglowekGlowny"));
    const std::pair<const QLabel*, QString> shown[] = {
        {app->report()->reasonLines().front(), QStringLiteral("<h1>Blok</h1>")},
        {status, QStringLiteral("<h1>Blok</h1>")},
        {board(1)->titleLabel(), QStringLiteral("<u>Główna</u>")},
        {header, QStringLiteral("<b>Projekt</b>")},
    };
    for (const auto& [label, written] : shown) {
        ASSERT_NE(label, nullptr);
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_TRUE(label->text().contains(written)) << qPrintable(label->text());
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    }
}

TEST_F(MainWindow, EventLevelKeysWorkInTheMainWindowOnly) {
    QTest::keyClick(&main(), Qt::Key_3, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(app->settings().logLevel(), 3);
    newProject();
    QTest::keyClick(board(1), Qt::Key_1, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(app->settings().logLevel(), 3);
    QTest::keyClick(&main(), Qt::Key_0, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(app->settings().logLevel(), 0);
}

TEST_F(MainWindow, HelpOpensThePageOfTheInterfaceLanguageOrSaysWhyNot) {
    QTemporaryDir start;
    ASSERT_TRUE(QDir(start.path()).mkpath(QStringLiteral("Pomoc/en")));
    for (const QString& page :
         {QStringLiteral("/Pomoc/index.htm"), QStringLiteral("/Pomoc/en/index.htm")}) {
        QFile file(start.path() + page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString startedIn = main().state().startFolder;
    main().state().startFolder = start.path();
    QList<QUrl> opened;
    bool browserAnswers = true;
    main().commands().openUrl = [&](const QUrl& url) {
        opened << url;
        return browserAnswers;
    };
    QTest::keyClick(&main(), Qt::Key_F1);
    QTest::mouseClick(main().findChild<ClickLabel*>(QStringLiteral("LPomoc")), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.first().toLocalFile(), start.path() + QStringLiteral("/Pomoc/index.htm"));
    main().setLanguage(QStringLiteral("ang"));
    QTest::keyClick(&main(), Qt::Key_F1);
    EXPECT_EQ(opened.last().toLocalFile(), start.path() + QStringLiteral("/Pomoc/en/index.htm"));
    main().setLanguage(QStringLiteral("pl"));
    EXPECT_TRUE(messages.isEmpty());

    // With no browser to show it, the pupil hears why and where the page lies.
    browserAnswers = false;
    answerMessage(Qt::Key_Z);
    QTest::keyClick(&main(), Qt::Key_F1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("Nie udało się otworzyć pomocy.")));
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(start.path())));
    EXPECT_EQ(warning()->iconShown(), MessageSink::Warning);
    main().state().startFolder = startedIn;
}

TEST_F(MainWindow, AboutShowsModallyAndCloses) {
    bool shown = false;
    driver.when(app->about(), [&] {
        shown = true;
        EXPECT_EQ(app->about()->closeButton()->text(), QStringLiteral("Zamknij"));
        QTest::mouseClick(app->about()->closeButton(), Qt::LeftButton);
    });
    main().menus().action(Command::About)->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(app->about()->isVisible());
    // Escape closes it too.
    driver.when(app->about(), [this] { QTest::keyClick(app->about(), Qt::Key_Escape); });
    main().commands().execute(Command::About);
    EXPECT_FALSE(app->about()->isVisible());
}

// The program's own message dialog takes the keys of the interface language.
TEST_F(MainWindow, TheMessageDialogTakesTheKeysOfTheInterfaceLanguage) {
    driver.when(warning(), [this] { QTest::keyClick(warning(), Qt::Key_N); });
    EXPECT_EQ(
        warning()->showMessage(3, 2, app->workspace().texts().text(texts::SaveChangesQuestion)), 2);
    app->workspace().setLanguage(QStringLiteral("ang"));
    driver.when(warning(), [this] { QTest::keyClick(warning(), Qt::Key_C); });
    EXPECT_EQ(
        warning()->showMessage(1, 3, app->workspace().texts().text(texts::UnsupportedFileType)), 0);
}

TEST_F(MainWindow, AltKeysOpenTheMenusAtTheirPlaces) {
    QTest::keyClick(&main(), Qt::Key_P, Qt::AltModifier);
    QMenu* file = main().menus().menu(MainMenus::File);
    EXPECT_TRUE(file->isVisible());
    EXPECT_EQ(file->pos(), main().mapToGlobal(QPoint(15, 45)));
    file->close();
    QTest::keyClick(&main(), Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(main().menus().menu(MainMenus::Run)->isVisible());
    main().menus().menu(MainMenus::Run)->close();
}

TEST_F(MainWindow, DraggingTheTitleMovesTheBoardsAlong) {
    newProject();
    const QPoint offset = board(1)->pos() - main().pos();
    QWidget* drag = main().findChild<QWidget*>(QStringLiteral("LPrzesuwGlowne"));
    const QPoint start(300, 10);
    QTest::mousePress(drag, Qt::LeftButton, Qt::KeyboardModifiers(), start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(-20, 12)),
                     QPointF(drag->mapToGlobal(start + QPoint(-20, 12))), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(drag, &move);
    QTest::mouseRelease(drag, Qt::LeftButton, Qt::KeyboardModifiers(), start + QPoint(-20, 12));
    EXPECT_EQ(board(1)->pos() - main().pos(), offset);
}

TEST_F(MainWindow, TheGripResizesThroughADottedFrame) {
    QWidget* grip = main().findChild<QWidget*>(QStringLiteral("ImCingnij"));
    const QPoint corner = main().pos() + QPoint(main().width(), main().height());
    const auto send = [&](QEvent::Type type, const QPoint& global) {
        QMouseEvent event(
            type, QPointF(grip->mapFromGlobal(global)), QPointF(global), Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grip, &event);
    };
    send(QEvent::MouseButtonPress, corner);
    send(QEvent::MouseMove, corner + QPoint(40, 30));
    QWidget* frame = main().dotFrame();
    ASSERT_FALSE(main().maximised());
    EXPECT_TRUE(frame->isVisible());
    const QSize before = main().size();
    EXPECT_EQ(main().size(), before);  // nothing changes until the button is released
    send(QEvent::MouseButtonRelease, corner + QPoint(40, 30));
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(main().size(), before + QSize(40, 30));
    // Never smaller than the least size.
    send(QEvent::MouseButtonPress, corner);
    send(QEvent::MouseButtonRelease, main().pos() + QPoint(100, 100));
    EXPECT_EQ(main().size(), QSize(TFGlowny::MinimumWidth, TFGlowny::MinimumHeight));
}

TEST_F(MainWindow, CheckingTheProjectReportsTheFirstFaultyBoard) {
    newProject();
    flowcharts::factorial(project());
    main().showBoardWindow(1);
    QTest::keyClick(&main(), Qt::Key_F9, Qt::AltModifier);
    ASSERT_TRUE(app->report()->isVisible());
    EXPECT_EQ(app->report()->reportKind(), TFOpisy::KindProject);
    EXPECT_EQ(app->report()->rows().front().label, QStringLiteral("Kontrola: Bez nazwy"));

    main().commands().execute(Command::NewBoard);  // an empty board fails its first stage
    clickCell(1, 3, 1);
    answerMessage(Qt::Key_Z);
    QTest::keyClick(&main(), Qt::Key_F9, Qt::AltModifier);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], app->workspace().texts().text(texts::BoardCheckFailed));
    EXPECT_EQ(warning()->iconShown(), MessageSink::Information);
    EXPECT_EQ(app->report()->reportKind(), TFOpisy::KindBoard);
    EXPECT_EQ(app->report()->rows().front().label, QStringLiteral("Kontrola: Plansza nr 2"));
    EXPECT_EQ(project().activeBoard, 2);
    EXPECT_TRUE(board(2)->titleActive());
}

TEST_F(MainWindow, AltF8InABoardWindowShowsTheCheckOfThatBoard) {
    newProject();
    flowcharts::factorial(project());
    main().showBoardWindow(1);
    clickCell(1, 3, 5);
    QTest::keyClick(board(1), Qt::Key_F8, Qt::AltModifier);
    ASSERT_TRUE(app->report()->isVisible());
    EXPECT_EQ(app->report()->reportKind(), TFOpisy::KindBoard);
}

TEST_F(MainWindow, FaultyCellsAreFramedRedByTheBoardCheck) {
    newProject();
    flowcharts::factorial(project());
    project().cell(1, 3, 3).text4 = QStringLiteral("1 +");  // a formula that does not parse
    main().showBoardWindow(1);
    QTest::keyClick(board(1), Qt::Key_F8, Qt::AltModifier);
    EXPECT_EQ(editor().frames(1).at(3, 3), FrameFaulty);
    EXPECT_EQ(editor().frames(1).at(3, 2), FrameNone);
    EXPECT_EQ(app->report()->rows().back().tone, ReportRow::Bad);
    EXPECT_EQ(
        board(1)->image()->picture().pixel(geometry::cellRect(3, 3).topLeft() + QPoint(20, 0)),
        qRgb(255, 0, 0));
}

TEST_F(MainWindow, ToolbarHintsFollowTheSettingWhileTheStatusLineAlwaysExplains) {
    // A first start turns the hints on; this user has turned them off.
    app->settings().values().showHints = false;
    main().applyTexts();
    TJetButton* start = main().toolbar().button(KindStart);
    TJetButton* connector = main().toolbar().button(KindLineVertical);
    EXPECT_TRUE(start->toolTip().isEmpty());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(start, &enter);
    EXPECT_EQ(main().statusText(), QStringLiteral("Początek programu lub procedury"));
    app->settings().values().showHints = true;
    main().applyTexts();
    EXPECT_EQ(start->toolTip(), QStringLiteral("Początek programu lub procedury"));
    EXPECT_EQ(connector->toolTip(), QStringLiteral("Łącznik, jak na rysunku"));
}

// A screen reader meets each toolbar button as a named button, hints on or off, and can press it.
TEST_F(MainWindow, ToolbarButtonsAreNamedPressableButtonsForAScreenReader) {
    app->settings().values().showHints = false;
    main().applyTexts();
    TJetButton* start = main().toolbar().button(KindStart);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(start);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Button);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Początek programu lub procedury"));
    ASSERT_NE(face->actionInterface(), nullptr);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(start->chosen());
    EXPECT_TRUE(face->state().checked);
}

// The same key table serves four windows, each with its own share of it, and a key counts only
// with exactly its modifiers: Ctrl, Alt, Ctrl+Alt, or anything else for the plain keys.
TEST_F(MainWindow, EachWindowTakesItsShareOfTheKeysWithExactModifiers) {
    app->settings().values().warnBeforeDelete = false;
    newProject();
    place(KindAssign, 2, 2);
    QWidget* properties = app->properties();
    QWidget* report = app->report();

    // Alt+F8 checks the board; with Shift or Ctrl added it is some other key.
    QTest::keyClick(&main(), Qt::Key_F8, Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(&main(), Qt::Key_F8, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_FALSE(main().state().checkDone);
    QTest::keyClick(report, Qt::Key_F8, Qt::AltModifier);
    EXPECT_TRUE(main().state().checkDone);
    ASSERT_TRUE(report->isVisible());

    clickCell(1, 2, 2);
    ASSERT_TRUE(project().cell(1, 2, 2).marked);
    // Delete belongs to the main and board windows; Ctrl+Delete is no key of the table.
    QTest::keyClick(properties, Qt::Key_Delete);
    QTest::keyClick(report, Qt::Key_Delete);
    QTest::keyClick(board(1), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(project().isOccupied(1, 2, 2));
    QTest::keyClick(&main(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_FALSE(project().isOccupied(1, 2, 2));

    // The event level is set from the main window alone.
    const int level = app->settings().logLevel();
    const auto other = static_cast<Qt::Key>(Qt::Key_0 + (level == 2 ? 3 : 2));
    for (QWidget* window : {properties, report}) {
        QTest::keyClick(window, other, Qt::ControlModifier | Qt::AltModifier);
    }
    EXPECT_EQ(app->settings().logLevel(), level);

    // Every key ends in the main, board and report windows; the properties window lets the keys
    // it does not know go on to its editors.
    for (QWidget* window :
         {static_cast<QWidget*>(&main()), static_cast<QWidget*>(board(1)), report, properties}) {
        QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(window, &letter);
        EXPECT_EQ(letter.isAccepted(), window != properties) << window->objectName().toStdString();
        QKeyEvent f10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
        QApplication::sendEvent(window, &f10);
        EXPECT_TRUE(f10.isAccepted()) << window->objectName().toStdString();
    }
}

TEST_F(MainWindow, MaximisingTogglesItsHintAndKeepsTheBoardsAtTheirOffsets) {
    newProject();
    const Board& first = project().board(1);
    auto* maximise = main().findChild<ClickLabel*>(QStringLiteral("LMaximize"));
    EXPECT_EQ(maximise->toolTip(), QStringLiteral("Maksymalizuj"));
    EXPECT_FALSE(enabled(MainMenus::Window, Command::Restore));
    EXPECT_TRUE(enabled(MainMenus::Window, Command::Maximise));

    QTest::mouseClick(maximise, Qt::LeftButton);
    ASSERT_TRUE(main().maximised());
    EXPECT_EQ(maximise->toolTip(), QStringLiteral("Przywróc"));
    EXPECT_EQ(board(1)->pos() - main().pos(), QPoint(first.left, first.top));
    EXPECT_TRUE(enabled(MainMenus::Window, Command::Restore));
    EXPECT_FALSE(enabled(MainMenus::Window, Command::Maximise));

    // A maximised window is not dragged by its title strip.
    const QPoint before = main().pos();
    QWidget* drag = main().findChild<QWidget*>(QStringLiteral("LPrzesuwGlowne"));
    QTest::mousePress(drag, Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(300, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(330, 30),
                     QPointF(drag->mapToGlobal(QPoint(330, 30))), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(drag, &move);
    QTest::mouseRelease(drag, Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(330, 30));
    EXPECT_EQ(main().pos(), before);

    main().menus().action(Command::Restore)->trigger();
    EXPECT_FALSE(main().maximised());
    EXPECT_EQ(maximise->toolTip(), QStringLiteral("Maksymalizuj"));
    EXPECT_EQ(board(1)->pos() - main().pos(), QPoint(first.left, first.top));
}

TEST_F(MainWindow, TheTitleStripMinimisesAndClosesTheProgram) {
    newProject();
    QTest::mouseClick(main().findChild<ClickLabel*>(QStringLiteral("LMinimize")), Qt::LeftButton);
    EXPECT_TRUE(main().isMinimized());
    main().showNormal();

    // Closing asks about a changed board first; Cancel keeps the program open.
    place(KindStart, 1, 1);
    answerMessage(Qt::Key_A);
    QTest::mouseClick(main().findChild<ClickLabel*>(QStringLiteral("LClose")), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList({app->workspace().texts().text(texts::SaveChangesQuestion)}));
    EXPECT_TRUE(main().isVisible());

    answerMessage(Qt::Key_N);
    main().menus().action(Command::CloseProgram)->trigger();
    EXPECT_EQ(messages.size(), 2);
    EXPECT_FALSE(main().isVisible());
}

namespace {

struct TabPress {
    QPoint at;  // in the tabs picture
    int tab;    // the tab it chooses, 0 for none
};

class GroupTabs : public MainWindow, public ::testing::WithParamInterface<TabPress> {};

}  // namespace

// A press on a tab's band shows that tab's picture and buttons and gives up a chosen block;
// the gaps between the tabs, the rows above and below them and the tab already shown do
// nothing at all.
TEST_P(GroupTabs, ChooseByTheirBandsOnly) {
    const TabPress& press = GetParam();
    QLabel* tabs = main().toolbar().tabsPicture();
    main().setLanguage(QStringLiteral("ang"));
    ASSERT_EQ(main().toolbar().tab(), 1);
    pressButton(KindStart);
    ASSERT_TRUE(editor().placing());
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::KeyboardModifiers(), press.at);
    const int shown = press.tab == 0 ? 1 : press.tab;
    EXPECT_EQ(main().toolbar().tab(), shown);
    EXPECT_EQ(editor().placing(), shown == 1);
    const char* names[] = {"menustartang", "menuczytpiszang", "menuoperacjeang",
                           "menuloncznikiang"};
    ASSERT_FALSE(tabs->pixmap().isNull());
    EXPECT_EQ(tabs->pixmap().toImage(),
              pictures::pixmap(QLatin1String(names[shown - 1])).toImage());
    for (int t = 1; t <= 4; ++t) {
        EXPECT_EQ(main().toolbar().panel(t)->isVisible(), t == shown) << t;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bands, GroupTabs,
    ::testing::Values(TabPress{{6, 3}, 1}, TabPress{{89, 19}, 1}, TabPress{{5, 10}, 0},
                      TabPress{{90, 10}, 0}, TabPress{{105, 10}, 0}, TabPress{{106, 3}, 2},
                      TabPress{{189, 19}, 2}, TabPress{{206, 10}, 3}, TabPress{{289, 10}, 3},
                      TabPress{{306, 10}, 4}, TabPress{{389, 19}, 4}, TabPress{{390, 10}, 0},
                      TabPress{{150, 2}, 0}, TabPress{{150, 20}, 0}, TabPress{{350, 40}, 0}));

TEST_F(MainWindow, TheShowMenuTogglesAndHidesTheCompanions) {
    newProject();
    place(KindAssign, 2, 2);
    clickCell(1, 2, 2);
    QWidget* properties = app->properties();
    ASSERT_TRUE(properties->isVisible());
    QTest::keyClick(&main(), Qt::Key_F8, Qt::AltModifier);
    ASSERT_TRUE(app->report()->isVisible());

    main().menus().action(Command::HideAuxiliary)->trigger();
    EXPECT_FALSE(properties->isVisible());
    EXPECT_FALSE(app->report()->isVisible());
    // The properties item shows the chosen block's properties, then hides them again.
    main().menus().action(Command::ToggleProperties)->trigger();
    EXPECT_TRUE(properties->isVisible());
    EXPECT_EQ(app->properties()->properties().kind(), KindAssign);
    main().menus().action(Command::ToggleProperties)->trigger();
    EXPECT_FALSE(properties->isVisible());
    // F11 in the main window only shows.
    QTest::keyClick(&main(), Qt::Key_F11);
    QTest::keyClick(&main(), Qt::Key_F11);
    EXPECT_TRUE(properties->isVisible());
    main().menus().action(Command::ToggleVariables)->trigger();
    EXPECT_TRUE(app->report()->isVisible());
}

TEST_F(MainWindow, TheReportCollapsesClosesAndComesBackAtItsPlace) {
    newProject();
    QTest::keyClick(&main(), Qt::Key_F8, Qt::AltModifier);
    TFOpisy* report = app->report();
    ASSERT_TRUE(report->isVisible());
    // The board report's seven rows, and under them its one reason: the board is empty.
    const QWidget* reasons = report->findChild<QWidget*>(QStringLiteral("PPrzyczyny"));
    ASSERT_EQ(report->reasonLines().size(), 1u);
    EXPECT_EQ(reasons->y(), 23 * 7 + 45);
    const int full = 23 * 7 + 45 + reasons->height();
    EXPECT_EQ(report->size(), QSize(254, full));

    auto* title = report->findChild<QWidget*>(QStringLiteral("LListwa"));
    QTest::mousePress(title, Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(20, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 30),
                     QPointF(title->mapToGlobal(QPoint(50, 30))), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(title, &move);
    QTest::mouseRelease(title, Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(50, 30));
    EXPECT_EQ(report->pos() - main().pos(), TFOpisy::Offset + QPoint(30, 20));

    auto* collapse = report->findChild<ClickLabel*>(QStringLiteral("LZminMale"));
    QTest::mouseClick(collapse, Qt::LeftButton);
    EXPECT_EQ(report->height(), 20);
    QTest::mouseClick(collapse, Qt::LeftButton);
    EXPECT_EQ(report->height(), full);

    QTest::mouseClick(report->findChild<ClickLabel*>(QStringLiteral("LCloseWlasnosci")),
                      Qt::LeftButton);
    EXPECT_FALSE(report->isVisible());
    QTest::keyClick(&main(), Qt::Key_F10);
    ASSERT_TRUE(report->isVisible());
    EXPECT_EQ(report->pos() - main().pos(), TFOpisy::Offset);
    EXPECT_EQ(report->height(), full);
}

// A window narrower than its toolbar (a small or strongly scaled screen) still shows every
// button of every group, whole and apart.
TEST_F(MainWindow, ANarrowWindowKeepsEveryToolbarButton) {
    main().setMinimumSize(600, 500);
    for (int width : {TFGlowny::MinimumWidth, 700, 640}) {
        main().resize(width, 540);
        for (int tab = 1; tab <= 4; ++tab) {
            main().selectTab(tab);
            std::vector<QRect> shown;
            for (QWidget* widget : main().findChildren<QWidget*>()) {
                auto* button = dynamic_cast<TJetButton*>(widget);
                if (button && button->isVisibleTo(&main())) {
                    shown.push_back(QRect(button->mapTo(&main(), QPoint(0, 0)), button->size()));
                }
            }
            ASSERT_GE(shown.size(), 6u) << width << " tab " << tab;
            for (std::size_t i = 0; i < shown.size(); ++i) {
                EXPECT_TRUE(main().rect().contains(shown[i])) << width << " tab " << tab;
                for (std::size_t j = i + 1; j < shown.size(); ++j) {
                    EXPECT_FALSE(shown[i].intersects(shown[j]))
                        << width << " tab " << tab << " " << shown[i] << " " << shown[j];
                }
            }
        }
    }
}

TEST_F(MainWindow, ExportToPdfWritesTheChosenDocumentOverTheOldFile) {
    newProject();
    flowcharts::factorial(project());
    main().boardChanged(1);
    const QString path = folder() + QStringLiteral("/karta.pdf");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("not a document");
    old.close();
    bool offeredAll = false;
    main().print().askChoice = [&offeredAll](bool singlePicture) {
        offeredAll = !singlePicture;
        return PrintRequest{PrintContent::Worksheet, true};
    };
    main().print().askSavePath = [path](PrintCommands::Format) { return path; };
    ASSERT_TRUE(enabled(MainMenus::File, Command::ExportPdf));
    main().menus().action(Command::ExportPdf)->trigger();
    EXPECT_TRUE(offeredAll);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");
    EXPECT_GT(written.size(), 10000);
}

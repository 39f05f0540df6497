#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

#include "../storage/SdpBuilder.h"
#include "AppFixture.h"
#include "Flowcharts.h"
#include "config/SettingsStore.h"
#include "storage/LegacyProjectReader.h"
#include "storage/ProjectFile.h"
#include "storage/RecoveryFile.h"
#include "ui/main/Autosave.h"
#include "ui/main/MainMenus.h"
#include "ui/run/TFOpisy.h"

using namespace trevalon;

namespace {

class ProjectFiles : public AppFixture {
protected:
    QString text(int number) {
        return app->workspace().texts().text(number).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }

    void answerSaveDialog(const QString& path) {
        driver.when(main().files().saveDialog(), [this, path] {
            QFileDialog* dialog = main().files().saveDialog();
            typeFileName(dialog, path);
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own is protected
        });
    }

    // As the user does it: the folder, then the name typed into the dialog's name field (which
    // selectFile() leaves alone while it has the focus).
    static void typeFileName(QFileDialog* dialog, const QString& path) {
        const QFileInfo file(path);
        dialog->setDirectory(file.absolutePath());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(file.fileName());
    }

    void cancelSaveDialog() {
        driver.when(main().files().saveDialog(), [this] { main().files().saveDialog()->reject(); });
    }

    void answerOpenDialog(const QString& path) {
        driver.when(main().files().openDialog(), [this, path] {
            QFileDialog* dialog = main().files().openDialog();
            typeFileName(dialog, path);
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own is protected
        });
    }

    // A project of two boards written by the program's own writer.
    QString writeProject(const QString& fileName) {
        Project scratch;
        flowcharts::factorial(scratch);
        scratch.addBoard();
        scratch.board(2).name = QStringLiteral("Druga");
        scratch.placeBlock(2, 2, 2, 4, 1);
        const QString path = folder() + QLatin1Char('/') + fileName;
        EXPECT_TRUE(ProjectFile::save(scratch, path, app->log(), app->workspace().texts()).ok());
        return path;
    }

    void drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&main(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&main(), &event);
    }

    static QByteArray bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString header() {
        return main().findChild<QLabel*>(QStringLiteral("LNaglowekGlowny"))->text();
    }
};

}  // namespace

TEST_F(ProjectFiles, SavingANewProjectAsksForAFileAndRemembersItsFolder) {
    newProject();
    place(KindStart, 1, 1);
    const QString path = folder() + QStringLiteral("/zadanie.skb");
    answerSaveDialog(path);
    QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(driver.pending(), 0);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(main().state().projectPath, path);
    EXPECT_EQ(header(), QStringLiteral("TREVALON     zadanie"));
    EXPECT_FALSE(project().projectChanged());
    EXPECT_FALSE(main().state().unsavedNew);
    EXPECT_EQ(QDir(app->settings().values().projectsFolder), QDir(folder()));
    QTRY_COMPARE_WITH_TIMEOUT(main().statusText(), QStringLiteral("Zapisano."), 3000);

    // The next save writes to the same file without asking.
    place(KindEnd, 1, 2);
    QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);
    Project reread;
    ASSERT_TRUE(ProjectFile::load(reread, path, app->log(), app->workspace().texts()).ok());
    EXPECT_EQ(reread.kindAt(1, 1, 2), KindEnd);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ProjectFiles, OpeningShowsEveryBoardOfTheFile) {
    const QString path = writeProject(QStringLiteral("silnia.skb"));
    answerOpenDialog(path);
    main().commands().execute(Command::OpenProject);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_TRUE(main().state().projectOpen);
    EXPECT_EQ(project().boardCount, 2);
    EXPECT_EQ(project().board(2).name, QStringLiteral("Druga"));
    EXPECT_EQ(project().kindAt(1, 3, 1), KindStart);
    EXPECT_TRUE(board(1)->isVisible());
    EXPECT_TRUE(board(2)->isVisible());
    EXPECT_FALSE(board(3)->isVisible());
    EXPECT_EQ(project().activeBoard, 1);
    EXPECT_EQ(header(), QStringLiteral("TREVALON     silnia"));
    EXPECT_FALSE(project().projectChanged());
    EXPECT_TRUE(main().toolbar().runButtonVisible());
    EXPECT_TRUE(main().toolbar().stepButtonVisible());
}

TEST_F(ProjectFiles, AnOpenedProjectLeftUnchangedAsksNothing) {
    const QString path = writeProject(QStringLiteral("a.skb"));
    ASSERT_TRUE(main().files().openPath(path));
    main().commands().execute(Command::NewProject);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(project().boardCount, 1);
    EXPECT_FALSE(project().isOccupied(1, 3, 1));
}

// Editing blocks of an opened project and then starting a new one would lose the edits
// without a word; the question is asked whenever something would be lost.
TEST_F(ProjectFiles, EditsOfAnOpenedProjectAreNotLostWithoutAQuestion) {
    const QString path = writeProject(QStringLiteral("b.skb"));
    ASSERT_TRUE(main().files().openPath(path));
    place(KindMessage, 8, 8);
    answerMessage(Qt::Key_A);
    main().commands().execute(Command::NewProject);
    EXPECT_EQ(project().kindAt(1, 8, 8), KindMessage);
    answerMessage(Qt::Key_N);
    main().commands().execute(Command::NewProject);
    EXPECT_FALSE(project().isOccupied(1, 8, 8));
    EXPECT_EQ(messages,
              QStringList({text(texts::SaveChangesQuestion), text(texts::SaveChangesQuestion)}));
}

TEST_F(ProjectFiles, YesSavesFirstAndACancelledSaveKeepsTheProject) {
    newProject();
    place(KindAssign, 2, 2);
    answerMessage(Qt::Key_T);
    cancelSaveDialog();
    main().commands().execute(Command::NewProject);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(project().kindAt(1, 2, 2), KindAssign);

    const QString path = folder() + QStringLiteral("/przed.skb");
    answerMessage(Qt::Key_T);
    answerSaveDialog(path);
    main().commands().execute(Command::NewProject);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(project().isOccupied(1, 2, 2));
}

TEST_F(ProjectFiles, ClosingWithChangesAsksAndACancelledSaveKeepsTheProgramOpen) {
    newProject();
    place(KindAssign, 2, 2);
    answerMessage(Qt::Key_T);
    cancelSaveDialog();
    EXPECT_FALSE(main().close());
    EXPECT_TRUE(main().isVisible());
    answerMessage(Qt::Key_A);
    EXPECT_FALSE(main().close());
    EXPECT_TRUE(main().isVisible());
    answerMessage(Qt::Key_N);
    EXPECT_TRUE(main().close());
    EXPECT_FALSE(main().isVisible());
    EXPECT_FALSE(board(1)->isVisible());
    EXPECT_EQ(messages,
              QStringList({text(texts::SaveChangesQuestion), text(texts::SaveChangesQuestion),
                           text(texts::SaveChangesQuestion)}));
}

TEST_F(ProjectFiles, DroppedFilesOpenByTheirExtensionInAnyCase) {
    const QString path = writeProject(QStringLiteral("upper.skb"));
    const QString upper = folder() + QStringLiteral("/UPPER.SKB");
    ASSERT_TRUE(QFile::rename(path, upper));
    answerMessage(Qt::Key_Z);
    drop(folder() + QStringLiteral("/notatki.txt"));
    EXPECT_EQ(messages, QStringList({text(texts::UnsupportedFileType)}));
    EXPECT_FALSE(main().state().projectOpen);
    drop(upper);
    EXPECT_TRUE(main().state().projectOpen);
    EXPECT_EQ(project().boardCount, 2);
    EXPECT_EQ(header(), QStringLiteral("TREVALON     UPPER"));
}

TEST_F(ProjectFiles, ADamagedFileLeavesTheOpenProjectAsItWas) {
    const QString good = writeProject(QStringLiteral("dobry.skb"));
    ASSERT_TRUE(main().files().openPath(good));
    const QString bad = folder() + QStringLiteral("/zly.skb");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<Trevalon><ilp>7</il");
    file.close();
    answerMessage(Qt::Key_Z);
    EXPECT_FALSE(main().files().openPath(bad));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(project().boardCount, 2);
    EXPECT_EQ(project().board(2).name, QStringLiteral("Druga"));
    EXPECT_TRUE(board(2)->isVisible());
    EXPECT_EQ(header(), QStringLiteral("TREVALON     dobry"));
}

TEST_F(ProjectFiles, TheCommandLineArgumentIsOpenedAtStartUp) {
    const QString path = writeProject(QStringLiteral("start.skb"));
    app.reset();
    app = std::make_unique<TrevalonApp>(path);
    app->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->main()));
    QTRY_VERIFY(main().state().projectOpen);
    EXPECT_EQ(project().boardCount, 2);
    EXPECT_TRUE(board(2)->isVisible());
}

TEST_F(ProjectFiles, AnOldFormatProjectAsksForANewFileAtTheFirstSave) {
    test::SdpBuilder::BoardSpec old;
    old.name = QStringLiteral("Dawna");
    test::SdpBuilder::CellSpec start;
    start.kindCode = KindStart;
    start.name = QStringLiteral("Start");
    test::SdpBuilder::CellSpec end = start;
    end.row = 2;
    end.kindCode = KindEnd;
    end.name = QStringLiteral("End");
    old.cells = {start, end};
    const QString path = folder() + QStringLiteral("/dawny.sdp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(test::SdpBuilder::record(old, LegacyProjectReader::SmallRecordSize));
    file.close();

    ASSERT_TRUE(main().files().openPath(path));
    EXPECT_EQ(project().board(1).name, QStringLiteral("Dawna"));
    EXPECT_EQ(project().kindAt(1, 1, 2), KindEnd);
    EXPECT_EQ(header(), QStringLiteral("TREVALON     dawny"));
    EXPECT_TRUE(main().state().projectPath.isEmpty());

    const QString fresh = folder() + QStringLiteral("/dawny-nowy.skb");
    answerSaveDialog(fresh);
    QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_TRUE(QFile::exists(fresh));
    EXPECT_EQ(header(), QStringLiteral("TREVALON     dawny-nowy"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ProjectFiles, OpeningIsLoggedAboveLevelFourAndTheEndAlways) {
    Project scratch;
    flowcharts::factorial(scratch);
    scratch.note = QStringLiteral("Szkola nr 5");
    const QString path = folder() + QStringLiteral("/notatka.skb");
    ASSERT_TRUE(ProjectFile::save(scratch, path, app->log(), app->workspace().texts()).ok());
    const auto logged = [this] {
        QFile log(app->settings().logFilePath());
        EXPECT_TRUE(log.open(QIODevice::ReadOnly));
        return QString::fromLatin1(log.readAll());
    };

    app->settings().setLogLevel(4);
    ASSERT_TRUE(main().files().openPath(path));
    EXPECT_FALSE(logged().contains(QStringLiteral("Open: ")));
    app->settings().setLogLevel(5);
    ASSERT_TRUE(main().files().openPath(path));
    ASSERT_FALSE(project().lastModified.isEmpty());
    EXPECT_TRUE(logged().contains(QStringLiteral("Open: notatka.skb Copyright: Szkola nr 5 Last "
                                                 "modificed: ") +
                                  project().lastModified));
    EXPECT_FALSE(logged().contains(QStringLiteral("Koniec pracy.")));

    app->settings().setLogLevel(0);
    EXPECT_TRUE(main().close());
    EXPECT_TRUE(logged().contains(QStringLiteral("Koniec pracy.")));
}

TEST_F(ProjectFiles, SaveAsAlwaysAsksAndLeavesTheProjectsFolderAlone) {
    const QString projects = app->settings().values().projectsFolder;
    const QString path = writeProject(QStringLiteral("pierwszy.skb"));
    ASSERT_TRUE(main().files().openPath(path));
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("kopie")));
    const QString copy = folder() + QStringLiteral("/kopie/drugi.skb");
    answerSaveDialog(copy);
    main().menus().action(Command::SaveAs)->trigger();
    EXPECT_EQ(driver.pending(), 0);
    ASSERT_TRUE(QFile::exists(copy));
    EXPECT_EQ(main().state().projectPath, copy);
    EXPECT_EQ(header(), QStringLiteral("TREVALON     drugi"));
    EXPECT_EQ(app->settings().values().projectsFolder, projects);

    // Saving goes on into the new file; the first one stays as it was.
    place(KindMessage, 8, 8);
    QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);
    Project reread;
    ASSERT_TRUE(ProjectFile::load(reread, copy, app->log(), app->workspace().texts()).ok());
    EXPECT_EQ(reread.kindAt(1, 8, 8), KindMessage);
    ASSERT_TRUE(ProjectFile::load(reread, path, app->log(), app->workspace().texts()).ok());
    EXPECT_FALSE(reread.isOccupied(1, 8, 8));
    // A cancelled dialog changes nothing.
    cancelSaveDialog();
    main().commands().execute(Command::SaveAs);
    EXPECT_EQ(main().state().projectPath, copy);
    EXPECT_TRUE(messages.isEmpty());
}

// An untouched new project holds nothing to lose, and a language switch changes nothing of a
// project: neither leaving it for another nor closing the program asks.
TEST_F(ProjectFiles, AnUntouchedProjectOrALanguageSwitchIsNoChange) {
    newProject();
    QTest::keyClick(&main(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&main(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(main().state().unsavedNew);
    main().menus().updateState();
    EXPECT_FALSE(main().menus().action(Command::SaveProject)->isEnabled());

    main().commands().execute(Command::English);
    QApplication::processEvents();  // as a change would be recorded once its event is over
    main().commands().execute(Command::Polish);
    QApplication::processEvents();
    main().commands().execute(Command::NewProject);
    EXPECT_TRUE(messages.isEmpty());

    ASSERT_TRUE(main().files().openPath(writeProject(QStringLiteral("jezyk.skb"))));
    main().commands().execute(Command::English);
    QApplication::processEvents();
    main().commands().execute(Command::NewProject);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(project().boardCount, 1);
    main().commands().execute(Command::Polish);

    // Once a block is placed, leaving asks.
    place(KindAssign, 2, 2);
    answerMessage(Qt::Key_A);
    main().commands().execute(Command::NewProject);
    EXPECT_EQ(messages.size(), 1);
    project().clearChanged();
    EXPECT_TRUE(main().close());
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(main().isVisible());
}

// The file dialogs are Qt's own, and speak the interface's language: Qt's Polish texts for its
// buttons, the text table's for the titles.
TEST_F(ProjectFiles, FileDialogsSpeakTheInterfaceLanguage) {
    QFileDialog* open = main().files().openDialog();
    const auto cancel = [open] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        return open->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
    };
    EXPECT_EQ(cancel(), QStringLiteral("Anuluj"));
    EXPECT_EQ(open->windowTitle(), QStringLiteral("Otwórz plik projektu programu Trevalon"));
    main().setLanguage(QStringLiteral("ang"));
    EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
    EXPECT_EQ(open->windowTitle(), QStringLiteral("Open a Trevalon project file"));
    EXPECT_EQ(main().files().saveDialog()->nameFilters(),
              QStringList{QStringLiteral("Project file (*.skb)")});
}

// An edit reaches the recovery file after the settings' interval, never the pupil's own file;
// a save removes it; a recovered copy opens changed, under the file it came from.
TEST_F(ProjectFiles, AutosaveWritesARecoveryCopyThatASaveRemoves) {
    const QString path = writeProject(QStringLiteral("c.skb"));
    const QByteArray before = bytes(path);
    ASSERT_TRUE(main().files().openPath(path));
    ASSERT_NE(main().autosave(), nullptr);
    app->settings().values().autosaveSeconds = 1;
    place(KindMessage, 8, 8);
    QTRY_VERIFY_WITH_TIMEOUT(main().autosave()->file().exists(), 5000);
    EXPECT_EQ(bytes(path), before);

    RecoveryEntry entry;
    entry.projectFile = main().autosave()->file().projectFile();
    entry.originalPath = path;
    entry.projectName = QStringLiteral("c");
    newProject();
    ASSERT_TRUE(main().files().openRecovered(entry));
    EXPECT_EQ(project().kindAt(1, 8, 8), KindMessage);
    EXPECT_EQ(main().state().projectPath, path);
    EXPECT_TRUE(project().projectChanged());

    ASSERT_TRUE(main().files().save());
    EXPECT_FALSE(main().autosave()->file().exists());
    EXPECT_NE(bytes(path), before);
}

// "Nie" to saving a project being left gives its changes up: the recovery copy goes at once,
// so a crash before the program closes does not offer them back at the next start.
TEST_F(ProjectFiles, GivingChangesUpRemovesTheirRecoveryCopyAtOnce) {
    ASSERT_TRUE(main().files().openPath(writeProject(QStringLiteral("d.skb"))));
    app->settings().values().autosaveSeconds = 1;
    place(KindMessage, 8, 8);
    QTRY_VERIFY_WITH_TIMEOUT(main().autosave()->file().exists(), 5000);
    answerMessage(Qt::Key_A);  // "Anuluj" keeps the project and its copy
    main().commands().execute(Command::NewProject);
    EXPECT_TRUE(main().autosave()->file().exists());
    answerMessage(Qt::Key_N);
    main().commands().execute(Command::NewProject);
    EXPECT_FALSE(main().autosave()->file().exists());
    EXPECT_FALSE(project().isOccupied(1, 8, 8));
    EXPECT_EQ(messages,
              QStringList({text(texts::SaveChangesQuestion), text(texts::SaveChangesQuestion)}));
}

// The recovery question names the project and its boards as its description file says them:
// markup there is text, not a bold name or a picture.
TEST_F(ProjectFiles, TheRecoveryQuestionShowsItsDescriptionAsWritten) {
    const QString name = QStringLiteral("<b>Lekcja</b>");
    const QString board = QStringLiteral("<img src=\"/usr/share/pixmaps/debian-logo.png\">");
    {
        Project left;
        left.newProject();
        left.board(1).name = board;
        RecoveryFile killed(app->settings().dataFolder());
        ASSERT_TRUE(killed.write(left, QString(), name).ok());
    }
    driver.when(warning(), [this, name, board] {
        const auto* question = warning()->findChild<QLabel*>(QStringLiteral("LKomunikat"));
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(question->textFormat(), Qt::PlainText);
        EXPECT_TRUE(question->text().contains(name)) << qPrintable(question->text());
        EXPECT_TRUE(question->text().contains(board)) << qPrintable(question->text());
        QTest::keyClick(warning(), Qt::Key_A);  // "Anuluj": the copy stays for the next start
    });
    main().autosave()->offerLeftovers([](const RecoveryEntry&) { return false; });
    EXPECT_EQ(driver.pending(), 0);
}

// The File menu lists the projects opened last, numbered for the keyboard; one opens like a
// chosen file (asking first about unsaved edits), and the list can be emptied.
TEST_F(ProjectFiles, TheFileMenuReopensRecentProjects) {
    const QString first = writeProject(QStringLiteral("pierwszy.skb"));
    const QString second = writeProject(QStringLiteral("drugi & trzeci.skb"));
    ASSERT_TRUE(main().files().openPath(first));
    ASSERT_TRUE(main().files().openPath(second));
    QFile::remove(writeProject(QStringLiteral("usuniety.skb")));
    main().settings().rememberProject(folder() + QStringLiteral("/usuniety.skb"));

    main().menus().updateState();
    QMenu* recent = main().menus().recentMenu();
    auto* newest = recent->findChild<QAction*>(QStringLiteral("MOstatni1"));
    auto* older = recent->findChild<QAction*>(QStringLiteral("MOstatni2"));
    ASSERT_NE(newest, nullptr);
    ASSERT_NE(older, nullptr);
    EXPECT_EQ(recent->findChild<QAction*>(QStringLiteral("MOstatni3")), nullptr) << "file gone";
    EXPECT_TRUE(newest->text().startsWith(QStringLiteral("&1 drugi && trzeci\t")))
        << newest->text().toStdString();
    EXPECT_TRUE(older->text().startsWith(QStringLiteral("&2 pierwszy\t")));

    place(KindMessage, 8, 8);
    answerMessage(Qt::Key_N);
    older->trigger();
    EXPECT_EQ(messages, QStringList({text(texts::SaveChangesQuestion)}));
    EXPECT_EQ(main().state().projectPath, first);

    main().menus().updateState();
    recent->findChild<QAction*>(QStringLiteral("MWyczyscOstatnie"))->trigger();
    EXPECT_TRUE(main().settings().values().recentProjects.isEmpty());
    main().menus().updateState();
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_FALSE(recent->actions().front()->isEnabled());
}

// The event-log viewer opened from the main window's command: the files with the newest
// chosen, another file's text, and clearing the others after the question.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>

#include "AppFixture.h"
#include "config/EventLogFiles.h"
#include "config/SettingsStore.h"
#include "ui/dialogs/TFZdarzenia.h"
#include "ui/main/MainCommands.h"
#include "ui/widgets/TJetButton.h"

using namespace trevalon;

namespace {

class EventLogViewer : public AppFixture {
protected:
    TFZdarzenia* viewer() { return app->eventLogViewer(); }
    QString logFolder() { return app->settings().logFolder(); }
    QString currentLog() { return QFileInfo(app->settings().logFilePath()).fileName(); }

    void writeFile(const QString& name, const QByteArray& text) {
        QFile file(logFolder() + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QStringList items() {
        QStringList names;
        for (int i = 0; i < viewer()->fileList()->count(); ++i) {
            names << viewer()->fileList()->itemText(i);
        }
        return names;
    }
    void click(const char* name) {
        auto* button = viewer()->findChild<TJetButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Runs `action` from the event loop: a modal window it opens is then answered by the
    // driver, whose own steps do not run inside one another.
    static void later(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

    // Chooses a file with the list's own drop-down, opened by its arrow button.
    void chooseFile(const QString& name) {
        click("ButListaPlikow");
        QComboBox* list = viewer()->fileList();
        QTRY_VERIFY(list->view()->isVisible());
        QAbstractItemView* view = list->view();
        const QRect cell = view->visualRect(view->model()->index(list->findText(name), 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTRY_VERIFY(!view->isVisible());
    }
};

TEST_F(EventLogViewer, ShowsTheNewestAndClearsTheOthers) {
    writeFile(QStringLiteral("Dz_20200101120000.txt"), "Stary wpis - 2020/01/01 12:00:00\r\n");
    writeFile(QStringLiteral("Dz_20210101120000.txt"), "Drugi wpis\r\n");
    QStringList listed;
    QString newestText;
    QString chosenText;
    QPoint shownAt;
    driver.when(viewer(), [&] {
        shownAt = viewer()->pos();
        listed = items();
        newestText = viewer()->textView()->toPlainText();
        EXPECT_EQ(viewer()->fileList()->currentText(), currentLog());
        chooseFile(QStringLiteral("Dz_20200101120000.txt"));
        chosenText = viewer()->textView()->toPlainText();
        later([&] { click("ButClear"); });
    });
    driver.when(warning(), [&] {
        messages << warning()->messageText();
        QTest::keyClick(warning(), Qt::Key_T);
    });
    driver.when(viewer(), [&] {
        EXPECT_EQ(items(), QStringList{QStringLiteral("Dz_20200101120000.txt")});
        EXPECT_EQ(viewer()->textView()->toPlainText(), chosenText);
        click("ButClose");
    });
    main().commands().execute(Command::EventLog);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(shownAt, main().pos() + QPoint(150, 60));
    EXPECT_EQ(listed, (QStringList{QStringLiteral("Dz_20200101120000.txt"),
                                   QStringLiteral("Dz_20210101120000.txt"), currentLog()}));
    EXPECT_TRUE(newestText.contains(QStringLiteral("Uruchomiono poprawnie aplikację.")));
    EXPECT_EQ(chosenText.trimmed(), QStringLiteral("Stary wpis - 2020/01/01 12:00:00"));
    EXPECT_EQ(messages, QStringList{app->workspace().texts().text(texts::EventLogConfirmClear)});
    // The current run's file went too; the next line makes it again.
    EXPECT_FALSE(QFile::exists(app->settings().logFilePath()));
    EXPECT_EQ(EventLogFiles(logFolder()).list(),
              QStringList{QStringLiteral("Dz_20200101120000.txt")});
}

TEST_F(EventLogViewer, NoIsAnswerThatKeepsEveryFile) {
    writeFile(QStringLiteral("Dz_20200101120000.txt"), "a\r\n");
    driver.when(viewer(), [&] { later([&] { click("ButClear"); }); });
    driver.when(warning(), [&] { QTest::keyClick(warning(), Qt::Key_N); });
    driver.when(viewer(), [&] {
        EXPECT_EQ(items().size(), 2);
        QTest::keyClick(viewer(), Qt::Key_Escape);
    });
    main().commands().execute(Command::EventLog);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(EventLogFiles(logFolder()).list().size(), 2);
}

TEST_F(EventLogViewer, EmptyFolderIsReportedAndTheViewerStaysShut) {
    for (const QString& name : EventLogFiles(logFolder()).list()) {
        QFile::remove(logFolder() + QLatin1Char('/') + name);
    }
    answerMessage(Qt::Key_Z);
    bool opened = false;
    driver.when(viewer(), [&] {
        opened = true;
        viewer()->reject();
    });
    main().commands().execute(Command::EventLog);
    EXPECT_EQ(messages, QStringList{app->workspace().texts().text(texts::EventLogNoFiles)});
    EXPECT_FALSE(opened);
}

TEST_F(EventLogViewer, UnreadableChoiceKeepsTheShownFile) {
    writeFile(QStringLiteral("Dz_20200101120000.txt"), "a\r\n");
    // A folder named like a log file is not listed; a file that vanishes cannot be read.
    ASSERT_TRUE(QDir(logFolder()).mkdir(QStringLiteral("Dz_19990101120000.txt")));
    QStringList listed;
    QString shownAfter;
    driver.when(viewer(), [&] {
        listed = items();
        QFile::remove(logFolder() + QStringLiteral("/Dz_20200101120000.txt"));
        later([&] { chooseFile(QStringLiteral("Dz_20200101120000.txt")); });
    });
    answerMessage(Qt::Key_Z);
    driver.when(viewer(), [&] {
        shownAfter = viewer()->fileList()->currentText();
        click("ButClose");
    });
    main().commands().execute(Command::EventLog);
    EXPECT_EQ(listed, (QStringList{QStringLiteral("Dz_20200101120000.txt"), currentLog()}));
    EXPECT_EQ(shownAfter, currentLog());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(
        messages.first().startsWith(QStringLiteral("Problemy z wczytaniem pliku dziennika")));
}

}  // namespace

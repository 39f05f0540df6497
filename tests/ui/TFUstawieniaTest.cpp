// The settings dialog opened from the main window's command: its controls, the level arrows,
// the folder browser, applying (and the file it writes) and cancelling.
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include "AppFixture.h"
#include "Recorders.h"
#include "config/SettingsStore.h"
#include "config/Windows1250.h"
#include "ui/dialogs/TFUstawienia.h"
#include "ui/main/MainCommands.h"
#include "ui/widgets/ClickLabel.h"

using namespace trevalon;

namespace {

class SettingsDialog : public AppFixture {
protected:
    // A first start turns the hints on; these tests start from a user who turned them off, so
    // that ticking the box turns them on.
    void SetUp() override {
        AppFixture::SetUp();
        values().showHints = false;
    }

    TFUstawienia* dialog() { return app->settingsDialog(); }
    Settings& values() { return app->settings().values(); }

    // Opens the dialog with the command and lets `actions` work in it.
    void open(std::function<void()> actions) {
        driver.when(dialog(), std::move(actions));
        main().commands().execute(Command::Settings);
        EXPECT_EQ(driver.pending(), 0);
        EXPECT_FALSE(dialog()->isVisible());
    }

    template <typename T>
    T* control(const char* name) {
        T* found = dialog()->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    // The settings as a new run would read them from the file.
    Settings readBack() {
        test::RecordingLog log(0);
        SettingsStore store(log, app->workspace().texts());
        SettingsEnvironment environment;
        environment.dataFolder = app->settings().dataFolder();
        store.prepareFolders(environment, app->settings().startFolder(),
                             QDateTime::currentDateTime());
        store.readSettings();
        return store.values();
    }

    QString logText() {
        QFile file(app->settings().logFilePath());
        return file.open(QIODevice::ReadOnly) ? Windows1250::decode(file.readAll()) : QString();
    }
};

TEST_F(SettingsDialog, AppliedSettingsAreWrittenToTheFile) {
    const QPoint mainCorner = main().pos();
    QPoint shownAt;
    const QString chosen = folder() + QStringLiteral("/moje projekty");
    open([&] {
        shownAt = dialog()->pos();
        EXPECT_EQ(dialog()->levelEdit()->text(), QStringLiteral("0"));
        EXPECT_TRUE(control<QCheckBox>("ChBOstrzegaj")->isChecked());
        for (int i = 0; i < 7; ++i) {
            click(dialog()->levelUp());
        }
        EXPECT_EQ(dialog()->levelEdit()->text(), QStringLiteral("5"));
        EXPECT_FALSE(dialog()->levelUp()->isEnabled());
        click(control<QCheckBox>("ChBOstrzegaj"));
        click(control<QCheckBox>("ChBPokazujDymki"));
        click(control<QCheckBox>("ChBRysujZmienne"));
        click(control<QCheckBox>("ChBTworzPlikiZdarzen"));
        click(control<QCheckBox>("ChBKrokPoBlokach"));
        control<QSpinBox>("EAutozapis")->setValue(5);
        EXPECT_EQ(control<QSpinBox>("ESlad")->value(), 100000);
        control<QSpinBox>("ESlad")->setValue(2000);
        QLineEdit* folderEdit = dialog()->folderEdit();
        QTest::keyClick(folderEdit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(folderEdit, Qt::Key_Delete);
        QTest::keyClicks(folderEdit, chosen);
        click(control<QWidget>("ButWprowadz"));
    });
    EXPECT_EQ(shownAt, mainCorner + QPoint(150, 60));
    EXPECT_EQ(values().logLevel, 5);
    EXPECT_FALSE(values().warnBeforeDelete);
    EXPECT_TRUE(values().showHints);
    EXPECT_TRUE(values().schemaShowsVariables);
    EXPECT_TRUE(values().createLogFiles);
    EXPECT_EQ(values().projectsFolder, chosen);
    const Settings file = readBack();
    EXPECT_EQ(file.logLevel, 5);
    EXPECT_FALSE(file.warnBeforeDelete);
    EXPECT_TRUE(file.showHints);
    EXPECT_TRUE(file.schemaShowsVariables);
    EXPECT_TRUE(file.createLogFiles);
    EXPECT_TRUE(file.stepSkipsConnectors);
    EXPECT_EQ(file.autosaveSeconds, 5);
    EXPECT_EQ(file.traceRows, 2000);
    EXPECT_EQ(file.projectsFolder, chosen);
    // The status line shows the saving progress, then "Zapisano.".
    QTRY_COMPARE(main().statusText(), QStringLiteral("Zapisano."));
    EXPECT_TRUE(logText().contains(QStringLiteral("Wprowadzono zmiany ustawień.")));
    // The level is now above 4: opening the dialog is an event worth a line.
    open([&] { click(control<QWidget>("ButAnuluj")); });
    EXPECT_TRUE(logText().contains(QStringLiteral("Otwarcie okna ustawień.")));
}

TEST_F(SettingsDialog, LevelArrowsStopAtBothEnds) {
    app->settings().setLogLevel(1);
    open([&] {
        EXPECT_EQ(dialog()->levelEdit()->text(), QStringLiteral("1"));
        EXPECT_TRUE(dialog()->levelEdit()->isReadOnly());
        for (int i = 0; i < 3; ++i) {
            click(dialog()->levelDown());
        }
        EXPECT_EQ(dialog()->level(), 0);
        EXPECT_FALSE(dialog()->levelDown()->isEnabled());
        click(dialog()->levelUp());
        EXPECT_EQ(dialog()->levelEdit()->text(), QStringLiteral("1"));
        click(control<QWidget>("ButAnuluj"));
    });
    EXPECT_EQ(values().logLevel, 1);
}

TEST_F(SettingsDialog, ChosenFolderIsDroppedOnCancel) {
    const QString before = values().projectsFolder;
    QString askedCaption;
    QString askedFolder;
    dialog()->pickFolder = [&](const QString& caption, const QString& start) {
        askedCaption = caption;
        askedFolder = start;
        return QStringLiteral("/srv/inne");
    };
    open([&] {
        click(control<QWidget>("ButFolder"));
        EXPECT_EQ(dialog()->folderEdit()->text(), QStringLiteral("/srv/inne"));
        click(control<QCheckBox>("ChBOstrzegaj"));
        click(control<QWidget>("ButAnuluj"));
    });
    EXPECT_EQ(askedCaption, QStringLiteral("Wskaż folder"));
    EXPECT_EQ(askedFolder, before);
    EXPECT_EQ(values().projectsFolder, before);
    EXPECT_TRUE(values().warnBeforeDelete);
    EXPECT_EQ(readBack().projectsFolder, before);
    // The close mark drops the changes too; a cancelled browser leaves the field alone.
    dialog()->pickFolder = [](const QString&, const QString&) { return QString(); };
    open([&] {
        click(control<QWidget>("ButFolder"));
        EXPECT_EQ(dialog()->folderEdit()->text(), before);
        click(control<QCheckBox>("ChBRysujZmienne"));
        click(control<ClickLabel>("LZamknij"));
    });
    EXPECT_FALSE(values().schemaShowsVariables);
}

TEST_F(SettingsDialog, EmptyFolderMeansTheDefaultProjectsFolder) {
    open([&] {
        QTest::keyClick(dialog()->folderEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(dialog()->folderEdit(), Qt::Key_Delete);
        click(control<QWidget>("ButWprowadz"));
    });
    EXPECT_EQ(values().projectsFolder, app->settings().startFolder() + QStringLiteral("/Projekty"));
    EXPECT_EQ(readBack().projectsFolder, values().projectsFolder);
}

TEST_F(SettingsDialog, UnwritableFileKeepsTheDialogOpen) {
    // A folder where the settings file should be cannot be replaced by a file.
    const QString file = app->settings().settingsFilePath();
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkpath(file));
    bool stillOpen = false;
    open([&] {
        click(control<QCheckBox>("ChBPokazujDymki"));
        click(control<QWidget>("ButWprowadz"));
        stillOpen = dialog()->isVisible();
        click(control<QWidget>("ButAnuluj"));
    });
    EXPECT_TRUE(stillOpen);
    // What was applied stays in effect for this run.
    EXPECT_TRUE(values().showHints);
    EXPECT_NE(main().statusText(), QStringLiteral("Zapisano."));
    QDir(file).removeRecursively();
}

TEST_F(SettingsDialog, EnglishCaptions) {
    main().setLanguage(QStringLiteral("ang"));
    open([&] {
        EXPECT_EQ(control<QCheckBox>("ChBOstrzegaj")->text(),
                  QStringLiteral("Warn when removing component"));
        click(control<QWidget>("ButAnuluj"));
    });
}

}  // namespace

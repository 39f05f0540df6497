#include <QDir>
#include <QLineEdit>
#include <QPainter>

#include "AppFixture.h"
#include "Flowcharts.h"
#include "ui/dialogs/TFWinietka.h"
#include "ui/properties/PropertiesView.h"
#include "ui/run/RunController.h"
#include "ui/run/TFOpisy.h"
#include "ui/run/TFWykonanie.h"

using namespace trevalon;

// Pictures of the program at work, written into the build folder for people to look at. Each
// test also checks that what it pictured is really there.
class Screenshots : public AppFixture {
protected:
    static QString path(const QString& name) {
        QDir().mkpath(QStringLiteral(TREVALON_SCREENSHOT_DIR));
        return QStringLiteral(TREVALON_SCREENSHOT_DIR "/") + name;
    }

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
};

TEST_F(Screenshots, MainWindowWithABoard) {
    openFactorial();
    clickCell(1, 3, 5);
    QTest::keyClick(board(1), Qt::Key_F8, Qt::AltModifier);
    ASSERT_TRUE(app->report()->isVisible());
    EXPECT_EQ(app->report()->reportKind(), TFOpisy::KindBoard);
    const QImage shot = composite();
    EXPECT_TRUE(shot.save(path(QStringLiteral("main-window.png"))));
}

TEST_F(Screenshots, MessageDialog) {
    QImage polish;
    QImage english;
    driver.when(warning(), [&] {
        polish = warning()->grab().toImage();
        QTest::keyClick(warning(), Qt::Key_N);
    });
    EXPECT_EQ(
        warning()->showMessage(3, 2, app->workspace().texts().text(texts::SaveChangesQuestion)), 2);
    app->workspace().setLanguage(QStringLiteral("ang"));
    driver.when(warning(), [&] {
        english = warning()->grab().toImage();
        QTest::keyClick(warning(), Qt::Key_C);
    });
    EXPECT_EQ(
        warning()->showMessage(1, 3, app->workspace().texts().text(texts::UnsupportedFileType)), 0);
    ASSERT_FALSE(polish.isNull());
    ASSERT_FALSE(english.isNull());
    EXPECT_TRUE(polish.save(path(QStringLiteral("message-dialog.png"))));
    EXPECT_TRUE(english.save(path(QStringLiteral("message-dialog-english.png"))));
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
        EXPECT_TRUE(dialog->bodyText().endsWith(QStringLiteral("120")))
            << qUtf8Printable(dialog->bodyText());
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    QTest::keyClick(&main(), Qt::Key_F9);
    QTRY_VERIFY_WITH_TIMEOUT(!main().runner().running(), 5000);
    ASSERT_FALSE(reading.isNull());
    ASSERT_FALSE(result.isNull());
    EXPECT_TRUE(reading.save(path(QStringLiteral("execution-dialog-read.png"))));
    EXPECT_TRUE(result.save(path(QStringLiteral("execution-dialog-result.png"))));
    EXPECT_TRUE(composite().save(path(QStringLiteral("main-window-after-run.png"))));
}

TEST_F(Screenshots, AboutWindow) {
    QImage about;
    driver.when(app->about(), [&] {
        about = app->about()->grab().toImage();
        QTest::keyClick(app->about(), Qt::Key_Escape);
    });
    main().commands().execute(Command::About);
    ASSERT_FALSE(about.isNull());
    EXPECT_FALSE(app->about()->isVisible());
    EXPECT_TRUE(about.save(path(QStringLiteral("about.png"))));
}

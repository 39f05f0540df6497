#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <functional>

#include "AppFixture.h"
#include "Flowcharts.h"
#include "config/SettingsStore.h"
#include "config/Windows1250.h"
#include "ui/main/MainCommands.h"
#include "ui/main/MainMenus.h"
#include "ui/schema/TFSchemat.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"

using namespace trevalon;

namespace {

// The schema overview opened from the Show menu, as a pupil opens it.
class SchemaWindow : public AppFixture {
protected:
    TFSchemat* schema() { return app->schema(); }

    // Blocks in columns 3 to 5 and rows 2 to 4 of board 1.
    void drawSmallBoard() {
        newProject();
        flow().put(1, 4, 2, KindStart);
        flow().assign(1, 3, 3, QStringLiteral("x"), QStringLiteral("1"));
        flow().put(1, 5, 4, KindEnd);
        flow().variable(1, 8, 8, QStringLiteral("x"), TypeInteger);
    }

    QAction* showSchemaItem() {
        main().menus().updateState();
        return main().menus().action(Command::ShowSchema);
    }

    // Opens the schema with the menu item; `inside` runs while it is open, then the close
    // button closes it (unless `inside` closed it itself).
    void openSchema(const std::function<void()>& inside) {
        driver.when(schema(), [this, inside] {
            inside();
            if (schema()->isVisible()) {
                QTest::mouseClick(schema()->closeButton(), Qt::LeftButton);
            }
        });
        QAction* item = showSchemaItem();
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
        EXPECT_EQ(driver.pending(), 0);
        EXPECT_FALSE(schema()->isVisible());
    }

    void setLogLevel(int level) { app->settings().setLogLevel(level); }

    QStringList logLines() {
        QFile file(app->log().filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return Windows1250::decode(file.readAll())
            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    bool logged(const QString& start) {
        const QStringList lines = logLines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const QString& line) { return line.startsWith(start); });
    }

    // Drags the grip and lets it go where the window's bottom-right corner should be.
    void dragGripTo(const QSize& size) {
        QLabel* grip = schema()->gripLabel();
        QTest::mousePress(grip, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
        const QPoint target =
            grip->mapFromGlobal(schema()->pos() + QPoint(size.width(), size.height()));
        QTest::mouseMove(grip, target);
        QTest::mouseRelease(grip, Qt::LeftButton, Qt::NoModifier, target);
    }
};

}  // namespace

TEST_F(SchemaWindow, MenuItemNeedsABlockThatIsNotAVariable) {
    newProject();
    flow().variable(1, 1, 1, QStringLiteral("x"), TypeInteger);
    EXPECT_FALSE(showSchemaItem()->isEnabled());
    flow().put(1, 2, 1, KindStart);
    EXPECT_TRUE(showSchemaItem()->isEnabled());
}

TEST_F(SchemaWindow, OpensWithThePageAndWindowSizesOfTheActiveBoard) {
    drawSmallBoard();
    openSchema([this] {
        EXPECT_TRUE(schema()->isModal());
        EXPECT_EQ(schema()->pageLabel()->size(), QSize(540, 230));
        EXPECT_EQ(schema()->size(), QSize(640, 450));
        EXPECT_EQ(schema()->largestSize(), QSize(640, 380));
        EXPECT_EQ(schema()->pos(), main().pos() + QPoint(150, 60));
        EXPECT_EQ(schema()->box()->size(), QSize(640 - 72, 450 - 112));
        EXPECT_TRUE(schema()->maximiseLabel()->isVisible());
        EXPECT_TRUE(schema()->titleLabel()->isVisible());
        EXPECT_TRUE(schema()->gripLabel()->isVisible());
        EXPECT_FALSE(schema()->restoreLabel()->isVisible());
        EXPECT_EQ(schema()->titleLabel()->text().trimmed(), QStringLiteral("Schemat blokowy"));
        const SchemaPicture& picture = schema()->picture();
        ASSERT_EQ(picture.elements.size(), 3u);
        EXPECT_EQ(picture.elements[0].text, QStringLiteral("x:=1"));
        EXPECT_EQ(picture.elements[1].text, QStringLiteral("START"));
        EXPECT_EQ(picture.elements[2].text, QStringLiteral("STOP"));
    });
}

TEST_F(SchemaWindow, LogsTheAreaThePageAndEveryElementByLevel) {
    drawSmallBoard();
    setLogLevel(2);
    openSchema([] {});
    EXPECT_FALSE(logged(QStringLiteral("Schemat: Size:")));
    setLogLevel(3);
    openSchema([] {});
    EXPECT_TRUE(logged(QStringLiteral("Schemat: Size: [3,3] LeftTop: [3,2] If: [0] - ")));
    EXPECT_FALSE(logged(QStringLiteral("Ustaw schemat:")));
    setLogLevel(5);
    openSchema([] {});
    EXPECT_TRUE(logged(QStringLiteral("Ustaw schemat: [540,230] Max: [640,380] - ")));
    const QStringList lines = logLines();
    const auto element = std::find_if(lines.begin(), lines.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("Write element: [3,3] Text: ["));
    });
    ASSERT_NE(element, lines.end());
    EXPECT_TRUE(element->contains(QStringLiteral("] x:=1 - "))) << element->toStdString();
}

TEST_F(SchemaWindow, MaximiseAndRestoreSwapTheirMarksAndHideTheGrip) {
    drawSmallBoard();
    openSchema([this] {
        QTest::mouseClick(schema()->maximiseLabel(), Qt::LeftButton);
        EXPECT_TRUE(schema()->maximisedView());
        EXPECT_EQ(schema()->geometry(), schema()->screen()->availableGeometry());
        EXPECT_FALSE(schema()->maximiseLabel()->isVisible());
        EXPECT_FALSE(schema()->titleLabel()->isVisible());
        EXPECT_FALSE(schema()->gripLabel()->isVisible());
        EXPECT_TRUE(schema()->restoreLabel()->isVisible());
        EXPECT_EQ(schema()->box()->size(), schema()->size() - QSize(72, 112));
        QTest::mouseClick(schema()->restoreLabel(), Qt::LeftButton);
        EXPECT_FALSE(schema()->maximisedView());
        EXPECT_EQ(schema()->size(), QSize(640, 450));
        EXPECT_TRUE(schema()->gripLabel()->isVisible());
        EXPECT_FALSE(schema()->restoreLabel()->isVisible());
        // Closed while maximised, it opens in the normal state next time.
        QTest::mouseClick(schema()->maximiseLabel(), Qt::LeftButton);
        QTest::mouseClick(schema()->closeLabel(), Qt::LeftButton);
    });
    openSchema([this] {
        EXPECT_FALSE(schema()->maximisedView());
        EXPECT_TRUE(schema()->maximiseLabel()->isVisible());
        EXPECT_EQ(schema()->size(), QSize(640, 450));
    });
}

TEST_F(SchemaWindow, GripKeepsTheWindowBetweenTheMinimumAndThePage) {
    drawSmallBoard();
    openSchema([this] {
        dragGripTo(QSize(1000, 900));
        EXPECT_EQ(schema()->size(), QSize(640, 450));
        dragGripTo(QSize(200, 100));
        EXPECT_EQ(schema()->size(), QSize(400, 450));
        EXPECT_EQ(schema()->box()->size(), QSize(400 - 72, 450 - 112));
    });
    // A board wider and higher than the window allows on opening can be seen whole.
    newProject();
    flow().put(1, 1, 1, KindStart);
    flow().put(1, 8, 8, KindEnd);
    openSchema([this] {
        EXPECT_EQ(schema()->size(), QSize(700, 530 + 150));
        EXPECT_EQ(schema()->largestSize(), QSize(1440 + 100, 530 + 150));
        dragGripTo(QSize(900, 640));
        EXPECT_EQ(schema()->size(), QSize(900, 640));
        dragGripTo(QSize(2000, 2000));
        EXPECT_EQ(schema()->size(), QSize(1540, 680));
        // Maximised, the grip does nothing.
        QTest::mouseClick(schema()->maximiseLabel(), Qt::LeftButton);
        const QSize maximised = schema()->size();
        dragGripTo(QSize(500, 500));
        EXPECT_EQ(schema()->size(), maximised);
    });
}

TEST_F(SchemaWindow, CopyPutsThePageOnTheClipboard) {
    drawSmallBoard();
    setLogLevel(5);
    QGuiApplication::clipboard()->clear();
    QImage page;
    openSchema([this, &page] {
        page = schema()->picture().page;
        QTest::mouseClick(schema()->copyButton(), Qt::LeftButton);
    });
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(540, 230));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), page);
    EXPECT_TRUE(logged(QStringLiteral("Skopiowano schemat blokowy. - ")));
}

TEST_F(SchemaWindow, SavesThePageAsAPngFile) {
    drawSmallBoard();
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("schemat.png"));
    schema()->askSavePath = [path] { return path; };
    openSchema([this] { QTest::mouseClick(schema()->saveButton(), Qt::LeftButton); });
    QImage saved;
    ASSERT_TRUE(saved.load(path));
    EXPECT_EQ(saved.size(), QSize(540, 230));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), schema()->picture().page);
}

TEST_F(SchemaWindow, UnwritableFileIsReportedAndNothingIsLeftBehind) {
    drawSmallBoard();
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("missing/schemat.png"));
    schema()->askSavePath = [path] { return path; };
    // The message dialog opens from inside the schema's own modal loop.
    driver.when(schema(), [this] {
        QTimer::singleShot(0, schema(),
                           [this] { QTest::mouseClick(schema()->saveButton(), Qt::LeftButton); });
    });
    answerMessage(Qt::Key_Return);
    driver.when(schema(), [this] { QTest::mouseClick(schema()->closeButton(), Qt::LeftButton); });
    QAction* item = showSchemaItem();
    item->trigger();
    EXPECT_EQ(driver.pending(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), QStringLiteral("Nie udało się zapisać obrazu w pliku ") + path);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(SchemaWindow, VariableBlocksAreDrawnWithTheSetting) {
    drawSmallBoard();
    app->settings().values().schemaShowsVariables = true;
    openSchema([this] {
        // Columns 3 to 8 and rows 2 to 8 with the variable at (8, 8).
        EXPECT_EQ(schema()->pageLabel()->size(), QSize(6 * 180, 7 * 60 + 50));
        EXPECT_EQ(schema()->picture().elements.size(), 4u);
    });
}

TEST_F(SchemaWindow, TextsFollowTheLanguage) {
    drawSmallBoard();
    main().setLanguage(QStringLiteral("ang"));
    openSchema([this] {
        EXPECT_EQ(schema()->titleLabel()->text().trimmed(), QStringLiteral("Flowchart"));
        EXPECT_EQ(schema()->copyButton()->caption(), QStringLiteral("Copy to clipboard"));
        EXPECT_EQ(schema()->maximiseLabel()->toolTip(), QStringLiteral("Maximize"));
        EXPECT_EQ(schema()->picture().elements[1].text, QStringLiteral("BEGIN"));
    });
}

TEST_F(SchemaWindow, ShowsTheFactorialPageWhiteInsideItsBox) {
    newProject();
    flowcharts::factorial(project());
    QImage shot;
    openSchema([this, &shot] { shot = schema()->grab().toImage(); });
    // Four columns and eight rows with one condition: a page of 720 x 548.
    ASSERT_EQ(schema()->pageLabel()->size(), QSize(720, 548));
    ASSERT_EQ(shot.size(), QSize(700, 698));
    // The page's white shows inside the box, the window's own colours around it.
    const QRect box = schema()->box()->geometry();
    EXPECT_EQ(shot.pixelColor(box.left() + 2, box.top() + 2), QColor(Qt::white));
    EXPECT_NE(shot.pixelColor(10, 30), QColor(Qt::white));
}

#pragma once

#include <QDir>
#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include <gtest/gtest.h>

#include "FlowBuilder.h"
#include "ModalDriver.h"
#include "edit/Editor.h"
#include "exec/Workspace.h"
#include "model/Project.h"
#include "ui/app/TrevalonApp.h"
#include "ui/board/BoardImage.h"
#include "ui/board/TTablica.h"
#include "ui/dialogs/TFWarning.h"
#include "ui/main/MainCommands.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/ProjectCommands.h"
#include "ui/main/TFGlowny.h"
#include "ui/widgets/TJetButton.h"

// The whole desktop program, shown on the offscreen platform, with a folder of its own for
// settings, logs and project files.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_data.isValid());
        qputenv("TREVALON_DATA_DIR", m_data.filePath(QStringLiteral("data")).toLocal8Bit());
        app = std::make_unique<trevalon::TrevalonApp>();
        app->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->main()));
    }

    void TearDown() override {
        // Nothing is left to ask about when the program goes away.
        project().clearChanged();
        main().state().unsavedNew = false;
        app.reset();
    }

    trevalon::TFGlowny& main() { return app->main(); }
    trevalon::Project& project() { return app->workspace().project(); }
    // Lays blocks onto the open project through the model, as a drawing would leave them.
    trevalon::test::FlowBuilder flow() { return trevalon::test::FlowBuilder(project()); }
    trevalon::Editor& editor() { return main().editor(); }
    trevalon::TFWarning* warning() { return app->warning(); }
    trevalon::TTablica* board(int n) { return app->board(n); }
    QString folder() const { return m_data.path(); }

    // "Nowy projekt" from the File menu's command.
    void newProject() { main().files().newProject(); }

    // The centre of a cell as the mouse reaches it (40-pixel hit squares).
    static QPoint cellCentre(int column, int row) {
        return {40 * (column - 1) + 20, 40 * (row - 1) + 20};
    }

    void clickCell(int n, int column, int row, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::mouseClick(board(n)->image(), button, mods, cellCentre(column, row));
    }

    void pressButton(int tag) {
        trevalon::TJetButton* button = main().toolbar().button(tag);
        ASSERT_NE(button, nullptr) << tag;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Chooses the tab of the kind's group and the kind's button, then clicks the cell.
    void place(int kind, int column, int row, int n = 1) {
        selectTabOf(kind);
        pressButton(kind);
        clickCell(n, column, row);
    }

    void selectTabOf(int kind) {
        const int tab = kind / 10;
        if (main().toolbar().tab() != tab) {
            QLabel* tabs = main().toolbar().tabsPicture();
            QTest::mouseClick(tabs, Qt::LeftButton, Qt::KeyboardModifiers(),
                              QPoint(100 * tab - 50, 10));
        }
    }

    // Answers the next message with `key` and remembers its text.
    void answerMessage(int key) {
        driver.when(warning(), [this, key] {
            messages << warning()->messageText();
            QTest::keyClick(warning(), static_cast<Qt::Key>(key));
        });
    }

    std::unique_ptr<trevalon::TrevalonApp> app;
    ModalDriver driver;
    QStringList messages;

private:
    QTemporaryDir m_data;
};

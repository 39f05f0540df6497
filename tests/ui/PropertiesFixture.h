#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QTest>

#include "AppFixture.h"
#include "ui/properties/PropertyWidgets.h"
#include "ui/properties/TFWlasnosci.h"

// The desktop program with a project open, and the properties window driven the way a pupil
// drives it: clicks on its rows, typing into its editor, choices from its list.
class PropertiesFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        newProject();
        ASSERT_TRUE(props()->isVisible());
    }

    trevalon::TFWlasnosci* props() { return app->properties(); }

    // A press on row r of the picture, on its label.
    void clickRow(int r, int x = 40) {
        QTest::mouseClick(props()->picture(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, 23 * (r - 1) + 12));
    }

    // Ends an edit the way a click elsewhere in the window does: on the picture strip.
    void finishEdit() { clickRow(props()->properties().rowCount()); }

    // Types `text` into `widget` one key at a time; unlike QTest::keyClicks it takes letters
    // outside ASCII too, as a keyboard with Polish letters sends them.
    static void typeKeys(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            const int key =
                c.unicode() < 128 ? int(QChar(c).toUpper().unicode()) : int(Qt::Key_unknown);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &release);
        }
    }

    // Types `text` over the value of row r, then clicks away.
    void typeRow(int r, const QString& text) {
        clickRow(r);
        trevalon::PropertyEdit* edit = props()->textEditor();
        ASSERT_TRUE(edit->isVisible()) << "row " << r;
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        typeKeys(edit, text);
        finishEdit();
    }

    // Opens the list of row r and clicks `item` in its drop-down.
    void chooseRow(int r, const QString& item) {
        clickRow(r);
        QComboBox* list = props()->list();
        ASSERT_TRUE(list->isVisible()) << "row " << r;
        QTRY_VERIFY(list->view()->isVisible());
        const int index = list->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        QAbstractItemView* view = list->view();
        const QRect cell = view->visualRect(view->model()->index(index, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTRY_VERIFY(!list->isVisible());
    }

    // Selects the block of a cell on board n (which shows its properties).
    void select(int column, int row, int n = 1) { clickCell(n, column, row); }

    QString value(int r) { return props()->properties().value(r); }
    QString layout() { return props()->properties().layout(); }
};

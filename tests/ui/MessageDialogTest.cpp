#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <vector>

#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "config/TextTable.h"
#include "ui/dialogs/TFWarning.h"
#include "ui/widgets/ClickLabel.h"

using namespace trevalon;

namespace {

struct KeyCase {
    const char* language;
    int buttons;
    std::vector<int> keys;  // pressed in order while the dialog is open
    int expected;
};

class MessageDialog : public ::testing::Test {
protected:
    // Shows a message and presses `keys` one after the other; answers the dialog's result.
    int ask(int buttons, const std::vector<int>& keys, int icon = MessageSink::Information) {
        for (int key : keys) {
            driver.when(&dialog,
                        [this, key] { QTest::keyClick(&dialog, static_cast<Qt::Key>(key)); });
        }
        return dialog.showMessage(buttons, icon, QStringLiteral("Komunikat"));
    }

    TextTable texts;
    TFWarning dialog{texts};
    ModalDriver driver;
};

class MessageDialogKeys : public MessageDialog, public ::testing::WithParamInterface<KeyCase> {};

}  // namespace

TEST_P(MessageDialogKeys, AnswerTheButtonOfTheKey) {
    const KeyCase& c = GetParam();
    texts.setLanguage(QLatin1String(c.language));
    EXPECT_EQ(ask(c.buttons, c.keys), c.expected);
    EXPECT_FALSE(dialog.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Letters, MessageDialogKeys,
    ::testing::Values(
        KeyCase{"pl", 3, {Qt::Key_T}, MessageSink::ResultYes},
        KeyCase{"pl", 3, {Qt::Key_N}, MessageSink::ResultNo},
        KeyCase{"pl", 3, {Qt::Key_A}, MessageSink::ResultCancel},
        // Z means Close, which a question does not show: it is ignored.
        KeyCase{"pl", 3, {Qt::Key_Z, Qt::Key_N}, MessageSink::ResultNo},
        KeyCase{"pl", 1, {Qt::Key_Z}, MessageSink::ResultClose},
        KeyCase{"pl", 1, {Qt::Key_T, Qt::Key_N, Qt::Key_A, Qt::Key_Z}, MessageSink::ResultClose},
        KeyCase{"ang", 3, {Qt::Key_Y}, MessageSink::ResultYes},
        KeyCase{"ang", 3, {Qt::Key_N}, MessageSink::ResultNo},
        KeyCase{"ang", 3, {Qt::Key_C}, MessageSink::ResultCancel},
        KeyCase{"ang", 1, {Qt::Key_C}, MessageSink::ResultClose},
        // Polish letters mean nothing in the English interface.
        KeyCase{"ang", 3, {Qt::Key_T, Qt::Key_A, Qt::Key_C}, MessageSink::ResultCancel}));

INSTANTIATE_TEST_SUITE_P(
    FocusAndEnter, MessageDialogKeys,
    ::testing::Values(
        KeyCase{"pl", 3, {Qt::Key_Return}, MessageSink::ResultYes},
        KeyCase{"pl", 3, {Qt::Key_Left, Qt::Key_Return}, MessageSink::ResultCancel},
        KeyCase{"pl", 3, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Enter}, MessageSink::ResultNo},
        KeyCase{"pl", 3, {Qt::Key_Right, Qt::Key_Return}, MessageSink::ResultNo},
        KeyCase{"pl",
                3,
                {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return},
                MessageSink::ResultYes},
        KeyCase{"pl", 3, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}, MessageSink::ResultCancel},
        KeyCase{"pl", 1, {Qt::Key_Return}, MessageSink::ResultClose},
        KeyCase{"pl", 1, {Qt::Key_Escape}, MessageSink::ResultClose},
        // Escape closes only where Close is shown.
        KeyCase{"ang", 3, {Qt::Key_Escape, Qt::Key_Return}, MessageSink::ResultYes}));

TEST_F(MessageDialog, ShowsOneButtonSetAndFocusesItsFirstButton) {
    const auto shown = [this](const char* name) {
        return !dialog.findChild<ClickLabel*>(QLatin1String(name))->isHidden();
    };
    driver.when(&dialog, [&] {
        EXPECT_TRUE(shown("ImButTak"));
        EXPECT_TRUE(shown("ImButNie"));
        EXPECT_TRUE(shown("ImButAnuluj"));
        EXPECT_FALSE(shown("ImButZamknij"));
        EXPECT_EQ(dialog.focusedButton(), TFWarning::ButtonYes);
        QTest::keyClick(&dialog, Qt::Key_Left);
        EXPECT_EQ(dialog.focusedButton(), TFWarning::ButtonCancel);
        QTest::keyClick(&dialog, Qt::Key_A);
    });
    EXPECT_EQ(dialog.showMessage(3, MessageSink::Question, QStringLiteral("?")), 3);
    driver.when(&dialog, [&] {
        EXPECT_FALSE(shown("ImButTak"));
        EXPECT_TRUE(shown("ImButZamknij"));
        EXPECT_EQ(dialog.focusedButton(), TFWarning::ButtonClose);
        QTest::keyClick(&dialog, Qt::Key_Z);
    });
    EXPECT_EQ(dialog.showMessage(1, MessageSink::Information, QStringLiteral("!")), 0);
    EXPECT_EQ(driver.pending(), 0);
}

TEST_F(MessageDialog, ButtonsAndTheCloseMarkAnswerByClick) {
    const auto clickOn = [this](const char* name) {
        driver.when(&dialog, [this, name] {
            QTest::mouseClick(dialog.findChild<ClickLabel*>(QLatin1String(name)), Qt::LeftButton);
        });
    };
    clickOn("ImButNie");
    EXPECT_EQ(dialog.showMessage(3, 2, QStringLiteral("?")), MessageSink::ResultNo);
    clickOn("ImButAnuluj");
    EXPECT_EQ(dialog.showMessage(3, 2, QStringLiteral("?")), MessageSink::ResultCancel);
    clickOn("LClose");
    EXPECT_EQ(dialog.showMessage(3, 2, QStringLiteral("?")), MessageSink::ResultCancel);
    clickOn("LClose");
    EXPECT_EQ(dialog.showMessage(1, 1, QStringLiteral("!")), MessageSink::ResultClose);
    clickOn("ImButTak");
    EXPECT_EQ(dialog.showMessage(3, 2, QStringLiteral("?")), MessageSink::ResultYes);
}

TEST_F(MessageDialog, ClosedWithoutAButtonAnswersNo) {
    driver.when(&dialog, [this] { dialog.close(); });
    EXPECT_EQ(dialog.showMessage(3, 2, QStringLiteral("?")), MessageSink::ResultNo);
    driver.when(&dialog, [this] { dialog.close(); });
    EXPECT_EQ(dialog.showMessage(1, 1, QStringLiteral("!")), MessageSink::ResultNo);
}

TEST_F(MessageDialog, BreaksLinesAtBothKindsOfLineEnd) {
    QString shown;
    driver.when(&dialog, [&] {
        shown = dialog.messageText();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    dialog.showMessage(1, 3, texts.text(21));
    EXPECT_EQ(shown, QStringLiteral("Program Trevalon nie obsługuje plików tego typu.\nWskaż plik "
                                    "projektu."));
}

// The Tab key is taken by the message dialog for the whole program, so it moves no focus in
// any other window while the dialog exists.
TEST_F(MessageDialog, TabMovesNoFocusInOtherWindows) {
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* first = new QLineEdit(&form);
    auto* second = new QLineEdit(&form);
    layout->addWidget(first);
    layout->addWidget(second);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    first->setFocus();
    ASSERT_TRUE(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_FALSE(second->hasFocus());
    EXPECT_TRUE(first->text().isEmpty());
}

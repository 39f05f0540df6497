// The comment builder window: its lists and their enabling, inserting at the caret, the
// preview, and how it hands the text back.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "AppFixture.h"
#include "Flowcharts.h"
#include "ui/builders/TFBudujKomentarz.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/TJetButton.h"

using namespace trevalon;

namespace {

class CommentBuilderWindow : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        newProject();
        flow().variable(1, 7, 1, QStringLiteral("x"), TypeReal);
        flow().variable(1, 7, 2, QStringLiteral("s"), TypeText);
        flow().variable(1, 7, 3, QStringLiteral("d"), TypeDate);
    }
    TFBudujKomentarz* builder() { return app->commentBuilder(); }
    void click(const char* name) {
        auto* button = builder()->findChild<TJetButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    std::optional<QString> build(const QString& text, std::function<void()> actions) {
        driver.when(builder(), std::move(actions));
        const std::optional<QString> result = builder()->build(text, 1, QPoint(100, 100));
        EXPECT_EQ(driver.pending(), 0);
        return result;
    }
};

TEST_F(CommentBuilderWindow, PrecisionFollowsTheChosenVariable) {
    const auto result = build(QStringLiteral("Pole: "), [&] {
        QComboBox* variables = builder()->variableList();
        QComboBox* precision = builder()->precisionList();
        EXPECT_EQ(variables->count(), 3);
        EXPECT_EQ(variables->currentText(), QStringLiteral("x"));
        EXPECT_TRUE(precision->isEnabled());
        EXPECT_EQ(precision->currentText(), QStringLiteral("1 cyfra"));
        EXPECT_EQ(variables->toolTip(), QStringLiteral("Zmienna typu rzeczywistego"));
        EXPECT_EQ(builder()->textEdit()->cursorPosition(), 0);
        builder()->textEdit()->end(false);
        precision->setCurrentIndex(4);
        click("ButInsertVar");
        variables->setCurrentIndex(1);
        EXPECT_FALSE(precision->isEnabled());
        EXPECT_EQ(precision->currentIndex(), 7);
        EXPECT_EQ(variables->toolTip(), QStringLiteral("Zmienna typu tekstowego"));
        click("ButInsertEndWiersz");
        click("ButInsertVar");
        variables->setCurrentIndex(0);
        EXPECT_EQ(precision->currentIndex(), 1);
        click("ButWprowadz");
    });
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, QStringLiteral("Pole: $4x$&$7s$"));
}

TEST_F(CommentBuilderWindow, InsertingReplacesTheSelection) {
    const auto result = build(QStringLiteral("Wiek: ???."), [&] {
        builder()->textEdit()->setSelection(6, 3);
        builder()->variableList()->setCurrentIndex(2);
        click("ButInsertVar");
        EXPECT_EQ(builder()->textEdit()->cursorPosition(), 10);
        EXPECT_TRUE(builder()->textEdit()->hasFocus() || !builder()->isActiveWindow());
        click("ButWprowadz");
    });
    EXPECT_EQ(result.value_or(QString()), QStringLiteral("Wiek: $7d$."));
}

TEST_F(CommentBuilderWindow, PreviewUsesSampleValues) {
    QString preview;
    QString shown;
    const auto result = build(QString(), [&] {
        QTest::keyClicks(builder()->textEdit(),
                         QStringLiteral("Wynik: $2x$&$7s$, $7d$, $7nic$ $5"));
        click("ButPodglond");
        preview = builder()->previewText();
        shown = builder()->previewLabel()->text();
        // Enter does not close the builder; Escape cancels it.
        QTest::keyClick(builder()->textEdit(), Qt::Key_Return);
        EXPECT_TRUE(builder()->isVisible());
        QTest::keyClick(builder(), Qt::Key_Escape);
    });
    EXPECT_EQ(preview, QStringLiteral("Wynik: 12,39\n\rTekscik, 2013/08/18,  $5"));
    EXPECT_EQ(shown, QStringLiteral("Wynik: 12,39\nTekscik, 2013/08/18,  $5"));
    EXPECT_FALSE(result.has_value());
}

// Board 2 sees none of board 1's variables: they are local.
TEST_F(CommentBuilderWindow, WithoutVariablesTheListHoldsBrak) {
    project().addBoard();
    driver.when(builder(), [&] {
        EXPECT_EQ(builder()->variableList()->count(), 1);
        EXPECT_EQ(builder()->variableList()->currentText(), QStringLiteral("Brak"));
        EXPECT_FALSE(builder()->precisionList()->isEnabled());
        EXPECT_EQ(builder()->precisionList()->currentText(), QStringLiteral("nie dotyczy"));
        builder()->textEdit()->end(false);
        click("ButInsertVar");
        click("ButWprowadz");
    });
    const auto result = builder()->build(QStringLiteral("abc"), 2, QPoint(100, 100));
    EXPECT_EQ(result.value_or(QString()), QStringLiteral("abc"));
}

TEST_F(CommentBuilderWindow, CollapseAndLimit) {
    const QString longText(250, QLatin1Char('a'));
    const auto result = build(longText, [&] {
        EXPECT_EQ(builder()->textEdit()->text(), longText);
        QTest::mouseClick(builder()->findChild<ClickLabel*>(QStringLiteral("LZminMale")),
                          Qt::LeftButton);
        EXPECT_EQ(builder()->height(), 20);
        QTest::mouseClick(builder()->findChild<ClickLabel*>(QStringLiteral("LZminMale")),
                          Qt::LeftButton);
        EXPECT_EQ(builder()->height(), TFBudujKomentarz::Height);
        click("ButAnuluj");
    });
    EXPECT_FALSE(result.has_value());
}

}  // namespace

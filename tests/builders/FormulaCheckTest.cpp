#include "builders/FormulaCheck.h"

#include <gtest/gtest.h>

#include "FlowBuilder.h"
#include "Recorders.h"
#include "builders/ExpressionBuilder.h"
#include "calc/TCalcul.h"
#include "config/TextTable.h"

using trevalon::ExpressionBuilder;
using trevalon::FormulaCheck;
using trevalon::FormulaCheckResult;
using trevalon::MessageSink;
using trevalon::Project;
using trevalon::TCalcul;
using trevalon::TextTable;
using trevalon::test::RecordingLog;
using trevalon::test::RecordingSink;

namespace {

class FormulaCheckTest : public ::testing::Test {
protected:
    FormulaCheckResult check(const QString& variable, int type, const QString& expression) {
        return FormulaCheck(calculator, sink, log, texts).check(variable, type, expression, [this] {
            ++testValuesAsked;
            return testValues;
        });
    }

    TCalcul calculator;
    RecordingSink sink;
    RecordingLog log{0};
    TextTable texts;
    QString testValues = QStringLiteral("X=3\r\nY=1\r\nS=\"Kalosze\"");
    int testValuesAsked = 0;
};

}  // namespace

TEST_F(FormulaCheckTest, NeedsAVariableAndAnExpressionFirst) {
    const struct Row {
        const char* variable;
        const char* expression;
        FormulaCheckResult::Outcome outcome;
        int text;
    } rows[] = {
        {"Brak", "1", FormulaCheckResult::NoVariable, 163},
        {"", "1", FormulaCheckResult::NoVariable, 163},
        {"Brak", "", FormulaCheckResult::NoVariable, 163},
        {"x", "", FormulaCheckResult::NoExpression, 164},
    };
    for (const Row& row : rows) {
        sink.clear();
        const auto result =
            check(QString::fromLatin1(row.variable), 1, QString::fromLatin1(row.expression));
        EXPECT_EQ(result.outcome, row.outcome) << row.variable << '/' << row.expression;
        ASSERT_EQ(sink.shown.size(), 1);
        EXPECT_EQ(sink.shown[0].text, texts.text(row.text));
        EXPECT_EQ(sink.shown[0].buttons, MessageSink::Close);
    }
    EXPECT_EQ(testValuesAsked, 0);
    EXPECT_TRUE(log.lines.isEmpty());
}

TEST_F(FormulaCheckTest, ResultKindAgainstTheVariableType) {
    const struct Row {
        const char* variable;
        int type;
        const char* expression;
        bool fits;
    } rows[] = {
        {"x", 2, "1/3", true},    // a real takes a real
        {"x", 1, "1/3", false},   // an integer does not
        {"y", 5, "1", true},      // a logical takes 1
        {"x", 1, "y > 0", true},  // an integer takes a logical
        {"x", 2, "x + 1", true},  // a real takes an integer
        {"s", 4, "S || \"a\"", true}, {"x", 1, "S || \"a\"", false},
        {"x", -1, "1", false},  // no such variable declared
    };
    for (const Row& row : rows) {
        sink.clear();
        const QString variable = QString::fromLatin1(row.variable);
        const QString expression = QString::fromLatin1(row.expression);
        const auto result = check(variable, row.type, expression);
        ASSERT_EQ(sink.shown.size(), 1);
        if (row.fits) {
            EXPECT_EQ(result.outcome, FormulaCheckResult::Correct) << row.expression;
            EXPECT_EQ(sink.shown[0].text, texts.text(trevalon::texts::FormulaSeemsCorrect))
                << row.expression;
        } else {
            EXPECT_EQ(result.outcome, FormulaCheckResult::TypeMismatch) << row.expression;
            EXPECT_EQ(sink.shown[0].text,
                      texts.text(trevalon::texts::TestingFormula) + u'\n' +
                          texts.text(trevalon::texts::TypeMismatchOfVariable) + variable +
                          texts.text(trevalon::texts::AndTheExpression) + u' ' + expression);
        }
    }
    EXPECT_EQ(sink.shown[0].text,
              QString::fromUtf8("Badanie formuły. \nNiezgodność typów zmiennej x oraz wartości "
                                "wyrażenia 1"));
}

TEST_F(FormulaCheckTest, CalculatorErrorsAreShownAndLogged) {
    log.currentLevel = 2;
    const auto result = check(QStringLiteral("x"), 1, QStringLiteral("q + 1"));
    EXPECT_EQ(result.outcome, FormulaCheckResult::CalculatorError);
    ASSERT_EQ(sink.shown.size(), 1);
    EXPECT_EQ(sink.shown[0].text,
              texts.text(trevalon::texts::TestingFormula) + u'\n' + calculator.errorText());
    EXPECT_TRUE(calculator.errorText().startsWith(QStringLiteral("Nieznana zmienna: ")));
    EXPECT_TRUE(calculator.errorText().contains(u'q', Qt::CaseInsensitive));
    EXPECT_EQ(log.lines,
              QStringList{texts.text(trevalon::texts::TestingFormula) + calculator.errorText()});

    log.lines.clear();
    log.currentLevel = 1;
    check(QStringLiteral("x"), 1, QStringLiteral("q + 1"));
    EXPECT_TRUE(log.lines.isEmpty());
}

TEST_F(FormulaCheckTest, LogLinesFollowTheLevel) {
    for (const int level : {3, 4, 5}) {
        log.lines.clear();
        log.currentLevel = level;
        check(QStringLiteral("x"), 1, QStringLiteral("1/3"));
        QStringList expected;
        if (level > 4) {
            expected << QStringLiteral("Insert formula: x:=1/3");
        }
        if (level > 3) {
            expected << texts.text(trevalon::texts::TestingFormula) +
                            texts.text(trevalon::texts::TypeMismatchOfVariable) +
                            QStringLiteral("x") + texts.text(trevalon::texts::AndTheExpression) +
                            QStringLiteral(" 1/3");
        }
        EXPECT_EQ(log.lines, expected) << level;
    }
}

TEST_F(FormulaCheckTest, TriesTheFormulaOnTheTestValues) {
    check(QStringLiteral("x"), 1, QStringLiteral("x * 2"));
    EXPECT_EQ(testValuesAsked, 1);
    EXPECT_EQ(sink.shown.last().text, texts.text(trevalon::texts::FormulaSeemsCorrect));
    EXPECT_EQ(calculator.variables().get(QStringLiteral("x")), QStringLiteral("6"));

    // Without test values nothing of an earlier load is left to make the formula pass.
    testValues.clear();
    check(QStringLiteral("x"), 1, QStringLiteral("Y + 1"));
    EXPECT_EQ(sink.shown.last().text.section(u'\n', 1),
              calculator.ErrorMessage(6) + QStringLiteral("Y"));
}

TEST(ExpressionBuilderCheck, UsesTheDeclaredTypeOfTheAssignedVariable) {
    Project project;
    trevalon::test::FlowBuilder(project).variable(1, 1, 1, QStringLiteral("Srednia"),
                                                  trevalon::TypeReal);
    TextTable texts;
    TCalcul calculator;
    RecordingSink sink;
    RecordingLog log{0};
    ExpressionBuilder builder(texts);
    // The block may name the variable in another letter case, as the Calculator allows.
    builder.show(project, 1, QStringLiteral("SREDNIA"), QStringLiteral("7/2"));
    const auto testValues = [] { return QStringLiteral("SREDNIA=0"); };
    EXPECT_EQ(builder.check(calculator, testValues, sink, log).outcome,
              FormulaCheckResult::Correct);
    project.cell(1, 1, 1).mode = 1;
    EXPECT_EQ(builder.check(calculator, testValues, sink, log).outcome,
              FormulaCheckResult::TypeMismatch);
    EXPECT_EQ(builder.expression(), QStringLiteral("7/2"));  // the check never edits
}

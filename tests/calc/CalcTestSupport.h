#pragma once

#include <gtest/gtest.h>

#include <QDateTime>
#include <QString>

#include "calc/TCalcul.h"

namespace trevalon::test {

// What one evaluation gave back.
struct Outcome {
    bool ok = false;
    QString result;
    int type = 0;
    int kind = 0;
    QString error;
};

inline QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A Calculator with Polish messages and a clock pinned to 2024-02-29 13:05:09.007.
class CalculatorTest : public ::testing::Test {
protected:
    CalculatorTest() {
        calc.setClock([] { return QDateTime(QDate(2024, 2, 29), QTime(13, 5, 9, 7)); });
    }

    Outcome run(const QString& formula) {
        calc.setFormula(formula);
        Outcome outcome;
        outcome.result = QStringLiteral("<untouched>");
        outcome.ok = calc.Evaluate(outcome.result);
        outcome.type = calc.resultType();
        outcome.kind = calc.resultKind();
        outcome.error = calc.errorText();
        EXPECT_EQ(outcome.ok, !calc.errorFlag());
        EXPECT_EQ(outcome.ok, outcome.error.isEmpty()) << formula.toStdString();
        if (!outcome.ok) {
            EXPECT_EQ(outcome.result, QStringLiteral("<untouched>"))
                << "a failed evaluation must leave the caller's result alone";
        }
        return outcome;
    }
    Outcome run(const char* formula) { return run(q(formula)); }

    // Evaluates each {formula, expected result} row and reports the rows that differ.
    template <size_t N>
    void expectResults(const std::pair<const char*, const char*> (&rows)[N]) {
        for (const auto& [formula, expected] : rows) {
            const Outcome outcome = run(formula);
            EXPECT_TRUE(outcome.ok) << formula << " failed: " << outcome.error.toStdString();
            EXPECT_EQ(outcome.result, q(expected)) << formula;
        }
    }

    // Evaluates each {formula, expected error text} row.
    template <size_t N>
    void expectErrors(const std::pair<const char*, const char*> (&rows)[N]) {
        for (const auto& [formula, expected] : rows) {
            const Outcome outcome = run(formula);
            EXPECT_FALSE(outcome.ok) << formula << " gave " << outcome.result.toStdString();
            EXPECT_EQ(outcome.error, q(expected)) << formula;
        }
    }

    void load(const char* list) { calc.LoadVariables(q(list)); }

    TCalcul calc;
};

}  // namespace trevalon::test

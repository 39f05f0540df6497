// Formulas come from pupils: every input ends in a result or an error, never a crash or a hang.
#include "CalcTestSupport.h"

#include <atomic>
#include <random>

namespace trevalon::test {
namespace {

using Robustness = CalculatorTest;

const char* const kGeneric = "Nieprawidłowy wzór (..) ";

TEST_F(Robustness, DeepNestingIsRefusedNotOverflowed) {
    const int depth = 100000;
    EXPECT_EQ(run(QString(depth, u'(') + u'1' + QString(depth, u')')).error, q(kGeneric));
    EXPECT_EQ(run(QStringLiteral("abs(").repeated(depth) + u'1' + QString(depth, u')')).error,
              q(kGeneric));
    EXPECT_EQ(
        run(QStringLiteral("copy(").repeated(depth) + QStringLiteral("\"a\", 1, 1)").repeated(1))
            .error,
        q(kGeneric));
    EXPECT_EQ(run(QString(depth, u'(')).error, q(kGeneric));
    EXPECT_EQ(run(QString(depth, u')')).error, q("brak argumentu "));
}

TEST_F(Robustness, ModerateNestingStillWorks) {
    const int depth = 100;
    EXPECT_EQ(run(QString(depth, u'(') + u'1' + QString(depth, u')')).result, QStringLiteral("1"));
    EXPECT_EQ(
        run(QStringLiteral("abs(").repeated(50) + QStringLiteral("-1") + QString(50, u')')).result,
        QStringLiteral("1"));
    EXPECT_EQ(run(QStringLiteral("copy(").repeated(20) + QStringLiteral("\"abc\"") +
                  QStringLiteral(", 1, 2)").repeated(20))
                  .result,
              QStringLiteral("\"ab\""));
}

TEST_F(Robustness, LongOperatorChainsAreRefusedBeyondTheLimit) {
    EXPECT_EQ(run(QStringLiteral("1+").repeated(100000) + u'1').error, q(kGeneric));
    EXPECT_EQ(run(QStringLiteral("1*").repeated(100000) + u'1').error, q(kGeneric));
    EXPECT_EQ(run(QStringLiteral("2^").repeated(100000) + u'1').error, q(kGeneric));
    EXPECT_EQ(run(QStringLiteral("1+").repeated(200) + u'1').result, QStringLiteral("201"));
}

// An ordering whose sides are not both numbers is compared as texts; a chain of them once cost
// twice as much with every term (28 terms took seconds), so these would never end.
TEST_F(Robustness, OrderingChainsCostOnePassPerTerm) {
    const QString huge = QStringLiteral("1e88888");
    EXPECT_EQ(run(QStringList(100, huge).join(QStringLiteral("<="))).result, QStringLiteral("1"));
    EXPECT_EQ(run(QStringList(100, huge).join(QStringLiteral(">"))).result, QStringLiteral("0"));
    EXPECT_EQ(run(QStringList(100, QStringLiteral("\"b\"")).join(QStringLiteral(">="))).result,
              QStringLiteral("0"));
}

TEST_F(Robustness, SelfEvaluatingVariablesStop) {
    load("S=\"eval(s)\"\nT=\"t:=eval(t)\"");
    EXPECT_EQ(run("eval(s)").error, q(kGeneric));
    EXPECT_EQ(run("eval(t)").error, q(kGeneric));
    EXPECT_TRUE(run("1+1").ok);
}

TEST_F(Robustness, MegabyteFormulas) {
    const int size = 1 << 20;
    const Outcome text = run(u'"' + QString(size, u'x') + u'"');
    EXPECT_EQ(text.result.size(), size + 2);
    EXPECT_EQ(run(QString(size, u'a')).error, q("Nieznana zmienna: ") + QString(size, u'a'));
    EXPECT_EQ(run(QString(size, u'7') + QStringLiteral("+0")).error.isEmpty(), false);
    EXPECT_EQ(run(QString(size, u' ')).error, q("brak argumentu "));
    EXPECT_EQ(run(QString(size, u',')).error, q("brak argumentu "));
    EXPECT_EQ(run(QStringLiteral("copy(\"a\",").repeated(size / 10)).error, q(kGeneric));
    EXPECT_EQ(run(u'[' + QString(size, u',')).error, q("Nieprawidłowy zestaw parametrów [..] "));
    // Argument lists are chains of commas, as tall as they are long.
    EXPECT_EQ(run(QStringLiteral("sumval(") + QStringLiteral("1,").repeated(size / 2) +
                  QStringLiteral("1)"))
                  .error,
              q(kGeneric));
    EXPECT_EQ(
        run(QStringLiteral("sumval(") + QStringLiteral("1,").repeated(99) + QStringLiteral("1)"))
            .result,
        QStringLiteral("100"));
}

TEST_F(Robustness, HugeAndTinyNumbers) {
    expectErrors({
        {"trunc(1e300)", kGeneric},
        {"exp(100000)", kGeneric},
        {"1e4932 * 10", kGeneric},
        {"char(1e10)", kGeneric},
        {"numbase(1e10, 2)", kGeneric},
        {"2^(1e30)", kGeneric},
    });
    expectResults({
        {"1e-4000 * 1", "0"},
        {"0.5^(1e30)", "0"},
        {"numbase(-7, 2)", "\"-111\""},
        {"char(-1)", "\"˙\""},
        {"copy(\"abc\", -2147483648, 2)", "\"ab\""},
    });
    EXPECT_EQ(run("1e300 * 1").result.size(), 301);
}

TEST_F(Robustness, TextsCannotGrowWithoutBound) {
    load("S=\"x\"");
    for (int i = 0; i < 40 && run("s:=s||s").ok; ++i) {
    }
    EXPECT_EQ(calc.errorText(),
              q("Tekst byłby dłuższy niż 16777216 znaków, a tyle najwyżej może mieć tekst."));
    EXPECT_LE(calc.variables().get(QStringLiteral("S")).size(), (1 << 24) + 2);
}

// An operation over a long text looks at the run's budget as it goes: a stopped run (as a
// time limit or a closed window stops it) ends the formula in progress, also one whose single
// operation would take hours, while a formula with little work is not held up by a look.
TEST_F(Robustness, LongOperationsEndWhenTheRunIsStopped) {
    calc.variables().set(QStringLiteral("S"), u'"' + QString(1'000'000, u'a') + u'"');
    calc.variables().set(QStringLiteral("T"),
                         QStringLiteral("\"b") + QString(100'000, u'a') + u'"');
    const std::atomic<bool> stop{true};
    calc.budget().setStopFlag(&stop);
    for (const char* formula : {
             "replace(s, \"a\", \"b\")",
             "pos(t, s)",  // 10^11 comparisons the naive way
             "replace(s, t, \"x\")",
             "s like \"*a*a*a*a*b\"",
             "length(s || s)",
         }) {
        calc.budget().startRun();
        EXPECT_EQ(run(formula).error, q("Przebieg przerwano.")) << formula;
        calc.budget().endRun();
    }
    calc.budget().startRun();
    EXPECT_EQ(run("length(\"ab\")").result, QStringLiteral("2"));
    calc.budget().endRun();  // a run's stop flag holds no evaluation outside it
    EXPECT_EQ(run("pos(t, s || \"b\" || t)").result, QStringLiteral("1000002"));
}

TEST_F(Robustness, ControlCharactersAndNul) {
    QString formula = QStringLiteral("\"a");
    formula += QChar(0);
    formula += QStringLiteral("b\" || char(0)");
    const Outcome outcome = run(formula);
    EXPECT_EQ(outcome.result.size(), 6);
    EXPECT_EQ(outcome.result.at(2), QChar(0));
    EXPECT_EQ(run(QString(3, QChar(0))).error, q("brak argumentu "));
    EXPECT_EQ(run(QString(QChar(0x7f))).error, q("brak argumentu "));
    EXPECT_EQ(run(QString(QChar(0xd800))).error, q("brak argumentu "));
}

// Formulas stitched from the language's pieces: whatever comes out, the evaluation answers
// consistently (a result or a message) and the Calculator keeps working.
TEST_F(Robustness, RandomFormulasAlwaysAnswer) {
    const QStringList pieces = {
        QStringLiteral("("),        QStringLiteral(")"),     QStringLiteral("+"),
        QStringLiteral("-"),        QStringLiteral("*"),     QStringLiteral("/"),
        QStringLiteral("^"),        QStringLiteral(","),     QStringLiteral(";"),
        QStringLiteral("\""),       QStringLiteral("["),     QStringLiteral("]"),
        QStringLiteral("1"),        QStringLiteral("0"),     QStringLiteral("2.5"),
        QStringLiteral("-3"),       QStringLiteral("1e"),    QStringLiteral("x"),
        QStringLiteral("s"),        QStringLiteral("a:="),   QStringLiteral(" "),
        QStringLiteral(" and "),    QStringLiteral(" or "),  QStringLiteral(" div "),
        QStringLiteral(" mod "),    QStringLiteral(" in "),  QStringLiteral(" like "),
        QStringLiteral("||"),       QStringLiteral("<="),    QStringLiteral("<>"),
        QStringLiteral("="),        QStringLiteral("copy("), QStringLiteral("eval("),
        QStringLiteral("sumval("),  QStringLiteral("iff("),  QStringLiteral("prefix("),
        QStringLiteral("sqrt("),    QStringLiteral("year("), QStringLiteral("numbase("),
        QStringLiteral("freevar("), QStringLiteral("\"x\""), QStringLiteral("_NOW"),
        QStringLiteral("%"),        QStringLiteral("ą"),     QStringLiteral("lf"),
    };
    std::mt19937 random(20240229);
    std::uniform_int_distribution<int> length(0, 14);
    std::uniform_int_distribution<qsizetype> piece(0, pieces.size() - 1);
    int answered = 0;
    for (int i = 0; i < 20000; ++i) {
        load("X=2\nS=\"abc\"");
        QString formula;
        for (int n = length(random); n > 0; --n) {
            formula += pieces[piece(random)];
        }
        calc.setFormula(formula);
        QString result;
        const bool ok = calc.Evaluate(result);
        ASSERT_EQ(ok, !calc.errorFlag()) << formula.toStdString();
        ASSERT_EQ(ok, calc.errorText().isEmpty()) << formula.toStdString();
        ASSERT_GE(calc.resultKind(), 1);
        ASSERT_LE(calc.resultKind(), 7);
        ++answered;
    }
    EXPECT_EQ(answered, 20000);
    EXPECT_EQ(run("1 + 2 * 3").result, QStringLiteral("7"));
}

}  // namespace
}  // namespace trevalon::test

// Sums, differences, products, quotients and orderings of numbers and variables are computed
// on numbers, with each variable's number kept beside its text. Every result must be the one
// the text rules give: an operator writes its result as a text and the next operator reads
// that text back, so rounding to 12 decimals, -0 written "0", texts read as numbers and every
// error must come out exactly as they do when values travel as texts.
#include "CalcTestSupport.h"

namespace trevalon::test {
namespace {

struct Row {
    const char* formula;
    const char* result;  // nullptr when the formula fails
    const char* error;   // the error text when it fails
};

class NumericPath : public CalculatorTest {
protected:
    void expectRows(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            const Outcome outcome = run(row.formula);
            if (row.result) {
                EXPECT_TRUE(outcome.ok)
                    << row.formula << " failed: " << outcome.error.toStdString();
                EXPECT_EQ(outcome.result, q(row.result)) << row.formula;
            } else {
                EXPECT_FALSE(outcome.ok) << row.formula << " gave " << outcome.result.toStdString();
                EXPECT_EQ(outcome.error, q(row.error)) << row.formula;
            }
        }
    }
};

constexpr const char* kNotANumber = "Nie można przekonwertować na wartość liczbową: ";

TEST_F(NumericPath, ResultsAreThoseOfTheTextRules) {
    load(
        "I=0\nN=1000000\nS=\"abc\"\nT=\"10\"\nB= 5\nC=5 \nX=2,5\nE=1e3\nD=\"2012/07/13\"\n"
        "BIG=999999999999999999\nHUGE=9223372036854775807\nZ=-0\nNEG=-7\nR=0.1\nP=1.50\n"
        "EMPTY=\nQT=\" 4 \"\nSP=  \"8\"\n");
    const std::string notANumber = kNotANumber;
    const std::string abc = notANumber + "abc";
    const std::string date = notANumber + "2012/07/13";
    expectRows({
        // A counter and the loop's test.
        {"I:=I+1", "1", nullptr},
        {"I:=I+1", "2", nullptr},
        {"i<(1000000)", "1", nullptr},
        {"i<=n", "1", nullptr},
        {"n>=i", "1", nullptr},
        {"I:=I-3", "-1", nullptr},
        {"I", "-1", nullptr},
        // Reals: every intermediate result is rounded to 12 decimals by being written.
        {"0.1+0.2", "0.3", nullptr},
        {"R:=R+0.2", "0.3", nullptr},
        {"R*3", "0.9", nullptr},
        {"Y:=1/3", "0.333333333333", nullptr},
        {"Y*3", "0.999999999999", nullptr},
        {"1/7*7", "0.999999999999", nullptr},
        {"(0.7+0.1)*10", "8", nullptr},
        {"2.675*100", "267.5", nullptr},
        {"0.0000000000015+0", "0.000000000002", nullptr},
        {"1e-13+0", "0", nullptr},
        {"123456789.123456789*1", "123456789.123456789", nullptr},
        // Division: a divisor below 1e-8 gives 0.
        {"-7/2", "-3.5", nullptr},
        {"I/0", "0", nullptr},
        {"I/0.000000001", "0", nullptr},
        {"I/0.00000001", "-100000000", nullptr},
        {"NEG/2", "-3.5", nullptr},
        // Stored values read as numbers: blanks, a decimal comma, an exponent, quoted digits.
        {"B:=B+1", "6", nullptr},
        {"C+1", "6", nullptr},
        {"X:=X*2", "5", nullptr},
        {"E+1", "1001", nullptr},
        {"T+1", "11", nullptr},
        {"QT+1", "5", nullptr},
        {"SP:=SP+1", "9", nullptr},
        {"P+0", "1.5", nullptr},
        {"P", "1.50", nullptr},
        // Quoted digits compare as numbers; texts fall back to the collation.
        {"T<9", "0", nullptr},
        {"T>9", "1", nullptr},
        {"S>5", "1", nullptr},
        {"D<5", "1", nullptr},
        // Errors, in the order the text rules raise them.
        {"S+1", nullptr, abc.c_str()},
        {"D:=D+1", nullptr, date.c_str()},
        {"EMPTY+1", nullptr, kNotANumber},
        {"Q+1", nullptr, "Nieznana zmienna: Q"},
        {"1+Q", nullptr, "Nieznana zmienna: Q"},
        {"Q<1", nullptr, "Nieznana zmienna: Q"},
        {"V:=1e4000*1e4000", nullptr, "Nieprawidłowy wzór (..) "},
        {"V", nullptr, "Nieznana zmienna: V"},
        // Large integers: all digits up to 10^18 and beyond.
        {"BIG:=BIG+1", "1000000000000000000", nullptr},
        {"BIG:=BIG-1", "999999999999999999", nullptr},
        {"HUGE:=HUGE+1", "9223372036854775808", nullptr},
        {"HUGE", "9223372036854775808", nullptr},
        {"1e17*10+1", "1000000000000000001", nullptr},
        {"999999999999999999.5+0", "1000000000000000000", nullptr},
        // -0 is written "0", so it compares equal to "0" as a text.
        {"Z*1", "0", nullptr},
        {"W:=0*(-1)", "0", nullptr},
        {"W=0", "1", nullptr},
        {"-0*1=0", "1", nullptr},
        {"I:=-I", "1", nullptr},
        // `=` compares the written texts.
        {"i*1.0 = i", "1", nullptr},
        {"(i+1) = (1+i)", "1", nullptr},
        // Assignments in a sequence see each other's results.
        {"a:=2; b:=a*3; b+1", "7", nullptr},
        {"m:=\"7\"; m+1", "8", nullptr},
    });
    EXPECT_EQ(calc.variables().get(QStringLiteral("R")), QStringLiteral("0.3"));
    EXPECT_EQ(calc.variables().get(QStringLiteral("X")), QStringLiteral("5"));
    EXPECT_EQ(calc.variables().get(QStringLiteral("SP")), QStringLiteral("9"));
    EXPECT_EQ(calc.variables().get(QStringLiteral("D")), QStringLiteral("\"2012/07/13\""));
    EXPECT_FALSE(calc.variables().exists(QStringLiteral("V")));
}

// Orderings compare numbers as doubles, equalities compare texts as written, MaxVal and
// MinVal take doubles: so they stay when they stand inside arithmetic.
TEST_F(NumericPath, ComparisonsAndExtremesKeepTheirOwnRules) {
    load("I=3\nN=10\nS=\"abc\"\nT=\"10\"\nB= 5\nC=5 \nX=2,5\nP=1.50\nZ=-0\n");
    expectRows({
        {"I+(T=10)", "4", nullptr},
        {"I+(B=5)", "4", nullptr},
        {"I+(C=5)", "3", nullptr},
        {"I+(P=1.5)", "3", nullptr},
        {"I+(Z=0)", "3", nullptr},
        {"(1=1.0)+(2<>2)", "0", nullptr},
        {"I+(S=\"abc\")", "4", nullptr},
        {"(X<3)*2", "2", nullptr},
        {"(S<3)+1", "1", nullptr},
        {"(I<N)-(N<=I)", "1", nullptr},
        {"Q:=I<=N", "1", nullptr},
        {"I+(Y=1)", nullptr, "Nieznana zmienna: Y"},
        {"MinVal(I+1, N-20, 5)", "-10", nullptr},
        {"MaxVal(123456789012345678, 1)", "123456789012345680", nullptr},
        {"W:=MinVal((I<N), 5)", "1", nullptr},
        {"MinVal(S, 2)", nullptr, "Nie można przekonwertować na wartość liczbową: abc"},
    });
}

TEST_F(NumericPath, AResultKeptByTheCallerStaysAsItWas) {
    load("I=98\n");
    const QString first = run("I:=I+1").result;
    const QString list = calc.ListVariables();
    const QString second = run("I:=I+1").result;
    const QString third = run("I:=I+1").result;
    EXPECT_EQ(first, QStringLiteral("99"));
    EXPECT_EQ(second, QStringLiteral("100"));
    EXPECT_EQ(third, QStringLiteral("101"));
    EXPECT_EQ(list, QStringLiteral("I=99\r\n"));
    EXPECT_EQ(calc.variables().get(QStringLiteral("i")), QStringLiteral("101"));
}

TEST_F(NumericPath, ANewValueIsReadAfreshWhicheverWayItCame) {
    load("A=5\nB=1\n");
    EXPECT_EQ(run("A+1").result, QStringLiteral("6"));
    calc.variables().set(QStringLiteral("a"), QStringLiteral("40"));
    EXPECT_EQ(run("A+1").result, QStringLiteral("41"));
    EXPECT_EQ(run("A:=\"x\"").result, QStringLiteral("\"x\""));
    EXPECT_EQ(run("A+1").error, QString::fromUtf8(kNotANumber) + u'x');
    EXPECT_EQ(run("A:=3").result, QStringLiteral("3"));
    EXPECT_EQ(run("A+1").result, QStringLiteral("4"));
    EXPECT_EQ(run("eval(\"a:=2\"); a+b").result, QStringLiteral("3"));
    EXPECT_EQ(run("freevar(\"a\"); a+b").error, QStringLiteral("Nieznana zmienna: a"));
    load("A=7\nB=1\n");
    EXPECT_EQ(run("A+B").result, QStringLiteral("8"));
}

TEST_F(NumericPath, TheQuoteCharacterDecidesHowAValueReads) {
    load("A='5'\n");
    EXPECT_EQ(run("a+1").error, QString::fromUtf8(kNotANumber) + QStringLiteral("'5'"));
    calc.setQuoteChar(u'\'');
    EXPECT_EQ(run("a+1").result, QStringLiteral("6"));
    calc.setQuoteChar(u'"');
    EXPECT_FALSE(run("a+1").ok);

    // With a digit as the quote character, a number written by an assignment reads as a text
    // that lost its first digit.
    load("N=6\nM=6\n");
    calc.setQuoteChar(u'1');
    EXPECT_EQ(run("n:=n+m").result, QStringLiteral("12"));
    EXPECT_EQ(run("n+m").result, QStringLiteral("8"));
}

}  // namespace
}  // namespace trevalon::test

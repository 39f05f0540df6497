// How formulas are read: precedence, literals, argument bracketing, assignments, parse errors.
#include "CalcTestSupport.h"
#include "calc/Lexer.h"

namespace trevalon::test {
namespace {

using Precedence = CalculatorTest;

TEST_F(Precedence, OnlyPlusAndMinusBindMoreLooselyThanTheRest) {
    load("A=2\nB=2\nC=1\nX=7\nY=3");
    expectResults({
        {"1 + 2 * 3", "7"},
        {"(1 + 2) * 3", "9"},
        {"10 - 2 - 3", "5"},
        {"12 / 2 / 3", "2"},
        // (a = b) + 1: the comparison binds like *, tighter than +.
        {"a = b + 1", "2"},
        {"c = b + 1", "1"},
        // ((x > 1) and x) < 5 is 1 even for x = 7: authors must parenthesise.
        {"x > 1 and x < 5", "1"},
        {"(x > 1) and (x < 5)", "0"},
        {"7 mod 4 * 2", "6"},
        {"y * 2 = 6", "1"},
        {"y * 2 = 3", "0"},
    });
}

TEST_F(Precedence, PowerGroupsFromTheLeftAndBindsTightest) {
    load("X=2");
    expectResults({
        {"2^3^2", "64"},
        {"2 * 3 ^ 2", "18"},
        // The literal -2 is squared; a negated name is negated after squaring.
        {"-2^2", "4"},
        {"-x^2", "-4"},
        {"-x*3", "-6"},
        {"2^(3)", "8"},
    });
}

TEST_F(Precedence, SignsOnlyWhereATermBegins) {
    expectResults({
        {"2 * (-3)", "-6"},
        {"1 - -2", "3"},
        {"+5", "5"},
        {"- 5", "-5"},
        {"(-2) * 2", "-4"},
    });
    expectErrors({
        {"2 * -3", "brak argumentu "},
        {"2 * +3", "brak argumentu "},
        {"--2", "brak argumentu "},
        {"7 div -2", "brak argumentu "},
    });
}

TEST_F(Precedence, EqualityOfTextsIsNotEqualityOfNumbers) {
    expectResults({
        {"1 = 1.0", "0"},
        {"1 = (1.0 * 1)", "1"},
        {"1 = 1", "1"},
    });
}

TEST_F(Precedence, TheWordLfClosesAParenthesis) {
    expectResults({{"(1 + 2 lf * 2", "6"}});
}

using Literals = CalculatorTest;

TEST_F(Literals, NumbersComeBackAsWritten) {
    expectResults({
        {"1.50", "1.50"},
        {"1.5e-3", "1.5e-3"},
        {"1.5e-3 * 1", "0.0015"},
        {"1E2 + 0", "100"},
        {"007", "007"},
        {"007 + 0", "7"},
    });
}

TEST_F(Literals, DoubledQuotesStandForOneQuote) {
    expectResults({
        {"\"say \"\"hi\"\"\"", "\"say \"hi\"\""},
        {"\"\"\"\" || \"\"", "\"\"\""},
        {"length(\"a\"\"b\")", "3"},
    });
}

TEST_F(Literals, MalformedNumbersNameTheWholeFormula) {
    expectErrors({
        {"1.", "Błędna dana w 1."},
        {"1e", "Błędna dana w 1e"},
        {"2 + 1.e5", "Błędna dana w 2 + 1.e5"},
        {"1e+", "Błędna dana w 1e+"},
    });
}

TEST_F(Literals, UnterminatedTextsAndSetsAreErrors) {
    expectErrors({
        {"\"abc", "Oczekiwana liczba a jest wartość tekstowa"},
        {"\"", "Oczekiwana liczba a jest wartość tekstowa"},
        {"1 in [1, 2", "Nieprawidłowy zestaw parametrów [..] "},
    });
}

TEST_F(Literals, NamesHoldDotsAndDigits) {
    load("A.B=4\nX1_Y=5");
    expectResults({{"a.b", "4"}, {"x1_y + 1", "6"}});
}

TEST_F(Literals, AnyOtherCharacterEndsTheFormula) {
    load("X=1");
    expectResults({{"x # y", "1"}, {"2 + 3 ? 4", "5"}, {"1.5.3", "1.5"}});
}

TEST_F(Literals, BlanksBracesAndControlCharactersAreSkipped) {
    expectResults({
        {"{1} + {2}", "3"},
        {"1\t+\r\n2", "3"},
    });
    EXPECT_EQ(run(QString(QStringLiteral("1")) + QChar(0) + QStringLiteral("+2")).result,
              QStringLiteral("3"));
    EXPECT_EQ(run(QString(QStringLiteral("1+2")) + QChar(0x1f) + QStringLiteral("+5")).result,
              QStringLiteral("3"));
}

TEST_F(Literals, FunctionNamesAndWordOperatorsIgnoreCase) {
    expectResults({
        {"COPY(\"abc\", 1, 2)", "\"ab\""},
        {"Length(\"abc\")", "3"},
        {"7 DIV 2", "3"},
        {"7 Mod 4", "3"},
        {"1 AND 1", "1"},
    });
}

TEST_F(Literals, SetLiteralsRunToTheirOwnClosingBracket) {
    load("X=2\nY=4");
    expectResults({
        {"(x in [1, 2, 3] ) and (y in [4, 5] )", "1"},
        {"(x in [1, 2] )", "1"},
        {"x in [1,2]; 5", "5"},
    });
    expectErrors({{"(x in [1,2])", "Nieprawidłowy zestaw parametrów [..] "}});
}

using ParseErrors = CalculatorTest;

TEST_F(ParseErrors, EveryRuleHasItsMessage) {
    expectErrors({
        {"", "brak argumentu "},
        {" ; ;", "brak argumentu "},
        {"()", "brak argumentu "},
        {"1 +", "brak argumentu "},
        {"(1 + 2", "Nieprawidłowy wzór (..) "},
        {"1 + 2)", "Nieprawidłowy wzór (..) "},
        {"(1))+(2", "Nieprawidłowy wzór (..) "},
        {"2^-1", "Nieprawidłowe wartości "},
        {"2^(-x)", "Nieprawidłowe wartości "},
        {"2^(1+1)", "Nieprawidłowy wzór (..) "},
        {"2^(2", "Nieprawidłowy wzór (..) "},
        {"1 2", "Nieprawidłowe wyrażenie "},
        {"(1) \"a\"", "Nieprawidłowe wyrażenie "},
        {"foo(1)", "Nieprawidłowa funkcja foo(...)"},
        {"Foo(1)", "Nieprawidłowa funkcja foo(...)"},
        // One letter and its parenthesis make a two-character function name too.
        {"a(1)", "Nieprawidłowa funkcja a(...)"},
        // A blank between a function's name and its parenthesis leaves a plain name.
        {"copy (\"abc\")", "Nieprawidłowe wyrażenie "},
        {"maxval()", "brak argumentu "},
    });
}

// `nameday(` and `prefix(` have codes among the operators' (253, 226); after a value they were
// taken for an operator applied to it, so `2 nameday(3)` gave nameday(2).
TEST_F(ParseErrors, AFunctionAfterAValueIsNoOperatorWhateverItsCode) {
    expectErrors({
        {"2 nameday(3)", "Nieprawidłowe wyrażenie "},
        {"2 prefix(3, \"a\")", "Nieprawidłowe wyrażenie "},
        {"2 sin(3)", "Nieprawidłowe wyrażenie "},
        {"(1) string(3)", "Nieprawidłowe wyrażenie "},
    });
}

TEST_F(ParseErrors, ACommaOutsideACallUnbalancesTheFormula) {
    expectErrors({{"1, 2", "Nieprawidłowy wzór (..) "}, {"1,5 + 1", "Nieprawidłowy wzór (..) "}});
}

TEST(ArgumentBracketing, EachArgumentGetsItsOwnParentheses) {
    const std::pair<const char*, const char*> rows[] = {
        {"copy(s,2,3)", "copy((s),(2),(3))"},
        {"pos(\"a,b\",s)", "pos((\"a,b\"),(s))"},
        {"copy(copy(s,1,2),1,1)", "copy((copy((s),(1),(2))),(1),(1))"},
        {"f(a, g(b, c))", "f((a),( g((b),( c))))"},
        {"x in [1,2,3]", "x in [1,2,3]"},
        {"copy(s, \"(\", 2)", "copy((s),( \"(\"),( 2))"},
    };
    for (const auto& [formula, expected] : rows) {
        EXPECT_EQ(prepareArguments(q(formula), u'"'), q(expected)) << formula;
    }
}

using ArgumentBracketingEvaluation = CalculatorTest;

TEST_F(ArgumentBracketingEvaluation, ArgumentsStayWhole) {
    load("S=\"abcabc\"\nA=1\nB=2");
    expectResults({
        {"copy(s, a+b, 2)", "\"ca\""},
        {"copy(\"a,b\", 1, 1)", "\"a\""},
        {"pos(\",\", \"x,y\")", "2"},
        {"copy(s, pos(\"c\", s), 2)", "\"ca\""},
        {"copy(\"abcdef\", 2, length(copy(\"xyz\", 1, 2)))", "\"bc\""},
        {"copy(copy(s, 2, 4), 2, 2)", "\"ca\""},
        {"replace(\"a,b,c\", \",\", \";\")", "\"a;b;c\""},
        {"pos(\"(\", \"a(b\")", "2"},
        {"1 in [1, 2]", "1"},
    });
}

using Assignments = CalculatorTest;

TEST_F(Assignments, StoreTheResultUnderThePlainName) {
    EXPECT_EQ(run("x:=2+3").result, QStringLiteral("5"));
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("X=5\r\n"));
    const Outcome text = run("t:=\"ab\"");
    EXPECT_EQ(text.result, QStringLiteral("\"ab\""));
    EXPECT_EQ(text.type, TCalcul::TypeText);
    EXPECT_EQ(calc.variables().get(QStringLiteral("t")), QStringLiteral("\"ab\""));
    EXPECT_EQ(run("t || \"c\"").result, QStringLiteral("\"abc\""));
}

TEST_F(Assignments, SequencesRunInOrder) {
    EXPECT_EQ(run("a:=5; a*2").result, QStringLiteral("10"));
    EXPECT_EQ(calc.variables().get(QStringLiteral("A")), QStringLiteral("5"));
    EXPECT_EQ(run("a:=2; b:=a*3; b+1").result, QStringLiteral("7"));
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("A=2\r\nB=6\r\n"));
}

TEST_F(Assignments, TheCaptureStopsAtASemicolonOutsideTexts) {
    // A sequence keeps the formula's type guess: with quotes in it, a text.
    EXPECT_EQ(run("s:=\"a;b\"; length(s)").result, QStringLiteral("\"3\""));
    EXPECT_EQ(calc.variables().get(QStringLiteral("S")), QStringLiteral("\"a;b\""));
}

TEST_F(Assignments, ExistingVariablesKeepTheirPlace) {
    load("a=1\r\nb=2");
    run("a:=a+10");
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("A=11\r\nB=2\r\n"));
    EXPECT_EQ(calc.variables().index(), QStringLiteral(";A=1;B=2"));
    run("Suma:=a+b");
    EXPECT_EQ(calc.variables().index(), QStringLiteral(";A=1;B=2;SUMA=3"));
}

TEST_F(Assignments, AFailedAssignmentLeavesTheVariableAlone) {
    load("x=1");
    EXPECT_EQ(run("x:=1/\"a\"").error, q("Nie można przekonwertować na wartość liczbową: a"));
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("X=1\r\n"));
}

TEST_F(Assignments, TheRightHandSideSeesItsOwnCapturedEntry) {
    EXPECT_EQ(run("a:=existvar(\"@@a\")").result, QStringLiteral("1"));
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("A=1\r\n"));
}

TEST_F(Assignments, ASecondCaptureOfTheSameNameFindsItsEntryGone) {
    // Both captures happen while scanning; the first evaluation consumes the entry.
    EXPECT_EQ(run("a:=1; a:=2").error, QStringLiteral("Nieznana zmienna: @@a"));
    EXPECT_EQ(calc.variables().get(QStringLiteral("A")), QStringLiteral("2"));
}

TEST_F(Assignments, LoneAndCapturedAssignmentsKeepTheSameSlots) {
    // A lone assignment may skip the store's captured entry; the slots must not show it.
    const char* nine = "A=1\nB=2\nC=3\nD=4\nE=5\nF=6\nG=7\nH=8\nI=9";
    load(nine);
    run("J:=1");
    const QString loneIndex = calc.variables().index();
    const int loneCount = calc.variables().count();
    const int loneCapacity = calc.variables().capacity();
    load(nine);
    run("J:=existvar(\"Q\")");
    EXPECT_EQ(calc.variables().index(), loneIndex);
    EXPECT_EQ(calc.variables().count(), loneCount);
    EXPECT_EQ(calc.variables().capacity(), loneCapacity);
    EXPECT_EQ(loneIndex, QStringLiteral(";A=1;B=2;C=3;D=4;E=5;F=6;G=7;H=8;I=9;J=10"));
    EXPECT_EQ(loneCapacity, 20);
}

TEST_F(Assignments, RepeatedAssignmentsAreEvaluatedAfresh) {
    load("I=0");
    for (int step = 1; step <= 5; ++step) {
        EXPECT_EQ(run("I:=i+1").result, QString::number(step));
    }
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("I=5\r\n"));
}

}  // namespace
}  // namespace trevalon::test

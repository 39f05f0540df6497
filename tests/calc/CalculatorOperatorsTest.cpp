// What the operators compute, and how results are typed and classified.
#include "CalcTestSupport.h"

namespace trevalon::test {
namespace {

using Arithmetic = CalculatorTest;

TEST_F(Arithmetic, ResultsAreWrittenWithTwelveDecimalsAtMost) {
    expectResults({
        {"0.1 + 0.2", "0.3"},
        {"1/3", "0.333333333333"},
        {"2/3", "0.666666666667"},
        {"1e-13 + 0", "0"},
        {"-1e-13 + 0", "0"},
        {"3.5 * 1", "3.5"},
        {"4.0 * 1", "4"},
        {"0.0000005 * 1", "0.0000005"},
        {"2.50 - 1", "1.5"},
        {"123456789.123456789 + 0", "123456789.123456789"},
        {"99999999999999999999999 + 1", "100000000000000000000000"},
        {"10 - 12", "-2"},
    });
}

TEST_F(Arithmetic, DivisionByZeroGivesZeroWithoutLookingLeft) {
    expectResults({
        {"1/0", "0"},
        {"1/0.000000001", "0"},
        {"\"abc\"/0", "0"},
        {"5 div 0", "0"},
        {"zzz div 0", "0"},
        {"1/0.0001", "10000"},
    });
    expectErrors({{"1/\"x\"", "Nie można przekonwertować na wartość liczbową: x"}});
}

TEST_F(Arithmetic, IntegerDivisionTruncatesTowardsZero) {
    expectResults({
        {"7 div 2", "3"},
        {"-7 div 2", "-3"},
        {"7 div (-2)", "-3"},
        {"-7 mod 2", "-1"},
        {"7 mod (-2)", "1"},
        {"7.9 div 2", "3"},
        {"2.99999999 div 1", "3"},
        {"-2147483648 div (-1)", "2147483648"},
        {"-2147483648 mod (-1)", "0"},
    });
    expectErrors({
        {"5 mod 0", "Nieprawidłowy wzór (..) "},
        {"5000000000 div 2", "Nieprawidłowy wzór (..) "},
    });
}

TEST_F(Arithmetic, PowersOfEveryKindOfExponent) {
    load("X=3");
    expectResults({
        {"2^10", "1024"},
        {"2^(-1)", "0.5"},
        {"x^2", "9"},
        {"0^0", "1"},
        {"0^5", "0"},
        {"(-2)^3", "-8"},
        {"4^0.5", "2"},
        {"2^0.5", "1.414213562373"},
        {"10^(-2)", "0.01"},
        {"1.5^2", "2.25"},
        {"2^100", "1267650600228229401496703205376"},
        {"1^1000000000", "1"},
    });
    expectErrors({
        {"(-8)^0.5", "Nieprawidłowy wzór (..) "},
        {"0^(-1)", "Nieprawidłowy wzór (..) "},
        {"0^(-0.5)", "Nieprawidłowy wzór (..) "},
        {"2^100000", "Nieprawidłowy wzór (..) "},
    });
}

TEST_F(Arithmetic, TextsThatAreNumbersCount) {
    load("E=2,71828183\nV= 5 \nW=\"7\"");
    expectResults({
        {"\"5\" + 1", "6"},
        {"e * 1", "2.71828183"},
        {"v + 1", "6"},
        {"w * 2", "14"},
        {"\" 2,5 \" * 2", "5"},
    });
    expectErrors({
        {"\"abc\" + 1", "Nie można przekonwertować na wartość liczbową: abc"},
        {"1 + \"\"", "Nie można przekonwertować na wartość liczbową: "},
        {"1 - \"1e5000\"", "Nie można przekonwertować na wartość liczbową: 1e5000"},
    });
}

TEST_F(Arithmetic, OverflowIsTheGenericError) {
    expectErrors({
        {"1e4000 * 1e4000", "Nieprawidłowy wzór (..) "},
        {"-1e4000 * 1e4000", "Nieprawidłowy wzór (..) "},
    });
}

using Logic = CalculatorTest;

TEST_F(Logic, AndOrCountOneAndAboveAsTrue) {
    expectResults({
        {"1 and 0", "0"},
        {"1 and 2", "1"},
        {"0.5 and 1", "0"},
        {"0 or 1", "1"},
        {"0 or 0", "0"},
        {"0 or 0.99", "0"},
        // The right operand is not evaluated when the left one decides.
        {"0 and zzz", "0"},
        {"1 or zzz", "1"},
    });
    expectErrors({
        {"\"a\" and 1", "Nie można przekonwertować na wartość liczbową: a"},
        {"1 and zzz", "Nieznana zmienna: zzz"},
    });
}

TEST_F(Logic, EqualityComparesTextsExactly) {
    expectResults({
        {"\"Kot\" = \"kot\"", "0"},
        {"\"Kot\" = \"Kot\"", "1"},
        {"1 <> 2", "1"},
        {"\"a\" <> \"a\"", "0"},
        {"2 = 2.0", "0"},
        {"(1+1) = 2", "1"},
    });
}

TEST_F(Logic, OrderingComparesNumbersThenTexts) {
    expectResults({
        {"2 < 10", "1"},
        {"\"2\" < \"10\"", "1"},
        {"10 <= 10", "1"},
        {"3 > 2.5", "1"},
        {"3 >= 4", "0"},
        {"\"abc\" < \"abd\"", "1"},
        {"\"b\" > \"a\"", "1"},
        {"\"abc\" <= \"abc\"", "1"},
        {"\"abc\" >= \"abd\"", "0"},
        // Double precision: the difference lies beyond it.
        {"1.0000000000000000001 > 1", "0"},
    });
    const Outcome texts = run("\"abc\" < \"abd\"");
    EXPECT_FALSE(calc.errorFlag());
    EXPECT_TRUE(calc.errorText().isEmpty());
    EXPECT_EQ(texts.type, TCalcul::TypeNumber);
}

TEST_F(Logic, TextOrderIsCaseSensitive) {
    const QString lowerFirst = run("\"a\" < \"A\"").result;
    const QString upperFirst = run("\"A\" < \"a\"").result;
    EXPECT_NE(lowerFirst, upperFirst);
    EXPECT_EQ(run("\"a\" <= \"A\"").result, lowerFirst);
}

TEST_F(Logic, TextComparisonEvaluatesEachSideOnce) {
    load("N=0");
    // Each evaluation of the left side counts; a text comparison, like a numeric one and like
    // the exported programs, evaluates it once.
    EXPECT_EQ(run("eval(\"n:=n+1\") || \"x\" < \"zzz\"").result, QStringLiteral("1"));
    EXPECT_EQ(calc.variables().get(QStringLiteral("N")), QStringLiteral("1"));
}

using Texts = CalculatorTest;

TEST_F(Texts, ConcatenationJoinsLeftThenRight) {
    expectResults({
        {"\"ab\" || \"cd\"", "\"abcd\""},
        {"\"a\" | \"b\"", "\"ab\""},
        {"1 || 2", "\"12\""},
        {"\"\" || \"\"", "\"\""},
    });
}

// A doubled quote in a literal is one quote character of the text, also at its ends: the text
// """a""" is the three characters "a", whether it is a result, stored, or read back.
TEST_F(Texts, QuotesAtTheEndsOfATextAreItsOwn) {
    load("S=0\nT=\"x\"");
    expectResults({
        {R"("""a""")", R"(""a"")"},
        {R"(length("""a"""))", "3"},
        {R"("""" || "a" || """")", R"(""a"")"},
        {R"(S:="""a""")", R"(""a"")"},
        {"length(S)", "3"},
        {"S", R"(""a"")"},
        {"T:=S", R"(""a"")"},
        {R"(T:=T || """")", R"(""a""")"},
        {"length(T)", "4"},
        {R"(" ""a"" ")", R"(" "a" ")"},
    });
}

using Sets = CalculatorTest;

TEST_F(Sets, InComparesTheWrittenElements) {
    load("X=\"a\"\nS=\"[1,2]\"\nA=7");
    expectResults({
        {"3 in [1, 2, 3]", "1"},
        {"3.0 in [1,2,3]", "1"},
        {"3.00 in [1,2,3]", "1"},
        {"3 in [1,2,3.0]", "1"},
        {"\"a\" in [\"a\", \"b\"]", "1"},
        {"4 in [1, 2, 3]", "0"},
        {"1 in [11, 21]", "0"},
        // Elements are not evaluated: a names the letter, not the variable.
        {"x in [a, b]", "1"},
        {"7 in [a, b]", "0"},
        {"2 in s", "1"},
    });
    expectErrors({
        {"1 in 5", "Nieprawidłowy parametr w [..] "},
        {"1 in \"[1\"", "Nieprawidłowy parametr w [..] "},
    });
}

TEST_F(Sets, LikeAndWildcardMatchMasks) {
    expectResults({
        {"\"Kot\" like \"k%\"", "\"1\""},
        {"\"abc\" like \"a_c\"", "\"1\""},
        {"\"abc\" like \"b%\"", "\"0\""},
        {"\"abc\" wildcard \"a?c\"", "\"1\""},
        {"\"a_c\" wildcard \"a_c\"", "\"1\""},
        {"\"abc\" wildcard \"a_c\"", "\"0\""},
        {"\"b\" wildcard \"[a-c]\"", "\"1\""},
        {"\"B\" wildcard \"[a-c]\"", "\"1\""},
        {"\"d\" wildcard \"[!a-c]\"", "\"1\""},
        {"\"d\" wildcard \"[abc]\"", "\"0\""},
        {"\"\" wildcard \"*\"", "\"1\""},
        {"\"axxbyyc\" wildcard \"a*b*c\"", "\"1\""},
        {"\"axxbyy\" wildcard \"a*b*c\"", "\"0\""},
        {"\"ZAŻÓŁĆ\" like \"zażółć\"", "\"1\""},
    });
    expectErrors({{"\"abc\" wildcard \"[a\"", "Nieprawidłowy wzór (..) "}});
}

TEST_F(Sets, LongMasksDoNotStall) {
    const QString text(20000, u'a');
    const QString mask = QString(QStringLiteral("*a")).repeated(200) + u'b';
    EXPECT_EQ(run(u'"' + text + QStringLiteral("\" wildcard \"") + mask + u'"').result,
              QStringLiteral("\"0\""));
}

using Sequences = CalculatorTest;

TEST_F(Sequences, TheLastValueCounts) {
    expectResults({{"1; 2", "2"}, {"x:=1; y:=x+1; x+y", "3"}});
}

using ResultTypes = CalculatorTest;

TEST_F(ResultTypes, KindAndTypeOfEveryKindOfResult) {
    const struct {
        const char* formula;
        const char* result;
        int type;
        int kind;
    } rows[] = {
        {"\"abc\"", "\"abc\"", TCalcul::TypeText, TCalcul::KindText},
        {"\"a\"", "\"a\"", TCalcul::TypeText, TCalcul::KindCharacter},
        {"1.50", "1.50", TCalcul::TypeNumber, TCalcul::KindReal},
        {"1", "1", TCalcul::TypeNumber, TCalcul::KindLogical},
        {"12", "12", TCalcul::TypeNumber, TCalcul::KindInteger},
        {"-5", "-5", TCalcul::TypeNumber, TCalcul::KindInteger},
        {"\"2012/07/13\"", "\"2012/07/13\"", TCalcul::TypeText, TCalcul::KindDate},
        {"\"2012/02/30\"", "\"2012/02/30\"", TCalcul::TypeText, TCalcul::KindText},
        {"\"*1*5*3*\"", "\"*1*5*3*\"", TCalcul::TypeText, TCalcul::KindArray},
        {"\"*\"", "\"*\"", TCalcul::TypeText, TCalcul::KindArray},
        {"\"\"", "\"\"", TCalcul::TypeText, TCalcul::KindText},
        {"length(\"abc\")", "3", TCalcul::TypeNumber, TCalcul::KindInteger},
        // Functions without a type of their own keep the formula's guess.
        {"delete(\"abcdef\", 2, 2)", "\"adef\"", TCalcul::TypeText, TCalcul::KindText},
        {"iff(1, 2, 3)", "\"2\"", TCalcul::TypeText, TCalcul::KindInteger},
        {"string(5)", "\"5\"", TCalcul::TypeText, TCalcul::KindInteger},
        {"[1, 2]", "[1, 2]", TCalcul::TypeNumber, TCalcul::KindText},
        {"_PI", "3.14159265", TCalcul::TypeNumber, TCalcul::KindReal},
        {"_LF", "\"\r\n\"", TCalcul::TypeText, TCalcul::KindText},
    };
    for (const auto& row : rows) {
        const Outcome outcome = run(row.formula);
        EXPECT_EQ(outcome.result, q(row.result)) << row.formula;
        EXPECT_EQ(outcome.type, row.type) << row.formula;
        EXPECT_EQ(outcome.kind, row.kind) << row.formula;
    }
}

TEST_F(ResultTypes, StoredValuesAreTextsWhenQuoted) {
    load("T=\"Ala\"\nN=42\nP=  \"x\"\nQ=\"");
    const Outcome text = run("t");
    EXPECT_EQ(text.result, QStringLiteral("\"Ala\""));
    EXPECT_EQ(text.type, TCalcul::TypeText);
    const Outcome number = run("n");
    EXPECT_EQ(number.result, QStringLiteral("42"));
    EXPECT_EQ(number.type, TCalcul::TypeNumber);
    EXPECT_EQ(run("p").result, QStringLiteral("\"x\""));
    EXPECT_EQ(run("length(q)").result, QStringLiteral("0"));
}

TEST_F(ResultTypes, KindIsSetAlsoOnError) {
    run("12");
    EXPECT_EQ(calc.resultKind(), TCalcul::KindInteger);
    run("zzz");
    EXPECT_EQ(calc.resultKind(), TCalcul::KindText);
}

TEST_F(ResultTypes, ConstantsAreCaseSensitive) {
    expectResults({
        {"_TB", "\"\t\""},
        {"_DATE", "\"2024/02/29\""},
        {"_TIME", "\"13:05:09.007\""},
        {"_NOW", "\"2024/02/29 13:05:09.007\""},
    });
    expectErrors({{"_pi", "Nieznana zmienna: _pi"}, {"_X", "Nieznana zmienna: _X"}});
    load("_PI=7");
    EXPECT_EQ(run("_PI").result, QStringLiteral("3.14159265"));
}

TEST_F(ResultTypes, TheQuoteCharacterCanBeChanged) {
    calc.setQuoteChar(u'\'');
    EXPECT_EQ(run("'ab' || 'c'").result, QStringLiteral("'abc'"));
    EXPECT_EQ(run("copy('a,b', 1, 3)").result, QStringLiteral("'a,b'"));
    calc.setQuoteChar(u'"');
    EXPECT_EQ(run("\"ab\"").result, QStringLiteral("\"ab\""));
}

}  // namespace
}  // namespace trevalon::test

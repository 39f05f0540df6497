// The built-in functions, each with its edge cases.
#include "CalcTestSupport.h"

#include <random>

namespace trevalon::test {
namespace {

using MathFunctions = CalculatorTest;

TEST_F(MathFunctions, TrigonometryAndLogarithms) {
    expectResults({
        {"sin(0)", "0"},
        {"cos(0)", "1"},
        {"sin(_PI/2)", "1"},
        {"tg(0.5)", "0.546302489844"},
        {"ctg(1)", "0.642092615934"},
        {"arcsin(1)", "1.570796326795"},
        {"arccos(1)", "0"},
        {"arctg(1)", "0.785398163397"},
        {"arcctg(1)", "0.785398163397"},
        {"arcctg(0)", "1.570796326795"},
        {"sh(1)", "1.175201193644"},
        {"ch(0)", "1"},
        {"th(1)", "0.761594155956"},
        {"cth(1)", "1.313035285499"},
        {"ln(1)", "0"},
        {"exp(1)", "2.718281828459"},
        {"sqrt(16)", "4"},
        {"sqrt(2)", "1.414213562373"},
        {"abs(-2.5)", "2.5"},
    });
    expectErrors({
        {"sqrt(-1)", "Nieprawidłowy wzór (..) "},
        {"ln(0)", "Nieprawidłowy wzór (..) "},
        {"ln(-1)", "Nieprawidłowy wzór (..) "},
        {"arcsin(1.5)", "Nieprawidłowy wzór (..) "},
        {"arccos(-2)", "Nieprawidłowy wzór (..) "},
        {"cth(0)", "Nieprawidłowy wzór (..) "},
        {"ctg(0)", "Nieprawidłowy wzór (..) "},
        {"exp(100000)", "Nieprawidłowy wzór (..) "},
        {"sh(100000)", "Nieprawidłowy wzór (..) "},
        {"sin(\"x\")", "Nie można przekonwertować na wartość liczbową: x"},
    });
}

TEST_F(MathFunctions, SignHeavisideNotLogic) {
    expectResults({
        {"sign(0.00000005)", "1"},
        {"sign(-0.00000005)", "0"},
        {"sign(-0.0000002)", "-1"},
        {"sign(0)", "0"},
        {"sign(-7)", "-1"},
        {"heaviside(0)", "1"},
        {"heaviside(-0.1)", "0"},
        {"h(3)", "1"},
        {"not(1)", "0"},
        {"not(0.99)", "1"},
        {"not(5)", "0"},
        {"logic(0.5)", "0"},
        {"logic(0.99999999)", "1"},
        {"logic(7)", "1"},
        {"logic(-3)", "0"},
    });
}

TEST_F(MathFunctions, IntegerAndFractionalParts) {
    expectResults({
        {"trunc(2.7)", "2"},
        {"trunc(-2.7)", "-2"},
        {"trunc(123456789012345.9)", "123456789012345"},
        {"frac(-2.5)", "-0.5"},
        {"frac(3.25)", "0.25"},
        {"frac(1e300)", "0"},
        {"numeric(\" 1 234,5 \")", "1234.5"},
        {"numeric(\"7\")", "7"},
    });
    expectErrors({
        {"trunc(1e300)", "Nieprawidłowy wzór (..) "},
        {"numeric(\"12a\")", "Nie można przekonwertować na wartość liczbową: 12a"},
    });
}

TEST_F(MathFunctions, AggregatesTakeAnyNumberOfArguments) {
    expectResults({
        {"sumval(1, 2, 3.5)", "6.5"},
        {"avgval(1, 2)", "1.5"},
        {"maxval(4)", "4"},
        {"maxval(3, 9, -2)", "9"},
        {"minval(3, 9, -2)", "-2"},
        {"sumval(0.1, 0.2)", "0.3"},
        {"sumval(1,2,3,4,5,6,7,8,9,10)", "55"},
        {"copy(\"abcdef\", maxval(1, 2), minval(3, 4))", "\"bcd\""},
    });
    expectErrors({
        {"maxval()", "brak argumentu "},
        {"sumval(1, \"x\", 3)", "Nie można przekonwertować na wartość liczbową: x"},
    });
}

TEST_F(MathFunctions, NumberBases) {
    expectResults({
        {"numbase(255, 16)", "\"FF\""},
        {"numbase(5, 1)", "\"101\""},
        {"numbase(5, 99)", "\"5\""},
        {"numbase(0, 2)", "\"0\""},
        {"numbase(-10, 2)", "\"-1010\""},
        {"numbase(-2147483648, 2)", "\"-10000000000000000000000000000000\""},
        {"basenum(\"ff\", 16)", "255"},
        {"basenum(\"0\", 2)", "0"},
        {"basenum(\"\", 2)", "0"},
        {"basenum(\"000101\", 2)", "5"},
        {"basenum(\"G\", 16)", ""},
        {"basenum(\"7FFFFFFF\", 16)", "2147483647"},
        {"basenum(numbase(12345, 7), 7)", "12345"},
    });
    expectErrors({{"basenum(\"80000000\", 16)", "Nieprawidłowy wzór (..) "}});
}

using TextFunctions = CalculatorTest;

TEST_F(TextFunctions, CopyAndCopyTo) {
    expectResults({
        {"copy(\"abcdef\", 2, 3)", "\"bcd\""},
        {"copy(\"abcdef\", 4)", "\"def\""},
        {"copy(\"abc\", 5, 1)", "\"\""},
        {"copy(\"abc\", 0, 2)", "\"ab\""},
        {"copy(\"abc\", -5, 2)", "\"ab\""},
        {"copy(\"abc\", 2, 0)", "\"\""},
        {"copy(\"abc\", 3, 99)", "\"c\""},
        {"copy(\"abc\", 2147483647, 2147483647)", "\"\""},
        {"copy(\" ab \", 1, 2)", "\"ab\""},
        {"copyto(\"abcdef\", 2, 4)", "\"bcd\""},
        {"copyto(\"abcdef\", 4, 2)", "\"\""},
        {"copyto(\"abcdef\", 4)", "\"def\""},
        {"copyto(\"abcdef\", 0, 2)", "\"ab\""},
        {"copyto(\"abc\", 2, 99)", "\"bc\""},
    });
    expectErrors({
        {"copy(\"abc\")", "Brak wystarczającej liczby parametrów. "},
        {"copy(\"abc\", 1, 99999999999)", "Nieprawidłowy wzór (..) "},
        {"copy(\"abc\", \"x\")", "Nie można przekonwertować na wartość liczbową: x"},
    });
}

TEST_F(TextFunctions, PosDeleteInsertReplace) {
    expectResults({
        {"pos(\"c\", \"abcabc\")", "3"},
        {"pos(\"x\", \"abc\")", "0"},
        {"pos(\"\", \"abc\")", "0"},
        {"delete(\"abcdef\", 2, 2)", "\"adef\""},
        {"delete(\"abcdef\", 3)", "\"ab\""},
        {"delete(\"abc\", 0, 2)", "\"abc\""},
        {"delete(\"abc\", 2, 99)", "\"a\""},
        {"delete(\"abc\", 5, 1)", "\"abc\""},
        {"insert(\"abef\", \"cd\", 3)", "\"abcdef\""},
        {"insert(\"ab\", \"X\", 99)", "\"abX\""},
        {"insert(\"ab\", \"X\", -4)", "\"Xab\""},
        {"insert(\"\", \"X\", 5)", "\"X\""},
        {"replace(\"aAa\", \"a\", \"b\")", "\"bbb\""},
        {"replace(\"aAa\", \"a\", \"b\", 1, 0)", "\"bAb\""},
        {"replace(\"aAa\", \"a\", \"b\", 0, 0)", "\"bAa\""},
        {"replace(\"aAa\", \"A\", \"b\", 0)", "\"bAa\""},
        {"replace(\"abc\", \"\", \"x\")", "\"abc\""},
        {"replace(\"Łódź\", \"ŁÓ\", \"L\")", "\"Ldź\""},
    });
    expectErrors({{"replace(\"abc\", \"a\")", "Brak wystarczającej liczby parametrów. "}});
}

// pos and replace search in linear time whatever the texts hold; what they find is what
// QString finds, with case and without, for short texts sought and long.
TEST_F(TextFunctions, PosAndReplaceFindWhatQStringFinds) {
    const QString letters = q("aAbBąĄ");
    std::mt19937 random(31);
    const auto text = [&](int most) {
        QString made;
        for (int n = std::uniform_int_distribution<int>(0, most)(random); n > 0; --n) {
            made += letters[std::uniform_int_distribution<qsizetype>(0, 2)(random) * 2 +
                            std::uniform_int_distribution<qsizetype>(0, 1)(random)];
        }
        return made;
    };
    for (int i = 0; i < 3000; ++i) {
        const QString haystack = text(i % 2 == 0 ? 40 : 900);
        QString needle = text(12);
        if (needle.isEmpty() || i % 3 == 0) {
            // Often a piece of the haystack itself, so that there is something to find.
            const qsizetype from = haystack.isEmpty() ? 0 : random() % haystack.size();
            needle = haystack.mid(from, 1 + static_cast<qsizetype>(random() % 12));
        }
        if (needle.isEmpty()) {
            continue;
        }
        const QString pos = q("pos(\"") + needle + q("\", \"") + haystack + q("\")");
        EXPECT_EQ(run(pos).result, QString::number(haystack.indexOf(needle) + 1))
            << pos.toStdString();
        for (const int sensitive : {0, 1}) {
            const QString replace = q("replace(\"") + haystack + q("\", \"") + needle +
                                    q("\", \"-\", 1, ") + QString::number(1 - sensitive) + u')';
            const QString expected = QString(haystack).replace(
                needle, q("-"), sensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
            EXPECT_EQ(run(replace).result, u'"' + expected + u'"') << replace.toStdString();
        }
    }
}

TEST_F(TextFunctions, TrimLengthCase) {
    load("S=\"  a b \"");
    expectResults({
        {"length(s)", "6"},
        {"trimleft(s)", "\"a b \""},
        {"trimright(s)", "\"  a b\""},
        {"trim(s)", "\"a b\""},
        {"trim(_TB || \"x\" || _LF)", "\"x\""},
        {"length(\"\")", "0"},
        {"upper(\"zażółć gęślą jaźń\")", "\"ZAŻÓŁĆ GĘŚLĄ JAŹŃ\""},
        {"lower(\"ŻÓŁW\")", "\"żółw\""},
    });
}

TEST_F(TextFunctions, CharacterCodesOfTheCentralEuropeanCodePage) {
    expectResults({
        {"ascii(\"A\")", "65"},
        {"char(65)", "\"A\""},
        {"ascii(\"ą\")", "185"},
        {"char(185)", "\"ą\""},
        {"ascii(\"Ł\")", "163"},
        {"char(128)", "\"€\""},
        {"char(-1)", "\"˙\""},
        {"char(321)", "\"A\""},
        {"ascii(\"ab\")", "97"},
        {"ascii(\"中\")", "63"},
        {"ascii(\"\")", ""},
    });
    for (int code = 1; code < 256; ++code) {
        EXPECT_EQ(run(QStringLiteral("ascii(char(%1))").arg(code)).result, QString::number(code))
            << code;
    }
}

TEST_F(TextFunctions, PrefixPads) {
    expectResults({
        {"prefix(5, \"0\", \"42\")", "\"00042\""},
        {"prefix(4, \"7\")", "\"   7\""},
        {"prefix(2, \"0\", \"123\")", "\"123\""},
        {"prefix(3, \"\", \"1\")", "\"  1\""},
        {"prefix(4, \"xy\", \"1\")", "\"xxx1\""},
        {"prefix(-4, \"7\")", "\"7\""},
    });
    EXPECT_EQ(run("length(prefix(1000000, \"x\", \"y\"))").result, QStringLiteral("255"));
    EXPECT_EQ(run("length(prefix(3, \"x\", prefix(300, \"y\", \"z\")))").result,
              QStringLiteral("255"));
}

TEST_F(TextFunctions, IffEvaluatesBothBranches) {
    load("N=0");
    expectResults({
        {"iff(1, \"a\", \"b\")", "\"a\""},
        {"iff(2, \"a\", \"b\")", "\"b\""},
        {"iff(0.99999999, \"a\", \"b\")", "\"a\""},
        // Arguments are evaluated from the last to the first.
        {"iff(1, eval(\"n:=n+1\"), eval(\"n:=n+10\"))", "\"11\""},
    });
    EXPECT_EQ(calc.variables().get(QStringLiteral("N")), QStringLiteral("11"));
}

TEST_F(TextFunctions, StringKeepsTheValue) {
    expectResults({{"string(1+2)", "\"3\""}, {"string(\"x\")", "\"x\""}});
}

using DateFunctions = CalculatorTest;

TEST_F(DateFunctions, PartsOfDatesAndTimes) {
    expectResults({
        {"weekday(\"2012/07/13\")", "5"},
        {"weekday(\"1899/12/30\")", "6"},
        {"weekday(\"2024/02/26\")", "1"},
        {"year(\"2012/07/13\")", "2012"},
        {"month(\"2012/07/13\")", "7"},
        {"day(\"2012/07/13\")", "13"},
        {"day(\" \"\"2012/07/13\"\" \")", "13"},
        {"day(\"2012 / 07 / 13\")", "13"},
        {"hour(\"2012/07/13 10:20:30.400\")", "10"},
        {"minute(\"2012/07/13 10:20:30.400\")", "20"},
        {"sec(\"10:20:30\")", "30"},
        {"sec(\"10 : 20 : 31\")", "31"},
        {"year(2012)", "2012"},
        {"month(2012)", "1"},
        {"hour(_NOW)", "13"},
        {"day(_DATE)", "29"},
    });
}

TEST_F(DateFunctions, OutOfRangePartsCarryOver) {
    expectResults({
        {"day(\"2012/01/32\")", "1"},
        {"month(\"2012/01/32\")", "2"},
        {"month(\"2012/13/01\")", "1"},
        {"year(\"2012/13/01\")", "2013"},
        {"year(\"2012/00/15\")", "2011"},
        {"month(\"2012/-1/15\")", "11"},
        {"day(\"2012/03/00\")", "29"},
        {"hour(\"2012/07/13 25:00:00.000\")", "1"},
        {"day(\"2012/07/13 25:00:00.000\")", "14"},
        {"minute(\"0:0:3600\")", "0"},
        {"hour(\"0:0:3600\")", "1"},
        {"sec(\"0:0:0.2500\")", "2"},
        // One second before midnight is the end of the day before.
        {"hour(\"0:0:-1\")", "23"},
        {"stamptostr(strtostamp(\"2012/07/13 0:0:-1\"))", "\"2012/07/12 23:59:59.000\""},
        {"stamptostr(strtostamp(\"0:0:-1\"))", "\"1899/12/29 23:59:59.000\""},
        {"year(\"0/5/5\")", "1"},
        {"day(\"2012/5\")", "5"},
        {"month(\"2012/5\")", "1"},
        {"year(\"abc\")", "1899"},
    });
    expectErrors({
        {"year(\"10000/1/1\")", "Nieprawidłowy wzór (..) "},
        {"year(\"9999/12/32\")", "Nieprawidłowy wzór (..) "},
        {"weekday(41103)", "Nieprawidłowy wzór (..) "},
    });
}

TEST_F(DateFunctions, StampsCountDaysFrom1899_12_30) {
    expectResults({
        {"stamptodatestr(0)", "\"1899/12/30\""},
        {"stamptodatestr(1)", "\"1899/12/31\""},
        {"stamptodatestr(-1)", "\"1899/12/29\""},
        {"strtostamp(\"2012/07/13\")", "41103"},
        {"strtostamp(\"2012/07/13 12:00\")", "41103.5"},
        {"strtostamp(\"1899/12/29 06:00\")", "-1.25"},
        {"strtostamp(\"0001/01/01\")", "-693593"},
        {"strtostamp(\"9999/12/31\")", "2958465"},
        {"stamptodatestr(strtostamp(\"2012/07/13\"))", "\"2012/07/13\""},
        {"stamptotimestr(41103.5)", "\"12:00:00.000\""},
        {"stamptotimestr(0.25 + 0.0000000116)", "\"06:00:00.001\""},
        {"stamptostr(-1.25)", "\"1899/12/29 06:00:00.000\""},
        {"stamptostr(41103.75)", "\"2012/07/13 18:00:00.000\""},
        {"stamptotimestr(strtostamp(\"23:59:59.999\"))", "\"23:59:59.999\""},
    });
    expectErrors({
        {"stamptodatestr(1e10)", "Nieprawidłowy wzór (..) "},
        {"stamptodatestr(-700000)", "Nieprawidłowy wzór (..) "},
    });
}

TEST_F(DateFunctions, LastDayReadsStrictDates) {
    expectResults({
        {"lastday(\"2012/02/10\")", "29"},
        {"lastday(\"2011/02/10\")", "28"},
        {"lastday(\"1900/02/01\")", "28"},
        {"lastday(\"2000/02/01\")", "29"},
        {"lastday(\"2012/04/30\")", "30"},
        {"lastday(\"2012/12/01\")", "31"},
        {"lastday(\"0001/01/01\")", "0"},
    });
    expectErrors({
        {"lastday(\"2012/02/30\")", "Nieprawidłowy wzór (..) "},
        {"lastday(\"2012/13/01\")", "Nieprawidłowy wzór (..) "},
        {"lastday(\"Ala\")", "Nieprawidłowy wzór (..) "},
        {"lastday(\"2012/02/10 10:00\")", "Nieprawidłowy wzór (..) "},
    });
}

TEST_F(DateFunctions, WeekdayNamesFollowTheLanguage) {
    expectResults({{"nameday(5)", "\"piątek\""}, {"nameday(1)", "\"poniedziałek\""}});
    calc.setLanguage(QStringLiteral("ang"));
    expectResults({{"nameday(5)", "\"friday\""}, {"nameday(7)", "\"sunday\""}});
    expectErrors({{"nameday(0)", "no exists"}, {"nameday(8)", "no exists"}});
    calc.setLanguage(QStringLiteral("pl"));
    expectErrors({{"nameday(0)", "nie istnieje "}});
}

using StoreFunctions = CalculatorTest;

TEST_F(StoreFunctions, ExistVarAndFreeVar) {
    load("X=1\nY=2");
    expectResults({
        {"existvar(\"x\")", "1"},
        {"existvar(\"z\")", "0"},
        {"freevar(\"z\")", "0"},
        {"freevar(\"x\")", "1"},
        {"existvar(\"X\")", "0"},
    });
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("Y=2\r\n"));
}

TEST_F(StoreFunctions, FreeVarEvaluatesAnArgumentNamingAVariableTwice) {
    load("X=1\nN=0");
    expectResults({{"freevar(eval(\"[n:=n+1; \"\"x\"\"]\"))", "1"}, {"n", "2"}});
    expectResults({{"freevar(eval(\"[n:=n+1; \"\"x\"\"]\"))", "0"}, {"n", "3"}});
}

TEST_F(StoreFunctions, EvalUsesTheSameStore) {
    load("X=2\nF=\"x*10\"");
    const Outcome number = run("eval(f)");
    EXPECT_EQ(number.result, QStringLiteral("20"));
    EXPECT_EQ(number.type, TCalcul::TypeNumber);
    expectResults({
        {"eval(\"[2*3]\")", "6"},
        {"eval(\"  1+2  \")", "3"},
        {"eval(\"\"\"ab\"\"\")", "\"ab\""},
        {"eval(\"y:=x+1\") + y", "6"},
    });
    EXPECT_EQ(calc.variables().get(QStringLiteral("Y")), QStringLiteral("3"));
    expectErrors({
        {"eval(\"1+\")", "brak argumentu "},
        {"eval(\"q\")", "Nieznana zmienna: q"},
    });
}

TEST_F(StoreFunctions, ArgumentsOfAFunctionOutsideAnyCallFail) {
    expectErrors({
        {"sin(1, 2)", "Nieprawidłowy wzór (..) "},
        {"copy(copy(\"a\", 1, 1, 1, 1, 1, 1), 1)", "Błąd wewnętrzny, funkcja z parametrem."},
    });
}

}  // namespace
}  // namespace trevalon::test

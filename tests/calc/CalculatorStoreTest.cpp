// The variable store, the variables list, error messages in both languages, conversions.
#include "CalcTestSupport.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "calc/TText.h"
#include "calc/Values.h"

namespace trevalon::test {
namespace {

TEST(VariableStore, IndexListsSlotsInOrderOfCreation) {
    TText store;
    store.set(QStringLiteral("a"), QStringLiteral("1"));
    store.set(QStringLiteral("Beta"), QStringLiteral("2"));
    store.set(QStringLiteral("c"), QStringLiteral("3"));
    EXPECT_EQ(store.index(), QStringLiteral(";A=1;BETA=2;C=3"));
    EXPECT_EQ(store.count(), 3);
    EXPECT_EQ(store.capacity(), 10);
    EXPECT_EQ(store.get(QStringLiteral("BETA")), QStringLiteral("2"));
    EXPECT_EQ(store.get(QStringLiteral("beta")), QStringLiteral("2"));
    EXPECT_EQ(store.slotValue(2), QStringLiteral("2"));
    store.set(QStringLiteral("BETA"), QStringLiteral("20"));
    EXPECT_EQ(store.index(), QStringLiteral(";A=1;BETA=2;C=3"));
    EXPECT_EQ(store.get(QStringLiteral("beta")), QStringLiteral("20"));
}

// What the store keeps counts towards a run's memory: every text, array element and variable,
// from the first write to the last, whatever way it was written.
TEST(VariableStore, CountsTheBytesItsValuesKeep) {
    TText store;
    const qint64& kept = store.keptBytes();
    store.set(QStringLiteral("s"), QString(1000, u'x'));
    const qint64 oneText = kept;
    EXPECT_GE(oneText, 2000);
    store.set(QStringLiteral("s"), QStringLiteral("1"));
    EXPECT_LT(kept, 200);
    store.editValueAt(store.slotOf(QStringLiteral("S")),
                      [](QString& text) { text += QString(1000, u'y'); });
    EXPECT_EQ(kept, oneText + 2);
    const int array = (store.set(QStringLiteral("t"), QStringLiteral("\"*\"")),
                       store.slotOf(QStringLiteral("T")));
    const qint64 before = kept;
    for (int i = 1; i <= 100; ++i) {
        EXPECT_EQ(store.setArrayElementAt(array, i, QStringLiteral("abc")),
                  TText::ArrayWrite::Appended);
    }
    EXPECT_GE(kept - before, 100 * (TText::ElementBytes + 6));
    store.valueAt(array);  // the text made from the elements counts too
    EXPECT_GE(kept - before, 100 * (TText::ElementBytes + 6) + 2 * 400);
    store.remove(QStringLiteral("t"));
    store.remove(QStringLiteral("s"));
    EXPECT_EQ(kept, 0);
}

// An array's text is a text: it never grows past the longest, and its elements are not made
// when they would not fit the run's memory.
TEST(VariableStore, ArraysKeepToTheTextAndMemoryLimits) {
    TCalcul calc;
    TText& store = calc.variables();
    store.set(QStringLiteral("t"), QStringLiteral("\"*") +
                                       QString(RunBudget::MaxTextLength - 4, u'a') +
                                       QStringLiteral("*\""));
    const int array = store.slotOf(QStringLiteral("T"));
    EXPECT_EQ(store.setArrayElementAt(array, 1, QStringLiteral("b")), TText::ArrayWrite::Replaced);
    EXPECT_EQ(store.setArrayElementAt(array, 2, QStringLiteral("c")), TText::ArrayWrite::Appended);
    EXPECT_EQ(store.setArrayElementAt(array, 2, QString(RunBudget::MaxTextLength, u'x')),
              TText::ArrayWrite::TooLong);
    EXPECT_EQ(store.valueAt(array), QStringLiteral("\"*b*c*\""));

    calc.budget().setMemoryLimit(1 << 20);
    store.set(QStringLiteral("t"),
              u'"' + QStringLiteral("*1").repeated(100'000) + QStringLiteral("*\""));
    EXPECT_EQ(store.setArrayElementAt(array, 1, QStringLiteral("2")), TText::ArrayWrite::NoMemory);
    EXPECT_EQ(calc.budget().over(), RunBudget::Over::Memory);
    EXPECT_EQ(calc.budgetError(),
              q("Przebieg przekroczył limit pamięci (1 MB): wartości zmiennych i tablic zajęłyby "
                "więcej."));
    EXPECT_EQ(store.valueAt(array).size(), 200'003);
}

TEST(VariableStore, RemovingTheMiddleKeepsTheHighestSlot) {
    TText store;
    for (const char* name : {"a", "b", "c"}) {
        store.set(QString::fromLatin1(name), QStringLiteral("x"));
    }
    store.remove(QStringLiteral("B"));
    EXPECT_EQ(store.index(), QStringLiteral(";A=1;C=3"));
    EXPECT_EQ(store.count(), 3);
    EXPECT_TRUE(store.slotValue(2).isEmpty());
    EXPECT_FALSE(store.exists(QStringLiteral("b")));
    store.set(QStringLiteral("d"), QStringLiteral("y"));
    EXPECT_EQ(store.index(), QStringLiteral(";A=1;C=3;D=4"));
}

TEST(VariableStore, RemovingTheLastFreesItsSlotOnly) {
    TText store;
    for (const char* name : {"a", "b", "c"}) {
        store.set(QString::fromLatin1(name), QStringLiteral("x"));
    }
    store.remove(QStringLiteral("c"));
    EXPECT_EQ(store.count(), 2);
    store.set(QStringLiteral("d"), QStringLiteral("y"));
    EXPECT_EQ(store.index(), QStringLiteral(";A=1;B=2;D=3"));
    EXPECT_EQ(store.get(QStringLiteral("a")), QStringLiteral("x"));
    EXPECT_EQ(store.get(QStringLiteral("d")), QStringLiteral("y"));
}

TEST(VariableStore, RemovingTheOnlyVariableReusesNoListedSlot) {
    TText store;
    store.set(QStringLiteral("a"), QStringLiteral("1"));
    store.remove(QStringLiteral("a"));
    EXPECT_EQ(store.index(), QString());
    EXPECT_EQ(store.count(), 1);
    store.set(QStringLiteral("b"), QStringLiteral("2"));
    EXPECT_EQ(store.index(), QStringLiteral(";B=2"));
    EXPECT_EQ(store.get(QStringLiteral("b")), QStringLiteral("2"));
    EXPECT_TRUE(store.get(QStringLiteral("a")).isEmpty());
}

TEST(VariableStore, GrowsByTenSlots) {
    TText store;
    for (int i = 1; i <= 9; ++i) {
        store.set(QStringLiteral("v%1").arg(i), QString::number(i));
    }
    EXPECT_EQ(store.capacity(), 10);
    store.set(QStringLiteral("v10"), QStringLiteral("10"));
    EXPECT_EQ(store.capacity(), 20);
    for (int i = 11; i <= 25; ++i) {
        store.set(QStringLiteral("v%1").arg(i), QString::number(i));
    }
    EXPECT_EQ(store.capacity(), 30);
    EXPECT_EQ(store.get(QStringLiteral("V25")), QStringLiteral("25"));
    store.clear();
    EXPECT_EQ(store.index(), QString());
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(store.capacity(), 0);
    EXPECT_FALSE(store.exists(QStringLiteral("v1")));
}

TEST(VariableStore, RemovingAnAbsentNameChangesNothing) {
    TText store;
    store.set(QStringLiteral("a"), QStringLiteral("1"));
    store.remove(QStringLiteral("zz"));
    EXPECT_EQ(store.index(), QStringLiteral(";A=1"));
    EXPECT_EQ(store.count(), 1);
}

TEST(VariableStore, ManyComingsAndGoingsStayConsistent) {
    TText store;
    // A variable is kept in the store exactly when its number is in `alive`.
    std::vector<bool> alive(40, false);
    for (int round = 0; round < 2000; ++round) {
        const int n = (round * 7919) % 40;
        const QString name = QStringLiteral("n%1").arg(n);
        if (alive[static_cast<size_t>(n)] && round % 3 == 0) {
            store.remove(name);
            alive[static_cast<size_t>(n)] = false;
        } else {
            store.set(name, QString::number(round));
            alive[static_cast<size_t>(n)] = true;
        }
        // Slots listed in the index are distinct and increasing.
        int previous = 0;
        for (const QString& entry : store.index().split(u';', Qt::SkipEmptyParts)) {
            const int slot = entry.section(u'=', 1).toInt();
            ASSERT_GT(slot, previous) << store.index().toStdString();
            previous = slot;
        }
        ASSERT_LE(previous, store.count());
    }
    for (int n = 0; n < 40; ++n) {
        EXPECT_EQ(store.exists(QStringLiteral("N%1").arg(n)), alive[static_cast<size_t>(n)]) << n;
    }
}

using VariablesList = CalculatorTest;

TEST_F(VariablesList, LoadsNameValueLinesAndSkipsTheRest) {
    load("a=1\r\nb=\"x\"\r\nnoise");
    EXPECT_EQ(calc.variables().size(), 2);
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("A=1\r\nB=\"x\"\r\n"));
    EXPECT_EQ(run("A").result, QStringLiteral("1"));
    EXPECT_EQ(run("a").result, QStringLiteral("1"));
    const Outcome text = run("b");
    EXPECT_EQ(text.result, QStringLiteral("\"x\""));
    EXPECT_EQ(text.type, TCalcul::TypeText);
}

TEST_F(VariablesList, SplitsAtTheFirstEqualsSignWithoutTrimming) {
    load("a=b=c\n x=1\ny=\n=5");
    EXPECT_EQ(calc.variables().get(QStringLiteral("a")), QStringLiteral("b=c"));
    EXPECT_TRUE(calc.variables().exists(QStringLiteral(" x")));
    EXPECT_FALSE(calc.variables().exists(QStringLiteral("x")));
    EXPECT_TRUE(calc.variables().exists(QStringLiteral("y")));
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("A=b=c\r\n X=1\r\nY=\r\n=5\r\n"));
}

TEST_F(VariablesList, LoadingReplacesTheWholeStore) {
    load("a=1\nb=2");
    load("c=3");
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("C=3\r\n"));
    load("");
    EXPECT_EQ(calc.ListVariables(), QString());
    EXPECT_EQ(run("c").error, QStringLiteral("Nieznana zmienna: c"));
}

TEST_F(VariablesList, TheRunsConstantsReadWithCommas) {
    load("Pi=3.14159265358979\r\ne=2,71828183\r\nDegToRad=0,017453\r\nRadToDeg=57,29578");
    expectResults({
        {"e * 1", "2.71828183"},
        {"Pi * 1", "3.14159265359"},
        {"180 * degtorad", "3.14154"},
        {"radtodeg * 1", "57.29578"},
    });
}

TEST_F(VariablesList, ListingAfterAssignmentsIsUpperCase) {
    load("licznik=0");
    run("Licznik:=licznik+1; nowa:=\"x\"");
    EXPECT_EQ(calc.ListVariables(), QStringLiteral("LICZNIK=1\r\nNOWA=\"x\"\r\n"));
}

TEST(TypeCompatibility, KindsAcceptedByEachVariableType) {
    for (int type = 1; type <= 7; ++type) {
        for (int kind = 1; kind <= 7; ++kind) {
            const bool widening = (type == TCalcul::KindReal && kind == TCalcul::KindInteger) ||
                                  (type == TCalcul::KindText && kind == TCalcul::KindCharacter) ||
                                  (type == TCalcul::KindInteger && kind == TCalcul::KindLogical) ||
                                  (type == TCalcul::KindReal && kind == TCalcul::KindLogical);
            EXPECT_EQ(TCalcul::kindFitsType(type, kind), type == kind || widening)
                << type << "/" << kind;
        }
    }
}

using ErrorMessages = CalculatorTest;

TEST_F(ErrorMessages, EveryRaisedErrorInBothLanguages) {
    const struct {
        const char* formula;
        const char* polish;
        const char* english;
    } rows[] = {
        {"nameday(9)", "nie istnieje ", "no exists"},
        {"\"x\" + 1", "Nie można przekonwertować na wartość liczbową: x",
         "Error, convert to numeric value: x"},
        {"5 mod 0", "Nieprawidłowy wzór (..) ", "Invalid formula (..)"},
        {"qq", "Nieznana zmienna: qq", "Unknown variable: qq"},
        {"copy(copy(\"a\", 1, 1, 1, 1, 1, 1), 1)", "Błąd wewnętrzny, funkcja z parametrem.",
         "Internal error, function with params."},
        {"copy(\"abc\")", "Brak wystarczającej liczby parametrów. ", "Not enough params."},
        {"1 in 5", "Nieprawidłowy parametr w [..] ", "Invalid parameter for operation in [..]"},
        {"1.", "Błędna dana w 1.", "Wrong number in 1."},
        {"\"abc", "Oczekiwana liczba a jest wartość tekstowa", "String value end error"},
        {"(1 in [1])", "Nieprawidłowy zestaw parametrów [..] ", "Invalid set parameter [..]"},
        {"foo(1)", "Nieprawidłowa funkcja foo(...)", "Invalid function foo(...)"},
        {"", "brak argumentu ", "? operand "},
        {"2^-1", "Nieprawidłowe wartości ", "Invalid values"},
        {"1 2", "Nieprawidłowe wyrażenie ", "Invalid expression"},
    };
    for (const char* language : {"pl", "ang"}) {
        calc.setLanguage(QString::fromLatin1(language));
        for (const auto& row : rows) {
            const Outcome outcome = run(row.formula);
            EXPECT_FALSE(outcome.ok) << row.formula;
            EXPECT_EQ(outcome.error, q(language == std::string("pl") ? row.polish : row.english))
                << row.formula;
        }
    }
}

TEST_F(ErrorMessages, TheTableByNumber) {
    EXPECT_EQ(TCalcul::ErrorMessage(11, QStringLiteral("pl")), q("Błąd wewnętrzny - kod błędu "));
    EXPECT_EQ(TCalcul::ErrorMessage(11, QStringLiteral("ang")), q("Internal error oper code "));
    EXPECT_EQ(TCalcul::ErrorMessage(15, QStringLiteral("pl")), q("Nieprawidłowy nazwa zmiennej "));
    EXPECT_EQ(TCalcul::ErrorMessage(15, QStringLiteral("ang")), q("Invalid varaible name "));
    for (int number : {0, 4, 5, 9, 20, -1, 255}) {
        EXPECT_TRUE(TCalcul::ErrorMessage(number, QStringLiteral("pl")).isEmpty()) << number;
        EXPECT_TRUE(TCalcul::ErrorMessage(number, QStringLiteral("ang")).isEmpty()) << number;
    }
    for (int number = 1; number <= 19; ++number) {
        EXPECT_TRUE(TCalcul::ErrorMessage(number, QStringLiteral("de")).isEmpty()) << number;
        EXPECT_TRUE(TCalcul::ErrorMessage(number, QStringLiteral("PL")).isEmpty()) << number;
    }
    calc.setLanguage(QStringLiteral("ang"));
    EXPECT_EQ(calc.ErrorMessage(17), QStringLiteral("? operand "));
}

TEST_F(ErrorMessages, OnlyTheFirstErrorCounts) {
    EXPECT_EQ(run("\"a\" + \"b\"").error, q("Nie można przekonwertować na wartość liczbową: a"));
    EXPECT_EQ(run("zz + 1/\"b\"").error, q("Nieznana zmienna: zz"));
    // The next evaluation starts clean.
    EXPECT_TRUE(run("1").ok);
    EXPECT_TRUE(calc.errorText().isEmpty());
}

TEST_F(ErrorMessages, AnUnknownLanguageGivesAnEmptyMessageButStillFails) {
    calc.setLanguage(QStringLiteral("xx"));
    calc.setFormula(QStringLiteral("qq"));
    QString result = QStringLiteral("keep");
    EXPECT_FALSE(calc.Evaluate(result));
    EXPECT_TRUE(calc.errorFlag());
    EXPECT_EQ(calc.errorText(), QStringLiteral("qq"));
    EXPECT_EQ(result, QStringLiteral("keep"));
}

using Conversions = CalculatorTest;

TEST_F(Conversions, ToNumberReadsDecimalTexts) {
    const std::pair<const char*, long double> rows[] = {
        {"5", 5.0L},
        {" 5 ", 5.0L},
        {"1,5", 1.5L},
        {"-2.5e3", -2500.0L},
        {"+3", 3.0L},
        {".5", 0.5L},
        {"5.", 5.0L},
        {"\t7\r\n", 7.0L},
        {"1e-5000", 0.0L},
        {"0.1", 0.1L},
        {"1E+2", 100.0L},
        {"-0", 0.0L},
        {"123456789012345678901234567890", 123456789012345678901234567890.0L},
    };
    for (const auto& [text, expected] : rows) {
        calc.clearError();
        EXPECT_EQ(calc.ToNumber(q(text)), expected) << text;
        EXPECT_FALSE(calc.errorFlag()) << text;
    }
    for (const char* text : {"abc", "", "1e", "0x10", "1 2", "--1", "1.2.3", "e5", ".", "inf"}) {
        calc.clearError();
        EXPECT_EQ(calc.ToNumber(q(text)), 0.0L) << text;
        EXPECT_EQ(calc.errorText(), q("Nie można przekonwertować na wartość liczbową: ") + q(text));
    }
}

TEST_F(Conversions, ToIntegerNudgesAwayFromZero) {
    const std::pair<const char*, qint32> rows[] = {
        {"2.99999999", 3},
        {"-2.99999999", -3},
        {"2.5", 2},
        {"-2.5", -2},
        {"0", 0},
        {"7", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, expected] : rows) {
        calc.clearError();
        EXPECT_EQ(calc.ToInteger(q(text)), expected) << text;
        EXPECT_FALSE(calc.errorFlag()) << text;
    }
    calc.clearError();
    EXPECT_EQ(calc.ToInteger(QStringLiteral("2147483648")), 0);
    EXPECT_EQ(calc.errorText(), q("Nieprawidłowy wzór (..) "));
    // Once an error is raised, integers are not read at all.
    EXPECT_EQ(calc.ToInteger(QStringLiteral("5")), 0);
}

TEST(FormatNumber, TwelveDecimalsTrimmed) {
    const std::pair<long double, const char*> rows[] = {
        {3.5L, "3.5"},
        {4.0L, "4"},
        {1.0L / 3, "0.333333333333"},
        {2.0L / 3, "0.666666666667"},
        {1e-13L, "0"},
        {-1e-13L, "0"},
        {-0.0L, "0"},
        {-2.5L, "-2.5"},
        {0.1L + 0.2L, "0.3"},
        {1e20L, "100000000000000000000"},
        {1234567.1L, "1234567.1"},
        {-1234567890123.25L, "-1234567890123.25"},
        {999999999999.9999999L, "1000000000000"},
        {0.000000000001L, "0.000000000001"},
    };
    for (const auto& [value, expected] : rows) {
        EXPECT_EQ(calc::formatNumber(value), q(expected)) << expected;
    }
}

// The digits of the value itself, correctly rounded by the C library: the reference that the
// quick way of writing numbers must agree with.
QString referenceText(long double value) {
    int decimals = 12;
    if (std::fabs(value) >= 1e6L) {
        const int integerDigits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
        decimals = std::max(0, 18 - integerDigits);
    }
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, value);
    std::string text(buffer);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') {
            text.pop_back();
        }
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text == "-0" ? QStringLiteral("0") : QString::fromStdString(text);
}

TEST(FormatNumber, AgreesWithCorrectRoundingEverywhere) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-14, 16);
    for (int i = 0; i < 200000; ++i) {
        const long double value = static_cast<long double>(mantissa(random)) *
                                  std::pow(10.0L, exponent(random)) / (1 + i % 7);
        ASSERT_EQ(calc::formatNumber(value), referenceText(value)) << static_cast<double>(value);
    }
    // Values at and next to a half of the last written place.
    for (long double half : {0.5e-12L, 1.5e-12L, 2.0000000000005L, 1234567.0000000000005L}) {
        for (long double value :
             {half, std::nextafter(half, 0.0L), std::nextafter(half, 10.0L), -half}) {
            EXPECT_EQ(calc::formatNumber(value), referenceText(value))
                << static_cast<double>(value);
        }
    }
}

TEST(Classify, KindOfEveryShapeOfText) {
    const std::pair<const char*, int> rows[] = {
        {"", TCalcul::KindText},
        {"\"\"", TCalcul::KindText},
        {"12", TCalcul::KindInteger},
        {"-", TCalcul::KindInteger},
        {"01", TCalcul::KindInteger},
        {"1.2.3", TCalcul::KindReal},
        {"-0.5", TCalcul::KindReal},
        {"0", TCalcul::KindLogical},
        {"1", TCalcul::KindLogical},
        {"\"1\"", TCalcul::KindLogical},
        {"a", TCalcul::KindCharacter},
        {"\"x\"", TCalcul::KindCharacter},
        {"*", TCalcul::KindArray},
        {"*1*5*3*", TCalcul::KindArray},
        {"2012/07/13", TCalcul::KindDate},
        {"2012/7/3", TCalcul::KindDate},
        {"\"2012/07/13\"", TCalcul::KindDate},
        {"2012/02/29", TCalcul::KindDate},
        {"2011/02/29", TCalcul::KindText},
        {"2012/07/13 10:00", TCalcul::KindText},
        {"abc", TCalcul::KindText},
        {"1e5", TCalcul::KindText},
    };
    for (const auto& [text, kind] : rows) {
        EXPECT_EQ(TCalcul::Classify(q(text)), kind) << text;
    }
}

}  // namespace
}  // namespace trevalon::test

#include <gtest/gtest.h>

#include <QMap>
#include <utility>

#include "builders/CommentFormat.h"
#include "model/Cell.h"

using namespace trevalon;

namespace {

// Variables as the run sees them: a declared type and the stored value text.
class FakeVariables : public CommentValueSource {
public:
    void add(const QString& name, int type, const QString& value) {
        m_types[name] = type;
        m_values[name] = value;
    }
    int variableType(const QString& name) const override { return m_types.value(name, -1); }
    QString variableValue(const QString& name) const override { return m_values.value(name); }

private:
    QMap<QString, int> m_types;
    QMap<QString, QString> m_values;
};

FakeVariables pupilVariables() {
    FakeVariables v;
    v.add(QStringLiteral("r"), TypeReal, QStringLiteral("12.385482"));
    v.add(QStringLiteral("s"), TypeText, QStringLiteral("\"Ola\""));
    v.add(QStringLiteral("n"), TypeInteger, QStringLiteral("9"));
    v.add(QStringLiteral("c"), TypeChar, QStringLiteral("\"x\""));
    v.add(QStringLiteral("d"), TypeDate, QStringLiteral("\"2012/07/13\""));
    v.add(QStringLiteral("b"), TypeLogical, QStringLiteral("1"));
    v.add(QStringLiteral("t"), TypeArray, QStringLiteral("\"*1*5*3*\""));
    v.add(QStringLiteral("whole"), TypeReal, QStringLiteral("7"));
    return v;
}

struct RenderCase {
    const char* comment;
    const char* expected;
};

}  // namespace

class CommentRendering : public ::testing::TestWithParam<RenderCase> {};

TEST_P(CommentRendering, ReplacesReferencesAndLineBreaks) {
    const FakeVariables vars = pupilVariables();
    EXPECT_EQ(CommentFormat::render(QString::fromUtf8(GetParam().comment), vars),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommentRendering,
    ::testing::Values(
        RenderCase{"Wynik: $2r$", "Wynik: 12,39"}, RenderCase{"Wynik: $0r$", "Wynik: 12"},
        RenderCase{"Wynik: $7r$", "Wynik: 12,385482"}, RenderCase{"Wynik: $r$", "Wynik: 12,385482"},
        RenderCase{"$1r$", "12,4"}, RenderCase{"$6r$", "12,385482"},
        RenderCase{"Imię: $7s$&Wiek: $7n$", "Imię: Ola\n\rWiek: 9"},
        RenderCase{"Cena $5", "Cena $5"}, RenderCase{"a $n$ b $n", "a 9 b $n"},
        RenderCase{"[$7zzz$]", "[]"}, RenderCase{"$$", ""},
        RenderCase{"$3n$ $2b$ $t$", "9 1 \"*1*5*3*\""}, RenderCase{"$c$/$d$", "x/2012/07/13"},
        RenderCase{"$2whole$", "7"}, RenderCase{"$8n$", ""}, RenderCase{"&&", "\n\r\n\r"},
        RenderCase{"bez zmiennych", "bez zmiennych"}));

struct RealCase {
    const char* stored;
    int precision;
    const char* expected;
};

class RealRounding : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealRounding, RoundsHalfToEvenOnTheDecimalDigits) {
    EXPECT_EQ(
        CommentFormat::formatReal(QString::fromLatin1(GetParam().stored), GetParam().precision),
        QString::fromLatin1(GetParam().expected))
        << GetParam().stored << " at " << GetParam().precision;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RealRounding,
    ::testing::Values(
        // A last digit of 5 stays 5: 1,05 is not shown as 1,06.
        RealCase{"1.05", 2, "1,05"}, RealCase{"1.15", 2, "1,15"},
        // Exact ties go to the even neighbour; anything past the tie rounds up.
        RealCase{"2.5", 0, "2"}, RealCase{"3.5", 0, "4"}, RealCase{"0.125", 2, "0,12"},
        RealCase{"0.1251", 2, "0,13"}, RealCase{"2.675", 2, "2,68"},
        // Shortest form: trailing zeros and a bare comma go away, carries ripple.
        RealCase{"9.99", 1, "10"}, RealCase{"1.50", 3, "1,5"}, RealCase{"0.04", 1, "0"},
        RealCase{"-0.04", 1, "0"}, RealCase{"-12.385482", 2, "-12,39"}, RealCase{".5", 1, "0,5"},
        RealCase{"5.", 2, "5"},
        // Far beyond the range of a 32-bit or 64-bit product of x and 10^p.
        RealCase{"123456789012345678901.25", 1, "123456789012345678901,2"},
        RealCase{"98765432109.876543", 5, "98765432109,87654"},
        // Exponent notation is expanded before rounding.
        RealCase{"1.5e3", 0, "1500"}, RealCase{"1.25E-1", 1, "0,1"},
        // Values without a point, and texts that are no number, pass through.
        RealCase{"2,71828183", 2, "2,71828183"}, RealCase{"42", 2, "42"}, RealCase{"a.b", 2, "a,b"},
        RealCase{"1.2.3", 1, "1,2,3"}));

TEST(CommentValues, TextLikeValuesLoseTheirQuotes) {
    EXPECT_EQ(CommentFormat::formatValue(TypeText, QStringLiteral("\"Ala ma kota\""), 7),
              QStringLiteral("Ala ma kota"));
    EXPECT_EQ(CommentFormat::formatValue(TypeChar, QStringLiteral("\""), 7), QString());
    EXPECT_EQ(CommentFormat::formatValue(TypeText, QStringLiteral("bare"), 7),
              QStringLiteral("bare"));
    EXPECT_EQ(CommentFormat::formatValue(TypeDate, QStringLiteral("\"2013/08/18\""), 2),
              QStringLiteral("2013/08/18"));
}

TEST(CommentValues, PrecisionOutsideTheListLeavesRealsUnrounded) {
    EXPECT_EQ(CommentFormat::formatValue(TypeReal, QStringLiteral("3.14159"), 12632256),
              QStringLiteral("3,14159"));
    EXPECT_EQ(CommentFormat::formatValue(TypeReal, QStringLiteral("3.14159"), -1),
              QStringLiteral("3,14159"));
    EXPECT_EQ(CommentFormat::formatValue(TypeReal, QStringLiteral("3.14159"), 3),
              QStringLiteral("3,142"));
    EXPECT_EQ(CommentFormat::formatValue(-1, QStringLiteral("3.14159"), 3), QString());
}

TEST(CommentValues, PreviewSamplesRenderAsTheBuilderShowsThem) {
    FakeVariables preview;
    for (int type = TypeInteger; type <= TypeDate; ++type) {
        preview.add(QStringLiteral("v%1").arg(type), type, CommentFormat::sampleValue(type));
    }
    EXPECT_EQ(CommentFormat::render(QStringLiteral("$1v2$ $v1$ $v3$ $v4$ $v7$"), preview),
              QStringLiteral("12,4 124 A Tekscik 2013/08/18"));
}

#include <gtest/gtest.h>

#include "calc/ArrayValue.h"
#include "exec/VariablesList.h"

using namespace trevalon;

struct ElementCase {
    const char* array;
    qint64 index;
    const char* expected;
};

class ArrayElementReading : public ::testing::TestWithParam<ElementCase> {};

TEST_P(ArrayElementReading, GivesTheElementOrMinusOne) {
    EXPECT_EQ(ArrayValue::element(QString::fromLatin1(GetParam().array), GetParam().index),
              QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ArrayElementReading,
    ::testing::Values(ElementCase{"\"*1*5*3*\"", 1, "1"}, ElementCase{"\"*1*5*3*\"", 3, "3"},
                      ElementCase{"\"*1*5*3*\"", 4, "-1"}, ElementCase{"\"*1*5*3*\"", 0, "-1"},
                      ElementCase{"\"*1*5*3*\"", -2, "-1"}, ElementCase{"\"*\"", 1, "-1"},
                      ElementCase{"*7*", 1, "7"}, ElementCase{"\"**\"", 1, ""},
                      ElementCase{"", 1, "-1"}, ElementCase{"\"*12*-4*\"", 2, "-4"}));

struct WriteCase {
    const char* array;
    qint64 index;
    const char* element;
    const char* expected;
    bool appended;
};

class ArrayElementWriting : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ArrayElementWriting, KeepsTheArrayForm) {
    bool appended = !GetParam().appended;
    EXPECT_EQ(ArrayValue::withElement(QString::fromLatin1(GetParam().array), GetParam().index,
                                      QString::fromLatin1(GetParam().element), &appended),
              QString::fromLatin1(GetParam().expected));
    EXPECT_EQ(appended, GetParam().appended);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ArrayElementWriting,
    ::testing::Values(
        WriteCase{"\"*1*5*3*\"", 2, "9", "\"*1*9*3*\"", false},
        WriteCase{"\"*1*5*3*\"", 5, "9", "\"*1*5*3*9*\"", true},
        WriteCase{"\"*1*5*3*\"", 4, "9", "\"*1*5*3*9*\"", true},
        WriteCase{"\"*\"", 7, "2", "\"*2*\"", true}, WriteCase{"\"*\"", 1, "2", "\"*2*\"", true},
        WriteCase{"", 1, "2", "\"*2*\"", true},
        WriteCase{"\"*1*5*3*\"", 0, "9", "\"*1*5*3*\"", false},
        WriteCase{"\"*1*5*3*\"", -1, "9", "\"*1*5*3*\"", false},
        // A damaged value is put back into the array form rather than written into further.
        WriteCase{"\"1*5\"", 3, "9", "\"*1*5*9*\"", true}));

TEST(VariablesListLookup, MatchesNamesWithoutRegardToCase) {
    const QString list = QStringLiteral("N=5\r\nText=\"a=b\"\r\nPI=3.14\r\nn=7");
    EXPECT_EQ(VariablesList::valueOf(list, QStringLiteral("n")), QStringLiteral("5"));
    EXPECT_EQ(VariablesList::valueOf(list, QStringLiteral("TEXT")), QStringLiteral("\"a=b\""));
    EXPECT_EQ(VariablesList::valueOf(list, QStringLiteral("pi")), QStringLiteral("3.14"));
    EXPECT_EQ(VariablesList::valueOf(list, QStringLiteral("missing")), QString());
    EXPECT_EQ(VariablesList::valueOf(QStringLiteral("noequals\nX=1"), QStringLiteral("x")),
              QStringLiteral("1"));
}

TEST(VariablesListLookup, AppendJoinsLinesWithCrLf) {
    QString list;
    VariablesList::append(list, QStringLiteral("a"), QStringLiteral("1"));
    VariablesList::append(list, QStringLiteral("b"), QStringLiteral("\"x\""));
    EXPECT_EQ(list, QStringLiteral("a=1\r\nb=\"x\""));
    VariablesList::appendConstants(list);
    EXPECT_EQ(list.count(QStringLiteral("\r\n")), 5);
    EXPECT_TRUE(list.endsWith(QStringLiteral("\r\nRadToDeg=57,29578")));
}

#include <gtest/gtest.h>

#include "FlowBuilder.h"
#include "TestWorkspace.h"
#include "exec/VariablesList.h"

using namespace trevalon;
using test::FlowBuilder;

namespace {

struct KeyCase {
    int type;
    const char* current;
    char16_t key;
    char16_t expected;  // 0 when the key is refused
};

}  // namespace

class DialogKeyFilter : public ::testing::TestWithParam<KeyCase> {};

TEST_P(DialogKeyFilter, AcceptsRefusesOrChangesTheKey) {
    const KeyCase& c = GetParam();
    const std::optional<QChar> put =
        ExecutionDialogLogic::filterKey(c.type, QString::fromUtf8(c.current), QChar(c.key));
    if (c.expected == 0) {
        EXPECT_FALSE(put.has_value()) << "type " << c.type << " key " << int(c.key);
    } else {
        ASSERT_TRUE(put.has_value()) << "type " << c.type << " key " << int(c.key);
        EXPECT_EQ(*put, QChar(c.expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    PerType, DialogKeyFilter,
    ::testing::Values(KeyCase{TypeInteger, "", u'7', u'7'}, KeyCase{TypeInteger, "", u'-', u'-'},
                      KeyCase{TypeInteger, "1", u'.', 0}, KeyCase{TypeInteger, "1", u',', 0},
                      KeyCase{TypeInteger, "1", u'a', 0}, KeyCase{TypeInteger, "1", u'\b', u'\b'},
                      KeyCase{TypeInteger, "1", u'\t', u'\t'},
                      KeyCase{TypeInteger, "", u'\u0663', 0}, KeyCase{TypeReal, "3", u',', u'.'},
                      KeyCase{TypeReal, "3", u'.', u'.'}, KeyCase{TypeReal, "", u'-', u'-'},
                      KeyCase{TypeReal, "3", u'e', 0}, KeyCase{TypeReal, "3", u' ', 0},
                      KeyCase{TypeChar, "", u'ż', u'ż'}, KeyCase{TypeChar, "", u'"', u'"'},
                      KeyCase{TypeChar, "a", u'b', 0}, KeyCase{TypeChar, "a", u'\b', u'\b'},
                      KeyCase{TypeArray, "", u'*', u'*'}, KeyCase{TypeArray, "*1", u' ', u' '},
                      KeyCase{TypeArray, "*1", u',', u'.'}, KeyCase{TypeArray, "*1", u'"', 0},
                      KeyCase{TypeArray, "*1", u'x', 0}, KeyCase{TypeText, "abc", u'"', u'"'},
                      KeyCase{TypeText, "", u'&', u'&'}, KeyCase{TypeLogical, "", u'x', u'x'}));

struct DateCase {
    const char* year;
    const char* month;
    const char* day;
    int problem;
};

class DateRules : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateRules, FailAtTheFirstBrokenRule) {
    const DateCase& c = GetParam();
    EXPECT_EQ(
        ExecutionDialogLogic::dateProblem(QString::fromLatin1(c.year), QString::fromLatin1(c.month),
                                          QString::fromLatin1(c.day)),
        c.problem)
        << c.year << '/' << c.month << '/' << c.day;
}

INSTANTIATE_TEST_SUITE_P(
    InOrder, DateRules,
    ::testing::Values(DateCase{"2012", "7", "13", 0}, DateCase{"1901", "1", "1", 0},
                      DateCase{"2399", "12", "31", 0}, DateCase{"2012", "2", "29", 0},
                      DateCase{"2000", "2", "29", 0}, DateCase{"", "1", "1", 254},
                      DateCase{"2012", "", "1", 254}, DateCase{"2012", "1", "1-", 254},
                      DateCase{"1900", "13", "40", 255}, DateCase{"2400", "1", "1", 255},
                      DateCase{"-5", "1", "1", 255}, DateCase{"2012", "13", "40", 256},
                      DateCase{"2012", "0", "1", 256}, DateCase{"2012", "-1", "1", 256},
                      DateCase{"2012", "2", "30", 257}, DateCase{"2012", "4", "31", 257},
                      DateCase{"2012", "1", "0", 257}, DateCase{"2012", "12", "32", 257},
                      // February 29 exists only in leap years.
                      DateCase{"2013", "2", "29", 257}, DateCase{"2100", "2", "29", 257}));

struct AssignmentCase {
    int type;
    const char* input;
    const char* expected;
};

class DialogAssignment : public ::testing::TestWithParam<AssignmentCase> {};

TEST_P(DialogAssignment, IsWrittenForTheCalculator) {
    const AssignmentCase& c = GetParam();
    EXPECT_EQ(ExecutionDialogLogic::assignmentText(c.type, QStringLiteral("v"),
                                                   QString::fromUtf8(c.input)),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    PerType, DialogAssignment,
    ::testing::Values(AssignmentCase{TypeInteger, "-12", "v:=-12"},
                      AssignmentCase{TypeReal, "3.5", "v:=3.5"},
                      AssignmentCase{TypeLogical, "1", "v:=1"},
                      AssignmentCase{TypeChar, "x", "v:=\"x\""},
                      AssignmentCase{TypeText, "Ala ma kota", "v:=\"Ala ma kota\""},
                      AssignmentCase{TypeText, "say \"hi\"", "v:=\"say \"\"hi\"\"\""},
                      AssignmentCase{TypeDate, "2012/7/13", "v:=\"2012/7/13\""},
                      AssignmentCase{TypeArray, "*1*5*3*", "v:=\"*1*5*3*\""},
                      AssignmentCase{TypeArray, "1 5  3", "v:=\"*1*5*3*\""},
                      AssignmentCase{TypeArray, "*", "v:=\"*\""}, AssignmentCase{-1, "7", "v:=7"}));

TEST(DialogLineFilter, AppliesTheKeyFilterAndTheLengthLimit) {
    QString reason;
    EXPECT_EQ(ExecutionDialogLogic::filterLine(TypeReal, QStringLiteral("3,5"), &reason),
              QStringLiteral("3.5"));
    EXPECT_EQ(ExecutionDialogLogic::filterLine(TypeArray, QStringLiteral("1,5 2"), &reason),
              QStringLiteral("1.5 2"));
    EXPECT_EQ(ExecutionDialogLogic::filterLine(TypeInteger, QStringLiteral("123456789"), &reason),
              QStringLiteral("123456789"));
    EXPECT_EQ(ExecutionDialogLogic::filterLine(TypeText, QStringLiteral("\"any\" ą&"), &reason),
              QStringLiteral("\"any\" ą&"));

    EXPECT_FALSE(
        ExecutionDialogLogic::filterLine(TypeInteger, QStringLiteral("1234567890"), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("9")));
    EXPECT_FALSE(ExecutionDialogLogic::filterLine(TypeInteger, QStringLiteral("12a"), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("'a'")));
    EXPECT_FALSE(ExecutionDialogLogic::filterLine(TypeChar, QStringLiteral("ab"), &reason));
    // A backspace typed into a terminal line is not an editing key there.
    EXPECT_FALSE(ExecutionDialogLogic::filterLine(TypeInteger, QStringLiteral("1\b2"), &reason));
}

// Entering values needs the Calculator: a workspace with one variable of each type.
class DialogEntry : public ::testing::Test {
protected:
    void SetUp() override {
        FlowBuilder f(t.project());
        f.variable(1, 1, 1, QStringLiteral("n"), TypeInteger, QStringLiteral("0"));
        f.variable(1, 1, 2, QStringLiteral("r"), TypeReal, QStringLiteral("0"));
        f.variable(1, 1, 3, QStringLiteral("c"), TypeChar, QStringLiteral("\"a\""));
        f.variable(1, 1, 4, QStringLiteral("s"), TypeText, QStringLiteral("\"\""));
        f.variable(1, 1, 5, QStringLiteral("b"), TypeLogical, QStringLiteral("0"));
        f.variable(1, 1, 6, QStringLiteral("d"), TypeDate, QStringLiteral("\"2000/01/01\""));
        t.workspace.variables().loadVariables(
            QStringLiteral("n=0\r\nr=0\r\nc=\"a\"\r\ns=\"\"\r\nb=0\r\n"
                           "d=\"2000/01/01\""));
    }
    ExecutionDialogLogic reading(const QString& variable) {
        return ExecutionDialogLogic(t.workspace, DialogMode::Read, QStringLiteral("title"),
                                    QStringLiteral("text"), KindReadWrite, variable);
    }
    QString value(const QString& name) { return t.workspace.variables().variableValue(name); }

    TestWorkspace t;
};

TEST_F(DialogEntry, LooksUpTheTargetTypeOfTheVariable) {
    EXPECT_EQ(reading(QStringLiteral("r")).targetType(), TypeReal);
    EXPECT_EQ(reading(QStringLiteral("R")).targetType(), TypeReal);
    EXPECT_EQ(reading(QStringLiteral("nothing")).targetType(), -1);
    EXPECT_TRUE(reading(QStringLiteral("d")).readsDate());
    EXPECT_FALSE(reading(QStringLiteral("s")).readsDate());
}

TEST_F(DialogEntry, AcceptedValuesAreAssignedAndShown) {
    ExecutionDialogLogic dialog = reading(QStringLiteral("n"));
    EXPECT_EQ(dialog.enterValue(QStringLiteral("42")), EntryResult::Accepted);
    EXPECT_TRUE(dialog.answered());
    EXPECT_EQ(value(QStringLiteral("n")), QStringLiteral("42"));
    EXPECT_TRUE(t.workspace.variables().variablesList().contains(QStringLiteral("N=42")));
    EXPECT_EQ(t.io.variablesShown, 1);

    EXPECT_EQ(reading(QStringLiteral("r")).enterValue(QStringLiteral("3.5")),
              EntryResult::Accepted);
    EXPECT_EQ(value(QStringLiteral("r")), QStringLiteral("3.5"));
    EXPECT_EQ(reading(QStringLiteral("c")).enterValue(QStringLiteral("x")), EntryResult::Accepted);
    EXPECT_EQ(value(QStringLiteral("c")), QStringLiteral("\"x\""));
    EXPECT_EQ(reading(QStringLiteral("s")).enterValue(QStringLiteral("say \"hi\"")),
              EntryResult::Accepted);
    EXPECT_EQ(value(QStringLiteral("s")), QStringLiteral("\"say \"hi\"\""));
    EXPECT_EQ(t.sink.beeps, 0);
}

TEST_F(DialogEntry, EmptyOrMalformedValuesOnlyBeep) {
    ExecutionDialogLogic integer = reading(QStringLiteral("n"));
    EXPECT_EQ(integer.enterValue(QString()), EntryResult::Refused);
    ExecutionDialogLogic real = reading(QStringLiteral("r"));
    for (const char* bad : {"", "-", ".", "1.2.3", "1-2", "abc"}) {
        EXPECT_EQ(real.enterValue(QString::fromLatin1(bad)), EntryResult::Refused) << bad;
    }
    EXPECT_EQ(t.sink.beeps, 7);
    EXPECT_TRUE(t.sink.messages.isEmpty());
    EXPECT_EQ(value(QStringLiteral("n")), QStringLiteral("0"));
    EXPECT_EQ(value(QStringLiteral("r")), QStringLiteral("0"));
    EXPECT_FALSE(real.answered());
    // Even a text must not be empty.
    EXPECT_EQ(reading(QStringLiteral("s")).enterValue(QString()), EntryResult::Refused);
    EXPECT_EQ(value(QStringLiteral("s")), QStringLiteral("\"\""));
}

TEST_F(DialogEntry, AValueTheCalculatorRejectsIsRefusedNotLost) {
    ExecutionDialogLogic dialog = reading(QStringLiteral("b"));
    EXPECT_EQ(dialog.enterValue(QStringLiteral("maybe")), EntryResult::Refused);
    EXPECT_FALSE(dialog.refusal().isEmpty());
    EXPECT_EQ(value(QStringLiteral("b")), QStringLiteral("0"));
    EXPECT_EQ(dialog.enterValue(QStringLiteral("1")), EntryResult::Accepted);
    EXPECT_EQ(value(QStringLiteral("b")), QStringLiteral("1"));
}

TEST_F(DialogEntry, DatesGoThroughTheRulesWithTheirMessages) {
    ExecutionDialogLogic dialog = reading(QStringLiteral("d"));
    EXPECT_EQ(dialog.enterValue(QStringLiteral("2012/07/13")), EntryResult::Refused);
    EXPECT_EQ(dialog.enterDate(QStringLiteral("2012"), QStringLiteral("2"), QStringLiteral("30")),
              EntryResult::Rejected);
    EXPECT_EQ(dialog.enterDate(QStringLiteral("1900"), QStringLiteral("1"), QStringLiteral("1")),
              EntryResult::Rejected);
    ASSERT_EQ(t.sink.messages.size(), 2);
    EXPECT_EQ(t.sink.messages[0], t.workspace.texts().text(texts::EnterDayOfMonth));
    EXPECT_EQ(t.sink.messages[1], t.workspace.texts().text(texts::EnterYearInRange));
    EXPECT_EQ(value(QStringLiteral("d")), QStringLiteral("\"2000/01/01\""));
    EXPECT_EQ(dialog.enterDate(QStringLiteral("2012"), QStringLiteral("07"), QStringLiteral("13")),
              EntryResult::Accepted);
    EXPECT_EQ(value(QStringLiteral("d")), QStringLiteral("\"2012/07/13\""));
}

TEST_F(DialogEntry, QuestionsAnswerIntoTheLogicalVariable) {
    ExecutionDialogLogic yes(t.workspace, DialogMode::Question, QString(), QString(), KindQuestion,
                             QStringLiteral("b"));
    yes.answer(true);
    EXPECT_TRUE(yes.answered());
    EXPECT_EQ(value(QStringLiteral("b")), QStringLiteral("1"));
    ExecutionDialogLogic no(t.workspace, DialogMode::Question, QString(), QString(), KindQuestion,
                            QStringLiteral("b"));
    no.answer(false);
    EXPECT_EQ(value(QStringLiteral("b")), QStringLiteral("0"));
}

TEST_F(DialogEntry, OnlyAReadBlockInReadModeTakesValues) {
    ExecutionDialogLogic shown(t.workspace, DialogMode::Show, QString(), QString(), KindReadWrite,
                               QStringLiteral("n"));
    EXPECT_EQ(shown.enterValue(QStringLiteral("5")), EntryResult::Refused);
    ExecutionDialogLogic message(t.workspace, DialogMode::Read, QString(), QString(), KindMessage,
                                 QStringLiteral("n"));
    EXPECT_EQ(message.enterValue(QStringLiteral("5")), EntryResult::Refused);
    // A message's "Tak" has no variable to answer into.
    ExecutionDialogLogic notQuestion(t.workspace, DialogMode::Question, QString(), QString(),
                                     KindMessage, QStringLiteral("b"));
    notQuestion.answer(true);
    EXPECT_EQ(value(QStringLiteral("n")), QStringLiteral("0"));
    EXPECT_EQ(value(QStringLiteral("b")), QStringLiteral("0"));
}

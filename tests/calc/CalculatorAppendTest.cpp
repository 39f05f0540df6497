// "S:=S || t" appends to S's own text when it can. Whatever S holds and whatever t is, the
// outcome must be that of the general path, which builds the joined text anew: the same
// results, errors, stored values and slot bookkeeping, and results the caller kept untouched.
#include <random>

#include "CalcTestSupport.h"

namespace trevalon::test {
namespace {

const char* const kStartValues[] = {"\"abc\"", "\"\"",     "\"",     "abc",     "5",
                                    "  \"x\"", "\"a\"b\"", "\"x\" ", "\" x",    "\"\"\"",
                                    "",        "\" \"",    "\"12\"", "\"*1*\"", "-4.5"};
const char* const kRightSides[] = {
    "\"x\"",      "\"ab\"",      "\"\"",         "S",        "U",         "_LF",       "5", "-3",
    "1/0",        "Copy(S,1,2)", "\" \"",        "\"\"\"\"", "\"\"\"x\"", "Length(S)", "Q", "S||S",
    "\"a\" || U", "(\"q\")",     "UpperCase(S)", "\"  \"",   "U=S"};

}  // namespace

class AppendToItself : public ::testing::Test {
protected:
    TCalcul appending;  // "S:=S||t": the in-place path when it applies
    TCalcul building;   // "S:=T||t" with T a copy of S: always the general path

    Outcome evaluate(TCalcul& calc, const QString& formula) {
        Outcome outcome;
        calc.setFormula(formula);
        outcome.ok = calc.Evaluate(outcome.result);
        outcome.type = calc.resultType();
        outcome.kind = calc.resultKind();
        outcome.error = calc.errorText();
        return outcome;
    }
    void setBoth(const char* name, const QString& value) {
        appending.variables().set(q(name), value);
        building.variables().set(q(name), value);
    }
};

TEST_F(AppendToItself, GivesWhatBuildingTheTextAnewGives) {
    std::mt19937 random(8122026);
    std::uniform_int_distribution<int> start(0, static_cast<int>(std::size(kStartValues)) - 1);
    std::uniform_int_distribution<int> right(0, static_cast<int>(std::size(kRightSides)) - 1);
    setBoth("S", q("\"\""));
    setBoth("T", QString());
    setBoth("U", q("\"u\""));
    std::vector<QString> kept;
    std::vector<QString> expectedKept;
    qsizetype longest = 0;
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE(round);
        if (round % 150 == 0) {
            setBoth("S", q(kStartValues[start(random)]));
        }
        setBoth("T", appending.variables().get(q("S")));
        const QString rhs = q(kRightSides[right(random)]);
        const Outcome fast = evaluate(appending, QStringLiteral("S:=S||") + rhs);
        const Outcome general = evaluate(building, QStringLiteral("S:=T||") + rhs);
        ASSERT_EQ(fast.ok, general.ok) << rhs.toStdString();
        EXPECT_EQ(fast.result, general.result) << rhs.toStdString();
        EXPECT_EQ(fast.type, general.type);
        EXPECT_EQ(fast.kind, general.kind);
        EXPECT_EQ(fast.error, general.error);
        ASSERT_EQ(appending.ListVariables(), building.ListVariables()) << rhs.toStdString();
        EXPECT_EQ(appending.variables().index(), building.variables().index());
        EXPECT_EQ(appending.variables().capacity(), building.variables().capacity());
        longest = std::max(longest, appending.variables().get(q("S")).size());
        if (fast.ok && round % 5 == 0) {
            kept.push_back(fast.result);
            expectedKept.push_back(general.result);
        }
    }
    EXPECT_EQ(kept, expectedKept);
    EXPECT_GT(longest, 100);
}

}  // namespace trevalon::test

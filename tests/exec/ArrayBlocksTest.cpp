#include <gtest/gtest.h>

#include <random>

#include "FlowBuilder.h"
#include "TestWorkspace.h"
#include "calc/ArrayValue.h"
#include "calc/TCalcul.h"
#include "exec/Executor.h"

using namespace trevalon;
using test::FlowBuilder;

namespace {

QString q(const char* text) {
    return QString::fromUtf8(text);
}

// What the array blocks stored before the store kept elements: the whole array written back
// as an assignment formula, the element read out of the whole text.
struct TextArrayReference {
    Variables& variables;

    // Answers false when the write would end the run (a value the array cannot hold).
    bool write(const QString& array, const QString& indexName, const QString& valueName,
               bool& appended) {
        appended = false;
        bool ok = false;
        const qint64 index = variables.variableValue(indexName).trimmed().toLongLong(&ok);
        QString element = variables.variableValue(valueName);
        if (element.startsWith(u'"')) {
            element = element.mid(1, element.size() - 2);
        }
        if (!ok || element.isEmpty() || element.contains(u'*') || element.contains(u'"')) {
            return false;
        }
        if (index < 1) {
            return true;
        }
        const QString value =
            ArrayValue::withElement(variables.variableValue(array), index, element, &appended);
        return store(array + QStringLiteral(":=") + value);
    }

    bool read(const QString& array, const QString& indexName, const QString& target) {
        bool ok = false;
        const qint64 index = variables.variableValue(indexName).trimmed().toLongLong(&ok);
        if (!ok) {
            return false;
        }
        const QString element = ArrayValue::element(variables.variableValue(array), index);
        return store(target + QStringLiteral(":=") + element);
    }

    bool store(const QString& formula) {
        const bool ok = variables.evaluate(formula).ok;
        variables.refreshVariablesList();
        return ok;
    }
};

// One value from a small alphabet that holds the characters formulas give a meaning to.
QString randomText(std::mt19937& random, int longest) {
    static const QString alphabet = q("0123456789-.-.abcXYZ :=;[](),|<>+/_'\t");
    std::uniform_int_distribution<int> length(1, longest);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    QString text;
    for (int n = length(random); n > 0; --n) {
        text += alphabet[pick(random)];
    }
    return text;
}

QString randomElement(std::mt19937& random) {
    static const char* const numbers[] = {"5",
                                          "-3",
                                          "007",
                                          "-0",
                                          "3.50",
                                          "-.5",
                                          ".5",
                                          "1e5",
                                          "123456789012345678",
                                          "1234567890123456789",
                                          "0"};
    std::uniform_int_distribution<int> kind(0, 15);
    switch (kind(random)) {
        case 0:
            return q(numbers[std::uniform_int_distribution<int>(0, 10)(random)]);
        case 1:
            return u'"' + randomText(random, 6) + u'"';
        default:
            return QString::number(std::uniform_int_distribution<int>(-50, 500)(random));
    }
}

QString randomArrayText(std::mt19937& random) {
    static const char* const forms[] = {"\"*\"",   "\"\"",     "\"**\"",     "\"*1*2*\"",
                                        "*5*6*",   "\"x\"",    "\"*a\"b*\"", "\"*1**2*\"",
                                        "\"1*5\"", "\" *7*\"", "12",         "\"*b;c*d:=1*\""};
    return q(forms[std::uniform_int_distribution<int>(0, 11)(random)]);
}

}  // namespace

// The array blocks keep elements beside the array's text; whatever they are given, the
// variables must end up exactly as writing the whole text back leaves them.
TEST(ArrayBlocks, LeaveTheSameVariablesAsRewritingTheWholeText) {
    TestWorkspace t;
    t.log.currentLevel = 1;  // formula details logged would take the formula path
    FlowBuilder f(t.project());
    // An endless loop of t[i] := v, then x := t[j].
    f.put(1, 2, 1, KindStart);
    f.put(1, 2, 2, KindJoinLeft);
    Cell& write = f.array(1, 2, 3, KindArrayWrite, q("t"), q("i"), q("v"));
    f.array(1, 2, 4, KindArrayRead, q("t"), q("j"), q("x"));
    f.compare(1, 2, 5, q("k"), 0, q("k"));
    f.put(1, 1, 5, KindCornerTopRight);
    f.column(1, 1, 3, 4, KindLineVertical);
    f.put(1, 1, 2, KindCornerBottomRight);
    f.put(1, 3, 5, KindCornerLeftBottom);
    f.put(1, 3, 6, KindEnd);
    f.variable(1, 8, 1, q("t"), TypeArray, q("\"*\""));
    int row = 2;
    for (const char* name : {"i", "v", "j", "x", "k"}) {
        f.variable(1, 8, row++, q(name), TypeInteger, q("1"));
    }

    Workspace& run = t.workspace;
    TestWorkspace other;
    TextArrayReference reference{other.workspace.variables()};
    TText& store = run.variables().calculator().variables();
    TText& referenceStore = other.workspace.variables().calculator().variables();
    const auto setBoth = [&](const char* name, const QString& value) {
        store.set(q(name), value);
        referenceStore.set(q(name), value);
    };
    const auto atTheWrite = [&] {
        while (run.executor().state().runColumn != 2 || run.executor().state().runRow != 3) {
            run.executor().nextStep();
        }
    };
    const auto restart = [&] {
        run.executor().startStepping();
        ASSERT_TRUE(run.executor().running());
        other.workspace.variables().loadVariables(run.variables().calculator().ListVariables());
        atTheWrite();
    };

    std::mt19937 random(20261208);
    restart();
    int elementsKept = 0;
    int runsEnded = 0;
    for (int round = 0; round < 4000; ++round) {
        SCOPED_TRACE(round);
        if (round % 400 == 0) {
            setBoth("t", randomArrayText(random));
        }
        const int longest = static_cast<int>(ArrayValue::elements(store.get(q("t"))).size());
        std::uniform_int_distribution<int> index(-2, longest + 3);
        // Most writes grow the array, so that the rounds reach long arrays.
        const bool grow = std::uniform_int_distribution<int>(0, 1)(random) == 0;
        setBoth("i", QString::number(grow ? longest + 1 : index(random)));
        setBoth("j", QString::number(index(random)));
        setBoth("v", randomElement(random));

        bool appended = false;
        const int grownBefore = write.extra1;
        const bool written = reference.write(q("t"), q("i"), q("v"), appended);
        run.executor().nextStep();
        ASSERT_EQ(run.executor().running(), written);
        const bool readOk = written && reference.read(q("t"), q("j"), q("x"));
        if (written) {
            EXPECT_EQ(write.extra1 - grownBefore, appended ? 1 : 0);
            run.executor().nextStep();
            ASSERT_EQ(run.executor().running(), readOk);
        }
        ASSERT_EQ(run.variables().calculator().ListVariables(),
                  other.workspace.variables().calculator().ListVariables());
        EXPECT_EQ(store.index(), referenceStore.index());
        EXPECT_EQ(store.capacity(), referenceStore.capacity());
        if (!readOk) {
            ++runsEnded;
            restart();
            continue;
        }
        elementsKept = std::max(elementsKept, longest);
        run.executor().nextStep();  // the comparison, then round the loop to the write again
        atTheWrite();
    }
    // The rounds reached long arrays and runs that ended on values the array cannot take.
    EXPECT_GT(elementsKept, 50);
    EXPECT_GT(runsEnded, 0);
}

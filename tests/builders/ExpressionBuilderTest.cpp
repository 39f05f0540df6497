#include "builders/ExpressionBuilder.h"

#include <gtest/gtest.h>

#include "FlowBuilder.h"
#include "config/TextTable.h"

using trevalon::BuilderList;
using trevalon::ExpressionBuilder;
using trevalon::Project;
using trevalon::TextTable;
using trevalon::VisibleVariable;

namespace {

class ExpressionBuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        project.addBoard();
        project.addBoard();
        trevalon::test::FlowBuilder f(project);
        f.variable(1, 2, 1, QStringLiteral("a"), trevalon::TypeInteger);
        f.variable(1, 1, 3, QStringLiteral("g"), trevalon::TypeText, QStringLiteral("\"Brak\""), 1);
        // On board 2 the later row comes later although its column is smaller.
        f.variable(2, 3, 1, QStringLiteral("b"), trevalon::TypeReal);
        f.variable(2, 1, 2, QStringLiteral("h"), trevalon::TypeDate, QStringLiteral("0"), 1);
        f.variable(3, 1, 1, QStringLiteral("c"), trevalon::TypeLogical);
    }

    Project project;
    TextTable texts;
    ExpressionBuilder builder{texts};
};

}  // namespace

TEST_F(ExpressionBuilderTest, VariablesOfTheBoardAndGlobalsRowByRow) {
    builder.show(project, 2, QStringLiteral("b"), QString());
    EXPECT_EQ(builder.variables(), (std::vector<VisibleVariable>{{"g", 4}, {"b", 2}, {"h", 7}}));
    EXPECT_EQ(builder.entries(BuilderList::Variables), (QStringList{"g", "b", "h"}));

    builder.show(project, 3, QStringLiteral("c"), QString());
    EXPECT_EQ(builder.entries(BuilderList::Variables), (QStringList{"g", "h", "c"}));

    // Boards beyond the project's count are not looked at.
    project.boardCount = 1;
    builder.show(project, 1, QStringLiteral("a"), QString());
    EXPECT_EQ(builder.entries(BuilderList::Variables), (QStringList{"a", "g"}));
}

TEST_F(ExpressionBuilderTest, WithoutVariablesTheListOffersBrak) {
    Project empty;
    builder.show(empty, 1, QStringLiteral("Brak"), QStringLiteral("1"));
    EXPECT_EQ(builder.entries(BuilderList::Variables), QStringList{"Brak"});
    builder.editor().setCaret(1);
    builder.insertEntry(BuilderList::Variables, 0);
    EXPECT_EQ(builder.expression(), QStringLiteral("1Brak"));
    EXPECT_TRUE(builder.entryStatus(BuilderList::Variables, 0).isEmpty());
}

TEST_F(ExpressionBuilderTest, ShowingPutsTheCaretAtTheStart) {
    builder.show(project, 1, QStringLiteral("a"), QStringLiteral("2*a"));
    EXPECT_EQ(builder.expression(), QStringLiteral("2*a"));
    EXPECT_EQ(builder.editor().caret(), 0);
    builder.insertEntry(BuilderList::Constants, 0);
    EXPECT_EQ(builder.expression(), QStringLiteral("Pi2*a"));
    builder.insertEntry(BuilderList::Operations, 2);
    builder.insertEntry(BuilderList::Variables, 1);
    EXPECT_EQ(builder.expression(), QStringLiteral("Pi*g2*a"));
    builder.insertEntry(BuilderList::Operations, 99);
    builder.insertEntry(BuilderList::Variables, -1);
    EXPECT_EQ(builder.expression(), QStringLiteral("Pi*g2*a"));
    EXPECT_EQ(builder.editor().savedCaret(), 4);
}

TEST_F(ExpressionBuilderTest, StatusLineShowsTheAssignmentOrAReminder) {
    builder.show(project, 1, QStringLiteral("a"), QStringLiteral("a+1"));
    EXPECT_EQ(builder.statusLine(), QStringLiteral("a := a+1"));
    for (const QString& none : {QStringLiteral("Brak"), QString()}) {
        builder.show(project, 1, none, QStringLiteral("a+1"));
        EXPECT_EQ(builder.statusLine(), texts.text(trevalon::texts::ChooseLeftVariable));
    }
}

TEST_F(ExpressionBuilderTest, HelpTextsForStatusLineAndHints) {
    builder.show(project, 2, QStringLiteral("b"), QString());
    EXPECT_EQ(builder.entryStatus(BuilderList::Operations, 5),
              texts.text(trevalon::texts::HelpDivOneLine));
    EXPECT_EQ(builder.entryStatus(BuilderList::Operations, 0),
              texts.text(trevalon::texts::HelpAdd));
    EXPECT_EQ(builder.entryStatus(BuilderList::Variables, 2),
              texts.text(trevalon::texts::HelpDateVariable));  // h is a date

    EXPECT_TRUE(builder.hint(BuilderList::Operations, 5).isEmpty());  // hints are off
    builder.setHintsEnabled(true);
    EXPECT_EQ(builder.hint(BuilderList::Operations, 5), texts.text(trevalon::texts::HelpDiv));
    EXPECT_EQ(builder.hint(BuilderList::Variables, 0),
              texts.text(trevalon::texts::HelpTextVariable));
    EXPECT_TRUE(builder.hint(BuilderList::Variables, 3).isEmpty());
}

TEST_F(ExpressionBuilderTest, TitleAndCollapse) {
    EXPECT_EQ(builder.title(), QString::fromUtf8("  Buduj wyrażenie"));
    EXPECT_EQ(builder.toggleCollapsed(420), ExpressionBuilder::TitleBarHeight);
    EXPECT_TRUE(builder.collapsed());
    EXPECT_EQ(builder.toggleCollapsed(20), 420);
    EXPECT_FALSE(builder.collapsed());
    builder.toggleCollapsed(420);
    builder.show(project, 1, QStringLiteral("a"), QString());
    EXPECT_FALSE(builder.collapsed());
}

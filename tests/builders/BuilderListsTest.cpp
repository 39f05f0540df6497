#include "builders/BuilderLists.h"

#include <gtest/gtest.h>

#include "config/TextTable.h"

using trevalon::BuilderList;
using trevalon::Insertion;
using trevalon::TextTable;
namespace lists = trevalon::builderlists;

TEST(BuilderLists, TemplatesAndCaretOffsets) {
    const struct Row {
        BuilderList list;
        int index;
        Insertion expected;
    } rows[] = {
        {BuilderList::Operations, 0, {"+", 1}},
        {BuilderList::Operations, 4, {"^", 1}},
        {BuilderList::Operations, 5, {" div ", 5}},
        {BuilderList::Operations, 6, {" mod ", 5}},
        {BuilderList::Operations, 7, {"=", 1}},
        {BuilderList::Operations, 10, {">=", 2}},
        {BuilderList::Operations, 11, {"<=", 2}},
        {BuilderList::MathFunctions, 0, {"Sqrt()", 5}},
        {BuilderList::MathFunctions, 9, {"CTg()", 4}},
        {BuilderList::MathFunctions, 14, {"String()", 7}},
        {BuilderList::TextFunctions, 1, {"Pos(,)", 4}},
        {BuilderList::TextFunctions, 5, {"Copy(,,)", 5}},
        {BuilderList::TextFunctions, 6, {"CopyTo(,,)", 7}},
        {BuilderList::TextFunctions, 8, {"Insert(,,)", 7}},
        {BuilderList::TextFunctions, 9, {" || ", 4}},
        {BuilderList::TextFunctions, 10, {"Numeric()", 8}},
        {BuilderList::Constants, 2, {"DegToRad", 8}},
        {BuilderList::Constants, 1, {"e", 1}},
        {BuilderList::Dates, 7, {"StampToDateStr()", 15}},
        {BuilderList::Dates, 8, {"_NOW", 4}},
        {BuilderList::Dates, 9, {"_DATE", 5}},
        // Outside the lists nothing goes in.
        {BuilderList::Dates, 10, {}},
        {BuilderList::Operations, -1, {}},
        {BuilderList::Variables, 0, {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(lists::insertion(row.list, row.index), row.expected)
            << static_cast<int>(row.list) << '/' << row.index;
    }
    EXPECT_EQ(lists::variableInsertion(QStringLiteral("Suma")), (Insertion{"Suma", 4}));
}

// Every entry has a help text, and the single-line form exists exactly where the table has
// one: operations 181..183, maths functions from Ln on, all text and date functions.
TEST(BuilderLists, SingleLineHelpWhereTheTableHasIt) {
    TextTable texts;
    for (const BuilderList list :
         {BuilderList::Operations, BuilderList::MathFunctions, BuilderList::TextFunctions,
          BuilderList::Constants, BuilderList::Dates}) {
        for (int i = 0; i < lists::items(list).size(); ++i) {
            const int number = lists::helpTextNumber(list, i);
            const QString multi = lists::multiLineHelp(texts, number);
            const QString single = lists::singleLineHelp(texts, number);
            ASSERT_FALSE(multi.isEmpty()) << number;
            const bool hasSingle = (number >= 181 && number <= 183) ||
                                   (number >= 193 && number <= 214) || number >= 219;
            if (hasSingle) {
                EXPECT_EQ(single, texts.text(number * 10 + 1)) << number;
                EXPECT_FALSE(single.contains(u'\r')) << number;
            } else {
                EXPECT_EQ(single, multi) << number;
            }
        }
    }
    EXPECT_TRUE(lists::singleLineHelp(texts, 0).isEmpty());
    texts.setLanguage(QStringLiteral("ang"));
    EXPECT_TRUE(
        lists::singleLineHelp(texts, 204).startsWith(QStringLiteral("Length(s) - returns")));
}

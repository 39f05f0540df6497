// The comment builder's choices: the precision that goes with a variable, the references it
// inserts and the preview with sample values.
#include <gtest/gtest.h>

#include "builders/CommentBuilder.h"
#include "config/TextTable.h"
#include "model/Cell.h"

using namespace trevalon;

namespace {

CommentBuilder sampleBuilder() {
    return CommentBuilder({{QStringLiteral("n"), TypeInteger},
                           {QStringLiteral("r"), TypeReal},
                           {QStringLiteral("s"), TypeText},
                           {QStringLiteral("ok"), TypeLogical},
                           {QStringLiteral("d"), TypeDate},
                           {QStringLiteral("t"), TypeArray},
                           {QStringLiteral("c"), TypeChar}});
}

TEST(CommentBuilderPrecision, OnlyARealIsRounded) {
    const CommentBuilder builder = sampleBuilder();
    EXPECT_EQ(builder.precisionFor(1), (CommentBuilder::Precision{true, 1}));
    for (int other : {0, 2, 3, 4, 5, 6}) {
        EXPECT_EQ(builder.precisionFor(other), (CommentBuilder::Precision{false, 7})) << other;
    }
    // Nothing chosen, as with an empty list.
    EXPECT_EQ(builder.precisionFor(-1), (CommentBuilder::Precision{false, 7}));
    EXPECT_EQ(CommentBuilder({}).precisionFor(0), (CommentBuilder::Precision{false, 7}));
}

TEST(CommentBuilderInsertion, ReferencesCarryTheirPrecisionDigit) {
    const CommentBuilder builder = sampleBuilder();
    EXPECT_EQ(builder.reference(1, 1), QStringLiteral("$1r$"));
    EXPECT_EQ(builder.reference(1, 4), QStringLiteral("$4r$"));
    EXPECT_EQ(builder.reference(2, 7), QStringLiteral("$7s$"));
    EXPECT_EQ(builder.reference(2, -1), QStringLiteral("$7s$"));
    EXPECT_TRUE(builder.reference(9, 1).isEmpty());
    EXPECT_TRUE(CommentBuilder({}).reference(0, 7).isEmpty());
    EXPECT_EQ(CommentBuilder::lineBreak(), QStringLiteral("&"));
}

TEST(CommentBuilderLists, EmptyListHoldsBrakAlone) {
    TextTable texts;
    EXPECT_EQ(CommentBuilder({}).variableItems(texts), QStringList{QStringLiteral("Brak")});
    EXPECT_EQ(sampleBuilder().variableItems(texts).size(), 7);
    const QStringList precision = CommentBuilder::precisionItems(texts);
    ASSERT_EQ(precision.size(), 8);
    EXPECT_EQ(precision.first(), QStringLiteral("0 cyfr"));
    EXPECT_EQ(precision.at(6), QStringLiteral("nie zaokrąglaj"));
    EXPECT_EQ(precision.last(), QStringLiteral("nie dotyczy"));
    texts.setLanguage(QStringLiteral("ang"));
    EXPECT_EQ(CommentBuilder::precisionItems(texts).at(1), QStringLiteral("1 digit"));
}

TEST(CommentBuilderLists, HintNamesTheType) {
    const CommentBuilder builder = sampleBuilder();
    EXPECT_EQ(builder.typeHintText(0), 37);
    EXPECT_EQ(builder.typeHintText(1), 38);
    EXPECT_EQ(builder.typeHintText(4), 43);
    EXPECT_EQ(builder.typeHintText(6), 39);
    EXPECT_EQ(builder.typeHintText(7), 0);
}

struct PreviewCase {
    const char* text;
    const char* shown;
};

class CommentBuilderPreview : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(CommentBuilderPreview, SampleValuesByType) {
    const PreviewCase& c = GetParam();
    EXPECT_EQ(sampleBuilder().preview(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Samples, CommentBuilderPreview,
    ::testing::Values(PreviewCase{"$1r$", "12,4"}, PreviewCase{"Wynik: $2r$", "Wynik: 12,39"},
                      PreviewCase{"$7r$", "12,385482"}, PreviewCase{"$r$", "12,385482"},
                      PreviewCase{"$0n$ szt.", "124 szt."}, PreviewCase{"$7s$", "Tekscik"},
                      PreviewCase{"$7c$", "A"}, PreviewCase{"$7ok$", "1"},
                      PreviewCase{"$7t$", "*1*2*3*"}, PreviewCase{"$7d$", "2013/08/18"},
                      PreviewCase{"$7S$", "Tekscik"}, PreviewCase{"[$7zzz$]", "[]"},
                      PreviewCase{"Cena $5", "Cena $5"}, PreviewCase{"a&b", "a\n\rb"}));

}  // namespace

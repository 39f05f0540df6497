#include "model/BlockCatalogue.h"

#include <gtest/gtest.h>

#include <set>

using namespace trevalon;

TEST(BlockCatalogue, TwentyFourKindsInFourGroups) {
    std::set<int> codes;
    int perGroup[5] = {};
    for (const KindInfo& info : BlockCatalogue::kinds()) {
        codes.insert(info.code);
        EXPECT_EQ(info.code, info.group * 10 + info.index);
        ++perGroup[info.group];
    }
    EXPECT_EQ(codes.size(), 24u);
    for (int group = 1; group <= 4; ++group) {
        EXPECT_EQ(perGroup[group], BlockCatalogue::groupSize(group));
    }
    EXPECT_EQ(BlockCatalogue::find(16), nullptr);
    EXPECT_EQ(BlockCatalogue::find(0), nullptr);
}

TEST(BlockCatalogue, OperatorsAndStrips) {
    const char* expected[] = {"=", ">", "<", ">=", "<=", "<>"};
    for (int mode = 0; mode < 6; ++mode) {
        EXPECT_EQ(BlockCatalogue::comparisonOperator(mode), QLatin1String(expected[mode]));
    }
    EXPECT_TRUE(BlockCatalogue::comparisonOperator(6).isEmpty());
    EXPECT_TRUE(BlockCatalogue::comparisonOperator(-1).isEmpty());
    EXPECT_EQ(BlockCatalogue::toolbarStrip(2, true), QStringLiteral("menuczytpiszang"));
}

// A read/write block's board tile and schema shape follow its mode; every other kind keeps
// its group's tile and its own shape whatever its mode holds.
TEST(BlockCatalogue, ReadingAndWritingBlocksHaveTheirOwnPictures) {
    const struct {
        int kind;
        int mode;
        const char* strip;
        int index;
        const char* shape;
    } rows[] = {
        {KindReadWrite, 0, "czytajpisz", 1, "wczytaj"},
        {KindReadWrite, 1, "czytajpisz", 2, "wypisz"},
        {KindMessage, 1, "czytaj", 4, "napisz"},
        {KindCompareVars, 1, "operacje", 2, "warunek"},
    };
    for (const auto& row : rows) {
        const BlockCatalogue::Tile tile = BlockCatalogue::cellTile(row.kind, row.mode);
        EXPECT_EQ(tile.strip, QLatin1String(row.strip)) << row.kind << " mode " << row.mode;
        EXPECT_EQ(tile.index, row.index) << row.kind << " mode " << row.mode;
        EXPECT_EQ(BlockCatalogue::schemaShape(row.kind, row.mode), QLatin1String(row.shape))
            << row.kind << " mode " << row.mode;
    }
    EXPECT_TRUE(BlockCatalogue::cellTile(0, 0).strip.isEmpty());
}

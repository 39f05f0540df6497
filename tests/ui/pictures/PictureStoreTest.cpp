#include "ui/pictures/PictureStore.h"

#include <gtest/gtest.h>

#include <set>

#include "PictureTesting.h"
#include "model/BlockCatalogue.h"

using namespace trevalon;

namespace {

// Every picture the catalogue lists is embedded, decodes, and has the listed size; the
// windows rely on the sizes (rows 23 high, cells 40 x 40, the dialog 350 x 150, ...).
TEST(PictureStoreCatalogue, EveryPictureDecodesAtItsSize) {
    PictureStore store;
    std::set<std::string> names;
    for (const PictureInfo& info : PictureCatalogue::all()) {
        EXPECT_TRUE(names.insert(info.name).second) << "listed twice: " << info.name;
        const QImage image = store.image(QLatin1String(info.name));
        ASSERT_FALSE(image.isNull()) << info.name;
        EXPECT_EQ(image.size(), QSize(info.width, info.height)) << info.name;
        EXPECT_TRUE(PictureStore::resourceData(QLatin1String(info.name)).startsWith("\xFF\xD8"))
            << info.name;
    }
    EXPECT_EQ(store.cachedCount(), int(PictureCatalogue::all().size()));
}

// Sizes that the windows' own layout fixes.
TEST(PictureStoreCatalogue, SizesFixedByTheWindows) {
    const struct {
        const char* name;
        QSize size;
    } fixed[] = {
        {"tloglowne", {90, 90}},         {"tlomaleblue", {40, 40}},
        {"tlomalered", {40, 40}},        {"menustart", {399, 50}},
        {"menuloncznikiang", {399, 50}}, {"oknowarning", {350, 150}},
        {"ikoinfo", {42, 43}},           {"buttak", {88, 26}},
        {"butcloseakt", {88, 26}},       {"wykonajliczba", {260, 180}},
        {"wykonajlistwa", {260, 22}},    {"wlasnosciaktywne", {240, 23}},
        {"opiswiersz", {250, 23}},       {"warunek", {180, 60}},
        {"ustawienia", {443, 500}},
    };
    for (const auto& picture : fixed) {
        const PictureInfo* info = PictureCatalogue::find(QLatin1String(picture.name));
        ASSERT_NE(info, nullptr) << picture.name;
        EXPECT_EQ(QSize(info->width, info->height), picture.size) << picture.name;
    }
}

TEST(PictureStoreCatalogue, UnknownOrHostileNamesGiveNullPictures) {
    PictureStore store;
    const QString names[] = {QString(),
                             QStringLiteral("nieznany"),
                             QStringLiteral("TLOGLOWNE"),
                             QStringLiteral("tloglowne.jpg"),
                             QStringLiteral("../tloglowne"),
                             QStringLiteral(":/pictures/tloglowne.jpg"),
                             QStringLiteral("tloglowne\n"),
                             QStringLiteral("tlo\u0142glowne"),
                             QString(QChar(0)) + QStringLiteral("tloglowne")};
    for (const QString& name : names) {
        EXPECT_TRUE(store.image(name).isNull()) << name.toStdString();
        EXPECT_TRUE(PictureStore::resourceData(name).isEmpty()) << name.toStdString();
        EXPECT_TRUE(store.tile(name, 1).isNull()) << name.toStdString();
    }
    EXPECT_EQ(store.cachedCount(), 0);
}

TEST(PictureStoreCache, DecodesOnceAndReleases) {
    PictureStore store;
    const QImage first = store.image(QStringLiteral("oknowarning"));
    const QImage second = store.image(QStringLiteral("oknowarning"));
    EXPECT_EQ(first.cacheKey(), second.cacheKey());
    EXPECT_EQ(store.cachedCount(), 1);
    store.release();
    EXPECT_EQ(store.cachedCount(), 0);
    EXPECT_EQ(store.image(QStringLiteral("oknowarning")), first);
    EXPECT_EQ(&PictureStore::shared(), &PictureStore::shared());
}

// Tile k of a group strip is the 40 x 40 square at 40 * (k - 1); a group has one tile per
// kind, and there is nothing beyond its last kind.
TEST(PictureStoreTiles, OneTilePerKindCutAtItsPlace) {
    PictureStore store;
    for (int group = 1; group <= 4; ++group) {
        const QString strip = BlockCatalogue::groupStrip(group);
        const QImage whole = store.image(strip);
        ASSERT_EQ(whole.size(), QSize(40 * BlockCatalogue::groupSize(group), 40))
            << strip.toStdString();
        for (int k = 1; k <= BlockCatalogue::groupSize(group); ++k) {
            const QImage tile = store.tile(strip, k);
            ASSERT_EQ(tile.size(), QSize(40, 40));
            EXPECT_EQ(tile, whole.copy(40 * (k - 1), 0, 40, 40)) << strip.toStdString() << k;
        }
        EXPECT_TRUE(store.tile(strip, 0).isNull());
        EXPECT_TRUE(store.tile(strip, -3).isNull());
        EXPECT_TRUE(store.tile(strip, BlockCatalogue::groupSize(group) + 1).isNull());
    }
    // Only strips one tile high are cut.
    EXPECT_TRUE(store.tile(QStringLiteral("oknowarning"), 1).isNull());
}

// Pictures that carry words have an English twin of the same size; the message dialog's
// buttons are named as the dialog expects in both languages.
TEST(PictureStoreLanguages, EnglishVariantsExistWithTheSameSize) {
    int variants = 0;
    for (const PictureInfo& info : PictureCatalogue::all()) {
        if (!info.english) {
            EXPECT_EQ(PictureStore::localName(QLatin1String(info.name), true),
                      QLatin1String(info.name));
            continue;
        }
        ++variants;
        const PictureInfo* english = PictureCatalogue::find(QLatin1String(info.english));
        ASSERT_NE(english, nullptr) << info.english;
        EXPECT_EQ(english->width, info.width) << info.english;
        EXPECT_EQ(english->height, info.height) << info.english;
        EXPECT_EQ(PictureStore::localName(QLatin1String(info.name), false),
                  QLatin1String(info.name));
    }
    EXPECT_GT(variants, 0);
    const struct {
        const char* polish;
        const char* english;
    } pairs[] = {{"buttak", "butyes"},
                 {"buttakakt", "butyesakt"},
                 {"butnie", "butno"},
                 {"butnieakt", "butnoakt"},
                 {"butanuluj", "butcancel"},
                 {"butanulujakt", "butcancelakt"},
                 {"butzamknij", "butclose"},
                 {"butzamknijakt", "butcloseakt"},
                 {"wlasnosciprzycisk", "wlasnosciprzyciskang"}};
    for (const auto& pair : pairs) {
        EXPECT_EQ(PictureStore::localName(QLatin1String(pair.polish), true),
                  QLatin1String(pair.english));
    }
    for (int group = 1; group <= 4; ++group) {
        EXPECT_EQ(PictureStore::localName(BlockCatalogue::toolbarStrip(group, false), true),
                  BlockCatalogue::toolbarStrip(group, true));
    }
}

// Every kind has its toolbar button with the three faces, and so have the run buttons.
TEST(PictureStoreToolbar, EveryButtonHasItsThreeFaces) {
    PictureStore store;
    std::vector<int> tags;
    for (const KindInfo& kind : BlockCatalogue::kinds()) {
        tags.push_back(kind.code);
    }
    tags.insert(tags.end(), {51, 52, 53});
    for (int tag : tags) {
        for (JetState state : {JetState::Up, JetState::Over, JetState::Chosen}) {
            const QString name = PictureCatalogue::jetButton(tag, state);
            EXPECT_FALSE(store.image(name).isNull()) << name.toStdString();
        }
    }
    EXPECT_EQ(PictureCatalogue::jetButton(31, JetState::Over), QStringLiteral("jet31over"));
    EXPECT_TRUE(PictureCatalogue::jetButton(16, JetState::Up).isEmpty());
    EXPECT_TRUE(PictureCatalogue::jetButton(0, JetState::Up).isEmpty());
}

TEST(PictureStoreSchema, EveryKindHasItsShape) {
    PictureStore store;
    for (const KindInfo& kind : BlockCatalogue::kinds()) {
        EXPECT_EQ(store.image(QLatin1String(kind.schemaPicture)).size(), QSize(180, 60))
            << kind.code;
    }
}

// The cursors keep their drawing and lose the key colour around it.
TEST(PictureStoreCursors, KeyColourBecomesTransparent) {
    PictureStore store;
    for (const char* name : {"ramkacur", "nocur"}) {
        const QImage image = store.cursorImage(QLatin1String(name));
        ASSERT_EQ(image.size(), QSize(32, 32)) << name;
        int transparent = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                transparent += qAlpha(image.pixel(x, y)) == 0;
            }
        }
        EXPECT_GT(transparent, 32 * 32 / 3) << name;
        EXPECT_LT(transparent, 32 * 32 * 9 / 10) << name;
        EXPECT_EQ(qAlpha(image.pixel(31, 31)), 0) << name;
        const QCursor cursor = store.cursor(QLatin1String(name));
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << name;
    }
    // The frame cursor points with its tip, the refusal sign with its middle.
    EXPECT_EQ(store.cursor(QStringLiteral("ramkacur")).hotSpot(), QPoint(1, 1));
    EXPECT_EQ(qAlpha(store.cursorImage(QStringLiteral("ramkacur")).pixel(1, 1)), 255);
    EXPECT_EQ(store.cursor(QStringLiteral("nocur")).hotSpot(), QPoint(15, 15));
    EXPECT_EQ(store.cursor(QStringLiteral("tloglowne")).shape(), Qt::ArrowCursor);
    EXPECT_TRUE(store.cursorImage(QStringLiteral("tloglowne")).isNull());
}

TEST(PictureStorePixmaps, PixmapMatchesImage) {
    PictureStore store;
    const QPixmap pixmap = store.pixmap(QStringLiteral("buttak"));
    EXPECT_EQ(pixmap.size(), QSize(88, 26));
    EXPECT_TRUE(store.pixmap(QStringLiteral("brak")).isNull());
}

}  // namespace

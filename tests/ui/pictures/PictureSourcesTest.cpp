// The embedded pictures against their sources, and the writer the build uses.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>

#include "Canvas.h"
#include "JpegWriter.h"
#include "PictureTesting.h"
#include "ui/pictures/JpegDecoder.h"
#include "ui/pictures/PictureStore.h"

using namespace trevalon;
using trevalon::testing::colourDistance;
using trevalon::testing::meanDifference;

namespace {

class PictureSources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QString failed;
        fontsLoaded = pictures::loadPictureFonts(QStringLiteral(PICTURE_FONTS), &failed);
        EXPECT_TRUE(fontsLoaded) << failed.toStdString();
    }
    static inline bool fontsLoaded = false;
};

// The worst 8 x 8 block: a caption or a line that went missing shows here even when the
// picture as a whole still looks alike.
double worstBlockDifference(const QImage& a, const QImage& b) {
    double worst = 0;
    for (int y = 0; y < a.height(); y += 8) {
        for (int x = 0; x < a.width(); x += 8) {
            const QRect block(x, y, std::min(8, a.width() - x), std::min(8, a.height() - y));
            worst = std::max(worst, meanDifference(a.copy(block), b.copy(block)));
        }
    }
    return worst;
}

// What the program shows is what the sources draw: each embedded JPEG is its recipe's
// picture up to the small loss of the compression (a stale resource, a writer that swaps
// channels or smears colour would fail here).
TEST_F(PictureSources, EmbeddedPicturesMatchWhatTheSourcesDraw) {
    ASSERT_TRUE(fontsLoaded);
    const pictures::Recipes recipes = pictures::allRecipes();
    PictureStore store;
    ASSERT_EQ(recipes.size(), PictureCatalogue::all().size());
    for (const PictureInfo& info : PictureCatalogue::all()) {
        const auto recipe = recipes.find(info.name);
        ASSERT_NE(recipe, recipes.end()) << info.name;
        const QImage drawn = recipe->second().convertToFormat(QImage::Format_RGB32);
        const QImage embedded = store.image(QLatin1String(info.name));
        ASSERT_EQ(drawn.size(), embedded.size()) << info.name;
        EXPECT_LT(meanDifference(drawn, embedded), 3.5) << info.name;
        EXPECT_LT(worstBlockDifference(drawn, embedded), 14.0) << info.name;
    }
}

// The writer keeps full colour resolution: a one-pixel red line stays red next to white,
// which a writer that halves the colour resolution would turn pink and spread.
TEST_F(PictureSources, WriterKeepsThinColouredLines) {
    QImage image = pictures::canvas(48, 48, Qt::white);
    for (int y = 0; y < 48; ++y) {
        image.setPixel(21, y, qRgb(220, 0, 0));
    }
    for (int x = 0; x < 48; ++x) {
        image.setPixel(x, 30, qRgb(0, 0, 200));
    }
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("lines.jpg"));
    QString error;
    ASSERT_TRUE(pictures::writeJpeg(image, path, 95, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QImage back = JpegDecoder::decode(file.readAll());
    ASSERT_EQ(back.size(), QSize(48, 48));
    for (int y : {4, 12, 40}) {
        EXPECT_LE(colourDistance(back.pixel(21, y), qRgb(220, 0, 0)), 40) << y;
        EXPECT_LE(colourDistance(back.pixel(23, y), qRgb(255, 255, 255)), 40) << y;
    }
    for (int x : {4, 12, 40}) {
        EXPECT_LE(colourDistance(back.pixel(x, 30), qRgb(0, 0, 200)), 40) << x;
        EXPECT_LE(colourDistance(back.pixel(x, 32), qRgb(255, 255, 255)), 40) << x;
    }
}

TEST_F(PictureSources, WriterReportsAPlaceItCannotWrite) {
    QString error;
    EXPECT_FALSE(pictures::writeJpeg(pictures::canvas(8, 8, Qt::white),
                                     QStringLiteral("/nonexistent-folder/x/y.jpg"), 90, &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace

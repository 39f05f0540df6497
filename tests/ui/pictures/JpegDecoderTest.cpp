#include "ui/pictures/JpegDecoder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>

#include "PictureTesting.h"

using namespace trevalon;
using trevalon::testing::averageColour;
using trevalon::testing::colourDistance;

namespace {

QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(PICTURE_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing fixture " << name;
        return {};
    }
    return file.readAll();
}

// JPEG is lossy: a flat area comes back within a few levels of what was written.
constexpr int Tolerance = 12;

struct QuadrantCase {
    const char* file;
};

class JpegDecoderQuadrants : public ::testing::TestWithParam<QuadrantCase> {};

// The fixtures were written by a different encoder: 64 x 48, red, green, blue and white
// quadrants. Both the baseline and the progressive file must give the same colours in the
// same places (a swapped channel or a flipped row would show here).
TEST_P(JpegDecoderQuadrants, DecodesSizeAndColoursOfAKnownPicture) {
    QString error;
    const QImage image = JpegDecoder::decode(fixture(GetParam().file), &error);
    ASSERT_FALSE(image.isNull()) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.size(), QSize(64, 48));
    const struct {
        QRect area;
        QRgb colour;
    } quadrants[] = {
        {QRect(4, 4, 24, 16), qRgb(220, 30, 40)},
        {QRect(36, 4, 24, 16), qRgb(30, 180, 60)},
        {QRect(4, 28, 24, 16), qRgb(40, 60, 210)},
        {QRect(36, 28, 24, 16), qRgb(250, 250, 250)},
    };
    for (const auto& quadrant : quadrants) {
        const QRgb seen = averageColour(image, quadrant.area);
        EXPECT_LE(colourDistance(seen, quadrant.colour), Tolerance)
            << "quadrant at " << quadrant.area.x() << "," << quadrant.area.y() << " is "
            << qRed(seen) << "," << qGreen(seen) << "," << qBlue(seen);
    }
}

INSTANTIATE_TEST_SUITE_P(BaselineAndProgressive, JpegDecoderQuadrants,
                         ::testing::Values(QuadrantCase{"quadrants.jpg"},
                                           QuadrantCase{"quadrants-progressive.jpg"}));

TEST(JpegDecoder, GreyPictureComesBackAsGreyRgb) {
    const QImage image = JpegDecoder::decode(fixture("grey.jpg"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(30, 20));
    EXPECT_LE(colourDistance(averageColour(image, QRect(2, 2, 10, 16)), qRgb(40, 40, 40)),
              Tolerance);
    EXPECT_LE(colourDistance(averageColour(image, QRect(18, 2, 10, 16)), qRgb(200, 200, 200)),
              Tolerance);
}

// Writes a big-endian 16-bit number into the start-of-frame header of a baseline file.
QByteArray withFrameSize(QByteArray data, int width, int height) {
    const qsizetype sof = data.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0 || sof + 9 > data.size()) {
        ADD_FAILURE() << "no start-of-frame marker";
        return data;
    }
    data[sof + 5] = char(height >> 8);
    data[sof + 6] = char(height & 0xFF);
    data[sof + 7] = char(width >> 8);
    data[sof + 8] = char(width & 0xFF);
    return data;
}

struct DamagedCase {
    const char* what;
    QByteArray (*make)();
};

void PrintTo(const DamagedCase& damaged, std::ostream* os) {
    *os << damaged.what;
}

class JpegDecoderRefuses : public ::testing::TestWithParam<DamagedCase> {};

// Damaged or foreign data gives a null picture and a reason; nothing crashes and nothing
// half-decoded comes back.
TEST_P(JpegDecoderRefuses, DamagedOrForeignData) {
    QString error;
    const QImage image = JpegDecoder::decode(GetParam().make(), &error);
    EXPECT_TRUE(image.isNull());
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JpegDecoderRefuses,
    ::testing::Values(
        DamagedCase{"empty", [] { return QByteArray(); }},
        DamagedCase{"one byte", [] { return QByteArray(1, '\xFF'); }},
        DamagedCase{"start marker alone", [] { return QByteArray("\xFF\xD8", 2); }},
        DamagedCase{"text", [] { return QByteArray("this is not a picture at all"); }},
        DamagedCase{"png signature",
                    [] { return QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16); }},
        DamagedCase{"random bytes",
                    [] {
                        QByteArray noise(4096, '\0');
                        QRandomGenerator generator(20240607);
                        for (char& c : noise) {
                            c = char(generator.bounded(256));
                        }
                        return noise;
                    }},
        DamagedCase{"header only", [] { return fixture("quadrants.jpg").left(160); }},
        DamagedCase{"cut in the middle of the data",
                    [] {
                        const QByteArray whole = fixture("quadrants.jpg");
                        return whole.left(whole.size() * 2 / 3);
                    }},
        DamagedCase{"cut before the end marker",
                    [] {
                        const QByteArray whole = fixture("quadrants.jpg");
                        return whole.left(whole.size() - 40);
                    }},
        DamagedCase{"zero width", [] { return withFrameSize(fixture("quadrants.jpg"), 0, 48); }},
        DamagedCase{"absurd size",
                    [] { return withFrameSize(fixture("quadrants.jpg"), 65000, 65000); }},
        DamagedCase{"wider than the limit", [] {
                        return withFrameSize(fixture("quadrants.jpg"), JpegDecoder::MaxSide + 8, 8);
                    }}));

TEST(JpegDecoder, ErrorIsOptional) {
    EXPECT_TRUE(JpegDecoder::decode(QByteArray("garbage")).isNull());
    EXPECT_FALSE(JpegDecoder::decode(fixture("quadrants.jpg")).isNull());
}

}  // namespace

namespace {

// Randomly damaged copies of a good file: each either decodes to a whole picture or is
// refused with a reason. Run under the sanitizers this also shows that no damage makes the
// decoder read or write out of bounds.
TEST(JpegDecoder, RandomDamageGivesAPictureOrAReason) {
    const QByteArray good = fixture("quadrants.jpg");
    ASSERT_FALSE(good.isEmpty());
    QRandomGenerator generator(7411);
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray damaged = good;
        const int hits = 1 + int(generator.bounded(4));
        for (int i = 0; i < hits; ++i) {
            damaged[qsizetype(generator.bounded(quint32(damaged.size())))] =
                char(generator.bounded(256));
        }
        if (round % 5 == 0) {
            damaged.truncate(qsizetype(generator.bounded(quint32(damaged.size()))));
        }
        QString error;
        const QImage image = JpegDecoder::decode(damaged, &error);
        if (image.isNull()) {
            ++refused;
            EXPECT_FALSE(error.isEmpty()) << "round " << round;
        } else {
            EXPECT_TRUE(error.isEmpty()) << "round " << round;
            EXPECT_EQ(image.format(), QImage::Format_RGB32);
            EXPECT_LE(image.width(), JpegDecoder::MaxSide);
            EXPECT_LE(qint64(image.width()) * image.height(), JpegDecoder::MaxPixels);
        }
    }
    // Every truncated round at least is refused.
    EXPECT_GE(refused, 80);
}

}  // namespace

#include "config/Cp1250.h"

#include <gtest/gtest.h>

namespace cp1250 = trevalon::cp1250;

TEST(Cp1250, PolishLettersBothWays) {
    const QString letters = QString::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    const QByteArray bytes(
        "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    EXPECT_EQ(cp1250::encode(letters), bytes);
    EXPECT_EQ(cp1250::decode(bytes), letters);
}

TEST(Cp1250, EveryByteSurvivesDecodeAndEncode) {
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte) {
        all.append(static_cast<char>(byte));
    }
    const QString text = cp1250::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(cp1250::encode(text), all);
    EXPECT_EQ(text[0x80], QChar(0x20AC));  // euro sign
    EXPECT_EQ(text[0x81], QChar(0x0081));  // undefined in the code page: kept as itself
    EXPECT_EQ(text[0xFF], QChar(0x02D9));
}

TEST(Cp1250, UnmappableCharactersBecomeTheFallback) {
    struct Row {
        const char* utf8;
        QByteArray expected;
    };
    const Row rows[] = {
        {"жук", "???"},
        {"a€b",
         "a\x80"
         "b"},
        {"日本", "??"},
        {"x😀y", "x?y"},  // one fallback for a surrogate pair
        {"ñ", "?"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(cp1250::encode(QString::fromUtf8(row.utf8)), row.expected) << row.utf8;
    }
    EXPECT_EQ(cp1250::encode(u"ж", '#'), QByteArray("#"));
    // A lone surrogate half cannot be written either.
    EXPECT_EQ(cp1250::encode(QString(QChar(0xD800)) + u'a'), QByteArray("?a"));
}

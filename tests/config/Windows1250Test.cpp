#include <gtest/gtest.h>

#include "config/Windows1250.h"

using trevalon::Windows1250;

namespace {

struct Letter {
    char16_t character;
    unsigned char byte;
};

// The Polish letters and a few neighbours as the code page defines them.
constexpr Letter kLetters[] = {
    {u'ą', 0xB9}, {u'ć', 0xE6}, {u'ę', 0xEA}, {u'ł', 0xB3}, {u'ń', 0xF1}, {u'ó', 0xF3},
    {u'ś', 0x9C}, {u'ź', 0x9F}, {u'ż', 0xBF}, {u'Ą', 0xA5}, {u'Ć', 0xC6}, {u'Ę', 0xCA},
    {u'Ł', 0xA3}, {u'Ń', 0xD1}, {u'Ó', 0xD3}, {u'Ś', 0x8C}, {u'Ź', 0x8F}, {u'Ż', 0xAF},
    {u'€', 0x80}, {u'„', 0x84}, {u'”', 0x94}, {u'–', 0x96}, {u'§', 0xA7}, {u'ß', 0xDF},
    {u'˙', 0xFF}, {u'Š', 0x8A}, {u'ő', 0xF5}, {u'A', 0x41}, {u'~', 0x7E}, {u'\t', 0x09},
};

}  // namespace

TEST(Windows1250Codec, PolishLettersMapBothWays) {
    for (const Letter& letter : kLetters) {
        const QString text(QChar(letter.character));
        EXPECT_EQ(Windows1250::encode(text), QByteArray(1, static_cast<char>(letter.byte)))
            << int(letter.character);
        EXPECT_EQ(Windows1250::decode(QByteArray(1, static_cast<char>(letter.byte))), text)
            << int(letter.byte);
    }
}

TEST(Windows1250Codec, PolishAlphabetAsOneText) {
    const QString letters = QString::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    const QByteArray bytes(
        "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    EXPECT_EQ(Windows1250::encode(letters), bytes);
    EXPECT_EQ(Windows1250::decode(bytes), letters);
}

TEST(Windows1250Codec, WholeSentenceHasKnownBytes) {
    const QString sentence = QStringLiteral("Zażółć gęślą jaźń");
    const QByteArray bytes("Za\xBF\xF3\xB3\xE6 g\xEA\x9C\x6C\xB9 ja\x9F\xF1");
    EXPECT_EQ(Windows1250::encode(sentence), bytes);
    EXPECT_EQ(Windows1250::decode(bytes), sentence);
}

TEST(Windows1250Codec, EveryByteDecodesToOneCharacterAndBack) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = Windows1250::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Windows1250::encode(text), all);
    EXPECT_EQ(text[0x80], QChar(0x20AC));  // euro sign
    EXPECT_EQ(text[0xFF], QChar(0x02D9));
    // The bytes the code page leaves undefined keep their own number.
    for (const int undefined : {0x81, 0x83, 0x88, 0x90, 0x98}) {
        EXPECT_EQ(text[undefined].unicode(), undefined);
    }
}

TEST(Windows1250Codec, UnmappableCharactersBecomeOneQuestionMarkEach) {
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("Жук"), QByteArray("???")},
        {QStringLiteral("a\u4E2Db"), QByteArray("a?b")},
        {QString::fromUtf8("x\xF0\x9F\x98\x80y"), QByteArray("x?y")},  // one surrogate pair
        {QString(QChar(0xD800)) + u'z', QByteArray("?z")},             // lone surrogate
        {QStringLiteral("ä ü"), QByteArray("\xE4 \xFC")},
        {QStringLiteral("жук"), QByteArray("???")},
        {QStringLiteral("a€b"), QByteArray("a\x80"
                                           "b")},
        {QStringLiteral("日本"), QByteArray("??")},
        {QStringLiteral("ñ"), QByteArray("?")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Windows1250::encode(c.text), c.bytes) << c.text.toStdString();
    }
    EXPECT_EQ(Windows1250::encode(u"ж", '#'), QByteArray("#"));
    EXPECT_EQ(Windows1250::encode(QString::fromUtf8("x\xF0\x9F\x98\x80y"), '#'), QByteArray("x#y"));
}

TEST(Windows1250Codec, CanEncodeTellsWhetherAnythingWouldBeLost) {
    EXPECT_TRUE(Windows1250::canEncode(QStringLiteral("Zażółć gęślą jaźń € \r\n")));
    EXPECT_FALSE(Windows1250::canEncode(QStringLiteral("Жук")));
    EXPECT_FALSE(Windows1250::canEncode(QString::fromUtf8("\xF0\x9F\x98\x80")));
    EXPECT_TRUE(Windows1250::canEncode(QString()));
}

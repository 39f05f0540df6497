#include <gtest/gtest.h>

#include "config/TpkXML.h"

using trevalon::XmlEscape;
using trevalon::XmlUnescape;

TEST(XmlEscaping, SpecialCharactersAndControlsBecomeReferences) {
    const struct {
        QString plain;
        QString escaped;
    } cases[] = {
        {QStringLiteral("a<b>&\"c'"), QStringLiteral("a&lt;b&gt;&amp;&quot;c&apos;")},
        {QStringLiteral("x\r\ny"), QStringLiteral("x&#13;&#10;y")},
        {QStringLiteral("line\r\nnext\tx"), QStringLiteral("line&#13;&#10;next&#9;x")},
        {QStringLiteral("\t\x01\x1F "), QStringLiteral("&#9;&#1;&#31; ")},
        {QStringLiteral("&amp;"), QStringLiteral("&amp;amp;")},
        {QStringLiteral("zażółć"), QStringLiteral("zażółć")},
        {QString(), QString()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(XmlEscape(c.plain), c.escaped);
        EXPECT_EQ(XmlUnescape(c.escaped), c.plain);
    }
}

TEST(XmlEscaping, TextsKeepTheBlanksAtTheirEndsAsReferences) {
    const struct {
        QString plain;
        QString escaped;
    } cases[] = {
        {QStringLiteral("Podaj "), QStringLiteral("Podaj&#32;")},
        {QStringLiteral("  a b  "), QStringLiteral("&#32; a b &#32;")},
        {QStringLiteral(" "), QStringLiteral("&#32;")},
        {QStringLiteral("  "), QStringLiteral("&#32;&#32;")},
        {QStringLiteral(" <"), QStringLiteral("&#32;&lt;")},
        {QStringLiteral("\t x"), QStringLiteral("&#9; x")},
        {QStringLiteral("a"), QStringLiteral("a")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trevalon::XmlEscapeText(c.plain), c.escaped) << c.plain.toStdString();
        EXPECT_EQ(XmlUnescape(c.escaped), c.plain);
    }
    // Attribute values are not trimmed, so they keep their blanks as they are.
    EXPECT_EQ(XmlEscape(QStringLiteral(" a ")), QStringLiteral(" a "));
}

TEST(XmlEscaping, UnescapeDecodesEachReferenceOnce) {
    const struct {
        QString stored;
        QString plain;
    } cases[] = {
        {QStringLiteral("&amp;lt;"), QStringLiteral("&lt;")},
        {QStringLiteral("&amp;apos;"), QStringLiteral("&apos;")},
        {QStringLiteral("&AMP;&Quot;&LT;&gT;&APOS;"), QStringLiteral("&\"<>'")},
        {QStringLiteral("&#13;&#10;"), QStringLiteral("\r\n")},
        {QStringLiteral("&#32;&#33;&#65;&#x41;&#013;&#0;&#;"),
         QStringLiteral(" &#33;&#65;&#x41;&#013;&#0;&#;")},
        {QStringLiteral("& &nbsp; &amp"), QStringLiteral("& &nbsp; &amp")},
        {QStringLiteral("a&"), QStringLiteral("a&")},
        {QStringLiteral("&#31;&#9"), QStringLiteral("\x1F&#9")},
        {QStringLiteral("&AMP;&Quot;&GT;"), QStringLiteral("&\">")},
        {QStringLiteral("&#65;&#x9;&#032;"), QStringLiteral("&#65;&#x9;&#032;")},
        {QStringLiteral("&#0;&#09;&#1;"), QStringLiteral("&#0;&#09;\x01")},
        {QStringLiteral("a & b &"), QStringLiteral("a & b &")},
        {QStringLiteral("&nbsp;"), QStringLiteral("&nbsp;")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(XmlUnescape(c.stored), c.plain) << c.stored.toStdString();
    }
}

TEST(XmlEscaping, EveryControlCharacterSurvivesTheRoundTrip) {
    QString all;
    for (char16_t ch = 1; ch < 128; ++ch) {
        all += QChar(ch);
    }
    const QString escaped = XmlEscape(all);
    EXPECT_FALSE(escaped.contains(u'\n'));
    EXPECT_FALSE(escaped.contains(u'<'));
    EXPECT_EQ(XmlUnescape(escaped), all);
}

#include <gtest/gtest.h>

#include "config/NativeName.h"
#include "config/OutsideText.h"

using namespace trevalon;

namespace {

struct ShownRow {
    QString text;
    QString oneLine;  // LineBreaks::Escaped
    QString lines;    // LineBreaks::Kept
};

struct CsvRow {
    QString text;
    QString asText;
    QString asData;
};

}  // namespace

TEST(ShownText, EscapesWhatCouldSteerATerminalAndNothingElse) {
    const ShownRow rows[] = {
        {QStringLiteral("anna.skb"), QStringLiteral("anna.skb"), QStringLiteral("anna.skb")},
        {QStringLiteral("zażółć 😀 \\x41"), QStringLiteral("zażółć 😀 \\x41"),
         QStringLiteral("zażółć 😀 \\x41")},
        {QStringLiteral("esc\x1B[31mred.skb"), QStringLiteral("esc\\x1B[31mred.skb"),
         QStringLiteral("esc\\x1B[31mred.skb")},
        {QStringLiteral("a\nb\tc\rd"), QStringLiteral("a\\x0Ab\\x09c\\x0Dd"),
         QStringLiteral("a\nb\tc\\x0Dd")},
        {QString(QChar(0)) + QStringLiteral("\x7F"), QStringLiteral("\\x00\\x7F"),
         QStringLiteral("\\x00\\x7F")},
        {QStringLiteral("\u0085\u009B"), QStringLiteral("\\u{0085}\\u{009B}"),
         QStringLiteral("\\u{0085}\\u{009B}")},
        {QStringLiteral("a\u202Eb\u2066c\u200Fd\u061C"),
         QStringLiteral("a\\u{202E}b\\u{2066}c\\u{200F}d\\u{061C}"),
         QStringLiteral("a\\u{202E}b\\u{2066}c\\u{200F}d\\u{061C}")},
        {QStringLiteral("a\u2028b\u2029"), QStringLiteral("a\\u{2028}b\\u{2029}"),
         QStringLiteral("a\\u{2028}b\\u{2029}")},
        {nameFromNative("\xA3ukasz.skb"), QStringLiteral("\\xA3ukasz.skb"),
         QStringLiteral("\\xA3ukasz.skb")},
        {QString(QChar(0xD800)) + u'x', QStringLiteral("\\u{D800}x"), QStringLiteral("\\u{D800}x")},
    };
    for (const ShownRow& row : rows) {
        EXPECT_EQ(shownText(row.text), row.oneLine) << row.oneLine.toStdString();
        EXPECT_EQ(shownText(row.text, LineBreaks::Kept), row.lines) << row.lines.toStdString();
    }
}

TEST(CsvCells, QuoteAsRfc4180AndNeutraliseFormulasOnlyInTexts) {
    const CsvRow rows[] = {
        {QStringLiteral("anna.skb"), QStringLiteral("anna.skb"), QStringLiteral("anna.skb")},
        {QStringLiteral("=cmd|' C calc'!A0.skb"), QStringLiteral("'=cmd|' C calc'!A0.skb"),
         QStringLiteral("=cmd|' C calc'!A0.skb")},
        {QStringLiteral("+1+1.skb"), QStringLiteral("'+1+1.skb"), QStringLiteral("+1+1.skb")},
        {QStringLiteral("-5"), QStringLiteral("'-5"), QStringLiteral("-5")},
        {QStringLiteral("@SUM(A1).skb"), QStringLiteral("'@SUM(A1).skb"),
         QStringLiteral("@SUM(A1).skb")},
        {QStringLiteral("\t=1"), QStringLiteral("'\t=1"), QStringLiteral("\t=1")},
        {QStringLiteral("\r=1"), QStringLiteral("\"'\r=1\""), QStringLiteral("\"\r=1\"")},
        {QStringLiteral("+SUM(1;2)"), QStringLiteral("'+SUM(1;2)"), QStringLiteral("+SUM(1;2)")},
        {QStringLiteral("=1,2"), QStringLiteral("\"'=1,2\""), QStringLiteral("\"=1,2\"")},
        {QStringLiteral("say \"hi\""), QStringLiteral("\"say \"\"hi\"\"\""),
         QStringLiteral("\"say \"\"hi\"\"\"")},
        {QStringLiteral("a\nb"), QStringLiteral("\"a\nb\""), QStringLiteral("\"a\nb\"")},
        {QStringLiteral("a=b-c"), QStringLiteral("a=b-c"), QStringLiteral("a=b-c")},
        {QString(), QString(), QString()},
    };
    for (const CsvRow& row : rows) {
        EXPECT_EQ(csvCell(row.text), row.asText) << row.text.toStdString();
        EXPECT_EQ(csvCell(row.text, CsvCell::Data), row.asData) << row.text.toStdString();
    }
}

TEST(NativeNames, ComeBackByteForByteWhateverTheyHold) {
    const QByteArray names[] = {
        "anna.skb",
        "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87.skb",  // zażółć, UTF-8
        "\xA3ukasz.skb",                           // Windows-1250
        "\xF0\x9F\x98\x80\xF0\x9F",                // an emoji, then a truncated one
        "\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80",    // overlong, surrogate, above U+10FFFF
        "\xED\xB2\xA3",                            // U+DCA3 written out: not UTF-8 either
        QByteArray("a\0b", 3),
        "",
    };
    for (const QByteArray& bytes : names) {
        const QString name = nameFromNative(bytes);
        EXPECT_EQ(nativeName(name), bytes) << bytes.toHex().toStdString();
        if (QString::fromUtf8(bytes).toUtf8() == bytes) {
            EXPECT_EQ(name, QString::fromUtf8(bytes)) << "UTF-8 decodes as usual";
        }
    }
    EXPECT_EQ(nameFromNative("\xA3x"), QString(QChar(0xDCA3)) + u'x');
}

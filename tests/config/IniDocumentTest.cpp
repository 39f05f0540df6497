#include "config/IniDocument.h"

#include <gtest/gtest.h>

using trevalon::IniDocument;
using trevalon::IniNode;

namespace {

QByteArray crlf(const char* text) {
    return QByteArray(text).replace("\n", "\r\n");
}

}  // namespace

TEST(IniEscaping, EscapesMarkupAndControlCharacters) {
    struct Row {
        const char16_t* text;
        const char16_t* escaped;
    };
    const Row rows[] = {
        {u"a<b>&\"c'", u"a&lt;b&gt;&amp;&quot;c&apos;"},
        {u"line\r\nnext\tx", u"line&#13;&#10;next&#9;x"},
        {u"&amp;", u"&amp;amp;"},
        {u"zażółć", u"zażółć"},
        {u"", u""},
    };
    for (const Row& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(IniDocument::escape(text), QString::fromUtf16(row.escaped));
        EXPECT_EQ(IniDocument::unescape(IniDocument::escape(text)), text);
    }
}

TEST(IniEscaping, UnescapesEachReferenceOnceAndLeavesOthers) {
    struct Row {
        const char16_t* stored;
        const char16_t* text;
    };
    const Row rows[] = {
        {u"&amp;lt;", u"&lt;"},                    // decoding never starts another reference
        {u"&AMP;&Quot;&GT;", u"&\">"},             // names in any case
        {u"&#65;&#x9;&#32;", u"&#65;&#x9;&#32;"},  // only 1..31 in decimal
        {u"&#0;&#09;&#1;", u"&#0;&#09;\x01"},
        {u"a & b &", u"a & b &"},
        {u"&nbsp;", u"&nbsp;"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IniDocument::unescape(QString::fromUtf16(row.stored)),
                  QString::fromUtf16(row.text))
            << QString::fromUtf16(row.stored).toStdString();
    }
}

TEST(IniWriter, WritesDeclarationTabIndentAndCrLf) {
    IniDocument document;
    IniNode& ini = document.topLevel(QStringLiteral("Ini"));
    ini.child(QStringLiteral("ed")).text = QStringLiteral("VAByAGUAdgBhAGwAbwBuAA==");
    ini.child(QStringLiteral("empty"));  // an element with nothing in it is left out
    ini.child(QStringLiteral("lg")).text = IniDocument::escape(QStringLiteral("a<b"));
    EXPECT_EQ(document.save(), crlf("<?xml encoding=\"WINDOWS-1250\"?>\n"
                                    "<Ini>\n"
                                    "\t<ed>VAByAGUAdgBhAGwAbwBuAA==</ed>\n"
                                    "\t<lg>a&lt;b</lg>\n"
                                    "</Ini>\n"));
}

TEST(IniWriter, KeepsCommentsAttributesAndCharacterDataOfAReadFile) {
    const QByteArray file = crlf(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- hand edited -->\n"
        "<Ini mode='x' empty=\"\">\n"
        "\t<![CDATA[raw <b> & data]]>\n"
        "\t<leaf a=\"1\"/>\n"
        "</Ini>\n");
    IniDocument document;
    ASSERT_TRUE(document.load(file));
    EXPECT_EQ(document.save(), crlf("<?xml version=\"1.0\" encoding=\"WINDOWS-1250\"?>\n"
                                    "<!-- hand edited -->\n"
                                    "<Ini mode=\"x\">\n"
                                    "\t<![CDATA[raw <b> & data]]>\n"
                                    "\t<leaf a=\"1\"/>\n"
                                    "</Ini>\n"));
}

TEST(IniWriter, NeutralisesCharacterDataTerminators) {
    IniDocument document;
    IniNode& ini = document.topLevel(QStringLiteral("Ini"));
    ini.characterData = QStringLiteral("a]]>b<![cdata[c");
    EXPECT_EQ(document.save(), crlf("<?xml encoding=\"WINDOWS-1250\"?>\n"
                                    "<Ini>\n"
                                    "\t<![CDATA[a__>b<!_CDATA_c]]>\n"
                                    "</Ini>\n"));
}

TEST(IniReader, MatchesNamesWithoutCaseAndUnescapesTexts) {
    IniDocument document;
    ASSERT_TRUE(document.load(crlf("<INI>\n  <Ed>  x&amp;y  </ED>\n</ini>\n")));
    IniNode& ini = document.topLevel(QStringLiteral("Ini"));
    EXPECT_TRUE(ini.closed);
    ASSERT_EQ(ini.findChild(QStringLiteral("ed")), 0);
    EXPECT_EQ(IniDocument::unescape(ini.child(QStringLiteral("eD")).text), QStringLiteral("x&y"));
    // A missing element is created empty, and stays out of the written file.
    EXPECT_TRUE(ini.child(QStringLiteral("fl")).text.isEmpty());
    EXPECT_EQ(ini.children.size(), 2u);
}

TEST(IniReader, DamageKeepsWhatWasReadBefore) {
    struct Row {
        const char* file;
        int keptChildren;
    };
    const Row rows[] = {
        {"<Ini><a>1</a><b>2</c></Ini>", 2},        // mismatched end tag
        {"<Ini><a>1</a><b x=1>2</b></Ini>", 1},    // unquoted attribute
        {"<Ini><a>1</a><b x=\"1>2</b></Ini>", 1},  // unterminated attribute value
        {"<Ini><a>1</a><b/x>2</b></Ini>", 1},     {"<Ini><a>1</a><&bin>", 1},
        {"<Ini><a>1</a><!-- no end", 1},
    };
    for (const Row& row : rows) {
        IniDocument document;
        EXPECT_FALSE(document.load(QByteArray(row.file))) << row.file;
        const int ini = document.root().findChild(QStringLiteral("Ini"));
        ASSERT_EQ(ini, 0) << row.file;
        const IniNode& node = document.root().children[0];
        EXPECT_EQ(static_cast<int>(node.children.size()), row.keptChildren) << row.file;
        EXPECT_EQ(node.children[0].text, QStringLiteral("1")) << row.file;
    }
}

TEST(IniReader, SelfClosedTagOwnsTheTextAfterIt) {
    IniDocument document;
    ASSERT_TRUE(document.load(QByteArray("<Ini><a k=\"v\"/>tail<b>x</b></Ini>")));
    const IniNode& ini = document.root().children[0];
    ASSERT_EQ(ini.children.size(), 2u);
    EXPECT_EQ(ini.children[0].attribute(QStringLiteral("K")), QStringLiteral("v"));
    EXPECT_EQ(ini.children[0].text, QStringLiteral("tail"));
    EXPECT_TRUE(ini.children[0].children.empty());
}

TEST(IniReader, AttributeValueEndsAtEitherQuote) {
    IniDocument document;
    document.load(QByteArray("<Ini a=\"it's\"/>"));
    ASSERT_EQ(document.root().children.size(), 1u);
    const IniNode& ini = document.root().children[0];
    EXPECT_EQ(ini.attribute(QStringLiteral("a")), QStringLiteral("it"));
}

TEST(IniReader, ReadsUtf16WithByteOrderMarkAndWindows1250Otherwise) {
    const QString text = QString::fromUtf8("<Ini><fl>Żółw</fl></Ini>");
    QByteArray utf16("\xFF\xFE", 2);
    for (const QChar ch : text) {
        utf16.append(static_cast<char>(ch.unicode() & 0xFF));
        utf16.append(static_cast<char>(ch.unicode() >> 8));
    }
    utf16.append('\0');  // an odd last byte is ignored
    const QByteArray cp1250("<?xml encoding=\"UTF-8\"?><Ini><fl>\xAF\xF3\xB3w</fl></Ini>");
    for (const QByteArray& bytes : {utf16, cp1250}) {
        IniDocument document;
        ASSERT_TRUE(document.load(bytes));
        IniNode& ini = document.topLevel(QStringLiteral("Ini"));
        EXPECT_EQ(ini.child(QStringLiteral("fl")).text, QString::fromUtf8("Żółw"));
    }
}

TEST(IniReader, SurvivesHostileInput) {
    QByteArray deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "<a>";
    }
    IniDocument document;
    EXPECT_FALSE(document.load(deep));
    EXPECT_FALSE(document.load(QByteArray("<")));
    EXPECT_FALSE(document.load(QByteArray()));
    EXPECT_TRUE(document.root().children.empty());

    QByteArray noise;
    quint32 seed = 12345;
    for (int round = 0; round < 200; ++round) {
        noise.clear();
        for (int i = 0; i < 300; ++i) {
            seed = seed * 1103515245u + 12345u;
            const char pick[] = "<>/=\"'?!-[]&a \r\n";
            noise.append(pick[(seed >> 16) % (sizeof(pick) - 1)]);
        }
        document.load(noise);
        document.save();  // whatever was read can be written again
    }
}

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <QFile>

#include "config/TpkXML.h"

using namespace trevalon;

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(TpkXMLWriterOutput, SmallDocumentHasExactBytes) {
    TpkXML doc;
    TpkXMLNode* root = doc.topElement(QStringLiteral("Ini"));
    root->addChild(QStringLiteral("Jezyk"))->setText(QStringLiteral("pl"));
    TpkXMLNode* group = root->addChild(QStringLiteral("Okno"));
    group->addChild(QStringLiteral("Tytuł"))->setText(QStringLiteral("Zażółć <1> & \"2\"\r\n"));
    group->addChild(QStringLiteral("Pusty"));
    TpkXMLNode* tagged = group->addChild(QStringLiteral("Znacznik"));
    tagged->attributes().add(QStringLiteral("a"), QStringLiteral("x'y"));
    tagged->attributes().add(QStringLiteral("b"), QString());
    const QByteArray expected =
        "<?xml encoding=\"WINDOWS-1250\"?>\r\n"
        "<Ini>\r\n"
        "\t<Jezyk>pl</Jezyk>\r\n"
        "\t<Okno>\r\n"
        "\t\t<Tytu\xB3>Za\xBF\xF3\xB3\xE6 &lt;1&gt; &amp; &quot;2&quot;&#13;&#10;</Tytu\xB3>\r\n"
        "\t\t<Znacznik a=\"x&apos;y\"/>\r\n"
        "\t</Okno>\r\n"
        "</Ini>\r\n";
    EXPECT_EQ(doc.saveToBuffer(), expected);
    // The declaration was added once, as the first node, and is reused on the next write.
    EXPECT_EQ(doc.root().childCount(), 2);
    EXPECT_EQ(doc.saveToBuffer(), expected);
}

TEST(TpkXMLWriterOutput, DeclarationIsMovedFirstAndGetsTheEncoding) {
    TpkXML doc;
    doc.topElement(QStringLiteral("r"))->setText(QStringLiteral("1"));
    TpkXMLNode* declaration =
        doc.root().addChild(QStringLiteral("XML"), XmlNodeKind::ProcessingInstruction);
    declaration->attributes().add(QStringLiteral("Encoding"), QStringLiteral("UTF-8"));
    EXPECT_EQ(doc.saveToBuffer(), QByteArray("<?XML Encoding=\"WINDOWS-1250\"?>\r\n<r>1</r>\r\n"));
    EXPECT_EQ(doc.root().child(0), declaration);
}

TEST(TpkXMLWriterOutput, EmptyElementsAreDroppedUnlessAsked) {
    const struct {
        XmlWriteOptions options;
        QByteArray expected;
    } cases[] = {
        {XmlWriteOptions::compact(), "<r><t>1</t></r>"},
        {[] {
             XmlWriteOptions o = XmlWriteOptions::compact();
             o.writeEmptyElements = true;
             return o;
         }(),
         "<r><e/><a/><t>1</t></r>"},
        {[] {
             XmlWriteOptions o = XmlWriteOptions::compact();
             o.writeEmptyAttributes = true;
             return o;
         }(),
         "<r><a k=\"\"/><t>1</t></r>"},
        {[] {
             XmlWriteOptions o = XmlWriteOptions::compact();
             o.selfCloseEmpty = false;
             return o;
         }(),
         "<r><e></e><a></a><t>1</t></r>"},
    };
    for (const auto& c : cases) {
        TpkXML doc(c.options);
        TpkXMLNode* r = doc.topElement(QStringLiteral("r"));
        r->addChild(QStringLiteral("e"));
        r->addChild(QStringLiteral("a"))->attributes().add(QStringLiteral("k"), QString());
        r->addChild(QStringLiteral("t"))->setText(QStringLiteral("1"));
        EXPECT_EQ(doc.saveToBuffer(), c.expected);
    }
}

TEST(TpkXMLWriterOutput, CommentsAndCharacterDataAreWrittenSafely) {
    TpkXML doc(XmlWriteOptions::compact());
    TpkXMLNode* r = doc.topElement(QStringLiteral("r"));
    r->setCharacterData(QStringLiteral("a]]>b<![cdata[c"));
    r->addChild(QString(), XmlNodeKind::Comment)->setText(QStringLiteral("note & <x>"));
    EXPECT_EQ(doc.saveToBuffer(),
              QByteArray("<r><![CDATA[a__>b<!_CDATA_c]]><!-- note &amp; &lt;x&gt; --></r>"));
    TpkXML back(XmlWriteOptions::compact());
    EXPECT_TRUE(back.loadFromBuffer(doc.saveToBuffer()));
    EXPECT_EQ(back.root().child(0)->characterData(), QStringLiteral("a__>b<!_CDATA_c"));
    // A comment is written as it was read, so its text survives any number of saves.
    EXPECT_EQ(back.root().child(0)->child(0)->text(), QStringLiteral("note & <x>"));
    EXPECT_EQ(back.saveToBuffer(), doc.saveToBuffer());
}

TEST(TpkXMLWriterOutput, TextsWithEveryTroublesomeCharacterComeBackUnchanged) {
    const QString texts[] = {
        QStringLiteral("<&>\"'"),
        QStringLiteral("line 1\r\nline 2\n\tx"),
        QStringLiteral("&apos; stays literal"),
        QStringLiteral("&#13; literal too"),
        QStringLiteral("ĄĆĘŁŃÓŚŹŻąćęłńóśźż €"),
    };
    for (const bool unicode : {false, true}) {
        TpkXML doc;
        doc.options.unicode = unicode;
        TpkXMLNode* r = doc.topElement(QStringLiteral("r"));
        for (const QString& text : texts) {
            r->addChild(QStringLiteral("t"))->setText(text);
            r->addChild(QStringLiteral("a"))->attributes().add(QStringLiteral("v"), text);
        }
        const QByteArray bytes = doc.saveToBuffer();
        // The declaration, <r>, one line per element, </r>: every text stays on one line.
        const QByteArray lineBreak = unicode ? QByteArray("\r\0\n\0", 4) : QByteArray("\r\n");
        EXPECT_EQ(bytes.count(lineBreak), 3 + 2 * int(std::size(texts)));
        TpkXML back;
        ASSERT_TRUE(back.loadFromBuffer(bytes));
        TpkXMLNode* b = back.topElement(QStringLiteral("r"), false);
        ASSERT_NE(b, nullptr);
        for (int i = 0; i < int(std::size(texts)); ++i) {
            EXPECT_EQ(b->child(b->findChild(QStringLiteral("t"), i))->text(), texts[i]);
            const TpkXMLNode* a = b->child(b->findChild(QStringLiteral("a"), i));
            EXPECT_EQ(a->attributes().at(0)->value(), texts[i]);
        }
    }
}

TEST(TpkXMLWriterFiles, SavingCreatesOneMissingFolderLevelOnly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TpkXML doc;
    doc.topElement(QStringLiteral("r"))->setText(QStringLiteral("1"));
    const QString oneLevel = dir.filePath(QStringLiteral("new/file.xml"));
    EXPECT_TRUE(doc.saveToFile(oneLevel));
    EXPECT_EQ(readBytes(oneLevel), doc.saveToBuffer());
    QString error;
    EXPECT_FALSE(doc.saveToFile(dir.filePath(QStringLiteral("a/b/file.xml")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("a"))));
}

TEST(TpkXMLWriterFiles, LoadFromFileReadsWhatSaveWrote) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("doc.xml"));
    TpkXML doc;
    doc.topElement(QStringLiteral("r"))
        ->addChild(QStringLiteral("ż"))
        ->setText(QStringLiteral("ł"));
    ASSERT_TRUE(doc.saveToFile(file));
    TpkXML back;
    EXPECT_TRUE(back.loadFromFile(file));
    EXPECT_EQ(back.topElement(QStringLiteral("R"))->findOrCreateChild(QStringLiteral("Ż"))->text(),
              QStringLiteral("ł"));
    ASSERT_TRUE(QFile(file).resize(0));
    EXPECT_FALSE(back.loadFromFile(file));
}

namespace {

QByteArray crlf(const char* text) {
    return QByteArray(text).replace("\n", "\r\n");
}

}  // namespace

TEST(TpkXMLWriterSettingsLayout, DeclarationTabIndentAndCrLf) {
    TpkXML doc;
    TpkXMLNode* ini = doc.topElement(QStringLiteral("Ini"));
    ini->findOrCreateChild(QStringLiteral("ed"))
        ->setText(QStringLiteral("VAByAGUAdgBhAGwAbwBuAA=="));
    ini->findOrCreateChild(QStringLiteral("empty"));  // an element with nothing in it is left out
    ini->findOrCreateChild(QStringLiteral("lg"))->setText(QStringLiteral("a<b"));
    EXPECT_EQ(doc.saveToBuffer(), crlf("<?xml encoding=\"WINDOWS-1250\"?>\n"
                                       "<Ini>\n"
                                       "\t<ed>VAByAGUAdgBhAGwAbwBuAA==</ed>\n"
                                       "\t<lg>a&lt;b</lg>\n"
                                       "</Ini>\n"));
}

TEST(TpkXMLWriterSettingsLayout, KeepsCommentsAttributesAndCharacterDataOfAReadFile) {
    const QByteArray file = crlf(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- hand edited -->\n"
        "<Ini mode='x' empty=\"\">\n"
        "\t<![CDATA[raw <b> & data]]>\n"
        "\t<leaf a=\"1\"/>\n"
        "</Ini>\n");
    TpkXML doc;
    ASSERT_TRUE(doc.loadFromBuffer(file));
    EXPECT_EQ(doc.saveToBuffer(), crlf("<?xml version=\"1.0\" encoding=\"WINDOWS-1250\"?>\n"
                                       "<!-- hand edited -->\n"
                                       "<Ini mode=\"x\">\n"
                                       "\t<![CDATA[raw <b> & data]]>\n"
                                       "\t<leaf a=\"1\"/>\n"
                                       "</Ini>\n"));
}

TEST(TpkXMLWriterSettingsLayout, NeutralisesCharacterDataTerminators) {
    TpkXML doc;
    doc.topElement(QStringLiteral("Ini"))->setCharacterData(QStringLiteral("a]]>b<![cdata[c"));
    EXPECT_EQ(doc.saveToBuffer(), crlf("<?xml encoding=\"WINDOWS-1250\"?>\n"
                                       "<Ini>\n"
                                       "\t<![CDATA[a__>b<!_CDATA_c]]>\n"
                                       "</Ini>\n"));
}

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "config/TpkXML.h"
#include "config/Windows1250.h"

using namespace trevalon;

namespace {

QByteArray utf16(const QString& text, bool mark = true) {
    QByteArray bytes = mark ? QByteArray("\xFF\xFE", 2) : QByteArray();
    for (const QChar ch : text) {
        bytes.append(static_cast<char>(ch.unicode() & 0xFF));
        bytes.append(static_cast<char>(ch.unicode() >> 8));
    }
    return bytes;
}

TpkXMLNode* path(TpkXML& doc, std::initializer_list<const char*> names) {
    TpkXMLNode* node = &doc.root();
    for (const char* name : names) {
        node = node->findOrCreateChild(QLatin1StringView(name), false);
        if (node == nullptr) {
            return nullptr;
        }
    }
    return node;
}

QByteArray deeplyNested() {
    QByteArray deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "<a>";
    }
    return deep;
}

int countNodes(const TpkXMLNode& node) {
    int count = 0;
    for (int i = 0; i < node.childCount(); ++i) {
        count += 1 + countNodes(*node.child(i));
    }
    return count;
}

}  // namespace

TEST(TpkXMLReaderTolerance, NamesMatchWithoutRegardToCase) {
    TpkXML doc;
    EXPECT_TRUE(doc.loadFromBuffer("<TREVALON><Pl1><NAM>x</nam></pl1></trevalon>"));
    TpkXMLNode* name = path(doc, {"Trevalon", "PL1", "Nam"});
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("x"));
    EXPECT_TRUE(name->closed());
    EXPECT_EQ(doc.root().child(0)->findChild(QStringLiteral("pL1")), 0);
}

TEST(TpkXMLReaderTolerance, MismatchedEndTagFailsButKeepsWhatWasRead) {
    TpkXML doc;
    EXPECT_FALSE(doc.loadFromBuffer("<a><b>1</b><c>2</d><e>3</e></a>"));
    ASSERT_NE(path(doc, {"a", "b"}), nullptr);
    EXPECT_EQ(path(doc, {"a", "b"})->text(), QStringLiteral("1"));
    ASSERT_NE(path(doc, {"a", "c"}), nullptr);
    EXPECT_FALSE(path(doc, {"a", "c"})->closed());
    EXPECT_EQ(path(doc, {"a", "e"}), nullptr);
}

TEST(TpkXMLReaderTolerance, MissingEndTagsAtTheEndAreNotAFault) {
    TpkXML doc;
    EXPECT_TRUE(doc.loadFromBuffer("<a><b>text"));
    ASSERT_NE(path(doc, {"a", "b"}), nullptr);
    EXPECT_EQ(path(doc, {"a", "b"})->text(), QStringLiteral("text"));
    EXPECT_FALSE(path(doc, {"a"})->closed());
}

TEST(TpkXMLReaderTolerance, AttributeValuesEndAtTheFirstQuoteOfEitherKind) {
    const struct {
        const char* input;
        bool ok;
        const char* name;
        const char* value;
    } cases[] = {
        {R"(<a x="1'2"/>)", true, "x", "1"},  // the value ends at '; `2"/` is a bare name
        {R"(<a x='v' y="w"/>)", true, "y", "w"},
        {R"(<a x = "spaced" />)", true, "x", "spaced"},
        {R"(<a flag />)", true, "flag", ""},
        {R"(<a x=v/>)", false, nullptr, nullptr},
        {R"(<a x="never closed/>)", false, nullptr, nullptr},
        {R"(<a x="&amp;&#10;"/>)", true, "x", "&\n"},
    };
    for (const auto& c : cases) {
        TpkXML doc;
        EXPECT_EQ(doc.loadFromBuffer(c.input), c.ok) << c.input;
        if (c.name == nullptr) {
            continue;
        }
        TpkXMLNode* a = path(doc, {"a"});
        ASSERT_NE(a, nullptr) << c.input;
        const int index = a->attributes().find(QLatin1StringView(c.name));
        ASSERT_GE(index, 0) << c.input;
        EXPECT_EQ(a->attributes().at(index)->value(), QString::fromUtf8(c.value)) << c.input;
    }
}

TEST(TpkXMLReaderTolerance, SelfClosedTagKeepsTheTextThatFollowsIt) {
    TpkXML doc;
    EXPECT_TRUE(doc.loadFromBuffer("<r><a k=\"v\"/> after <b>x</b></r>"));
    TpkXMLNode* a = path(doc, {"r", "a"});
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->attributes().count(), 1);
    EXPECT_EQ(a->childCount(), 0);
    EXPECT_EQ(a->text(), QStringLiteral("after"));
    EXPECT_FALSE(a->closed());
    EXPECT_EQ(path(doc, {"r", "b"})->text(), QStringLiteral("x"));
}

TEST(TpkXMLReaderTolerance, TextAroundChildrenIsJoinedAndTrimmed) {
    TpkXML doc;
    EXPECT_TRUE(doc.loadFromBuffer("<r>\r\n\t one <c>2</c> two\t<c>3</c>\r\n</r>"));
    TpkXMLNode* r = path(doc, {"r"});
    EXPECT_EQ(r->text(), QStringLiteral("onetwo"));
    EXPECT_EQ(r->childCount(), 2);
    EXPECT_EQ(r->child(r->findChild(QStringLiteral("c"), 1))->text(), QStringLiteral("3"));
    EXPECT_EQ(r->findChild(QStringLiteral("c"), 2), -1);

    TpkXML untrimmed(XmlWriteOptions{.trimText = false});
    EXPECT_TRUE(untrimmed.loadFromBuffer("<r><c> 2 </c></r>"));
    EXPECT_EQ(path(untrimmed, {"r", "c"})->text(), QStringLiteral(" 2 "));
}

TEST(TpkXMLReaderTolerance, CommentsDeclarationsInstructionsAndCharacterData) {
    TpkXML doc;
    EXPECT_TRUE(doc.loadFromBuffer(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!DOCTYPE trevalon>\r\n"
        "<!--  a note  -->\r\n<r><![cdata[ <raw> & ]]><![CDATA[second]]><c/></r>"));
    const TpkXMLNode& root = doc.root();
    ASSERT_EQ(root.childCount(), 4);
    EXPECT_EQ(root.child(0)->kind(), XmlNodeKind::ProcessingInstruction);
    EXPECT_EQ(root.child(0)->name(), QStringLiteral("xml"));
    EXPECT_EQ(root.child(0)->attributes().count(), 2);
    EXPECT_EQ(root.child(1)->kind(), XmlNodeKind::Declaration);
    EXPECT_EQ(root.child(1)->name(), QStringLiteral("DOCTYPE"));
    EXPECT_EQ(root.child(2)->kind(), XmlNodeKind::Comment);
    EXPECT_EQ(root.child(2)->text(), QStringLiteral("a note"));
    const TpkXMLNode* r = root.child(3);
    EXPECT_EQ(r->characterData(), QStringLiteral("second"));
    EXPECT_EQ(r->childCount(), 1);
    EXPECT_TRUE(r->closed());
}

TEST(TpkXMLReaderTolerance, ProcessingInstructionMustEndWithQuestionMarkAndBracket) {
    TpkXML doc;
    EXPECT_FALSE(doc.loadFromBuffer("<?xml a=\"1\" ? x><r/>"));
    TpkXML bare;
    EXPECT_TRUE(bare.loadFromBuffer("<?xml?><r>1</r>"));
    EXPECT_EQ(bare.root().child(0)->name(), QStringLiteral("xml"));
    EXPECT_EQ(path(bare, {"r"})->text(), QStringLiteral("1"));
}

TEST(TpkXMLReaderTolerance, SlashInsideATagMustCloseIt) {
    TpkXML doc;
    EXPECT_FALSE(doc.loadFromBuffer("<r><a / ></r>"));
}

TEST(TpkXMLReaderEncoding, EightBitInputIsWindows1250WhateverItsDeclarationSays) {
    TpkXML doc;
    EXPECT_TRUE(doc.loadFromBuffer("<?xml encoding=\"UTF-8\"?><t>\xBF\xF3\xB3w</t>"));
    EXPECT_FALSE(doc.options.unicode);
    EXPECT_EQ(path(doc, {"t"})->text(), QStringLiteral("żółw"));
}

TEST(TpkXMLReaderEncoding, ByteOrderMarkMeansUtf16AndIsWrittenBackAsUtf16) {
    TpkXML doc;
    const QByteArray input = utf16(QStringLiteral("<t>Жук żółw</t>")) + QByteArray(1, 'x');
    EXPECT_TRUE(doc.loadFromBuffer(input));
    EXPECT_TRUE(doc.options.unicode);
    EXPECT_EQ(path(doc, {"t"})->text(), QStringLiteral("Жук żółw"));
    const QByteArray written = doc.saveToBuffer();
    EXPECT_TRUE(written.startsWith(utf16(QStringLiteral("<?xml encoding=\"UTF-16\"?>\r\n<t>"))));
    TpkXML again;
    EXPECT_TRUE(again.loadFromBuffer(written));
    EXPECT_EQ(path(again, {"t"})->text(), QStringLiteral("Жук żółw"));
}

TEST(TpkXMLReaderEncoding, ForcedUnicodeNeedsNoMark) {
    TpkXML doc;
    EXPECT_TRUE(doc.loadFromBuffer(utf16(QStringLiteral("<t>ą</t>"), false), true));
    EXPECT_EQ(path(doc, {"t"})->text(), QStringLiteral("ą"));
}

TEST(TpkXMLReaderBinary, BinaryNodesReadTheirBytesAndSurviveARoundTrip) {
    const QByteArray payload("\x00\x01<&>\xFF", 6);
    for (const bool unicode : {false, true}) {
        TpkXML doc;
        doc.options.unicode = unicode;
        TpkXMLNode* r = doc.topElement(QStringLiteral("r"));
        r->addChild(QStringLiteral("blob"), XmlNodeKind::Binary)->setBinary(payload);
        r->addChild(QStringLiteral("after"))->setText(QStringLiteral("ok"));
        const QByteArray bytes = doc.saveToBuffer();
        TpkXML back;
        EXPECT_TRUE(back.loadFromBuffer(bytes)) << unicode;
        TpkXMLNode* blob = path(back, {"r", "blob"});
        ASSERT_NE(blob, nullptr);
        EXPECT_EQ(blob->kind(), XmlNodeKind::Binary);
        EXPECT_EQ(blob->binary(), payload);
        ASSERT_NE(path(back, {"r", "after"}), nullptr) << unicode;
        EXPECT_EQ(path(back, {"r", "after"})->text(), QStringLiteral("ok"));
    }
}

TEST(TpkXMLReaderBinary, LengthPastTheEndCopiesNothing) {
    TpkXML doc;
    doc.loadFromBuffer(
        QByteArray("<r><&b>\xFF\xFF\xFF\x7F"
                   "abc",
                   15));
    TpkXMLNode* b = path(doc, {"r", "b"});
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->binary().isEmpty());
}

TEST(TpkXMLReaderLimits, TinyBuffersAndMissingFilesAreRefused) {
    TpkXML doc;
    EXPECT_FALSE(doc.loadFromBuffer(QByteArray()));
    EXPECT_FALSE(doc.loadFromBuffer(QByteArray("<")));
    EXPECT_FALSE(doc.loadFromFile(QStringLiteral("/nonexistent/file.skb")));
}

TEST(TpkXMLReaderLimits, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    TpkXML doc;
    EXPECT_FALSE(doc.loadFromBuffer(deeplyNested()));
    EXPECT_EQ(doc.root().childCount(), 1);
}

TEST(TpkXMLReaderLimits, FloodsOfNodesOrAttributesAreRefusedWithAnEmptyTree) {
    const auto repeated = [](const QByteArray& piece, int times, const QByteArray& around) {
        QByteArray bytes = "<r>" + around;
        for (int i = 0; i < times; ++i) {
            bytes += piece;
        }
        return bytes + around + "</r>";
    };
    // The root element is a node too.
    const int room = TpkXML::MaxNodes - 1;
    const struct {
        QByteArray file;
        bool refused;
    } rows[] = {
        {repeated("<a/>", room, ""), false},
        {repeated("<a/>", room + 1, ""), true},
        {repeated("<!---->", room + 1, ""), true},
        {"<r><b" + QByteArray(" k=\"\"").repeated(room) + "/></r>", true},
        {repeated("<a/>", room - 1, "<a k=\"1\"/>"), true},
    };
    for (const auto& row : rows) {
        TpkXML doc;
        EXPECT_EQ(doc.loadFromBuffer(row.file), !row.refused) << row.file.left(16).constData();
        EXPECT_EQ(doc.loadError(), row.refused ? XmlLoadError::TooManyNodes : XmlLoadError::None);
        EXPECT_EQ(doc.root().childCount(), row.refused ? 0 : 1);
    }
}

TEST(TpkXMLReaderLimits, ManyChildrenAreFoundByNameAsFewAre) {
    // Beyond a few dozen children a node looks them up through an index; the answers must
    // not change, also after the children were added to or moved.
    for (const int count : {8, 400}) {
        TpkXMLNode node(QStringLiteral("Pl1"));
        for (int i = 0; i < count; ++i) {
            node.addChild(QStringLiteral("kl%1").arg(i % (count / 2)),
                          i % 3 == 0 ? XmlNodeKind::Comment : XmlNodeKind::Element);
        }
        const XmlNodeKind comment = XmlNodeKind::Comment;
        const int half = count / 2;
        EXPECT_EQ(node.findChild(QStringLiteral("KL1")), 1) << count;
        EXPECT_EQ(node.findChild(QStringLiteral("Kl1"), 1), half + 1) << count;
        EXPECT_EQ(node.findChild(QStringLiteral("kl1"), 2), -1) << count;
        EXPECT_EQ(node.findChild(QStringLiteral("kl0"), 0, &comment), 0) << count;
        EXPECT_EQ(node.findChild(QStringLiteral("kl"), 0), -1) << count;
        TpkXMLNode* added = node.findOrCreateChild(QStringLiteral("NEW"));
        EXPECT_EQ(node.findChild(QStringLiteral("new")), count) << count;
        EXPECT_EQ(node.findOrCreateChild(QStringLiteral("nEw")), added) << count;
        node.moveChild(count, 0);
        EXPECT_EQ(node.findChild(QStringLiteral("new")), 0) << count;
        EXPECT_EQ(node.findChild(QStringLiteral("kl1")), 2) << count;
        node.clear();
        EXPECT_EQ(node.findChild(QStringLiteral("new")), -1) << count;
    }
    // Case folding beyond ASCII, as the comparison does it.
    TpkXMLNode node;
    for (int i = 0; i < 100; ++i) {
        node.addChild(QStringLiteral("Żółw%1").arg(i));
    }
    EXPECT_EQ(node.findChild(QStringLiteral("żÓŁW42")), 42);
}

TEST(TpkXMLReaderLimits, NamelessElementsAreWrittenAsTheyReadBack) {
    XmlWriteOptions options = XmlWriteOptions::compact();
    options.writeEmptyElements = true;
    TpkXML doc(options);
    ASSERT_TRUE(doc.loadFromBuffer("<r><></><a>1</a></r>"));
    const QByteArray written = doc.saveToBuffer();
    EXPECT_EQ(written, QByteArray("<r><></><a>1</a></r>"));
    TpkXML again(options);
    ASSERT_TRUE(again.loadFromBuffer(written));
    EXPECT_EQ(again.saveToBuffer(), written);
    EXPECT_EQ(again.root().child(0)->childCount(), 2);
}

TEST(TpkXMLReaderLimits, AnyBytesAreReadWithoutHarm) {
    // Fragments of the syntax shuffled at random, then plain random bytes.
    const QByteArray pieces[] = {"<",   ">", "/",       "?",        "!",     "&",   "=",
                                 "\"",  "'", "[CDATA[", "]]>",      "--",    "-->", "a",
                                 "Pl1", " ", "\r\n",    "\xFF\xFE", "&#13;", "\x00"};
    QRandomGenerator random(20240315);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int length = random.bounded(1, 60);
        for (int i = 0; i < length; ++i) {
            if (round % 2 == 0) {
                bytes += pieces[random.bounded(int(std::size(pieces)))];
            } else {
                bytes += static_cast<char>(random.bounded(256));
            }
        }
        TpkXML doc;
        doc.loadFromBuffer(bytes);
        // Every node the reader makes stands on a "<" of its own.
        const QString decoded =
            doc.options.unicode && bytes.size() > 1
                ? QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                     (bytes.size() - 2) / 2)
                : Windows1250::decode(bytes);
        ASSERT_LE(countNodes(doc.root()), decoded.count(u'<')) << bytes.toHex().constData();
        // What was read can always be written and read again.
        TpkXML copy;
        copy.loadFromBuffer(doc.saveToBuffer());
    }
}

TEST(TpkXMLReaderTolerance, SettingsNamesMatchWithoutCaseAndTextsAreUnescaped) {
    TpkXML doc;
    ASSERT_TRUE(doc.loadFromBuffer("<INI>\r\n  <Ed>  x&amp;y  </ED>\r\n</ini>\r\n"));
    TpkXMLNode* ini = doc.topElement(QStringLiteral("Ini"));
    EXPECT_TRUE(ini->closed());
    ASSERT_EQ(ini->findChild(QStringLiteral("ed")), 0);
    EXPECT_EQ(ini->findOrCreateChild(QStringLiteral("eD"))->text(), QStringLiteral("x&y"));
    // A missing element is created empty, and stays out of the written file.
    EXPECT_TRUE(ini->findOrCreateChild(QStringLiteral("fl"))->text().isEmpty());
    EXPECT_EQ(ini->childCount(), 2);
    EXPECT_FALSE(doc.saveToBuffer().contains("fl"));
}

TEST(TpkXMLReaderTolerance, DamageKeepsWhatWasReadBefore) {
    const struct {
        const char* file;
        int keptChildren;
    } rows[] = {
        {"<Ini><a>1</a><b>2</c></Ini>", 2},        // mismatched end tag
        {"<Ini><a>1</a><b x=1>2</b></Ini>", 1},    // unquoted attribute
        {"<Ini><a>1</a><b x=\"1>2</b></Ini>", 1},  // unterminated attribute value
        {"<Ini><a>1</a><b/x>2</b></Ini>", 1},      // slash that does not close the tag
    };
    for (const auto& row : rows) {
        TpkXML doc;
        EXPECT_FALSE(doc.loadFromBuffer(QByteArray(row.file))) << row.file;
        ASSERT_EQ(doc.root().findChild(QStringLiteral("Ini")), 0) << row.file;
        const TpkXMLNode& ini = *doc.root().child(0);
        EXPECT_EQ(ini.childCount(), row.keptChildren) << row.file;
        EXPECT_EQ(ini.child(0)->text(), QStringLiteral("1")) << row.file;
    }
}

TEST(TpkXMLReaderTolerance, InputEndingInsideACommentOrBinaryNodeIsNoFault) {
    const struct {
        const char* file;
        XmlNodeKind lastKind;
    } rows[] = {
        {"<Ini><a>1</a><!-- no end", XmlNodeKind::Comment},
        {"<Ini><a>1</a><&bin>", XmlNodeKind::Binary},
    };
    for (const auto& row : rows) {
        TpkXML doc;
        EXPECT_TRUE(doc.loadFromBuffer(QByteArray(row.file))) << row.file;
        TpkXMLNode* ini = path(doc, {"Ini"});
        ASSERT_NE(ini, nullptr) << row.file;
        ASSERT_EQ(ini->childCount(), 2) << row.file;
        EXPECT_EQ(ini->child(0)->text(), QStringLiteral("1")) << row.file;
        EXPECT_EQ(ini->child(1)->kind(), row.lastKind) << row.file;
    }
}

TEST(TpkXMLReaderTolerance, SelfClosedTagOwnsTheTextAfterItAndItsAttributes) {
    TpkXML doc;
    ASSERT_TRUE(doc.loadFromBuffer(QByteArray("<Ini><a k=\"v\"/>tail<b>x</b></Ini>")));
    const TpkXMLNode& ini = *doc.root().child(0);
    ASSERT_EQ(ini.childCount(), 2);
    const TpkXMLNode& a = *ini.child(0);
    const int k = a.attributes().find(QStringLiteral("K"));
    ASSERT_GE(k, 0);
    EXPECT_EQ(a.attributes().at(k)->value(), QStringLiteral("v"));
    EXPECT_EQ(a.text(), QStringLiteral("tail"));
    EXPECT_EQ(a.childCount(), 0);
}

TEST(TpkXMLReaderTolerance, AttributeValueStopsAtAnApostropheInsideDoubleQuotes) {
    TpkXML doc;
    doc.loadFromBuffer(QByteArray("<Ini a=\"it's\"/>"));
    ASSERT_EQ(doc.root().childCount(), 1);
    const TpkXMLAttrs& attrs = doc.root().child(0)->attributes();
    ASSERT_EQ(attrs.find(QStringLiteral("a")), 0);
    EXPECT_EQ(attrs.at(0)->value(), QStringLiteral("it"));
}

TEST(TpkXMLReaderEncoding, SettingsReadFromUtf16WithMarkOrWindows1250Otherwise) {
    QByteArray marked = utf16(QString::fromUtf8("<Ini><fl>Żółw</fl></Ini>"));
    marked.append('\0');  // an odd last byte is ignored
    const QByteArray eightBit("<?xml encoding=\"UTF-8\"?><Ini><fl>\xAF\xF3\xB3w</fl></Ini>");
    for (const QByteArray& bytes : {marked, eightBit}) {
        TpkXML doc;
        ASSERT_TRUE(doc.loadFromBuffer(bytes));
        TpkXMLNode* ini = doc.topElement(QStringLiteral("Ini"));
        EXPECT_EQ(ini->findOrCreateChild(QStringLiteral("fl"))->text(), QString::fromUtf8("Żółw"));
    }
}

TEST(TpkXMLReaderLimits, ReusedDocumentSurvivesHostileInput) {
    TpkXML doc;
    EXPECT_FALSE(doc.loadFromBuffer(deeplyNested()));
    EXPECT_FALSE(doc.loadFromBuffer(QByteArray("<")));
    EXPECT_FALSE(doc.loadFromBuffer(QByteArray()));
    EXPECT_EQ(doc.root().childCount(), 0);  // nothing left over from the earlier loads

    QByteArray noise;
    quint32 seed = 12345;
    for (int round = 0; round < 200; ++round) {
        noise.clear();
        for (int i = 0; i < 300; ++i) {
            seed = seed * 1103515245u + 12345u;
            const char pick[] = "<>/=\"'?!-[]&a \r\n";
            noise.append(pick[(seed >> 16) % (sizeof(pick) - 1)]);
        }
        doc.loadFromBuffer(noise);
        doc.saveToBuffer();  // whatever was read can be written again
    }
}

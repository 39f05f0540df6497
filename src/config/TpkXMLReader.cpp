// The tolerant reader: it takes what it can from any bytes, keeps every node read before a
// fault, and stops at the end of the input wherever it is.

#include <QtEndian>

#include "config/TpkXML.h"
#include "config/Utf16Le.h"
#include "config/Windows1250.h"

namespace trevalon {
namespace {

// Nesting deeper than this is refused instead of exhausting the stack.
constexpr int kMaxDepth = 200;

bool isWhite(QChar ch) {
    return ch == u'\t' || ch == u'\n' || ch == u'\r' || ch == u' ';
}

QString trimWhite(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isWhite(text[first])) {
        ++first;
    }
    while (last > first && isWhite(text[last - 1])) {
        --last;
    }
    return first == 0 && last == text.size() ? text : text.mid(first, last - first);
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

class Parser {
public:
    // `raw` and `rawStart` locate the characters in the input bytes for binary nodes:
    // character i starts at byte rawStart + i * unitSize.
    Parser(QString text, const QByteArray& raw, qsizetype rawStart, int unitSize, bool trimText)
        : m_text(std::move(text)),
          m_raw(raw),
          m_rawStart(rawStart),
          m_unitSize(unitSize),
          m_trim(trimText) {}

    bool parseChildren(TpkXMLNode& parent, int depth);
    // Set when the document held more than TpkXML::MaxNodes nodes and attributes.
    bool flooded() const { return m_flooded; }

private:
    enum class NodeResult { Node, CharacterData, Failed };

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }
    void advance(qsizetype count = 1) { m_pos = std::min(m_pos + count, m_text.size()); }
    bool lookingAt(QLatin1StringView what) const {
        return QStringView(m_text).mid(m_pos, what.size()).compare(what, Qt::CaseInsensitive) == 0;
    }
    void skipWhite() {
        while (!atEnd() && isWhite(m_text[m_pos])) {
            ++m_pos;
        }
    }
    // Up to (not including) `stop`, or to the end.
    QString readUntil(QChar stop) {
        qsizetype at = m_text.indexOf(stop, m_pos);
        if (at < 0) {
            at = m_text.size();
        }
        QString piece = m_text.mid(m_pos, at - m_pos);
        m_pos = at;
        return piece;
    }
    // Up to `stop`, which is stepped over; false when the input ends first.
    bool readThrough(QLatin1StringView stop, QString* piece) {
        const qsizetype at = m_text.indexOf(stop, m_pos, Qt::CaseInsensitive);
        const qsizetype end = at < 0 ? m_text.size() : at;
        *piece = m_text.mid(m_pos, end - m_pos);
        m_pos = at < 0 ? m_text.size() : at + stop.size();
        return at >= 0;
    }
    template <typename Stop>
    QString readWhileNot(Stop stop) {
        const qsizetype from = m_pos;
        while (!atEnd() && !stop(m_text[m_pos])) {
            ++m_pos;
        }
        return m_text.mid(from, m_pos - from);
    }

    // Counts one more node or attribute; false, and reading stops, beyond the limit.
    bool count() {
        m_flooded = ++m_nodes > TpkXML::MaxNodes;
        return !m_flooded;
    }

    NodeResult parseNode(TpkXMLNode& parent, std::unique_ptr<TpkXMLNode>& node, bool& selfClosed);
    bool parseAttributes(TpkXMLNode& node, bool& selfClosed);
    void readBinary(TpkXMLNode& node);

    QString m_text;
    const QByteArray& m_raw;
    qsizetype m_rawStart;
    int m_unitSize;
    bool m_trim;
    qsizetype m_pos = 0;
    int m_nodes = 0;
    bool m_flooded = false;
};

bool Parser::parseChildren(TpkXMLNode& parent, int depth) {
    if (depth > kMaxDepth) {
        return false;
    }
    while (true) {
        QString text = readUntil(u'<');
        if (m_trim) {
            text = trimWhite(text);
        }
        if (!text.isEmpty()) {
            parent.appendEscapedText(text);
        }
        if (atEnd()) {
            return true;
        }
        advance();  // '<'
        if (peek() == u'/') {
            advance();
            const QString name = readWhileNot([](QChar ch) { return isWhite(ch) || ch == u'>'; });
            skipWhite();
            if (peek() == u'>' && sameName(name, parent.name())) {
                advance();
                parent.setClosed(true);
                return true;
            }
            return false;
        }
        std::unique_ptr<TpkXMLNode> node;
        bool selfClosed = false;
        const NodeResult result = parseNode(parent, node, selfClosed);
        if (result == NodeResult::Failed || (result == NodeResult::Node && !count())) {
            return false;
        }
        if (result == NodeResult::Node) {
            bool childrenRead = true;
            TpkXMLNode* added = parent.addChild(std::move(node));
            if (added->kind() == XmlNodeKind::Element && !selfClosed) {
                childrenRead = parseChildren(*added, depth + 1);
            }
            if (!childrenRead) {
                return false;
            }
        }
        skipWhite();
        if (atEnd()) {
            return true;
        }
    }
}

Parser::NodeResult Parser::parseNode(TpkXMLNode& parent, std::unique_ptr<TpkXMLNode>& node,
                                     bool& selfClosed) {
    XmlNodeKind kind = XmlNodeKind::Element;
    if (peek() == u'!') {
        advance();
        if (lookingAt(QLatin1StringView("[CDATA["))) {
            advance(7);
            QString data;
            readThrough(QLatin1StringView("]]>"), &data);
            parent.setCharacterData(data);
            return NodeResult::CharacterData;
        }
        if (lookingAt(QLatin1StringView("--"))) {
            advance(2);
            QString comment;
            readThrough(QLatin1StringView("-->"), &comment);
            node = std::make_unique<TpkXMLNode>(QString(), XmlNodeKind::Comment);
            node->setEscapedText(trimWhite(comment));
            selfClosed = true;
            return NodeResult::Node;
        }
        kind = XmlNodeKind::Declaration;
        selfClosed = true;
    } else if (peek() == u'&') {
        advance();
        kind = XmlNodeKind::Binary;
    } else if (peek() == u'?') {
        advance();
        kind = XmlNodeKind::ProcessingInstruction;
        selfClosed = true;
    }
    const bool instruction = kind == XmlNodeKind::ProcessingInstruction;
    const QString name = readWhileNot([instruction](QChar ch) {
        return isWhite(ch) || ch == u'/' || ch == u'>' || (instruction && ch == u'?');
    });
    node = std::make_unique<TpkXMLNode>(name, kind);
    skipWhite();
    if (!parseAttributes(*node, selfClosed)) {
        return NodeResult::Failed;
    }
    if (kind == XmlNodeKind::Binary) {
        readBinary(*node);
        return NodeResult::Node;
    }
    if (m_trim) {
        skipWhite();
    }
    QString text = readUntil(u'<');
    node->setEscapedText(m_trim ? trimWhite(text) : text);
    return NodeResult::Node;
}

bool Parser::parseAttributes(TpkXMLNode& node, bool& selfClosed) {
    const bool instruction = node.kind() == XmlNodeKind::ProcessingInstruction;
    while (!atEnd()) {
        skipWhite();
        if (peek() == u'/') {
            advance();
            if (peek() != u'>') {
                return false;
            }
            advance();
            selfClosed = true;
            return true;
        }
        if (peek() == u'>') {
            advance();
            return true;
        }
        const QString name =
            readWhileNot([](QChar ch) { return isWhite(ch) || ch == u'=' || ch == u'>'; });
        if (instruction && name == QLatin1StringView("?")) {
            if (peek() != u'>') {
                return false;
            }
            advance();
            return true;
        }
        skipWhite();
        QString value;
        if (peek() == u'=') {
            advance();
            skipWhite();
            if (peek() != u'"' && peek() != u'\'') {
                return false;
            }
            advance();
            value = readWhileNot([](QChar ch) { return ch == u'"' || ch == u'\''; });
            if (atEnd()) {
                return false;
            }
            advance();
        }
        if (!count()) {
            return false;
        }
        node.attributes().addEscaped(trimWhite(name), value);
    }
    return true;
}

// The content of a binary node is raw bytes of the input, also in a UTF-16 file; the read
// position moves on by the declared length even where the bytes are missing.
void Parser::readBinary(TpkXMLNode& node) {
    const qint64 at = m_rawStart + qint64(m_pos) * m_unitSize;
    if (at + 4 > m_raw.size()) {
        m_pos = m_text.size();
        return;
    }
    const qint64 length = qFromLittleEndian<quint32>(m_raw.constData() + at);
    if (at + 4 + length <= m_raw.size()) {
        node.setBinary(m_raw.mid(at + 4, length));
    }
    const qint64 units = (4 + length + m_unitSize - 1) / m_unitSize;
    m_pos = static_cast<qsizetype>(std::min<qint64>(m_pos + units, m_text.size()));
    // The writer closes a binary node with an end tag; take it as the node's own.
    const qsizetype mark = m_pos;
    skipWhite();
    if (lookingAt(QLatin1StringView("</"))) {
        advance(2);
        const QString name = readWhileNot([](QChar ch) { return isWhite(ch) || ch == u'>'; });
        skipWhite();
        if (peek() == u'>' && sameName(name, node.name())) {
            advance();
            node.setClosed(true);
            return;
        }
    }
    m_pos = mark;
}

}  // namespace

bool TpkXML::loadFromBuffer(const QByteArray& bytes, bool forceUnicode) {
    m_root.clear();
    m_loadError = XmlLoadError::Unreadable;
    if (bytes.size() <= 1) {
        return false;
    }
    const bool mark = static_cast<unsigned char>(bytes[0]) == 0xFF &&
                      static_cast<unsigned char>(bytes[1]) == 0xFE;
    options.unicode = mark || forceUnicode;
    QString text;
    qsizetype start = 0;
    if (options.unicode) {
        start = mark ? 2 : 0;
        text = Utf16Le::decode(QByteArrayView(bytes).sliced(start));
    } else {
        text = Windows1250::decode(bytes);
    }
    Parser parser(std::move(text), bytes, start, options.unicode ? 2 : 1, options.trimText);
    const bool complete = parser.parseChildren(m_root, 0);
    if (parser.flooded()) {
        m_root.clear();
        m_loadError = XmlLoadError::TooManyNodes;
        return false;
    }
    m_loadError = complete ? XmlLoadError::None : XmlLoadError::Malformed;
    return complete;
}

}  // namespace trevalon

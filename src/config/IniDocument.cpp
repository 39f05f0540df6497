#include "config/IniDocument.h"

#include <array>

#include "config/Windows1250.h"

namespace trevalon {
namespace {

const QString kIndent = QStringLiteral("\t");
const QString kNewline = QStringLiteral("\r\n");

bool isBlank(QChar ch) {
    return ch == u' ' || ch == u'\t' || ch == u'\n' || ch == u'\r';
}

QString trimmed(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin).toString();
}

// Reads the node tree from decoded text. Every read past the end yields nothing, so each loop
// ends at the end of the input.
class Parser {
public:
    explicit Parser(QStringView input) : m_in(input) {}

    bool children(IniNode& parent, int depth);

private:
    bool atEnd() const { return m_pos >= m_in.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_in[m_pos]; }
    void skipBlanks() {
        while (!atEnd() && isBlank(m_in[m_pos])) {
            ++m_pos;
        }
    }
    bool startsWith(QStringView what) const {
        return m_in.sliced(m_pos).startsWith(what, Qt::CaseInsensitive);
    }
    // Text up to (not including) the first of `stops`, or to the end.
    QStringView readUntilAny(QStringView stops, bool stopAtBlank) {
        const qsizetype start = m_pos;
        while (!atEnd() && !stops.contains(m_in[m_pos]) && !(stopAtBlank && isBlank(m_in[m_pos]))) {
            ++m_pos;
        }
        return m_in.sliced(start, m_pos - start);
    }
    // Text up to `terminator`, which is stepped over; false when it never comes.
    bool readUntilString(QStringView terminator, QString& out) {
        const qsizetype found = m_in.indexOf(terminator, m_pos);
        if (found < 0) {
            m_pos = m_in.size();
            return false;
        }
        out = m_in.sliced(m_pos, found - m_pos).toString();
        m_pos = found + terminator.size();
        return true;
    }

    bool endTag(IniNode& parent);
    bool node(IniNode& parent, IniNode& out, bool& selfClosed, bool& characterData);
    bool attributes(IniNode& out, bool& selfClosed);

    QStringView m_in;
    qsizetype m_pos = 0;
};

bool Parser::children(IniNode& parent, int depth) {
    while (!atEnd()) {
        const QString text = trimmed(readUntilAny(u"<", false));
        if (!text.isEmpty()) {
            parent.text += text;
        }
        if (atEnd()) {
            return true;
        }
        ++m_pos;  // the '<'
        if (peek() == u'/') {
            ++m_pos;
            return endTag(parent);
        }
        IniNode child;
        bool selfClosed = false;
        bool characterData = false;
        if (!node(parent, child, selfClosed, characterData)) {
            return false;
        }
        if (!characterData) {
            bool ok = true;
            if (child.kind == IniNode::Element && !selfClosed) {
                ok = depth < IniDocument::MaxDepth && children(child, depth + 1);
            }
            parent.children.push_back(std::move(child));
            if (!ok) {
                return false;
            }
        }
        skipBlanks();
    }
    return true;
}

bool Parser::endTag(IniNode& parent) {
    const QString name = readUntilAny(u">", true).toString();
    skipBlanks();
    if (peek() == u'>' && name.compare(parent.name, Qt::CaseInsensitive) == 0) {
        ++m_pos;
        parent.closed = true;
        return true;
    }
    return false;
}

bool Parser::node(IniNode& parent, IniNode& out, bool& selfClosed, bool& characterData) {
    if (peek() == u'!') {
        ++m_pos;
        if (startsWith(u"[CDATA[")) {
            m_pos += 7;
            characterData = true;
            QString data;
            const bool complete = readUntilString(u"]]>", data);
            parent.characterData = data;
            return complete;
        }
        if (startsWith(u"--")) {
            m_pos += 2;
            QString comment;
            const bool complete = readUntilString(u"-->", comment);
            out.kind = IniNode::Comment;
            out.text = trimmed(comment);
            selfClosed = true;
            return complete;
        }
        out.kind = IniNode::Declaration;
        selfClosed = true;
    } else if (peek() == u'&') {
        return false;
    } else if (peek() == u'?') {
        ++m_pos;
        out.kind = IniNode::ProcessingInstruction;
        selfClosed = true;
    }
    out.name = readUntilAny(u"/>", true).toString();
    skipBlanks();
    bool selfClosedTag = false;
    if (!attributes(out, selfClosedTag)) {
        return false;
    }
    selfClosed = selfClosed || selfClosedTag;
    skipBlanks();
    out.text = trimmed(readUntilAny(u"<", false));
    return true;
}

bool Parser::attributes(IniNode& out, bool& selfClosed) {
    while (true) {
        skipBlanks();
        if (atEnd()) {
            return false;
        }
        if (peek() == u'/') {
            ++m_pos;
            if (peek() != u'>') {
                return false;
            }
            ++m_pos;
            selfClosed = true;
            return true;
        }
        if (peek() == u'>') {
            ++m_pos;
            return true;
        }
        const QString name = trimmed(readUntilAny(u"=>", true));
        if (out.kind == IniNode::ProcessingInstruction && name == u"?") {
            if (peek() != u'>') {
                return false;
            }
            ++m_pos;
            return true;
        }
        skipBlanks();
        QString value;
        if (peek() == u'=') {
            ++m_pos;
            skipBlanks();
            if (peek() != u'"' && peek() != u'\'') {
                return false;
            }
            ++m_pos;
            value = readUntilAny(u"\"'", false).toString();
            if (atEnd()) {
                return false;
            }
            ++m_pos;
        }
        out.attributes.append({name, value});
    }
}

class Writer {
public:
    QString text;

    void node(const IniNode& node, const QString& prefix);

private:
    static bool hasVisibleAttribute(const IniNode& node) {
        for (const auto& attribute : node.attributes) {
            if (!IniDocument::unescape(attribute.second).isEmpty()) {
                return true;
            }
        }
        return false;
    }
};

void Writer::node(const IniNode& node, const QString& prefix) {
    const bool hasContent = !node.characterData.isEmpty() || !node.children.empty();
    const bool selfClosing = node.text.isEmpty() && !hasContent;
    if (selfClosing && !hasVisibleAttribute(node)) {
        return;  // an empty element carries nothing worth a line
    }
    if (node.kind == IniNode::Comment) {
        text += prefix + QStringLiteral("<!-- ") + IniDocument::unescape(node.text) +
                QStringLiteral(" -->") + kNewline;
        return;
    }
    static const std::array<QString, 4> openers = {QStringLiteral("<"), QStringLiteral("<?"),
                                                   QStringLiteral("<!"), QStringLiteral("<")};
    text += prefix + openers[node.kind] + node.name;
    for (const auto& [name, value] : node.attributes) {
        if (!IniDocument::unescape(value).isEmpty()) {
            text +=
                QStringLiteral(" ") + name + QStringLiteral("=\"") + value + QStringLiteral("\"");
        }
    }
    if (node.kind == IniNode::ProcessingInstruction) {
        text += u"?>";
    } else {
        text += selfClosing ? u"/>" : u">";
    }
    text += node.text;
    if (hasContent) {
        text += kNewline;
    }
    if (!node.characterData.isEmpty()) {
        QString data = node.characterData;
        data.replace(QStringLiteral("[CDATA["), QStringLiteral("_CDATA_"), Qt::CaseInsensitive);
        data.replace(QStringLiteral("]]>"), QStringLiteral("__>"));
        text += prefix + kIndent + QStringLiteral("<![CDATA[") + data + QStringLiteral("]]>") +
                kNewline;
    }
    for (const IniNode& child : node.children) {
        this->node(child, prefix + kIndent);
    }
    if (hasContent) {
        text += prefix;
    }
    if (!selfClosing && node.kind != IniNode::ProcessingInstruction) {
        text += QStringLiteral("</") + node.name + QStringLiteral(">");
    }
    text += kNewline;
}

struct Reference {
    QStringView entity;
    QChar character;
};

constexpr std::array<Reference, 5> kNamedReferences = {{
    {u"&quot;", u'"'},
    {u"&gt;", u'>'},
    {u"&lt;", u'<'},
    {u"&amp;", u'&'},
    {u"&apos;", u'\''},
}};

}  // namespace

int IniNode::findChild(const QString& wanted) const {
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (children[i].name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

IniNode& IniNode::child(const QString& wanted) {
    const int index = findChild(wanted);
    if (index >= 0) {
        return children[static_cast<std::size_t>(index)];
    }
    IniNode created;
    created.name = wanted;
    children.push_back(std::move(created));
    return children.back();
}

QString IniNode::attribute(const QString& wanted) const {
    for (const auto& [name, value] : attributes) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return IniDocument::unescape(value);
        }
    }
    return {};
}

void IniNode::setAttribute(const QString& wanted, const QString& value) {
    for (auto& attribute : attributes) {
        if (attribute.first.compare(wanted, Qt::CaseInsensitive) == 0) {
            attribute.second = IniDocument::escape(value);
            return;
        }
    }
    attributes.append({wanted, IniDocument::escape(value)});
}

bool IniDocument::load(const QByteArray& bytes) {
    clear();
    m_root.closed = true;
    if (bytes.size() < 2) {
        return false;
    }
    QString text;
    if (static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        const qsizetype units = (bytes.size() - 2) / 2;
        text.resize(units);
        for (qsizetype i = 0; i < units; ++i) {
            const auto low = static_cast<unsigned char>(bytes[2 + 2 * i]);
            const auto high = static_cast<unsigned char>(bytes[3 + 2 * i]);
            text[i] = QChar(static_cast<char16_t>(low | (high << 8)));
        }
    } else {
        text = Windows1250::decode(bytes);
    }
    Parser parser(text);
    return parser.children(m_root, 0);
}

QByteArray IniDocument::save() {
    const int index = m_root.findChild(QStringLiteral("xml"));
    IniNode declaration;
    if (index >= 0 &&
        m_root.children[static_cast<std::size_t>(index)].kind == IniNode::ProcessingInstruction) {
        declaration = std::move(m_root.children[static_cast<std::size_t>(index)]);
        m_root.children.erase(m_root.children.begin() + index);
    } else {
        declaration.kind = IniNode::ProcessingInstruction;
        declaration.name = QStringLiteral("xml");
    }
    declaration.setAttribute(QStringLiteral("encoding"), QStringLiteral("WINDOWS-1250"));
    m_root.children.insert(m_root.children.begin(), std::move(declaration));

    Writer writer;
    for (const IniNode& node : m_root.children) {
        writer.node(node, QString());
    }
    return Windows1250::encode(writer.text);
}

QString IniDocument::escape(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
            case u'&':
                result += u"&amp;";
                break;
            case u'<':
                result += u"&lt;";
                break;
            case u'>':
                result += u"&gt;";
                break;
            case u'"':
                result += u"&quot;";
                break;
            case u'\'':
                result += u"&apos;";
                break;
            default:
                if (ch.unicode() >= 1 && ch.unicode() <= 31) {
                    result +=
                        QStringLiteral("&#") + QString::number(ch.unicode()) + QStringLiteral(";");
                } else {
                    result += ch;
                }
        }
    }
    return result;
}

QString IniDocument::unescape(const QString& text) {
    QString result;
    result.reserve(text.size());
    const QStringView view(text);
    qsizetype i = 0;
    while (i < view.size()) {
        if (view[i] != u'&') {
            result += view[i++];
            continue;
        }
        const QStringView rest = view.sliced(i);
        bool decoded = false;
        for (const Reference& reference : kNamedReferences) {
            if (rest.startsWith(reference.entity, Qt::CaseInsensitive)) {
                result += reference.character;
                i += reference.entity.size();
                decoded = true;
                break;
            }
        }
        if (!decoded && rest.startsWith(u"&#")) {
            const qsizetype end = rest.indexOf(u';');
            if (end > 2 && end <= 4) {
                const QStringView digits = rest.sliced(2, end - 2);
                bool ok = false;
                const int code = digits.toInt(&ok);
                // Only the form the writer produces: no sign, no leading zero.
                if (ok && code >= 1 && code <= 31 && digits[0] != u'0' && digits[0].isDigit()) {
                    result += QChar(static_cast<char16_t>(code));
                    i += end + 1;
                    decoded = true;
                }
            }
        }
        if (!decoded) {
            result += view[i++];
        }
    }
    return result;
}

}  // namespace trevalon

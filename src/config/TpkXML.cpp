#include "config/TpkXML.h"

#include <QHash>
#include <array>

#include "config/RegularFile.h"

namespace trevalon {
namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct NamedReference {
    QLatin1StringView reference;
    char16_t character;
};

constexpr std::array<NamedReference, 5> kNamedReferences = {{
    {QLatin1StringView("&quot;"), u'"'},
    {QLatin1StringView("&gt;"), u'>'},
    {QLatin1StringView("&lt;"), u'<'},
    {QLatin1StringView("&amp;"), u'&'},
    {QLatin1StringView("&apos;"), u'\''},
}};

// The name as a lookup key: every code point case-folded, as comparing without regard to case
// folds them, so that two names have one key exactly when they compare equal.
QString foldedName(const QString& name) {
    QString key;
    key.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t code = name[i].unicode();
        if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(name[i], name[i + 1]);
            ++i;
        }
        const char32_t folded = QChar::toCaseFolded(code);
        if (QChar::requiresSurrogates(folded)) {
            key += QChar(QChar::highSurrogate(folded));
            key += QChar(QChar::lowSurrogate(folded));
        } else {
            key += QChar(static_cast<char16_t>(folded));
        }
    }
    return key;
}

// Below this many children a scan is cheaper than keeping an index.
constexpr int kIndexedChildren = 32;

// Decodes "&#N;" with N from 1 to 32 written as "%d" writes it; answers the reference's length
// and its character, or 0.
qsizetype numericReference(const QString& text, qsizetype at, QChar* decoded) {
    if (at + 3 >= text.size() || text[at + 1] != u'#') {
        return 0;
    }
    qsizetype i = at + 2;
    int code = 0;
    const qsizetype firstDigit = i;
    while (i < text.size() && i - firstDigit < 3 && text[i].isDigit() && text[i].unicode() < 0x80) {
        code = code * 10 + (text[i].unicode() - u'0');
        ++i;
    }
    const qsizetype digits = i - firstDigit;
    if (digits == 0 || digits > 2 || i >= text.size() || text[i] != u';') {
        return 0;
    }
    if (text[firstDigit] == u'0' || code < 1 || code > 32) {
        return 0;
    }
    *decoded = QChar(code);
    return i + 1 - at;
}

}  // namespace

QString XmlEscape(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
            case u'&':
                escaped += QLatin1StringView("&amp;");
                break;
            case u'<':
                escaped += QLatin1StringView("&lt;");
                break;
            case u'>':
                escaped += QLatin1StringView("&gt;");
                break;
            case u'"':
                escaped += QLatin1StringView("&quot;");
                break;
            case u'\'':
                escaped += QLatin1StringView("&apos;");
                break;
            default:
                if (ch.unicode() >= 1 && ch.unicode() <= 31) {
                    escaped += QLatin1StringView("&#") + QString::number(ch.unicode()) + u';';
                } else {
                    escaped += ch;
                }
        }
    }
    return escaped;
}

QString XmlEscapeText(const QString& text) {
    QString escaped = XmlEscape(text);
    const QLatin1StringView space("&#32;");
    if (escaped.endsWith(u' ')) {
        escaped.replace(escaped.size() - 1, 1, space);
    }
    if (escaped.startsWith(u' ')) {
        escaped.replace(0, 1, space);
    }
    return escaped;
}

QString XmlUnescape(const QString& text) {
    if (!text.contains(u'&')) {
        return text;
    }
    QString plain;
    plain.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u'&') {
            plain += text[i++];
            continue;
        }
        qsizetype length = 0;
        QChar decoded;
        for (const NamedReference& named : kNamedReferences) {
            if (QStringView(text)
                    .mid(i, named.reference.size())
                    .compare(named.reference, Qt::CaseInsensitive) == 0) {
                length = named.reference.size();
                decoded = QChar(named.character);
                break;
            }
        }
        if (length == 0) {
            length = numericReference(text, i, &decoded);
        }
        if (length == 0) {
            plain += text[i++];
        } else {
            plain += decoded;
            i += length;
        }
    }
    return plain;
}

XmlWriteOptions XmlWriteOptions::compact() {
    XmlWriteOptions options;
    options.indent.clear();
    options.newline.clear();
    options.writeDeclaration = false;
    return options;
}

TpkXMLAttr* TpkXMLAttrs::at(int index) const {
    return index >= 0 && index < count() ? m_attrs[static_cast<std::size_t>(index)].get() : nullptr;
}

int TpkXMLAttrs::find(const QString& name, int occurrence) const {
    for (int i = 0; i < count(); ++i) {
        if (sameName(m_attrs[static_cast<std::size_t>(i)]->name(), name) && occurrence-- == 0) {
            return i;
        }
    }
    return -1;
}

TpkXMLAttr* TpkXMLAttrs::findOrCreate(const QString& name) {
    const int index = find(name);
    return index >= 0 ? at(index) : addEscaped(name, QString());
}

TpkXMLAttr* TpkXMLAttrs::add(const QString& name, const QString& value) {
    return addEscaped(name, XmlEscape(value));
}

TpkXMLAttr* TpkXMLAttrs::addEscaped(const QString& name, const QString& escapedValue) {
    m_attrs.push_back(std::make_unique<TpkXMLAttr>(name, escapedValue));
    return m_attrs.back().get();
}

struct TpkXMLNode::ChildIndex {
    // Positions of the children of each folded name, in order.
    QHash<QString, std::vector<int>> positions;

    void add(const TpkXMLNode& node, int at) { positions[foldedName(node.name())].push_back(at); }
};

TpkXMLNode::TpkXMLNode(QString name, XmlNodeKind kind) : m_name(std::move(name)), m_kind(kind) {}

TpkXMLNode::~TpkXMLNode() = default;

const TpkXMLNode::ChildIndex* TpkXMLNode::childIndex() const {
    if (!m_index && childCount() >= kIndexedChildren) {
        m_index = std::make_unique<ChildIndex>();
        for (int i = 0; i < childCount(); ++i) {
            m_index->add(*m_children[static_cast<std::size_t>(i)], i);
        }
    }
    return m_index.get();
}

TpkXMLNode* TpkXMLNode::child(int index) const {
    return index >= 0 && index < childCount() ? m_children[static_cast<std::size_t>(index)].get()
                                              : nullptr;
}

int TpkXMLNode::indexOf(const TpkXMLNode* node) const {
    for (int i = 0; i < childCount(); ++i) {
        if (m_children[static_cast<std::size_t>(i)].get() == node) {
            return i;
        }
    }
    return -1;
}

int TpkXMLNode::findChild(const QString& name, int occurrence, const XmlNodeKind* kind) const {
    if (const ChildIndex* index = childIndex()) {
        const auto found = index->positions.constFind(foldedName(name));
        if (found == index->positions.cend()) {
            return -1;
        }
        for (const int i : *found) {
            if ((kind == nullptr || m_children[static_cast<std::size_t>(i)]->kind() == *kind) &&
                occurrence-- == 0) {
                return i;
            }
        }
        return -1;
    }
    for (int i = 0; i < childCount(); ++i) {
        const TpkXMLNode& node = *m_children[static_cast<std::size_t>(i)];
        if ((kind == nullptr || node.kind() == *kind) && sameName(node.name(), name) &&
            occurrence-- == 0) {
            return i;
        }
    }
    return -1;
}

TpkXMLNode* TpkXMLNode::findOrCreateChild(const QString& name, bool create, int occurrence,
                                          const XmlNodeKind* kind) {
    const int index = findChild(name, occurrence, kind);
    if (index >= 0) {
        return child(index);
    }
    return create ? addChild(name, kind != nullptr ? *kind : XmlNodeKind::Element) : nullptr;
}

TpkXMLNode* TpkXMLNode::addChild(std::unique_ptr<TpkXMLNode> node) {
    m_children.push_back(std::move(node));
    if (m_index) {
        m_index->add(*m_children.back(), childCount() - 1);
    }
    return m_children.back().get();
}

TpkXMLNode* TpkXMLNode::addChild(const QString& name, XmlNodeKind kind) {
    return addChild(std::make_unique<TpkXMLNode>(name, kind));
}

void TpkXMLNode::moveChild(int from, int to) {
    if (from < 0 || from >= childCount() || to < 0 || to >= childCount() || from == to) {
        return;
    }
    auto node = std::move(m_children[static_cast<std::size_t>(from)]);
    m_children.erase(m_children.begin() + from);
    m_children.insert(m_children.begin() + to, std::move(node));
    m_index.reset();
}

void TpkXMLNode::clear() {
    m_index.reset();
    m_children.clear();
    m_attrs.clear();
    m_text.clear();
    m_characterData.clear();
    m_binary.clear();
}

TpkXML::TpkXML(const XmlWriteOptions& writeOptions) : options(writeOptions) {
    m_root.setClosed(true);
}

TpkXMLNode* TpkXML::topElement(const QString& name, bool create) {
    return m_root.findOrCreateChild(name, create);
}

bool TpkXML::loadFromFile(const QString& path) {
    m_root.clear();
    m_loadError = XmlLoadError::Unreadable;
    // Far beyond any document the program writes; reading stops there even on a file that
    // grows while it is read.
    const RegularFile::Contents file = RegularFile::read(path, MaxFileSize);
    if (file.status == RegularFile::Status::TooLarge) {
        m_loadError = XmlLoadError::TooLarge;
        return false;
    }
    if (!file.ok() || file.bytes.isEmpty()) {
        return false;
    }
    return loadFromBuffer(file.bytes);
}

}  // namespace trevalon

// The indenting writer. Its output is fixed byte for byte: pupils' files are compared, mailed
// and kept for years, and the same project must always give the same file.

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include "config/TpkXML.h"
#include "config/Utf16Le.h"
#include "config/Windows1250.h"

namespace trevalon {
namespace {

class Writer {
public:
    explicit Writer(const XmlWriteOptions& options) : m_options(options) {}

    void put(const QString& text) {
        m_bytes.append(m_options.unicode ? Utf16Le::encode(text) : Windows1250::encode(text));
    }
    void putRaw(const QByteArray& bytes) { m_bytes.append(bytes); }
    void writeMark() { m_bytes.append("\xFF\xFE", 2); }

    void writeNode(const TpkXMLNode& node, const QString& prefix);
    QByteArray& bytes() { return m_bytes; }

private:
    bool hasWrittenAttribute(const TpkXMLNode& node) const;
    // Whether the node appears in the output: an empty element without written attributes is
    // left out, and so is one whose children are all left out.
    bool appears(const TpkXMLNode& node) const;
    bool hasWrittenChild(const TpkXMLNode& node) const;
    // Whether an element with nothing in it is written as "<name/>".
    bool closesItself(const TpkXMLNode& node, bool hasContent) const;
    // The indented start tag with its written attributes.
    QString openingTag(const TpkXMLNode& node, const QString& prefix, bool selfClosing) const;
    void writeText(const TpkXMLNode& node);
    void writeCharacterData(const TpkXMLNode& node, const QString& prefix);

    const XmlWriteOptions& m_options;
    QByteArray m_bytes;
};

bool Writer::hasWrittenAttribute(const TpkXMLNode& node) const {
    const TpkXMLAttrs& attrs = node.attributes();
    if (attrs.count() > 0 && m_options.writeEmptyAttributes) {
        return true;
    }
    for (int i = 0; i < attrs.count(); ++i) {
        if (!attrs.at(i)->value().isEmpty()) {
            return true;
        }
    }
    return false;
}

bool Writer::hasWrittenChild(const TpkXMLNode& node) const {
    for (int i = 0; i < node.childCount(); ++i) {
        if (appears(*node.child(i))) {
            return true;
        }
    }
    return false;
}

bool Writer::appears(const TpkXMLNode& node) const {
    return !m_options.selfCloseEmpty || m_options.writeEmptyElements ||
           node.kind() == XmlNodeKind::Binary || !node.escapedText().isEmpty() ||
           !node.characterData().isEmpty() || hasWrittenAttribute(node) || hasWrittenChild(node);
}

void Writer::writeNode(const TpkXMLNode& node, const QString& prefix) {
    if (!appears(node)) {
        return;
    }
    // A comment is written as it was read: unescaping it would change it at every save.
    if (node.kind() == XmlNodeKind::Comment) {
        put(prefix + QLatin1StringView("<!-- ") + node.escapedText() + QLatin1StringView(" -->") +
            m_options.newline);
        return;
    }
    const bool hasContent = !node.characterData().isEmpty() || hasWrittenChild(node);
    const bool selfClosing = closesItself(node, hasContent);
    put(openingTag(node, prefix, selfClosing));
    writeText(node);
    if (hasContent) {
        put(m_options.newline);
    }
    writeCharacterData(node, prefix);
    for (int i = 0; i < node.childCount(); ++i) {
        writeNode(*node.child(i), prefix + m_options.indent);
    }
    if (hasContent) {
        put(prefix);
    }
    // Instructions and declarations close themselves when read; the text after one is its own.
    if (!selfClosing && node.kind() != XmlNodeKind::ProcessingInstruction &&
        node.kind() != XmlNodeKind::Declaration) {
        put(QLatin1StringView("</") + node.name() + u'>');
    }
    put(m_options.newline);
}

bool Writer::closesItself(const TpkXMLNode& node, bool hasContent) const {
    const XmlNodeKind kind = node.kind();
    const bool empty = m_options.selfCloseEmpty && node.escapedText().isEmpty() && !hasContent &&
                       kind != XmlNodeKind::Binary;
    // A nameless element never closes itself: "</>" would read as an end tag.
    return empty && !(kind == XmlNodeKind::Element && node.name().isEmpty());
}

QString Writer::openingTag(const TpkXMLNode& node, const QString& prefix, bool selfClosing) const {
    QString open = prefix;
    switch (node.kind()) {
        case XmlNodeKind::ProcessingInstruction:
            open += QLatin1StringView("<?");
            break;
        case XmlNodeKind::Declaration:
            open += QLatin1StringView("<!");
            break;
        case XmlNodeKind::Binary:
            open += QLatin1StringView("<&");
            break;
        default:
            open += u'<';
    }
    open += node.name();
    const TpkXMLAttrs& attrs = node.attributes();
    for (int i = 0; i < attrs.count(); ++i) {
        const TpkXMLAttr& attr = *attrs.at(i);
        if (m_options.writeEmptyAttributes || !attr.value().isEmpty()) {
            open += u' ' + attr.name() + QLatin1StringView("=\"") + attr.escapedValue() + u'"';
        }
    }
    if (node.kind() == XmlNodeKind::ProcessingInstruction) {
        open += QLatin1StringView("?>");
    } else {
        open += selfClosing ? QLatin1StringView("/>") : QLatin1StringView(">");
    }
    return open;
}

void Writer::writeText(const TpkXMLNode& node) {
    if (node.kind() != XmlNodeKind::Binary) {
        put(node.escapedText());
        return;
    }
    // Binary content: its length in four bytes, then the bytes as they are.
    char length[4];
    qToLittleEndian<quint32>(static_cast<quint32>(node.binary().size()), length);
    putRaw(QByteArray(length, 4));
    putRaw(node.binary());
}

void Writer::writeCharacterData(const TpkXMLNode& node, const QString& prefix) {
    if (node.characterData().isEmpty()) {
        return;
    }
    // The section's own delimiters inside it are defused, so that it reads back as one section.
    QString data = node.characterData();
    data.replace(QLatin1StringView("[CDATA["), QLatin1StringView("_CDATA_"), Qt::CaseInsensitive);
    data.replace(QLatin1StringView("]]>"), QLatin1StringView("__>"));
    put(prefix + m_options.indent + QLatin1StringView("<![CDATA[") + data +
        QLatin1StringView("]]>") + m_options.newline);
}

}  // namespace

QByteArray TpkXML::saveToBuffer() {
    Writer writer(options);
    if (options.unicode) {
        writer.writeMark();
    }
    if (options.writeDeclaration) {
        const XmlNodeKind instruction = XmlNodeKind::ProcessingInstruction;
        TpkXMLNode* declaration =
            m_root.findOrCreateChild(QStringLiteral("xml"), true, 0, &instruction);
        m_root.moveChild(m_root.indexOf(declaration), 0);
        declaration->attributes()
            .findOrCreate(QStringLiteral("encoding"))
            ->setValue(options.unicode ? QStringLiteral("UTF-16") : QStringLiteral("WINDOWS-1250"));
    }
    for (int i = 0; i < m_root.childCount(); ++i) {
        writer.writeNode(*m_root.child(i), QString());
    }
    return std::move(writer.bytes());
}

bool TpkXML::saveToFile(const QString& path, QString* error) {
    const auto fail = [error](const QString& reason) {
        if (error != nullptr) {
            *error = reason;
        }
        return false;
    };
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    if (!folder.exists() && !QDir().mkdir(folder.absolutePath())) {
        return fail(QStringLiteral("cannot create the folder ") + folder.absolutePath());
    }
    const QByteArray bytes = saveToBuffer();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    // Small writes stay in the device's buffer, and a failure to flush it inside commit()
    // is not reported by every Qt version: flush here and look.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit()) {
        return fail(file.errorString());
    }
    return true;
}

}  // namespace trevalon

#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace trevalon {

// The small XML document the project file and the settings file are written in: a tolerant
// reader, an indenting writer, names compared without regard to case, texts and attribute
// values held in their escaped form and unescaped when read.

// Escapes "&", "<", ">", '"', "'" by their named references and every character with a code
// from 1 to 31 by a decimal reference ("&#13;"), so a written text never spans lines.
QString XmlEscape(const QString& text);
// XmlEscape, and a space at either end written as "&#32;": the reader trims the white space
// around a text, and a text the pupil ended with a blank must come back with it.
QString XmlEscapeText(const QString& text);
// Turns the five named references (any case) and the decimal references of codes 1 to 32 back
// into characters, each reference once; every other reference stays as it is.
QString XmlUnescape(const QString& text);

// Why the last load gave no complete document.
enum class XmlLoadError : quint8 {
    None = 0,
    Unreadable,    // not a regular file, cannot be opened, or empty
    TooLarge,      // more bytes than TpkXML::MaxFileSize
    TooManyNodes,  // more nodes and attributes than TpkXML::MaxNodes: the tree is emptied
    Malformed,     // parsing met a fault; the nodes read up to it stay in the tree
};

enum class XmlNodeKind : quint8 {
    Element = 0,
    ProcessingInstruction = 1,  // <?name ...?>
    Declaration = 2,            // <!NAME ...>, such as a document type line
    Comment = 3,                // <!-- ... -->
    Binary = 4,                 // <&name>, then a 4-byte little-endian length and the bytes
};

struct XmlWriteOptions {
    bool unicode = false;  // UTF-16LE with a byte-order mark instead of Windows-1250
    QString indent = QStringLiteral("\t");
    QString newline = QStringLiteral("\r\n");
    bool writeEmptyElements = false;
    bool writeEmptyAttributes = false;
    bool selfCloseEmpty = true;
    bool trimText = true;  // reader: texts lose white space at both ends
    bool writeDeclaration = true;

    // No indent, no line breaks, no declaration.
    static XmlWriteOptions compact();
};

class TpkXMLAttr {
public:
    TpkXMLAttr(QString name, QString escapedValue)
        : m_name(std::move(name)), m_value(std::move(escapedValue)) {}

    const QString& name() const { return m_name; }
    QString value() const { return XmlUnescape(m_value); }
    void setValue(const QString& value) { m_value = XmlEscape(value); }
    // As written in the file.
    const QString& escapedValue() const { return m_value; }

private:
    QString m_name;
    QString m_value;
};

// An ordered list of attributes that owns them.
class TpkXMLAttrs {
public:
    int count() const { return static_cast<int>(m_attrs.size()); }
    // nullptr out of range.
    TpkXMLAttr* at(int index) const;
    // Index of the `occurrence`-th (from 0) attribute named `name` (any case), or -1.
    int find(const QString& name, int occurrence = 0) const;
    TpkXMLAttr* findOrCreate(const QString& name);
    // `value` is stored escaped.
    TpkXMLAttr* add(const QString& name, const QString& value);
    // Takes a value that is already escaped, as the reader finds it in a file.
    TpkXMLAttr* addEscaped(const QString& name, const QString& escapedValue);
    void clear() { m_attrs.clear(); }

private:
    std::vector<std::unique_ptr<TpkXMLAttr>> m_attrs;
};

// One node of the tree. A node owns its attributes, its binary content and its children;
// pointers handed out stay valid until the node that owns them is cleared or destroyed.
class TpkXMLNode {
public:
    explicit TpkXMLNode(QString name = QString(), XmlNodeKind kind = XmlNodeKind::Element);
    ~TpkXMLNode();
    TpkXMLNode(const TpkXMLNode&) = delete;
    TpkXMLNode& operator=(const TpkXMLNode&) = delete;

    const QString& name() const { return m_name; }
    XmlNodeKind kind() const { return m_kind; }

    TpkXMLAttrs& attributes() { return m_attrs; }
    const TpkXMLAttrs& attributes() const { return m_attrs; }

    QString text() const { return XmlUnescape(m_text); }
    void setText(const QString& text) { m_text = XmlEscapeText(text); }
    const QString& escapedText() const { return m_text; }
    void setEscapedText(const QString& escaped) { m_text = escaped; }
    void appendEscapedText(const QString& escaped) { m_text += escaped; }

    // Text of the node's character-data section; a later section replaces an earlier one.
    const QString& characterData() const { return m_characterData; }
    void setCharacterData(const QString& data) { m_characterData = data; }

    const QByteArray& binary() const { return m_binary; }
    void setBinary(const QByteArray& bytes) { m_binary = bytes; }

    // Set by the reader when the node's end tag was found.
    bool closed() const { return m_closed; }
    void setClosed(bool closed) { m_closed = closed; }

    int childCount() const { return static_cast<int>(m_children.size()); }
    // nullptr out of range.
    TpkXMLNode* child(int index) const;
    int indexOf(const TpkXMLNode* node) const;
    // Index of the `occurrence`-th (from 0) child named `name` (any case), of any kind when
    // `kind` is null, or -1.
    int findChild(const QString& name, int occurrence = 0, const XmlNodeKind* kind = nullptr) const;
    // The child found as by findChild; when there is none and `create` is set, a new child of
    // that name and kind (an element when `kind` is null) appended at the end.
    TpkXMLNode* findOrCreateChild(const QString& name, bool create = true, int occurrence = 0,
                                  const XmlNodeKind* kind = nullptr);
    TpkXMLNode* addChild(std::unique_ptr<TpkXMLNode> node);
    TpkXMLNode* addChild(const QString& name, XmlNodeKind kind = XmlNodeKind::Element);
    // Moves the child at `from` to `to`; the others shift. Out-of-range indexes do nothing.
    void moveChild(int from, int to);

    // Destroys children and attributes and empties the text.
    void clear();

private:
    struct ChildIndex;
    const ChildIndex* childIndex() const;

    TpkXMLAttrs m_attrs;
    QString m_name;
    QString m_text;
    QString m_characterData;
    XmlNodeKind m_kind;
    QByteArray m_binary;
    std::vector<std::unique_ptr<TpkXMLNode>> m_children;
    // Children by name, made on the first lookup in a node with many children, so that reading
    // a file of N elements takes time in proportion to N.
    mutable std::unique_ptr<ChildIndex> m_index;
    bool m_closed = false;
};

// The document: a nameless root whose children are the top-level nodes.
class TpkXML {
public:
    explicit TpkXML(const XmlWriteOptions& options = XmlWriteOptions());

    XmlWriteOptions options;

    TpkXMLNode& root() { return m_root; }
    const TpkXMLNode& root() const { return m_root; }

    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
    // Nodes and attributes one document may hold. A project of three full boards has about
    // 13 000; a document far beyond that is a flood, refused before it fills the memory.
    static constexpr int MaxNodes = 100000;

    // False when the file does not exist, is not a regular file, cannot be read, is empty or
    // is larger than MaxFileSize; otherwise what parsing the whole file answers.
    bool loadFromFile(const QString& path);
    // Parses `bytes`: UTF-16LE when they begin with FF FE (or `forceUnicode` is set),
    // Windows-1250 otherwise. False when parsing met a fault; the nodes read up to the fault
    // stay in the tree. False with an empty tree when the document holds more than MaxNodes.
    bool loadFromBuffer(const QByteArray& bytes, bool forceUnicode = false);
    // Why the last load answered false; None after a load that succeeded.
    XmlLoadError loadError() const { return m_loadError; }

    // Writes the document into `path` through a temporary file that replaces it only when
    // everything was written, creating a missing last folder level. False, with a reason in
    // `error` when given, when the folder or the file cannot be made or written; the previous
    // file is then as it was.
    bool saveToFile(const QString& path, QString* error = nullptr);
    // The bytes the document is written as (this also places the declaration when asked to).
    QByteArray saveToBuffer();

    // The first top-level node named `name`; with `create`, a new element when absent.
    TpkXMLNode* topElement(const QString& name, bool create = true);

private:
    TpkXMLNode m_root;
    XmlLoadError m_loadError = XmlLoadError::None;
};

}  // namespace trevalon

#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <vector>

namespace trevalon {

// One node of the settings file. Texts and attribute values are held escaped, exactly as they
// stand in the file; `IniDocument::escape` / `unescape` convert.
struct IniNode {
    enum Kind : quint8 { Element = 0, ProcessingInstruction = 1, Declaration = 2, Comment = 3 };

    Kind kind = Element;
    QString name;
    QString text;
    QString characterData;
    QList<QPair<QString, QString>> attributes;
    std::vector<IniNode> children;
    bool closed = false;  // the end tag was read

    // Index of the first child named `name` (letter case ignored), or -1.
    int findChild(const QString& name) const;
    // The first child named `name`; appended as an empty element when there is none.
    IniNode& child(const QString& name);
    QString attribute(const QString& name) const;
    void setAttribute(const QString& name, const QString& value);
};

// The settings file's XML: the same dialect and layout as the project file (declaration with
// an `encoding` and no `version`, one element per line, TAB indent, CR LF), small enough that
// the settings need not depend on the project-file storage.
//
// The reader is tolerant: names match without regard to case, a damaged file keeps every node
// read before the damage, and a file starting FF FE is UTF-16LE, anything else Windows-1250.
// Binary nodes ("<&") are not part of a settings file and count as damage.
class IniDocument {
public:
    // Deeper nesting than this counts as damage, so a hostile file cannot exhaust the stack.
    static constexpr int MaxDepth = 200;

    // Replaces the document with the nodes read from `bytes`; false when the bytes are fewer
    // than two or the text is damaged (the nodes read up to the damage stay).
    bool load(const QByteArray& bytes);
    // The file's bytes: Windows-1250 with its declaration, always 8-bit.
    QByteArray save();

    void clear() { m_root = IniNode{}; }
    const IniNode& root() const { return m_root; }

    // The first top-level node named `name`; appended as an element when there is none.
    IniNode& topLevel(const QString& name) { return m_root.child(name); }

    // "&amp;", "&lt;", "&gt;", "&quot;", "&apos;" and "&#n;" for codes 1..31, so that a stored
    // text never spans lines.
    static QString escape(const QString& text);
    // The inverse: named references in any letter case and "&#n;" for 1..31, each decoded once;
    // any other reference stays as written.
    static QString unescape(const QString& text);

private:
    IniNode m_root;
};

}  // namespace trevalon

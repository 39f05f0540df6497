#include "codegen/SourceText.h"

#include <QSet>

namespace trevalon::codegen {
namespace {

#include "codegen/ReservedNames.inc"

constexpr char32_t kReplacement = 0xFFFD;

// The code points of a text; a lone surrogate comes out as itself (0xD800..0xDFFF).
template <typename Visit>
void forEachCodePoint(const QString& text, Visit visit) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            visit(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            visit(static_cast<char32_t>(c.unicode()));
        }
    }
}

bool isSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Whether a character is shown as itself: letters, marks, digits, punctuation, symbols and the
// space. Everything else is invisible, moves text about or is no character at all.
bool isShown(char32_t c) {
    if (c < 0x80) {
        return c >= 0x20 && c < 0x7F;
    }
    switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
        case QChar::Separator_Space:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return false;
        default:
            return true;
    }
}

QString hex(char32_t c, int digits) {
    return QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(digits, u'0');
}

QString notation(char32_t c) {
    return QStringLiteral("<U+") + hex(c, 4) + u'>';
}

QString codePointText(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

// The UTF-8 bytes of a code point, made here: Qt's encoder drops a U+FEFF as a byte order mark.
QByteArray utf8(char32_t c) {
    QByteArray bytes;
    if (c < 0x80) {
        bytes += static_cast<char>(c);
    } else if (c < 0x800) {
        bytes += static_cast<char>(0xC0 | (c >> 6));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        bytes += static_cast<char>(0xE0 | (c >> 12));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (c >> 18));
        bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
    return bytes;
}

}  // namespace

QString pythonComment(const QString& text) {
    QString out;
    forEachCodePoint(text,
                     [&out](char32_t c) { out += isShown(c) ? codePointText(c) : notation(c); });
    return out;
}

QString cppComment(const QString& text) {
    QString out;
    char32_t before = 0;
    forEachCodePoint(text, [&out, &before](char32_t c) {
        out += !isShown(c) || (c == u'?' && before == u'?') ? notation(c) : codePointText(c);
        before = c;
    });
    // A backslash at the end of the line, blanks after it or not, joins the next line to it.
    while (out.endsWith(u' ')) {
        out.chop(1);
    }
    if (out.endsWith(u'\\')) {
        out.chop(1);
        out += notation(u'\\');
    }
    return out;
}

namespace {

// The escapes Python's and C++'s string literals share: backslash, quote, line feed, carriage
// return and tab. Answers whether it wrote c.
bool simpleEscape(char32_t c, QString& out) {
    switch (c) {
        case u'\\':
            out += QStringLiteral("\\\\");
            return true;
        case u'"':
            out += QStringLiteral("\\\"");
            return true;
        case u'\n':
            out += QStringLiteral("\\n");
            return true;
        case u'\r':
            out += QStringLiteral("\\r");
            return true;
        case u'\t':
            out += QStringLiteral("\\t");
            return true;
        default:
            return false;
    }
}

}  // namespace

QString pythonString(const QString& text) {
    QString out = QStringLiteral("\"");
    forEachCodePoint(text, [&out](char32_t c) {
        if (isSurrogate(c)) {
            c = kReplacement;
        }
        if (simpleEscape(c, out)) {
            return;
        }
        if (isShown(c)) {
            out += codePointText(c);
        } else if (c <= 0xFF) {
            out += QStringLiteral("\\x") + hex(c, 2).toLower();
        } else if (c <= 0xFFFF) {
            out += QStringLiteral("\\u") + hex(c, 4).toLower();
        } else {
            out += QStringLiteral("\\U") + hex(c, 8).toLower();
        }
    });
    return out + u'"';
}

QString cppString(const QString& text) {
    QString out = QStringLiteral("\"");
    char32_t before = 0;
    forEachCodePoint(text, [&out, &before](char32_t c) {
        if (isSurrogate(c)) {
            c = kReplacement;
        }
        const char32_t previous = before;
        before = c;
        if (c == u'?') {
            out += previous == u'?' ? QStringLiteral("\\?") : QStringLiteral("?");
            return;
        }
        if (simpleEscape(c, out)) {
            return;
        }
        if (c < 0x80 && isShown(c)) {
            out += QChar(static_cast<char16_t>(c));
        } else if (isShown(c)) {
            out +=
                c <= 0xFFFF ? QStringLiteral("\\u") + hex(c, 4) : QStringLiteral("\\U") + hex(c, 8);
        } else {
            for (const char byte : utf8(c)) {
                out += u'\\' + QString::number(static_cast<uchar>(byte), 8).rightJustified(3, u'0');
            }
        }
    });
    return out + QStringLiteral("\"s");
}

QString asciiIdentifier(const QString& name) {
    static const QString from = QString::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    static const QString to = QStringLiteral("acelnoszzACELNOSZZ");
    QString out;
    for (QChar c : name) {
        const qsizetype at = from.indexOf(c);
        if (at >= 0) {
            c = to[at];
        }
        if (!(c.unicode() < 128 && c.isLetterOrNumber())) {
            c = u'_';
        }
        if (c != u'_' || !out.endsWith(u'_')) {
            out += c;
        }
    }
    if (out.isEmpty() || out[0].isDigit() || out[0] == u'_') {
        out.prepend(out.startsWith(u'_') ? QStringLiteral("v") : QStringLiteral("v_"));
    }
    return out;
}

namespace {

template <std::size_t N>
void addWords(QSet<QString>& set, const char* const (&words)[N]) {
    for (const char* word : words) {
        set.insert(QString::fromLatin1(word).toLower());
    }
}

}  // namespace

bool isPythonReserved(const QString& word) {
    static const QSet<QString> python = [] {
        QSet<QString> set;
        addWords(set, kPythonWords);
        return set;
    }();
    return python.contains(word.toLower());
}

bool isCppReserved(const QString& word) {
    static const QSet<QString> cpp = [] {
        QSet<QString> set;
        addWords(set, kCppKeywords);
        addWords(set, kCppMacros);
        addWords(set, kCppGlobals);
        return set;
    }();
    return cpp.contains(word.toLower());
}

}  // namespace trevalon::codegen

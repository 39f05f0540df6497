#include "ui/code/CodeHighlighter.h"

#include <QFont>
#include <algorithm>
#include <utility>
#include <vector>

namespace trevalon {
namespace {

using codegen::Target;

const QStringList kPythonKeywords = {
    QStringLiteral("and"),   QStringLiteral("break"),  QStringLiteral("continue"),
    QStringLiteral("def"),   QStringLiteral("elif"),   QStringLiteral("else"),
    QStringLiteral("False"), QStringLiteral("for"),    QStringLiteral("global"),
    QStringLiteral("if"),    QStringLiteral("import"), QStringLiteral("in"),
    QStringLiteral("None"),  QStringLiteral("not"),    QStringLiteral("or"),
    QStringLiteral("pass"),  QStringLiteral("return"), QStringLiteral("True"),
    QStringLiteral("while"), QStringLiteral("from"),   QStringLiteral("lambda"),
    QStringLiteral("try"),   QStringLiteral("except"), QStringLiteral("raise"),
};

const QStringList kCppKeywords = {
    QStringLiteral("auto"),      QStringLiteral("bool"),      QStringLiteral("break"),
    QStringLiteral("case"),      QStringLiteral("char"),      QStringLiteral("const"),
    QStringLiteral("continue"),  QStringLiteral("default"),   QStringLiteral("do"),
    QStringLiteral("double"),    QStringLiteral("else"),      QStringLiteral("false"),
    QStringLiteral("for"),       QStringLiteral("if"),        QStringLiteral("int"),
    QStringLiteral("long"),      QStringLiteral("namespace"), QStringLiteral("return"),
    QStringLiteral("static"),    QStringLiteral("std"),       QStringLiteral("struct"),
    QStringLiteral("switch"),    QStringLiteral("true"),      QStringLiteral("using"),
    QStringLiteral("void"),      QStringLiteral("while"),     QStringLiteral("inline"),
    QStringLiteral("constexpr"), QStringLiteral("#include"),  QStringLiteral("throw"),
};

// Whole words only; a keyword of several words may be split by any run of spaces. Longer
// keywords first, so that "repeat forever" wins over "repeat".
QRegularExpression keywordPattern(QStringList words) {
    std::sort(words.begin(), words.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    QStringList escaped;
    for (const QString& word : words) {
        if (!word.trimmed().isEmpty()) {
            escaped << QRegularExpression::escape(word.trimmed())
                           .replace(QStringLiteral("\\ "), QStringLiteral("\\s+"));
        }
    }
    // `#include` starts with a sign, where \b would not match before it.
    return QRegularExpression(
        QStringLiteral("(?<![\\w#])(?:") + escaped.join(u'|') + QStringLiteral(")(?!\\w)"),
        QRegularExpression::UseUnicodePropertiesOption);
}

QTextCharFormat charFormat(const QColor& colour, bool bold = false, bool italic = false) {
    QTextCharFormat f;
    f.setForeground(colour);
    if (bold) {
        f.setFontWeight(QFont::Bold);
    }
    f.setFontItalic(italic);
    return f;
}

}  // namespace

CodeHighlighter::CodeHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document),
      m_string(QStringLiteral(R"("(?:[^"\\]|\\.)*"|'(?:[^'\\]|\\.)*')")),
      m_number(QStringLiteral(R"((?<![\w.])\d+(?:\.\d+)?(?:[eE][+-]?\d+)?(?![\w]))")),
      m_keywordFormat(charFormat(QColor(0, 0, 160), true)),
      m_commentFormat(charFormat(QColor(100, 110, 100), false, true)),
      m_stringFormat(charFormat(QColor(150, 40, 20))),
      m_numberFormat(charFormat(QColor(120, 30, 140))) {
    setLanguage(Target::Python, {});
}

void CodeHighlighter::setLanguage(Target target, const QStringList& pseudoKeywords) {
    switch (target) {
        case Target::Python:
            m_keywords = keywordPattern(kPythonKeywords);
            m_commentSign = QStringLiteral("#");
            break;
        case Target::Cpp:
            m_keywords = keywordPattern(kCppKeywords);
            m_commentSign = QStringLiteral("//");
            break;
        case Target::Pseudo:
            m_keywords = keywordPattern(pseudoKeywords);
            m_commentSign = QStringLiteral("#");
            break;
    }
    rehighlight();
}

// The comment claims its characters first, so that a number inside it is not coloured as one;
// a comment sign inside a string starts no comment. Keywords and numbers inside strings are
// left alone the same way.
void CodeHighlighter::highlightBlock(const QString& text) {
    QList<bool> taken(text.size(), false);
    const int comment = commentStart(text);
    if (comment >= 0) {
        setFormat(comment, static_cast<int>(text.size()) - comment, m_commentFormat);
        for (qsizetype i = comment; i < text.size(); ++i) {
            taken[i] = true;
        }
    }
    colour(text, m_string, m_stringFormat, taken);
    colour(text, m_keywords, m_keywordFormat, taken);
    colour(text, m_number, m_numberFormat, taken);
}

int CodeHighlighter::commentStart(const QString& text) const {
    std::vector<std::pair<qsizetype, qsizetype>> strings;
    for (QRegularExpressionMatchIterator it = m_string.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        strings.emplace_back(match.capturedStart(), match.capturedEnd());
    }
    for (qsizetype at = text.indexOf(m_commentSign); at >= 0;
         at = text.indexOf(m_commentSign, at + 1)) {
        const bool inString = std::any_of(strings.begin(), strings.end(), [at](const auto& s) {
            return s.first < at && at < s.second;
        });
        if (!inString) {
            return static_cast<int>(at);
        }
    }
    return -1;
}

void CodeHighlighter::colour(const QString& text, const QRegularExpression& pattern,
                             const QTextCharFormat& format, QList<bool>& taken) {
    for (QRegularExpressionMatchIterator it = pattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const qsizetype start = match.capturedStart();
        const qsizetype end = match.capturedEnd();
        if (start == end || taken[start]) {
            continue;
        }
        setFormat(static_cast<int>(start), static_cast<int>(end - start), format);
        for (qsizetype i = start; i < end; ++i) {
            taken[i] = true;
        }
    }
}

}  // namespace trevalon

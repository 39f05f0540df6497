#pragma once

#include <QRegularExpression>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include "codegen/CodeTarget.h"

class QTextDocument;

namespace trevalon {

// Colours the code window's text: the language's keywords, strings, numbers and comments.
// It reads each line alone, which the generated code allows: no string or comment of it spans
// lines. Pseudo-code's keywords are words of the interface language, so the window hands them
// over (`pseudoKeywords`, some of them several words long).
class CodeHighlighter : public QSyntaxHighlighter {
public:
    explicit CodeHighlighter(QTextDocument* document);

    // Sets the language whose rules colour the text, and colours it again.
    void setLanguage(codegen::Target target, const QStringList& pseudoKeywords);

protected:
    void highlightBlock(const QString& text) override;

private:
    // Where the line's comment begins, -1 when it has none.
    int commentStart(const QString& text) const;
    // Colours `pattern`'s matches in `text` where nothing was coloured yet.
    void colour(const QString& text, const QRegularExpression& pattern,
                const QTextCharFormat& format, QList<bool>& taken);

    QRegularExpression m_keywords;
    QString m_commentSign;
    QRegularExpression m_string;
    QRegularExpression m_number;
    QTextCharFormat m_keywordFormat;
    QTextCharFormat m_commentFormat;
    QTextCharFormat m_stringFormat;
    QTextCharFormat m_numberFormat;
};

}  // namespace trevalon

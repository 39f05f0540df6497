#include "calc/Lexer.h"

#include <algorithm>
#include <vector>

#include "calc/Builtins.h"
#include "calc/CalcErrors.h"
#include "calc/Values.h"

namespace trevalon {

namespace {

bool isDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

bool isSkipped(QChar c) {
    const char16_t u = c.unicode();
    return u <= 13 || u == u' ' || u == u'{' || u == u'}';
}

}  // namespace

QString cutTrailing(const QString& formula) {
    qsizetype end = formula.size();
    while (end > 0 && (formula[end - 1] == u' ' || formula[end - 1] == u';')) {
        --end;
    }
    return end == formula.size() ? formula : formula.left(end);
}

namespace {

// The walk of `prepareArguments` over a formula, one character at a time: texts and set
// literals are copied untouched; a comma of a call closes the argument before it and opens the
// next, and the call's first argument gets its own "(" once the walk is over.
class ArgumentBracketing {
public:
    ArgumentBracketing(qsizetype size, QChar quote) : m_quote(quote) {
        m_out.reserve(size + size / 2 + 8);
    }

    void take(QChar c) {
        if (inLiteral(c)) {
            m_out += c;
            return;
        }
        switch (c.unicode()) {
            case u',':
                comma();
                break;
            case u'(':
                open();
                break;
            case u')':
                close();
                break;
            default:
                m_out += c;
        }
    }

    // The bracketed formula, with the first arguments' "(" put in.
    QString finish() {
        if (m_extraOpens.empty()) {
            return m_out;
        }
        std::sort(m_extraOpens.begin(), m_extraOpens.end());
        QString result;
        result.reserve(m_out.size() + static_cast<qsizetype>(m_extraOpens.size()));
        qsizetype from = 0;
        for (const qsizetype at : m_extraOpens) {
            result += QStringView(m_out).mid(from, at - from);
            result += u'(';
            from = at;
        }
        result += QStringView(m_out).mid(from);
        return result;
    }

private:
    // Whether `c` opens, continues or closes a text or a set literal.
    bool inLiteral(QChar c) {
        if (m_inText) {
            m_inText = c != m_quote;
            return true;
        }
        if (c == m_quote) {
            m_inText = true;
            return true;
        }
        if (m_inSet) {
            m_inSet = c != u']';
            return true;
        }
        if (c == u'[') {
            m_inSet = true;
            return true;
        }
        return false;
    }

    void comma() {
        if (m_level > 0 && m_counters[m_level] == 0) {
            // This comma ends an argument that an earlier comma opened.
            popOpen();
            --m_level;
        } else if (!m_opens.empty()) {
            // The first comma of a call: its first argument gets parenthesised too.
            m_extraOpens.push_back(m_opens.back());
        }
        m_out += u')';
        m_out += u',';
        m_opens.push_back(m_out.size());
        m_out += u'(';
        ++m_level;
        if (m_counters.size() <= m_level) {
            m_counters.resize(m_level + 1);
        }
        m_counters[m_level] = 0;
    }

    void open() {
        if (m_level > 0) {
            ++m_counters[m_level];
        }
        m_opens.push_back(m_out.size());
        m_out += u'(';
    }

    // A parenthesis that closes a call closes its last argument first, and then counts at the
    // level of the call itself.
    void close() {
        while (m_level > 0 && --m_counters[m_level] < 0) {
            --m_level;
            popOpen();
            m_out += u')';
        }
        popOpen();
        m_out += u')';
    }

    void popOpen() {
        if (!m_opens.empty()) {
            m_opens.pop_back();
        }
    }

    QChar m_quote;
    QString m_out;
    // Unmatched "(" of the output, innermost last: where a walk back from a comma would stop.
    std::vector<qsizetype> m_opens;
    // Output positions that get one more "(" in front: the first argument of a call.
    std::vector<qsizetype> m_extraOpens;
    // Per argument level, parentheses opened and not yet closed inside the current argument.
    std::vector<int> m_counters = std::vector<int>(1, 0);
    size_t m_level = 0;
    bool m_inText = false;
    bool m_inSet = false;
};

}  // namespace

QString prepareArguments(const QString& formula, QChar quote) {
    ArgumentBracketing bracketing(formula.size(), quote);
    for (const QChar c : formula) {
        bracketing.take(c);
    }
    return bracketing.finish();
}

Lexer::Lexer(const QString& prepared, const QString& source, QChar quote, ParsedFormula& out)
    : m_formula(prepared), m_source(source), m_quote(quote), m_out(out) {}

void Lexer::raise(int number, const QString& detail) {
    if (m_out.errorNumber == 0) {
        m_out.errorNumber = number;
        m_out.errorDetail = detail;
    }
}

int Lexer::next() {
    m_previous = m_current;
    m_text.clear();
    m_capture = -1;
    // `scan` still sees the token before as current: a minus after "(" starts a number.
    const int code = m_out.errorNumber != 0 ? op::End : scan();
    m_current = m_out.errorNumber != 0 ? op::End : code;
    return m_current;
}

int Lexer::scan() {
    while (m_pos < m_formula.size() && isSkipped(m_formula[m_pos])) {
        ++m_pos;
    }
    if (m_pos >= m_formula.size()) {
        return op::End;
    }
    const QChar c = m_formula[m_pos];
    if (c == m_quote) {
        return scanText();
    }
    if (c == u'-') {
        return scanMinus();
    }
    if (c == u'[') {
        return scanSet();
    }
    if (isDigit(c)) {
        return scanNumber(m_pos);
    }
    if (isLetter(c) || c == u'_') {
        return scanName();
    }
    return scanOperator();
}

int Lexer::scanMinus() {
    // A minus right at the start or after "(" belongs to the number that follows.
    if (isDigit(at(m_pos + 1)) && (m_current == op::End || m_current == op::Open)) {
        return scanNumber(m_pos + 1);
    }
    ++m_pos;
    return op::Minus;
}

int Lexer::scanOperator() {
    // Two-character operators come before the one-character operators they begin with.
    static constexpr struct {
        char16_t first;
        char16_t second;  // 0 for a one-character operator
        int code;
    } kOperators[] = {
        {u'<', u'=', op::LessEqual}, {u'<', u'>', op::NotEqual}, {u'>', u'=', op::GreaterEqual},
        {u'|', u'|', op::Concat},    {u'(', 0, op::Open},        {u')', 0, op::Close},
        {u'*', 0, op::Times},        {u'+', 0, op::Plus},        {u',', 0, op::Comma},
        {u'/', 0, op::Divide},       {u';', 0, op::Sequence},    {u'=', 0, op::Equal},
        {u'^', 0, op::Power},        {u'<', 0, op::Less},        {u'>', 0, op::Greater},
        {u'|', 0, op::Concat},
    };
    const QChar c = m_formula[m_pos];
    for (const auto& entry : kOperators) {
        if (c == entry.first && (entry.second == 0 || at(m_pos + 1) == entry.second)) {
            m_pos += entry.second == 0 ? 1 : 2;
            return entry.code;
        }
    }
    // Anything else ends the formula.
    return op::End;
}

int Lexer::scanText() {
    ++m_pos;
    for (;;) {
        const qsizetype close = m_formula.indexOf(m_quote, m_pos);
        if (close < 0) {
            m_pos = m_formula.size();
            raise(calc::ErrorUnclosedText);
            return op::End;
        }
        m_text += QStringView(m_formula).mid(m_pos, close - m_pos);
        m_pos = close + 1;
        if (at(m_pos) != m_quote) {
            return op::Text;
        }
        // A doubled quote stands for one quote inside the text.
        m_text += m_quote;
        ++m_pos;
    }
}

int Lexer::scanNumber(qsizetype start) {
    qsizetype i = start;
    auto digits = [this, &i] {
        const qsizetype from = i;
        while (i < m_formula.size() && isDigit(m_formula[i])) {
            ++i;
        }
        return i > from;
    };
    digits();
    if (at(i) == u'.') {
        ++i;
        if (!digits()) {
            raise(calc::ErrorMalformedNumber, m_source);
            return op::End;
        }
    }
    if (at(i) == u'e' || at(i) == u'E') {
        ++i;
        if (at(i) == u'+' || at(i) == u'-') {
            ++i;
        }
        if (!digits()) {
            raise(calc::ErrorMalformedNumber, m_source);
            return op::End;
        }
    }
    m_text = QStringView(m_formula).mid(m_pos, i - m_pos).toString();
    m_pos = i;
    return op::Number;
}

int Lexer::scanSet() {
    const QStringView rest = QStringView(m_formula).mid(m_pos);
    qsizetype close = rest.indexOf(u"] ");
    if (close < 0) {
        close = rest.indexOf(u"];");
    }
    if (close < 0 && rest.size() > 1 && rest.back() == u']') {
        close = rest.size() - 1;
    }
    if (close < 0) {
        m_pos = m_formula.size();
        raise(calc::ErrorUnclosedSet);
        return op::End;
    }
    m_text = rest.left(close + 1).toString();
    m_pos += close + 1;
    return op::Name;
}

int Lexer::scanName() {
    const qsizetype start = m_pos;
    while (m_pos < m_formula.size()) {
        const QChar c = m_formula[m_pos];
        if (!isLetter(c) && !isDigit(c) && c != u'_' && c != u'.') {
            break;
        }
        ++m_pos;
    }
    m_text = QStringView(m_formula).mid(start, m_pos - start).toString();
    if (at(m_pos) == u'(') {
        m_text += u'(';
    } else if (at(m_pos) == u':' && at(m_pos + 1) == u'=') {
        captureAssignment(m_text);
        return op::Name;
    }
    if (m_text.size() > 1) {
        return recogniseWord();
    }
    return op::Name;
}

int Lexer::recogniseWord() {
    const QString word = m_text.toLower();
    if (word.endsWith(u'(')) {
        const FunctionInfo* function = findFunction(word);
        if (!function) {
            raise(calc::ErrorUnknownFunction, word + QStringLiteral("...)"));
            return op::End;
        }
        m_text = word;
        return function->code;
    }
    static const struct {
        const char16_t* word;
        int code;
    } kWords[] = {{u"and", op::And},   {u"div", op::Div},          {u"in", op::In},
                  {u"like", op::Like}, {u"lf", op::Close},         {u"mod", op::Mod},
                  {u"or", op::Or},     {u"wildcard", op::Wildcard}};
    for (const auto& entry : kWords) {
        if (word == QStringView(entry.word)) {
            return entry.code;
        }
    }
    return op::Name;
}

void Lexer::captureAssignment(const QString& name) {
    qsizetype i = m_pos + 2;
    bool inText = false;
    while (i < m_formula.size()) {
        const QChar c = m_formula[i];
        if (c == m_quote) {
            inText = !inText;
        } else if (c == u';' && !inText) {
            break;
        }
        ++i;
    }
    const QString captured = QStringView(m_formula).mid(m_pos + 2, i - m_pos - 2).toString();
    m_out.captures.push_back({QStringLiteral("@@") + name.toUpper(), u'[' + captured + u']',
                              calc::trimmed(captured), nullptr});
    m_capture = static_cast<int>(m_out.captures.size()) - 1;
    m_text = QStringLiteral("@@") + name;
    m_pos = i;
}

}  // namespace trevalon

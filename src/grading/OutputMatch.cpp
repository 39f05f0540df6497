#include "grading/OutputMatch.h"

#include <QRegularExpression>
#include <cmath>
#include <vector>

namespace trevalon {
namespace {

QString withoutTrailingSpace(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == u' ' || text[end - 1] == u'\t')) {
        --end;
    }
    return text.left(end);
}

QString withoutSpacing(QString text) {
    text.remove(u' ');
    text.remove(u'\t');
    return text;
}

// A line as numbers and the text between them.
struct NumberedLine {
    QStringList texts;  // one more than numbers: before, between and after them
    std::vector<double> numbers;
};

NumberedLine splitNumbers(const QString& line) {
    // Made per call: a compiled pattern is not shared between the threads that grade.
    const QRegularExpression number(
        QStringLiteral("[-+]?(?:[0-9]+(?:[.,][0-9]+)?|[.,][0-9]+)(?:[eE][-+]?[0-9]+)?"));
    NumberedLine split;
    qsizetype at = 0;
    for (const QRegularExpressionMatch& match : number.globalMatch(line)) {
        split.texts << line.mid(at, match.capturedStart() - at);
        QString digits = match.captured();
        digits.replace(u',', u'.');
        split.numbers.push_back(digits.toDouble());
        at = match.capturedEnd();
    }
    split.texts << line.mid(at);
    return split;
}

bool sameText(const QString& expected, const QString& actual, Qt::CaseSensitivity cs) {
    return expected.compare(actual, cs) == 0;
}

bool matchesNumbers(const QString& expected, const QString& actual, double tolerance,
                    Qt::CaseSensitivity cs) {
    const NumberedLine want = splitNumbers(expected);
    const NumberedLine got = splitNumbers(actual);
    if (want.numbers.size() != got.numbers.size()) {
        return false;
    }
    for (qsizetype i = 0; i < want.texts.size(); ++i) {
        if (!sameText(want.texts[i], got.texts[i], cs)) {
            return false;
        }
    }
    for (std::size_t i = 0; i < want.numbers.size(); ++i) {
        // A little more than the tolerance, so that 0.1 written in decimal still counts as 0.1.
        if (!(std::fabs(want.numbers[i] - got.numbers[i]) <= tolerance * (1 + 1e-9) + 1e-12)) {
            return false;
        }
    }
    return true;
}

LineMatch matchPattern(const ExpectedLine& expected, const QString& actual) {
    QRegularExpression::PatternOptions options = QRegularExpression::NoPatternOption;
    if (expected.ignoreCase) {
        options |= QRegularExpression::CaseInsensitiveOption;
    }
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(expected.text), options);
    if (!pattern.isValid()) {
        return LineMatch::Differs;
    }
    const QRegularExpressionMatch match = pattern.match(actual);
    if (match.hasMatch()) {
        return LineMatch::Matches;
    }
    // A valid pattern gives an invalid match only when PCRE2 answered an error rather than "no
    // match": its match or depth limit, or the JIT's stack.
    return match.isValid() ? LineMatch::Differs : LineMatch::TooCostly;
}

LineMatch verdict(bool same) {
    return same ? LineMatch::Matches : LineMatch::Differs;
}

}  // namespace

bool matchesLine(const ExpectedLine& expected, const QString& actual) {
    return compareLine(expected, actual) == LineMatch::Matches;
}

LineMatch compareLine(const ExpectedLine& expected, const QString& printed) {
    const QString actual = withoutTrailingSpace(printed);
    if (expected.pattern) {
        return matchPattern(expected, actual);
    }
    QString want = withoutTrailingSpace(expected.text);
    QString got = actual;
    if (expected.ignoreSpacing) {
        want = withoutSpacing(want);
        got = withoutSpacing(got);
    }
    const Qt::CaseSensitivity cs = expected.ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (expected.tolerance) {
        return verdict(matchesNumbers(want, got, *expected.tolerance, cs));
    }
    return verdict(sameText(want, got, cs));
}

}  // namespace trevalon

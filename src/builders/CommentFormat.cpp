#include "builders/CommentFormat.h"

#include <QRegularExpression>
#include <optional>

#include "model/Cell.h"

namespace trevalon {
namespace {

// A decimal number as its digits and the place of the decimal point within them; the digits
// are kept as text so that rounding is exact whatever the magnitude.
struct Decimal {
    bool negative = false;
    QString digits;
    qsizetype point = 0;  // digits before the decimal point
};

// Exponents beyond this cannot come from the Calculator's number formatting; such texts are
// shown as they stand rather than expanded into thousands of zeros.
constexpr int kMaxExponent = 400;

std::optional<Decimal> parseDecimal(const QString& stored) {
    static const QRegularExpression pattern(
        QStringLiteral("^([+-]?)([0-9]*)(?:\\.([0-9]*))?(?:[eE]([+-]?[0-9]{1,4}))?$"));
    const QRegularExpressionMatch match = pattern.match(stored.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QString whole = match.captured(2);
    const QString fraction = match.captured(3);
    if (whole.isEmpty() && fraction.isEmpty()) {
        return std::nullopt;
    }
    const int exponent = match.captured(4).isEmpty() ? 0 : match.captured(4).toInt();
    if (exponent > kMaxExponent || exponent < -kMaxExponent) {
        return std::nullopt;
    }
    Decimal d;
    d.negative = match.captured(1) == QLatin1String("-");
    d.digits = whole + fraction;
    d.point = whole.size() + exponent;
    if (d.point < 0) {
        d.digits.prepend(QString(-d.point, u'0'));
        d.point = 0;
    }
    if (d.point > d.digits.size()) {
        d.digits.append(QString(d.point - d.digits.size(), u'0'));
    }
    return d;
}

// Whether dropping `rest` from a number ending in `lastKept` rounds it up, ties going to the
// even neighbour.
bool roundsUp(QChar lastKept, QStringView rest) {
    if (rest.isEmpty() || rest[0] < u'5') {
        return false;
    }
    if (rest[0] > u'5') {
        return true;
    }
    for (qsizetype i = 1; i < rest.size(); ++i) {
        if (rest[i] != u'0') {
            return true;
        }
    }
    return (lastKept.digitValue() % 2) == 1;
}

void incrementDigits(QString& digits) {
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
        digits[i] = u'0';
    }
    digits.prepend(u'1');
}

QString withoutQuotes(const QString& value) {
    if (!value.startsWith(u'"')) {
        return value;
    }
    return value.size() < 2 ? QString() : value.mid(1, value.size() - 2);
}

}  // namespace

QString CommentFormat::formatReal(const QString& stored, int precision) {
    if (!stored.contains(u'.')) {
        return stored;
    }
    std::optional<Decimal> d = parseDecimal(stored);
    if (!d) {
        return QString(stored).replace(u'.', u',');
    }
    const qsizetype keep = d->point + precision;
    if (d->digits.size() < keep) {
        d->digits.append(QString(keep - d->digits.size(), u'0'));
    }
    QString kept = d->digits.left(keep);
    const QChar last = kept.isEmpty() ? QChar(u'0') : kept.back();
    if (roundsUp(last, QStringView(d->digits).mid(keep))) {
        incrementDigits(kept);
    }
    if (kept.size() < precision + 1) {
        kept.prepend(QString(precision + 1 - kept.size(), u'0'));
    }
    QString whole = kept.left(kept.size() - precision);
    QString fraction = kept.right(precision);
    while (whole.size() > 1 && whole.front() == u'0') {
        whole.remove(0, 1);
    }
    while (!fraction.isEmpty() && fraction.back() == u'0') {
        fraction.chop(1);
    }
    const bool zero = whole == QLatin1String("0") && fraction.isEmpty();
    QString text = (d->negative && !zero) ? QStringLiteral("-") : QString();
    text += whole;
    if (!fraction.isEmpty()) {
        text += u',' + fraction;
    }
    return text;
}

QString CommentFormat::formatValue(int type, const QString& stored, int precision) {
    switch (type) {
        case TypeInteger:
        case TypeLogical:
        case TypeArray:
            return stored;
        case TypeReal:
            if (precision < 0 || precision >= 7) {
                return QString(stored).replace(u'.', u',');
            }
            return formatReal(stored, precision);
        case TypeChar:
        case TypeText:
        case TypeDate:
            return withoutQuotes(stored);
        default:
            return QString();
    }
}

QString CommentFormat::render(const QString& text, const CommentValueSource& source) {
    QString out;
    out.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf(u'$', at);
        if (open < 0) {
            out += QStringView(text).mid(at);
            break;
        }
        out += QStringView(text).mid(at, open - at);
        qsizetype nameStart = open + 1;
        int precision = NotRounded;
        if (nameStart < text.size() && text[nameStart] >= u'0' && text[nameStart] <= u'7') {
            precision = text[nameStart].digitValue();
            ++nameStart;
        }
        const qsizetype close = text.indexOf(u'$', nameStart);
        if (close < 0) {
            out += QStringView(text).mid(open);
            break;
        }
        const QString name = text.mid(nameStart, close - nameStart);
        const int type = source.variableType(name);
        if (type > 0) {
            out += formatValue(type, source.variableValue(name), precision);
        }
        at = close + 1;
    }
    out.replace(u'&', QStringLiteral("\n\r"));
    return out;
}

QString CommentFormat::sampleValue(int type) {
    switch (type) {
        case TypeInteger:
            return QStringLiteral("124");
        case TypeReal:
            return QStringLiteral("12.385482");
        case TypeChar:
            return QStringLiteral("A");
        case TypeText:
            return QStringLiteral("Tekscik");
        case TypeLogical:
            return QStringLiteral("1");
        case TypeArray:
            return QStringLiteral("*1*2*3*");
        case TypeDate:
            return QStringLiteral("2013/08/18");
        default:
            return QString();
    }
}

}  // namespace trevalon

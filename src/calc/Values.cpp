#include "calc/Values.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "calc/DateStamp.h"

namespace trevalon::calc {

namespace {

// Powers of ten that a long double holds exactly (5^27 < 2^64).
constexpr int kExactPowers = 27;

long double exactPowerOfTen(int n) {
    static const auto table = [] {
        std::array<long double, kExactPowers + 1> powers{};
        long double p = 1.0L;
        for (int i = 0; i <= kExactPowers; ++i) {
            powers[static_cast<size_t>(i)] = p;
            p *= 10.0L;
        }
        return powers;
    }();
    return table[static_cast<size_t>(n)];
}

bool isDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

qsizetype firstKept(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && isTrimChar(text[i])) {
        ++i;
    }
    return i;
}

qsizetype endKept(QStringView text) {
    qsizetype end = text.size();
    while (end > 0 && isTrimChar(text[end - 1])) {
        --end;
    }
    return end;
}

}  // namespace

QString trimmed(const QString& text) {
    const qsizetype begin = firstKept(text);
    if (begin == text.size()) {
        return QString();
    }
    const qsizetype end = endKept(text);
    if (begin == 0 && end == text.size()) {
        return text;
    }
    return text.mid(begin, end - begin);
}

QString trimmedLeft(const QString& text) {
    const qsizetype begin = firstKept(text);
    return begin == 0 ? text : text.mid(begin);
}

QString trimmedRight(const QString& text) {
    const qsizetype end = endKept(text);
    return end == text.size() ? text : text.left(end);
}

namespace {

// A "+" or "-" at `i` is passed over; answers whether it was "-".
bool readSign(QStringView text, qsizetype& i) {
    if (text[i] != u'+' && text[i] != u'-') {
        return false;
    }
    return text[i++] == u'-';
}

// Plain integers, the most common numbers by far, are read exactly without further ado: up to
// 18 digits that fill `digits` whole.
std::optional<long double> plainInteger(QStringView digits) {
    constexpr qsizetype kExactDigits = 18;
    if (digits.isEmpty() || digits.size() > kExactDigits) {
        return std::nullopt;
    }
    quint64 whole = 0;
    for (const QChar c : digits) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        whole = whole * 10 + (c.unicode() - u'0');
    }
    return static_cast<long double>(whole);
}

// The digits of a decimal number, with at most one point ("." or ","). The first 19 significant
// digits go into `mantissa`; the value is mantissa * 10^shift (before the written exponent).
struct DecimalDigits {
    static constexpr int kMaxDigits = 19;
    quint64 mantissa = 0;
    int significant = 0;
    long long shift = 0;
    long long integerDigits = 0;  // significant digits before the point
    long long fractionZeros = 0;  // zeros after the point before the first significant digit
    bool anyDigit = false;
    qsizetype length = 0;  // characters read

    // The power of ten of the first significant digit, before the written exponent.
    long long lead() const { return integerDigits > 0 ? integerDigits - 1 : -(fractionZeros + 1); }
};

// Reads digits and a point from the start of `text` up to the first other character.
DecimalDigits readDigits(QStringView text) {
    DecimalDigits d;
    bool pointSeen = false;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if ((c == u'.' || c == u',') && !pointSeen) {
            pointSeen = true;
            continue;
        }
        if (!isDigit(c)) {
            break;
        }
        d.anyDigit = true;
        const int digit = c.unicode() - u'0';
        if (d.significant == 0 && digit == 0) {
            if (pointSeen) {
                ++d.fractionZeros;
                --d.shift;
            }
            continue;
        }
        if (!pointSeen) {
            ++d.integerDigits;
        }
        if (d.significant < DecimalDigits::kMaxDigits) {
            d.mantissa = d.mantissa * 10 + static_cast<quint64>(digit);
            if (pointSeen) {
                --d.shift;
            }
        } else if (!pointSeen) {
            ++d.shift;
        }
        ++d.significant;
    }
    d.length = i;
    return d;
}

// A written exponent: nothing at all (0), or "e" or "E", an optional sign and at least one
// digit. Nothing is read from anything else.
std::optional<long long> readExponent(QStringView text) {
    if (text.isEmpty()) {
        return 0;
    }
    if (text[0] != u'e' && text[0] != u'E') {
        return std::nullopt;
    }
    qsizetype i = 1;
    const bool negative = i < text.size() && readSign(text, i);
    if (i >= text.size()) {
        return std::nullopt;
    }
    long long exponent = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) {
            return std::nullopt;
        }
        if (exponent < 100000000) {
            exponent = exponent * 10 + (text[i].unicode() - u'0');
        }
    }
    return negative ? -exponent : exponent;
}

// At most 19 significant digits and an exactly representable power of ten give a correctly
// rounded value with one multiplication or division; nothing when the digits do not allow it.
std::optional<long double> exactValue(const DecimalDigits& d, long long exponent) {
    const long long power = d.shift + exponent;
    if (d.significant > DecimalDigits::kMaxDigits || power < -kExactPowers ||
        power > kExactPowers) {
        return std::nullopt;
    }
    const long double value = static_cast<long double>(d.mantissa);
    return power < 0 ? value / exactPowerOfTen(static_cast<int>(-power))
                     : value * exactPowerOfTen(static_cast<int>(power));
}

// Too many digits for the exact path: the library reads the digits, correctly rounded. A value
// too small to hold reads as 0; one too large is not read.
std::optional<long double> libraryValue(QStringView digits, long long exponent, bool belowOne) {
    std::string ascii;
    ascii.reserve(static_cast<size_t>(digits.size()) + 16);
    for (const QChar c : digits) {
        ascii.push_back(c == u',' ? '.' : static_cast<char>(c.unicode()));
    }
    ascii += 'e';
    ascii += std::to_string(exponent);
    long double value = 0.0L;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return belowOne ? std::optional<long double>(0.0L) : std::nullopt;
    }
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// An unsigned decimal number with an optional fraction and exponent, filling `text` whole.
std::optional<long double> decimalNumber(QStringView text) {
    const DecimalDigits d = readDigits(text);
    if (!d.anyDigit) {
        return std::nullopt;
    }
    const std::optional<long long> exponent = readExponent(text.sliced(d.length));
    if (!exponent) {
        return std::nullopt;
    }
    if (d.significant == 0) {
        return 0.0L;
    }
    if (const auto exact = exactValue(d, *exponent)) {
        return exact;
    }
    const long long lead = d.lead() + *exponent;
    if (lead > 5000) {
        return std::nullopt;
    }
    if (lead < -5000) {
        return 0.0L;
    }
    return libraryValue(text.first(d.length), *exponent, lead < 0);
}

}  // namespace

std::optional<long double> parseNumber(QStringView text) {
    const qsizetype begin = firstKept(text);
    const qsizetype end = endKept(text);
    if (begin >= end) {
        return std::nullopt;
    }
    qsizetype i = begin;
    const bool negative = readSign(text, i);
    const QStringView magnitudeText = text.sliced(i, end - i);
    std::optional<long double> magnitude = plainInteger(magnitudeText);
    if (!magnitude) {
        magnitude = decimalNumber(magnitudeText);
    }
    if (!magnitude) {
        return std::nullopt;
    }
    return negative ? -*magnitude : *magnitude;
}

namespace {

// Writes the digits of `scaled` (the magnitude times 10^decimals, already rounded) with the
// point before the last `decimals` digits, trailing zeros and a bare point removed.
QString fixedText(bool negative, quint64 scaled, int decimals) {
    char digits[32];  // least significant first
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + scaled % 10);
        scaled /= 10;
    } while (scaled != 0);
    while (count <= decimals) {
        digits[count++] = '0';
    }
    int lowestKept = 0;
    while (lowestKept < decimals && digits[lowestKept] == '0') {
        ++lowestKept;
    }
    const bool zero = lowestKept == decimals && count == decimals + 1 && digits[decimals] == '0';
    char text[40];
    int length = 0;
    if (negative && !zero) {
        text[length++] = '-';
    }
    for (int i = count - 1; i >= decimals; --i) {
        text[length++] = digits[i];
    }
    if (lowestKept < decimals) {
        text[length++] = '.';
        for (int i = decimals - 1; i >= lowestKept; --i) {
            text[length++] = digits[i];
        }
    }
    return QString::fromLatin1(text, length);
}

}  // namespace

QString integerText(qint64 value) {
    // Counters and sums are written on every step; this skips the general number formatting.
    char16_t buffer[24];
    char16_t* end = buffer + 24;
    char16_t* p = end;
    quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    do {
        *--p = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        *--p = u'-';
    }
    return QString(reinterpret_cast<const QChar*>(p), end - p);
}

void writeWholeNumber(qint64 whole, QString& out) {
    char16_t buffer[24];
    char16_t* end = buffer + 24;
    char16_t* p = end;
    quint64 magnitude = whole < 0 ? 0 - static_cast<quint64>(whole) : static_cast<quint64>(whole);
    // Two digits at a time.
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    while (magnitude >= 10) {
        const quint64 pair = (magnitude % 100) * 2;
        magnitude /= 100;
        *--p = static_cast<char16_t>(kPairs[pair + 1]);
        *--p = static_cast<char16_t>(kPairs[pair]);
    }
    if (magnitude != 0 || p == end) {
        *--p = static_cast<char16_t>(u'0' + magnitude);
    }
    if (whole < 0) {
        *--p = u'-';
    }
    // A buffer of our own and large enough is written over: a counter's new value costs no
    // allocation.
    const qsizetype length = end - p;
    if (out.size() != length) {
        out.resize(length);
    }
    char16_t* target = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < length; ++i) {
        target[i] = p[i];
    }
}

std::optional<long double> throughText(long double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    qint64 whole = 0;
    if (asWholeNumber(value, whole)) {
        // Integers are written with all their digits and read back exactly; -0 is written "0".
        return static_cast<long double>(whole);
    }
    return parseNumber(formatNumber(value));
}

QStringView storedValueText(const QString& stored, QChar quote, bool* isText) {
    QStringView value(stored);
    value = value.mid(firstKept(value));
    const bool text = value.startsWith(quote);
    if (isText) {
        *isText = text;
    }
    if (!text) {
        return value;
    }
    if (value.size() >= 2 && value.endsWith(quote)) {
        return value.mid(1, value.size() - 2);
    }
    return value.mid(1);
}

QString formatNumber(long double value) {
    if (value == std::trunc(value) && std::fabs(value) < 1e18L) {
        return integerText(static_cast<qint64>(value));
    }
    // At most 12 decimals, and at most 18 significant digits: digits beyond the 18th are noise
    // of the binary representation.
    const long double magnitude = std::fabs(value);
    int decimals = 12;
    if (magnitude >= 1e6L) {
        int integerDigits = 7;
        while (integerDigits < 19 && magnitude >= exactPowerOfTen(integerDigits)) {
            ++integerDigits;
        }
        decimals = std::max(0, 18 - integerDigits);
    }
    // Scaling by an exact power of ten rounds once, by at most 1/32 of the last place (the
    // product stays below 10^18 < 2^60); unless that lands near a half, rounding the product is
    // rounding the value.
    if (magnitude < 1e18L) {
        const long double scaled = magnitude * exactPowerOfTen(decimals);
        const long double whole = std::floor(scaled);
        const long double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5L) > 0.0625L) {
            const quint64 rounded = static_cast<quint64>(whole) + (fraction > 0.5L ? 1 : 0);
            return fixedText(value < 0, rounded, decimals);
        }
    }
    std::string buffer(64, '\0');
    for (;;) {
        const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                             std::chars_format::fixed, decimals);
        if (ec == std::errc()) {
            buffer.resize(static_cast<size_t>(ptr - buffer.data()));
            break;
        }
        buffer.resize(buffer.size() * 4);
    }
    if (buffer.find('.') != std::string::npos) {
        while (buffer.back() == '0') {
            buffer.pop_back();
        }
        if (buffer.back() == '.') {
            buffer.pop_back();
        }
    }
    if (buffer == "-0") {
        buffer = "0";
    }
    return QString::fromLatin1(buffer.data(), static_cast<qsizetype>(buffer.size()));
}

bool readStrictDate(QStringView text, int* year, int* month, int* day) {
    int parts[3] = {0, 0, 0};
    int part = 0;
    int digits = 0;
    for (const QChar c : text) {
        if (isDigit(c)) {
            const int limit = part == 0 ? 4 : 2;
            if (++digits > limit) {
                return false;
            }
            parts[part] = parts[part] * 10 + (c.unicode() - u'0');
        } else if (c == u'/' && part < 2 && digits > 0) {
            ++part;
            digits = 0;
        } else {
            return false;
        }
    }
    if (part != 2 || digits == 0) {
        return false;
    }
    if (parts[0] < 1 || parts[1] < 1 || parts[1] > 12 || parts[2] < 1 ||
        parts[2] > daysInMonth(parts[0], parts[1])) {
        return false;
    }
    if (year) {
        *year = parts[0];
    }
    if (month) {
        *month = parts[1];
    }
    if (day) {
        *day = parts[2];
    }
    return true;
}

int classify(const QString& text) {
    constexpr int kInteger = 1, kReal = 2, kCharacter = 3, kText = 4, kLogical = 5, kArray = 6,
                  kDate = 7;
    if (text.isEmpty()) {
        return kText;
    }
    QStringView body(text);
    if (body.front() == u'"') {
        body = body.size() >= 2 ? body.mid(1, body.size() - 2) : QStringView();
        // An empty text is a text, even though no character of it fails the digit test.
        if (body.isEmpty()) {
            return kText;
        }
    }
    bool numeric = true;
    bool point = false;
    for (const QChar c : body) {
        if (c == u'.') {
            point = true;
        } else if (!isDigit(c) && c != u'-') {
            numeric = false;
            break;
        }
    }
    if (numeric) {
        if (point) {
            return kReal;
        }
        const bool truthValue = body.size() == 1 && (body[0] == u'0' || body[0] == u'1');
        return truthValue ? kLogical : kInteger;
    }
    if (body.size() == 1 && body.front() != u'*') {
        return kCharacter;
    }
    if (readStrictDate(body)) {
        return kDate;
    }
    if (body.front() == u'*' && body.back() == u'*') {
        return kArray;
    }
    return kText;
}

}  // namespace trevalon::calc

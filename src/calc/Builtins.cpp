#include "calc/Builtins.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "calc/DateStamp.h"
#include "calc/Evaluator.h"
#include "calc/TText.h"
#include "calc/TextSearch.h"
#include "calc/Values.h"

namespace trevalon {

namespace {

const QString kOne = QStringLiteral("1");
const QString kZero = QStringLiteral("0");

const QString& truth(bool value) {
    return value ? kOne : kZero;
}

// ---- Character codes: `ascii` and `char` speak the Central European Windows code page, the
// one pupils' texts were typed in.

constexpr std::array<char16_t, 128> kCodePageHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

QChar charOfCode(int code) {
    return code < 0x80 ? QChar(char16_t(code)) : QChar(kCodePageHigh[size_t(code - 0x80)]);
}

// The code of a character; "?" for one the code page does not hold.
int codeOfChar(QChar c) {
    if (c.unicode() < 0x80) {
        return c.unicode();
    }
    for (size_t i = 0; i < kCodePageHigh.size(); ++i) {
        if (kCodePageHigh[i] == c.unicode()) {
            return static_cast<int>(0x80 + i);
        }
    }
    return '?';
}

// ---- Numbers

using Real = long double;

// Applies `f` to the argument as a number; the generic error for a result out of range.
template <typename F>
QString numeric(Evaluator& e, const QString& argument, F f) {
    const Real x = e.number(argument);
    if (e.failed()) {
        return QString();
    }
    const std::optional<Real> y = f(x);
    if (!y) {
        e.fail();
        return QString();
    }
    return e.numberText(*y);
}

std::optional<Real> ok(Real value) {
    return value;
}

QString fnCos(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) { return ok(std::cos(x)); });
}
QString fnSin(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) { return ok(std::sin(x)); });
}
QString fnTg(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) { return ok(std::tan(x)); });
}
QString fnCtg(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) -> std::optional<Real> {
        const Real t = std::tan(x);
        if (t == 0) {
            return std::nullopt;
        }
        return 1 / t;
    });
}
QString fnAbs(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) { return ok(std::fabs(x)); });
}
QString fnSign(Evaluator& e, const QString& a) {
    // The band counted as zero reaches 1e-7 below zero but only 1e-8 above it.
    return numeric(e, a, [](Real x) { return ok(x < -1e-7L ? -1 : (x > 1e-8L ? 1 : 0)); });
}
QString fnSqrt(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) -> std::optional<Real> {
        if (x < 0) {
            return std::nullopt;
        }
        return std::sqrt(x);
    });
}
QString fnLn(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) -> std::optional<Real> {
        if (x <= 0) {
            return std::nullopt;
        }
        return std::log(x);
    });
}
QString fnExp(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) { return ok(std::exp(x)); });
}
QString fnArcsin(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) -> std::optional<Real> {
        if (std::fabs(x) > 1) {
            return std::nullopt;
        }
        return std::asin(x);
    });
}
QString fnArccos(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) -> std::optional<Real> {
        if (std::fabs(x) > 1) {
            return std::nullopt;
        }
        return std::acos(x);
    });
}
QString fnArctg(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) { return ok(std::atan(x)); });
}
QString fnArcctg(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) { return ok(std::acos(Real(-1)) / 2 - std::atan(x)); });
}
QString fnSh(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) { return ok((std::exp(x) - std::exp(-x)) / 2); });
}
QString fnCh(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) { return ok((std::exp(x) + std::exp(-x)) / 2); });
}
QString fnTh(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) {
        return ok((std::exp(x) - std::exp(-x)) / (std::exp(x) + std::exp(-x)));
    });
}
QString fnCth(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) -> std::optional<Real> {
        const Real difference = std::exp(x) - std::exp(-x);
        if (difference == 0) {
            return std::nullopt;
        }
        return (std::exp(x) + std::exp(-x)) / difference;
    });
}
QString fnHeaviside(Evaluator& e, const QString& a) {
    const Real x = e.number(a);
    return e.failed() ? QString() : truth(x >= 0);
}
QString fnExistVar(Evaluator& e, const QString& a) {
    return truth(e.store().exists(a));
}
QString fnFrac(Evaluator& e, const QString& a) {
    return numeric(e, a, [](Real x) { return ok(x - std::trunc(x)); });
}
QString fnTrunc(Evaluator& e, const QString& a) {
    const Real x = e.number(a);
    if (e.failed()) {
        return QString();
    }
    const Real whole = std::trunc(x);
    // The integer part is a 64-bit integer; beyond it the value overflows.
    constexpr Real kLimit = 9223372036854775808.0L;
    if (!(whole > -kLimit - 1 && whole < kLimit)) {
        e.fail();
        return QString();
    }
    return calc::integerText(static_cast<qint64>(whole));
}
QString fnNot(Evaluator& e, const QString& a) {
    const Real x = e.number(a);
    return e.failed() ? QString() : truth(x < 1);
}
QString fnNumeric(Evaluator& e, const QString& a) {
    QString text = a;
    text.remove(u' ');
    text.replace(u',', u'.');
    const Real x = e.number(text);
    return e.failed() ? QString() : e.numberText(x);
}
QString fnLogic(Evaluator& e, const QString& a) {
    const qint32 i = e.integer(a);
    return e.failed() ? QString() : truth(i >= 1);
}

// ---- Texts

QString fnLength(Evaluator&, const QString& a) {
    return calc::integerText(a.size());
}
QString fnTrimLeft(Evaluator&, const QString& a) {
    return calc::trimmedLeft(a);
}
QString fnTrimRight(Evaluator&, const QString& a) {
    return calc::trimmedRight(a);
}
QString fnTrim(Evaluator&, const QString& a) {
    return calc::trimmed(a);
}
QString fnChar(Evaluator& e, const QString& a) {
    const qint32 code = e.integer(a);
    if (e.failed()) {
        return QString();
    }
    return QString(charOfCode(((code % 256) + 256) % 256));
}
QString fnAscii(Evaluator&, const QString& a) {
    return a.isEmpty() ? QString() : QString::number(codeOfChar(a.front()));
}
QString fnUpper(Evaluator&, const QString& a) {
    return a.toUpper();
}
QString fnLower(Evaluator&, const QString& a) {
    return a.toLower();
}
QString fnString(Evaluator&, const QString& a) {
    return a;
}

// ---- Dates

// Applies `field` to the parts of the date or stamp the argument stands for.
template <typename F>
QString dateField(Evaluator& e, const QString& argument, F field) {
    const std::optional<double> stamp = calc::readStamp(argument);
    const std::optional<calc::StampParts> parts = stamp ? calc::decodeStamp(*stamp) : std::nullopt;
    if (!parts) {
        e.fail();
        return QString();
    }
    return field(*parts);
}

QString fnWeekday(Evaluator& e, const QString& a) {
    return dateField(e, a, [](const calc::StampParts& p) { return QString::number(p.weekday); });
}
QString fnMonth(Evaluator& e, const QString& a) {
    return dateField(e, a, [](const calc::StampParts& p) { return QString::number(p.month); });
}
QString fnYear(Evaluator& e, const QString& a) {
    return dateField(e, a, [](const calc::StampParts& p) { return QString::number(p.year); });
}
QString fnDay(Evaluator& e, const QString& a) {
    return dateField(e, a, [](const calc::StampParts& p) { return QString::number(p.day); });
}
QString fnHour(Evaluator& e, const QString& a) {
    return dateField(e, a, [](const calc::StampParts& p) { return QString::number(p.hour); });
}
QString fnMinute(Evaluator& e, const QString& a) {
    return dateField(e, a, [](const calc::StampParts& p) { return QString::number(p.minute); });
}
QString fnSec(Evaluator& e, const QString& a) {
    return dateField(e, a, [](const calc::StampParts& p) { return QString::number(p.second); });
}
QString fnStrToStamp(Evaluator& e, const QString& a) {
    const std::optional<double> stamp = calc::readStamp(a);
    if (!stamp) {
        e.fail();
        return QString();
    }
    return e.numberText(*stamp);
}

// Applies `format` to the parts of the stamp number the argument holds.
template <typename F>
QString stampText(Evaluator& e, const QString& argument, F format) {
    const Real x = e.number(argument);
    if (e.failed()) {
        return QString();
    }
    const std::optional<calc::StampParts> parts = calc::decodeStamp(static_cast<double>(x));
    if (!parts) {
        e.fail();
        return QString();
    }
    return format(*parts);
}

QString fnStampToDateStr(Evaluator& e, const QString& a) {
    return stampText(e, a, calc::dateText);
}
QString fnStampToTimeStr(Evaluator& e, const QString& a) {
    return stampText(e, a, calc::timeText);
}
QString fnStampToStr(Evaluator& e, const QString& a) {
    return stampText(e, a, calc::stampText);
}
QString fnLastDay(Evaluator& e, const QString& a) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (!calc::readStrictDate(calc::trimmed(a), &year, &month, &day)) {
        e.fail();
        return QString();
    }
    if (year == 1 && month == 1 && day == 1) {
        return kZero;
    }
    return QString::number(calc::daysInMonth(year, month));
}
QString fnNameDay(Evaluator& e, const QString& a) {
    static const char16_t* const kPolish[] = {u"poniedziałek", u"wtorek", u"środa",    u"czwartek",
                                              u"piątek",       u"sobota", u"niedziela"};
    static const char16_t* const kEnglish[] = {u"monday", u"tuesday",  u"wednesday", u"thursday",
                                               u"friday", u"saturday", u"sunday"};
    const qint32 day = e.integer(a);
    if (e.failed()) {
        return QString();
    }
    if (day < 1 || day > 7) {
        e.raise(calc::ErrorDoesNotExist);
        return QString();
    }
    const auto& names = e.language() == u"pl" ? kPolish : kEnglish;
    return QString::fromUtf16(names[day - 1]);
}

// ---- Functions of several arguments (arguments trimmed, first argument first)

QString argumentOr(const QStringList& args, qsizetype i, const QString& fallback) {
    return i < args.size() ? args[i] : fallback;
}

QString fnCopy(Evaluator& e, const QStringList& args) {
    const QString& s = args[0];
    const qint64 from = e.integer(args[1]);
    const qint64 count = args.size() > 2 ? e.integer(args[2]) : s.size();
    if (e.failed() || s.size() < from || count < 1) {
        return QString();
    }
    const qint64 start = std::max<qint64>(from, 1);
    return s.mid(start - 1, std::min<qint64>(count, s.size() - start + 1));
}

QString fnCopyTo(Evaluator& e, const QStringList& args) {
    const QString& s = args[0];
    const qint64 from = e.integer(args[1]);
    const qint64 to = args.size() > 2 ? e.integer(args[2]) : s.size();
    if (e.failed() || s.size() < from || to < from) {
        return QString();
    }
    const qint64 start = std::max<qint64>(from, 1);
    const qint64 end = std::min<qint64>(to, s.size());
    return end < start ? QString() : s.mid(start - 1, end - start + 1);
}

QString fnPos(Evaluator& e, const QStringList& args) {
    if (args[0].isEmpty()) {
        return kZero;
    }
    const qsizetype at = TextSearch(args[0], Qt::CaseSensitive, e.budget()).indexIn(args[1]);
    return e.overBudget() ? QString() : calc::integerText(at + 1);
}

QString fnDelete(Evaluator& e, const QStringList& args) {
    QString s = args[0];
    const qint64 from = e.integer(args[1]);
    const qint64 count = args.size() > 2 ? e.integer(args[2]) : s.size();
    if (e.failed()) {
        return QString();
    }
    if (s.size() >= from && count > 0 && from >= 1) {
        s.remove(from - 1, std::min<qint64>(count, s.size() - from + 1));
    }
    return s;
}

QString fnReplace(Evaluator& e, const QStringList& args) {
    const QString& s = args[0];
    const QString& target = args[1];
    const QString& replacement = args[2];
    const bool all = e.integer(argumentOr(args, 3, kOne)) == 1;
    const Qt::CaseSensitivity sensitivity =
        e.integer(argumentOr(args, 4, kOne)) == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (e.failed() || target.isEmpty()) {
        return e.failed() ? QString() : s;
    }
    // Occurrences from the left, never overlapping, counted first, so that a text too long is
    // refused before it is made, and the result is made in one piece.
    const TextSearch search(target, sensitivity, e.budget());
    qsizetype occurrences = 0;
    const auto count = [&occurrences, all](qsizetype) {
        ++occurrences;
        return all;
    };
    if (!search.forEachIn(s, count)) {
        e.overBudget();
        return QString();
    }
    if (occurrences == 0) {
        return s;
    }
    if (!e.fitsTextLimit(s.size() + occurrences * (replacement.size() - target.size()))) {
        return QString();
    }
    QString result(s.size() + occurrences * (replacement.size() - target.size()),
                   Qt::Uninitialized);
    QChar* out = result.data();
    qsizetype done = 0;
    const auto copy = [&out](QStringView part) {
        std::copy(part.begin(), part.end(), out);
        out += part.size();
    };
    const auto put = [&](qsizetype at) {
        copy(QStringView(s).sliced(done, at - done));
        copy(replacement);
        done = at + target.size();
        return all;
    };
    if (!search.forEachIn(s, put)) {
        e.overBudget();
        return QString();
    }
    copy(QStringView(s).sliced(done));
    return result;
}

// The arguments of an aggregate as doubles, stopping at the first that is not a number.
template <typename F>
QString aggregate(Evaluator& e, const QStringList& args, F combine) {
    double result = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const double x = e.realNumber(args[i]);
        if (e.failed()) {
            return QString();
        }
        result = i == 0 ? x : combine(result, x);
    }
    return e.numberText(result);
}

QString fnMaxVal(Evaluator& e, const QStringList& args) {
    return aggregate(e, args, [](double a, double b) { return std::max(a, b); });
}
QString fnMinVal(Evaluator& e, const QStringList& args) {
    return aggregate(e, args, [](double a, double b) { return std::min(a, b); });
}
QString fnSumVal(Evaluator& e, const QStringList& args) {
    return aggregate(e, args, [](double a, double b) { return a + b; });
}
QString fnAvgVal(Evaluator& e, const QStringList& args) {
    double sum = 0;
    for (const QString& argument : args) {
        sum += e.realNumber(argument);
        if (e.failed()) {
            return QString();
        }
    }
    return e.numberText(sum / static_cast<double>(args.size()));
}

QString fnIff(Evaluator& e, const QStringList& args) {
    const qint32 condition = e.integer(args[0]);
    if (e.failed()) {
        return QString();
    }
    return condition == 1 ? args[1] : args[2];
}

QString fnInsert(Evaluator& e, const QStringList& args) {
    QString s = args[0];
    const QString& t = args[1];
    const qint64 at = e.integer(args[2]);
    if (e.failed()) {
        return QString();
    }
    if (s.isEmpty()) {
        return t;
    }
    if (!e.fitsTextLimit(s.size() + t.size())) {
        return QString();
    }
    const qint64 position = std::clamp<qint64>(at, 1, s.size() + 1);
    return s.insert(position - 1, t);
}

int baseOf(qint32 b) {
    return std::clamp(b, 2, 16);
}

QString fnNumBase(Evaluator& e, const QStringList& args) {
    const qint64 value = e.integer(args[0]);
    const int base = baseOf(e.integer(args[1]));
    if (e.failed()) {
        return QString();
    }
    constexpr int kMaxDigits = 32;
    // Negative values are written with a leading minus and the digits of their magnitude.
    qint64 rest = value < 0 ? -value : value;
    QString digits;
    do {
        digits.prepend(QChar(u"0123456789ABCDEF"[rest % base]));
        rest /= base;
    } while (rest != 0 && digits.size() < kMaxDigits);
    return value < 0 ? u'-' + digits : digits;
}

QString fnBaseNum(Evaluator& e, const QStringList& args) {
    QString s = args[0].toUpper();
    const int base = baseOf(e.integer(args[1]));
    if (e.failed()) {
        return QString();
    }
    qsizetype first = 0;
    while (first < s.size() && s[first] == u'0') {
        ++first;
    }
    s = s.mid(first);
    qint64 value = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        int digit = 0;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        } else {
            return QString();
        }
        const qsizetype power = s.size() - 1 - i;
        const long double weight =
            std::floor(std::pow(static_cast<long double>(base), power) + 0.1L);
        const long double sum = static_cast<long double>(value) + digit * weight;
        // The result is a 32-bit integer; larger values are refused.
        if (sum > std::numeric_limits<qint32>::max()) {
            e.fail();
            return QString();
        }
        value = static_cast<qint64>(sum);
    }
    return QString::number(value);
}

QString fnPrefix(Evaluator& e, const QStringList& args) {
    constexpr qsizetype kMaxLength = 255;
    const qint64 width = std::min<qint64>(e.integer(args[0]), kMaxLength);
    if (e.failed()) {
        return QString();
    }
    const QString pad = args.size() > 2 ? args[1] : QString();
    const QString& s = args.size() > 2 ? args[2] : args[1];
    const QChar fill = pad.isEmpty() ? QChar(u' ') : pad.front();
    QString result = s.left(kMaxLength);
    if (result.size() < width) {
        result.prepend(QString(width - result.size(), fill));
    }
    return result;
}

// The function table: name with its "(", code, result type, minimum argument count (0 for
// functions of one argument), implementation, and whether it is an aggregate (FunctionInfo).
// Adding a function is one row here and its code in Codes.h.
const FunctionInfo kFunctions[] = {
    {u"cos(", op::Cos, YieldsNumber, 0, fnCos, nullptr},
    {u"sin(", op::Sin, YieldsNumber, 0, fnSin, nullptr},
    {u"tg(", op::Tg, YieldsNumber, 0, fnTg, nullptr},
    {u"ctg(", op::Ctg, YieldsNumber, 0, fnCtg, nullptr},
    {u"abs(", op::Abs, YieldsNumber, 0, fnAbs, nullptr},
    {u"sign(", op::Sign, YieldsNumber, 0, fnSign, nullptr},
    {u"sqrt(", op::Sqrt, YieldsNumber, 0, fnSqrt, nullptr},
    {u"ln(", op::Ln, YieldsNumber, 0, fnLn, nullptr},
    {u"exp(", op::Exp, YieldsNumber, 0, fnExp, nullptr},
    {u"arcsin(", op::Arcsin, YieldsNumber, 0, fnArcsin, nullptr},
    {u"arccos(", op::Arccos, YieldsNumber, 0, fnArccos, nullptr},
    {u"arctg(", op::Arctg, YieldsNumber, 0, fnArctg, nullptr},
    {u"arcctg(", op::Arcctg, YieldsNumber, 0, fnArcctg, nullptr},
    {u"sh(", op::Sh, YieldsNumber, 0, fnSh, nullptr},
    {u"ch(", op::Ch, YieldsNumber, 0, fnCh, nullptr},
    {u"th(", op::Th, YieldsNumber, 0, fnTh, nullptr},
    {u"cth(", op::Cth, YieldsNumber, 0, fnCth, nullptr},
    {u"heaviside(", op::Heaviside, YieldsNumber, 0, fnHeaviside, nullptr},
    {u"h(", op::Heaviside, YieldsNumber, 0, fnHeaviside, nullptr},
    {u"existvar(", op::ExistVar, YieldsNumber, 0, fnExistVar, nullptr},
    {u"freevar(", op::FreeVar, YieldsNumber, 0, nullptr, nullptr},
    {u"lastday(", op::LastDay, YieldsNumber, 0, fnLastDay, nullptr},
    {u"frac(", op::Frac, YieldsNumber, 0, fnFrac, nullptr},
    {u"trunc(", op::Trunc, YieldsNumber, 0, fnTrunc, nullptr},
    {u"length(", op::Length, YieldsNumber, 0, fnLength, nullptr},
    {u"trimleft(", op::TrimLeft, YieldsText, 0, fnTrimLeft, nullptr},
    {u"trimright(", op::TrimRight, YieldsText, 0, fnTrimRight, nullptr},
    {u"trim(", op::Trim, YieldsText, 0, fnTrim, nullptr},
    {u"eval(", op::Eval, YieldsKept, 0, nullptr, nullptr},
    {u"char(", op::Char, YieldsText, 0, fnChar, nullptr},
    {u"ascii(", op::Ascii, YieldsNumber, 0, fnAscii, nullptr},
    {u"upper(", op::Upper, YieldsText, 0, fnUpper, nullptr},
    {u"lower(", op::Lower, YieldsText, 0, fnLower, nullptr},
    {u"not(", op::Not, YieldsNumber, 0, fnNot, nullptr},
    {u"weekday(", op::Weekday, YieldsNumber, 0, fnWeekday, nullptr},
    {u"month(", op::Month, YieldsNumber, 0, fnMonth, nullptr},
    {u"year(", op::Year, YieldsNumber, 0, fnYear, nullptr},
    {u"day(", op::Day, YieldsNumber, 0, fnDay, nullptr},
    {u"hour(", op::Hour, YieldsNumber, 0, fnHour, nullptr},
    {u"minute(", op::Minute, YieldsNumber, 0, fnMinute, nullptr},
    {u"sec(", op::Sec, YieldsNumber, 0, fnSec, nullptr},
    {u"strtostamp(", op::StrToStamp, YieldsNumber, 0, fnStrToStamp, nullptr},
    {u"stamptodatestr(", op::StampToDateStr, YieldsText, 0, fnStampToDateStr, nullptr},
    {u"stamptotimestr(", op::StampToTimeStr, YieldsText, 0, fnStampToTimeStr, nullptr},
    {u"stamptostr(", op::StampToStr, YieldsText, 0, fnStampToStr, nullptr},
    {u"copy(", op::Copy, YieldsText, 2, nullptr, fnCopy},
    {u"copyto(", op::CopyTo, YieldsText, 2, nullptr, fnCopyTo},
    {u"pos(", op::Pos, YieldsNumber, 2, nullptr, fnPos},
    {u"delete(", op::Delete, YieldsKept, 2, nullptr, fnDelete},
    {u"replace(", op::Replace, YieldsText, 3, nullptr, fnReplace},
    {u"maxval(", op::MaxVal, YieldsNumber, 1, nullptr, fnMaxVal, true},
    {u"minval(", op::MinVal, YieldsNumber, 1, nullptr, fnMinVal, true},
    {u"sumval(", op::SumVal, YieldsNumber, 1, nullptr, fnSumVal, true},
    {u"avgval(", op::AvgVal, YieldsNumber, 1, nullptr, fnAvgVal, true},
    {u"iff(", op::Iff, YieldsText, 3, nullptr, fnIff},
    {u"insert(", op::Insert, YieldsText, 3, nullptr, fnInsert},
    {u"numbase(", op::NumBase, YieldsText, 2, nullptr, fnNumBase},
    {u"basenum(", op::BaseNum, YieldsNumber, 2, nullptr, fnBaseNum},
    {u"string(", op::String, YieldsText, 0, fnString, nullptr},
    {u"numeric(", op::Numeric, YieldsNumber, 0, fnNumeric, nullptr},
    {u"logic(", op::Logic, YieldsNumber, 0, fnLogic, nullptr},
    {u"prefix(", op::Prefix, YieldsText, 2, nullptr, fnPrefix},
    {u"nameday(", op::NameDay, YieldsText, 0, fnNameDay, nullptr},
};

}  // namespace

const FunctionInfo* findFunction(QStringView name) {
    static const QHash<QString, const FunctionInfo*> byName = [] {
        QHash<QString, const FunctionInfo*> table;
        for (const FunctionInfo& function : kFunctions) {
            table.insert(QString::fromUtf16(function.name), &function);
        }
        return table;
    }();
    return byName.value(name.toString(), nullptr);
}

const FunctionInfo* functionByCode(int code) {
    static const std::array<const FunctionInfo*, op::kCodeCount> byCode = [] {
        std::array<const FunctionInfo*, op::kCodeCount> table{};
        for (const FunctionInfo& function : kFunctions) {
            if (!table[static_cast<size_t>(function.code)]) {
                table[static_cast<size_t>(function.code)] = &function;
            }
        }
        return table;
    }();
    return code >= 0 && code < op::kCodeCount ? byCode[static_cast<size_t>(code)] : nullptr;
}

}  // namespace trevalon

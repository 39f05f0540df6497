#include "calc/DateStamp.h"

#include <QList>
#include <cmath>

#include "calc/Values.h"

namespace trevalon::calc {

namespace {

constexpr qint64 kMsecPerDay = 86400000;
// Day number of 1970-01-01.
constexpr qint64 kUnixEpochDay = 25569;
// Parts of a date or time larger than this are clamped; they leave the calendar anyway.
constexpr qint64 kPartLimit = 1000000000;

qint64 floorDiv(qint64 a, qint64 b) {
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12).
qint64 daysFromCivil(qint64 y, int m, qint64 d) {
    y -= m <= 2 ? 1 : 0;
    const qint64 era = floorDiv(y, 400);
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(qint64 z, int& year, int& month, int& day) {
    z += 719468;
    const qint64 era = floorDiv(z, 146097);
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

// An optionally signed integer filling the whole text, clamped to the part limit.
std::optional<qint64> readWhole(QStringView text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = std::min(kPartLimit, value * 10 + (c - u'0'));
    }
    return negative ? -value : value;
}

qint64 wholeOr(QStringView text, qint64 fallback) {
    return readWhole(text).value_or(fallback);
}

QString withoutQuotes(const QString& text) {
    QString result = trimmed(text);
    if (result.startsWith(u'"')) {
        result.remove(0, 1);
    }
    if (result.endsWith(u'"')) {
        result.chop(1);
    }
    return result;
}

bool isDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

}  // namespace

bool isLeapYear(qint64 year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(qint64 year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

qint64 dayNumber(qint64 year, int month, qint64 day) {
    return daysFromCivil(year, month, day) + kUnixEpochDay;
}

std::optional<qint64> readDate(const QString& source) {
    QString text = withoutQuotes(source);
    text.replace(QStringLiteral(" /"), QStringLiteral("/"));
    text.replace(QStringLiteral("/ "), QStringLiteral("/"));
    text = trimmed(text);
    if (text.isEmpty() || !isDigit(text.front())) {
        return 0;
    }
    const qsizetype blank = text.indexOf(u' ', 1);
    if (blank > 0) {
        text.truncate(blank);
    }
    const qsizetype firstSlash = text.indexOf(u'/', 1);
    qint64 year = 1;
    qint64 month = 1;
    qint64 day = 1;
    if (firstSlash < 0) {
        year = wholeOr(text, 1);
    } else {
        year = wholeOr(QStringView(text).left(firstSlash), 1);
        const qsizetype secondSlash = text.indexOf(u'/', firstSlash + 1);
        if (secondSlash < 0) {
            day = wholeOr(QStringView(text).mid(firstSlash + 1), 1);
        } else {
            month = wholeOr(QStringView(text).mid(firstSlash + 1, secondSlash - firstSlash - 1), 1);
            day = wholeOr(QStringView(text).mid(secondSlash + 1), 1);
        }
    }
    year += floorDiv(month - 1, 12);
    month = month - 1 - floorDiv(month - 1, 12) * 12 + 1;
    if (year <= 0) {
        return kFirstDayNumber;
    }
    if (year > 9999) {
        return std::nullopt;
    }
    const qint64 result = dayNumber(year, static_cast<int>(month), 1) + (day - 1);
    if (result > kLastDayNumber) {
        return std::nullopt;
    }
    return std::max(result, kFirstDayNumber);
}

double readTime(const QString& source) {
    QString text = withoutQuotes(source);
    text = trimmed(text);
    text.replace(QStringLiteral("  "), QStringLiteral(" "));
    for (const char16_t mark : {u'/', u':', u'.'}) {
        text.replace(QString(u' ') + QChar(mark), QString(QChar(mark)));
        text.replace(QString(QChar(mark)) + u' ', QString(QChar(mark)));
    }
    const qsizetype blank = text.indexOf(u' ', 1);
    if (blank > 0) {
        text = text.mid(blank + 1);
    }
    if (text.isEmpty() || (text.front() != u'-' && !isDigit(text.front()))) {
        return 0.0;
    }
    const QList<QStringView> pieces = QStringView(text).split(u':');
    qint64 hours = wholeOr(pieces.value(0), 0);
    qint64 minutes = pieces.size() > 1 ? wholeOr(pieces[1], 0) : 0;
    qint64 seconds = 0;
    qint64 msecs = 0;
    if (pieces.size() > 2) {
        const QStringView last = pieces[2];
        const qsizetype point = last.indexOf(u'.');
        seconds = wholeOr(point < 0 ? last : last.left(point), 0);
        msecs = point < 0 ? 0 : wholeOr(last.mid(point + 1), 0);
    }
    const qint64 total = ((hours * 60 + minutes) * 60 + seconds) * 1000 + msecs;
    const qint64 days = floorDiv(total, kMsecPerDay);
    const qint64 rest = total - days * kMsecPerDay;
    return static_cast<double>(days) + static_cast<double>(rest) / kMsecPerDay;
}

double stampFromLinear(double linear) {
    if (linear >= 0) {
        return linear;
    }
    const double day = std::floor(linear);
    return day - (linear - day);
}

std::optional<double> readStamp(const QString& source) {
    const QString text = trimmed(source);
    double linear = 0;
    const bool hasDate = text.contains(u'/');
    const bool hasTime = text.contains(u':');
    if (hasDate || !hasTime) {
        const std::optional<qint64> date = readDate(text);
        if (!date) {
            return std::nullopt;
        }
        linear = static_cast<double>(*date);
    }
    if (hasTime) {
        linear += readTime(text);
    }
    if (!(linear >= static_cast<double>(kFirstDayNumber) &&
          linear < static_cast<double>(kLastDayNumber + 1))) {
        return std::nullopt;
    }
    return stampFromLinear(linear);
}

std::optional<StampParts> decodeStamp(double stamp) {
    if (!std::isfinite(stamp)) {
        return std::nullopt;
    }
    const double whole = std::trunc(stamp);
    if (whole < static_cast<double>(kFirstDayNumber) ||
        whole > static_cast<double>(kLastDayNumber)) {
        return std::nullopt;
    }
    qint64 day = static_cast<qint64>(whole);
    qint64 msec = std::llround(std::fabs(stamp - whole) * kMsecPerDay);
    if (msec >= kMsecPerDay) {
        msec -= kMsecPerDay;
        ++day;
        if (day > kLastDayNumber) {
            return std::nullopt;
        }
    }
    StampParts parts;
    civilFromDays(day - kUnixEpochDay, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(msec / 3600000);
    parts.minute = static_cast<int>(msec / 60000 % 60);
    parts.second = static_cast<int>(msec / 1000 % 60);
    parts.msec = static_cast<int>(msec % 1000);
    parts.weekday = static_cast<int>(((day + 5) % 7 + 7) % 7) + 1;
    return parts;
}

QString dateText(const StampParts& p) {
    return QString::asprintf("%04d/%02d/%02d", p.year, p.month, p.day);
}

QString timeText(const StampParts& p) {
    return QString::asprintf("%02d:%02d:%02d.%03d", p.hour, p.minute, p.second, p.msec);
}

QString stampText(const StampParts& p) {
    return dateText(p) + u' ' + timeText(p);
}

}  // namespace trevalon::calc

#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Dates, times and stamps. A stamp is a day count since 1899-12-30 (day 0) plus the fraction
// of the day; before day 0 the fraction is subtracted, so that it always means the time of day
// (-1.25 is 1899-12-29 at 06:00). The calendar runs from 0001/01/01 to 9999/12/31.
namespace trevalon::calc {

bool isLeapYear(qint64 year);
int daysInMonth(qint64 year, int month);

// Day number (day 0 = 1899-12-30) of a proleptic Gregorian date; month 1..12, any day.
qint64 dayNumber(qint64 year, int month, qint64 day);

constexpr qint64 kFirstDayNumber = -693593;  // 0001/01/01
constexpr qint64 kLastDayNumber = 2958465;   // 9999/12/31

struct StampParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int msec = 0;
    int weekday = 6;  // Monday 1 .. Sunday 7
};

// Splits a stamp into calendar and clock; nothing for a stamp outside the calendar.
std::optional<StampParts> decodeStamp(double stamp);

// Reads a date, a time or both from a text, the way date functions read their argument:
// "2012/07/13", "10:20:30.500", "2012/07/13 10:20:30", a bare year "2012". Months, days and
// clock parts out of range carry into the next larger unit. Nothing when the result lies
// beyond the calendar.
std::optional<double> readStamp(const QString& text);

// The parts of `readStamp` on their own, as linear day values (day count plus fraction, the
// fraction added also before day 0).
std::optional<qint64> readDate(const QString& text);
double readTime(const QString& text);

// The stamp for a linear day value.
double stampFromLinear(double linear);

// "yyyy/mm/dd", "hh:nn:ss.zzz" and both joined by one blank.
QString dateText(const StampParts& parts);
QString timeText(const StampParts& parts);
QString stampText(const StampParts& parts);

}  // namespace trevalon::calc

#pragma once

#include <QString>
#include <QStringView>
#include <cmath>
#include <optional>

// Conversions between the language's value texts and numbers. Pure functions: raising errors
// is the caller's business.
namespace trevalon::calc {

// Blanks and control characters, the characters that trimming removes.
inline bool isTrimChar(QChar c) {
    return c.unicode() <= 32;
}

// The text without blanks and control characters at either end (no copy when there are none).
QString trimmed(const QString& text);
QString trimmedLeft(const QString& text);
QString trimmedRight(const QString& text);

// Reads a decimal number: optional sign, digits with an optional fraction (or a fraction
// alone), an optional exponent. Blanks and control characters at the ends are ignored and a
// "," counts as ".". Nothing is read from a text that is not such a number, nor from one whose
// value exceeds the working range.
std::optional<long double> parseNumber(QStringView text);

// Fixed notation with at most 12 decimals and at most 18 significant digits (the digits the
// working number carries), trailing zeros and a bare point removed. Not for infinities.
QString formatNumber(long double value);

// An integer in decimal, with a leading "-" when negative.
QString integerText(qint64 value);

// Whether `value` is an integer within ±10^18 (written by `formatNumber` with all its digits);
// `whole` receives it.
inline bool asWholeNumber(long double value, qint64& whole) {
    // Within ±10^18 the rounding cannot overflow, and it gives the value back only for an
    // integer. Rounding in the current mode spares the switch of mode a truncation costs.
    if (!(value > -1e18L && value < 1e18L)) {
        return false;
    }
    whole = std::llrint(value);
    return static_cast<long double>(whole) == value;
}

// Writes a whole number within ±10^18 as `formatNumber` does into `out`, reusing its buffer
// when it is not shared.
void writeWholeNumber(qint64 whole, QString& out);

// The number a value text stands for after it has been written by `formatNumber` and read
// back: operators hand their results on as texts, so this is what the next operator reads.
// Nothing for an infinity or NaN.
std::optional<long double> throughText(long double value);

// How a stored variable value reads in a formula: a value that begins (after blanks) with
// the quote character is a text without its quotes; any other value is a number text with
// its leading blanks removed. `isText` tells which.
QStringView storedValueText(const QString& stored, QChar quote, bool* isText = nullptr);

// The kind (1..7) of a result text; see `TCalcul::Classify`.
int classify(const QString& text);

// Whether `text` is a calendar date written strictly as year/month/day with "/" separators;
// fills the parts when it is.
bool readStrictDate(QStringView text, int* year = nullptr, int* month = nullptr,
                    int* day = nullptr);

}  // namespace trevalon::calc

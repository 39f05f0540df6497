#pragma once

#include <QString>

namespace trevalon {

// Where a comment takes the values it embeds: the variables list while a project runs, fixed
// sample values in the comment builder's preview.
class CommentValueSource {
public:
    virtual ~CommentValueSource() = default;

    // Declared type 1..7 of the variable, or -1 when the name belongs to no variable.
    virtual int variableType(const QString& name) const = 0;
    // The value text as the Calculator stores it (numbers bare, texts in double quotes).
    virtual QString variableValue(const QString& name) const = 0;
};

// The comment text format: plain characters, `$` + an optional precision digit 0..7 + a
// variable name + `$` for an inserted value, and `&` for a line break.
class CommentFormat {
public:
    static constexpr int NotRounded = 7;

    // A comment with every reference replaced by its value and every `&` by line feed and
    // carriage return (in that order). An unclosed reference is copied as it stands.
    static QString render(const QString& text, const CommentValueSource& source);

    // A stored value shown for a variable of `type`: reals rounded to `precision` decimals
    // with a decimal comma (precision 7, or any code outside 0..6, leaves the digits alone),
    // characters, texts and dates without their double quotes, everything else as stored.
    static QString formatValue(int type, const QString& stored, int precision);

    // A real value rounded to `precision` (0..6) decimals, half to even on the exact decimal
    // digits of `stored`, written in its shortest form with a decimal comma. A value without
    // "." is returned unchanged.
    static QString formatReal(const QString& stored, int precision);

    // The sample value of a type used by the builder's preview.
    static QString sampleValue(int type);
};

}  // namespace trevalon

#pragma once

#include <QString>
#include <QStringList>

namespace trevalon {

// Array values: the elements, each after an asterisk, with one more asterisk at the end, in
// double quotes ("*1*5*3*" holds 1, 5 and 3; "*" is the empty array). Indexes count from 1.
class ArrayValue {
public:
    // What an element read outside the array gives.
    static inline const QString Missing = QStringLiteral("-1");

    // The elements of a value. The quotes are optional; a value that is not in the array form
    // (for example an empty text) has no elements, and stray asterisks are not elements.
    static QStringList elements(const QString& value);
    // Element `index`, or "-1" when the index is below 1 or beyond the last element.
    static QString element(const QString& value, qint64 index);
    // The value with `element` put at `index`: the only element of an empty array, appended
    // when the index is beyond the last, replacing otherwise. An index below 1 changes
    // nothing. `appended` tells whether the array grew. The result is always in the array form.
    static QString withElement(const QString& value, qint64 index, const QString& element,
                               bool* appended);
    // The quoted array form of `elements`.
    static QString compose(const QStringList& elements);
};

}  // namespace trevalon

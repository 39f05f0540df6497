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
    // Element `index`, or "-1" when the index is below 1 or beyond the last element. Reads
    // the value where it lies: nothing is made of the other elements.
    static QString element(const QString& value, qint64 index);
    // The value with `element` put at `index`: the only element of an empty array, appended
    // when the index is beyond the last, replacing otherwise. An index below 1 changes
    // nothing. `appended` tells whether the array grew. The result is always in the array form.
    static QString withElement(const QString& value, qint64 index, const QString& element,
                               bool* appended);
    // The quoted array form of `elements`.
    static QString compose(const QStringList& elements);

    // Calls `visit` with each element as elements() finds it, in order, without copying any.
    template <typename Visit>
    static void forEachElement(QStringView value, Visit visit) {
        QStringView inner = value;
        if (inner.startsWith(u'"')) {
            inner = inner.mid(1);
            if (inner.endsWith(u'"')) {
                inner.chop(1);
            }
        }
        const bool arrayForm = inner.size() >= 2 && inner.startsWith(u'*') && inner.endsWith(u'*');
        if (arrayForm) {
            inner = inner.mid(1, inner.size() - 2);
        }
        qsizetype from = 0;
        while (from <= inner.size()) {
            qsizetype star = inner.indexOf(u'*', from);
            if (star < 0) {
                star = inner.size();
            }
            // Not in the array form: whatever lies between asterisks is kept rather than lost,
            // but the empty stretches are no elements.
            if (arrayForm || star > from) {
                visit(inner.mid(from, star - from));
            }
            from = star + 1;
        }
    }
};

}  // namespace trevalon

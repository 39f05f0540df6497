#include "calc/ArrayValue.h"

namespace trevalon {

QStringList ArrayValue::elements(const QString& value) {
    QStringView inner(value);
    if (inner.startsWith(u'"')) {
        inner = inner.mid(1);
        if (inner.endsWith(u'"')) {
            inner.chop(1);
        }
    }
    if (inner.size() >= 2 && inner.startsWith(u'*') && inner.endsWith(u'*')) {
        QStringList list;
        for (QStringView part : inner.mid(1, inner.size() - 2).split(u'*')) {
            list << part.toString();
        }
        return list;
    }
    // Not in the array form: keep whatever lies between asterisks rather than lose it.
    QStringList list;
    for (QStringView part : inner.split(u'*', Qt::SkipEmptyParts)) {
        list << part.toString();
    }
    return list;
}

QString ArrayValue::element(const QString& value, qint64 index) {
    const QStringList list = elements(value);
    if (index < 1 || index > list.size()) {
        return Missing;
    }
    return list[static_cast<qsizetype>(index - 1)];
}

QString ArrayValue::withElement(const QString& value, qint64 index, const QString& element,
                                bool* appended) {
    QStringList list = elements(value);
    bool grew = false;
    if (index >= 1) {
        if (list.isEmpty() || index > list.size()) {
            list << element;
            grew = true;
        } else {
            list[static_cast<qsizetype>(index - 1)] = element;
        }
    }
    if (appended != nullptr) {
        *appended = grew;
    }
    return compose(list);
}

QString ArrayValue::compose(const QStringList& elements) {
    QString text = QStringLiteral("\"*");
    for (const QString& e : elements) {
        text += e + u'*';
    }
    return text + u'"';
}

}  // namespace trevalon

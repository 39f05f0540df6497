#include "calc/ArrayValue.h"

namespace trevalon {

QStringList ArrayValue::elements(const QString& value) {
    QStringList list;
    forEachElement(value, [&list](QStringView part) { list << part.toString(); });
    return list;
}

QString ArrayValue::element(const QString& value, qint64 index) {
    QString found = Missing;
    qint64 at = 0;
    forEachElement(value, [&](QStringView part) {
        if (++at == index) {
            found = part.toString();
        }
    });
    return found;
}

QString ArrayValue::withElement(const QString& value, qint64 index, const QString& element,
                                bool* appended) {
    QString text = QStringLiteral("\"*");
    qint64 count = 0;
    forEachElement(value, [&](QStringView part) {
        ++count;
        text += count == index ? QStringView(element) : part;
        text += u'*';
    });
    const bool grew = index >= 1 && index > count;
    if (grew) {
        text += element;
        text += u'*';
    }
    if (appended != nullptr) {
        *appended = grew;
    }
    return text + u'"';
}

QString ArrayValue::compose(const QStringList& elements) {
    QString text = QStringLiteral("\"*");
    for (const QString& e : elements) {
        text += e + u'*';
    }
    return text + u'"';
}

}  // namespace trevalon

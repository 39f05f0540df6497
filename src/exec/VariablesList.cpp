#include "exec/VariablesList.h"

namespace trevalon {

QString VariablesList::valueOf(const QString& list, const QString& name) {
    qsizetype start = 0;
    while (start <= list.size()) {
        qsizetype end = list.indexOf(u'\n', start);
        if (end < 0) {
            end = list.size();
        }
        QStringView line = QStringView(list).mid(start, end - start);
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && line.left(equals).compare(name, Qt::CaseInsensitive) == 0) {
            return line.mid(equals + 1).toString();
        }
        start = end + 1;
    }
    return QString();
}

void VariablesList::append(QString& list, const QString& name, const QString& value) {
    if (!list.isEmpty()) {
        list += LineBreak;
    }
    list += name + u'=' + value;
}

void VariablesList::appendConstants(QString& list) {
    // As the program has always written them: a point in Pi, commas in the others.
    append(list, QStringLiteral("Pi"), QStringLiteral("3.14159265358979"));
    append(list, QStringLiteral("e"), QStringLiteral("2,71828183"));
    append(list, QStringLiteral("DegToRad"), QStringLiteral("0,017453"));
    append(list, QStringLiteral("RadToDeg"), QStringLiteral("57,29578"));
}

}  // namespace trevalon

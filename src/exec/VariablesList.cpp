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

const std::vector<std::pair<QString, QString>>& VariablesList::constants() {
    // As the program has always written them: a point in Pi, commas in the others.
    static const std::vector<std::pair<QString, QString>> kConstants = {
        {QStringLiteral("Pi"), QStringLiteral("3.14159265358979")},
        {QStringLiteral("e"), QStringLiteral("2,71828183")},
        {QStringLiteral("DegToRad"), QStringLiteral("0,017453")},
        {QStringLiteral("RadToDeg"), QStringLiteral("57,29578")}};
    return kConstants;
}

void VariablesList::appendConstants(QString& list) {
    for (const auto& [name, value] : constants()) {
        append(list, name, value);
    }
}

}  // namespace trevalon

#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace trevalon {

// The variables list: lines NAME=value joined by CR LF, the form in which the Calculator's
// store is shown and loaded.
class VariablesList {
public:
    static inline const QString LineBreak = QStringLiteral("\r\n");

    // The value of the first line whose name (the text before its first "=") equals `name`
    // without regard to case; empty when no line matches.
    static QString valueOf(const QString& list, const QString& name);
    // Appends the line NAME=value, with a line break before it unless the list is empty.
    static void append(QString& list, const QString& name, const QString& value);
    // The four constants every run and check defines besides the variables, NAME and value.
    static const std::vector<std::pair<QString, QString>>& constants();
    // Appends the constants' lines.
    static void appendConstants(QString& list);
};

}  // namespace trevalon

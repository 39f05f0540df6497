#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace trevalon {

class Project;
class TextTable;

// The worksheet's tables in words of the text table, the words the properties window uses:
// the variables (board, name, type, scope, start value) and every block that holds a formula
// or a text (board, "C,R name", kind, what it computes or says, its comment). Boards in order,
// within a board column by column, each column from the top, as `trevalon-cli describe` lists
// the cells.
struct WorksheetTables {
    std::vector<QStringList> variables;
    std::vector<QStringList> blocks;

    static WorksheetTables of(const Project& project, const TextTable& texts);
    static QStringList variableHeader(const TextTable& texts);
    static QStringList blockHeader(const TextTable& texts);
};

// The boards that hold a block, in order.
std::vector<int> boardsInUse(const Project& project);

// The report of checking a copy of `project` as "Sprawdź projekt" and `trevalon-cli check`
// word it, one line each, in the texts' language. The project itself is left as it was.
QStringList checkReportLines(const Project& project, const TextTable& texts,
                             const QString& projectName);

}  // namespace trevalon

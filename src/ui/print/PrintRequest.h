#pragma once

#include <QString>
#include <QStringList>

namespace trevalon {

class Project;
class TextTable;

// What a printed or exported document holds.
enum class PrintContent {
    ActiveBoard,  // the active board as its window shows it
    AllBoards,    // every board that holds a block, each under its name
    Schema,       // the flowchart page of the active board
    Worksheet,    // the handout: project, boards and flowcharts, variables, formulas
};

struct PrintRequest {
    PrintContent content = PrintContent::ActiveBoard;
    bool withCheck = false;  // the worksheet ends with the project check's report
    int board = 0;           // the board of ActiveBoard and Schema; 0 for the active board
};

// Everything a document is drawn from. The project and the texts must outlive the document;
// the texts decide the document's language.
struct PrintSource {
    const Project& project;
    const TextTable& texts;
    QString projectName;
    // The flowchart also draws variable blocks (the schema window's setting).
    bool schemaVariables = false;
    // The check report's lines for the worksheet (checkReportLines); empty leaves it out.
    QStringList checkLines;
};

}  // namespace trevalon

#pragma once

#include <QString>

namespace trevalon {

// One square of a board: empty, or holding one block or connector. What the texts and numbers
// mean depends on the kind (see BlockCatalogue).
struct Cell {
    bool occupied = false;
    bool marked = false;  // selected, faulty after a check, or the current block of a run
    bool isVariable = false;
    int scope = 0;  // variable blocks: 0 local, 1 global
    int mode = 1;   // variable type, read/write, comparison operator or junction flow
    int board = 0;
    int kindCode = 0;  // group * 10 + index; 0 for an empty cell
    int group = 0;
    int index = 0;
    int column = 0;
    int row = 0;
    QString name;
    QString text2;
    QString text3;
    QString text4;
    int extra1 = 0;
    int extra2 = 0;
};

// Types of a variable block (its `mode`).
enum VariableType {
    TypeInteger = 1,
    TypeReal = 2,
    TypeChar = 3,
    TypeText = 4,
    TypeLogical = 5,
    TypeArray = 6,
    TypeDate = 7,
};

}  // namespace trevalon

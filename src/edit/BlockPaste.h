#pragma once

#include <QRect>

namespace trevalon {

class BlockFragment;
class Project;

// Putting a fragment's blocks on a board, with the limits that placing a block keeps.
class BlockPaste {
public:
    enum Reason {
        Fits,
        Empty,          // the fragment holds no block
        OutsideBoard,   // it reaches past the board's columns or rows
        Occupied,       // one of its blocks would land on a block (`column`, `row` tell which)
        BlockLimit,     // the board would hold more than 219 blocks
        VariableLimit,  // the board would hold more than 8 variables
        SecondStart,    // the board would hold two Start blocks
        SecondEnd,      // or two End blocks
    };
    struct Verdict {
        Reason reason = Fits;
        int column = 0;
        int row = 0;
    };

    // Whether `fragment` can go on board n with its top-left corner at `column`, `row`.
    static Verdict check(const Project& project, int n, int column, int row,
                         const BlockFragment& fragment);

    // Puts it there (after `check` said it fits) and answers the cells it took. A block whose
    // name a board of the project already has gets a new one as placing gives it (its default
    // name and the placement counter); a variable whose name the project already has becomes
    // the next free "Zm" name. Marks are cleared and the board counts its blocks and variables.
    static QRect paste(Project& project, int n, int column, int row, const BlockFragment& fragment);
};

}  // namespace trevalon

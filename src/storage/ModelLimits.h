#pragma once

namespace trevalon {

struct Board;
struct Cell;

// What both project readers do with values that do not fit the model. Sizes and counts that
// only steer the editor are clamped; a block that the program could not draw or run is a
// damaged file.
namespace ModelLimits {

// A board of more than 15 x 15 cells or of none: clamped into 1..15.
int clampSize(int size);
// Board kinds other than Program, Procedure and Fragment read as Program.
int clampBoardKind(int kind);
// Variable counts are recounted before a run; outside 0..8 they are clamped.
int clampVariableCount(int count);
// Extra values per cell in a project file: the model holds two.
int clampExtraCount(int count);

// Brings a block read from a file in line with its kind code: the group and index follow the
// code, the variable flag is set exactly for variable blocks. False for a code that is none
// of the 27 kinds and for a variable whose type is not 1..7.
bool settleBlock(Cell& cell);

// Sets the block count to the number of occupied cells (two blocks of a damaged file may
// claim the same cell).
void recountBlocks(Board& board);

}  // namespace ModelLimits
}  // namespace trevalon

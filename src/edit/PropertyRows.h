#pragma once

#include <span>
#include <vector>

#include "edit/BlockProperties.h"

// The tables the properties window is built from: the rows of each kind, and for each field
// where its value is kept and where its list comes from. BlockProperties reads them; adding a
// row to a kind is one line here.
namespace trevalon::propertyrows {

// The smallest board a board's size lists offer; the largest is the grid.
inline constexpr int MinBoardSize = 8;

// When a kind's row is shown, and how.
enum class RowRule {
    Always,
    OnProcedureBoard,       // only on a procedure board (the caller of Start, the return of End)
    ReadOnlyOnMainBoard,    // a list, read-only on board 1 (which is always the program)
    ReadOnlyUnlessRounded,  // a list when a real is written, else read-only
    FollowsVariableType,    // typed, chosen or read-only as the variable's type asks
};

struct RowEntry {
    PropertyRow row;
    RowRule rule = RowRule::Always;
};

// The rows of `kind` (PropertiesBoard, PropertiesVariable or a kind code), the picture strip
// left out.
const std::vector<RowEntry>& kindRows(int kind);

// How a variable's start value is edited for its type.
struct StartValueEditor {
    RowEditor editor;
    KeyFilter filter;
};
StartValueEditor startValueEditor(int variableType);

// Where a list's items come from.
enum class ListSource {
    None,             // no list
    Words,            // the texts of `FieldEntry::words`
    BoardSizes,       // 8 .. 15
    Relations,        // "=" .. "<>"
    Variables,        // the variables the block sees, of the row's type
    Callers,          // call blocks (for Start) or return blocks (for End) on the other boards
    BranchEnds,       // the blocks at the other end of a branch
    ProcedureBoards,  // the procedure boards' names
};

// How a list position stands for the stored code.
enum class Coding {
    None,       // not a coded list
    Position,   // the position is the code less `offset`
    OneIsSet,   // 1 is the second item, anything else the first
    ZeroIsSet,  // 0 is the first item, anything else the second
    TrueFirst,  // the logical start value: true, then false
    Name,       // a stored name, found in the list by name
};

// What a stored choice changes besides its field.
enum class Effect { None, ResizesBoard, Relayouts };

struct FieldEntry {
    PropertyField field;
    PropertySlot slot;
    ListSource list = ListSource::None;
    Coding coding = Coding::None;
    int offset = 0;
    std::span<const int> words = {};  // text numbers of a list of words
    Effect effect = Effect::None;
};

const FieldEntry& fieldEntry(PropertyField field);

}  // namespace trevalon::propertyrows

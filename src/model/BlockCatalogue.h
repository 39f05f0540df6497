#pragma once

#include <QString>
#include <array>
#include <span>

#include "model/KindCode.h"

namespace trevalon {

// Sides of a cell through which the flow may pass.
enum Side : unsigned { SideNone = 0, SideTop = 1, SideBottom = 2, SideLeft = 4, SideRight = 8 };

// What a text of a newly placed block starts as.
enum class StartText : unsigned char {
    Kept,        // as the cell holds it
    NoBlock,     // Project::NoBlock: no block linked yet
    Unset,       // Project::Unset
    OwnName,     // the block's own name: an array block names itself until an array is linked
    EmptyArray,  // Project::EmptyArray
};

// The values a newly placed block starts with besides its name. A number at `Kept` is left as
// the cell holds it. Variable blocks take theirs from Project::placeBlock instead.
struct KindDefaults {
    static constexpr int Kept = -1;
    int mode;
    StartText text2;
    StartText text3;
    StartText text4;
    int extra1;
};

struct KindInfo {
    int code;
    int group;
    int index;
    int hintText;             // toolbar hint: texts::HintStartBlock, ...
    const char* defaultName;  // placement counter appended unless `numbered` is false
    bool numbered;
    const char* schemaPicture;  // shape in the schema overview
    unsigned sides;             // sides through which the flow enters or leaves (Side bits)
    KindDefaults defaults;      // what a newly placed block of the kind holds
};

// The block kinds and the fixed codes and colours that go with blocks.
class BlockCatalogue {
public:
    static constexpr int KindCount = 24;                 // 5 + 6 + 5 + 8
    static constexpr int DefaultBlockColour = 12632256;  // light grey RGB(192, 192, 192)

    static std::span<const KindInfo> kinds();
    // nullptr for a code that is not one of the 24 kinds.
    static const KindInfo* find(int kindCode);
    static bool isKind(int kindCode) { return find(kindCode) != nullptr; }
    // Lines, joins and corners: the cells that only carry the flow on.
    static bool isConnector(int kindCode) {
        return kindCode >= KindLineVertical && kindCode <= KindCornerTopLeft;
    }

    // Groups: 1 start/end/variables, 2 input/output and calls, 3 operations, 4 connectors.
    static int groupSize(int group);
    // Cell strip of the group ("start", "czytaj", "operacje", "lonczniki").
    static QString groupStrip(int group);

    // Where a cell's picture is: tile `index` (from 1) of `strip`; an empty strip for a code
    // that is not a kind.
    struct Tile {
        QString strip;
        int index = 0;
    };
    // The board tile and the schema shape of a block of `kindCode` with `mode`: the kind's own,
    // except that a read/write block shows which way its data goes, so that a reading block
    // and a writing one look different. A block writes when its mode is 1, as it runs.
    static Tile cellTile(int kindCode, int mode);
    static QString schemaShape(int kindCode, int mode);
    // Toolbar strip of the group, with "ang" appended for the English interface.
    static QString toolbarStrip(int group, bool english);

    // Comparison operator of modes 0..5 ("=", ">", "<", ">=", "<=", "<>"); empty otherwise.
    static QString comparisonOperator(int mode);
    static constexpr int ComparisonCount = 6;

    // Precision codes of a written number: 0..5 digits, 6 unrounded, 7 not applicable.
    static constexpr int PrecisionUnrounded = 6;
    static constexpr int PrecisionNotApplicable = 7;
    // The text of a precision code (texts::PrecisionZeroDigits ... PrecisionNotApplicable).
    static int precisionText(int code);

    // Variable type words of types 1..7 as a block's tip names them (texts::TipTypeInteger ...).
    static int typeListText(int type);

    // Board kind words of kinds 0..2: texts::BoardKindProgram, BoardKindProcedure,
    // BoardKindField.
    static int boardKindText(int kind);
};

}  // namespace trevalon

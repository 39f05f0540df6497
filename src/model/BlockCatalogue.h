#pragma once

#include <QString>
#include <array>
#include <span>

#include "model/KindCode.h"

namespace trevalon {

// Sides of a cell through which the flow may pass.
enum Side : unsigned { SideNone = 0, SideTop = 1, SideBottom = 2, SideLeft = 4, SideRight = 8 };

struct KindInfo {
    int code;
    int group;
    int index;
    int hintText;             // toolbar hint: texts::HintStartBlock, ...
    const char* defaultName;  // placement counter appended unless `numbered` is false
    bool numbered;
    const char* schemaPicture;  // shape in the schema overview
    unsigned sides;             // sides through which the flow enters or leaves (Side bits)
};

// The block kinds and the fixed codes and colours that go with blocks.
class BlockCatalogue {
public:
    static constexpr int KindCount = 24;                 // 5 + 6 + 5 + 8
    static constexpr int DefaultBlockColour = 12632256;  // light grey RGB(192, 192, 192)

    static std::span<const KindInfo> kinds();
    // nullptr for a code that is not one of the 27 kinds.
    static const KindInfo* find(int kindCode);
    static bool isKind(int kindCode) { return find(kindCode) != nullptr; }

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

    // Variable type words of types 1..7: as a block's tip names them (texts::TipTypeInteger
    // ...) and as the type list shows them (texts::TypeNameInteger ...).
    static int typeListText(int type);
    static int typeHeadingText(int type);

    // Board kind words of kinds 0..2: texts::BoardKindProgram, BoardKindProcedure,
    // BoardKindField.
    static int boardKindText(int kind);
};

}  // namespace trevalon

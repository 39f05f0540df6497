#pragma once

namespace trevalon {

// Kind codes: toolbar group * 10 + position within the group. BlockCatalogue describes each
// kind; the picture maker draws them by these names too.
enum KindCode {
    KindStart = 11,
    KindEnd = 12,
    KindBranchStart = 13,
    KindBranchEnd = 14,
    KindVariable = 15,
    KindReadWrite = 21,
    KindCall = 22,
    KindReturn = 23,
    KindMessage = 24,
    KindQuestion = 25,
    KindRandom = 26,
    KindAssign = 31,
    KindCompareVars = 32,
    KindArrayWrite = 33,
    KindArrayRead = 34,
    KindCompareFormula = 35,
    KindLineVertical = 41,    // top - bottom
    KindLineHorizontal = 42,  // left - right
    KindJoinRight = 43,       // top - bottom, branch joining from the right
    KindJoinLeft = 44,        // top - bottom, branch joining from the left
    KindCornerTopRight = 45,
    KindCornerBottomRight = 46,
    KindCornerLeftBottom = 47,
    KindCornerTopLeft = 48,
};

}  // namespace trevalon

#pragma once

#include "model/Project.h"

namespace trevalon::test {

// Field-by-field equality of what a project file keeps.
inline bool sameCell(const Cell& a, const Cell& b) {
    return a.occupied == b.occupied && a.isVariable == b.isVariable && a.scope == b.scope &&
           a.mode == b.mode && a.kindCode == b.kindCode && a.group == b.group &&
           a.index == b.index && a.column == b.column && a.row == b.row && a.name == b.name &&
           a.text2 == b.text2 && a.text3 == b.text3 && a.text4 == b.text4 && a.extra1 == b.extra1 &&
           a.extra2 == b.extra2;
}

inline bool sameBoard(const Board& a, const Board& b) {
    if (a.formatMarker != b.formatMarker || a.kind != b.kind || a.name != b.name ||
        a.rows != b.rows || a.columns != b.columns || a.left != b.left || a.top != b.top ||
        a.blockCount != b.blockCount || a.variableCount != b.variableCount) {
        return false;
    }
    for (int c = 1; c <= kGridSize; ++c) {
        for (int r = 1; r <= kGridSize; ++r) {
            if (!sameCell(a.cell(c, r), b.cell(c, r))) {
                return false;
            }
        }
    }
    return true;
}

inline bool sameProject(const Project& a, const Project& b) {
    if (a.boardCount != b.boardCount || a.note != b.note) {
        return false;
    }
    for (int n = 1; n <= a.boardCount; ++n) {
        if (!sameBoard(a.board(n), b.board(n))) {
            return false;
        }
    }
    return true;
}

}  // namespace trevalon::test

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

#include "model/Board.h"

namespace trevalon::geometry {

// Cells are drawn at a 39-pixel pitch so that neighbouring 40-pixel squares share an edge, but
// the mouse is mapped with a 40-pixel pitch. Both rules are what pupils' projects were drawn
// with, so a square in a far column is hit a little to the right of where it is drawn.
constexpr int kCellPitch = 39;
constexpr int kCellSize = 40;
constexpr int kHitPitch = 40;
constexpr int kTitleHeight = 20;
constexpr int kBackgroundTile = 90;

// The 40 x 40 square of the cell in `column`, `row` (from 1) in the board image.
inline QRect cellRect(int column, int row) {
    return {kCellPitch * column - 35, kCellPitch * row - 35, kCellSize, kCellSize};
}

// Column or row under an image coordinate, kept inside the grid.
inline int hitIndex(int pixel) {
    return std::clamp(pixel / kHitPitch + 1, 1, kGridSize);
}

inline QPoint hitCell(const QPoint& pos) {
    return {hitIndex(std::max(pos.x(), 0)), hitIndex(std::max(pos.y(), 0))};
}

// Size of a whole board window (title strip included) and of its image.
inline QSize boardWindowSize(int columns, int rows) {
    return {columns * kCellPitch + 9, rows * kCellPitch + 29};
}

inline QSize boardImageSize(int columns, int rows) {
    const QSize window = boardWindowSize(columns, rows);
    return {window.width(), window.height() - kTitleHeight};
}

}  // namespace trevalon::geometry

#pragma once

#include <QString>
#include <algorithm>
#include <array>

#include "model/Cell.h"

namespace trevalon {

constexpr int kGridSize = 15;
constexpr int kMaxBoards = 3;
constexpr int kMaxBlocksPerBoard = 219;
constexpr int kMaxVariablesPerBoard = 8;

enum BoardKind { BoardProgram = 0, BoardProcedure = 1, BoardFragment = 2 };

// A grid of 15 x 15 cells of which `columns` x `rows` are in use. Cells are addressed by
// column and row counting from 1.
struct Board {
    int formatMarker = 123;
    int number = 1;
    int kind = BoardProgram;
    QString name;
    int rows = 8;
    int columns = 8;
    int left = 120;
    int top = 102;
    int blockCount = 0;
    int variableCount = 0;
    bool changed = false;
    QString runDirection = QStringLiteral("D");

    Cell& cell(int column, int row) { return m_cells[column - 1][row - 1]; }
    const Cell& cell(int column, int row) const { return m_cells[column - 1][row - 1]; }

    static bool validPosition(int column, int row) {
        return column >= 1 && column <= kGridSize && row >= 1 && row <= kGridSize;
    }

    // Cells that hold a block, anywhere on the grid.
    int occupiedCount() const {
        int count = 0;
        forEachCell([&count](const Cell& cell, int, int) { count += cell.occupied ? 1 : 0; });
        return count;
    }

    void clearMarks() {
        forEachCell([](Cell& cell, int, int) { cell.marked = false; });
    }

    // Whether `match(cell, column, row)` holds for some cell of the grid, or of those in use.
    template <typename Match>
    bool anyCell(Match&& match) const {
        return findIn(kGridSize, kGridSize, match);
    }
    template <typename Match>
    bool anyUsedCell(Match&& match) const {
        return findIn(usedColumns(), usedRows(), match);
    }

    // The columns and rows in use, kept inside the grid.
    int usedColumns() const { return std::clamp(columns, 0, kGridSize); }
    int usedRows() const { return std::clamp(rows, 0, kGridSize); }

    // Calls `visit(cell, column, row)` for every cell of the grid, column by column, each
    // column from the top (the order in which files number the cells).
    template <typename Visit>
    void forEachCell(Visit&& visit) {
        visitCells(*this, kGridSize, kGridSize, visit);
    }
    template <typename Visit>
    void forEachCell(Visit&& visit) const {
        visitCells(*this, kGridSize, kGridSize, visit);
    }
    // The same over the columns x rows in use.
    template <typename Visit>
    void forEachUsedCell(Visit&& visit) {
        visitCells(*this, usedColumns(), usedRows(), visit);
    }
    template <typename Visit>
    void forEachUsedCell(Visit&& visit) const {
        visitCells(*this, usedColumns(), usedRows(), visit);
    }

private:
    template <typename Self, typename Visit>
    static void visitCells(Self& board, int columns, int rows, Visit& visit) {
        for (int c = 1; c <= columns; ++c) {
            for (int r = 1; r <= rows; ++r) {
                visit(board.cell(c, r), c, r);
            }
        }
    }

    template <typename Match>
    bool findIn(int columns, int rows, Match& match) const {
        for (int c = 1; c <= columns; ++c) {
            for (int r = 1; r <= rows; ++r) {
                if (match(cell(c, r), c, r)) {
                    return true;
                }
            }
        }
        return false;
    }

    std::array<std::array<Cell, kGridSize>, kGridSize> m_cells{};
};

}  // namespace trevalon

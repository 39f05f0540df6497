#pragma once

#include <QString>
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

private:
    std::array<std::array<Cell, kGridSize>, kGridSize> m_cells{};
};

}  // namespace trevalon

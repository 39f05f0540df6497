#pragma once

#include <array>
#include <cstdint>

namespace trevalon {

struct Board;

// Which ways the flow crosses each cell, followed from every start and branch start of the
// board the way a run walks it: straight on through blocks, turned by corners and junctions,
// both ways out of a comparison, stopping at an end, a branch end, an empty cell or the edge.
// A call leaves the board; the run comes back at a return block (where the procedure's end
// points) and goes on the way the board went at the call.
// A cell no walk reaches has no directions: what happens there is not known.
class SchemaFlow {
public:
    // One bit per direction of flow, 1 << Executor::Heading (down, up, left, right).
    enum : std::uint8_t { Down = 1, Up = 2, Left = 4, Right = 8 };

    static SchemaFlow trace(const Board& board);
    // The columns and rows of the board in use, kept inside the grid (as Board tells them).
    static int usedColumns(const Board& board);
    static int usedRows(const Board& board);
    // The directions in which the flow moves when it enters the cell.
    std::uint8_t arriving(int column, int row) const { return at(m_arriving, column, row); }
    // The directions in which the flow moves when it leaves the cell.
    std::uint8_t leaving(int column, int row) const { return at(m_leaving, column, row); }

private:
    class Tracer;
    using Grid = std::array<std::uint8_t, 16 * 16>;
    static std::uint8_t at(const Grid& grid, int column, int row) {
        return column >= 1 && column <= 15 && row >= 1 && row <= 15 ? grid[column * 16 + row] : 0;
    }
    Grid m_arriving{};
    Grid m_leaving{};
};

}  // namespace trevalon

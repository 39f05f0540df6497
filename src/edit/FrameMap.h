#pragma once

#include <array>
#include <cstdint>

#include "model/Board.h"

namespace trevalon {

// Colour codes of the frame that marks a cell: a one-pixel line, but the block a run stands on
// gets a thick frame and a tint that a pupil sees from the back of the classroom.
enum FrameColour : std::uint8_t {
    FrameNone = 0,  // the background colour: no mark visible
    FrameSelected = 1,
    FrameFaulty = 2,
    FrameMoving = 3,
    FrameRunning = 4,
};

// Frame colour per cell of one board (columns and rows from 1).
class FrameMap {
public:
    FrameColour at(int column, int row) const { return m_colours[index(column, row)]; }
    void set(int column, int row, FrameColour colour) { m_colours[index(column, row)] = colour; }
    void clear() { m_colours.fill(FrameNone); }

private:
    static std::size_t index(int column, int row) {
        return static_cast<std::size_t>((column - 1) * kGridSize + (row - 1));
    }
    std::array<FrameColour, kGridSize * kGridSize> m_colours{};
};

}  // namespace trevalon

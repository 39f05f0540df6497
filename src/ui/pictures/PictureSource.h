#pragma once

namespace trevalon {

// Where a drawing takes its block pictures from: the embedded pictures, exact at their own
// size, or the drawings they were made from, sharp at any size and kept as shapes by vector
// devices (PDF, SVG, printers).
enum class PictureSource { Tiles, Drawings };

}  // namespace trevalon

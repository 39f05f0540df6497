#pragma once

#include <QPainter>

namespace trevalon::pictures {

// The 40 x 40 board cell, empty: light, with the one-pixel grid line on its edge that the
// neighbouring cells share (cells stand 39 pixels apart).
void drawCell(QPainter& painter, bool red);

// The block or connector of `kindCode` in the 40 x 40 square at the painter's origin, with
// the stubs that carry the flow out to the middle of the sides it uses, so that the lines of
// neighbouring cells meet.
void drawBlock(QPainter& painter, int kindCode);

// Which way the data arrows of a read/write block point: into its shape (a block that reads),
// out of it (one that writes), or both ways (the kind as such, on its toolbar button).
enum class DataArrows { In, Out, Both };

// The read/write block as drawBlock draws it, with `arrows` for its data.
void drawReadWrite(QPainter& painter, DataArrows arrows);

// The board's dark desk under `area`, the pattern fixed to the painter's origin.
void drawDesk(QPainter& painter, const QRectF& area);

// Colour of the lines that carry the flow.
QColor flowColour();

}  // namespace trevalon::pictures

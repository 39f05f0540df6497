#pragma once

#include <QColor>
#include <QImage>

class QPainter;
class QRect;

#include "edit/FrameMap.h"
#include "model/Board.h"

namespace trevalon {

// Draws a board as its window shows it: tiled background, the empty squares of the grid in
// use, the violet frame round the image, the blocks, and the marks of `frames`. Needs no
// widget, so it also serves pictures put on the clipboard.
class BoardPicture {
public:
    static const QColor& frameColour(FrameColour colour);
    static QImage render(const Board& board, const FrameMap& frames);

private:
    static void drawRunMark(QPainter& p, const QRect& square);
};

}  // namespace trevalon

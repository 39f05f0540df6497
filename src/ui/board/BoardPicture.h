#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

class QPainter;

#include "edit/FrameMap.h"
#include "model/Board.h"

namespace trevalon {

// Draws a board as its window shows it: tiled background, the empty squares of the grid in
// use, the violet frame round the image, the blocks, and the marks of `frames`. Needs no
// widget, so it also serves pictures put on the clipboard.
class BoardPicture {
public:
    static const QColor& frameColour(FrameColour colour);
    // `selection` is the rectangle of cells chosen for copying (columns as x, rows as y), drawn
    // as a dashed outline round them; none when empty. `breakpoints` are the cells (columns as
    // x, rows as y) where a run pauses, drawn as a red dot on those that hold a block.
    static QImage render(const Board& board, const FrameMap& frames,
                         const QRect& selection = QRect(),
                         const QList<QPoint>& breakpoints = QList<QPoint>());

private:
    static void drawSelection(QPainter& p, const QRect& selection);
    static void drawBreakpoint(QPainter& p, const QRect& square);
    static void drawRunMark(QPainter& p, const QRect& square);
};

}  // namespace trevalon

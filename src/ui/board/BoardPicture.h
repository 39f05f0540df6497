#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

#include "edit/FrameMap.h"
#include "model/Board.h"
#include "ui/pictures/PictureSource.h"

namespace trevalon {

// Draws a board as its window shows it: tiled background, the empty squares of the grid in
// use, the violet frame round the image, the blocks, and the marks of `frames`. Needs no
// widget, so it also serves pictures put on the clipboard, the printer and vector files.
class BoardPicture {
public:
    using Source = PictureSource;

    static const QColor& frameColour(FrameColour colour);
    // The picture's size at scale 1, in the board's own units (cells stand 39 apart).
    static QSize size(const Board& board);
    // `selection` is the rectangle of cells chosen for copying (columns as x, rows as y), drawn
    // as a dashed outline round them; none when empty. `breakpoints` are the cells (columns as
    // x, rows as y) where a run pauses, drawn as a red dot on those that hold a block.
    static QImage render(const Board& board, const FrameMap& frames,
                         const QRect& selection = QRect(),
                         const QList<QPoint>& breakpoints = QList<QPoint>());
    // Paints the board into `painter` at its origin, in the board's units: whatever transform
    // the painter carries (a zoom, a page's scale) applies to all of it.
    static void paint(QPainter& painter, const Board& board, const FrameMap& frames,
                      const QRect& selection, const QList<QPoint>& breakpoints, Source source);

private:
    static void drawGround(QPainter& p, const QSize& size, int columns, int rows, Source source);
    static void drawBlock(QPainter& p, const Cell& cell, const QPoint& at, Source source);
    static void drawSelection(QPainter& p, const QRect& selection);
    static void drawBreakpoint(QPainter& p, const QRect& square);
    static void drawRunMark(QPainter& p, const QRect& square);
};

}  // namespace trevalon

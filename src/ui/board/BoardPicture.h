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

class BlockTileCache;

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
    // The picture at `scale` device pixels per board unit (a window's zoom times its screen's
    // pixel ratio), `scale` times `size` rounded up, its device pixel ratio left at 1. At scale
    // 1 it is `render`'s picture; at any other the squares are drawn from their sources at the
    // size they cover, through `tiles`, so the picture is sharp and a redraw stays cheap.
    // `reuse`, an earlier picture that nothing else holds, is painted over when it has the
    // size: fresh memory for a large picture costs more than drawing it.
    static QImage render(const Board& board, const FrameMap& frames, const QRect& selection,
                         const QList<QPoint>& breakpoints, qreal scale, BlockTileCache& tiles,
                         QImage reuse = QImage());
    // Paints the board into `painter` at its origin, in the board's units: whatever transform
    // the painter carries (a zoom, a page's scale) applies to all of it.
    static void paint(QPainter& painter, const Board& board, const FrameMap& frames,
                      const QRect& selection, const QList<QPoint>& breakpoints, Source source);

private:
    static void paint(QPainter& painter, const Board& board, const FrameMap& frames,
                      const QRect& selection, const QList<QPoint>& breakpoints, Source source,
                      BlockTileCache* tiles);
    static void drawGround(QPainter& p, const QSize& size, int columns, int rows, Source source,
                           BlockTileCache* tiles);
    static void drawBlock(QPainter& p, const Cell& cell, const QPoint& at, Source source,
                          BlockTileCache* tiles);
    static void drawSelection(QPainter& p, const QRect& selection);
    static void drawBreakpoint(QPainter& p, const QRect& square);
    static void drawRunMark(QPainter& p, const QRect& square);
};

}  // namespace trevalon

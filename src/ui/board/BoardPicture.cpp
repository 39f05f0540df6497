#include "ui/board/BoardPicture.h"

#include <QPainter>
#include <cmath>

#include "BlockShapes.h"
#include "edit/BoardGeometry.h"
#include "model/BlockCatalogue.h"
#include "model/KindCode.h"
#include "ui/board/BlockTileCache.h"
#include "ui/pictures/Pictures.h"
#include "ui/widgets/Palette.h"

namespace trevalon {

const QColor& BoardPicture::frameColour(FrameColour colour) {
    switch (colour) {
        case FrameNone:
            return palette::violet;
        case FrameSelected:
            return palette::yellow;
        case FrameFaulty:
            return palette::red;
        case FrameMoving:
            return palette::teal;
        case FrameRunning:
            return palette::runFrame;
        default:
            return palette::white;
    }
}

QSize BoardPicture::size(const Board& board) {
    return geometry::boardImageSize(std::clamp(board.columns, 1, kGridSize),
                                    std::clamp(board.rows, 1, kGridSize));
}

QImage BoardPicture::render(const Board& board, const FrameMap& frames, const QRect& selection,
                            const QList<QPoint>& breakpoints) {
    QImage image(size(board), QImage::Format_RGB32);
    QPainter p(&image);
    paint(p, board, frames, selection, breakpoints, Source::Tiles);
    return image;
}

QImage BoardPicture::render(const Board& board, const FrameMap& frames, const QRect& selection,
                            const QList<QPoint>& breakpoints, qreal scale, BlockTileCache& tiles,
                            QImage reuse) {
    if (scale == 1.0) {
        return render(board, frames, selection, breakpoints);
    }
    const QSize area = size(board);
    const QSize pixels(int(std::ceil(area.width() * scale)), int(std::ceil(area.height() * scale)));
    QImage image = reuse.size() == pixels && reuse.format() == QImage::Format_RGB32
                       ? std::move(reuse)
                       : QImage(pixels, QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(frameColour(FrameNone));
    QPainter p(&image);
    p.scale(scale, scale);
    paint(p, board, frames, selection, breakpoints, Source::Drawings, &tiles);
    return image;
}

void BoardPicture::paint(QPainter& p, const Board& board, const FrameMap& frames,
                         const QRect& selection, const QList<QPoint>& breakpoints, Source source) {
    paint(p, board, frames, selection, breakpoints, source, nullptr);
}

void BoardPicture::paint(QPainter& p, const Board& board, const FrameMap& frames,
                         const QRect& selection, const QList<QPoint>& breakpoints, Source source,
                         BlockTileCache* tiles) {
    const int columns = std::clamp(board.columns, 1, kGridSize);
    const int rows = std::clamp(board.rows, 1, kGridSize);
    const QSize area = size(board);
    p.save();
    drawGround(p, area, columns, rows, source, tiles);
    p.setPen(frameColour(FrameNone));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, area.width() - 1, area.height() - 1);

    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            const Cell& cell = board.cell(c, r);
            if (cell.occupied) {
                drawBlock(p, cell, geometry::cellRect(c, r).topLeft(), source, tiles);
            } else if (tiles) {
                // Every square is one picture, so none is copied twice.
                tiles->draw(p, geometry::cellRect(c, r).topLeft(), 0, 0);
            }
        }
    }
    // Frames last: neighbouring squares share an edge, and a mark must show on top of both.
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            const FrameColour colour = frames.at(c, r);
            const QRect square = geometry::cellRect(c, r);
            if (colour == FrameRunning) {
                drawRunMark(p, square);
            } else if (colour != FrameNone) {
                p.setPen(frameColour(colour));
                p.drawRect(square.x(), square.y(), square.width() - 1, square.height() - 1);
            }
        }
    }
    for (const QPoint& at : breakpoints) {
        if (at.x() <= columns && at.y() <= rows && board.cell(at.x(), at.y()).occupied) {
            drawBreakpoint(p, geometry::cellRect(at.x(), at.y()));
        }
    }
    if (!selection.isEmpty()) {
        drawSelection(p, selection);
    }
    p.restore();
}

void BoardPicture::drawGround(QPainter& p, const QSize& size, int columns, int rows, Source source,
                              BlockTileCache* tiles) {
    if (source == Source::Drawings && tiles) {
        // The squares cover all but the margins, so only the margins get the desk's pattern:
        // drawn everywhere it would cost more than all the squares of a zoomed board.
        const QRect squares = geometry::cellRect(1, 1).united(geometry::cellRect(columns, rows));
        const QRectF whole(QPointF(0, 0), size);
        pictures::drawDesk(p, QRectF(0, 0, size.width(), squares.top()));
        pictures::drawDesk(
            p, QRectF(0, squares.bottom() + 1, size.width(), size.height() - squares.bottom() - 1));
        pictures::drawDesk(p, QRectF(0, squares.top(), squares.left(), squares.height()));
        pictures::drawDesk(p, QRectF(squares.right() + 1, squares.top(),
                                     whole.width() - squares.right() - 1, squares.height()));
        return;
    }
    if (source == Source::Drawings) {
        pictures::drawDesk(p, QRectF(QPointF(0, 0), size));
        for (int c = 1; c <= columns; ++c) {
            for (int r = 1; r <= rows; ++r) {
                p.save();
                p.translate(geometry::cellRect(c, r).topLeft());
                pictures::drawCell(p, false);
                p.restore();
            }
        }
        return;
    }
    const QImage background = pictures::image(QStringLiteral("tloglowne"));
    if (background.isNull()) {
        p.fillRect(QRect(QPoint(0, 0), size), frameColour(FrameNone));
    } else {
        for (int y = 0; y < size.height(); y += background.height()) {
            for (int x = 0; x < size.width(); x += background.width()) {
                p.drawImage(x, y, background);
            }
        }
    }
    const QImage empty = pictures::image(QStringLiteral("tlomaleblue"));
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            p.drawImage(geometry::cellRect(c, r).topLeft(), empty);
        }
    }
}

void BoardPicture::drawBlock(QPainter& p, const Cell& cell, const QPoint& at, Source source,
                             BlockTileCache* tiles) {
    if (source == Source::Tiles) {
        p.drawImage(at, pictures::blockTile(cell.kindCode, cell.mode));
        return;
    }
    if (tiles) {
        tiles->draw(p, at, cell.kindCode, cell.mode);
        return;
    }
    p.save();
    p.translate(at);
    pictures::drawCell(p, false);
    if (cell.kindCode == KindReadWrite) {
        // The second tile of the read/write strip is the block that writes.
        const bool writes = BlockCatalogue::cellTile(cell.kindCode, cell.mode).index == 2;
        pictures::drawReadWrite(p, writes ? pictures::DataArrows::Out : pictures::DataArrows::In);
    } else {
        pictures::drawBlock(p, cell.kindCode);
    }
    p.restore();
}

// A red dot with a white ring in the square's top-left corner, clear of the block's picture,
// where debuggers put theirs: seen on the pale squares and on the run's orange frame.
void BoardPicture::drawBreakpoint(QPainter& p, const QRect& square) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette::white, 1.5));
    p.setBrush(palette::breakpoint);
    p.drawEllipse(QRectF(square.x() + 2.5, square.y() + 2.5, 10, 10));
    p.restore();
}

// A light wash over the chosen cells and a dashed line round them: what is chosen shows as one
// piece, and the blocks inside stay readable.
void BoardPicture::drawSelection(QPainter& p, const QRect& selection) {
    const QRect area = geometry::cellRect(selection.left(), selection.top())
                           .united(geometry::cellRect(selection.right(), selection.bottom()));
    QColor wash = palette::yellow;
    wash.setAlpha(36);
    p.fillRect(area, wash);
    // Yellow dashes over a dark line: seen on the pale empty squares and on the pictures alike.
    const QRect outline = area.adjusted(1, 1, -1, -1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::violetDeep, 2));
    p.drawRect(outline);
    p.setPen(QPen(palette::yellow, 2, Qt::DashLine));
    p.drawRect(outline);
}

// A warm tint, then a four-pixel orange band between two dark lines: the band stands out on the
// pale cells, the dark lines on the orange and yellow pictures.
void BoardPicture::drawRunMark(QPainter& p, const QRect& square) {
    // Multiplied, the tint warms the pale ground and leaves the picture's dark lines dark.
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.fillRect(square, palette::runTint);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QRect outer = square.adjusted(0, 0, -1, -1);
    p.setPen(palette::runEdge);
    p.drawRect(outer);
    p.drawRect(outer.adjusted(5, 5, -5, -5));
    p.fillRect(QRect(square.x() + 1, square.y() + 1, square.width() - 2, 4), palette::runFrame);
    p.fillRect(QRect(square.x() + 1, square.bottom() - 4, square.width() - 2, 4),
               palette::runFrame);
    p.fillRect(QRect(square.x() + 1, square.y() + 5, 4, square.height() - 10), palette::runFrame);
    p.fillRect(QRect(square.right() - 4, square.y() + 5, 4, square.height() - 10),
               palette::runFrame);
}

}  // namespace trevalon

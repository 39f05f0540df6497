#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <map>
#include <tuple>

class QPainter;

namespace trevalon {

// A board's squares drawn from their picture sources at the pixel size a zoomed board needs,
// kept per size: a board is drawn again at every edit and every step of a run, and drawing
// each block's paths anew each time would cost far more than copying a picture.
// The pictures are opaque 40 x 40 unit squares; kind 0 is the empty square.
class BlockTileCache {
public:
    // More pictures than a pupil's zooming collects; past it the cache starts afresh.
    static constexpr std::size_t MaxTiles = 400;

    // The square of `kindCode` (0: empty) with `mode`, drawn at `pixels`.
    const QImage& tile(int kindCode, int mode, const QSize& pixels);
    // Draws the square whose top-left unit corner is `at` through the painter's scale, onto
    // whole device pixels: the picture is made at the size the square covers on the device,
    // so nothing is resampled. The painter's transform must be a scale and a translation.
    void draw(QPainter& painter, const QPoint& at, int kindCode, int mode);

    std::size_t size() const { return m_tiles.size(); }

private:
    using Key = std::tuple<int, int, int, int>;  // kind, picture within the kind, width, height
    std::map<Key, QImage> m_tiles;
};

}  // namespace trevalon

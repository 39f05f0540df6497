#include "ui/board/BlockTileCache.h"

#include <QPainter>
#include <cmath>

#include "BlockShapes.h"
#include "edit/BoardGeometry.h"
#include "model/BlockCatalogue.h"
#include "model/KindCode.h"

namespace trevalon {
namespace {

// Only the read/write block has pictures that differ by mode; every other mode shares one.
int pictureOf(int kindCode, int mode) {
    return kindCode == KindReadWrite ? BlockCatalogue::cellTile(kindCode, mode).index : 0;
}

QImage drawTile(int kindCode, int picture, const QSize& pixels) {
    QImage image(pixels, QImage::Format_RGB32);
    QPainter p(&image);
    p.scale(pixels.width() / qreal(geometry::kCellSize),
            pixels.height() / qreal(geometry::kCellSize));
    pictures::drawCell(p, false);
    if (kindCode == KindReadWrite) {
        // The second picture of the read/write strip is the block that writes.
        pictures::drawReadWrite(
            p, picture == 2 ? pictures::DataArrows::Out : pictures::DataArrows::In);
    } else if (kindCode != 0) {
        pictures::drawBlock(p, kindCode);
    }
    return image;
}

}  // namespace

const QImage& BlockTileCache::tile(int kindCode, int mode, const QSize& pixels) {
    const int picture = pictureOf(kindCode, mode);
    const Key key{kindCode, picture, pixels.width(), pixels.height()};
    auto found = m_tiles.find(key);
    if (found == m_tiles.end()) {
        if (m_tiles.size() >= MaxTiles) {
            m_tiles.clear();
        }
        found = m_tiles.emplace(key, drawTile(kindCode, picture, pixels)).first;
    }
    return found->second;
}

void BlockTileCache::draw(QPainter& painter, const QPoint& at, int kindCode, int mode) {
    const QTransform t = painter.transform();
    const QPointF from = t.map(QPointF(at));
    const QPointF to = t.map(QPointF(at + QPoint(geometry::kCellSize, geometry::kCellSize)));
    // Both edges rounded alike, so that neighbouring squares meet without a gap.
    const QPoint left(int(std::lround(from.x())), int(std::lround(from.y())));
    const QPoint right(int(std::lround(to.x())), int(std::lround(to.y())));
    const QSize pixels(right.x() - left.x(), right.y() - left.y());
    if (pixels.isEmpty()) {
        return;
    }
    const QImage& image = tile(kindCode, mode, pixels);
    painter.save();
    painter.resetTransform();
    painter.drawImage(left, image);
    painter.restore();
}

}  // namespace trevalon

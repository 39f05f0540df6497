#include "ui/pictures/Pictures.h"

#include "model/BlockCatalogue.h"
#include "ui/pictures/PictureStore.h"

namespace trevalon::pictures {

QImage image(const QString& name) {
    return PictureStore::shared().image(name);
}

QPixmap pixmap(const QString& name) {
    return PictureStore::shared().pixmap(name);
}

QImage blockTile(int kindCode, int mode) {
    const BlockCatalogue::Tile tile = BlockCatalogue::cellTile(kindCode, mode);
    if (tile.strip.isEmpty()) {
        return {};
    }
    return PictureStore::shared().tile(tile.strip, tile.index);
}

QPixmap localized(const QString& polishName, const QString& englishName, bool english) {
    return pixmap(english ? englishName : polishName);
}

QCursor cursor(const QString& name) {
    return PictureStore::shared().cursor(name);
}

void release() {
    PictureStore::shared().release();
}

}  // namespace trevalon::pictures

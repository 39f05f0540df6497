#pragma once

#include <QCursor>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>

#include "ui/pictures/PictureCatalogue.h"

namespace trevalon {

// The interface's named pictures (listed in PictureCatalogue), stored as JPEG resources of
// the application and decoded with JpegDecoder on first use, then kept.
//
// Names are the resource names ("tloglowne", "buttak", "menustartang", ...). An unknown name,
// or a resource that cannot be decoded, gives a null image: callers draw nothing rather
// than fail. Not thread-safe: the interface uses it from the window thread only.
class PictureStore {
public:
    PictureStore();

    // The one store the windows share; created on first use, lives until the program ends.
    // Shared rather than passed because it only caches the embedded pictures: its answers
    // depend on the name alone, so no window, test or project can tell it is shared.
    static PictureStore& shared();

    // The picture named `name`, decoded and cached.
    QImage image(const QString& name);
    // The same as a pixmap (needs a QGuiApplication).
    QPixmap pixmap(const QString& name);
    // Tile k (from 1) of a block strip ("start", "czytaj", "operacje", "lonczniki"): the
    // 40 x 40 square starting 40 * (k - 1) pixels from the strip's left edge; null when the
    // strip has no such tile.
    QImage tile(const QString& strip, int k);
    // "ramkacur" or "nocur" as a cursor, the picture's magenta key colour transparent; the
    // arrow cursor for any other name (needs a QGuiApplication).
    QCursor cursor(const QString& name);
    // The cursor's picture with its key colour made transparent; null for other names.
    QImage cursorImage(const QString& name);

    // The name to use for the interface language ("buttak" becomes "butyes" in English).
    static QString localName(const QString& name, bool english) {
        return PictureCatalogue::localName(name, english);
    }

    // Drops every decoded picture (shut-down releases the shared pictures).
    void release();
    // How many pictures are decoded and kept now.
    int cachedCount() const { return int(m_images.size()); }

    // The raw JPEG bytes of a picture's resource; empty for an unknown name.
    static QByteArray resourceData(const QString& name);

private:
    QHash<QString, QImage> m_images;
    QHash<QString, QImage> m_tiles;
};

}  // namespace trevalon

#include "ui/pictures/PictureStore.h"

#include <QFile>

#include "ui/pictures/JpegDecoder.h"

// The resources live in this static library; registering them must happen outside any
// namespace, and before the first picture is read.
static void registerPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace trevalon {
namespace {

// Every way into the resources passes here first, whichever comes first.
void ensureResources() {
    static const bool registered = [] {
        registerPictureResources();
        return true;
    }();
    Q_UNUSED(registered);
}

// Cursor pictures are drawn on pure magenta; JPEG smears the key colour a little, so
// anything close enough to it counts as transparent.
bool isKeyColour(QRgb pixel) {
    return qRed(pixel) > 190 && qBlue(pixel) > 190 && qGreen(pixel) < 90;
}

QPoint cursorHotSpot(const QString& name) {
    if (name == QLatin1String("nocur")) {
        return {15, 15};
    }
    return {1, 1};
}

}  // namespace

PictureStore::PictureStore() {
    ensureResources();
}

PictureStore& PictureStore::shared() {
    static PictureStore store;
    return store;
}

QByteArray PictureStore::resourceData(const QString& name) {
    if (!PictureCatalogue::find(name)) {
        return {};
    }
    ensureResources();
    QFile file(QStringLiteral(":/pictures/%1.jpg").arg(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QImage PictureStore::image(const QString& name) {
    if (auto found = m_images.constFind(name); found != m_images.constEnd()) {
        return found.value();
    }
    const PictureInfo* info = PictureCatalogue::find(name);
    if (!info) {
        return {};
    }
    QImage decoded = JpegDecoder::decode(resourceData(name));
    if (decoded.width() != info->width || decoded.height() != info->height) {
        decoded = QImage();
    }
    // A picture that fails to decode is remembered as null, so it is not decoded again.
    m_images.insert(name, decoded);
    return decoded;
}

QPixmap PictureStore::pixmap(const QString& name) {
    const QImage picture = image(name);
    return picture.isNull() ? QPixmap() : QPixmap::fromImage(picture);
}

QImage PictureStore::tile(const QString& strip, int k) {
    const QString key = strip + QLatin1Char('#') + QString::number(k);
    if (auto found = m_tiles.constFind(key); found != m_tiles.constEnd()) {
        return found.value();
    }
    const QImage whole = image(strip);
    const int size = PictureCatalogue::TileSize;
    if (whole.isNull() || whole.height() != size || k < 1 || k > whole.width() / size) {
        return {};
    }
    const QImage cut = whole.copy(size * (k - 1), 0, size, size);
    m_tiles.insert(key, cut);
    return cut;
}

QImage PictureStore::cursorImage(const QString& name) {
    if (name != QLatin1String("ramkacur") && name != QLatin1String("nocur")) {
        return {};
    }
    const QImage picture = image(name);
    if (picture.isNull()) {
        return {};
    }
    QImage withAlpha = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < withAlpha.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(withAlpha.scanLine(y));
        for (int x = 0; x < withAlpha.width(); ++x) {
            if (isKeyColour(line[x])) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return withAlpha;
}

QCursor PictureStore::cursor(const QString& name) {
    const QImage picture = cursorImage(name);
    if (picture.isNull()) {
        return QCursor(Qt::ArrowCursor);
    }
    const QPoint hot = cursorHotSpot(name);
    return QCursor(QPixmap::fromImage(picture), hot.x(), hot.y());
}

void PictureStore::release() {
    m_images.clear();
    m_tiles.clear();
}

}  // namespace trevalon

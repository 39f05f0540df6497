#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace trevalon {

// Turns the bytes of a baseline or progressive JPEG (colour or greyscale) into a QImage in
// Format_RGB32. The interface's pictures are stored as JPEG resources and pass through here;
// anything else handed to it - empty, truncated, damaged or absurdly large data - is refused
// with a null image and a reason, never a crash or a partly grey picture.
class JpegDecoder {
public:
    // Largest picture accepted, per side and in total, so that a damaged header cannot make
    // the decoder allocate gigabytes.
    static constexpr int MaxSide = 8192;
    static constexpr qint64 MaxPixels = qint64(16) * 1024 * 1024;

    // The decoded picture, or a null image with `error` (when given) saying why.
    static QImage decode(const QByteArray& data, QString* error = nullptr);
};

}  // namespace trevalon

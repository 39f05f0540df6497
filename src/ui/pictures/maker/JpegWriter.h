#pragma once

#include <QImage>
#include <QString>

namespace trevalon::pictures {

// Writes a picture as a baseline JPEG with full colour resolution (no chroma subsampling, so
// that thin coloured lines and small captions stay crisp). False with `error` on failure.
bool writeJpeg(const QImage& image, const QString& path, int quality, QString* error);

}  // namespace trevalon::pictures

#include "JpegWriter.h"

#include <QFile>

#include <cstdlib>

#include "ui/pictures/JpegErrors.h"

namespace trevalon::pictures {
namespace {

// Compresses rows of packed RGB into a buffer that libjpeg allocates; no C++ object with a
// destructor lives in this frame, because of the longjmp.
bool compress(const unsigned char* rgb, int width, int height, int quality, JpegErrors& errors,
              unsigned char** out, unsigned long* outSize) {
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jpegFatalError;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, outSize);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(rgb + std::size_t(info.next_scanline) *
                                                            std::size_t(width) * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

bool writeJpeg(const QImage& image, const QString& path, int quality, QString* error) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    // QImage pads scanlines to 4 bytes; libjpeg wants them packed.
    QByteArray packed;
    packed.reserve(rgb.width() * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y) {
        packed.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
    }
    JpegErrors errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = compress(reinterpret_cast<const unsigned char*>(packed.constData()),
                             rgb.width(), rgb.height(), quality, errors, &buffer, &size);
    QByteArray bytes;
    if (ok) {
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size));
    }
    std::free(buffer);
    if (!ok) {
        *error = QString::fromLatin1(errors.message);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace trevalon::pictures

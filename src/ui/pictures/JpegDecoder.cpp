#include "ui/pictures/JpegDecoder.h"

#include "ui/pictures/JpegErrors.h"

namespace trevalon {
namespace {

// Warnings (corrupt entropy data, premature end of data) are still counted in num_warnings by
// the library's emit_message, and judged after decoding; only their printing is silenced.
void onOutput(j_common_ptr) {}

enum class Outcome { Decoded, Fatal, TooLarge, Unsupported, Damaged };

// Decodes into `image`, which is sized once the header has been judged. The frame holds no
// C++ object with a destructor, because of the longjmp of JpegErrors.
Outcome decodeInto(const unsigned char* bytes, unsigned long size, JpegErrors& errors,
                   QImage* image) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jpegFatalError;
    errors.base.output_message = onOutput;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return Outcome::Fatal;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, size);
    jpeg_read_header(&info, TRUE);
    const JDIMENSION width = info.image_width;
    const JDIMENSION height = info.image_height;
    if (width == 0 || height == 0 || width > JDIMENSION(JpegDecoder::MaxSide) ||
        height > JDIMENSION(JpegDecoder::MaxSide) ||
        qint64(width) * qint64(height) > JpegDecoder::MaxPixels) {
        jpeg_destroy_decompress(&info);
        return Outcome::TooLarge;
    }
    if (info.jpeg_color_space != JCS_GRAYSCALE && info.jpeg_color_space != JCS_YCbCr &&
        info.jpeg_color_space != JCS_RGB) {
        jpeg_destroy_decompress(&info);
        return Outcome::Unsupported;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || info.output_width != width || info.output_height != height) {
        jpeg_destroy_decompress(&info);
        return Outcome::Unsupported;
    }
    *image = QImage(int(width), int(height), QImage::Format_RGB888);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        return Outcome::TooLarge;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    const long warnings = errors.base.num_warnings;
    jpeg_destroy_decompress(&info);
    return warnings > 0 ? Outcome::Damaged : Outcome::Decoded;
}

}  // namespace

QImage JpegDecoder::decode(const QByteArray& data, QString* error) {
    auto fail = [error](const QString& reason) {
        if (error) {
            *error = reason;
        }
        return QImage();
    };
    if (data.isEmpty()) {
        return fail(QStringLiteral("no data"));
    }
    // A fatal error halfway through leaves a valid but partly filled image, which is dropped.
    QImage image;
    JpegErrors errors{};
    const Outcome outcome = decodeInto(reinterpret_cast<const unsigned char*>(data.constData()),
                                       static_cast<unsigned long>(data.size()), errors, &image);
    switch (outcome) {
        case Outcome::Decoded:
            break;
        case Outcome::Fatal:
            return fail(QString::fromLatin1(errors.message));
        case Outcome::TooLarge:
            return fail(QStringLiteral("picture too large"));
        case Outcome::Unsupported:
            return fail(QStringLiteral("unsupported colour space"));
        case Outcome::Damaged:
            return fail(QStringLiteral("damaged data"));
    }
    if (error) {
        error->clear();
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace trevalon

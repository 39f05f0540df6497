#include "config/NativeName.h"

namespace trevalon {
namespace {

bool isContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

// The length of the valid UTF-8 sequence at `at` (RFC 3629: no overlong form, no surrogate,
// nothing above U+10FFFF), or 0 when the byte there begins none.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) {
        return at + i < bytes.size() ? static_cast<unsigned char>(bytes[at + i]) : 0;
    };
    const unsigned char first = byte(0);
    if (first < 0x80) {
        return 1;
    }
    if (first >= 0xC2 && first <= 0xDF) {
        return isContinuation(byte(1)) ? 2 : 0;
    }
    if (first >= 0xE0 && first <= 0xEF) {
        const unsigned char low = first == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = first == 0xED ? 0x9F : 0xBF;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) ? 3 : 0;
    }
    if (first >= 0xF0 && first <= 0xF4) {
        const unsigned char low = first == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = first == 0xF4 ? 0x8F : 0xBF;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) &&
                       isContinuation(byte(3))
                   ? 4
                   : 0;
    }
    return 0;
}

}  // namespace

QString nameFromNative(QByteArrayView bytes) {
    QString name;
    name.reserve(bytes.size());
    qsizetype validStart = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype length = sequenceLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.sliced(validStart, at - validStart));
        name += QChar(char16_t(0xDC00 + static_cast<unsigned char>(bytes[at])));
        validStart = ++at;
    }
    name += QString::fromUtf8(bytes.sliced(validStart));
    return name;
}

QByteArray nativeName(QStringView name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    const auto flushRun = [&](qsizetype end) {
        bytes += name.sliced(runStart, end - runStart).toUtf8();
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t ch = name[i].unicode();
        const bool pairEnd =
            i > 0 && QChar::isHighSurrogate(name[i - 1].unicode()) && QChar::isLowSurrogate(ch);
        if (const int byte = escapedByte(ch, pairEnd); byte != 0) {
            flushRun(i);
            bytes += static_cast<char>(byte);
            runStart = i + 1;
        }
    }
    flushRun(name.size());
    return bytes;
}

}  // namespace trevalon

#include "config/Utf16Le.h"

#include <QtEndian>
#include <algorithm>

namespace trevalon {

QByteArray Utf16Le::encode(QStringView text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        qToLittleEndian<quint16>(text[i].unicode(), bytes.data() + 2 * i);
    }
    return bytes;
}

QString Utf16Le::decode(QByteArrayView bytes) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        text[i] = QChar(qFromLittleEndian<quint16>(bytes.data() + 2 * i));
    }
    return text;
}

QString Utf16Le::toBase64(QStringView text) {
    return QString::fromLatin1(encode(text).toBase64());
}

std::optional<QString> Utf16Le::fromBase64(QStringView base64) {
    // Only ASCII can be Base64.
    if (!std::all_of(base64.begin(), base64.end(), [](QChar ch) { return ch.unicode() <= 0x7F; })) {
        return std::nullopt;
    }
    const auto decoded = QByteArray::fromBase64Encoding(
        base64.toLatin1(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() % 2 != 0) {
        return std::nullopt;
    }
    return decode(decoded.decoded);
}

}  // namespace trevalon

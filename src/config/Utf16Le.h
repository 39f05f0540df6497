#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace trevalon {

// UTF-16 with the low byte first: the wide form of the XML files (project, settings), and
// behind Base64 the form in which an encoded project file and the settings file keep their
// values. The bytes are the same whatever the machine's own byte order is.
class Utf16Le {
public:
    // Two bytes per UTF-16 unit; no byte-order mark.
    static QByteArray encode(QStringView text);
    // One unit per two bytes; an odd last byte is left out. A byte-order mark is not looked for.
    static QString decode(QByteArrayView bytes);

    // The Base64 text of `text`'s bytes.
    static QString toBase64(QStringView text);
    // The text whose bytes `base64` holds; nothing when `base64` is not strict Base64 (any
    // character beyond ASCII included) or gives an odd number of bytes.
    static std::optional<QString> fromBase64(QStringView base64);
};

}  // namespace trevalon

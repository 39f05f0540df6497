#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace trevalon {

// The Windows-1250 code page through a table of our own, so that the project file, the settings
// file and the event log read and write the same bytes whatever the system locale is.
//
// Decoding maps every byte to exactly one character. The five bytes the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) decode to the C1 control of the same number, so
// any byte sequence decodes and encodes back to itself.
//
// Encoding writes `fallback` ("?" unless told) for a character the code page cannot hold
// (Cyrillic, CJK, emoji, a lone surrogate); a character outside the Basic Multilingual Plane
// becomes a single one.
// `canEncode` tells beforehand whether a text would lose anything.
class Windows1250 {
public:
    static constexpr char Fallback = '?';

    static QString decode(QByteArrayView bytes);
    static QByteArray encode(QStringView text, char fallback = Fallback);
    static bool canEncode(QStringView text);

    // The byte of one character, or -1 when the code page has none.
    static int byteOf(char16_t ch);
    static char16_t charOf(unsigned char byte);
};

}  // namespace trevalon

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace trevalon {

// File names as the system has them: bytes, which need not be UTF-8 (a class folder copied from
// a Windows-1250 disk holds "\xA3ukasz.skb"). Qt decodes such bytes into U+FFFD and can then
// never reach the file again; these two functions round-trip every byte sequence instead.
//
// nameFromNative decodes valid UTF-8 as usual and each byte that is not part of a valid UTF-8
// sequence (a stray continuation byte, an overlong form, an encoded surrogate, a truncated
// sequence) as the lone low surrogate U+DC00 + byte (U+DC80 … U+DCFF), a character no decoded
// UTF-8 can hold alone. nativeName turns such a lone surrogate back into its byte and every
// other character into UTF-8 (another lone surrogate, which no decoding made, into "?").
// shownText (config/OutsideText.h) writes the bytes as \xNN.
QString nameFromNative(QByteArrayView bytes);
QByteArray nativeName(QStringView name);

// The character that stands for a byte that is not UTF-8, or 0 for any other character.
inline int escapedByte(char16_t ch, bool partOfPair) {
    return !partOfPair && ch >= 0xDC80 && ch <= 0xDCFF ? ch - 0xDC00 : 0;
}

}  // namespace trevalon

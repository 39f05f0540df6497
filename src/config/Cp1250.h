#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace trevalon::cp1250 {

// The settings file and the event log are 8-bit text in the Central European Windows code
// page, independent of the system locale.
//
// Decoding never fails: the five bytes the code page leaves undefined (0x81, 0x83, 0x88, 0x90,
// 0x98) become the C1 control characters of the same value, so any file survives a read and a
// write unchanged.
QString decode(QByteArrayView bytes);

// Characters the code page cannot hold (and lone surrogate halves) become `fallback`; a
// character outside the Basic Multilingual Plane becomes one `fallback`, not two.
QByteArray encode(QStringView text, char fallback = '?');

}  // namespace trevalon::cp1250

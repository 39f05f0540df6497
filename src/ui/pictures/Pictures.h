#pragma once

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace trevalon::pictures {

// The named pictures the windows are drawn from. Unknown names give a null image.
QImage image(const QString& name);
QPixmap pixmap(const QString& name);

// The 40 x 40 cell picture of a block of `kindCode` with `mode`, cut from its strip
// (BlockCatalogue::cellTile).
QImage blockTile(int kindCode, int mode);

// A picture whose words exist in two languages: "name" in Polish, `englishName` otherwise.
QPixmap localized(const QString& polishName, const QString& englishName, bool english);

// The application's own cursors: "ramkacur" (placing, the frame) and "nocur" (refusal).
QCursor cursor(const QString& name);

// Drops the decoded pictures (at shut-down).
void release();

}  // namespace trevalon::pictures

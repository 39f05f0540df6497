#pragma once

#include <QImage>
#include <QString>

#include <utility>
#include <vector>

namespace trevalon::pictures {

// Lays the pictures out in rows on a neutral ground, each with its name under it, and writes
// the sheet as a PNG, so that the whole set can be looked at and judged together. Pictures
// larger than `maxSide` are left out; each is drawn `scale` times its size.
bool writeContactSheet(const std::vector<std::pair<QString, QImage>>& pictures, const QString& path,
                       int scale = 1, int maxSide = 100000);

}  // namespace trevalon::pictures

#pragma once

#include <QImage>
#include <cstdlib>

namespace trevalon::test {

// The mean absolute Laplacian of a picture's grey levels: large where edges are crisp, small
// where they are smeared over several pixels, as in a bitmap stretched with smooth scaling.
inline double meanAbsLaplacian(const QImage& picture) {
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    const int w = grey.width();
    const int h = grey.height();
    if (w < 3 || h < 3) {
        return 0.0;
    }
    double sum = 0.0;
    for (int y = 1; y < h - 1; ++y) {
        const uchar* above = grey.constScanLine(y - 1);
        const uchar* line = grey.constScanLine(y);
        const uchar* below = grey.constScanLine(y + 1);
        for (int x = 1; x < w - 1; ++x) {
            sum += std::abs(above[x] + below[x] + line[x - 1] + line[x + 1] - 4 * line[x]);
        }
    }
    return sum / (double(w - 2) * (h - 2));
}

}  // namespace trevalon::test

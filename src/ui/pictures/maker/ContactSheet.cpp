#include "ContactSheet.h"

#include <QPainter>

#include <algorithm>

#include "Canvas.h"

namespace trevalon::pictures {

bool writeContactSheet(const std::vector<std::pair<QString, QImage>>& pictures, const QString& path,
                       int scale, int maxSide) {
    constexpr int SheetWidth = 1400;
    constexpr int Gap = 12;
    constexpr int Label = 14;
    struct Placed {
        QRect box;
        const std::pair<QString, QImage>* picture;
    };
    std::vector<Placed> placed;
    int x = Gap;
    int y = Gap;
    int rowHeight = 0;
    for (const auto& picture : pictures) {
        const QSize size = picture.second.size();
        if (std::max(size.width(), size.height()) > maxSide) {
            continue;
        }
        const int width = std::max(size.width() * scale, 60);
        const int height = size.height() * scale + Label;
        if (x + width > SheetWidth && x > Gap) {
            x = Gap;
            y += rowHeight + Gap;
            rowHeight = 0;
        }
        placed.push_back({QRect(x, y, width, height), &picture});
        x += width + Gap;
        rowHeight = std::max(rowHeight, height);
    }
    QImage sheet = canvas(SheetWidth, y + rowHeight + Gap, QColor(120, 120, 128));
    QPainter p(&sheet);
    p.setFont(sans(10));
    for (const Placed& item : placed) {
        const QImage& image = item.picture->second;
        const QRect target(item.box.topLeft(), image.size() * scale);
        p.drawImage(target, image);
        p.setPen(Qt::white);
        p.drawText(QRect(item.box.left(), target.bottom() + 1, 200, Label),
                   Qt::AlignLeft | Qt::AlignVCenter, item.picture->first);
    }
    p.end();
    return sheet.save(path, "PNG");
}

}  // namespace trevalon::pictures

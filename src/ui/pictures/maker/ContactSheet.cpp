#include "ContactSheet.h"

#include <QPainter>

#include <algorithm>

#include "Canvas.h"

namespace trevalon::pictures {
namespace {

// Pages small enough to be looked at without shrinking.
constexpr int SheetWidth = 1000;
constexpr int PageHeight = 1000;
constexpr int Gap = 12;
constexpr int Label = 14;

using Picture = std::pair<QString, QImage>;

struct Placed {
    QRect box;  // the picture and its name under it
    const Picture* picture;
};
using Page = std::vector<Placed>;

// Lays the pictures no larger than `maxSide` out in rows, onto as many pages as they need.
std::vector<Page> layOut(const std::vector<Picture>& pictures, int scale, int maxSide) {
    std::vector<Page> pages(1);
    int x = Gap;
    int y = Gap;
    int rowHeight = 0;
    for (const Picture& picture : pictures) {
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
        if (y + height > PageHeight && y > Gap) {
            pages.emplace_back();
            x = Gap;
            y = Gap;
            rowHeight = 0;
        }
        pages.back().push_back({QRect(x, y, width, height), &picture});
        x += width + Gap;
        rowHeight = std::max(rowHeight, height);
    }
    return pages;
}

QImage drawPage(const Page& page, int scale) {
    int bottom = Gap;
    for (const Placed& item : page) {
        bottom = std::max(bottom, item.box.bottom() + Gap);
    }
    QImage sheet = canvas(SheetWidth, bottom, palette::sheetGrey);
    QPainter p(&sheet);
    p.setFont(sans(10));
    for (const Placed& item : page) {
        const QImage& image = item.picture->second;
        const QRect target(item.box.topLeft(), image.size() * scale);
        p.drawImage(target, image);
        p.setPen(Qt::white);
        p.drawText(QRect(item.box.left(), target.bottom() + 1, 200, Label),
                   Qt::AlignLeft | Qt::AlignVCenter, item.picture->first);
    }
    return sheet;
}

}  // namespace

bool writeContactSheet(const std::vector<std::pair<QString, QImage>>& pictures, const QString& path,
                       int scale, int maxSide) {
    const std::vector<Page> pages = layOut(pictures, scale, maxSide);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        QString name = path;
        if (page > 0) {
            name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("-%1").arg(page + 1));
        }
        if (!drawPage(pages[page], scale).save(name, "PNG")) {
            return false;
        }
    }
    return true;
}

}  // namespace trevalon::pictures

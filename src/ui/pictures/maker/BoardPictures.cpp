#include <QPainterPath>
#include <cmath>

#include "BlockShapes.h"
#include "Canvas.h"
#include "model/KindCode.h"

namespace trevalon::pictures {
namespace {

QImage mainBackground() {
    QImage image = canvas(90, 90, palette::violetGround);
    QPainter p(&image);
    drawDesk(p, QRectF(0, 0, 90, 90));
    return image;
}

QImage cell(bool red) {
    QImage image = canvas(40, 40, Qt::white);
    QPainter p(&image);
    drawCell(p, red);
    return image;
}

QImage strip(std::initializer_list<int> kinds) {
    QImage image = canvas(40 * int(kinds.size()), 40, Qt::white);
    QPainter p(&image);
    int x = 0;
    for (int kind : kinds) {
        p.save();
        p.translate(x, 0);
        drawCell(p, false);
        drawBlock(p, kind);
        p.restore();
        x += 40;
    }
    return image;
}

// The read/write block as it reads (tile 1) and as it writes (tile 2).
QImage readWriteStrip() {
    QImage image = canvas(80, 40, Qt::white);
    QPainter p(&image);
    int x = 0;
    for (DataArrows arrows : {DataArrows::In, DataArrows::Out}) {
        p.save();
        p.translate(x, 0);
        drawCell(p, false);
        drawReadWrite(p, arrows);
        p.restore();
        x += 40;
    }
    return image;
}

struct TabWords {
    const char* caption;
    const char* description;
};

// Tab captions and the line that tells what the chosen group holds.
const TabWords kPolishTabs[4] = {
    {"Start", "Początek, koniec, gałęzie i zmienne"},
    {"Czytaj/Pisz", "Wejście, wyjście, procedury, komunikaty"},
    {"Operacje", "Obliczenia, porównania i tablice"},
    {"Łączniki", "Łączniki prowadzą przepływ między klockami"},
};
const TabWords kEnglishTabs[4] = {
    {"Start", "Start, end, branches and variables"},
    {"Read/Write", "Input, output, procedures and messages"},
    {"Operations", "Calculations, comparisons and arrays"},
    {"Connectors", "Connectors carry the flow between blocks"},
};

// The four group tabs with tab `chosen` in front. A press at y 3..19 picks a tab by x:
// 6..89, 106..189, 206..289, 306..389; the tabs are drawn over exactly those spans.
QImage tabs(int chosen, bool english) {
    const TabWords* words = english ? kEnglishTabs : kPolishTabs;
    QImage image = canvas(399, 50, palette::violetGround);
    QPainter p(&image);
    prepare(p);
    const QRectF band(0.5, 22.5, 398, 27);
    p.setPen(QPen(palette::violetSoft, 1));
    p.setBrush(palette::lavenderLight);
    p.drawRoundedRect(band, 4, 4);
    for (int tab = 1; tab <= 4; ++tab) {
        const double left = 100.0 * (tab - 1) + 3.5;
        const QRectF shape(left, 1.5, 89, tab == chosen ? 23 : 19.5);
        QPainterPath path;
        path.addRoundedRect(shape, 5, 5);
        if (tab == chosen) {
            p.setPen(QPen(palette::violetSoft, 1));
            p.setBrush(palette::lavenderLight);
            p.drawPath(path);
            // Open the tab into the band below it.
            p.setPen(Qt::NoPen);
            p.drawRect(QRectF(left + 1, 20, 87, 5));
            p.fillRect(QRectF(left + 8, 2.5, 73, 2.5), palette::amber);
        } else {
            p.setPen(QPen(palette::violetDeep, 1));
            p.setBrush(palette::violetMid);
            p.drawPath(path);
        }
        centredText(p, QRectF(left, 3, 89, 18), QString::fromUtf8(words[tab - 1].caption),
                    sans(11, true), tab == chosen ? palette::violet : palette::stripInk);
    }
    p.setFont(sans(11));
    p.setPen(palette::violet);
    p.drawText(QRectF(12, 25, 380, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(words[chosen - 1].description));
    return image;
}

}  // namespace

// The dark violet desk: a flat ground with a quiet grid of dots. The pattern's period (15)
// divides the embedded tile (90), so tiled copies meet without a seam, and the desk drawn over
// any area matches them.
void drawDesk(QPainter& painter, const QRectF& area) {
    painter.save();
    prepare(painter);
    painter.fillRect(area, palette::violetGround);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(80, 76, 122));
    const double left = std::floor(area.left() / 15) * 15;
    const double top = std::floor(area.top() / 15) * 15;
    for (double y = top; y < area.bottom(); y += 15) {
        for (double x = left; x < area.right(); x += 15) {
            painter.drawEllipse(QPointF(x + 7.5, y + 7.5), 1.1, 1.1);
        }
    }
    painter.restore();
}

void addBoardPictures(Recipes& r) {
    r["tloglowne"] = mainBackground;
    r["tlomaleblue"] = [] { return cell(false); };
    r["tlomalered"] = [] { return cell(true); };
    r["start"] = [] {
        return strip({KindStart, KindEnd, KindBranchStart, KindBranchEnd, KindVariable});
    };
    r["czytaj"] = [] {
        return strip({KindReadWrite, KindCall, KindReturn, KindMessage, KindQuestion, KindRandom});
    };
    r["czytajpisz"] = readWriteStrip;
    r["operacje"] = [] {
        return strip(
            {KindAssign, KindCompareVars, KindArrayWrite, KindArrayRead, KindCompareFormula});
    };
    r["lonczniki"] = [] {
        return strip({KindLineVertical, KindLineHorizontal, KindJoinRight, KindJoinLeft,
                      KindCornerTopRight, KindCornerBottomRight, KindCornerLeftBottom,
                      KindCornerTopLeft});
    };
    const char* names[4] = {"menustart", "menuczytpisz", "menuoperacje", "menulonczniki"};
    for (int tab = 1; tab <= 4; ++tab) {
        r[names[tab - 1]] = [tab] { return tabs(tab, false); };
        r[std::string(names[tab - 1]) + "ang"] = [tab] { return tabs(tab, true); };
    }
}

}  // namespace trevalon::pictures

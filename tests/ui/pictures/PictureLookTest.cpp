// What the windows rely on in the pictures' content: where lines, wells, tabs and bands are.
#include <gtest/gtest.h>

#include <vector>

#include "PictureTesting.h"
#include "model/BlockCatalogue.h"
#include "ui/pictures/PictureLayout.h"
#include "ui/pictures/PictureStore.h"

using namespace trevalon;
using trevalon::testing::averageColour;
using trevalon::testing::colourDistance;
using trevalon::testing::luminance;
using trevalon::testing::meanDifference;

namespace {

constexpr int JpegTolerance = 14;
const QRgb kFlow = qRgb(72, 68, 112);

QImage tileOf(PictureStore& store, const KindInfo& kind) {
    return store.tile(BlockCatalogue::groupStrip(kind.group), kind.index);
}

// The flow line crosses a side of the tile at its middle (pixels 19 and 20).
bool lineAt(const QImage& tile, unsigned side) {
    QRect probe;
    switch (side) {
        case SideTop:
            probe = QRect(19, 0, 2, 2);
            break;
        case SideBottom:
            probe = QRect(19, 38, 2, 2);
            break;
        case SideLeft:
            probe = QRect(0, 19, 2, 2);
            break;
        case SideRight:
            probe = QRect(38, 19, 2, 2);
            break;
        default:
            return false;
    }
    return colourDistance(averageColour(tile, probe), kFlow) <= 40;
}

// A block's lines leave the tile exactly through the sides that the flow uses, so that
// neighbouring tiles join into one drawing and a tile never shows a way the flow cannot go.
TEST(BlockTiles, LinesLeaveThroughTheSidesTheFlowUses) {
    PictureStore store;
    for (const KindInfo& kind : BlockCatalogue::kinds()) {
        const QImage tile = tileOf(store, kind);
        ASSERT_FALSE(tile.isNull()) << kind.code;
        for (unsigned side : {SideTop, SideBottom, SideLeft, SideRight}) {
            EXPECT_EQ(lineAt(tile, side), (kind.sides & side) != 0)
                << "kind " << kind.code << " side " << side;
        }
    }
}

// Every kind must be told apart at a glance: no two tiles nearly alike, and none like an
// empty cell.
TEST(BlockTiles, EveryKindLooksDifferent) {
    PictureStore store;
    const QImage empty = store.image(QStringLiteral("tlomaleblue"));
    std::vector<std::pair<int, QImage>> tiles;
    for (const KindInfo& kind : BlockCatalogue::kinds()) {
        tiles.emplace_back(kind.code, tileOf(store, kind));
        EXPECT_GT(meanDifference(tiles.back().second, empty), 3.0) << kind.code;
    }
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        for (std::size_t j = i + 1; j < tiles.size(); ++j) {
            EXPECT_GT(meanDifference(tiles[i].second, tiles[j].second), 3.0)
                << tiles[i].first << " and " << tiles[j].first;
        }
    }
}

// Away from the lines, a tile's edge is the empty cell's grid line, so that a block sits in
// the grid without a seam.
TEST(BlockTiles, EdgesMatchTheEmptyCell) {
    PictureStore store;
    const QImage empty = store.image(QStringLiteral("tlomaleblue"));
    for (const KindInfo& kind : BlockCatalogue::kinds()) {
        const QImage tile = tileOf(store, kind);
        for (int i = 0; i < 40; ++i) {
            if (i >= 12 && i <= 27) {
                continue;
            }
            for (const QPoint at : {QPoint(i, 0), QPoint(i, 39), QPoint(0, i), QPoint(39, i)}) {
                EXPECT_LE(colourDistance(tile.pixel(at), empty.pixel(at)), JpegTolerance)
                    << "kind " << kind.code << " at " << at.x() << "," << at.y();
            }
        }
    }
}

// Background tiles repeat without a seam: opposite edges continue each other.
TEST(Backgrounds, TilesRepeatWithoutSeams) {
    PictureStore store;
    for (const char* name : {"tloglowne", "tlojasne"}) {
        const QImage tile = store.image(QLatin1String(name));
        ASSERT_EQ(tile.size(), QSize(90, 90));
        EXPECT_LE(meanDifference(tile.copy(0, 0, 1, 90), tile.copy(89, 0, 1, 90)), 3.0) << name;
        EXPECT_LE(meanDifference(tile.copy(0, 0, 90, 1), tile.copy(0, 89, 90, 1)), 3.0) << name;
    }
}

// Tab i of the strip "menu..." is drawn in front (light) exactly where a press picks it
// (x 6..89, 106..189, 206..289, 306..389 at y 3..19); the other tabs are dark.
TEST(GroupTabs, ChosenTabIsTheLightOneAtItsClickSpan) {
    PictureStore store;
    for (bool english : {false, true}) {
        for (int chosen = 1; chosen <= 4; ++chosen) {
            const QString name = BlockCatalogue::toolbarStrip(chosen, english);
            const QImage strip = store.image(name);
            ASSERT_FALSE(strip.isNull()) << name.toStdString();
            for (int tab = 1; tab <= 4; ++tab) {
                const QRgb colour = averageColour(strip, QRect(100 * (tab - 1) + 8, 13, 4, 4));
                if (tab == chosen) {
                    EXPECT_GT(luminance(colour), 200) << name.toStdString() << " tab " << tab;
                } else {
                    EXPECT_LT(luminance(colour), 130) << name.toStdString() << " tab " << tab;
                }
            }
        }
        EXPECT_GT(meanDifference(store.image(BlockCatalogue::toolbarStrip(2, false)),
                                 store.image(BlockCatalogue::toolbarStrip(2, true))),
                  1.0);
    }
}

// The icons are cut from the dialog's background at their place, so their corners match it.
TEST(MessageDialog, IconsBlendIntoTheBackground) {
    PictureStore store;
    const QImage background = store.image(QStringLiteral("oknowarning"));
    const QRect place = layout::WarningIcon;
    for (const char* name : {"ikoinfo", "ikopytanie", "ikouwaga"}) {
        const QImage icon = store.image(QLatin1String(name));
        for (const QPoint corner : {QPoint(0, 0), QPoint(41, 0), QPoint(0, 42), QPoint(41, 42)}) {
            EXPECT_LE(
                colourDistance(icon.pixel(corner), background.pixel(place.topLeft() + corner)),
                JpegTolerance)
                << name << " corner " << corner.x() << "," << corner.y();
        }
        // ... and the middle shows the sign, not the empty place.
        EXPECT_GT(meanDifference(icon, background.copy(place)), 10.0) << name;
    }
}

// Buttons have rounded corners on the colour of the band they stand on.
TEST(MessageDialog, ButtonsStandOnTheirBand) {
    PictureStore store;
    const QImage dialog = store.image(QStringLiteral("oknowarning"));
    const QImage body = store.image(QStringLiteral("wykonajliczba"));
    const QRgb dialogBand = dialog.pixel(4, layout::WarningButtonTop + 13);
    const QRgb bodyBand = body.pixel(4, layout::ExecutionButtonTop + 13);
    for (const char* name : {"buttak", "buttakakt", "butnie", "butanulujakt", "butzamknij",
                             "butyes", "butcloseakt", "butwprowadz", "butenterakt"}) {
        const QRgb corner = store.image(QLatin1String(name)).pixel(0, 0);
        EXPECT_LE(colourDistance(corner, dialogBand), JpegTolerance) << name;
        EXPECT_LE(colourDistance(corner, bodyBand), JpegTolerance) << name;
    }
}

// Polish and English captions differ, and so do a button's normal and focused faces.
TEST(MessageDialog, CaptionsAndFocusAreVisible) {
    PictureStore store;
    for (const char* polish : {"buttak", "butnie", "butanuluj", "butzamknij", "butwprowadz"}) {
        const QString name = QLatin1String(polish);
        const QString english = PictureStore::localName(name, true);
        EXPECT_GT(meanDifference(store.image(name), store.image(english)), 2.0) << polish;
        EXPECT_GT(meanDifference(store.image(name), store.image(name + QLatin1String("akt"))), 40.0)
            << polish;
    }
}

// The execution dialog's wells are where its edits go: the value well in the number body,
// the three date wells in the date body, and no input well in the text body.
TEST(ExecutionDialog, WellsLieUnderTheEdits) {
    PictureStore store;
    const QImage number = store.image(QStringLiteral("wykonajliczba"));
    const QImage date = store.image(QStringLiteral("wykonajdata"));
    const QImage text = store.image(QStringLiteral("wykonakomentarz"));
    const QRgb white = qRgb(255, 255, 255);
    const QRect valueStart(layout::ExecutionValue.left() + 2, layout::ExecutionValue.top() + 4, 8,
                           8);
    EXPECT_LE(colourDistance(averageColour(number, valueStart), white), 6);
    EXPECT_GT(colourDistance(averageColour(date, valueStart), white), 6);
    for (const QRect& field :
         {layout::ExecutionYear, layout::ExecutionMonth, layout::ExecutionDay}) {
        EXPECT_LE(colourDistance(averageColour(date, field.adjusted(2, 4, -2, -4)), white), 6);
    }
    for (const QImage* body : {&number, &date, &text}) {
        EXPECT_LE(colourDistance(averageColour(*body, layout::ExecutionText.adjusted(4, 4, -4, -4)),
                                 white),
                  6);
    }
}

// Report rows carry dark violet text: they must be light enough for it to read.
TEST(Rows, LightEnoughForDarkText) {
    PictureStore store;
    for (const char* name : {"opisnaglowek", "opiswiersz", "opispodsumowanie",
                             "wlasnoscinonaktywne", "wlasnosciaktywne", "wlasnosciaktywnelista"}) {
        const QImage row = store.image(QLatin1String(name));
        EXPECT_GT(luminance(averageColour(row, row.rect().adjusted(2, 2, -2, -4))), 190) << name;
    }
}

}  // namespace

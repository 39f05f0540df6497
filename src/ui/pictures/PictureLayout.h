#pragma once

#include <QPoint>
#include <QRect>

// Where the backgrounds that we draw expect the controls laid over them. The pictures and the
// windows share these numbers, so that a text well or a button band in a picture is where the
// window puts its edit or its buttons.
namespace trevalon::layout {

// Execution dialog body ("wykonajliczba", "wykonajdata", "wykonakomentarz"), in the
// coordinates of the 260 x 180 body under the 22-pixel title strip.
inline constexpr QRect ExecutionText{23, 12, 214, 57};    // LKomentarzWykonanie
inline constexpr QRect ExecutionValue{24, 88, 212, 20};   // EWykonanie
inline constexpr QRect ExecutionYear{44, 88, 52, 20};     // EYear
inline constexpr QRect ExecutionMonth{118, 88, 34, 20};   // EMonth
inline constexpr QRect ExecutionDay{174, 88, 34, 20};     // EDay
inline constexpr int ExecutionButtonTop = 142;            // 88 x 26 buttons
inline constexpr int ExecutionButtonAlone = 86;           // x of a single button
inline constexpr int ExecutionButtonPair[2] = {36, 136};  // x of two buttons
inline constexpr int ExecutionButtonBand = 130;           // the band starts here

// Message dialog ("oknowarning"), as the window's layout fixes it.
inline constexpr QRect WarningIcon{12, 4, 42, 43};
inline constexpr QRect WarningTitle{56, 5, 281, 23};
inline constexpr QRect WarningClose{323, 8, 17, 17};
inline constexpr QRect WarningText{17, 51, 313, 53};
inline constexpr int WarningButtonTop = 116;
inline constexpr int WarningButtonBand = 108;

// Backgrounds of the companion dialogs: a title strip of this height across the top, then
// the body; buttons look best on the band along the bottom.
inline constexpr int DialogTitleHeight = 20;
inline constexpr int DialogButtonBandHeight = 44;

// Title-strip marks (16 x 16) sit this far below the top of a strip.
inline constexpr int StripMarkTop = 2;

// Schema page shapes (180 x 60): the flow runs along x = SchemaMidX and y = SchemaMidY, and a
// block's shape meets the vertical flow line at these heights. The pictures carry the lines
// only; the page adds the arrow heads where the flow's direction is known.
inline constexpr int SchemaMidX = 90;
inline constexpr int SchemaMidY = 30;
struct SchemaEdges {
    int top;
    int bottom;
};
inline constexpr SchemaEdges SchemaStartEdges{13, 46};     // "kompbigstart"
inline constexpr SchemaEdges SchemaEndEdges{14, 47};       // "kompbigend"
inline constexpr SchemaEdges SchemaBoxEdges{11, 49};       // "napisz", "przypisz", procedures
inline constexpr SchemaEdges SchemaConditionEdges{5, 55};  // "warunek"

}  // namespace trevalon::layout

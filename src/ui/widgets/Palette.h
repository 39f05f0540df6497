#pragma once

#include <QColor>
#include <QString>

// The program's colours, built around the dark violet RGB(72, 68, 112) that frames every
// window. The windows draw and write their style sheets with these names, and the picture
// maker paints the pictures with them, so that what a window draws where a picture is missing
// matches the picture. A colour that one drawing uses once may stay where it is drawn.
namespace trevalon::palette {

// The violets: window frames, strips and the desk.
inline constexpr QColor violet{72, 68, 112};  // frames every window; fills a missing strip
inline constexpr QColor violetDeep{44, 41, 72};
inline constexpr QColor violetDark{56, 52, 90};
inline constexpr QColor violetMid{98, 92, 150};
inline constexpr QColor violetSoft{150, 145, 200};  // also the edge of lists and text fields
inline constexpr QColor violetGround{64, 60, 102};  // the desk behind the boards and the tabs

// The light lavenders: bodies, rows and selections.
inline constexpr QColor lavender{214, 211, 236};  // also a chosen entry of a list
inline constexpr QColor lavenderLight{236, 234, 246};
inline constexpr QColor lavenderPale{236, 234, 244};  // where a tiled background is missing
inline constexpr QColor rowFill{226, 224, 242};       // a row of the properties window
inline constexpr QColor paper{246, 245, 251};
inline constexpr QColor white{255, 255, 255};

// Texts.
inline constexpr QColor ink{38, 36, 62};          // captions, rows and the schema page
inline constexpr QColor dialogInk{40, 36, 72};    // messages, run dialogs, builders, buttons
inline constexpr QColor fieldInk{0, 0, 64};       // inside lists and text fields
inline constexpr QColor stripInk{226, 224, 244};  // on the strips: titles, menus, status line

// Marks: the active board's title and its chosen cell, a report's doubtful and bad results.
inline constexpr QColor yellow{255, 255, 0};
inline constexpr QColor red{255, 0, 0};
inline constexpr QColor amber{255, 184, 76};
inline constexpr QColor amberInk{156, 92, 0};  // a report's "not determined", read on light rows
inline constexpr QColor teal{14, 206, 216};
// The block a run stands on: an orange frame edged in dark ink over a warm tint, seen on every
// block picture and on the pale cells alike.
inline constexpr QColor runFrame{255, 128, 0};
inline constexpr QColor runEdge{30, 20, 60};
inline constexpr QColor runTint{255, 214, 140};
inline constexpr QColor breakpoint{214, 32, 40};  // the dot of a block where a run pauses
inline constexpr QColor passed{34, 130, 60};      // a test case the project passes
inline constexpr QColor failed{190, 36, 44};      // a test case it fails
inline constexpr QColor magenta{255, 0, 255};     // the cursors' transparent ground

// The flat strips of the window frames.
inline constexpr QColor strip{52, 49, 84};
inline constexpr QColor stripLight{74, 70, 114};
inline constexpr QColor stripShade{34, 32, 56};

// Body of the dialogs, and the band that holds their buttons.
inline constexpr QColor body{244, 243, 250};
inline constexpr QColor buttonBand{230, 228, 243};

// Behind the picture previews and contact sheets.
inline constexpr QColor sheetGrey{120, 120, 128};

// A colour as style sheets write it: "rgb(r, g, b)".
inline QString css(const QColor& colour) {
    return QStringLiteral("rgb(%1, %2, %3)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue());
}

// The style sheet of a text in `colour`.
inline QString textColour(const QColor& colour) {
    return QStringLiteral("color: %1;").arg(css(colour));
}

}  // namespace trevalon::palette

#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <functional>
#include <map>
#include <string>

namespace trevalon::pictures {

// The palette, built around the dark violet RGB(72, 68, 112) that frames every window.
namespace colours {
inline const QColor violet{72, 68, 112};
inline const QColor violetDeep{44, 41, 72};
inline const QColor violetDark{56, 52, 90};
inline const QColor violetMid{98, 92, 150};
inline const QColor violetSoft{150, 145, 200};
inline const QColor lavender{214, 211, 236};
inline const QColor lavenderLight{236, 234, 246};
inline const QColor paper{246, 245, 251};
inline const QColor white{255, 255, 255};
inline const QColor ink{38, 36, 62};
inline const QColor amber{255, 184, 76};
inline const QColor teal{14, 206, 216};
inline const QColor magenta{255, 0, 255};
// The flat strips of the window frames.
inline const QColor strip{52, 49, 84};
inline const QColor stripLight{74, 70, 114};
inline const QColor stripShade{34, 32, 56};
inline const QColor stripInk{226, 224, 244};
// Body of the dialogs, and the band that holds their buttons.
inline const QColor body{244, 243, 250};
inline const QColor buttonBand{230, 228, 243};
}  // namespace colours

// A colour of the block palette: every kind has its hue, with the same saturation and
// lightness, so that the tiles read as one family.
QColor hueFill(int hue);
QColor hueEdge(int hue);
QColor hueTint(int hue);  // very light, for the schema page

// DejaVu Sans at a pixel size.
QFont sans(int pixelSize, bool bold = false);
QFont serif(int pixelSize, bool bold = true);

// A new opaque picture filled with one colour.
QImage canvas(int width, int height, const QColor& fill);

// A painter with anti-aliasing for shapes and text.
void prepare(QPainter& painter);

// Filled arrow head with its tip at `tip`, pointing along (dx, dy) (one of the four axes).
void arrowHead(QPainter& painter, QPointF tip, int dx, int dy, double length, double width,
               const QColor& colour);

// Text centred in a rectangle.
void centredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                 const QColor& colour);

// A recipe draws one picture at its catalogue size.
using Recipe = std::function<QImage()>;
using Recipes = std::map<std::string, Recipe>;

// Every recipe of the picture sources, by picture name.
Recipes allRecipes();

// Loads the DejaVu fonts the pictures are drawn with from `folder`; false (with the file that
// failed in `failed`) when one is missing. Needs a QGuiApplication.
bool loadPictureFonts(const QString& folder, QString* failed = nullptr);

// Each part of the picture sources adds its recipes.
void addBoardPictures(Recipes& recipes);
void addToolbarPictures(Recipes& recipes);
void addFramePictures(Recipes& recipes);
void addDialogPictures(Recipes& recipes);
void addRowPictures(Recipes& recipes);
void addSchemaPictures(Recipes& recipes);
void addBackgroundPictures(Recipes& recipes);
void addCursorPictures(Recipes& recipes);

}  // namespace trevalon::pictures

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

#include "ui/widgets/Palette.h"

namespace trevalon::pictures {

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

// A line from `tail` to a filled head at `tip`, in any direction; the line is `penWidth` wide
// and stops where the head begins.
void slantedArrow(QPainter& painter, QPointF tail, QPointF tip, double penWidth, double length,
                  double width, const QColor& colour);

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

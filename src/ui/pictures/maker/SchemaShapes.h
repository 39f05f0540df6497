#pragma once

#include <QPainter>
#include <QString>

namespace trevalon::pictures {

// Draws the schema page's shape `name` ("kompbigstart", "warunek", ...) in the 180 x 60 box at
// the painter's origin, on whatever ground is there; false for a name that is no shape. The
// embedded pictures are these drawings on white; vector output draws them directly.
bool drawSchemaShape(QPainter& painter, const QString& name);

}  // namespace trevalon::pictures

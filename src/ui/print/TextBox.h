#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace trevalon {

// A paragraph wrapped into a width, at word boundaries where it can and anywhere else where a
// word is longer than the line (formulas have no spaces). Measuring and drawing lay it out the
// same way, so what was measured is what is drawn.
class TextBox {
public:
    // The height the text takes in `width`; at least one line.
    static double height(const QString& text, const QFont& font, double width);
    static void draw(QPainter& painter, const QString& text, const QFont& font, const QRectF& box);
};

}  // namespace trevalon

#include "ui/print/TextBox.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

namespace trevalon {
namespace {

// Lays the text out from the top left; answers the height.
double layOut(QTextLayout& layout, double width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

// A line feed of the text is a new line in the layout.
QString withLineSeparators(const QString& text) {
    QString laid = text;
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return laid;
}

}  // namespace

double TextBox::height(const QString& text, const QFont& font, double width) {
    QTextLayout layout(withLineSeparators(text), font);
    const double height = layOut(layout, width);
    return std::max(height, QFontMetricsF(font).height());
}

void TextBox::draw(QPainter& painter, const QString& text, const QFont& font, const QRectF& box) {
    QTextLayout layout(withLineSeparators(text), font);
    layOut(layout, box.width());
    layout.draw(&painter, box.topLeft());
}

}  // namespace trevalon

#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

#include "edit/SchemaFlow.h"
#include "ui/pictures/PictureSource.h"

namespace trevalon {

struct Board;
struct Cell;
class TextTable;

// The part of a board that the schema shows: from the first used column and row, as many
// columns and rows as are used. A column or row is used when one of its cells holds a block;
// a variable block counts only when variable blocks are drawn.
struct SchemaArea {
    int left = 0;        // first used column, from 1; 0 when nothing is used
    int top = 0;         // first used row, from 1; 0 when nothing is used
    int width = 0;       // used columns
    int height = 0;      // used rows
    int conditions = 0;  // comparison blocks on the board, each a line below the chart

    bool empty() const { return width == 0 || height == 0; }
    friend bool operator==(const SchemaArea&, const SchemaArea&) = default;
};

// One drawn cell: where it stands on the board, its text and the size the text took.
struct SchemaElement {
    int column = 0;
    int row = 0;
    QString text;
    QSize textSize;
};

// The drawn page with what went into it.
struct SchemaPicture {
    SchemaArea area;
    QImage page;  // null when the area is empty: there is nothing to draw
    std::vector<SchemaElement> elements;
    QStringList conditions;
};

// The schema overview's page: the board as a classic flowchart on white, each block a
// 180 x 60 picture of its shape with one line of text, the conditions listed below. Plain
// QtGui drawing (needs a QGuiApplication for the text, nothing else), so that the command
// line can draw it offscreen too.
class SchemaPage {
public:
    static constexpr int ShapeWidth = 180;
    static constexpr int ShapeHeight = 60;
    static constexpr int ConditionPitch = 18;
    static constexpr int ConditionLeft = 50;
    static constexpr int ConditionTop = 30;  // below the last row of shapes
    static constexpr int BottomMargin = 50;

    // Every cell of the board's columns x rows is looked at; nothing outside them is drawn.
    static SchemaArea visibleArea(const Board& board, bool withVariables);
    // width x 180 by height x 60 + conditions x 18 + 50; empty for an empty area.
    static QSize pageSize(const SchemaArea& area);

    // The shape picture of a block of `kindCode` with `mode` ("kompbigstart", ...;
    // BlockCatalogue::schemaShape); empty for a code that is not a kind.
    static QString shapeName(int kindCode, int mode);
    // The line written inside a block's shape. `condition` numbers comparison blocks from 1.
    static QString elementText(const Cell& cell, const TextTable& texts, int condition);
    // The line listed below the chart for a comparison block.
    static QString conditionLine(const Cell& cell, const TextTable& texts, int condition);
    // "=", ">", "<", ">=", "<=", "<>" for the stored codes 0..5.
    static QString relation(int mode);
    // The first `length` characters and "..." when the text is longer.
    static QString cut(const QString& text, int length);

    // Draws the page in `font`: every occupied cell of the area, column by column and within
    // a column row by row (variable blocks only with `withVariables`), then the conditions.
    static SchemaPicture draw(const Board& board, const TextTable& texts, bool withVariables,
                              const QFont& font);
    // Paints the same page into `painter` at its origin, in page units, on whatever ground is
    // there; the picture it returns has no image. The font is taken at its pixel size, so
    // that a printer's or a PDF's resolution does not change the text's size on the page.
    static SchemaPicture paint(QPainter& painter, const Board& board, const TextTable& texts,
                               bool withVariables, const QFont& font, PictureSource source);
};

}  // namespace trevalon

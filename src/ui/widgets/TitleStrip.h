#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/pictures/PictureLayout.h"
#include "ui/widgets/Palette.h"

class QLabel;
class QPainter;

namespace trevalon {

class ClickLabel;
class DragLabel;

// The title strip of our frameless windows: a band across the top of the window holding the
// title, by which the window is dragged, and marks (collapse, close, maximise, a menu sign)
// placed from either edge. The main window drags by its whole strip and shows its header in
// a label of its own over it. The strip draws its picture behind them, unless the window's
// background already carries the strip.
//
// The strip is a child of `window` and lives as long as it. Clicks between its marks go on to
// the window, as they would without the strip.
class TitleStrip : public QWidget {
public:
    // Height of the strips of the companion windows and dialogs.
    static constexpr int Height = layout::DialogTitleHeight;

    // Where the strip and its title lie, and what it draws.
    struct Shape {
        int top = 0;  // in the window
        int height = Height;
        int titleLeft = 4;   // the title runs from here...
        int titleRight = 0;  // ...to this far short of the right edge
        int markTop = layout::StripMarkTop;
        // The title's colour, in bold; an invalid colour leaves the title without a style of
        // its own (the window styles it later).
        QColor titleInk = palette::white;
        // Tiled across the strip; empty when the window's background carries the strip.
        QString picture{};
    };

    enum Edge { Left, Right };
    // A mark's place: its left side `offset` pixels in from the left edge, or `offset` pixels
    // short of the right edge.
    struct Place {
        Edge edge = Right;
        int offset = 0;
        QSize size{16, 16};
    };

    TitleStrip(QWidget& window, const Shape& shape,
               const QString& objectName = QStringLiteral("PListwa"));

    // The strip of the companion windows (the properties and the report): the title on the
    // "listwa" picture, the collapse mark and the close mark `LCloseWlasnosci`.
    static TitleStrip* companion(QWidget& window, const QString& closeHint,
                                 std::function<void()> collapse, std::function<void()> close);

    DragLabel* title() const { return m_title; }
    // The title in bold `ink` from now on.
    void setTitleInk(const QColor& ink);

    // A mark that calls `onClicked` when clicked; `picture` may be null when the window's
    // background shows the mark.
    ClickLabel* addMark(const char* objectName, const char* picture, const Place& place,
                        std::function<void()> onClicked);
    // The collapse mark `LZminMale`, "Zwiń/Rozwiń".
    ClickLabel* addCollapse(const Place& place, std::function<void()> onClicked);
    // A mark that only shows.
    QLabel* addSign(const char* objectName, const char* picture, const Place& place);
    // A header over the title, from `left` to `right` pixels short of the right edge, that
    // leaves the mouse to the title under it. Bold, in `ink`.
    QLabel* addHeader(const char* objectName, int left, int right,
                      const QColor& ink = palette::white);

    // Spans the strip across a window `width` pixels wide and places the title, the header
    // and the marks.
    void span(int width);

    // Draws `picture` tiled across `area`, or a plain band in the window colour when the
    // picture is missing.
    static void paintPicture(QPainter& painter, const QString& picture, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Placed {
        QLabel* label;
        Place place;
    };

    void place(QLabel* label, const char* objectName, const char* picture, const Place& where);
    static QString boldStyle(const QColor& ink);

    Shape m_shape;
    DragLabel* m_title = nullptr;
    QLabel* m_header = nullptr;
    int m_headerLeft = 0;
    int m_headerRight = 0;
    std::vector<Placed> m_marks;
};

}  // namespace trevalon

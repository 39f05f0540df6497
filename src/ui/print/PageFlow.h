#pragma once

#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QPainter;

namespace trevalon {

// Lays a document out onto pages, top to bottom, and paints the pages. Units are typographic
// points (1/72 inch) from the top left of the page's printable area; the header line (the
// document's title) and the footer (the page number) take their share of it. Nothing is cut:
// a picture is scaled down to fit a page, a table goes on over as many pages as it needs with
// its header row again on each, a heading never ends a page.
class PageFlow {
public:
    // A picture of `size` in its own units, drawn by `paint` at its origin in those units.
    using Painting = std::function<void(QPainter&)>;

    // `area` is the printable area of a page, in points.
    explicit PageFlow(const QSizeF& area);

    // The largest scale of a picture: its units as screen pixels at 96 per inch.
    static constexpr double ScreenScale = 72.0 / 96.0;

    // Level 0 is the document's title, 1 a section, 2 a subsection. A heading starts a new
    // page unless `keep` points of what follows it fit below it.
    static constexpr double KeepWithHeading = 90;
    void heading(const QString& text, int level, double keep = KeepWithHeading);
    void paragraph(const QString& text, bool muted = false);
    // Lines in a fixed-width font, each kept whole where it fits.
    void preformatted(const QStringList& lines);
    // Scaled to the width (and height) left for it, never above `maxScale`.
    void picture(const QSizeF& size, const Painting& paint, double maxScale = ScreenScale);
    // The least height `picture` gives a picture on the page it starts, for a heading's `keep`.
    double pictureHeight(const QSizeF& size, double maxScale = ScreenScale) const;
    // Columns take `shares` of the width (they need not add up to 1); every cell wraps.
    void table(const std::vector<double>& shares, const QStringList& header,
               const std::vector<QStringList>& rows);
    void newPage();

    int pageCount() const { return static_cast<int>(m_pages.size()); }

    // Paints page `index` (from 0); `title` stands at the top of the page, `footer` at its
    // bottom in the middle.
    void paintPage(QPainter& painter, int index, const QString& title, const QString& footer) const;

    // Sizes in points.
    static QFont font(int size, bool bold = false, bool fixed = false);

private:
    struct Item {
        QRectF box;
        std::function<void(QPainter&, const QRectF&)> draw;
    };
    using Page = std::vector<Item>;

    double bodyTop() const;
    double bodyBottom() const;
    double room() const { return bodyBottom() - m_y; }
    // Starts a new page unless `height` still fits on this one.
    void ensureRoom(double height);
    void place(double height, std::function<void(QPainter&, const QRectF&)> draw);
    void tableRow(const std::vector<double>& widths, const QStringList& cells, bool header);
    static std::vector<double> rowHeights(const std::vector<double>& widths,
                                          const QStringList& cells, const QFont& font);

    QSizeF m_area;
    std::vector<Page> m_pages;
    double m_y = 0;
};

}  // namespace trevalon

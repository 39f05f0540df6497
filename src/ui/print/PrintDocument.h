#pragma once

#include <QByteArray>
#include <QString>

#include "ui/print/PrintRequest.h"

class QPagedPaintDevice;

namespace trevalon {

// The printed and exported documents: A4 pages with a title line and "Strona 1 z 3" in the
// source's language, for any paged device (a printer, its preview, a PDF writer); and single
// pictures as SVG, their texts kept as text. Needs a QGuiApplication for the fonts, never a
// widget.
class PrintDocument {
public:
    // A4 portrait with margins of 15 mm: what a document is laid out for unless the user
    // chose another paper in the print dialog.
    static void preparePage(QPagedPaintDevice& device);
    // Lays the document out on the device's pages as they are set and paints it. Answers
    // the number of pages; 0 when there is nothing to print (no chosen board holds a block),
    // and then nothing is painted.
    static int print(QPagedPaintDevice& device, const PrintSource& source,
                     const PrintRequest& request);
    // The document as a PDF file's bytes; empty when there is nothing to print. `pages` gets
    // the page count.
    static QByteArray pdf(const PrintSource& source, const PrintRequest& request,
                          int* pages = nullptr);
    // The request's board as its window shows it (ActiveBoard) or its flowchart page (any
    // other content) as an SVG drawing of the picture's own size; empty when the board has
    // nothing to draw.
    static QByteArray svg(const PrintSource& source, const PrintRequest& request);

    // Whether the request has something to print: the chosen boards hold a block.
    static bool hasContent(const PrintSource& source, const PrintRequest& request);
    // The title the documents carry: the project's name and what the document shows.
    static QString title(const PrintSource& source, const PrintRequest& request);
};

}  // namespace trevalon

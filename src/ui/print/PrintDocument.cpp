#include "ui/print/PrintDocument.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "edit/FrameMap.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"
#include "ui/board/BoardPicture.h"
#include "ui/print/PageFlow.h"
#include "ui/print/WorksheetTables.h"
#include "ui/schema/SchemaPage.h"

namespace trevalon {
namespace {

constexpr double MarginMillimetres = 15;
// A cell of a board on a worksheet is about 7 mm wide.
constexpr double WorksheetBoardScale = 0.5;
// Fine enough for the pictures' lines; the texts and shapes stay vectors anyway.
constexpr int PdfResolution = 300;

// The schema window's text: 9 points on a screen of 96 pixels per inch.
QFont schemaFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    return font;
}

int chosenBoard(const PrintSource& source, const PrintRequest& request) {
    return request.board > 0 ? request.board : source.project.activeBoard;
}

bool boardHasBlocks(const Project& project, int n) {
    return n >= 1 && n <= project.boardCount && project.board(n).occupiedCount() > 0;
}

QString boardHeading(const Project& project, int n, const TextTable& texts) {
    const Board& board = project.board(n);
    return texts.text(texts::WorksheetBoardHeading)
        .arg(n)
        .arg(board.name, texts.text(BlockCatalogue::boardKindText(board.kind)));
}

QSizeF boardSize(const Board& board) {
    return BoardPicture::size(board);
}

void paintBoard(QPainter& p, const Board& board) {
    BoardPicture::paint(p, board, FrameMap(), QRect(), {}, PictureSource::Drawings);
}

QSizeF schemaSize(const PrintSource& source, const Board& board) {
    return SchemaPage::pageSize(SchemaPage::visibleArea(board, source.schemaVariables));
}

void paintSchema(QPainter& p, const PrintSource& source, const Board& board) {
    SchemaPage::paint(p, board, source.texts, source.schemaVariables, schemaFont(),
                      PictureSource::Drawings);
}

void addBoard(PageFlow& flow, const PrintSource& source, int n, int level,
              double maxScale = PageFlow::ScreenScale) {
    const Board& board = source.project.board(n);
    flow.heading(boardHeading(source.project, n, source.texts), level,
                 flow.pictureHeight(boardSize(board), maxScale));
    flow.picture(
        boardSize(board), [&board](QPainter& p) { paintBoard(p, board); }, maxScale);
}

void addSchema(PageFlow& flow, const PrintSource& source, int n, const QString& heading,
               int level) {
    const Board& board = source.project.board(n);
    const QSizeF size = schemaSize(source, board);
    if (size.isEmpty()) {
        return;
    }
    flow.heading(heading, level, flow.pictureHeight(size));
    flow.picture(size, [&source, &board](QPainter& p) { paintSchema(p, source, board); });
}

void addWorksheet(PageFlow& flow, const PrintSource& source) {
    const TextTable& texts = source.texts;
    flow.heading(texts.text(texts::WorksheetProject).arg(source.projectName), 0);
    flow.heading(texts.text(texts::WorksheetNote), 2, 20);
    const QString note = source.project.note.trimmed();
    flow.paragraph(note.isEmpty() ? texts.text(texts::WorksheetNoteEmpty) : note, note.isEmpty());
    for (const int n : boardsInUse(source.project)) {
        // On a worksheet the board is the key to the flowchart below it, which is read: a
        // smaller board leaves the flowchart room on the same page.
        addBoard(flow, source, n, 1, WorksheetBoardScale);
        addSchema(flow, source, n, texts.text(texts::WorksheetFlowchart), 2);
    }
    const WorksheetTables tables = WorksheetTables::of(source.project, texts);
    flow.heading(texts.text(texts::WorksheetVariables), 1);
    if (tables.variables.empty()) {
        flow.paragraph(texts.text(texts::WorksheetNoVariables), true);
    } else {
        flow.table({1.3, 1.3, 1, 1, 1.6}, WorksheetTables::variableHeader(texts), tables.variables);
    }
    flow.heading(texts.text(texts::WorksheetBlocks), 1);
    if (tables.blocks.empty()) {
        flow.paragraph(texts.text(texts::WorksheetNoBlocks), true);
    } else {
        flow.table({1.2, 1.5, 1.5, 2.2, 1.6}, WorksheetTables::blockHeader(texts), tables.blocks);
    }
    if (!source.checkLines.isEmpty()) {
        flow.heading(texts.text(texts::WorksheetCheck), 1, 60);
        flow.preformatted(source.checkLines);
    }
}

void layOut(PageFlow& flow, const PrintSource& source, const PrintRequest& request) {
    const int n = chosenBoard(source, request);
    switch (request.content) {
        case PrintContent::ActiveBoard:
            addBoard(flow, source, n, 1);
            break;
        case PrintContent::AllBoards:
            for (const int each : boardsInUse(source.project)) {
                addBoard(flow, source, each, 1);
            }
            break;
        case PrintContent::Schema:
            addSchema(flow, source, n, boardHeading(source.project, n, source.texts), 1);
            break;
        case PrintContent::Worksheet:
            addWorksheet(flow, source);
            break;
    }
}

// What the request shows, in words: the document's title and its pages' title line.
int contentText(PrintContent content) {
    switch (content) {
        case PrintContent::ActiveBoard:
            return texts::PrintActiveBoard;
        case PrintContent::AllBoards:
            return texts::PrintAllBoards;
        case PrintContent::Schema:
            // Not "of the active board": the command line draws any board.
            return texts::WorksheetFlowchart;
        case PrintContent::Worksheet:
            break;
    }
    return texts::WorksheetTitle;
}

// The picture drawn by `paint` into an SVG drawing of `size`, on white.
QByteArray svgOf(const QSize& size, const QString& title,
                 const std::function<void(QPainter&)>& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(), size));
    generator.setTitle(title);
    generator.setResolution(96);
    QPainter p(&generator);
    p.fillRect(QRect(QPoint(), size), Qt::white);
    paint(p);
    p.end();
    return buffer.data();
}

}  // namespace

bool PrintDocument::hasContent(const PrintSource& source, const PrintRequest& request) {
    const int n = chosenBoard(source, request);
    switch (request.content) {
        case PrintContent::ActiveBoard:
            return boardHasBlocks(source.project, n);
        case PrintContent::Schema:
            return boardHasBlocks(source.project, n) &&
                   !schemaSize(source, source.project.board(n)).isEmpty();
        case PrintContent::AllBoards:
        case PrintContent::Worksheet:
            return !boardsInUse(source.project).empty();
    }
    return false;
}

QString PrintDocument::title(const PrintSource& source, const PrintRequest& request) {
    return source.projectName + QStringLiteral(" — ") +
           source.texts.text(contentText(request.content));
}

void PrintDocument::preparePage(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres),
        QPageLayout::Millimeter));
}

int PrintDocument::print(QPagedPaintDevice& device, const PrintSource& source,
                         const PrintRequest& request) {
    if (!hasContent(source, request)) {
        return 0;
    }
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Point);
    PageFlow flow(area.size());
    layOut(flow, source, request);
    QPainter p;
    if (!p.begin(&device)) {
        return 0;
    }
    p.setRenderHint(QPainter::Antialiasing);
    // The pages are laid out in points; the device counts its own dots.
    const double scale = device.logicalDpiX() / 72.0;
    const QString heading = title(source, request);
    const int pages = flow.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0) {
            device.newPage();
        }
        p.save();
        p.scale(scale, scale);
        flow.paintPage(p, i, heading, source.texts.text(texts::PageNumber).arg(i + 1).arg(pages));
        p.restore();
    }
    p.end();
    return pages;
}

QByteArray PrintDocument::pdf(const PrintSource& source, const PrintRequest& request, int* pages) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int printed = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setTitle(title(source, request));
        writer.setCreator(QStringLiteral("Trevalon"));
        preparePage(writer);
        printed = print(writer, source, request);
    }
    if (pages) {
        *pages = printed;
    }
    return printed > 0 ? buffer.data() : QByteArray();
}

QByteArray PrintDocument::svg(const PrintSource& source, const PrintRequest& request) {
    const int n = chosenBoard(source, request);
    if (!boardHasBlocks(source.project, n)) {
        return {};
    }
    const Board& board = source.project.board(n);
    const QString heading = title(source, request);
    if (request.content == PrintContent::ActiveBoard) {
        return svgOf(BoardPicture::size(board), heading,
                     [&board](QPainter& p) { paintBoard(p, board); });
    }
    const QSize size = schemaSize(source, board).toSize();
    if (size.isEmpty()) {
        return {};
    }
    return svgOf(size, heading, [&source, &board](QPainter& p) { paintSchema(p, source, board); });
}

}  // namespace trevalon

#include "ui/print/PageFlow.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <numeric>

#include "ui/print/TextBox.h"

namespace trevalon {
namespace {

// The page's furniture, in points.
constexpr double HeaderHeight = 22;
constexpr double FooterHeight = 22;
constexpr double CellPadding = 3;
constexpr double Gap = 6;
// A picture goes onto what is left of a page when it keeps this share of its size there.
constexpr double ShrinkToFit = 2.0 / 3.0;

// The program's dark violet for headings and rules, a light tint of it for table headers.
const QColor Ink(72, 68, 112);
const QColor HeaderTint(228, 226, 240);
const QColor StripeTint(246, 245, 250);
const QColor Grid(150, 146, 176);
const QColor Muted(96, 96, 96);

constexpr int BodySize = 10;
constexpr int TableSize = 8;
constexpr int HeadingSizes[] = {18, 13, 11};

}  // namespace

QFont PageFlow::font(int size, bool bold, bool fixed) {
    QFont font(fixed ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    // A pixel size in a painter scaled to points is the same size on every device; a point
    // size would be scaled by the device's resolution a second time.
    font.setPixelSize(size);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

PageFlow::PageFlow(const QSizeF& area) : m_area(area) {
    newPage();
}

double PageFlow::bodyTop() const {
    return HeaderHeight;
}

double PageFlow::bodyBottom() const {
    return m_area.height() - FooterHeight;
}

void PageFlow::newPage() {
    m_pages.emplace_back();
    m_y = bodyTop();
}

void PageFlow::ensureRoom(double height) {
    if (height > room() && m_y > bodyTop()) {
        newPage();
    }
}

void PageFlow::place(double height, std::function<void(QPainter&, const QRectF&)> draw) {
    m_pages.back().push_back({QRectF(0, m_y, m_area.width(), height), std::move(draw)});
    m_y += height;
}

void PageFlow::heading(const QString& text, int level, double keep) {
    level = std::clamp(level, 0, 2);
    const QFont face = font(HeadingSizes[level], true);
    const double width = m_area.width();
    const double height = TextBox::height(text, face, width);
    const double before = m_y > bodyTop() ? (level == 0 ? 6 : 10) : 0;
    ensureRoom(before + height + 4 + keep);
    if (m_y > bodyTop()) {
        m_y += before;
    }
    const double rule = level < 2 ? 4 : 0;
    place(height + rule, [text, face, height, level](QPainter& p, const QRectF& box) {
        p.setPen(Ink);
        TextBox::draw(p, text, face, QRectF(box.topLeft(), QSizeF(box.width(), height)));
        if (level < 2) {
            p.setPen(QPen(Ink, level == 0 ? 1.2 : 0.6));
            p.drawLine(QPointF(box.left(), box.bottom() - 1.5),
                       QPointF(box.right(), box.bottom() - 1.5));
        }
    });
    m_y += 4;
}

void PageFlow::paragraph(const QString& text, bool muted) {
    const QFont face = font(BodySize);
    const double height = TextBox::height(text, face, m_area.width());
    ensureRoom(height);
    place(height, [text, face, muted](QPainter& p, const QRectF& box) {
        p.setPen(muted ? Muted : Qt::black);
        TextBox::draw(p, text, face, box);
    });
    m_y += Gap;
}

void PageFlow::preformatted(const QStringList& lines) {
    const QFont face = font(TableSize, false, true);
    for (const QString& line : lines) {
        const double height = TextBox::height(line, face, m_area.width());
        ensureRoom(height);
        place(height, [line, face](QPainter& p, const QRectF& box) {
            p.setPen(Qt::black);
            TextBox::draw(p, line, face, box);
        });
    }
    m_y += Gap;
}

double PageFlow::pictureHeight(const QSizeF& size, double maxScale) const {
    if (size.isEmpty()) {
        return 0;
    }
    const double wholePage = bodyBottom() - bodyTop();
    const double scale =
        std::min({maxScale, m_area.width() / size.width(), wholePage / size.height()});
    return size.height() * scale * ShrinkToFit;
}

void PageFlow::picture(const QSizeF& size, const Painting& paint, double maxScale) {
    if (size.isEmpty()) {
        return;
    }
    const double wholePage = bodyBottom() - bodyTop();
    double scale = std::min({maxScale, m_area.width() / size.width(), wholePage / size.height()});
    // On what is left of this page when it fits there at no less than two thirds of its size.
    const double here = std::min(scale, room() / size.height());
    if (here >= scale * ShrinkToFit) {
        scale = here;
    } else {
        newPage();
    }
    const QSizeF drawn = size * scale;
    const double left = (m_area.width() - drawn.width()) / 2;
    place(drawn.height(), [paint, scale, left](QPainter& p, const QRectF& box) {
        p.save();
        p.translate(box.left() + left, box.top());
        p.scale(scale, scale);
        paint(p);
        p.restore();
    });
    m_y += Gap;
}

std::vector<double> PageFlow::rowHeights(const std::vector<double>& widths,
                                         const QStringList& cells, const QFont& font) {
    std::vector<double> heights;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const QString text = i < static_cast<std::size_t>(cells.size()) ? cells[i] : QString();
        heights.push_back(TextBox::height(text, font, widths[i] - 2 * CellPadding) +
                          2 * CellPadding);
    }
    return heights;
}

void PageFlow::tableRow(const std::vector<double>& widths, const QStringList& cells, bool header) {
    const QFont face = font(TableSize, header);
    const std::vector<double> heights = rowHeights(widths, cells, face);
    const double height = *std::max_element(heights.begin(), heights.end());
    const bool stripe = !header && m_pages.back().size() % 2 == 0;
    place(height, [widths, cells, face, header, stripe](QPainter& p, const QRectF& box) {
        if (header || stripe) {
            p.fillRect(box, header ? HeaderTint : StripeTint);
        }
        p.setPen(QPen(Grid, 0.5));
        p.drawRect(box);
        double x = box.left();
        for (std::size_t i = 0; i < widths.size(); ++i) {
            if (i > 0) {
                p.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
            }
            const QRectF cell(x + CellPadding, box.top() + CellPadding, widths[i] - 2 * CellPadding,
                              box.height() - 2 * CellPadding);
            p.setPen(header ? Ink : Qt::black);
            TextBox::draw(p, i < static_cast<std::size_t>(cells.size()) ? cells[i] : QString(),
                          face, cell);
            p.setPen(QPen(Grid, 0.5));
            x += widths[i];
        }
    });
}

void PageFlow::table(const std::vector<double>& shares, const QStringList& header,
                     const std::vector<QStringList>& rows) {
    const double total = std::accumulate(shares.begin(), shares.end(), 0.0);
    std::vector<double> widths;
    for (const double share : shares) {
        widths.push_back(m_area.width() * share / total);
    }
    const QFont headerFace = font(TableSize, true);
    const QFont rowFace = font(TableSize);
    const auto heightOf = [&widths](const QStringList& cells, const QFont& face) {
        const std::vector<double> heights = rowHeights(widths, cells, face);
        return *std::max_element(heights.begin(), heights.end());
    };
    const double headerHeight = heightOf(header, headerFace);
    ensureRoom(headerHeight + (rows.empty() ? 0 : heightOf(rows.front(), rowFace)));
    tableRow(widths, header, true);
    for (const QStringList& row : rows) {
        if (heightOf(row, rowFace) > room()) {
            newPage();
            tableRow(widths, header, true);
        }
        tableRow(widths, row, false);
    }
    m_y += Gap * 2;
}

void PageFlow::paintPage(QPainter& p, int index, const QString& title,
                         const QString& footer) const {
    const QFont small = font(8);
    p.save();
    p.setFont(small);
    p.setPen(Muted);
    const QFontMetricsF metrics(small);
    p.drawText(QRectF(0, 0, m_area.width(), HeaderHeight - 8), Qt::AlignLeft | Qt::AlignBottom,
               metrics.elidedText(title, Qt::ElideRight, m_area.width()));
    p.setPen(QPen(Grid, 0.5));
    p.drawLine(QPointF(0, HeaderHeight - 5), QPointF(m_area.width(), HeaderHeight - 5));
    p.setPen(Muted);
    p.drawText(QRectF(0, bodyBottom() + 6, m_area.width(), FooterHeight - 6),
               Qt::AlignHCenter | Qt::AlignBottom, footer);
    p.restore();
    for (const Item& item : m_pages.at(static_cast<std::size_t>(index))) {
        p.save();
        item.draw(p, item.box);
        p.restore();
    }
}

}  // namespace trevalon

#include "ui/widgets/TitleStrip.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "ui/pictures/Pictures.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"

namespace trevalon {

TitleStrip::TitleStrip(QWidget& window, const Shape& shape, const QString& objectName)
    : QWidget(&window), m_shape(shape) {
    setObjectName(objectName);
    m_title = new DragLabel(this);
    m_title->setObjectName(QStringLiteral("LListwa"));
    if (m_shape.titleInk.isValid()) {
        m_title->setStyleSheet(boldStyle(m_shape.titleInk));
    }
}

TitleStrip* TitleStrip::companion(QWidget& window, const QString& closeHint,
                                  std::function<void()> collapse, std::function<void()> close) {
    auto* strip = new TitleStrip(window, {.titleRight = 42, .picture = QStringLiteral("listwa")});
    strip->addCollapse({Right, 40}, std::move(collapse));
    strip->addMark("LCloseWlasnosci", "ikozamknij", {Right, 20}, std::move(close))
        ->setToolTip(closeHint);
    return strip;
}

void TitleStrip::setTitleInk(const QColor& ink) {
    m_title->setStyleSheet(boldStyle(ink));
}

QString TitleStrip::boldStyle(const QColor& ink) {
    return palette::textColour(ink) + QStringLiteral(" font-weight: bold;");
}

void TitleStrip::place(QLabel* label, const char* objectName, const char* picture,
                       const Place& where) {
    label->setObjectName(QLatin1String(objectName));
    if (picture) {
        label->setPixmap(pictures::pixmap(QLatin1String(picture)));
    }
    m_marks.push_back({label, where});
}

ClickLabel* TitleStrip::addMark(const char* objectName, const char* picture, const Place& place,
                                std::function<void()> onClicked) {
    auto* mark = new ClickLabel(this);
    this->place(mark, objectName, picture, place);
    mark->onClicked = std::move(onClicked);
    return mark;
}

ClickLabel* TitleStrip::addCollapse(const Place& place, std::function<void()> onClicked) {
    ClickLabel* mark = addMark("LZminMale", "ikozwin", place, std::move(onClicked));
    mark->setToolTip(QStringLiteral("Zwiń/Rozwiń"));
    return mark;
}

QLabel* TitleStrip::addSign(const char* objectName, const char* picture, const Place& place) {
    auto* sign = new QLabel(this);
    this->place(sign, objectName, picture, place);
    return sign;
}

QLabel* TitleStrip::addHeader(const char* objectName, int left, int right, const QColor& ink) {
    m_header = new QLabel(this);
    m_header->setObjectName(QLatin1String(objectName));
    m_header->setTextFormat(Qt::PlainText);  // it names the project
    m_header->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_header->setStyleSheet(boldStyle(ink));
    m_headerLeft = left;
    m_headerRight = right;
    return m_header;
}

void TitleStrip::span(int width) {
    const int h = m_shape.height;
    setGeometry(0, m_shape.top, width, h);
    m_title->setGeometry(m_shape.titleLeft, 0,
                         std::max(0, width - m_shape.titleLeft - m_shape.titleRight), h);
    if (m_header) {
        m_header->setGeometry(m_headerLeft, 0, std::max(0, width - m_headerLeft - m_headerRight),
                              h);
    }
    for (const Placed& mark : m_marks) {
        const Place& at = mark.place;
        const int x = at.edge == Left ? at.offset : width - at.offset;
        mark.label->setGeometry(QRect(QPoint(x, m_shape.markTop), at.size));
    }
}

void TitleStrip::paintPicture(QPainter& painter, const QString& picture, const QRect& area) {
    const QImage image = pictures::image(picture);
    if (image.isNull()) {
        painter.fillRect(area, palette::violet);
    } else {
        painter.drawTiledPixmap(area, QPixmap::fromImage(image));
    }
}

void TitleStrip::paintEvent(QPaintEvent*) {
    if (!m_shape.picture.isEmpty()) {
        QPainter p(this);
        paintPicture(p, m_shape.picture, rect());
    }
}

}  // namespace trevalon

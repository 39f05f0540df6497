#include "ui/board/BoardImage.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/widgets/Palette.h"

namespace trevalon {

BoardImage::BoardImage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ImGlowny"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardImage::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void BoardImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette::violet);
    p.drawImage(0, 0, m_picture);
}

void BoardImage::mousePressEvent(QMouseEvent* event) {
    if (onPressed) {
        onPressed(event);
    }
}

void BoardImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (onDragged && (event->buttons() & Qt::LeftButton)) {
        onDragged(at);
    }
    if (onMoved) {
        onMoved(at);
    }
}

}  // namespace trevalon

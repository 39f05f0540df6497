#include "ui/board/BoardImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "ui/widgets/Palette.h"

namespace trevalon {
namespace {

constexpr int kNotch = 120;  // one notch of a mouse wheel, in eighths of a degree

}  // namespace

BoardImage::BoardImage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ImGlowny"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardImage::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

QPoint BoardImage::toBoard(const QPointF& position) const {
    const qreal scale = m_zoom / 100.0;
    return {int(std::floor(position.x() / scale)), int(std::floor(position.y() / scale))};
}

void BoardImage::paintEvent(QPaintEvent*) {
    if (onRatioChanged && !m_picture.isNull() &&
        m_picture.devicePixelRatio() != devicePixelRatioF()) {
        onRatioChanged();
    }
    QPainter p(this);
    p.fillRect(rect(), palette::violet);
    p.drawImage(0, 0, m_picture);
}

void BoardImage::mousePressEvent(QMouseEvent* event) {
    if (onPressed) {
        onPressed(event, toBoard(event->position()));
    }
}

void BoardImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = toBoard(event->position());
    if (onDragged && (event->buttons() & Qt::LeftButton)) {
        onDragged(at);
    }
    if (onMoved) {
        onMoved(at);
    }
}

// Without Ctrl the wheel scrolls the board's view, as it always did.
void BoardImage::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || !onZoomWheel) {
        m_wheelRest = 0;
        event->ignore();
        return;
    }
    event->accept();
    m_wheelRest += event->angleDelta().y();
    const int notches = m_wheelRest / kNotch;
    m_wheelRest -= notches * kNotch;
    if (notches != 0) {
        onZoomWheel(notches, event->position().toPoint());
    }
}

}  // namespace trevalon

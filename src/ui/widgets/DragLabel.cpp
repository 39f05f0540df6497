#include "ui/widgets/DragLabel.h"

#include <QMouseEvent>

namespace trevalon {

DragLabel::DragLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void DragLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_last = event->globalPosition().toPoint();
    if (onPressed) {
        onPressed();
    }
}

void DragLabel::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) {
        return;
    }
    const QPoint now = event->globalPosition().toPoint();
    const QPoint travel = now - m_last;
    m_last = now;
    if (travel.isNull()) {
        return;
    }
    if (onDragged) {
        onDragged(travel);
    } else {
        window()->move(window()->pos() + travel);
    }
}

void DragLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton) {
        return;
    }
    m_dragging = false;
    if (onReleased) {
        onReleased();
    }
}

}  // namespace trevalon

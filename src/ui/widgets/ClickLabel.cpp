#include "ui/widgets/ClickLabel.h"

#include <QMouseEvent>

namespace trevalon {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : ClickLabel(parent) {
    setText(text);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()) && onClicked) {
        onClicked();
    }
}

}  // namespace trevalon

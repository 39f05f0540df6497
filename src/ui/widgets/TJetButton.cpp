#include "ui/widgets/TJetButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/widgets/Palette.h"

namespace trevalon {

TJetButton::TJetButton(int tag, QWidget* parent) : QWidget(parent), m_tag(tag) {
    setCursor(Qt::PointingHandCursor);
}

void TJetButton::setFaces(const QPixmap& up, const QPixmap& over, const QPixmap& chosen) {
    m_up = up;
    m_over = over;
    m_chosenFace = chosen;
    update();
}

void TJetButton::setCaption(const QString& caption) {
    m_caption = caption;
    update();
}

void TJetButton::setChosen(bool chosen) {
    m_chosen = chosen;
    update();
}

void TJetButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap& face = m_chosen ? m_chosenFace : (m_hovered && isEnabled() ? m_over : m_up);
    if (!face.isNull()) {
        p.drawPixmap(rect(), face);
    } else {
        p.fillRect(rect(), palette::lavenderPale);
        p.setPen(palette::violet);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (!isEnabled() && !m_chosen) {
        p.fillRect(rect(), QColor(255, 255, 255, 140));
    }
    if (!m_caption.isEmpty()) {
        p.setPen(palette::dialogInk);
        p.drawText(rect(), Qt::AlignCenter, m_caption);
    }
}

void TJetButton::enterEvent(QEnterEvent*) {
    m_hovered = true;
    update();
    if (onHovered) {
        onHovered(m_tag);
    }
}

void TJetButton::leaveEvent(QEvent*) {
    m_hovered = false;
    update();
}

void TJetButton::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
}

void TJetButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && !m_chosen && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()) && onClicked) {
        onClicked(m_tag);
    }
}

}  // namespace trevalon

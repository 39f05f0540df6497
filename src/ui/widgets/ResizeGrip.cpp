#include "ui/widgets/ResizeGrip.h"

#include <QMouseEvent>

#include "ui/pictures/Pictures.h"
#include "ui/widgets/TDotFrame.h"

namespace trevalon {

ResizeGrip::ResizeGrip(QWidget& window, Sizer sizer, Allowed allowed)
    : QLabel(&window),
      m_window(window),
      m_sizer(std::move(sizer)),
      m_allowed(std::move(allowed)),
      m_frame(std::make_unique<TDotFrame>()) {
    setPixmap(pictures::pixmap(QStringLiteral("uchwyt")));
    setCursor(Qt::SizeFDiagCursor);
}

ResizeGrip::~ResizeGrip() = default;

void ResizeGrip::cancel() {
    m_dragging = false;
    m_frame->hide();
}

void ResizeGrip::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (!m_allowed()) {
        return;
    }
    m_dragging = true;
    mouseMoveEvent(event);
    m_frame->show();
}

void ResizeGrip::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (m_dragging) {
        m_frame->setFrameRect(QRect(m_window.pos(), event->globalPosition().toPoint()));
    }
}

void ResizeGrip::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!m_dragging) {
        return;
    }
    cancel();
    const QPoint dragged = event->globalPosition().toPoint() - m_window.pos();
    m_window.resize(m_sizer(QSize(dragged.x(), dragged.y())));
}

}  // namespace trevalon

#include "ui/widgets/TDotFrame.h"

#include <QPainter>

#include "ui/widgets/Palette.h"

namespace trevalon {

TDotFrame::TDotFrame()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput) {
    setObjectName(QStringLiteral("Rameczka"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void TDotFrame::setFrameRect(const QRect& rect) {
    m_rect = rect.normalized();
    setGeometry(m_rect);
    update();
}

void TDotFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QPen pen(palette::violet, LineWidth, Qt::DotLine);
    p.setPen(pen);
    const int inset = LineWidth / 2 + 1;
    p.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
}

}  // namespace trevalon

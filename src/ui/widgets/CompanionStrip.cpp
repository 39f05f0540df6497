#include "ui/widgets/CompanionStrip.h"

#include <QPainter>
#include <algorithm>

#include "ui/pictures/Pictures.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"

namespace trevalon {

CompanionStrip::CompanionStrip(QWidget& window, const QString& closeHint,
                               std::function<void()> collapse, std::function<void()> close) {
    m_title = new DragLabel(&window);
    m_title->setObjectName(QStringLiteral("LListwa"));
    m_title->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    m_collapse = new ClickLabel(&window);
    m_collapse->setObjectName(QStringLiteral("LZminMale"));
    m_collapse->setPixmap(pictures::pixmap(QStringLiteral("ikozwin")));
    m_collapse->setToolTip(QStringLiteral("Zwiń/Rozwiń"));
    m_collapse->onClicked = std::move(collapse);
    m_close = new ClickLabel(&window);
    m_close->setObjectName(QStringLiteral("LCloseWlasnosci"));
    m_close->setPixmap(pictures::pixmap(QStringLiteral("ikozamknij")));
    m_close->setToolTip(closeHint);
    m_close->onClicked = std::move(close);
}

void CompanionStrip::layout(int width) {
    m_title->setGeometry(4, 0, width - 46, Height);
    m_collapse->setGeometry(width - 40, 2, 16, 16);
    m_close->setGeometry(width - 20, 2, 16, 16);
}

void CompanionStrip::paint(QPainter& painter, int width) const {
    const QImage strip = pictures::image(QStringLiteral("listwa"));
    const QRect band(0, 0, width, Height);
    if (strip.isNull()) {
        painter.fillRect(band, palette::violet);
    } else {
        painter.drawImage(band, strip, QRect(0, 0, std::min(strip.width(), width), strip.height()));
    }
}

}  // namespace trevalon

#include "ui/widgets/CompanionPanel.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "ui/app/WindowPlacement.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/main/WindowHost.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/ResizeGrip.h"
#include "ui/widgets/TitleStrip.h"
#include "ui/widgets/WindowTitle.h"

namespace trevalon {

CompanionPanel::CompanionPanel(WindowHost& host, const QString& objectName, QSize defaultSize,
                               QSize minimumSize, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      m_host(host),
      m_defaultSize(defaultSize),
      m_minimumSize(minimumSize),
      m_fullHeight(defaultSize.height()) {
    setObjectName(objectName);
    m_strip = TitleStrip::companion(
        *this, QString(), [this] { toggleCollapsed(); }, [this] { hide(); });
    m_strip->title()->onReleased = [this] { m_offset = pos() - m_host.origin(); };
    m_grip = new ResizeGrip(
        *this,
        [this](const QSize& dragged) {
            return QSize(std::max(dragged.width(), m_minimumSize.width()),
                         std::max(dragged.height(), m_minimumSize.height()));
        },
        [this] { return !m_collapsed; });
    m_grip->setObjectName(QStringLiteral("LRameczka"));
    setFocusPolicy(Qt::StrongFocus);
    resize(defaultSize);
}

void CompanionPanel::keyPressEvent(QKeyEvent* event) {
    m_host.handleKey(event, KeySource::Report);
    event->accept();
}

void CompanionPanel::setTitles(const TextTable& texts, const QString& title) {
    m_strip->title()->setText(title);
    nameWindow(*this, texts, title);
    if (auto* close = findChild<QWidget*>(QStringLiteral("LCloseWlasnosci"))) {
        close->setToolTip(texts.text(texts::WindowClose));
    }
}

int CompanionPanel::contentTop() const {
    return TitleStrip::Height + Margin;
}

void CompanionPanel::showBeside(const QRect& boards, int gap, const std::vector<QRect>& avoid) {
    if (!isVisible()) {
        const QRect area = placement::availableArea(*parentWidget());
        QSize size = m_defaultSize;
        const int sideRoom =
            std::max(area.right() - boards.right(), boards.left() - area.left()) - gap;
        const int rowRoom =
            std::max(area.bottom() - boards.bottom(), boards.top() - area.top()) - gap;
        if (sideRoom < size.width() && rowRoom < size.height()) {
            // A small screen: the window narrows to the room beside the boards, or lowers to
            // the room under them, rather than covering a board.
            if (sideRoom >= m_minimumSize.width()) {
                size.setWidth(sideRoom);
            } else if (rowRoom >= m_minimumSize.height()) {
                size.setHeight(rowRoom);
            }
        }
        m_fullHeight = size.height();
        m_collapsed = false;
        resize(size);
        m_offset = placement::beside(size, boards, area, gap, avoid) - m_host.origin();
        followMainWindow();
    }
    show();
    raise();
}

void CompanionPanel::followMainWindow() {
    move(m_host.origin() + m_offset);
}

void CompanionPanel::toggleCollapsed() {
    if (m_collapsed) {
        m_collapsed = false;
        resize(width(), m_fullHeight);
    } else {
        m_fullHeight = height();
        m_collapsed = true;
        resize(width(), TitleStrip::Height);
    }
}

void CompanionPanel::resizeEvent(QResizeEvent*) {
    const QSize size(width(), m_collapsed ? m_fullHeight : height());
    m_strip->span(size.width());
    m_grip->setGeometry(size.width() - GripSize - 3, size.height() - GripSize - 3, GripSize,
                        GripSize);
    layoutContent(size);
}

void CompanionPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    dialogparts::paintLightTiles(p, rect());
    p.setPen(palette::violet);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace trevalon

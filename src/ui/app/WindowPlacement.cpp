#include "ui/app/WindowPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdlib>

namespace trevalon::placement {

QRect fitted(const QRect& window, const QRect& area) {
    const QSize size = window.size().boundedTo(area.size());
    const int x = std::clamp(window.x(), area.left(), area.right() + 1 - size.width());
    const int y = std::clamp(window.y(), area.top(), area.bottom() + 1 - size.height());
    return {QPoint(x, y), size};
}

namespace {

const QRect* firstHit(const QRect& place, const std::vector<QRect>& avoid) {
    for (const QRect& r : avoid) {
        if (place.intersects(r)) {
            return &r;
        }
    }
    return nullptr;
}

}  // namespace

QPoint apart(const QRect& window, const std::vector<QRect>& others, const QRect& area, int step) {
    const auto onTop = [&](const QRect& place) {
        return std::any_of(others.begin(), others.end(), [&](const QRect& other) {
            const QPoint d = place.topLeft() - other.topLeft();
            return std::abs(d.x()) < step && std::abs(d.y()) < step;
        });
    };
    QRect place = fitted(window, area);
    // Each step clears at most one corner; where the screen's edge stops the slide, the window
    // starts again from the area's top-left corner.
    const int tries = 2 * static_cast<int>(others.size()) + 2;
    for (int i = 0; i < tries && onTop(place); ++i) {
        const QRect next = fitted(place.translated(step, step), area);
        place = next.topLeft() == place.topLeft()
                    ? fitted(QRect(area.topLeft(), place.size()), area)
                    : next;
    }
    return place.topLeft();
}

QPoint beside(const QSize& size, const QRect& taken, const QRect& area, int gap,
              const std::vector<QRect>& avoid) {
    // Each side keeps the window level with (or flush to) the taken area where the screen lets
    // it, and slides it along that side otherwise.
    const auto alongY = [&](int x) {
        return QRect(QPoint(x, std::clamp(taken.top(), area.top(),
                                          std::max(area.top(), area.bottom() + 1 - size.height()))),
                     size);
    };
    const auto alongX = [&](int y) {
        return QRect(QPoint(std::clamp(taken.left(), area.left(),
                                       std::max(area.left(), area.right() + 1 - size.width())),
                            y),
                     size);
    };
    const std::array<QRect, 4> sides{
        alongY(taken.right() + 1 + gap),
        alongY(taken.left() - gap - size.width()),
        alongX(taken.bottom() + 1 + gap),
        alongX(taken.top() - gap - size.height()),
    };
    for (std::size_t side = 0; side < sides.size(); ++side) {
        QRect place = sides[side];
        // Right and left slide down past what they would cover; below and above slide right.
        for (int tries = 0; tries < 4; ++tries) {
            const QRect* hit = firstHit(place, avoid);
            if (!hit) {
                break;
            }
            if (side < 2) {
                place.moveTop(hit->bottom() + 1 + gap);
            } else {
                place.moveLeft(hit->right() + 1 + gap);
            }
        }
        if (area.contains(place) && !place.intersects(taken) && !firstHit(place, avoid)) {
            return place.topLeft();
        }
    }
    for (const QRect& place : sides) {
        if (area.contains(place) && !place.intersects(taken)) {
            return place.topLeft();
        }
    }
    return fitted(sides[0], area).topLeft();
}

QRect availableArea(const QWidget& anchor) {
    const QScreen* screen = anchor.screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void moveOnScreen(QWidget& window, const QPoint& topLeft, const QWidget& anchor) {
    const QRect area = availableArea(anchor);
    window.move(fitted(QRect(topLeft, window.size()), area).topLeft());
}

namespace {

// A window of the program's own: the dialog's parent or one of the windows it owns.
bool ownedBy(const QWidget* window, const QWidget* owner) {
    for (const QWidget* w = window; w; w = w->parentWidget()) {
        if (w == owner) {
            return true;
        }
    }
    return false;
}

}  // namespace

ActiveWindowOwner::ActiveWindowOwner(QWidget& dialog)
    : m_dialog(dialog), m_parent(dialog.parentWidget()) {
    QWidget* cause = QApplication::activeWindow();
    if (!m_parent || !cause || cause == &dialog || cause == m_parent->window() ||
        !cause->isVisible() || cause->windowType() == Qt::Popup || dialog.isVisible() ||
        !ownedBy(cause, m_parent)) {
        m_parent = nullptr;  // nothing to change: it stays with its own parent
        return;
    }
    const QPoint place = dialog.pos();
    dialog.setParent(cause, dialog.windowFlags());
    dialog.move(place);
}

ActiveWindowOwner::~ActiveWindowOwner() {
    if (m_parent && m_dialog.parentWidget() != m_parent) {
        const QPoint place = m_dialog.pos();
        m_dialog.setParent(m_parent, m_dialog.windowFlags());
        m_dialog.move(place);
    }
}

}  // namespace trevalon::placement

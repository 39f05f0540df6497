#pragma once

#include <QLabel>
#include <QPoint>
#include <functional>

namespace trevalon {

// A title-strip label that moves its window with the mouse. Our windows have no system
// frame, so this is the only way to move them. Its text is plain text: titles name boards,
// blocks and projects as the pupil wrote them. The window moves by the cursor's travel on the
// screen, never by the label's local coordinates, which shift as the window moves.
class DragLabel : public QLabel {
public:
    explicit DragLabel(QWidget* parent = nullptr);

    std::function<void()> onPressed;
    // After a drag ends (also after a click without movement).
    std::function<void()> onReleased;
    // Instead of moving the window itself: receives the travel since the last call.
    std::function<void(const QPoint&)> onDragged;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_dragging = false;
    QPoint m_last;
};

}  // namespace trevalon

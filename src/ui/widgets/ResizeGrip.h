#pragma once

#include <QLabel>
#include <functional>
#include <memory>

namespace trevalon {

class TDotFrame;

// The corner handle of a borderless window. Dragging it draws a dotted frame on the screen from
// the window's corner to the mouse; the window takes the frame's size once the button is
// released, so that what depends on the size is laid out once rather than on every move.
class ResizeGrip : public QLabel {
public:
    // What the window makes of a dragged size (its limits).
    using Sizer = std::function<QSize(const QSize& dragged)>;
    // Whether a drag may start now (not while the window is maximised).
    using Allowed = std::function<bool()>;

    ResizeGrip(QWidget& window, Sizer sizer, Allowed allowed);
    ~ResizeGrip() override;

    TDotFrame* dotFrame() const { return m_frame.get(); }
    // Drops a drag under way without resizing (the window is being maximised or closed).
    void cancel();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget& m_window;
    Sizer m_sizer;
    Allowed m_allowed;
    std::unique_ptr<TDotFrame> m_frame;
    bool m_dragging = false;
};

}  // namespace trevalon

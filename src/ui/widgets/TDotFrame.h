#pragma once

#include <QRect>
#include <QWidget>

namespace trevalon {

// The dotted rectangle drawn on the screen while the main window's resize grip is dragged: from
// the window's corner to the mouse. A borderless see-through window of its own, so that it can
// be drawn over anything.
class TDotFrame : public QWidget {
public:
    static constexpr int LineWidth = 3;

    TDotFrame();

    // The rectangle in screen coordinates (left, top, right, bottom).
    void setFrameRect(const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect m_rect;
};

}  // namespace trevalon

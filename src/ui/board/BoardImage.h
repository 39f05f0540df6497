#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <utility>

namespace trevalon {

// The picture of a board (`ImGlowny`): shows the cached drawing and reports presses and
// movement in the board's own units (a 100 % picture's pixels), whatever the zoom it is shown
// at. Painting only copies the cache.
class BoardImage : public QWidget {
public:
    explicit BoardImage(QWidget* parent = nullptr);

    // `picture` carries its device pixel ratio: drawn at its size divided by it.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    // Gives the picture up, leaving none, so that a redraw can paint over its memory.
    QImage takePicture() { return std::exchange(m_picture, QImage()); }
    // The zoom in percent that positions are divided by; the picture is made to match.
    void setZoom(int percent) { m_zoom = percent; }
    int zoom() const { return m_zoom; }
    // A widget position in board units.
    QPoint toBoard(const QPointF& position) const;

    // The press and where it happened, in board units.
    std::function<void(QMouseEvent*, const QPoint&)> onPressed;
    std::function<void(const QPoint&)> onMoved;
    // Movement with the left button held, in board units.
    std::function<void(const QPoint&)> onDragged;
    // The wheel turned with Ctrl held: whole notches (> 0 away from the user) and where.
    std::function<void(int, const QPoint&)> onZoomWheel;
    // About to paint a picture made for another device pixel ratio (the window moved to
    // another screen): the owner makes it again.
    std::function<void()> onRatioChanged;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage m_picture;
    int m_zoom = 100;
    // Eighths of a degree not yet making a notch (touchpads send small turns).
    int m_wheelRest = 0;
};

}  // namespace trevalon

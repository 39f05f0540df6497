#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace trevalon {

// The picture of a board (`ImGlowny`): shows the cached drawing and reports presses and
// movement in image coordinates. Painting only copies the cache.
class BoardImage : public QWidget {
public:
    explicit BoardImage(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    std::function<void(QMouseEvent*)> onPressed;
    std::function<void(const QPoint&)> onMoved;
    // Movement with the left button held, in image coordinates.
    std::function<void(const QPoint&)> onDragged;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

}  // namespace trevalon

#pragma once

#include <QLabel>
#include <functional>

namespace trevalon {

// A label that acts when clicked: the close, collapse, menu and picture-button labels of our
// own title strips and dialogs. Acts on release inside the label, as buttons do.
class ClickLabel : public QLabel {
public:
    explicit ClickLabel(QWidget* parent = nullptr);
    ClickLabel(const QString& text, QWidget* parent);

    std::function<void()> onClicked;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

}  // namespace trevalon

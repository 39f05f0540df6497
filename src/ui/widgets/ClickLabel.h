#pragma once

#include <QLabel>
#include <functional>

namespace trevalon {

// A label that acts when clicked: the close, collapse, menu and picture-button labels of our
// own title strips and dialogs. Acts on release inside the label, as buttons do. Its text is
// plain text, shown as written (a check finding can quote a pupil's "<h1>"); a label that
// shows markup of our own says so with `setTextFormat(Qt::RichText)`.
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

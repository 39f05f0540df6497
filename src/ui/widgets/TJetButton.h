#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace trevalon {

// A toolbar picture button: a normal face, a face under the mouse and a face for the block
// button chosen for placing. Its tag is its code: the block kind for block buttons, 51 cancel,
// 52 next step, 53 run.
class TJetButton : public QWidget {
public:
    TJetButton(int tag, QWidget* parent);

    int tag() const { return m_tag; }
    void setFaces(const QPixmap& up, const QPixmap& over, const QPixmap& chosen);
    void setCaption(const QString& caption);
    const QString& caption() const { return m_caption; }
    // A chosen button shows its chosen face and cannot be pressed again.
    void setChosen(bool chosen);
    bool chosen() const { return m_chosen; }

    std::function<void(int tag)> onClicked;
    // The mouse came over the button (for the status line).
    std::function<void(int tag)> onHovered;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const int m_tag;
    QPixmap m_up;
    QPixmap m_over;
    QPixmap m_chosenFace;
    QString m_caption;
    bool m_chosen = false;
    bool m_hovered = false;
    bool m_pressed = false;
};

}  // namespace trevalon

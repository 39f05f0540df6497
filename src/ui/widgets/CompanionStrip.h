#pragma once

#include <QString>
#include <functional>

class QPainter;
class QWidget;

namespace trevalon {

class ClickLabel;
class DragLabel;

// The title strip of a companion window (the properties and the report): the title, by which
// the window is dragged, the collapse mark and the close mark, on the "listwa" picture.
class CompanionStrip {
public:
    static constexpr int Height = 20;

    CompanionStrip(QWidget& window, const QString& closeHint, std::function<void()> collapse,
                   std::function<void()> close);

    DragLabel* title() const { return m_title; }

    // Places the title and the marks across a window `width` pixels wide.
    void layout(int width);
    // Draws the strip's picture, or a plain band in the window colour when it is missing.
    void paint(QPainter& painter, int width) const;

private:
    DragLabel* m_title = nullptr;
    ClickLabel* m_collapse = nullptr;
    ClickLabel* m_close = nullptr;
};

}  // namespace trevalon

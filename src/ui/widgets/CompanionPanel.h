#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace trevalon {

class ResizeGrip;
class TextTable;
class TitleStrip;
class WindowHost;

// A resizable floating window beside the main window (the trace, the test results): the title
// strip of the companion windows with its collapse and close marks, a light tiled body in a
// violet frame, and a resize grip in the bottom right corner. It keeps its offset from the main
// window as the main window moves; dragging it by its title sets a new offset.
//
// A subclass lays out its controls in layoutContent() below contentTop() and draws any frames
// of its own after calling paintEvent(). `host` must outlive the window.
class CompanionPanel : public QWidget {
public:
    CompanionPanel(WindowHost& host, const QString& objectName, QSize defaultSize,
                   QSize minimumSize, QWidget* parent);

    // Shows the window beside `boards`, covering none of them where the screen has room: at its
    // default size when it fits on a side, else narrowed or lowered to the room there (not below
    // the minimum size); sliding past the `avoid` rectangles on its side where it can. A window
    // already shown stays where it is.
    void showBeside(const QRect& boards, int gap, const std::vector<QRect>& avoid);
    // Keeps the window at its offset from the main window.
    void followMainWindow();
    // The strip's title and the window system's title ("Kod — Trevalon"); the close mark's hint.
    void setTitles(const TextTable& texts, const QString& title);

    QSize defaultSize() const { return m_defaultSize; }
    QSize minimumPanelSize() const { return m_minimumSize; }
    bool collapsed() const { return m_collapsed; }

protected:
    static constexpr int Margin = 6;
    static constexpr int GripSize = 16;

    int contentTop() const;
    // Places the subclass's controls for a window of `size` (the full size while collapsed).
    virtual void layoutContent(const QSize& size) = 0;

    // Keys the panel's controls leave go to the main window's key table, as in the report.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void toggleCollapsed();

    WindowHost& m_host;
    QSize m_defaultSize;
    QSize m_minimumSize;
    TitleStrip* m_strip = nullptr;
    ResizeGrip* m_grip = nullptr;
    bool m_collapsed = false;
    int m_fullHeight = 0;
    QPoint m_offset;
};

}  // namespace trevalon

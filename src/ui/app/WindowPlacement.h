#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace trevalon::placement {

// `window` moved inside `area`; a window larger than the area is first shrunk to it, so that
// its top-left corner (where every window of the program has its title strip) stays reachable.
QRect fitted(const QRect& window, const QRect& area);

// Where a window of `size` goes so that it covers nothing of `taken`: to its right, else to its
// left, else below, else above, each `gap` pixels away and inside `area`. On its side it slides
// past the `avoid` rectangles (buttons it should not hide) where it can. When no side has the
// room, the right-hand place moved inside `area`.
QPoint beside(const QSize& size, const QRect& taken, const QRect& area, int gap,
              const std::vector<QRect>& avoid = {});

// Where `window` goes so that no title strip of `others` is hidden under its own: a window
// whose top-left corner lies less than `step` pixels (both ways) from another's slides down
// and right by `step` until it lies apart, and it stays whole inside `area`. A window that
// lies apart already stays where it is.
QPoint apart(const QRect& window, const std::vector<QRect>& others, const QRect& area, int step);

// The part of the screen holding `anchor` that windows may use (without panels and docks).
QRect availableArea(const QWidget& anchor);

// Moves `window` to `topLeft`, kept inside the screen that holds `anchor`: whole when it fits,
// else with its top-left corner (its title strip) on the screen.
void moveOnScreen(QWidget& window, const QPoint& topLeft, const QWidget& anchor);

// While it lives, `dialog` belongs to the window the pupil is working in (a board window, say):
// window managers keep a dialog above the window that owns it. Made before the dialog is shown;
// afterwards the dialog goes back to its own parent, which keeps owning it.
class ActiveWindowOwner {
public:
    explicit ActiveWindowOwner(QWidget& dialog);
    ~ActiveWindowOwner();
    ActiveWindowOwner(const ActiveWindowOwner&) = delete;
    ActiveWindowOwner& operator=(const ActiveWindowOwner&) = delete;

private:
    QWidget& m_dialog;
    QWidget* m_parent;
};

}  // namespace trevalon::placement

#pragma once

#include <QRect>
#include <vector>

namespace trevalon {

// The block properties window as the rest of the editor sees it. The main window works
// without one (nothing is shown) until the properties window is attached.
class PropertiesView {
public:
    virtual ~PropertiesView() = default;

    // Shows the properties of the active board's current cell: 1 a variable, 2 the board
    // itself, otherwise the kind code of the selected block.
    virtual void showProperties(int kind) = 0;
    virtual void hideProperties() = 0;
    virtual bool propertiesVisible() const = 0;
    // True while its text editor or its list is open.
    virtual bool editing() const = 0;
    // Ends an open edit, storing what it holds.
    virtual void finishEditing() {}
    // Placed again at its offset from the main window (after the main window moved).
    virtual void followMainWindow() {}
    // Placed beside `boards` (screen coordinates), `gap` pixels away and covering none of them;
    // it keeps that offset from the main window from then on.
    virtual void placeBeside(const QRect& boards, int gap, const std::vector<QRect>& avoid) {
        (void)boards;
        (void)gap;
        (void)avoid;
    }
    virtual void applyTexts() {}
};

}  // namespace trevalon

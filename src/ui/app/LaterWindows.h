#pragma once

namespace trevalon {

// The windows opened by commands of the main window besides the ones it draws itself: the
// schema overview, the event log viewer, the settings dialog and the two builders.
class LaterWindows {
public:
    virtual ~LaterWindows() = default;

    virtual void showSchema() = 0;
    virtual void showEventLog() = 0;
    virtual void showSettings() = 0;
    // The interface language changed.
    virtual void applyTexts() = 0;
};

}  // namespace trevalon

#pragma once

namespace trevalon {

// The windows opened by commands of the main window besides the ones it draws itself: the
// schema overview, the event log viewer, the settings dialog and the two builders. Until they
// are attached those commands show nothing.
class LaterWindows {
public:
    virtual ~LaterWindows() = default;

    virtual void showSchema() = 0;
    virtual void showEventLog() = 0;
    virtual void showSettings() = 0;
    // A project was opened: the expression builder's table of variables is built again.
    virtual void projectOpened() {}
    // The interface language changed.
    virtual void applyTexts() {}
};

}  // namespace trevalon

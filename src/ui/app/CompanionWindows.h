#pragma once

#include "ui/app/LaterWindows.h"

namespace trevalon {

class SettingsStore;
class TFBudujKomentarz;
class TFBudujWyrazenie;
class TFSchemat;
class TFUstawienia;
class TFZdarzenia;
class WindowHost;

// The windows the main window opens by command beyond its own companions: the schema
// overview, the event-log viewer and the settings dialog, opened beside the main window, and
// the two builders, which only follow the interface language here.
class CompanionWindows : public LaterWindows {
public:
    // The windows the program made at start-up.
    struct Windows {
        TFSchemat& schema;
        TFZdarzenia& eventLog;
        TFUstawienia& settings;
        TFBudujKomentarz& commentBuilder;
        TFBudujWyrazenie& expressionBuilder;
    };

    // `settings`, `host` (the main window) and every window must outlive this object.
    CompanionWindows(SettingsStore& settings, WindowHost& host, const Windows& windows);

    void showSchema() override;
    void showEventLog() override;
    void showSettings() override;
    void applyTexts() override;

private:
    SettingsStore& m_settingsStore;
    WindowHost& m_host;
    Windows m_windows;
};

}  // namespace trevalon

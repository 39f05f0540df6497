#pragma once

#include <QString>
#include <QStringList>

namespace trevalon {

// The user's preferences as they are held during a run. Each field is one key of the settings
// file (named after the member); `SettingsStore` reads and writes them.
struct Settings {
    static constexpr int MinLogLevel = 0;
    static constexpr int MaxLogLevel = 5;
    static constexpr int DefaultAutosaveSeconds = 30;
    static constexpr int MaxAutosaveSeconds = 3600;
    // The trace table keeps the last this many performed steps of a run.
    static constexpr int DefaultTraceRows = 100000;
    static constexpr int MinTraceRows = 100;
    static constexpr int MaxTraceRows = 1000000;
    // A run in the window goes at full speed (0) or shows one block at a time (1..5, slower
    // as the level rises).
    static constexpr int MaxRunSpeed = 5;
    // The code window's language: 0 Python, 1 C++, 2 pseudo-code.
    static constexpr int MaxCodeLanguage = 2;

    bool warnBeforeDelete = true;             // "al": ask before deleting a block
    int wo = 0;                               // "wo": kept and written back, read by nothing
    bool showHints = false;                   // "pdp": hints over palette blocks and builder fields
    int logLevel = 0;                         // "dfpz": 0..5, see EventLog
    QString language = QStringLiteral("pl");  // "lg": "pl" or "ang"
    bool schemaShowsVariables = false;        // "rzm": the schema overview draws variable blocks
    bool createLogFiles = false;       // "wrzd": edited and stored; the log writer ignores it
    QString projectsFolder;            // "fl": first folder of the open and save dialogs
    QStringList recentProjects;        // "ostp": opened or saved last, most recent first
    bool stepSkipsConnectors = false;  // "kpb": a step goes on over connectors to the next block
    int autosaveSeconds = DefaultAutosaveSeconds;  // "asek": 0..3600; 0 turns the autosave off
    int traceRows = DefaultTraceRows;              // "lwsl": 100..1 000 000 rows of the trace
    int runSpeed = 0;                              // "tmp": 0 full speed, 1..5 watched
    int codeLanguage = 0;  // "jkod": the code window's language, 0 Python, 1 C++, 2 pseudo-code
};

}  // namespace trevalon

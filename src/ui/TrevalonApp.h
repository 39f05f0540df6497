#pragma once

#include <QString>
#include <memory>

#include "config/FileEventLog.h"

namespace trevalon {

class SettingsStore;
class TFGlowny;
class TFOpisy;
class TFWarning;
class TFWinietka;
class TFWykonanie;
class TTablica;
class Workspace;

// The desktop program put together: the event log, the workspace, the settings and every
// window, created once in the program's start-up order and kept until it ends. Tests build
// one each, with TREVALON_DATA_DIR pointing at a folder of their own.
class TrevalonApp {
public:
    // `startArgument`: a project file named on the command line, or empty.
    explicit TrevalonApp(const QString& startArgument = QString());
    ~TrevalonApp();
    TrevalonApp(const TrevalonApp&) = delete;
    TrevalonApp& operator=(const TrevalonApp&) = delete;

    // Shows the main window; its first showing runs the start-up steps.
    void show();

    TFGlowny& main() { return *m_main; }
    Workspace& workspace() { return *m_workspace; }
    SettingsStore& settings() { return *m_settings; }
    FileEventLog& log() { return m_log; }
    TTablica* board(int n) const;
    TFOpisy* report() const { return m_report; }
    TFWykonanie* execution() const { return m_execution; }
    TFWinietka* about() const { return m_about; }
    TFWarning* warning() const { return m_warning; }

private:
    class ForwardingSink;

    std::unique_ptr<ForwardingSink> m_sink;
    FileEventLog m_log;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<TFGlowny> m_main;
    TFOpisy* m_report = nullptr;
    TFWykonanie* m_execution = nullptr;
    TFWinietka* m_about = nullptr;
    TFWarning* m_warning = nullptr;
};

}  // namespace trevalon

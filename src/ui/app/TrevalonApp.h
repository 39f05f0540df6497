#pragma once

#include <QString>
#include <memory>

#include "config/FileEventLog.h"

namespace trevalon {

class CompanionWindows;
class SettingsStore;
class TFBudujKomentarz;
class TFBudujWyrazenie;
class TFGlowny;
class TFOpisy;
class TFSchemat;
class TFTesty;
class TFUstawienia;
class TFWarning;
class TFWinietka;
class TFWlasnosci;
class TFWykonanie;
class TFZdarzenia;
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
    TFWlasnosci* properties() const { return m_properties; }
    TFBudujKomentarz* commentBuilder() const { return m_commentBuilder; }
    TFBudujWyrazenie* expressionBuilder() const { return m_expressionBuilder; }
    TFSchemat* schema() const { return m_schema; }
    TFTesty* tests() const { return m_tests; }
    TFZdarzenia* eventLogViewer() const { return m_eventLog; }
    TFUstawienia* settingsDialog() const { return m_settingsDialog; }

private:
    class ForwardingSink;

    void wireBuilders();
    void nameWindows();

    std::unique_ptr<ForwardingSink> m_sink;
    FileEventLog m_log;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<TFGlowny> m_main;
    TFOpisy* m_report = nullptr;
    TFWykonanie* m_execution = nullptr;
    TFWinietka* m_about = nullptr;
    TFWarning* m_warning = nullptr;
    TFWlasnosci* m_properties = nullptr;
    TFBudujKomentarz* m_commentBuilder = nullptr;
    TFBudujWyrazenie* m_expressionBuilder = nullptr;
    TFSchemat* m_schema = nullptr;
    TFTesty* m_tests = nullptr;
    TFZdarzenia* m_eventLog = nullptr;
    TFUstawienia* m_settingsDialog = nullptr;
    std::unique_ptr<CompanionWindows> m_companions;
};

}  // namespace trevalon

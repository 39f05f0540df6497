#include "ui/TrevalonApp.h"

#include <QPointer>

#include "config/SettingsStore.h"
#include "exec/Workspace.h"
#include "ui/RunController.h"
#include "ui/TFGlowny.h"
#include "ui/TFOpisy.h"
#include "ui/TFWarning.h"
#include "ui/TFWinietka.h"
#include "ui/TFWykonanie.h"
#include "ui/TTablica.h"

namespace trevalon {

// The workspace needs a message sink before the message dialog exists (the dialog is created
// late in the start-up order and needs the workspace's texts); this one hands every message
// to the dialog once it is there.
class TrevalonApp::ForwardingSink : public MessageSink {
public:
    QPointer<TFWarning> target;

    int showMessage(int buttons, int icon, const QString& text) override {
        return target ? target->showMessage(buttons, icon, text) : ResultCancel;
    }
    void beep() override {
        if (target) {
            target->beep();
        }
    }
};

TrevalonApp::TrevalonApp(const QString& startArgument)
    : m_sink(std::make_unique<ForwardingSink>()) {
    m_workspace = std::make_unique<Workspace>(m_log, *m_sink);
    m_settings = std::make_unique<SettingsStore>(m_log, m_workspace->texts());
    m_log.setLevelSource([this] { return m_settings->logLevel(); });

    m_main = std::make_unique<TFGlowny>(*m_workspace, *m_settings);
    TFGlowny* main = m_main.get();
    main->setStartArgument(startArgument);
    main->setLogPathReady([this](const QString& path) { m_log.setFilePath(path); });

    // The windows in the program's start-up order. The properties window, the builders, the
    // event-log viewer, the schema overview and the settings dialog take their places in it.
    Project& project = m_workspace->project();
    const TextTable& texts = m_workspace->texts();
    auto* board1 = new TTablica1(project, texts, *main, main);
    m_report = new TFOpisy(*m_workspace, *main, main);
    m_execution = new TFWykonanie(texts, main);
    auto* board2 = new TTablica2(project, texts, *main, main);
    auto* board3 = new TTablica3(project, texts, *main, main);
    m_about = new TFWinietka(texts, main);
    m_warning = new TFWarning(texts, main);

    main->attachBoards({board1, board2, board3});
    main->attachReport(m_report);
    main->attachExecution(m_execution);
    main->attachAbout(m_about);
    main->attachWarning(m_warning);
    m_sink->target = m_warning;
    m_report->onReportShown = [main] { main->state().checkDone = true; };
    m_workspace->setExecutionIo(&main->runner());
    m_workspace->setCheckReport(m_report);
}

TrevalonApp::~TrevalonApp() {
    m_workspace->setExecutionIo(nullptr);
    m_workspace->setCheckReport(nullptr);
    m_main.reset();
}

void TrevalonApp::show() {
    m_main->show();
}

TTablica* TrevalonApp::board(int n) const {
    return m_main->board(n);
}

}  // namespace trevalon

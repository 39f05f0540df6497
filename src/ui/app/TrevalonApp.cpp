#include "ui/app/TrevalonApp.h"

#include <QPointer>

#include "config/SettingsStore.h"
#include "exec/Workspace.h"
#include "ui/app/CompanionWindows.h"
#include "ui/board/TTablica.h"
#include "ui/builders/TFBudujKomentarz.h"
#include "ui/builders/TFBudujWyrazenie.h"
#include "ui/code/TFKod.h"
#include "ui/dialogs/TFUstawienia.h"
#include "ui/dialogs/TFWarning.h"
#include "ui/dialogs/TFWinietka.h"
#include "ui/dialogs/TFZdarzenia.h"
#include "ui/main/ProjectCommands.h"
#include "ui/main/TFGlowny.h"
#include "ui/properties/TFWlasnosci.h"
#include "ui/run/RunController.h"
#include "ui/run/TFOpisy.h"
#include "ui/run/TFSlad.h"
#include "ui/run/TFTesty.h"
#include "ui/run/TFWykonanie.h"
#include "ui/schema/TFSchemat.h"

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

    Project& project = m_workspace->project();
    const TextTable& texts = m_workspace->texts();
    auto* board1 = new TTablica1(project, texts, *main, main);
    m_properties = new TFWlasnosci(project, texts, *main, *main, main);
    m_report = new TFOpisy(project, texts, m_workspace->variables(), *main, main);
    auto* trace = new TFSlad(main->runner().trace(), texts, m_workspace->messages(), *main, main);
    m_tests = new TFTesty(project, texts, m_workspace->messages(), *main, main);
    auto* code = new TFKod(*m_workspace, *m_settings, *main, main);
    m_expressionBuilder = new TFBudujWyrazenie(*m_workspace, *m_settings, *main, main);
    m_execution = new TFWykonanie(texts, main);
    auto* board2 = new TTablica2(project, texts, *main, main);
    auto* board3 = new TTablica3(project, texts, *main, main);
    m_about = new TFWinietka(texts, main);
    m_commentBuilder = new TFBudujKomentarz(project, texts, main);
    m_warning = new TFWarning(texts, main);
    m_eventLog = new TFZdarzenia(texts, m_workspace->messages(), main);
    m_schema = new TFSchemat(project, texts, m_workspace->log(), m_workspace->messages(),
                             *m_settings, *main, main);
    m_settingsDialog = new TFUstawienia(texts, m_workspace->log(), *m_settings, main);

    m_sink->target = m_warning;
    m_report->onReportShown = [main] { main->state().checkDone = true; };
    m_workspace->setExecutionIo(&main->runner());
    m_workspace->setCheckReport(m_report);
    wireBuilders();
    m_companions = std::make_unique<CompanionWindows>(
        *m_settings, *main,
        CompanionWindows::Windows{*m_schema, *m_eventLog, *m_settingsDialog, *m_commentBuilder,
                                  *m_expressionBuilder});
    main->attachCompanions({.boards = {board1, board2, board3},
                            .report = m_report,
                            .trace = trace,
                            .tests = m_tests,
                            .code = code,
                            .execution = m_execution,
                            .about = m_about,
                            .warning = m_warning,
                            .properties = m_properties,
                            .propertiesWindow = m_properties,
                            .later = m_companions.get()});
    nameWindows();
}

// Each window tells the window system which of the program's windows it is, so that window
// managers, accessibility tools and the desktop tests can tell the floating windows apart.
void TrevalonApp::nameWindows() {
    m_main->setWindowRole(m_main->objectName());
    for (QWidget* child : m_main->findChildren<QWidget*>()) {
        if (child->isWindow() && !child->objectName().isEmpty()) {
            child->setWindowRole(child->objectName());
        }
    }
}

// The properties window opens the builders; saved settings show in the main window.
void TrevalonApp::wireBuilders() {
    TFGlowny* main = m_main.get();
    m_properties->openCommentBuilder = [this](const QString& text, int board) {
        return m_commentBuilder->build(text, board, m_properties->pos());
    };
    m_settingsDialog->onApplied = [main] {
        main->applyTexts();
        main->files().showSaved();
    };
    m_properties->openExpressionBuilder = [this](const FormulaRequest& request) {
        return m_expressionBuilder->compose(request.board, request.target, request.formula,
                                            m_properties->pos());
    };
}

// The windows go before what they were given: the workspace forgets the run controller and the
// report, the companions' opener goes before the main window it refers to, and the main window
// (which closes its companion windows first) before the settings and the workspace.
TrevalonApp::~TrevalonApp() {
    m_workspace->setExecutionIo(nullptr);
    m_workspace->setCheckReport(nullptr);
    m_companions.reset();
    m_main.reset();
}

void TrevalonApp::show() {
    m_main->show();
}

TTablica* TrevalonApp::board(int n) const {
    return m_main->board(n);
}

}  // namespace trevalon

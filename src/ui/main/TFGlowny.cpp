#include "ui/main/TFGlowny.h"

#include "ui/board/ZoomSteps.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "config/EventLog.h"
#include "config/SettingsStore.h"
#include "config/TextIds.h"
#include "edit/Editor.h"
#include "exec/Workspace.h"
#include "ui/app/LaterWindows.h"
#include "ui/app/QtTexts.h"
#include "ui/board/BoardImage.h"
#include "ui/board/TTablica.h"
#include "ui/code/TFKod.h"
#include "ui/main/Autosave.h"
#include "ui/main/ExampleProjects.h"
#include "ui/main/MainCommands.h"
#include "ui/main/MainMenus.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/ProjectCommands.h"
#include "ui/main/SpeedControl.h"
#include "ui/main/StartPage.h"
#include "ui/pictures/Pictures.h"
#include "ui/print/PrintCommands.h"
#include "ui/properties/PropertiesView.h"
#include "ui/run/RunController.h"
#include "ui/run/TFOpisy.h"
#include "ui/run/TFSlad.h"
#include "ui/run/TFTesty.h"
#include "ui/run/TFWykonanie.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/ResizeGrip.h"
#include "ui/widgets/StatusLine.h"
#include "ui/widgets/TitleStrip.h"
#include "ui/widgets/WindowTitle.h"

namespace trevalon {
namespace {

constexpr int kTitleHeight = 24;
constexpr int kMenuStripHeight = 22;
constexpr int kStatusHeight = 22;
// The start page fills the desk below the toolbar, where the boards float once a project is open.
constexpr int kStartPageTop = 106;
constexpr int kStartPageMargin = 12;

// A menu caption with its access key ("&Plik") underlined, as rich text.
QString accessKeyCaption(const QString& caption) {
    const qsizetype amp = caption.indexOf(QLatin1Char('&'));
    if (amp < 0 || amp + 1 >= caption.size()) {
        return caption.toHtmlEscaped();
    }
    return caption.left(amp).toHtmlEscaped() + QStringLiteral("<u>") +
           QString(caption.at(amp + 1)).toHtmlEscaped() + QStringLiteral("</u>") +
           caption.mid(amp + 2).toHtmlEscaped();
}

}  // namespace

TFGlowny::TFGlowny(Workspace& workspace, SettingsStore& settings)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_ws(workspace),
      m_settings(settings) {
    setObjectName(QStringLiteral("TFGlowny"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    setMinimumSize(MinimumWidth, MinimumHeight);
    resize(787, 532);

    m_editor = std::make_unique<Editor>(m_ws.project(), m_ws.texts(), m_ws.messages(), *this);
    buildTitleStrip();
    buildMenuStrip();
    m_toolbar = std::make_unique<MainToolbar>(this, m_ws.texts());
    buildStatusLine();
    m_menus = std::make_unique<MainMenus>(
        *this, m_ws.texts(), [this](Command command) { m_commands->execute(command); },
        [this](Command command) { return m_commands->menuEnabled(command); });
    m_files = std::make_unique<ProjectCommands>(m_ws, m_settings, m_state, *m_editor, *this);
    m_run = std::make_unique<RunController>(m_ws, *m_editor, m_state, m_companions, *this);
    m_print = std::make_unique<PrintCommands>(m_ws, m_settings, *this);
    m_commands = std::make_unique<MainCommands>(
        m_ws, m_settings, m_state, *m_editor,
        MainCommands::Helpers{*m_files, *m_run, *m_menus, *m_print}, m_companions, *this);
    m_qtTexts = std::make_unique<QtTexts>();
    m_menus->label = [this](Command command) { return m_commands->menuLabel(command); };
    m_menus->recentProjects = [this] { return m_settings.values().recentProjects; };
    m_menus->openRecent = [this](const QString& path) {
        if (!m_run->running()) {
            m_files->openChosen(path);
        }
    };
    m_menus->clearRecent = [this] {
        m_settings.forgetRecentProjects();
        refreshStartPage();
    };
    // An edit is recorded once the event that made it is over, so that a change made of
    // several steps (deleting a board moves the ones after it) is one step of the history.
    m_recordTimer.setSingleShot(true);
    m_recordTimer.setInterval(0);
    connect(&m_recordTimer, &QTimer::timeout, this, [this] {
        m_editor->recordChange();
        settleStatus();
        // A run edits nothing: while it goes on only its block moves.
        if (m_companions.code && m_run->running()) {
            m_companions.code->marksChanged();
        } else if (m_companions.code) {
            m_companions.code->projectChanged();
        }
    });
    m_statusTimer.setSingleShot(true);
    m_statusTimer.setInterval(0);
    connect(&m_statusTimer, &QTimer::timeout, this, [this] { settleStatus(); });
    buildStartPage();

    m_toolbar->onTabPressed = [this](int tab) { selectTab(tab); };
    m_toolbar->onButton = [this](int tag) { m_commands->toolbarButton(tag); };
    m_toolbar->onStatus = [this](const QString& text) { showStatus(text); };
    m_run->traceLimit = [this] { return m_settings.values().traceRows; };
    m_toolbar->speed()->onChanged = [this](int level) {
        m_settings.setRunSpeed(level);
        m_run->setSpeed(level);
    };
    m_toolbar->tabsPicture()->setMouseTracking(true);
    m_toolbar->tabsPicture()->installEventFilter(this);
    m_toolbar->setRunButtons(false, false);
}

// The companion windows are the main window's children, but they hold on to its editor and
// its helpers: they go first, while all of that still exists, and not after the members as
// QWidget would delete them.
TFGlowny::~TFGlowny() {
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow()) {
            delete child;
        }
    }
}

TDotFrame* TFGlowny::dotFrame() const {
    return m_grip->dotFrame();
}

void TFGlowny::buildTitleStrip() {
    // The whole strip drags; its picture is drawn with the window's background.
    auto* strip = new TitleStrip(
        *this, {.height = kTitleHeight, .titleLeft = 0, .markTop = 4, .titleInk = QColor()},
        QStringLiteral("PListwaGlowna"));
    m_titleStrip = strip;
    m_dragArea = strip->title();
    m_dragArea->setObjectName(QStringLiteral("LPrzesuwGlowne"));
    m_dragArea->setMouseTracking(true);
    m_dragArea->onDragged = [this](const QPoint& travel) {
        if (!maximised()) {
            move(pos() + travel);
        }
    };
    m_dragArea->installEventFilter(this);

    m_header = strip->addHeader("LNaglowekGlowny", 28, 112);
    m_windowMenu = strip->addMark("LRozwinMenuLeft", "ikomenu", {TitleStrip::Left, 4},
                                  [this] { m_menus->popup(MainMenus::Window); });

    const char* names[] = {"LPomoc", "LMinimize", "LMaximize", "LClose"};
    const char* icons[] = {"ikopomoc", "ikominimalizuj", "ikomaksymalizuj", "ikozamknij"};
    const Command commands[] = {Command::Help, Command::Minimise, Command::Maximise,
                                Command::CloseProgram};
    for (std::size_t i = 0; i < m_windowButtons.size(); ++i) {
        const Command command = commands[i];
        m_windowButtons[i] =
            strip->addMark(names[i], icons[i], {TitleStrip::Right, 88 - static_cast<int>(i) * 21},
                           [this, command] { m_commands->execute(command); });
    }
}

void TFGlowny::buildMenuStrip() {
    m_menuStrip = new QWidget(this);
    m_menuStrip->setObjectName(QStringLiteral("PMenu"));
    const char* names[] = {"LPlik", "LPokaz", "Lwykonaj", "LPomocMenu"};
    for (std::size_t i = 0; i < m_menuLabels.size(); ++i) {
        auto* label = new ClickLabel(m_menuStrip);
        label->setObjectName(QLatin1String(names[i]));
        label->setTextFormat(Qt::RichText);
        label->setStyleSheet(QStringLiteral("color: rgb(226, 224, 244);"));
        const auto menu = static_cast<MainMenus::Which>(i);
        label->onClicked = [this, menu] { m_menus->popup(menu); };
        m_menuLabels[i] = label;
    }
}

void TFGlowny::buildStatusLine() {
    m_status = new StatusLine(this);
    m_status->setObjectName(QStringLiteral("LStatus"));
    m_status->setContentsMargins(6, 0, 0, 0);
    m_status->setStyleSheet(QStringLiteral("color: rgb(226, 224, 244);"));
    m_grip = new ResizeGrip(
        *this,
        [](const QSize& dragged) {
            return QSize(std::max(dragged.width(), MinimumWidth),
                         std::max(dragged.height(), MinimumHeight));
        },
        [this] { return !maximised(); });
    m_grip->setObjectName(QStringLiteral("ImCingnij"));
}

void TFGlowny::buildStartPage() {
    m_startPage = new StartPage(this, m_ws.texts());
    m_startPage->onOpenFile = [this](const QString& path) {
        if (!m_run->running()) {
            m_files->openChosen(path);
        }
    };
    m_startPage->hide();
}

void TFGlowny::projectStateChanged() {
    // Breakpoints, a recorded run and the boards' zoom belong to the project that was open.
    m_ws.breakpoints().clear();
    for (int n = 1; n <= kMaxBoards; ++n) {
        board(n)->setZoom(zoom::kActual);
    }
    m_run->forgetRecording();
    m_recordTimer.start();  // the code window shows the new project, or none
    refreshStartPage();
}

void TFGlowny::refreshStartPage() {
    const bool show = m_started && !m_state.projectOpen;
    if (show) {
        const auto entry = [this](int name, Command command) {
            return StartPage::Entry{m_ws.texts().text(name), MainCommands::keyText(command),
                                    QString(), [this, command] { m_commands->execute(command); }};
        };
        m_startPage->refresh({entry(texts::MenuNewProject, Command::NewProject),
                              entry(texts::MenuOpenProject, Command::OpenProject)},
                             m_settings.values().recentProjects,
                             ExampleProjects::list(m_ws.texts()));
    }
    m_startPage->setVisible(show);
}

void TFGlowny::layoutStrips() {
    const int w = width();
    const int h = height();
    static_cast<TitleStrip*>(m_titleStrip)->span(w);
    m_menuStrip->setGeometry(0, kTitleHeight, w, kMenuStripHeight);
    // Labels start where their menus open (15, 68, 135, 175); a longer caption pushes the next.
    int x = 15;
    const int starts[] = {15, 68, 135, 175};
    for (std::size_t i = 0; i < m_menuLabels.size(); ++i) {
        ClickLabel* label = m_menuLabels[i];
        label->adjustSize();
        x = std::max(x, starts[i]);
        label->setGeometry(x, 0, label->width() + 6, kMenuStripHeight);
        x += label->width() + 10;
    }
    m_status->setGeometry(0, h - kStatusHeight, w - 20, kStatusHeight);
    if (m_startPage) {
        // Below the shown group's buttons, also where a narrow window gives them two rows.
        const QWidget* buttons = m_toolbar->panel(m_toolbar->tab());
        const int top = std::max(kStartPageTop, buttons->geometry().bottom() + kStartPageMargin);
        m_startPage->setGeometry(kStartPageMargin, top, w - 2 * kStartPageMargin,
                                 h - top - kStatusHeight - kStartPageMargin);
    }
    m_grip->setGeometry(w - 19, h - 19, 16, 16);
}

void TFGlowny::resizeEvent(QResizeEvent*) {
    // The toolbar first: the start page goes below its buttons.
    if (m_toolbar) {
        m_toolbar->placeRunButtons(width());
    }
    layoutStrips();
}

void TFGlowny::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_background.isNull()) {
        m_background = pictures::image(QStringLiteral("tloglowne"));
    }
    if (m_background.isNull()) {
        p.fillRect(rect(), QColor(72, 68, 112));
    } else {
        p.drawTiledPixmap(rect(), QPixmap::fromImage(m_background));
    }
    const auto strip = [&](const char* name, int y, int height) {
        const QImage image = pictures::image(QLatin1String(name));
        const QRect target(0, y, width(), height);
        if (image.isNull()) {
            p.fillRect(target, QColor(72, 68, 112));
        } else {
            p.drawImage(target, image,
                        QRect(0, 0, std::min(image.width(), width()), image.height()));
        }
    };
    strip("listwaglowna", 0, kTitleHeight);
    strip("pasekmenu", kTitleHeight, kMenuStripHeight);
    strip("pasekstatus", height() - kStatusHeight, kStatusHeight);
}

void TFGlowny::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_started) {
        startUp();
    }
}

void TFGlowny::startUp() {
    if (m_started) {
        return;
    }
    m_started = true;
    fitOnScreen();
    m_state = MainState{};
    m_state.startFolder = QDir::currentPath();
    m_settings.prepareFolders(SettingsEnvironment::fromSystem(), m_state.startFolder,
                              QDateTime::currentDateTime());
    if (m_logPathReady) {
        m_logPathReady(m_settings.logFilePath());
    }
    m_settings.readSettings();
    m_ws.setLanguage(m_settings.values().language);
    m_toolbar->speed()->setLevel(m_settings.values().runSpeed);
    m_run->setSpeed(m_settings.values().runSpeed);
    m_editor->reset();
    m_toolbar->showTab(1);
    m_ws.setProjectName(QString());
    m_files->forgetSaveFolder();
    applyTexts();
    m_ws.log().log(m_ws.texts().text(texts::LogProgramStarted));
    m_toolbar->setRunButtons(false, false);
    m_autosave = std::make_unique<Autosave>(m_ws, m_settings, m_state);
    m_files->setAfterSave([this] { m_autosave->discard(); });
    m_files->setAfterAbandon([this] { m_autosave->discard(); });
    // Both once the main window is on the screen: boards shown before it would be mapped
    // ahead of their owner, and a window manager would then stack them below it. The file
    // named on the command line waits for the recovery question, whose answer may open a
    // project too.
    QTimer::singleShot(0, this, [this] {
        m_autosave->offerLeftovers(
            [this](const RecoveryEntry& entry) { return m_files->openRecovered(entry); });
        if (!m_startArgument.isEmpty()) {
            m_files->openGiven(m_startArgument);
        }
    });
}

void TFGlowny::applyTexts() {
    const TextTable& texts = m_ws.texts();
    m_qtTexts->follow(texts.language());
    for (std::size_t i = 0; i < m_menuLabels.size(); ++i) {
        m_menuLabels[i]->setText(
            accessKeyCaption(texts.text(texts::MenuTitleFile + static_cast<int>(i))));
    }
    const int hints[] = {texts::MenuHelp, texts::WindowMinimise,
                         maximised() ? texts::HintRestore : texts::HintMaximise,
                         texts::WindowClose};
    for (std::size_t i = 0; i < m_windowButtons.size(); ++i) {
        m_windowButtons[i]->setToolTip(texts.text(hints[i]));
    }
    m_menus->applyTexts();
    m_files->applyTexts();
    m_toolbar->applyTexts(m_settings.values().showHints);
    for (TTablica* board : m_companions.boards) {
        board->applyTexts();
    }
    titlesChanged();
    m_companions.report->applyTexts();
    m_companions.trace->applyTexts();
    m_companions.tests->applyTexts();
    m_companions.code->applyTexts();
    m_companions.properties->applyTexts();
    if (m_companions.propertiesWindow) {
        nameWindow(*m_companions.propertiesWindow, texts, texts.text(texts::PropertiesTitle));
    }
    m_companions.later->applyTexts();
    setHeader();
    layoutStrips();
    refreshStartPage();
}

void TFGlowny::setLanguage(const QString& language) {
    m_ws.setLanguage(language);
    m_settings.updateLanguage(language);
    applyTexts();
}

void TFGlowny::setHeader() {
    m_header->setText(QStringLiteral("TREVALON     ") + m_ws.projectName());
    // The task bar and the window switcher show the project too.
    setWindowTitle(m_ws.projectName() + QStringLiteral(" - Trevalon"));
}

void TFGlowny::showStatus(const QString& text) {
    m_status->setFullText(text);
    m_statusMoment.reset();
    m_statusTimer.start();
}

QString TFGlowny::statusText() const {
    return m_status->fullText();
}

TFGlowny::StatusMoment TFGlowny::statusMoment() const {
    return {m_editor->history().revision(), m_ws.texts().language(), m_state.projectOpen};
}

// Every change of the project (an edit, an undo or redo, a new or opened project) and every
// change of language ends in the record timer, so the rule holds for all of them here. The
// command that changed the project may say so itself ("Przywrócono kopię…"): its text belongs
// to the moment after it.
void TFGlowny::settleStatus() {
    const StatusMoment now = statusMoment();
    if (!m_statusMoment) {
        m_statusMoment = now;
    } else if (*m_statusMoment != now) {
        m_status->setFullText(QString());
        m_statusMoment = now;
    }
}

void TFGlowny::selectTab(int tab) {
    m_toolbar->showTab(tab);
    m_editor->cancelPlacing();
    layoutStrips();  // the start page follows the group's rows of buttons
}

void TFGlowny::updateRunButtons() {
    const bool running = m_run->running();
    const bool step = m_run->stepMode();
    if (!m_state.projectOpen) {
        m_toolbar->setRunButtons(false, false);
    } else {
        m_toolbar->setRunButtons(!running || step, !running || !step);
    }
}

void TFGlowny::mouseMoveEvent(QMouseEvent*) {
    showStatus(QString());
}

void TFGlowny::keyPressEvent(QKeyEvent* event) {
    m_commands->handleKey(event, KeySource::Main);
    event->accept();
}

bool TFGlowny::handleKey(QKeyEvent* event, KeySource source) {
    return m_commands->handleKey(event, source);
}

void TFGlowny::closeEvent(QCloseEvent* event) {
    // A run waits while the user decides, so that a save writes one moment of it and a
    // message of its end cannot pop up over the question.
    m_run->pause();
    if (!m_files->confirmClose()) {
        m_run->resume();
        event->ignore();
        return;
    }
    if (m_autosave) {
        m_autosave->discard();
    }
    m_ws.log().log(m_ws.texts().text(texts::LogProgramEnded));
    pictures::release();
    for (TTablica* board : m_companions.boards) {
        board->hide();
    }
    m_companions.report->hide();
    m_companions.properties->hideProperties();
    event->accept();
}

// A project opened during a run would be replaced under the executor: drops wait for its end.
void TFGlowny::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !m_run->running()) {
        event->acceptProposedAction();
    }
}

void TFGlowny::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (m_run->running() || urls.isEmpty() || !urls.first().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    m_files->openGiven(urls.first().toLocalFile());
}

}  // namespace trevalon

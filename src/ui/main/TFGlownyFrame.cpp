// The main window as a frame: its place on the screen, the companions that travel with it,
// maximising and restoring, and the resize grip.
#include <QMouseEvent>

#include "config/TextIds.h"
#include "exec/Workspace.h"
#include "ui/app/WindowPlacement.h"
#include "ui/board/TTablica.h"
#include "ui/code/TFKod.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/TFGlowny.h"
#include "ui/pictures/Pictures.h"
#include "ui/properties/PropertiesView.h"
#include "ui/run/TFOpisy.h"
#include "ui/run/TFSlad.h"
#include "ui/run/TFTesty.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/TDotFrame.h"

namespace trevalon {
namespace {

// Between the boards and the properties window laid out beside them.
constexpr int CompanionGap = 8;

}  // namespace

// Centred on the screen that holds it, and never larger than that screen's free area: on a
// small or strongly scaled screen the window gives up some of its minimum size rather than its
// title strip.
void TFGlowny::fitOnScreen() {
    const QRect area = placement::availableArea(*this);
    setMinimumSize(std::min(MinimumWidth, area.width()), std::min(MinimumHeight, area.height()));
    const QRect centred(area.center() - rect().center(), size());
    setGeometry(placement::fitted(centred, area));
}

// Whatever moved the main window (its title strip, maximising, the window manager), the
// companions keep their offsets from it.
void TFGlowny::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    placeCompanions();
}

void TFGlowny::placeCompanions() {
    for (int n = 1; n <= 3; ++n) {
        TTablica* window = board(n);
        if (window->isVisible()) {
            const Board& b = m_ws.project().board(n);
            window->move(origin() + QPoint(b.left, b.top));
        }
    }
    if (m_companions.report->isVisible()) {
        m_companions.report->followMainWindow();
    }
    for (CompanionPanel* panel : {static_cast<CompanionPanel*>(m_companions.trace),
                                  static_cast<CompanionPanel*>(m_companions.tests),
                                  static_cast<CompanionPanel*>(m_companions.code)}) {
        if (panel->isVisible()) {
            panel->followMainWindow();
        }
    }
    m_companions.properties->followMainWindow();
}

QRect TFGlowny::visibleBoards() const {
    QRect boards;
    for (const TTablica* window : m_companions.boards) {
        if (window->isVisible()) {
            boards |= window->frameGeometry();
        }
    }
    return boards;
}

void TFGlowny::layOutCompanions() {
    const QRect boards = visibleBoards();
    if (boards.isValid()) {
        std::vector<QRect> buttons;
        for (const QRect& area : m_toolbar->buttonAreas()) {
            buttons.push_back(area.translated(origin()));
        }
        m_companions.properties->placeBeside(boards, CompanionGap, buttons);
    }
}

// The variables window stays readable beside the panel, and so do the run buttons.
void TFGlowny::showPanel(CompanionPanel& panel) {
    const QRect boards = visibleBoards();
    std::vector<QRect> avoid;
    if (m_companions.report->isVisible()) {
        avoid.push_back(m_companions.report->frameGeometry());
    }
    for (const QRect& area : m_toolbar->buttonAreas()) {
        avoid.push_back(area.translated(origin()));
    }
    panel.showBeside(boards.isValid() ? boards : frameGeometry(), CompanionGap, avoid);
}

void TFGlowny::showProjectBoards() {
    const Project& project = m_ws.project();
    for (int n = 1; n <= project.boardCount; ++n) {
        if (!board(n)->isVisible()) {
            showBoardWindow(n);
        }
    }
    titlesChanged();
}

void TFGlowny::toggleMaximised() {
    if (maximised()) {
        m_maximised = false;
        if (isMaximized()) {
            showNormal();
        }
        if (m_normalGeometry.isValid()) {
            setGeometry(m_normalGeometry);
        }
        m_windowButtons[2]->setToolTip(m_ws.texts().text(texts::HintMaximise));
        m_windowButtons[2]->setPixmap(pictures::pixmap(QStringLiteral("ikomaksymalizuj")));
    } else {
        m_normalGeometry = geometry();
        m_maximised = true;
        setGeometry(placement::availableArea(*this));
        m_windowButtons[2]->setToolTip(m_ws.texts().text(texts::HintRestore));
        m_windowButtons[2]->setPixmap(pictures::pixmap(QStringLiteral("ikoprzywroc")));
    }
    placeCompanions();
}

QPoint TFGlowny::origin() const {
    return pos();
}

bool TFGlowny::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        showStatus(QString());
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace trevalon

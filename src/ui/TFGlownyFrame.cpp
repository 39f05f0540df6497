// The main window as a frame: moving it with its companions, maximising and restoring, and the
// resize grip.
#include <QMouseEvent>

#include "exec/Workspace.h"
#include "ui/ClickLabel.h"
#include "ui/Pictures.h"
#include "ui/PropertiesView.h"
#include "ui/TDotFrame.h"
#include "ui/TFGlowny.h"
#include "ui/TFOpisy.h"
#include "ui/TTablica.h"

namespace trevalon {
namespace {

constexpr int TextRestore = 11;
constexpr int TextMaximise = 12;

}  // namespace

void TFGlowny::moveWithCompanions(const QPoint& travel) {
    move(pos() + travel);
    for (TTablica* board : m_boards) {
        if (board && board->isVisible()) {
            board->move(board->pos() + travel);
        }
    }
    if (m_report && m_report->isVisible()) {
        m_report->move(m_report->pos() + travel);
    }
    if (m_properties) {
        m_properties->followMainWindow();
    }
}

void TFGlowny::placeCompanions() {
    for (int n = 1; n <= 3; ++n) {
        TTablica* window = board(n);
        if (window && window->isVisible()) {
            const Board& b = m_ws.project().board(n);
            window->move(origin() + QPoint(b.left, b.top));
        }
    }
    if (m_report && m_report->isVisible()) {
        m_report->followMainWindow();
    }
    if (m_properties) {
        m_properties->followMainWindow();
    }
}

void TFGlowny::toggleMaximised() {
    if (isMaximized()) {
        showNormal();
        m_windowButtons[2]->setToolTip(m_ws.texts().text(TextMaximise));
        m_windowButtons[2]->setPixmap(pictures::pixmap(QStringLiteral("ikomaksymalizuj")));
    } else {
        showMaximized();
        m_windowButtons[2]->setToolTip(m_ws.texts().text(TextRestore));
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

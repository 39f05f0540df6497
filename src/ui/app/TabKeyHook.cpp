#include "ui/app/TabKeyHook.h"

#include <QKeyEvent>

namespace trevalon {

TabKeyHook::TabKeyHook(std::function<void()> onTab, QObject* parent)
    : QObject(parent), m_onTab(std::move(onTab)) {}

bool TabKeyHook::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::ShortcutOverride) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Tab || key->modifiers() != Qt::NoModifier) {
        return QObject::eventFilter(watched, event);
    }
    // Swallowed at its first stop (the window, or the widget a synthetic event is sent to), so
    // each press is seen here once.
    if (type == QEvent::KeyPress) {
        m_onTab();
    }
    return true;
}

}  // namespace trevalon

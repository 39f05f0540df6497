#pragma once

#include <QString>
#include <QWidget>

#include "config/TextIds.h"
#include "config/TextTable.h"

namespace trevalon {

// The title a floating window gives the window manager, the task bar and the window switcher:
// its own name and the program's, "Plansza nr 2 — Trevalon", so that a pupil switching windows
// (or a screen reader) can tell them apart.
inline void nameWindow(QWidget& window, const TextTable& texts, const QString& name) {
    window.setWindowTitle(texts.text(texts::FloatingWindowTitle).arg(name.trimmed()));
}

}  // namespace trevalon

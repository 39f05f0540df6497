#pragma once

#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <utility>

// Answers modal windows for a test: each step waits until its window is visible, then acts on
// it (typically with QTest key or mouse events). Steps run in the order they were given, so a
// test scripts a whole conversation before the call that opens the first window.
//
// A step waits, too, while an earlier step on the same window is still running; steps on
// other windows may run meanwhile, which is how a message opened by an action is answered.
class ModalDriver {
public:
    using Action = std::function<void()>;

    ModalDriver() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    }

    void when(QWidget* window, Action action) {
        m_steps.emplace_back(QPointer<QWidget>(window), std::move(action));
        m_timer.start();
    }

    int pending() const { return static_cast<int>(m_steps.size()); }

private:
    void poll() {
        if (m_steps.empty()) {
            return;
        }
        auto& [window, action] = m_steps.front();
        if (!window || !window->isVisible() || m_busy.contains(window.data())) {
            return;
        }
        QWidget* target = window.data();
        Action run = std::move(action);
        m_steps.pop_front();
        m_busy.insert(target);
        // Run outside this timer's slot: a timer does not fire again while its own slot runs,
        // so a window that the action opens could never be answered from inside it.
        QTimer::singleShot(0, &m_timer, [this, target, run = std::move(run)] {
            run();
            m_busy.remove(target);
        });
    }

    QTimer m_timer;
    std::deque<std::pair<QPointer<QWidget>, Action>> m_steps;
    QSet<QWidget*> m_busy;
};

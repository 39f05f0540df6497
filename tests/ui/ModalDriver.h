#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <utility>

// Answers modal windows for a test: each step waits until its window is visible, then acts on
// it (typically with QTest key or mouse events). Steps run in the order they were given, so a
// test scripts a whole conversation before the call that opens the first window.
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
            m_timer.stop();
            return;
        }
        auto& [window, action] = m_steps.front();
        if (!window || !window->isVisible()) {
            return;
        }
        Action run = std::move(action);
        m_steps.pop_front();
        run();
    }

    QTimer m_timer;
    std::deque<std::pair<QPointer<QWidget>, Action>> m_steps;
};

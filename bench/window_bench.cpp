// The desktop program running a project, as a pupil's F9 starts it, without a person at the
// keyboard. Two measures:
//
//   window_bench run PROJECT     one full-speed run; the process's whole time compares with
//                                `trevalon-cli run PROJECT`; the run's own time goes to stderr.
//   window_bench pause PROJECT   during a full-speed run, F6 arrives from another thread at
//                                random moments, and again to go on; prints how long each
//                                press waited in the queue and how long holding the run took.
//
// Every window the run opens (its output, its end) is answered with Enter. Settings, logs and
// recovery files go to a temporary folder, so the user's own stay untouched.

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "ui/app/TrevalonApp.h"
#include "ui/main/TFGlowny.h"
#include "ui/run/RunController.h"
#include "ui/run/TFWykonanie.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisSince(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void press(QObject* target, int key) {
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

// Answers the run's dialogs and ends the program once the run is over.
class Conductor : public QObject {
public:
    explicit Conductor(trevalon::TrevalonApp& app) : m_app(app) {
        m_poll.setInterval(2);
        connect(&m_poll, &QTimer::timeout, this, [this] { poll(); });
    }

    void start() {
        m_started = Clock::now();
        press(&m_app.main(), Qt::Key_F9);
        m_poll.start();
    }

    double runMillis() const { return millisSince(m_started, m_firstDialog); }

private:
    void poll() {
        trevalon::TFWykonanie* dialog = m_app.execution();
        if (dialog && dialog->isVisible()) {
            if (m_firstDialog == Clock::time_point{}) {
                m_firstDialog = Clock::now();
            }
            if (!m_answered) {
                m_answered = true;
                press(dialog, Qt::Key_Return);
            }
            return;
        }
        m_answered = false;
        if (!m_app.main().runner().running() && m_firstDialog != Clock::time_point{}) {
            m_poll.stop();
            QCoreApplication::quit();
        }
    }

    trevalon::TrevalonApp& m_app;
    QTimer m_poll;
    Clock::time_point m_started;
    Clock::time_point m_firstDialog;
    bool m_answered = false;
};

// Times every F6 from the moment it is posted until the run is held (or going on again).
class PauseProbe : public QObject {
public:
    explicit PauseProbe(trevalon::TrevalonApp& app) : m_app(app) {}

    std::atomic<Clock::time_point> posted{};
    std::vector<double> waited;   // in the event queue, behind the run's slice
    std::vector<double> holding;  // the window's own work of holding the run

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F6) {
            return QObject::eventFilter(watched, event);
        }
        const Clock::time_point arrived = Clock::now();
        trevalon::RunController& runner = m_app.main().runner();
        const bool wasHeld = runner.held();
        m_app.main().handleKey(static_cast<QKeyEvent*>(event), trevalon::KeySource::Main);
        if (!wasHeld && runner.held()) {
            waited.push_back(millisSince(posted.load(), arrived));
            holding.push_back(millisSince(arrived, Clock::now()));
        }
        return true;
    }

private:
    trevalon::TrevalonApp& m_app;
};

double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    return values[at];
}

int measurePauses(trevalon::TrevalonApp& app, Conductor& conductor) {
    PauseProbe probe(app);
    app.main().installEventFilter(&probe);
    std::atomic<bool> over{false};
    std::thread presser([&] {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> gap(20, 60);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        while (!over.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(gap(random)));
            probe.posted.store(Clock::now());
            press(&app.main(), Qt::Key_F6);
        }
    });
    QTimer::singleShot(0, &conductor, [&] { conductor.start(); });
    const int status = QApplication::exec();
    over.store(true);
    presser.join();
    std::printf("presses that held the run: %zu\n", probe.waited.size());
    std::printf("waited in the queue, ms: median %.2f, 95th %.2f, max %.2f\n",
                percentile(probe.waited, 0.5), percentile(probe.waited, 0.95),
                percentile(probe.waited, 1.0));
    std::printf("holding the run, ms:     median %.2f, 95th %.2f, max %.2f\n",
                percentile(probe.holding, 0.5), percentile(probe.holding, 0.95),
                percentile(probe.holding, 1.0));
    return status;
}

// The offscreen platform warns that it cannot raise windows, once per raised board.
void quietWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtWarningMsg && type != QtInfoMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3 || (qstrcmp(argv[1], "run") != 0 && qstrcmp(argv[1], "pause") != 0)) {
        std::fputs("usage: window_bench run|pause PROJECT\n", stderr);
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(quietWarnings);
    QTemporaryDir data;
    qputenv("TREVALON_DATA_DIR", data.path().toLocal8Bit());
    QApplication qt(argc, argv);
    trevalon::TrevalonApp app(QString::fromLocal8Bit(argv[2]));
    app.show();
    Conductor conductor(app);
    if (qstrcmp(argv[1], "pause") == 0) {
        return measurePauses(app, conductor);
    }
    QTimer::singleShot(0, &conductor, [&] { conductor.start(); });
    const int status = QApplication::exec();
    std::fprintf(stderr, "run until its output: %.1f ms\n", conductor.runMillis());
    return status;
}

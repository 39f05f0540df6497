#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <thread>

#include "grading/CaseRunner.h"
#include "grading/TestSuite.h"

namespace trevalon {

class Project;
class TextTable;

// Runs every case of a suite on a copy of a project, on a thread of its own, so that the
// windows stay responsive while an endless loop runs into its time limit. Results come back on
// the owner's thread, in case order, through `onResult`; `onFinished` follows the last one.
// Starting again, or destroying the worker, cancels the cases still to run and waits only for
// the current run to notice (it looks between slices of steps).
class CaseWorker : public QObject {
public:
    explicit CaseWorker(QObject* parent = nullptr);
    ~CaseWorker() override;
    CaseWorker(const CaseWorker&) = delete;
    CaseWorker& operator=(const CaseWorker&) = delete;

    std::function<void(int index, const CaseResult& result)> onResult;
    std::function<void()> onFinished;

    void start(const Project& project, const TestSuite& suite, const TextTable& texts);
    void cancel();
    bool busy() const { return m_thread.joinable(); }

private:
    struct Channel;

    void deliver();

    std::shared_ptr<Channel> m_channel;
    int m_delivered = 0;
    std::thread m_thread;
    QTimer m_poll;
};

}  // namespace trevalon

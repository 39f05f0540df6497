#include "ui/run/CaseWorker.h"

#include <mutex>
#include <vector>

#include "config/TextTable.h"
#include "model/Project.h"

namespace trevalon {

// What the thread hands over: results under a lock, and the flags both sides read.
struct CaseWorker::Channel {
    std::mutex lock;
    std::vector<CaseResult> results;  // every result so far, in case order
    bool done = false;
    std::atomic<bool> cancelled{false};
};

CaseWorker::CaseWorker(QObject* parent) : QObject(parent) {
    // A result is shown within a glance; polling keeps the thread free of the owner's lifetime.
    m_poll.setInterval(40);
    connect(&m_poll, &QTimer::timeout, this, [this] { deliver(); });
}

CaseWorker::~CaseWorker() {
    cancel();
}

void CaseWorker::start(const Project& project, const TestSuite& suite, const TextTable& texts) {
    cancel();
    auto channel = std::make_shared<Channel>();
    m_channel = channel;
    m_delivered = 0;
    // The thread works on copies: the pupil may edit the project meanwhile.
    m_thread = std::thread([channel, project, suite, texts] {
        for (const TestCase& testCase : suite.cases) {
            if (channel->cancelled.load()) {
                break;
            }
            CaseResult result = runCase(project, testCase, suite, texts, &channel->cancelled);
            const std::lock_guard<std::mutex> hold(channel->lock);
            channel->results.push_back(std::move(result));
        }
        const std::lock_guard<std::mutex> hold(channel->lock);
        channel->done = true;
    });
    m_poll.start();
}

void CaseWorker::cancel() {
    m_poll.stop();
    if (m_channel) {
        m_channel->cancelled.store(true);
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_channel.reset();
}

void CaseWorker::deliver() {
    if (!m_channel) {
        return;
    }
    std::vector<CaseResult> fresh;
    bool done = false;
    int first = 0;
    {
        const std::lock_guard<std::mutex> hold(m_channel->lock);
        first = m_delivered;
        fresh.assign(m_channel->results.begin() + m_delivered, m_channel->results.end());
        done = m_channel->done;
    }
    m_delivered += static_cast<int>(fresh.size());
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        if (onResult) {
            onResult(first + static_cast<int>(i), fresh[i]);
        }
    }
    if (done) {
        m_poll.stop();
        m_thread.join();
        m_channel.reset();
        if (onFinished) {
            onFinished();
        }
    }
}

}  // namespace trevalon

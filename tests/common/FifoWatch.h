#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <atomic>
#include <chrono>
#include <thread>

namespace trevalon::test {

// A named pipe that no test can hang on. A thread keeps trying to open the pipe's writing end
// without waiting, which succeeds only while something has the reading end open (or is
// waiting in its open); it then closes it at once, which ends that reader's wait with an empty
// read, and remembers that a reader came. A reader that only looks at the pipe is never seen.
class FifoWatch {
public:
    explicit FifoWatch(const QString& path)
        : m_made(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0),
          m_path(QFile::encodeName(path)) {
        if (m_made) {
            m_thread = std::thread([this] { watch(); });
        }
    }
    ~FifoWatch() {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    FifoWatch(const FifoWatch&) = delete;
    FifoWatch& operator=(const FifoWatch&) = delete;

    bool made() const { return m_made; }
    bool readerCame() const { return m_readerCame; }

private:
    void watch() {
        while (!m_stop) {
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                m_readerCame = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    bool m_made;
    QByteArray m_path;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_readerCame{false};
    std::thread m_thread;
};

}  // namespace trevalon::test

#include "calc/RunBudget.h"

namespace trevalon {

void RunBudget::startRun() {
    m_running = true;
    m_start = Clock::now();
    m_deadline.reset();
    if (m_timeLimit) {
        m_deadline = m_start + std::chrono::milliseconds(*m_timeLimit);
    }
    m_sliceEnd.reset();
    m_sliceOver = false;
    m_work = 0;
    m_nextLook = WorkPerLook;
    m_output = 0;
    m_over = Over::Nothing;
    m_overOutput = false;
}

void RunBudget::endRun() {
    m_running = false;
    m_deadline.reset();
    m_sliceEnd.reset();
    m_sliceOver = false;
    m_output = 0;
    m_over = Over::Nothing;
    m_overOutput = false;
    m_nextLook = m_work + WorkPerLook;
}

void RunBudget::startSlice(qint64 millis) {
    m_sliceOver = false;
    m_sliceEnd.reset();
    if (millis > 0) {
        m_sliceEnd = Clock::now() + std::chrono::milliseconds(millis);
    }
    if (m_over == Over::Nothing) {
        m_nextLook = m_work + WorkPerLook;
    }
}

qint64 RunBudget::elapsedMillis() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_start).count();
}

bool RunBudget::look() {
    if (m_over == Over::Nothing && !m_sliceOver) {
        if (m_memoryLimit > 0 && kept() > m_memoryLimit) {
            m_over = Over::Memory;
        } else if (m_running && m_stopFlag != nullptr &&
                   m_stopFlag->load(std::memory_order_relaxed)) {
            m_over = Over::Stopped;
        } else if (m_deadline || m_sliceEnd) {
            const Clock::time_point now = Clock::now();
            if (m_deadline && now >= *m_deadline) {
                m_over = Over::Time;
            }
            m_sliceOver = m_sliceEnd && now >= *m_sliceEnd;
        }
    }
    const bool goOn = m_over == Over::Nothing && !m_sliceOver;
    // Once over, every spend answers so (without the clock) until the next run or slice.
    m_nextLook = goOn ? m_work + WorkPerLook : m_work;
    return goOn;
}

void RunBudget::overMemory() {
    if (m_over == Over::Nothing) {
        m_over = Over::Memory;
    }
    m_nextLook = m_work;
}

void RunBudget::refusedMemory() {
    if (m_over == Over::Nothing) {
        m_over = Over::OutOfMemory;
    }
    m_nextLook = m_work;
}

bool RunBudget::fits(qint64 bytes) const {
    return m_memoryLimit <= 0 || kept() + bytes <= m_memoryLimit;
}

bool RunBudget::keepOutput(qint64 bytes) {
    m_output += bytes;
    if (m_memoryLimit > 0 && m_output > outputLimit()) {
        m_overOutput = m_over == Over::Nothing;
        overMemory();
        return false;
    }
    m_nextLook = m_work;  // the next spend looks: the sum may have passed the limit
    return true;
}

qint64 RunBudget::kept() const {
    return (m_values != nullptr ? *m_values : 0) + m_output + m_held;
}

}  // namespace trevalon

#pragma once

#include <QString>
#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <optional>

namespace trevalon {

// What one run may spend of time and memory, and how much it has spent. The Calculator owns
// one (TCalcul::budget()), so that its evaluations, its variable store and the executor that
// drives them all meet the same; whoever starts a run sets the limits, and the executor starts
// the count when the run begins. Nothing in it is shared between Calculators, so runs on
// several threads each keep their own.
//
// Time is watched by work rather than by steps: the executor counts a little for every step,
// the Calculator the characters its values and operations go over, and the clock is read each
// time about a millisecond's worth of work (WorkPerLook) has been done since the last look. A
// run of cheap steps thus reads the clock once in a few thousand steps, and a run whose every
// step goes over millions of characters after each such operation. A look ends the run when
// its time limit has passed or its stop flag is set, and ends the slice in progress (not the
// run) when the slice's time is up.
//
// Memory is counted, not measured, for what grows with a run: the values the store keeps
// (texts, array elements, variables; TText::keptBytes), the output a caller keeps
// (keepOutput, at most a quarter of the limit) and the texts an evaluation holds while it
// computes the next one (Held). A look finds the run over its memory limit when their sum
// passes it. A single text is bounded besides by MaxTextLength, so what a look cannot see
// between two looks stays small.
class RunBudget {
public:
    using Clock = std::chrono::steady_clock;

    // Why a run must end before its End.
    enum class Over : unsigned char {
        Nothing,
        Time,         // the time limit passed
        Stopped,      // the stop flag was set
        Memory,       // what the run keeps passed the memory limit
        OutOfMemory,  // the system refused memory (std::bad_alloc)
    };

    static constexpr qint64 DefaultMemoryBytes = qint64(256) << 20;
    // The work between two looks at the clock: a few thousand cheap steps, or a quarter of a
    // million characters gone over (well under a millisecond either way).
    static constexpr qint64 WorkPerLook = qint64(1) << 18;
    // The work a step counts by itself, whatever its block does besides.
    static constexpr qint64 StepWork = 64;
    // The longest text a value may hold, in characters.
    static constexpr qint64 MaxTextLength = qint64(1) << 24;

    // The bytes the run may keep; 0 for no limit. DefaultMemoryBytes unless set.
    void setMemoryLimit(qint64 bytes) { m_memoryLimit = bytes; }
    qint64 memoryLimit() const { return m_memoryLimit; }
    // The time a run may take from its start, in milliseconds; none (the default) for no limit.
    void setTimeLimit(std::optional<qint64> millis) { m_timeLimit = millis; }
    std::optional<qint64> timeLimit() const { return m_timeLimit; }
    // A flag another thread may set to end the run at the next look; nullptr for none. It must
    // outlive the runs it watches.
    void setStopFlag(const std::atomic<bool>* flag) { m_stopFlag = flag; }
    // Where the store's kept bytes are read at each look (set by the Calculator that owns both).
    void watchValues(const qint64* bytes) { m_values = bytes; }

    // Begins a run: its clock starts, nothing kept by the caller or held, nothing over. The
    // limits stay as they were set.
    void startRun();
    // Ends a run: no time limit, slice or stop until the next startRun, so that evaluations
    // between runs (a check, the expression builder) are not refused for the last run's sake.
    void endRun();
    // Outside a run every evaluation starts afresh: what ended an evaluation between runs (a
    // check's, the expression builder's) ends no later one. Inline: every evaluation asks.
    void settleOutsideRun() {
        if (!m_running && m_over != Over::Nothing) {
            endRun();
        }
    }
    // Begins a slice of the run that ends after `millis`; 0 for a slice without an end.
    void startSlice(qint64 millis);
    // Milliseconds since startRun().
    qint64 elapsedMillis() const;

    // Counts `work`, and looks when a look is due. False when the run or the slice must end
    // (see over() for which); inline, for every step of a run and every node of a formula.
    bool spend(qint64 work) {
        m_work += work;
        return m_work < m_nextLook || look();
    }
    // Whether the next spend will look (a look found the run or the slice over, or memory was
    // kept since): a caller that spends in batches spends at once then.
    bool due() const { return m_work >= m_nextLook; }
    // Reads the clock, the stop flag and the memory now; false when the run or its slice must
    // end. The next look is due WorkPerLook later.
    bool look();
    // Why the run must end; Nothing while it may go on (its slice may still be over).
    Over over() const { return m_over; }
    // The run must end for memory now, whatever the next look would say: what is about to be
    // kept would pass the limit, or (refusedMemory) the system refused memory.
    void overMemory();
    void refusedMemory();
    // Whether `bytes` more could be kept without passing the memory limit.
    bool fits(qint64 bytes) const;

    // Output the caller keeps (a test case's printed lines), counted until the next startRun.
    // It may take a quarter of the memory limit: a result keeps it after the run, while other
    // results wait and are written out. False, and the run over, when this would pass it.
    bool keepOutput(qint64 bytes);
    // The most output a run may keep (a quarter of the memory limit; 0 for no limit).
    qint64 outputLimit() const { return m_memoryLimit / 4; }
    // Whether the run is over for the output it keeps rather than for its values.
    bool overOutput() const { return m_overOutput; }

    // Counts the bytes of a text an evaluation holds while it computes others, for as long as
    // the Held lives.
    class Held {
    public:
        Held(RunBudget& budget, qint64 bytes) : m_budget(budget), m_bytes(bytes) {
            m_budget.m_held += bytes;
        }
        ~Held() { m_budget.m_held -= m_bytes; }
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;

    private:
        RunBudget& m_budget;
        qint64 m_bytes;
    };

private:
    qint64 kept() const;

    qint64 m_memoryLimit = DefaultMemoryBytes;
    std::optional<qint64> m_timeLimit;
    const std::atomic<bool>* m_stopFlag = nullptr;
    const qint64* m_values = nullptr;
    Clock::time_point m_start = Clock::now();
    std::optional<Clock::time_point> m_deadline;
    std::optional<Clock::time_point> m_sliceEnd;
    qint64 m_work = 0;
    qint64 m_nextLook = WorkPerLook;
    qint64 m_output = 0;
    qint64 m_held = 0;
    Over m_over = Over::Nothing;
    bool m_overOutput = false;
    bool m_sliceOver = false;
    bool m_running = false;  // between startRun and endRun: the stop flag counts
};

}  // namespace trevalon

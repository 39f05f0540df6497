#pragma once

#include <QtGlobal>
#include <random>

namespace trevalon {

// Where checks and runs draw their random numbers, so that tests can script them.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniformly drawn integer with low <= v <= high; callers ensure low <= high.
    virtual qint64 uniform(qint64 low, qint64 high) = 0;
};

// The program's own source: seeded from the clock unless a seed is given, so that a teacher
// can repeat a pupil's run exactly. The mapping onto a range is our own rather than the
// standard library's, so a seed gives the same numbers on every platform.
class SeededRandom : public RandomSource {
public:
    SeededRandom() { seedFromClock(); }

    void seed(quint64 value) { m_engine.seed(value); }
    void seedFromClock();

    qint64 uniform(qint64 low, qint64 high) override;

private:
    std::mt19937_64 m_engine;
};

}  // namespace trevalon

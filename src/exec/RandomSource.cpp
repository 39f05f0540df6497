#include "exec/RandomSource.h"

#include <chrono>

namespace trevalon {

void SeededRandom::seedFromClock() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                       std::chrono::system_clock::now().time_since_epoch().count();
    m_engine.seed(static_cast<quint64>(ticks));
}

qint64 SeededRandom::uniform(qint64 low, qint64 high) {
    const quint64 span = static_cast<quint64>(high) - static_cast<quint64>(low);
    if (span == ~quint64{0}) {
        return static_cast<qint64>(m_engine());
    }
    const quint64 range = span + 1;
    // Rejecting the top partial block keeps every value equally likely.
    const quint64 limit = (~quint64{0}) - ((~quint64{0}) % range + 1) % range;
    quint64 draw = m_engine();
    while (draw > limit) {
        draw = m_engine();
    }
    return static_cast<qint64>(static_cast<quint64>(low) + draw % range);
}

}  // namespace trevalon

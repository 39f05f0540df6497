#include "calc/TextSearch.h"

namespace trevalon {

TextSearch::TextSearch(QStringView needle, Qt::CaseSensitivity cs, RunBudget& budget)
    : m_needle(needle), m_cs(cs), m_budget(budget) {
    const auto length = static_cast<size_t>(needle.size());
    const qint64 bytes = static_cast<qint64>(length) * (sizeof(char32_t) + sizeof(qint32));
    if (!m_budget.fits(bytes)) {
        m_budget.overMemory();
        return;
    }
    m_held.emplace(m_budget, bytes);
    m_keys.resize(length);
    for (size_t i = 0; i < length; ++i) {
        const auto at = static_cast<qsizetype>(i);
        m_keys[i] = cs == Qt::CaseInsensitive ? key<true>(needle, at) : key<false>(needle, at);
    }
    m_border.resize(length);
    qint32 k = 0;
    for (size_t i = 1; i < length; ++i) {
        while (k > 0 && m_keys[i] != m_keys[static_cast<size_t>(k)]) {
            k = m_border[static_cast<size_t>(k - 1)];
        }
        if (m_keys[i] == m_keys[static_cast<size_t>(k)]) {
            ++k;
        }
        m_border[i] = k;
    }
}

qsizetype TextSearch::indexIn(QStringView haystack) const {
    qsizetype first = -1;
    const bool searched = forEachIn(haystack, [&first](qsizetype at) {
        first = at;
        return false;
    });
    return searched ? first : -1;
}

}  // namespace trevalon

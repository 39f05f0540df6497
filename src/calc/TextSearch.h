#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "calc/RunBudget.h"

namespace trevalon {

// Finds a text in another in time linear in their lengths, whatever they hold, with case folded
// as QString folds it when asked (a low surrogate after a high one as the whole code point).
// QString's own search takes time of the product of the two lengths on some texts (a long run
// of one letter sought in another: a replace on a text of millions of characters would take
// hours), so the Calculator's functions search here (Knuth, Morris and Pratt's way). The
// search's tables (8 bytes a character of the needle) are held on `budget`, and the characters
// gone over are spent on it as the search goes; when the budget is over, the search gives up
// (the caller asks the budget why).
class TextSearch {
public:
    // `needle` must not be empty; it and the budget must outlive the search.
    TextSearch(QStringView needle, Qt::CaseSensitivity cs, RunBudget& budget);

    // The first occurrence in `haystack`, or -1 (also when the budget stopped the search).
    qsizetype indexIn(QStringView haystack) const;

    // Calls `found(at)` for the occurrences in `haystack` from the left, never overlapping,
    // while it answers true. False when the budget stopped the search.
    template <typename Found>
    bool forEachIn(QStringView haystack, Found found) const {
        if (m_keys.empty()) {
            return false;  // the tables would not fit the memory limit
        }
        return m_cs == Qt::CaseInsensitive ? scan<true>(haystack, found)
                                           : scan<false>(haystack, found);
    }

private:
    // What a character compares as.
    template <bool Fold>
    static char32_t key(QStringView text, qsizetype i) {
        const char16_t c = text[i].unicode();
        if constexpr (!Fold) {
            return c;
        } else {
            if (QChar::isLowSurrogate(c) && i > 0 &&
                QChar::isHighSurrogate(text[i - 1].unicode())) {
                return QChar::toCaseFolded(QChar::surrogateToUcs4(text[i - 1].unicode(), c));
            }
            return QChar::toCaseFolded(char32_t(c));
        }
    }

    template <bool Fold, typename Found>
    bool scan(QStringView haystack, Found found) const {
        // The characters gone over between two spends.
        constexpr qsizetype kChunk = qsizetype(1) << 16;
        const auto length = static_cast<qint32>(m_needle.size());
        qint32 k = 0;  // how much of the needle the characters before i match
        for (qsizetype chunk = 0; chunk < haystack.size(); chunk += kChunk) {
            const qsizetype end = std::min(haystack.size(), chunk + kChunk);
            for (qsizetype i = chunk; i < end; ++i) {
                const char32_t c = key<Fold>(haystack, i);
                while (k > 0 && c != m_keys[static_cast<size_t>(k)]) {
                    k = m_border[static_cast<size_t>(k - 1)];
                }
                if (c == m_keys[static_cast<size_t>(k)] && ++k == length) {
                    k = 0;  // occurrences never overlap
                    if (!found(i + 1 - length)) {
                        return true;
                    }
                }
            }
            if (!m_budget.spend(end - chunk) && m_budget.over() != RunBudget::Over::Nothing) {
                return false;
            }
        }
        return true;
    }

    QStringView m_needle;
    Qt::CaseSensitivity m_cs;
    RunBudget& m_budget;
    std::optional<RunBudget::Held> m_held;
    std::vector<char32_t> m_keys;  // the needle's characters as they compare
    // For each prefix of the needle, the length of its longest proper prefix that is also its
    // suffix: where a partial match goes on after a mismatch.
    std::vector<qint32> m_border;
};

}  // namespace trevalon

#include "calc/Mask.h"

#include <vector>

#include "calc/RunBudget.h"

namespace trevalon::calc {

namespace {

// One position of a compiled mask.
struct MaskItem {
    enum Kind { Literal, AnyOne, AnyRun, Set } kind = Literal;
    QChar literal;
    bool negated = false;
    std::vector<std::pair<QChar, QChar>> ranges;  // folded bounds, inclusive
};

QChar fold(QChar c) {
    return c.toCaseFolded();
}

bool compile(QStringView mask, std::vector<MaskItem>& items) {
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        MaskItem item;
        if (c == u'*') {
            // Consecutive stars match what one star matches.
            if (!items.empty() && items.back().kind == MaskItem::AnyRun) {
                continue;
            }
            item.kind = MaskItem::AnyRun;
        } else if (c == u'?') {
            item.kind = MaskItem::AnyOne;
        } else if (c == u'[') {
            item.kind = MaskItem::Set;
            qsizetype j = i + 1;
            if (j < mask.size() && mask[j] == u'!') {
                item.negated = true;
                ++j;
            }
            bool closed = false;
            while (j < mask.size()) {
                if (mask[j] == u']') {
                    closed = true;
                    break;
                }
                const QChar low = fold(mask[j]);
                if (j + 2 < mask.size() && mask[j + 1] == u'-' && mask[j + 2] != u']') {
                    item.ranges.emplace_back(low, fold(mask[j + 2]));
                    j += 3;
                } else {
                    item.ranges.emplace_back(low, low);
                    ++j;
                }
            }
            if (!closed) {
                return false;
            }
            i = j;
        } else {
            item.literal = fold(c);
        }
        items.push_back(std::move(item));
    }
    return true;
}

bool matchesOne(const MaskItem& item, QChar c) {
    const QChar folded = fold(c);
    switch (item.kind) {
        case MaskItem::Literal:
            return folded == item.literal;
        case MaskItem::AnyOne:
            return true;
        case MaskItem::Set: {
            bool inSet = false;
            for (const auto& [low, high] : item.ranges) {
                if (folded >= low && folded <= high) {
                    inSet = true;
                    break;
                }
            }
            return inSet != item.negated;
        }
        case MaskItem::AnyRun:
            break;
    }
    return false;
}

}  // namespace

std::optional<bool> matchesMask(QStringView text, QStringView mask, RunBudget* budget) {
    std::vector<MaskItem> items;
    if (!compile(mask, items)) {
        return std::nullopt;
    }
    // Greedy matching that backs up to the last star only: every item other than a star
    // consumes exactly one character, so the last star is the only choice worth revisiting.
    size_t m = 0;
    qsizetype t = 0;
    size_t starItem = items.size();
    qsizetype starText = 0;
    constexpr qint64 kSpendEvery = 1 << 16;
    qint64 unspent = 0;
    while (t < text.size()) {
        if (budget != nullptr && ++unspent == kSpendEvery) {
            unspent = 0;
            if (!budget->spend(kSpendEvery) && budget->over() != RunBudget::Over::Nothing) {
                return false;
            }
        }
        if (m < items.size() && items[m].kind == MaskItem::AnyRun) {
            starItem = m++;
            starText = t;
        } else if (m < items.size() && matchesOne(items[m], text[t])) {
            ++m;
            ++t;
        } else if (starItem < items.size()) {
            m = starItem + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (m < items.size() && items[m].kind == MaskItem::AnyRun) {
        ++m;
    }
    return m == items.size();
}

}  // namespace trevalon::calc

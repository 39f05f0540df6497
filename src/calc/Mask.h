#pragma once

#include <QStringView>
#include <optional>

namespace trevalon {
class RunBudget;
}

namespace trevalon::calc {

// Matches `text` against a file-name style mask: `*` any run of characters (also none), `?`
// one character, `[abc]` one of the listed characters, `[a-z]` one in the range, `[!abc]` one
// not listed. Letters match without regard to case. Nothing for a malformed mask (a `[` without
// its `]`). Runs in time proportional to the product of the lengths at worst: the characters
// it goes over are spent on `budget` (when given), and it gives up, answering false, when the
// budget is over (the caller asks the budget why).
std::optional<bool> matchesMask(QStringView text, QStringView mask, RunBudget* budget = nullptr);

}  // namespace trevalon::calc

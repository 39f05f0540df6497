#pragma once

#include <QStringView>
#include <optional>

namespace trevalon::calc {

// Matches `text` against a file-name style mask: `*` any run of characters (also none), `?`
// one character, `[abc]` one of the listed characters, `[a-z]` one in the range, `[!abc]` one
// not listed. Letters match without regard to case. Nothing for a malformed mask (a `[` without
// its `]`). Runs in time proportional to the product of the lengths at worst, so long texts
// and masks with many stars cannot stall an evaluation.
std::optional<bool> matchesMask(QStringView text, QStringView mask);

}  // namespace trevalon::calc

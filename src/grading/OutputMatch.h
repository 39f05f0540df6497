#pragma once

#include <QString>

#include "grading/TestSuite.h"

namespace trevalon {

enum class LineMatch {
    Matches,
    Differs,
    // A ~re pattern whose matching the engine gave up (it hit its limit of backtracking, as
    // (a?){25}a{25} does against 25 a's): neither a match nor a mismatch, and never to be
    // passed off silently as one.
    TooCostly,
};

// Whether one printed line is what `expected` asks for. Trailing spaces and tabs are never
// compared. ~s leaves out every space and tab on both sides; ~i compares letters without regard
// to case; ~n splits both lines into numbers and the text between them: the texts must match,
// the numbers (written with "." or ",") may differ by the tolerance; ~re matches the whole
// line against the pattern (an invalid pattern matches nothing).
LineMatch compareLine(const ExpectedLine& expected, const QString& actual);

// compareLine(...) == LineMatch::Matches.
bool matchesLine(const ExpectedLine& expected, const QString& actual);

}  // namespace trevalon

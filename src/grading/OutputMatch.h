#pragma once

#include <QString>

#include "grading/TestSuite.h"

namespace trevalon {

// Whether one printed line is what `expected` asks for. Trailing spaces and tabs are never
// compared. ~s leaves out every space and tab on both sides; ~i compares letters without regard
// to case; ~n splits both lines into numbers and the text between them: the texts must match,
// the numbers (written with "." or ",") may differ by the tolerance; ~re matches the whole
// line against the pattern (an invalid pattern matches nothing).
bool matchesLine(const ExpectedLine& expected, const QString& actual);

}  // namespace trevalon

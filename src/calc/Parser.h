#pragma once

#include <QString>
#include <memory>

#include "calc/ExprNode.h"

namespace trevalon {

// Deepest nesting of parentheses, and tallest tree, that a formula may have; deeper formulas
// are rejected with the generic error instead of exhausting the stack.
constexpr int kMaxFormulaDepth = 256;

// Parses a formula as the caller wrote it: trailing blanks and semicolons cut, arguments
// bracketed, then the three-level grammar. The result carries the tree, the assignments the
// scanner captured (to be stored before evaluation) and the first error, if any; a formula
// with an error has no tree.
// Captured right-hand sides are parsed too, up to `kMaxCaptureNesting` captures deep.
std::shared_ptr<const ParsedFormula> parseFormula(const QString& formula, QChar quote,
                                                  int captureNesting = 0);

constexpr int kMaxCaptureNesting = 4;

}  // namespace trevalon

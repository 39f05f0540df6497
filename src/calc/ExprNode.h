#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "calc/Codes.h"

namespace trevalon {

// One operator, operand or function call of a parsed formula. Nodes live in the node table of
// their `ParsedFormula` and refer to each other by position; -1 is no node.
struct ExprNode {
    int code = op::End;
    // Digits of a number, contents of a text, a name, a set literal, or a function's name with
    // its "(".
    QString text;
    int left = -1;   // left operand; the operand of a unary node; a function's arguments
    int right = -1;  // right operand; the exponent of `^`
    int height = 1;  // levels of the subtree under and including this node
    // The subtree is numbers, stored names, `+ - * /`, unary minus, orderings and equalities
    // of literals and names only: it can neither change the store nor yield a text, so it may
    // be computed on numbers (see Evaluator::pureNumber). Number literals keep the value their
    // digits are read as.
    bool numeric = false;
    bool hasNumber = false;
    long double number = 0;
    // Names: the store key (upper case). Captured assignments: the key "@@NAME", with the
    // plain NAME in `assignedKey` and the capture that made it in `capture`.
    QString key;
    QString assignedKey;
    int capture = -1;
    // Where the last evaluation found `key` and `assignedKey` in the store, valid while the
    // store's generation is the one noted (-1: not there).
    mutable quint64 keyGeneration = 0;
    mutable int keySlot = -1;
    mutable quint64 assignedGeneration = 0;
    mutable int assignedSlot = -1;
};

struct ParsedFormula;

// An assignment taken from the formula by the scanner: stored as `stored` under `key` before
// evaluation; `formula` is the captured text, trimmed, ready to evaluate, and `parsed` its
// parse (absent for captures nested too deeply in one another).
struct Capture {
    QString key;
    QString stored;
    QString formula;
    std::shared_ptr<const ParsedFormula> parsed;
};

// Everything a parse produces; immutable once made, so one parse can serve many evaluations.
struct ParsedFormula {
    QChar quote;
    int typeGuess = 1;  // 1 when the formula holds no quote character, else 2
    std::vector<ExprNode> nodes;
    int root = -1;
    std::vector<Capture> captures;
    int errorNumber = 0;  // a calc::Error, 0 when the parse succeeded
    QString errorDetail;
    // The formula is one assignment "NAME:=formula" whose right-hand side can neither see nor
    // change the store's captured entries (no `existvar`, `freevar`, `eval`, no assignments of
    // its own). Storing and removing its "@@NAME" entry would then change nothing a formula or
    // a caller can observe except the slot bookkeeping, so the Calculator may skip the entry.
    bool directAssignment = false;
};

}  // namespace trevalon

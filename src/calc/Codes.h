#pragma once

namespace trevalon {

// The codes of the expression language: the scanner's tokens, the parsed tree's operations and
// the built-in functions share one space, because a node of the tree holds whichever of them it
// stands for. Every code is below kCodeCount, so tables may be indexed by code. The numbers are
// the language's own (a function's code travels on the argument stack as text); add a code here
// and nowhere else.
namespace op {
enum Code : int {
    // Tokens and operations.
    End = 0,
    Open = 1,
    Close = 2,  // also the word `lf`
    Plus = 3,
    Minus = 4,
    Times = 5,
    Divide = 6,
    Number = 7,
    Text = 8,
    Name = 9,
    Negate = 10,
    Power = 31,
    Div = 200,
    Mod = 201,
    Concat = 202,
    In = 203,
    And = 210,
    Or = 211,
    Equal = 220,
    Less = 221,
    LessEqual = 222,
    Greater = 223,
    GreaterEqual = 224,
    NotEqual = 225,
    Like = 230,
    Wildcard = 231,
    Comma = 250,
    Sequence = 251,

    // Built-in functions (Builtins.cpp's table gives each its name and arguments).
    Cos = 11,
    Sin = 12,
    Tg = 13,
    Ctg = 14,
    Abs = 15,
    Sign = 16,
    Sqrt = 17,
    Ln = 18,
    Exp = 19,
    Arcsin = 20,
    Arccos = 21,
    Arctg = 22,
    Arcctg = 23,
    Sh = 24,
    Ch = 25,
    Th = 26,
    Cth = 27,
    Heaviside = 28,
    ExistVar = 29,
    FreeVar = 30,
    LastDay = 32,
    Frac = 33,
    Trunc = 34,
    Length = 35,
    TrimLeft = 38,
    TrimRight = 39,
    Trim = 41,
    Eval = 42,
    Char = 43,
    Ascii = 44,
    Upper = 45,
    Lower = 46,
    Not = 47,
    Weekday = 48,
    Month = 49,
    Year = 50,
    Day = 51,
    Hour = 52,
    Minute = 53,
    Sec = 54,
    StrToStamp = 55,
    StampToDateStr = 56,
    StampToTimeStr = 57,
    StampToStr = 58,
    Copy = 60,
    CopyTo = 61,
    Pos = 62,
    Delete = 63,
    Replace = 64,
    MaxVal = 65,
    MinVal = 66,
    SumVal = 67,
    AvgVal = 68,
    Iff = 69,
    Insert = 70,
    NumBase = 71,
    BaseNum = 72,
    String = 196,
    Numeric = 197,
    Logic = 198,
    Prefix = 226,
    NameDay = 253,
};

constexpr int kCodeCount = 256;

// The operators that bind like `*` (the parser's `term` level): every binary operator except
// `+`, `-` and `^`.
constexpr bool isTermOperator(int code) {
    switch (code) {
        case Times:
        case Divide:
        case Div:
        case Mod:
        case Concat:
        case In:
        case And:
        case Or:
        case Equal:
        case Less:
        case LessEqual:
        case Greater:
        case GreaterEqual:
        case NotEqual:
        case Like:
        case Wildcard:
        case Comma:
        case Sequence:
            return true;
        default:
            return false;
    }
}

// `<`, `<=`, `>` and `>=`: numbers compared as numbers, anything else as texts.
constexpr bool isOrdering(int code) {
    return code == Less || code == LessEqual || code == Greater || code == GreaterEqual;
}
}  // namespace op

// What a node's code makes of the formula's result type (TCalcul::resultType()).
enum Yields : int {
    YieldsKept = 0,  // what it had: literals, `delete`, `like`, `,` ... (names and `eval` set it)
    YieldsNumber = 1,
    YieldsText = 2,
};

}  // namespace trevalon

#include <gtest/gtest.h>

#include "grading/OutputMatch.h"

using namespace trevalon;

namespace {

struct MatchRow {
    const char* expected;
    const char* options;  // letters: i case, s spacing, n tolerance 0.01, r pattern
    const char* actual;
    LineMatch match;
};

constexpr LineMatch Y = LineMatch::Matches;
constexpr LineMatch N = LineMatch::Differs;

ExpectedLine lineOf(const MatchRow& row) {
    ExpectedLine line;
    line.text = QString::fromUtf8(row.expected);
    const QString options = QString::fromUtf8(row.options);
    line.ignoreCase = options.contains(u'i');
    line.ignoreSpacing = options.contains(u's');
    line.pattern = options.contains(u'r');
    if (options.contains(u'n')) {
        line.tolerance = 0.01;
    }
    return line;
}

}  // namespace

class OutputLines : public ::testing::TestWithParam<MatchRow> {};

TEST_P(OutputLines, MatchAsTheirOptionsSay) {
    const MatchRow& row = GetParam();
    EXPECT_EQ(compareLine(lineOf(row), QString::fromUtf8(row.actual)), row.match)
        << row.expected << " / " << row.actual;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OutputLines,
    ::testing::Values(
        MatchRow{"Wynik: 120", "", "Wynik: 120", Y}, MatchRow{"Wynik: 120", "", "Wynik: 121", N},
        MatchRow{"Wynik: 120 ", "", "Wynik: 120\t", Y},
        MatchRow{"Wynik: 120", "", " Wynik: 120", N}, MatchRow{"Wynik: 120", "", "wynik: 120", N},
        MatchRow{"Wynik: 120", "i", "WYNIK: 120", Y}, MatchRow{"n! = 120", "s", "n!=120", Y},
        MatchRow{"n! = 120", "", "n!=120", N}, MatchRow{"Pole: 19,63", "n", "Pole: 19.634954", Y},
        MatchRow{"Pole: 19,63", "n", "Pole: 19,65", N},
        MatchRow{"Pole: 19,63", "n", "Obwód: 19,63", N},
        MatchRow{"x = 1, y = 2", "n", "x = 1, y = 2, z = 3", N},
        MatchRow{"Wynik: [0-9]+", "r", "Wynik: 720", Y},
        MatchRow{"Wynik: [0-9]+", "r", "Wynik: 720!", N},
        MatchRow{"wynik: [0-9]+", "ri", "WYNIK: 7", Y}, MatchRow{"(", "r", "(", N},
        // The engine gives up on this pattern, which does
        // match: neither a match nor a silent difference.
        MatchRow{"(a?){25}a{25}", "r", "aaaaaaaaaaaaaaaaaaaaaaaaa", LineMatch::TooCostly},
        MatchRow{"(a?){3}a{3}", "r", "aaa", Y}));

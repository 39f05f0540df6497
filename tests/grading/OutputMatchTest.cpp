#include <gtest/gtest.h>

#include "grading/OutputMatch.h"

using namespace trevalon;

namespace {

struct MatchRow {
    const char* expected;
    const char* options;  // letters: i case, s spacing, n tolerance 0.01, r pattern
    const char* actual;
    bool matches;
};

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
    EXPECT_EQ(matchesLine(lineOf(row), QString::fromUtf8(row.actual)), row.matches)
        << row.expected << " / " << row.actual;
}

INSTANTIATE_TEST_SUITE_P(Rows, OutputLines,
                         ::testing::Values(MatchRow{"Wynik: 120", "", "Wynik: 120", true},
                                           MatchRow{"Wynik: 120", "", "Wynik: 121", false},
                                           MatchRow{"Wynik: 120 ", "", "Wynik: 120\t", true},
                                           MatchRow{"Wynik: 120", "", " Wynik: 120", false},
                                           MatchRow{"Wynik: 120", "", "wynik: 120", false},
                                           MatchRow{"Wynik: 120", "i", "WYNIK: 120", true},
                                           MatchRow{"n! = 120", "s", "n!=120", true},
                                           MatchRow{"n! = 120", "", "n!=120", false},
                                           MatchRow{"Pole: 19,63", "n", "Pole: 19.634954", true},
                                           MatchRow{"Pole: 19,63", "n", "Pole: 19,65", false},
                                           MatchRow{"Pole: 19,63", "n", "Obwód: 19,63", false},
                                           MatchRow{"x = 1, y = 2", "n", "x = 1, y = 2, z = 3",
                                                    false},
                                           MatchRow{"Wynik: [0-9]+", "r", "Wynik: 720", true},
                                           MatchRow{"Wynik: [0-9]+", "r", "Wynik: 720!", false},
                                           MatchRow{"wynik: [0-9]+", "ri", "WYNIK: 7", true},
                                           MatchRow{"(", "r", "(", false}));

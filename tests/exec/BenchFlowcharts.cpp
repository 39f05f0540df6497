#include "BenchFlowcharts.h"

#include "FlowBuilder.h"

using namespace trevalon;
using test::FlowBuilder;
using test::s;

namespace {

// The counting loop every case shares, drawn as a pupil draws it: from `row` in `column`
// "i := 0", a join, "i := i + 1", then `lines` vertical lines and the comparison i <= n, whose
// YES branch climbs column - 1 (the loop's body, lines + 1 cells between the two corners)
// back into the join. The NO branch leaves to the right and turns down; returns its row.
int countingLoop(FlowBuilder& f, int column, int row, int lines) {
    f.assign(1, column, row, s("i"), s("0"));
    f.put(1, column, row + 1, KindJoinLeft);
    f.assign(1, column, row + 2, s("i"), s("i + 1"));
    const int test = row + 3 + lines;
    f.column(1, column, row + 3, test - 1, KindLineVertical);
    f.compare(1, column, test, s("i"), 4, s("n"));
    f.put(1, column - 1, test, KindCornerTopRight);
    f.put(1, column - 1, row + 1, KindCornerBottomRight);
    f.put(1, column + 1, test, KindCornerLeftBottom);
    return test;
}

void startWithSize(FlowBuilder& f, const char* size) {
    f.resize(1, 15, 15);
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, s("n"), s(size));
}

}  // namespace

namespace bench_flowcharts {

void arraySquares(Project& p) {
    FlowBuilder f(p);
    startWithSize(f, "1000");
    const int filled = countingLoop(f, 2, 3, 1);  // body climbs: v := i * i, then t[i] := v
    f.assign(1, 1, filled - 1, s("v"), s("i * i"));
    f.array(1, 1, filled - 2, KindArrayWrite, s("t"), s("i"), s("v"));
    const int summed = countingLoop(f, 3, filled + 1, 1);  // x := t[i], then s := s + x
    f.array(1, 2, summed - 1, KindArrayRead, s("t"), s("i"), s("x"));
    f.assign(1, 2, summed - 2, s("s"), s("s + x"));
    f.write(1, 4, summed + 1, s("s"), s("Suma:"));
    f.put(1, 4, summed + 2, KindEnd);
    f.variable(1, 8, 1, s("t"), TypeArray, s("\"*\""));
    f.variable(1, 8, 2, s("n"), TypeInteger);
    f.variable(1, 8, 3, s("i"), TypeInteger);
    f.variable(1, 8, 4, s("v"), TypeInteger);
    f.variable(1, 8, 5, s("x"), TypeInteger);
    f.variable(1, 8, 6, s("s"), TypeInteger);
}

// Without nested loops (a board has 15 rows): one loop walks pass i and place j, the larger
// of t[j] and t[j + 1] moving up; when j passes n - i, i grows and j starts again at 1.
void bubbleSort(Project& p) {
    FlowBuilder f(p);
    startWithSize(f, "300");
    const int filled = countingLoop(f, 2, 3, 1);  // t[i] := n - i + 1
    f.assign(1, 1, filled - 1, s("x"), s("n - i + 1"));
    f.array(1, 1, filled - 2, KindArrayWrite, s("t"), s("i"), s("x"));
    // Down column 3, then up column 4 and along row 1 to the sorting loop in column 6.
    f.assign(1, 3, filled + 1, s("i"), s("1"));
    f.assign(1, 3, filled + 2, s("j"), s("1"));
    f.put(1, 3, filled + 3, KindCornerTopRight);
    f.put(1, 4, filled + 3, KindCornerTopLeft);
    f.column(1, 4, 2, filled + 2, KindLineVertical);
    f.put(1, 4, 1, KindCornerBottomRight);
    f.put(1, 5, 1, KindLineHorizontal);
    f.put(1, 6, 1, KindCornerLeftBottom);
    f.put(1, 6, 2, KindJoinLeft);
    f.column(1, 6, 3, 11, KindLineVertical);
    f.compare(1, 6, 12, s("i"), 2, s("n"));
    f.put(1, 5, 12, KindCornerTopRight);
    f.put(1, 5, 2, KindCornerBottomRight);
    // The body, performed from the bottom up.
    f.array(1, 5, 11, KindArrayRead, s("t"), s("j"), s("x"));
    f.assign(1, 5, 10, s("k"), s("j + 1"));
    f.array(1, 5, 9, KindArrayRead, s("t"), s("k"), s("y"));
    f.assign(1, 5, 8, s("w"), s("MinVal(x, y)"));
    f.assign(1, 5, 7, s("y"), s("MaxVal(x, y)"));
    f.array(1, 5, 6, KindArrayWrite, s("t"), s("j"), s("w"));
    f.array(1, 5, 5, KindArrayWrite, s("t"), s("k"), s("y"));
    f.assign(1, 5, 4, s("j"), s("k - (k > (n - i)) * (k - 1)"));
    f.assign(1, 5, 3, s("i"), s("i + (j = 1)"));
    // Out of the loop: the first and the last element, written on column 8.
    f.put(1, 7, 12, KindCornerLeftBottom);
    f.assign(1, 7, 13, s("j"), s("1"));
    f.array(1, 7, 14, KindArrayRead, s("t"), s("j"), s("x"));
    f.put(1, 7, 15, KindCornerTopRight);
    f.put(1, 8, 15, KindCornerTopLeft);
    f.array(1, 8, 14, KindArrayRead, s("t"), s("n"), s("y"));
    f.write(1, 8, 13, s("y"), s("Pierwszy: $x$, ostatni:"));
    f.put(1, 8, 12, KindCornerBottomRight);
    f.put(1, 9, 12, KindCornerLeftBottom);
    f.put(1, 9, 13, KindEnd);
    f.variable(1, 12, 1, s("t"), TypeArray, s("\"*\""));
    const char* const numbers[] = {"n", "i", "j", "k", "x", "y", "w"};
    for (int v = 0; v < 7; ++v) {
        f.variable(1, 12, v + 2, s(numbers[v]), TypeInteger);
    }
}

void textGrowth(Project& p) {
    FlowBuilder f(p);
    startWithSize(f, "10000");
    const int test = countingLoop(f, 2, 3, 0);
    f.assign(1, 1, test - 1, s("s"), s("s || \"x\""));
    f.assign(1, 3, test + 1, s("d"), s("Length(s)"));
    f.write(1, 3, test + 2, s("d"), s("Długość:"));
    f.put(1, 3, test + 3, KindEnd);
    f.variable(1, 8, 1, s("s"), TypeText, s("\"\""));
    f.variable(1, 8, 2, s("n"), TypeInteger);
    f.variable(1, 8, 3, s("i"), TypeInteger);
    f.variable(1, 8, 4, s("d"), TypeInteger);
}

// The call climbs with the loop's body, so its return stands above it.
void procedureCalls(Project& p) {
    FlowBuilder f(p);
    startWithSize(f, "100000");
    const int test = countingLoop(f, 2, 3, 1);
    f.named(1, 1, test - 1, KindCall, s("WywolajDodaj")).text2 = s("Dodaj");
    f.named(1, 1, test - 2, KindReturn, s("PowrotDodaj")).text2 = s("WywolajDodaj");
    f.write(1, 3, test + 1, s("s"), s("Suma:"));
    f.put(1, 3, test + 2, KindEnd);
    f.variable(1, 8, 1, s("n"), TypeInteger);
    f.variable(1, 8, 2, s("i"), TypeInteger, s("0"), 1);
    f.variable(1, 8, 3, s("s"), TypeInteger, s("0"), 1);

    f.procedure(s("Dodaj"), s("WywolajDodaj"), s("PowrotDodaj"), s("s"), s("s + i"));
}

void formulas(Project& p) {
    FlowBuilder f(p);
    startWithSize(f, "10000");
    const int test = countingLoop(f, 2, 3, 0);
    f.assign(1, 1, test - 1, s("s"),
             s("s + Trunc(Sqrt(i)) + i mod 7 + Length(Copy(\"Serduszko\", i mod 9 + 1))"));
    f.write(1, 3, test + 1, s("s"), s("Wynik:"));
    f.put(1, 3, test + 2, KindEnd);
    f.variable(1, 8, 1, s("n"), TypeInteger);
    f.variable(1, 8, 2, s("i"), TypeInteger);
    f.variable(1, 8, 3, s("s"), TypeInteger);
}

}  // namespace bench_flowcharts

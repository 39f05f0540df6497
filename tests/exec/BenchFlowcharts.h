#pragma once

#include "model/Project.h"

// The flowcharts that bench/cpython_compare.py times against the same algorithms in Python.
// Each reads its size from one assignment `n := ...` at the top of board 1 (the stored value
// is the smallest size the script runs) and writes one result line at its End.
namespace bench_flowcharts {

void arraySquares(trevalon::Project& p);    // a[i] := i*i for i in 1..n, then the sum of a[i]
void bubbleSort(trevalon::Project& p);      // n numbers in reverse order sorted, first and last
void textGrowth(trevalon::Project& p);      // s := s || "x" n times, then its length
void procedureCalls(trevalon::Project& p);  // a procedure board called n times in a loop
void formulas(trevalon::Project& p);        // a loop of Sqrt, Copy and mod formulas

}  // namespace bench_flowcharts

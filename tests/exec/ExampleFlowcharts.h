#pragma once

#include <span>

#include "model/Project.h"

// The flowcharts shipped in examples/ (and the benchmarks' flowcharts in bench/), built through the
// model so that the files can be made again with the program's own writer.
struct ExampleFlowchart {
    const char* file;  // relative to the source tree
    void (*build)(trevalon::Project& project);
};

std::span<const ExampleFlowchart> exampleFlowcharts();

#pragma once

#include <span>

#include "model/Project.h"

// Flowcharts beside the examples that the translation corpus runs: each shows one shape of flow
// or one kind of value, with the input lines a run reads.
struct CorpusFlowchart {
    const char* name;
    void (*build)(trevalon::Project& project);
    // Runs, each its input lines separated by "\n".
    std::span<const char* const> inputs;
    bool unstructured;  // only the state machine can write it
    // The project's file name, which the generated code's first comment quotes; nullptr for
    // "flowchart.skb".
    const char* file = nullptr;
    // Compiled as ISO C++14 too, where trigraphs are read, besides C++17.
    bool alsoCpp14 = false;
};

std::span<const CorpusFlowchart> corpusFlowcharts();

// The undo history on the largest project: three boards with every one of their 225 cells in
// use, one formula changed per step. Reports the time to record a step and what each step keeps.

#include <benchmark/benchmark.h>

#include <memory>

#include "FullProject.h"
#include "edit/UndoHistory.h"
#include "model/Project.h"

using namespace trevalon;

namespace {

using bench::fullProject;

// Records `state.range(0)` steps, each changing one cell of a cycling board; the counters are
// the bytes kept per step and the steps the default budget holds.
void BM_RecordSteps(benchmark::State& state) {
    const auto steps = static_cast<int>(state.range(0));
    auto project = fullProject();
    std::size_t bytes = 0;
    std::size_t levels = 0;
    for (auto _ : state) {
        UndoHistory history;
        history.reset(*project);
        for (int i = 0; i < steps; ++i) {
            project->cell(i % 3 + 1, i % kGridSize + 1, 1).text4 = QString::number(i);
            history.record(*project);
        }
        bytes = history.bytes();
        levels = history.levels();
        benchmark::DoNotOptimize(levels);
    }
    state.SetItemsProcessed(state.iterations() * steps);
    state.counters["bytes_per_step"] = static_cast<double>(bytes) / static_cast<double>(levels);
    state.counters["levels_kept"] = static_cast<double>(levels);
    state.counters["budget_MiB"] = static_cast<double>(UndoHistory::DefaultByteBudget >> 20);
}
BENCHMARK(BM_RecordSteps)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

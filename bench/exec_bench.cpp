// The executor on bench/loop.skb, headless: a million rounds of two assignments and a
// comparison (six blocks a round). Reports the time of the whole run and steps per second.
#include <benchmark/benchmark.h>

#include <QString>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "exec/Executor.h"
#include "exec/Workspace.h"
#include "storage/ProjectFile.h"

namespace {

class Quiet : public trevalon::MessageSink {
public:
    int showMessage(int, int, const QString&) override { return ResultClose; }
};

class NoLog : public trevalon::EventLog {
public:
    void log(const QString&) override {}
    int level() const override { return 0; }
};

void loopRun(benchmark::State& state) {
    Quiet quiet;
    NoLog log;
    qint64 steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        trevalon::Workspace workspace(log, quiet);
        const bool loaded = trevalon::ProjectFile::load(
            workspace.project(), QStringLiteral(TREVALON_SOURCE_DIR "/bench/loop.skb"), quiet, log,
            workspace.texts());
        if (!loaded) {
            state.SkipWithError("bench/loop.skb cannot be read");
            return;
        }
        state.ResumeTiming();
        workspace.executor().run();
        if (workspace.executor().lastEnd() != trevalon::RunEnd::Finished) {
            state.SkipWithError("the loop did not reach its End");
            return;
        }
        steps += workspace.executor().stepsTaken();
        benchmark::DoNotOptimize(workspace.variablesList());
    }
    state.counters["steps"] =
        benchmark::Counter(static_cast<double>(steps) / static_cast<double>(state.iterations()));
    state.counters["steps_per_second"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(loopRun)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

BENCHMARK_MAIN();

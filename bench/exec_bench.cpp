// The executor on bench/loop.skb, headless: a million rounds of two assignments and a
// comparison (six blocks a round). Reports the time of the whole run and steps per second;
// then the same loop cut to fewer rounds, run without and with a trace table (one row per
// block as it records by default, or with the connectors too when the second argument is 1),
// with the ratio of the two times and the heap bytes a kept row costs.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <time.h>

#include <QString>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "exec/Executor.h"
#include "exec/TraceTable.h"
#include "exec/Workspace.h"
#include "model/Cell.h"
#include "model/KindCode.h"
#include "model/Project.h"
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

// A workspace holding bench/loop.skb, its loop cut to `rounds` when that is not 0.
std::unique_ptr<trevalon::Workspace> loopWorkspace(Quiet& quiet, NoLog& log, qint64 rounds) {
    auto workspace = std::make_unique<trevalon::Workspace>(log, quiet);
    if (!trevalon::ProjectFile::load(workspace->project(),
                                     QStringLiteral(TREVALON_SOURCE_DIR "/bench/loop.skb"), log,
                                     workspace->texts())
             .ok()) {
        return nullptr;
    }
    if (rounds > 0) {
        workspace->project().cell(1, 2, 5).text4 = QString::number(rounds);  // i <= rounds
    }
    return workspace;
}

void loopRun(benchmark::State& state) {
    Quiet quiet;
    NoLog log;
    qint64 steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto workspace = loopWorkspace(quiet, log, 0);
        if (!workspace) {
            state.SkipWithError("bench/loop.skb cannot be read");
            return;
        }
        state.ResumeTiming();
        workspace->executor().run();
        if (workspace->executor().lastEnd() != trevalon::RunEnd::Finished) {
            state.SkipWithError("the loop did not reach its End");
            return;
        }
        steps += workspace->executor().stepsTaken();
        benchmark::DoNotOptimize(workspace->variables().variablesList());
    }
    state.counters["steps"] =
        benchmark::Counter(static_cast<double>(steps) / static_cast<double>(state.iterations()));
    state.counters["steps_per_second"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}

// The processor time of this thread, which other work on a shared machine hardly changes.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double secondsOf(const std::function<void()>& work) {
    const double start = threadSeconds();
    work();
    return threadSeconds() - start;
}

// Each iteration runs the loop in a fresh workspace without a table, then in another with
// one (a second run in the same workspace is slower by itself); the time reported is the
// recorded run's. Times are the thread's processor time, the fastest of the iterations (other
// work on a shared machine only ever adds time); `ratio` is the median over the iterations of
// recorded over plain, each pair run back to back so that both see the same load;
// `bytes_per_row` is the heap the kept rows hold.
void tracedLoop(benchmark::State& state) {
    Quiet quiet;
    NoLog log;
    double plain = 1e9;
    double traced = 1e9;
    double bytesPerRow = 0;
    double rows = 0;
    std::vector<double> ratios;
    for (auto _ : state) {
        const auto bare = loopWorkspace(quiet, log, state.range(0));
        const auto workspace = loopWorkspace(quiet, log, state.range(0));
        if (!bare || !workspace) {
            state.SkipWithError("bench/loop.skb cannot be read");
            return;
        }
        const double bareSeconds = secondsOf([&bare] { bare->executor().run(); });
        plain = std::min(plain, bareSeconds);
        trevalon::Executor& executor = workspace->executor();
        trevalon::TraceTable table(workspace->project(), workspace->texts(),
                                   workspace->variables());
        table.setConnectors(state.range(1) != 0);
        executor.setStepObserver(&table);
        const std::size_t before = mallinfo2().uordblks;
        const double seconds = secondsOf([&executor] { executor.run(); });
        const std::size_t after = mallinfo2().uordblks;
        executor.setStepObserver(nullptr);
        if (bare->executor().lastEnd() != trevalon::RunEnd::Finished ||
            executor.lastEnd() != trevalon::RunEnd::Finished || table.rowCount() == 0) {
            state.SkipWithError("the loop did not reach its End");
            return;
        }
        traced = std::min(traced, seconds);
        ratios.push_back(seconds / bareSeconds);
        state.SetIterationTime(seconds);
        rows = table.rowCount();
        bytesPerRow = static_cast<double>(after - before) / rows;
    }
    state.counters["plain_ms"] = benchmark::Counter(plain * 1000);
    state.counters["traced_ms"] = benchmark::Counter(traced * 1000);
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio"] = benchmark::Counter(ratios[ratios.size() / 2]);
    state.counters["rows_kept"] = benchmark::Counter(rows);
    state.counters["bytes_per_row"] = benchmark::Counter(bytesPerRow);
}

// What a window over the trace table pays to draw a screenful of rows: 25 rows read as the
// trace window reads them (row, action, values, changes), at the newest end of a table of
// `rounds` loop rounds (100 000 rows kept) and in its middle. Rebuilding a row's values walks
// back until every column has a value, so a column the run never writes (`constant`: a
// variable block of its own) costs a walk to the first kept row.
void traceScreenful(benchmark::State& state) {
    Quiet quiet;
    NoLog log;
    const auto workspace = loopWorkspace(quiet, log, state.range(0));
    if (!workspace) {
        state.SkipWithError("bench/loop.skb cannot be read");
        return;
    }
    if (state.range(2) != 0) {
        trevalon::Project& project = workspace->project();
        project.placeBlock(1, 15, 15, trevalon::KindVariable / 10, trevalon::KindVariable % 10);
        ++project.board(1).variableCount;
        trevalon::Cell& constant = project.cell(1, 15, 15);
        constant.name = QStringLiteral("stala");
        constant.mode = trevalon::TypeInteger;
        constant.text4 = QStringLiteral("7");
    }
    trevalon::TraceTable table(workspace->project(), workspace->texts(), workspace->variables());
    workspace->executor().setStepObserver(&table);
    workspace->executor().run();
    workspace->executor().setStepObserver(nullptr);
    constexpr int Screenful = 25;
    const int first = state.range(1) != 0 ? table.rowCount() - Screenful : table.rowCount() / 2;
    for (auto _ : state) {
        for (int i = first; i < first + Screenful; ++i) {
            benchmark::DoNotOptimize(table.row(i));
            benchmark::DoNotOptimize(table.action(i));
            benchmark::DoNotOptimize(table.valuesAt(i));
            benchmark::DoNotOptimize(table.changedAt(i));
        }
    }
    state.counters["rows_kept"] = benchmark::Counter(table.rowCount());
}

}  // namespace

BENCHMARK(loopRun)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(tracedLoop)
    ->ArgsProduct({{10000, 100000, 1000000}, {0, 1}})
    ->ArgNames({"rounds", "connectors"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(9)
    ->UseManualTime();

BENCHMARK(traceScreenful)
    ->ArgsProduct({{100000}, {0, 1}, {0, 1}})
    ->ArgNames({"rounds", "newest", "constant"})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// Evaluations per second of typical block formulas, the way the executor hands them to the
// Calculator on every step.
#include <benchmark/benchmark.h>

#include "calc/TCalcul.h"

using trevalon::TCalcul;

namespace {

// A store like a pupil's loop sees it: ten variables plus the run's four constants.
const QString kVariables = QStringLiteral(
    "I=0\r\nN=1000000\r\nSUMA=0\r\nX=2,5\r\nY=7\r\nS=\"Ala ma kota\"\r\nT=\"\"\r\n"
    "D=\"2012/07/13\"\r\nOK=1\r\nK=3\r\n"
    "Pi=3.14159265358979\r\ne=2,71828183\r\nDegToRad=0,017453\r\nRadToDeg=57,29578\r\n");

void evaluateRepeatedly(benchmark::State& state, const QString& formula) {
    TCalcul calculator;
    calculator.LoadVariables(kVariables);
    calculator.setFormula(formula);
    QString result;
    for (auto _ : state) {
        if (!calculator.Evaluate(result)) {
            state.SkipWithError(calculator.errorText().toUtf8().constData());
            break;
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}

void assignment(benchmark::State& state) {
    evaluateRepeatedly(state, QStringLiteral("I:=i+1"));
}
BENCHMARK(assignment);

void comparison(benchmark::State& state) {
    evaluateRepeatedly(state, QStringLiteral("i<=(n)"));
}
BENCHMARK(comparison);

void sumAssignment(benchmark::State& state) {
    evaluateRepeatedly(state, QStringLiteral("SUMA:=suma+x*k"));
}
BENCHMARK(sumAssignment);

void textFormula(benchmark::State& state) {
    evaluateRepeatedly(state, QStringLiteral("copy(s, 5, 3) || \"-\" || copy(s, 1, 3)"));
}
BENCHMARK(textFormula);

void textAssignment(benchmark::State& state) {
    evaluateRepeatedly(state, QStringLiteral("T:=copy(s, 1, 3) || \"!\""));
}
BENCHMARK(textAssignment);

void dateFunction(benchmark::State& state) {
    evaluateRepeatedly(state, QStringLiteral("weekday(d)"));
}
BENCHMARK(dateFunction);

void realArithmetic(benchmark::State& state) {
    evaluateRepeatedly(state, QStringLiteral("x/3 + sqrt(y)"));
}
BENCHMARK(realArithmetic);

}  // namespace

BENCHMARK_MAIN();

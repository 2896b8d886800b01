// Times Compute on the workloads W1-W5, polynomial and trigonometric, with 1
// and 2 threads, Compute with the fit figures on W4, the figures alone on W4,
// Compute with the snapshot the window measures the figures on off its
// thread, and Evaluate on W4.
// compare_numpy.py reads the JSON output.
#include "commands/compute_command.h"
#include "engine/compute.h"
#include "engine/evaluate.h"
#include "engine/fit_figures.h"
#include "workloads.h"

#include <benchmark/benchmark.h>

#include <random>

namespace tavex::bench {
namespace {

void BM_Compute(benchmark::State& state, const Workload* workload, bool trigonometric, bool measureFit)
{
    ProblemModel model = MakeWorkloadProblem(*workload, trigonometric);
    const ComputeOptions options{static_cast<int>(state.range(0)), measureFit};
    for (auto _ : state) {
        state.PauseTiming();
        model.coef = model.funTable;
        benchmark::DoNotOptimize(model.coef.data()); // the copy a shared table makes on its first write
        state.ResumeTiming();
        const ComputeOutcome outcome = Compute(model, kAllSpaced, options);
        if (!outcome.succeeded)
            state.SkipWithError(outcome.failureLine.c_str());
        if (measureFit && !outcome.figures)
            state.SkipWithError("no fit figures");
        benchmark::DoNotOptimize(model.coef.data());
    }
    state.counters["values"] = static_cast<double>(model.coef.size());
}

// What the main window's thread does before the listing shows: the
// coefficients, then the snapshot the fit figures are measured on elsewhere.
void BM_ComputeFiguresLater(benchmark::State& state, bool trigonometric)
{
    ProblemModel model = MakeWorkloadProblem(Workloads()[3], trigonometric);
    const ComputeOptions options{static_cast<int>(state.range(0)), false};
    for (auto _ : state) {
        state.PauseTiming();
        model.coef = model.funTable;
        benchmark::DoNotOptimize(model.coef.data());
        state.ResumeTiming();
        if (!Compute(model, kAllSpaced, options).succeeded)
            state.SkipWithError("compute failed");
        const command::FitMeasurement measurement(model);
        benchmark::DoNotOptimize(&measurement);
    }
}

// The figures of computed coefficients, factoring the bases themselves.
void BM_MeasureFit(benchmark::State& state, const Workload* workload, bool trigonometric)
{
    ProblemModel model = MakeWorkloadProblem(*workload, trigonometric);
    if (!Compute(model, kAllSpaced).succeeded) {
        state.SkipWithError("compute failed");
        return;
    }
    for (auto _ : state) {
        const std::optional<FitFigures> figures = MeasureFit(model, static_cast<int>(state.range(0)));
        if (!figures)
            state.SkipWithError("no fit figures");
        benchmark::DoNotOptimize(figures);
    }
}

void BM_Evaluate1000(benchmark::State& state, bool trigonometric)
{
    ProblemModel model = MakeWorkloadProblem(Workloads()[3], trigonometric);
    if (!Compute(model, kAllSpaced).succeeded) {
        state.SkipWithError("compute failed");
        return;
    }
    std::mt19937 gen(1);
    std::uniform_real_distribution<double> coordinate(-1.0, 1.0);
    std::vector<std::array<double, 4>> points(1000);
    for (auto& p : points)
        for (auto& x : p)
            x = coordinate(gen);
    double sum = 0;
    for (auto _ : state) {
        for (const auto& p : points) {
            PerVariable<double> offsets{};
            for (std::size_t v = 0; v < 4; ++v)
                offsets[v] = p[v] - model.Var(v).center;
            sum += Evaluate(model, offsets).value_or(0.0);
        }
    }
    benchmark::DoNotOptimize(sum);
}

int Register()
{
    for (const Workload& w : Workloads()) {
        for (const bool trig : {false, true}) {
            const std::string name = std::string("Compute/") + w.name + (trig ? "/trig" : "/poly");
            benchmark::RegisterBenchmark(name.c_str(), BM_Compute, &w, trig, false)
                ->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()
                ->MinTime(w.counts.size() >= 4 ? 2.0 : 0.5);
        }
    }
    // What the figures add: against Compute/W4 above.
    const Workload& w4 = Workloads()[3];
    for (const bool trig : {false, true})
        benchmark::RegisterBenchmark(trig ? "ComputeWithFigures/W4/trig" : "ComputeWithFigures/W4/poly", BM_Compute,
                                     &w4, trig, true)
            ->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
    benchmark::RegisterBenchmark("MeasureFit/W4/poly", BM_MeasureFit, &w4, false)
        ->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
    for (const bool trig : {false, true})
        benchmark::RegisterBenchmark(trig ? "ComputeFiguresLater/W4/trig" : "ComputeFiguresLater/W4/poly",
                                     BM_ComputeFiguresLater, trig)
            ->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
    for (const bool trig : {false, true})
        benchmark::RegisterBenchmark(trig ? "Evaluate1000/W4/trig" : "Evaluate1000/W4/poly",
                                     BM_Evaluate1000, trig)
            ->Unit(benchmark::kMillisecond)->UseRealTime();
    return 0;
}

const int registered = Register();

} // namespace
} // namespace tavex::bench

BENCHMARK_MAIN();

// Times the hand-entry steps on big grids: the function window's step and
// store on W2 (200 x 200), Add values (through its temporary file) and
// Delete on W4 (40^4), and a paste of 40,000 function values on W2.
#include "data/function_form.h"
#include "data/value_lists.h"
#include "io/problem/function_relay.h"
#include "workloads.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace tavex::bench {
namespace {

using Box = FunctionForm::Box;

const ProblemModel& Problem(int workload)
{
    static const ProblemModel w2 = MakeWorkloadProblem(Workloads()[1], false);
    static const ProblemModel w4 = MakeWorkloadProblem(Workloads()[3], false);
    return workload == 2 ? w2 : w4;
}

void BM_FunctionWindowStep(benchmark::State& state)
{
    ProblemModel model = Problem(2);
    GridPoint point{};
    FunctionForm form(model, point, *ReadStartingSet(model, "0,0"));
    for (auto _ : state) {
        form.Step(true);
        benchmark::DoNotOptimize(form.Text(Box::Fun).data());
    }
}

void BM_FunctionWindowStore(benchmark::State& state)
{
    ProblemModel model = Problem(2);
    GridPoint point{};
    FunctionForm form(model, point, *ReadStartingSet(model, "100,100"));
    int changes = 0;
    form.onDataChanged = [&] { ++changes; };
    const std::string typed[] = {"1.25", "2.5"};
    int i = 0;
    for (auto _ : state)
        form.Edit(Box::Fun, 0, typed[++i % 2]);
    benchmark::DoNotOptimize(changes);
}

void BM_PasteFunctionValues(benchmark::State& state)
{
    ProblemModel model = Problem(2);
    std::string clipboard;
    for (int i = 0; i < 40000; ++i)
        clipboard += std::to_string(i * 0.001) + (i % 200 == 199 ? "\n" : "\t");
    GridPoint point{};
    FunctionForm form(model, point, *ReadStartingSet(model, "0,0"));
    for (auto _ : state) {
        form.Edit(Box::FunIndex, 0, "0");
        form.Edit(Box::FunIndex, 1, "0");
        if (form.Paste(*PastedNumbers(clipboard)) != 40000)
            state.SkipWithError("not every value was stored");
    }
}

void BM_AddValues(benchmark::State& state)
{
    const std::string folder = std::filesystem::temp_directory_path().string();
    for (auto _ : state) {
        state.PauseTiming();
        ProblemModel model = Problem(4);
        state.ResumeTiming();
        if (!ReLayFunTable(model, 0, 1, folder).ok)
            state.SkipWithError("the re-lay failed");
        model.Var(0).ResizeValues();
        benchmark::DoNotOptimize(model.funTable.data());
    }
}

void BM_DeleteValue(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        ProblemModel model = Problem(4);
        state.ResumeTiming();
        // The first variable's slice is the most scattered in memory.
        benchmark::DoNotOptimize(DeleteListValue(model, 0, 1));
    }
}

BENCHMARK(BM_FunctionWindowStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FunctionWindowStore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PasteFunctionValues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddValues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteValue)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavex::bench

BENCHMARK_MAIN();

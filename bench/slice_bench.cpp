// What the plot window does on every move of a slider, on W4 (40^4),
// polynomial and trigonometric: a slice summed out and sampled at 400
// coordinates, and a sheet summed out and sampled on 200 x 200.
#include "engine/slice.h"
#include "bench_main.h"
#include "workloads.h"

#include <benchmark/benchmark.h>

#include <string>

namespace tavex::bench {
namespace {

constexpr std::size_t kSliceSamples = 400;
constexpr std::size_t kSheetSamples = 200;

// W4 with its tabulated values standing in for the coefficients: the time
// does not depend on their values, and solving W4 first would only slow the start.
const ProblemModel& Expansion(bool trigonometric)
{
    const auto make = [](bool trig) {
        ProblemModel model = MakeWorkloadProblem(Workloads()[3], trig);
        model.SetComputed();
        return model;
    };
    static const ProblemModel poly = make(false), trig = make(true);
    return trigonometric ? trig : poly;
}

std::vector<double> Spaced(std::size_t count)
{
    std::vector<double> xs(count);
    for (std::size_t i = 0; i < count; ++i)
        xs[i] = -1.0 + 2.0 * static_cast<double>(i) / static_cast<double>(count - 1);
    return xs;
}

constexpr PerVariable<double> kPoint{0.3, -0.2, 0.5, 0.1};

void BM_Slice(benchmark::State& state, bool trigonometric)
{
    const ProblemModel& model = Expansion(trigonometric);
    const int variable = static_cast<int>(state.range(0));
    const std::vector<double> xs = Spaced(kSliceSamples);
    for (auto _ : state) {
        const std::vector<double> values = SampleSlice(model, *SliceAlong(model, variable, kPoint), xs);
        benchmark::DoNotOptimize(values.data());
    }
}

void BM_Sheet(benchmark::State& state, bool trigonometric)
{
    const ProblemModel& model = Expansion(trigonometric);
    const int first = static_cast<int>(state.range(0)), second = static_cast<int>(state.range(1));
    const std::vector<double> xs = Spaced(kSheetSamples);
    for (auto _ : state) {
        const std::vector<double> values = SampleSheet(model, *SheetAlong(model, first, second, kPoint), xs, xs);
        benchmark::DoNotOptimize(values.data());
    }
}

void Register()
{
    for (const bool trig : {false, true}) {
        const std::string kind = trig ? "/W4/trig" : "/W4/poly";
        // Free variable 0 sums the table along its later indices, 3 along its
        // contiguous lines first; the sheets likewise.
        benchmark::RegisterBenchmark(("SliceAndSample400" + kind).c_str(), BM_Slice, trig)
            ->ArgName("free")->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();
        benchmark::RegisterBenchmark(("SheetAndSample200x200" + kind).c_str(), BM_Sheet, trig)
            ->ArgNames({"first", "second"})->Args({0, 1})->Args({3, 2})
            ->Unit(benchmark::kMillisecond)->UseRealTime();
    }
}

} // namespace
} // namespace tavex::bench

int main(int argc, char** argv)
{
    tavex::bench::Register();
    return tavex::bench::RunBenchmarks(argc, argv);
}

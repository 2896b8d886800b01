// Derivative and integral on W4 (40^4 coefficients), polynomial and
// trigonometric: the derivative's coefficients, and the integral over the
// variables' intervals. The coefficients are the table itself: the cost does
// not depend on their values.
#include "engine/derivative.h"
#include "engine/integral.h"
#include "workloads.h"

#include <benchmark/benchmark.h>

namespace tavex::bench {
namespace {

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

void BM_Derivative(benchmark::State& state)
{
    const ProblemModel& model = Expansion(state.range(0) != 0);
    const PerVariable<int> orders{1, 0, 2, 1};
    for (auto _ : state)
        benchmark::DoNotOptimize(Derivative(model, orders));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(model.coef.size()));
}
BENCHMARK(BM_Derivative)->Name("Derivative/W4")->ArgName("trig")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Integrate(benchmark::State& state)
{
    const ProblemModel& model = Expansion(state.range(0) != 0);
    const IntegrationBox box = VariableIntervals(model);
    for (auto _ : state)
        benchmark::DoNotOptimize(Integrate(model, box));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(model.coef.size()));
}
BENCHMARK(BM_Integrate)->Name("Integrate/W4")->ArgName("trig")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavex::bench

BENCHMARK_MAIN();

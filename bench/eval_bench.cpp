// Evaluation at many points on W4 (40^4), polynomial and trigonometric:
// Evaluate one point after another against EvaluateMany on 1 and 2 threads
// and each instruction set, in points per second. compare_numpy_eval.py
// reads the JSON output.
//
// --write=DIR leaves in DIR what numpy needs to evaluate the same expansions
// at the same points, and our values there, and exits: w4.txt (counts,
// period, number of points), points.f64 (the offsets, four per point),
// poly.coef.f64 and trig.coef.f64 (the coefficients, first index fastest),
// poly.values.f64 and trig.values.f64; every .f64 file raw native doubles.
#include "engine/compute.h"
#include "engine/evaluate.h"
#include "engine/evaluate_many.h"
#include "bench_main.h"
#include "workloads.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

namespace tavex::bench {
namespace {

constexpr std::size_t kPoints = 10000;
// One point at a time takes about a millisecond each: a tenth of the points
// gives its rate well enough.
constexpr std::size_t kOnePointPoints = 1000;

const Workload& W4() { return Workloads()[3]; }

// W4 with computed coefficients, made once per kind.
const ProblemModel& Expansion(bool trigonometric)
{
    const auto make = [](bool trig) {
        ProblemModel model = MakeWorkloadProblem(W4(), trig);
        if (!Compute(model, kAllSpaced).succeeded)
            std::abort();
        return model;
    };
    static const ProblemModel poly = make(false), trig = make(true);
    return trigonometric ? trig : poly;
}

// Coordinates uniform in [-1, 1].
std::vector<PerVariable<double>> Points(const ProblemModel& model)
{
    std::mt19937 gen(1);
    std::uniform_real_distribution<double> coordinate(-1.0, 1.0);
    std::vector<PerVariable<double>> points(kPoints);
    for (auto& p : points)
        for (int v = 0; v <= model.lastVar; ++v)
            p[static_cast<std::size_t>(v)] = coordinate(gen);
    return points;
}

void SetRate(benchmark::State& state, std::size_t points)
{
    state.counters["points/s"] = benchmark::Counter(static_cast<double>(points),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

void BM_EvaluateOne(benchmark::State& state, bool trigonometric)
{
    const ProblemModel& model = Expansion(trigonometric);
    std::vector<PerVariable<double>> points = Points(model);
    points.resize(kOnePointPoints);
    double sum = 0.0;
    for (auto _ : state)
        for (const auto& p : points)
            sum += Evaluate(model, p).value_or(0.0);
    benchmark::DoNotOptimize(sum);
    SetRate(state, points.size());
}

void BM_EvaluateMany(benchmark::State& state, bool trigonometric)
{
    const ProblemModel& model = Expansion(trigonometric);
    const std::vector<PerVariable<double>> points = Points(model);
    const EvaluateManyOptions options{.threads = static_cast<int>(state.range(0)),
                                      .isa = static_cast<KernelIsa>(state.range(1))};
    for (auto _ : state) {
        std::optional<std::vector<double>> values = EvaluateMany(model, points, options);
        benchmark::DoNotOptimize(values->data());
    }
    SetRate(state, points.size());
}

bool WriteDoubles(const std::string& path, const double* values, std::size_t count)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool written = std::fwrite(values, sizeof(double), count, f) == count;
    return std::fclose(f) == 0 && written;
}

int WriteForNumpy(const std::string& directory)
{
    const std::vector<PerVariable<double>> points = Points(Expansion(false));
    bool ok = WriteDoubles(directory + "/points.f64", points.data()->data(), 4 * points.size());
    for (const bool trig : {false, true}) {
        const ProblemModel& model = Expansion(trig);
        const std::string kind = directory + (trig ? "/trig" : "/poly");
        const std::vector<double> values = EvaluateMany(model, points).value();
        ok = ok && WriteDoubles(kind + ".coef.f64", model.coef.data(), model.coef.size())
                && WriteDoubles(kind + ".values.f64", values.data(), values.size());
    }
    if (std::FILE* f = std::fopen((directory + "/w4.txt").c_str(), "w")) {
        const ProblemModel& model = Expansion(false);
        std::fprintf(f, "%d %d %d %d %.17g %zu\n", model.Var(0).valueUpper + 1, model.Var(1).valueUpper + 1,
                     model.Var(2).valueUpper + 1, model.Var(3).valueUpper + 1, Expansion(true).Var(0).period, points.size());
        ok = std::fclose(f) == 0 && ok;
    } else {
        ok = false;
    }
    if (!ok)
        std::fprintf(stderr, "cannot write to %s\n", directory.c_str());
    return ok ? 0 : 1;
}

void Register()
{
    for (const bool trig : {false, true}) {
        const std::string kind = trig ? "/W4/trig" : "/W4/poly";
        benchmark::RegisterBenchmark(("EvaluateOne" + kind).c_str(), BM_EvaluateOne, trig)
            ->Unit(benchmark::kMillisecond)->UseRealTime();
        auto* many = benchmark::RegisterBenchmark(("EvaluateMany" + kind).c_str(), BM_EvaluateMany, trig)
                         ->ArgNames({"threads", "isa"})->Unit(benchmark::kMillisecond)->UseRealTime();
        for (const KernelIsa isa : SupportedKernelIsas())
            for (const int threads : {1, 2})
                many->Args({threads, static_cast<int>(isa)});
    }
}

} // namespace
} // namespace tavex::bench

int main(int argc, char** argv)
{
    if (const auto path = tavex::bench::SoleOption(argc, argv, "--write="))
        return tavex::bench::WriteForNumpy(*path);
    tavex::bench::Register();
    return tavex::bench::RunBenchmarks(argc, argv);
}
